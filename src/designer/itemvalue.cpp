#include "itemvalue.h"

#include "data/fieldreference.h"
#include "document/textitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"
#include "engine/formulatext.h"
#include "engine/scriptconvert.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ItemValue", text);
}

// The section names of the qualified references "[Section].[Field]".
QStringList namedSections(const QString &text)
{
    static const QRegularExpression qualified(QStringLiteral(R"(\[([^\[\]]+)\]\s*\.\s*\[)"));
    QStringList names;
    for (const QRegularExpressionMatch &m : qualified.globalMatch(text)) {
        const QString name = m.captured(1).trimmed();
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

// The fields of the qualified references to `sectionName` in `text`.
QStringList fieldsOf(const QString &text, const QString &sectionName)
{
    static const QRegularExpression qualified(
        QStringLiteral(R"(\[([^\[\]]+)\]\s*\.\s*\[([^\[\]]+)\])"));
    QStringList fields;
    for (const QRegularExpressionMatch &m : qualified.globalMatch(text)) {
        if (m.captured(1).trimmed() == sectionName)
            fields.append(m.captured(2).trimmed());
    }
    return fields;
}

bool hasRecord(const ReportSection &sec)
{
    try {
        return sec.rsd && sec.rsd->state() == Recordset::adStateOpen && !sec.rsd->eof();
    } catch (const DatabaseError &) {
        return false;
    }
}

} // namespace

ItemValue::ItemValue(ReportDocument &document)
    : m_doc(document), m_savedVars(document.run().vars), m_debugLines(document.debugLst.size())
{
}

ItemValue::~ItemValue()
{
    for (auto it = m_opened.rbegin(); it != m_opened.rend(); ++it)
        it->sec->rsd = std::move(it->saved);
    m_doc.run().vars = m_savedVars;
    while (m_doc.debugLst.size() > m_debugLines)
        m_doc.debugLst.removeLast();
}

ItemValue::Result ItemValue::evaluate(const TextItem &item, ReportSection *home)
{
    // The run's own classification of the content.
    const PreparedText prepared = prepareText(item.content);
    Result result = compute(item, prepared, home);
    result.typeContent = prepared.type;
    return result;
}

ItemValue::Result ItemValue::compute(const TextItem &probe, const PreparedText &prepared,
                                       ReportSection *home)
{
    if (prepared.type == 0)
        return {probe.FormatString.isEmpty() || prepared.expression.isEmpty()
                    ? prepared.expression
                    : TextItem::formatValue(ScriptValue(prepared.expression), probe.FormatString),
                false};

    const qsizetype errors = m_doc.errorLst.size();
    QList<ReportSection *> needed;
    const FieldReference reference(prepared.expression);
    if (prepared.type == 1) {
        if (ReportSection *named = dataSection(reference.table))
            needed.append(named);
    } else {
        for (const QString &name : namedSections(prepared.expression)) {
            if (ReportSection *named = dataSection(name))
                needed.append(named);
        }
    }
    // The item's own section last: its values win in the variables, as they
    // do while the run is on its records.
    if (home && home->section_Type == ReportSection::DataSection) {
        needed.removeAll(home);
        needed.append(home);
    }
    for (ReportSection *sec : std::as_const(needed)) {
        QString why;
        if (!open(sec, why)) {
            dropEntries(errors);
            return {why, true};
        }
    }
    if (!needed.isEmpty() && !hasRecord(*needed.constLast()))
        return {tr("No record: the query of \"%1\" returns no rows")
                    .arg(needed.constLast()->sectionName),
                true};

    ScriptValue value;
    QString text;
    if (prepared.type == 1) {
        const QVariant field = m_doc.fieldValue(reference, home);
        if (field.typeId() == QMetaType::QString && field.toString().isEmpty()) {
            if (const ReportSection *lacking = m_doc.sectionLackingField(reference, home))
                return {tr("The section \"%1\" has no field \"%2\"")
                            .arg(lacking->sectionName, reference.name),
                        true};
        }
        text = nullToEmpty(field);
        value = field.isValid() ? ScriptValue::fromVariant(field) : ScriptValue::null();
    } else {
        // A qualified field the query does not return would be read as 0:
        // say so rather than show a number that means nothing.
        for (ReportSection *sec : std::as_const(needed)) {
            if (!sec->rsd)
                continue;
            for (const QString &name : fieldsOf(prepared.expression, sec->sectionName)) {
                if (!sec->fieldValue(name).isValid())
                    return {
                        tr("The section \"%1\" has no field \"%2\"").arg(sec->sectionName, name),
                        true};
            }
        }
        refreshVariables();
        if (prepared.type == 3) {
            text = m_doc.replaceFieldsInText(prepared.expression, home, QString());
            value = ScriptValue(text);
            if (!probe.FormatString.isEmpty() && !text.isEmpty())
                text = TextItem::formatValue(value, probe.FormatString);
            return {text, false};
        }
        value = m_doc.evaluate(prepared.expression);
        if (m_doc.errorLst.size() > errors) {
            const QString message = m_doc.errorLst.constLast().message;
            dropEntries(errors);
            return {message, true};
        }
        text = cstr(value);
    }
    if (!probe.FormatString.isEmpty() && !text.isEmpty())
        text = TextItem::formatValue(value, probe.FormatString);
    return {text, false};
}

bool ItemValue::open(ReportSection *sec, QString &why)
{
    for (const Opened &done : m_opened) {
        if (done.sec == sec) {
            why = done.why;
            return done.ok;
        }
    }
    if (!m_connectionTried) {
        m_connectionTried = true;
        if (m_doc.openDataConnection() != 0)
            m_connectionError = m_doc.connectionError();
    }
    if (!m_connectionError.isEmpty()) {
        why = tr("The database cannot be opened: %1").arg(m_connectionError);
        return false;
    }
    // Taken before the parents are opened, so that a parent naming this
    // section again (a loop in the report) finds it and stops.
    m_opened.push_back({sec, std::move(sec->rsd), false, QString()});
    const size_t index = m_opened.size() - 1;

    // The query's references read the parent's current record.
    ReportSection *parentSection =
        sec->sectionParent != 0
            ? m_doc.sections.value(ReportSection::keyOf(ReportSection::DataSection, sec->sectionParent))
            : nullptr;
    if (parentSection && parentSection != sec) {
        QString parentWhy;
        if (!open(parentSection, parentWhy)) {
            m_opened[index].why = parentWhy;
            why = parentWhy;
            return false;
        }
        if (!hasRecord(*parentSection)) {
            why = tr("No record: the query of \"%1\" returns no rows")
                      .arg(parentSection->sectionName);
            m_opened[index].why = why;
            return false;
        }
    }
    const qsizetype errors = m_doc.errorLst.size();
    const bool ok = sec->openRecordset(1) == 0;
    if (!ok) {
        const QString reason = m_doc.errorLst.size() > errors ? m_doc.errorLst.constLast().message
                                                              : tr("the query cannot be run");
        why = tr("The query of \"%1\" fails: %2").arg(sec->sectionName, reason);
    }
    dropEntries(errors);
    m_opened[index].ok = ok;
    m_opened[index].why = why;
    // Parents went in after this entry; move it behind them, so the list
    // stays in the order the variables are to be read.
    Opened entry = std::move(m_opened[index]);
    m_opened.erase(m_opened.begin() + qsizetype(index));
    m_opened.push_back(std::move(entry));
    return ok;
}

ReportSection *ItemValue::dataSection(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    ReportSection *sec = m_doc.sections.value(m_doc.getKeySection(name));
    return sec && sec->section_Type == ReportSection::DataSection ? sec : nullptr;
}

void ItemValue::refreshVariables()
{
    m_doc.run().vars.clear();
    for (const Opened &done : m_opened) {
        if (!done.ok)
            continue;
        // The document reads records for formulas only.
        QSet<const ReportSection *> &withFormulas = m_doc.run().sectionsWithFormulas;
        const bool hadFormulas = withFormulas.contains(done.sec);
        withFormulas.insert(done.sec);
        m_doc.updateVars(done.sec);
        if (!hadFormulas)
            withFormulas.remove(done.sec);
    }
}

void ItemValue::dropEntries(qsizetype errors)
{
    while (m_doc.errorLst.size() > errors)
        m_doc.errorLst.removeLast();
}
