// Formulas and conditions of items: substitution of field values, the script
// evaluator, page variables and field lookups.

#include "document/reportdocument.h"
#include "engine/reportrun.h"

#include "data/fieldreference.h"
#include "engine/formulatext.h"
#include "engine/scriptevaluator.h"
#include "platform/databaseerror.h"
#include "platform/field.h"
#include "platform/recordset.h"

#include <QCoreApplication>

namespace {

// Error entries keep the start of a huge formula only: one entry is made per
// record, and a run over many records must not fill the memory with copies.
constexpr qsizetype kMaxInfoLength = 2000;

QString shortened(const QString &text)
{
    if (text.size() <= kMaxInfoLength)
        return text;
    return text.left(kMaxInfoLength) + QStringLiteral("…");
}

} // namespace

namespace {

// The field `name` of the section's current record; false when the section
// has no open recordset on a record, or no such field.
bool currentValue(const ReportSection *sec, const QString &name, QVariant &value, int *type = nullptr)
{
    if (!sec)
        return false;
    const Field field = sec->fieldValue(name);
    if (!field.isValid())
        return false;
    try {
        if (type)
            *type = field.type();
        else
            value = field.value();
        return true;
    } catch (const DatabaseError &) {
        return false;
    }
}

// The field `name` of the section's current record as formulas see it
// (formulaFieldValue); false as for currentValue.
bool formulaValue(const ReportSection *sec, QStringView name, QVariant &value)
{
    if (!sec || !sec->rsd)
        return false;
    const Field field = sec->fieldValue(name.toString());
    if (!field.isValid())
        return false;
    try {
        value = formulaFieldValue(field.value(), field.type());
        return true;
    } catch (const DatabaseError &) {
        return false;
    }
}

bool hasOpenQuery(const ReportSection *sec)
{
    return sec && sec->rsd && sec->rsd->state() == Recordset::adStateOpen;
}

} // namespace

ScriptValue ReportDocument::evaluate(const QString &formula, const QVariant &Me_Value)
{
    bool literal = false;
    if (booleanLiteral(formula, literal))
        return ScriptValue::fromBool(literal);

    QString s = formula;
    QString message;
    if (Me_Value.isValid())
        s = replaceMeVar(s, Me_Value.toString());
    QString substituted;
    // A qualified reference reads the named section's current record while
    // it has one; the variables hold the last value seen after that.
    const QualifiedLookup fromSection = [this](QStringView table, QStringView name,
                                               QVariant &value) {
        return formulaValue(sections.value(getKeySection(table.toString())), name, value);
    };
    // A reference to a section that is there, with its query open, and has
    // no such field is a mistake in the report, not a 0 to go on with.
    const MissingReference missing = [this, &formula](QStringView table, QStringView name) {
        const ReportSection *sec = sections.value(getKeySection(table.toString()));
        if (hasOpenQuery(sec) && !sec->fieldValue(name.toString()).isValid()) {
            const QString field = name.toString();
            const QString key =
                QStringLiteral("formula\x1f%1\x1f%2\x1f%3").arg(table.toString(), field, formula);
            addMissingFieldError(key, *sec, field, formula);
        }
    };
    if (!replaceBracketVars(s, run().vars, substituted, fromSection, missing)) {
        message = QCoreApplication::translate(
            "TalvoDocument",
            "The formula grows too long when the field values are put in");
        s = substituted;
    } else {
        s = std::move(substituted);
        QStringView expression = s;
        if (expression.startsWith(u'='))
            expression = expression.mid(1);
        const ScriptResult result = ScriptEvaluator().evaluate(expression.toString());
        if (result.ok())
            return result.value;
        message = result.error.description;
    }
    addError(ErrorEntry(QStringLiteral("TalvoDocument"), QStringLiteral("Evaluate"), message,
                        shortened(formula) + QStringLiteral(" evaluated like: ") + shortened(s)));
    return ScriptValue(QString());
}

QString ReportDocument::replaceVars(const QString &text)
{
    QString result;
    replaceBracketVars(
        text, run().vars, result, [this](QStringView table, QStringView name, QVariant &value) {
            return formulaValue(sections.value(getKeySection(table.toString())), name, value);
        });
    return result;
}

QString ReportDocument::replacePercentVars(const QString &text) const
{
    return ::replacePercentVars(text, run().currentPage, run().pages.count(), fileName, docName);
}


QVariant ReportDocument::fieldValue(const FieldReference &f, const ReportSection *itemSection) const
{
    QVariant value;
    const ReportSection *named = sections.value(getKeySection(f.table));
    if (currentValue(named, f.name, value) || currentValue(itemSection, f.name, value))
        return value;
    return QVariant(QString());
}

QString ReportDocument::replaceFieldsInText(const QString &text, const ReportSection *itemSection,
                                           const QString &errorKey)
{
    QString out;
    qsizetype start = 0; // first character not yet copied
    for (qsizetype open = text.indexOf(u'['); open >= 0; open = text.indexOf(u'[', start)) {
        qsizetype close = open + 1;
        while (close < text.size() && text.at(close) != u'[' && text.at(close) != u']')
            ++close;
        if (close >= text.size())
            break;
        if (text.at(close) == u'[') { // "[" not closed before the next: literal
            out.append(QStringView(text).mid(start, close - start));
            start = close;
            continue;
        }
        // "[Section].[Field]" is one reference.
        qsizetype end = close;
        if (QStringView(text).mid(close + 1, 2) == QLatin1String(".[")) {
            const qsizetype nameEnd = text.indexOf(u']', close + 3);
            const qsizetype nextOpen = text.indexOf(u'[', close + 3);
            if (nameEnd > 0 && (nextOpen < 0 || nextOpen > nameEnd))
                end = nameEnd;
        }
        const FieldReference reference(text.mid(open, end - open + 1));
        QVariant value;
        const ReportSection *named = sections.value(getKeySection(reference.table));
        bool found = currentValue(named, reference.name, value)
                     || currentValue(itemSection, reference.name, value);
        if (!found && reference.table.isEmpty()) {
            if (const QVariant *seen = run().vars.find(reference.name)) {
                value = *seen;
                found = true;
            }
        }
        out.append(QStringView(text).mid(start, open - start));
        if (found) {
            out.append(nullToEmpty(value));
        } else {
            out.append(QStringView(text).mid(open, end - open + 1));
            if (!reference.table.isEmpty() && !errorKey.isEmpty()) {
                if (const ReportSection *lacking = sectionLackingField(reference, itemSection))
                    addMissingFieldError(errorKey + u'\x1f' + reference.fullText(), *lacking,
                                         reference.name, text);
            }
        }
        start = end + 1;
    }
    out.append(QStringView(text).mid(start));
    return out;
}

int ReportDocument::fieldType(const FieldReference &f, const ReportSection *itemSection) const
{
    QVariant unused;
    int type = 0;
    const ReportSection *named = sections.value(getKeySection(f.table));
    if (currentValue(named, f.name, unused, &type)
        || currentValue(itemSection, f.name, unused, &type))
        return type;
    return 0;
}

const ReportSection *ReportDocument::sectionLackingField(const FieldReference &f, const ReportSection *itemSection) const
{
    const ReportSection *named = sections.value(getKeySection(f.table));
    // Only the section the reference names can tell while it is there;
    // without one the reference reads the item's own section.
    const ReportSection *judge = named ? named : itemSection;
    if (!hasOpenQuery(judge) || judge->fieldValue(f.name).isValid())
        return nullptr;
    if (named && itemSection && itemSection != named && itemSection->fieldValue(f.name).isValid())
        return nullptr;
    return judge;
}

void ReportDocument::addMissingFieldError(const QString &key, const ReportSection &sec,
                                         const QString &field, const QString &info)
{
    if (run().missingFieldKeys.contains(key))
        return;
    run().missingFieldKeys.insert(key);
    addError(ErrorEntry(
        QStringLiteral("TalvoDocument"), QStringLiteral("GetField"),
        QCoreApplication::translate("TalvoDocument", "The section \"%1\" has no field \"%2\"")
            .arg(sec.sectionName, field),
        shortened(info)));
}
