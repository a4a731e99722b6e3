// Turning design items into the records of the page being filled.

#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/textitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"

#include "data/fieldreference.h"
#include "engine/formulatext.h"
#include "engine/printitemoutput.h"
#include "engine/scriptconvert.h"
#include "engine/pictureloading.h"
#include "engine/vbformat.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

ReportDocument *runDocument(const ReportItem &item)
{
    return item.parent ? item.parent->parent : nullptr;
}

// Appends a picture or chart record for the print copy to the page being
// filled.
void addPictureRecord(ReportDocument &doc, const ReportItem &copy, PagePicture picture)
{
    PageRecord record;
    record.kind = PageRecord::Picture;
    record.x = copy.x;
    record.y = copy.y;
    record.w = copy.w;
    record.h = copy.h;
    record.content = std::make_shared<const PagePicture>(std::move(picture));
    doc.run().pages.append(*doc.run().fillingPage, std::move(record));
}

// The words a screen reader says for a picture left without any: its
// file's name; a picture taken from a record has no name worth saying.
QString pictureAlt(const PictureItem &item)
{
    if (!item.altText.isEmpty())
        return item.altText;
    const QString name =
        item.pType == PictureItem::FromFile ? QFileInfo(item.fileName).fileName() : QString();
    return name.isEmpty() ? QCoreApplication::translate("iPic", "Picture")
                          : QCoreApplication::translate("iPic", "Picture: %1").arg(name);
}

// A chart without words of its own is named by its kind.
QString chartAlt(const ChartItem &item)
{
    if (!item.altText.isEmpty())
        return item.altText;
    const char *name = QT_TRANSLATE_NOOP("iGraph", "Chart");
    switch (item.gType) {
    case ChartItem::Bar2D:
    case ChartItem::Bar3D:
        name = QT_TRANSLATE_NOOP("iGraph", "Bar chart");
        break;
    case ChartItem::Line2D:
    case ChartItem::Line3D:
        name = QT_TRANSLATE_NOOP("iGraph", "Line chart");
        break;
    case ChartItem::Area2D:
    case ChartItem::Area3D:
        name = QT_TRANSLATE_NOOP("iGraph", "Area chart");
        break;
    case ChartItem::Step2D:
    case ChartItem::Step3D:
        name = QT_TRANSLATE_NOOP("iGraph", "Step chart");
        break;
    case ChartItem::Combination2D:
    case ChartItem::Combination3D:
        name = QT_TRANSLATE_NOOP("iGraph", "Combination chart");
        break;
    case ChartItem::Pie2D:
        name = QT_TRANSLATE_NOOP("iGraph", "Pie chart");
        break;
    case ChartItem::XY2D:
        name = QT_TRANSLATE_NOOP("iGraph", "XY chart");
        break;
    default:
        break;
    }
    return QCoreApplication::translate("iGraph", name);
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

float addItemText(ReportDocument &doc, PrintedPage &page, const TextItem &item, QString text, float y,
                  quint8 flags, const TypedValue *value)
{
    const TextStyle style{item.fontName,      item.fontSize,          item.fontBold,
                          item.fontItalic,    item.fontUnderline,     item.fontStrikethrough,
                          item.fontColor};
    TextMetrics &metrics = runMetrics(doc.unit());
    style.applyTo(metrics);
    const float height = fitText(metrics, text, item.w, item.h, item.CanGrowVertical,
                                 flags & PageRecord::Number);
    PageRecord &record = addTextRecord(doc.run().pages, page, metrics, style, text, item.x, y, item.w,
                                       height, item.AlignH, flags,
                                       doc.run().pages.keepsValues() ? value : nullptr);
    if (item.borders.isAnyBorders())
        record.frame = doc.run().pages.bordersIndex(item.borders);
    return height;
}

PreparedText prepareText(const QString &content)
{
    PreparedText prepared;
    QString &expression = prepared.expression;
    expression = content.trimmed();
    if (expression.startsWith(u'=')) {
        prepared.type = PreparedText::Formula;
    } else if (!isOneReference(expression)) {
        // Words around a reference are kept: "Name: [T].[Name]" prints as
        // "Name: " and the value, never the value alone nor the text as
        // written.
        prepared.type = hasReference(expression) ? PreparedText::TextWithFields : PreparedText::Plain;
    } else {
        prepared.type = PreparedText::Field;
        expression.chop(1);
        if (expression.startsWith(u'='))
            expression.remove(0, 1);
        if (expression.startsWith(u'['))
            expression.remove(0, 1);
        prepared.field.init(expression);
    }
    return prepared;
}

void ReportRun::prepare(const ReportSection &band)
{
    for (const ReportItem *item : band.items) {
        if (item->kind() != ReportItem::TextKind)
            continue;
        const auto *text = static_cast<const TextItem *>(item);
        PreparedText prepared = prepareText(text->content);
        if (prepared.type == PreparedText::Formula)
            sectionsWithFormulas.insert(&band);
        preparedTexts.insert_or_assign(text, std::move(prepared));
    }
}

const PreparedText &ReportRun::prepared(const TextItem &item)
{
    auto found = preparedTexts.find(&item);
    if (found == preparedTexts.end())
        found = preparedTexts.emplace(&item, prepareText(item.content)).first;
    return found->second;
}

void ReportRun::forgetDesign()
{
    preparedTexts.clear();
    sectionsWithFormulas.clear();
    roomOnAPage.clear();
}

QString TextItem::formatValue(const ScriptValue &value, const QString &pattern)
{
    return ::formatValue(value, pattern);
}

float TextItem::addToPage() const
{
    ReportDocument *doc = runDocument(*this);
    if (!doc || !doc->run().fillingPage)
        return 0;
    const PreparedText &prepared = doc->run().prepared(*this);
    const QString &expression = prepared.expression;
    const int typeContent = prepared.type;

    // The typed value is kept for formatting, so that a date or a number is
    // formatted as what it is rather than re-read from its text.
    ScriptValue value;
    QString text;
    // A number or date with a format of its own and a fixed visibility is
    // shown only formatted: its general text would be thrown away.
    bool formatOnly = false;
    switch (typeContent) {
    case 1: {
        const FieldReference &reference = prepared.field;
        const QVariant field = doc->fieldValue(reference, parent);
        // The lookup gives an empty text when nothing has the field; a field
        // the query does not return is a mistake to report, once a run.
        if (field.typeId() == QMetaType::QString && field.toString().isEmpty()) {
            if (const ReportSection *lacking = doc->sectionLackingField(reference, parent)) {
                doc->addMissingFieldError(QStringLiteral("item\x1f%1").arg(quintptr(this), 0, 16),
                                          *lacking, reference.name, content);
            }
        }
        value = field.isValid() ? ScriptValue::fromVariant(field) : ScriptValue::null();
        bool always = false;
        switch (field.isNull() ? QMetaType::UnknownType : field.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::QDate:
        case QMetaType::QDateTime:
        case QMetaType::QTime:
            formatOnly = !FormatString.isEmpty() && booleanLiteral(visible, always);
            break;
        default:
            break;
        }
        if (!formatOnly)
            text = nullToEmpty(field);
        break;
    }
    case 2:
        value = doc->evaluate(expression);
        text = cstr(value);
        break;
    case 3:
        text = doc->replaceFieldsInText(
            expression, parent, QStringLiteral("item\x1f%1").arg(quintptr(this), 0, 16));
        value = ScriptValue(text);
        break;
    default:
        text = expression;
        value = ScriptValue(text);
        break;
    }

    if (!isShown(doc->evaluate(visible, text)))
        return 0;

    if (formatOnly || (!FormatString.isEmpty() && !text.isEmpty()))
        text = formatValue(value, FormatString);

    const bool number = value.isNumeric() && value.type() != ScriptValue::Date
                        && value.type() != ScriptValue::Boolean;
    // Filled in now: on the page it is text like any other, and only page
    // numbers are left for the drawing.
    const bool pageVariables = (typeContent == 0 || typeContent == 3) && text.contains(u'%');
    quint8 flags = 0;
    if (number)
        flags |= PageRecord::Number;
    if (pageVariables)
        flags |= PageRecord::PageVariables;
    // A spreadsheet gets the number, date or truth value itself.
    TypedValue typed;
    const bool keepValue = doc->run().pages.keepsValues() && value.isNumeric();
    if (keepValue) {
        typed.value = value.toVariant();
        typed.format = FormatString;
    }
    const float height = addItemText(*doc, *doc->run().fillingPage, *this, text, y + doc->run().currentY,
                                     flags, keepValue ? &typed : nullptr);

    float growth = height - h;
    if (growth < 0)
        growth = 0;
    if (growth > 100)
        doc->addDebugList(QStringLiteral("createPrintItem, offset calculated : ")
                          + QString::number(growth));
    return growth;
}

float PictureItem::addToPage() const
{
    ReportDocument *doc = runDocument(*this);
    if (!doc || !doc->run().fillingPage)
        return 0;
    PictureItem printItem;
    printItem.copy(*this, nullptr);
    printItem.y = y + doc->run().currentY;
    printItem.printing = true;
    loadPrintPicture(printItem, *this, parent);
    if (printItem.fileName.isEmpty())
        return 0;
    PagePicture picture;
    picture.image = printItem.pic;
    picture.svg = printItem.svg;
    picture.stretch = printItem.stretch;
    picture.jpeg = printItem.pic.text(QString::fromLatin1(kPictureFormatKey)) == QLatin1String("jpeg");
    picture.jpegFile = printItem.jpeg;
    picture.alt = pictureAlt(printItem);
    addPictureRecord(*doc, printItem, std::move(picture));
    return 0;
}

float ChartItem::addToPage() const
{
    ReportDocument *doc = runDocument(*this);
    if (!doc || !doc->run().fillingPage)
        return 0;
    ChartItem printItem;
    printItem.copy(*this, nullptr);
    printItem.y = y + doc->run().currentY;
    printItem.printing = true;
    loadPrintChart(printItem, parent);
    if (printItem.SQL.isEmpty())
        return 0;
    PagePicture picture;
    picture.image = printItem.chartPic;
    picture.svg = printItem.chart;
    picture.stretch = true; // a chart always fills its box
    picture.chart = true;
    picture.alt = chartAlt(printItem);
    addPictureRecord(*doc, printItem, std::move(picture));
    return 0;
}
