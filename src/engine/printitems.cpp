// Turning design items into the print items of the page being filled.

#include "document/igraph.h"
#include "document/ipic.h"
#include "document/item.h"
#include "document/section.h"
#include "document/talvodocument.h"

#include "data/ifield.h"
#include "engine/formulatext.h"
#include "engine/printitemoutput.h"
#include "engine/scriptconvert.h"
#include "engine/vbformat.h"

#include <QRegularExpression>

namespace {

TalvoDocument *runDocument(const ReportItem &item)
{
    return item.parent ? item.parent->parent : nullptr;
}

// Appends the print item to the page being filled, under the next free key.
void addToPage(TalvoDocument &doc, std::unique_ptr<ReportItem> printItem)
{
    if (!doc.items)
        return;
    printItem->document = &doc;
    printItem->parent = nullptr;
    printItem->modified = false;
    doc.items->add(QLatin1Char('i') + QString::number(doc.items->count() + 1),
                   std::move(printItem));
}

// Only a true result shows the item: True itself or -1, its numeric form.
// Any other number hides it, and so does text (the empty text of a failed
// condition included), which cannot be taken for a decision.
bool isShown(const ScriptValue &condition)
{
    if (condition.type() == ScriptValue::Boolean)
        return condition.boolValue();
    if (condition.isNumeric() && condition.type() != ScriptValue::Date)
        return condition.number() == -1;
    return false;
}

// The whole text is one field reference, "[Name]" or "[Section].[Name]"
// (a doubled bracket standing for one in a name); old reports also name a
// field with a text ending in "]" that has no "[" at all.
bool isOneReference(const QString &text)
{
    static const QRegularExpression reference(
        QStringLiteral(R"(^\[(?:[^\[\]]|\[\[|\]\])*\](?:\.\[(?:[^\[\]]|\[\[|\]\])*\])?$)"));
    if (!text.endsWith(u']'))
        return false;
    return !text.contains(u'[') || reference.match(text).hasMatch();
}

// A text with a closed "[…]" among other words: its references are filled
// in when it prints.
bool hasReference(const QString &text)
{
    const qsizetype open = text.indexOf(u'[');
    return open >= 0 && text.indexOf(u']', open) > open;
}

} // namespace

void Item::initPrint()
{
    saveCoord();
    expression = content.trimmed();
    if (expression.startsWith(u'=')) {
        typeContent = 2;
        if (parent)
            parent->HasFormulas = true;
    } else if (!isOneReference(expression)) {
        // Words around a reference are kept: "Name: [T].[Name]" prints as
        // "Name: " and the value, never the value alone nor the text as
        // written.
        typeContent = hasReference(expression) ? 3 : 0;
    } else {
        typeContent = 1;
        expression.chop(1);
        if (expression.startsWith(u'='))
            expression.remove(0, 1);
        if (expression.startsWith(u'['))
            expression.remove(0, 1);
    }
}

QString Item::formatValue(const ScriptValue &value, const QString &pattern)
{
    return ::formatValue(value, pattern);
}

float Item::CreatePrintItem()
{
    TalvoDocument *doc = runDocument(*this);
    if (!doc || !doc->items)
        return 0;

    // The typed value is kept for formatting, so that a date or a number is
    // formatted as what it is rather than re-read from its text.
    ScriptValue value;
    QString text;
    switch (typeContent) {
    case 1: {
        const iField reference(expression);
        const QVariant field = doc->GetField(reference, parent);
        // The lookup gives an empty text when nothing has the field; a field
        // the query does not return is a mistake to report, once a run.
        if (field.typeId() == QMetaType::QString && field.toString().isEmpty()) {
            if (const section *lacking = doc->sectionLackingField(reference, parent)) {
                doc->addMissingFieldError(QStringLiteral("item\x1f%1").arg(quintptr(this), 0, 16),
                                          *lacking, reference.name, content);
            }
        }
        text = nullToEmpty(field);
        value = field.isValid() ? ScriptValue::fromVariant(field) : ScriptValue::null();
        break;
    }
    case 2:
        value = doc->Evaluate(expression);
        text = cstr(value);
        break;
    case 3:
        text = doc->ReplaceFieldsInText(
            expression, parent, QStringLiteral("item\x1f%1").arg(quintptr(this), 0, 16));
        value = ScriptValue(text);
        break;
    default:
        text = expression;
        value = ScriptValue(text);
        break;
    }

    if (!isShown(doc->Evaluate(visible, text)))
        return 0;

    if (!FormatString.isEmpty() && !text.isEmpty())
        text = formatValue(value, FormatString);

    auto printItem = std::make_unique<Item>();
    printItem->copy(*this, nullptr);
    printItem->y = y + doc->CurrentY;
    printItem->visible = QStringLiteral("true");
    printItem->content = text;
    // Filled in now: on the page it is text like any other.
    if (typeContent == 3)
        printItem->typeContent = 0;
    printItem->numericValue = value.isNumeric() && value.type() != ScriptValue::Date
                              && value.type() != ScriptValue::Boolean;
    printItem->h = fitPrintText(*doc, *printItem);

    float growth = printItem->h - h;
    if (growth < 0)
        growth = 0;
    if (growth > 100)
        doc->addDebugList(QStringLiteral("createPrintItem, offset calculated : ")
                          + QString::number(growth));
    addToPage(*doc, std::move(printItem));
    return growth;
}

void iPic::initPrint()
{
    saveCoord();
}

float iPic::CreatePrintItem()
{
    TalvoDocument *doc = runDocument(*this);
    if (!doc || !doc->items)
        return 0;
    auto printItem = std::make_unique<iPic>();
    // Borders come along too: a framed picture is framed on paper as well.
    printItem->copy(*this, nullptr);
    printItem->y = y + doc->CurrentY;
    printItem->printing = true;
    loadPrintPicture(*printItem, *this, parent);
    addToPage(*doc, std::move(printItem));
    return 0;
}

void iGraph::initPrint()
{
    saveCoord();
}

float iGraph::CreatePrintItem()
{
    TalvoDocument *doc = runDocument(*this);
    if (!doc || !doc->items)
        return 0;
    auto printItem = std::make_unique<iGraph>();
    printItem->copy(*this, nullptr);
    printItem->y = y + doc->CurrentY;
    printItem->printing = true;
    loadPrintChart(*printItem, parent);
    addToPage(*doc, std::move(printItem));
    return 0;
}
