#include "spreadsheetexport.h"

#include "spreadsheetformat.h"
#include "spreadsheetgrid.h"

#include "document/reportdocument.h"
#include "engine/reportrun.h"
#include "engine/printedpage.h"
#include "platform/appinfo.h"
#include "platform/outputfile.h"
#include "platform/units.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("SpreadsheetExport", text);
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// What a text record's typed value is, for the cell it gives.
struct CellValue
{
    enum Kind
    {
        Text,
        Number,
        Date,
        Boolean
    } kind = Text;
    double number = 0;
    bool truth = false;
    QDateTime date;
    QString format;
};

CellValue valueOf(const PageRecord &record)
{
    CellValue cell;
    const ShapedText *text = record.text();
    if (!text || !text->value)
        return cell;
    const QVariant &value = text->value->value;
    cell.format = text->value->format;
    switch (value.typeId()) {
    case QMetaType::Bool:
        cell.kind = CellValue::Boolean;
        cell.truth = value.toBool();
        break;
    case QMetaType::QDateTime:
        cell.kind = CellValue::Date;
        cell.date = value.toDateTime();
        break;
    case QMetaType::QDate:
        cell.kind = CellValue::Date;
        cell.date = QDateTime(value.toDate(), QTime(0, 0));
        break;
    case QMetaType::QTime:
        cell.kind = CellValue::Date;
        cell.date = QDateTime(QDate(1899, 12, 30), value.toTime());
        break;
    case QMetaType::QString:
    case QMetaType::QByteArray:
        break;
    default: {
        bool ok = false;
        cell.number = value.toDouble(&ok);
        if (ok && std::isfinite(cell.number))
            cell.kind = CellValue::Number;
        break;
    }
    }
    return cell;
}

// The spreadsheet formats of the Format strings met so far: a report has a
// few, and reading one again for every cell would cost more than the cell.
class FormatCache
{
public:
    const SpreadsheetFormat &number(const QString &format)
    {
        auto at = m_numbers.find(format);
        if (at == m_numbers.end())
            at = m_numbers.insert(format, spreadsheetNumberFormat(format));
        return *at;
    }
    // Without a format, a date shows as what it holds: a date, a time or both.
    const SpreadsheetFormat &date(const QString &format, const QDateTime &value)
    {
        const QChar holds = value.date() == QDate(1899, 12, 30) ? u't'
                            : value.time() == QTime(0, 0)       ? u'd'
                                                                : u'b';
        const QString key = holds + format;
        auto at = m_dates.find(key);
        if (at == m_dates.end())
            at = m_dates.insert(key, spreadsheetDateFormat(format, value));
        return *at;
    }

private:
    QHash<QString, SpreadsheetFormat> m_numbers;
    QHash<QString, SpreadsheetFormat> m_dates;
};

// A number that did not fit its box shows as "###": its cell shows it whole.
bool isOverflowMark(const QString &text)
{
    return !text.isEmpty() && text.count(QLatin1Char('#')) == text.size();
}

// The records of one cell: one, or several that start at the same place,
// whose texts are joined.
template <typename Write> void forEachCell(const std::vector<GridCell> &cells, const Write &write)
{
    for (size_t first = 0; first < cells.size();) {
        size_t end = first + 1;
        while (end < cells.size() && cells[end].column == cells[first].column)
            ++end;
        write(cells[first].column, &cells[first], &cells[0] + end);
        first = end;
    }
}

QString joinedText(const ReportDocument &doc, const GridCell *first, const GridCell *end, int page)
{
    QStringList texts;
    for (const GridCell *cell = first; cell != end; ++cell) {
        if (cell->record->kind == PageRecord::Text) {
            const QString text = SpreadsheetGrid::cellText(doc, *cell->record, page);
            if (!text.isEmpty())
                texts << text;
        }
    }
    return texts.join(QLatin1Char(' '));
}

// A sheet has room for this many rows; the rows after them go on to a sheet
// of their own rather than being lost.
constexpr lxw_row_t kSheetRows = LXW_ROW_MAX;
constexpr qsizetype kCellCharacters = 32767;

// The sheet's column width (in characters of its default font) for a
// length in the document unit.
double characterWidth(double length, int unit)
{
    const double pixels = convertUnit(length, unit, Unit::Inches) * 96.0;
    return std::max(1.0, (pixels - 5.0) / 7.0);
}

lxw_color_t sheetColor(int windowsColor)
{
    const quint32 c = quint32(windowsColor);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// What makes a cell format: the text style, alignment, line breaks and
// number format.
struct CellStyle
{
    quint16 style;
    quint8 align;
    bool wrap;
    int builtIn;
    QString code;
    bool operator==(const CellStyle &) const = default;
};
size_t qHash(const CellStyle &key, size_t seed = 0)
{
    return qHashMulti(seed, key.style, key.align, key.wrap, key.builtIn, key.code);
}

class WorkbookWriter
{
public:
    WorkbookWriter(const ReportDocument &doc, const SpreadsheetGrid &grid, lxw_workbook *book)
        : m_doc(doc), m_grid(grid), m_book(book),
          m_name(spreadsheetSheetName(doc.docName, doc.fileName))
    {
    }

    bool addSheet()
    {
        QString name = m_name;
        if (++m_sheets > 1) {
            const QString suffix = QStringLiteral(" (%1)").arg(m_sheets);
            name = spreadsheetSheetName(m_name.left(31 - suffix.size()), QString()) + suffix;
        }
        m_sheet = workbook_add_worksheet(m_book, name.toUtf8().constData());
        if (!m_sheet)
            return false;
        const int columns = std::min<int>(m_grid.columnCount(), LXW_COL_MAX);
        for (int column = 0; column < columns; ++column)
            worksheet_set_column(m_sheet, lxw_col_t(column), lxw_col_t(column),
                                 characterWidth(m_grid.columnWidth(column), m_doc.unit()), nullptr);
        m_row = 0;
        return true;
    }

    bool writeRow(int page, const std::vector<GridCell> &cells)
    {
        if (m_row >= kSheetRows && !addSheet())
            return false;
        forEachCell(cells, [&](int column, const GridCell *first, const GridCell *end) {
            if (column >= LXW_COL_MAX)
                return;
            if (end - first == 1) {
                writeCell(lxw_col_t(column), *first->record, page);
            } else {
                const PageRecord &record = *first->record;
                const QString text = joinedText(m_doc, first, end, page);
                if (!text.isEmpty())
                    writeText(lxw_col_t(column), text, styleFor(record, text, nullptr));
            }
        });
        ++m_row;
        return true;
    }

private:
    void writeCell(lxw_col_t column, const PageRecord &record, int page)
    {
        if (record.kind == PageRecord::Picture) {
            const bool chart = record.picture() && record.picture()->chart;
            worksheet_write_comment(m_sheet, m_row, column,
                                    (chart ? tr("Chart") : tr("Picture")).toUtf8().constData());
            return;
        }
        const CellValue value = valueOf(record);
        const QString text = SpreadsheetGrid::cellText(m_doc, record, page);
        switch (value.kind) {
        case CellValue::Boolean:
            worksheet_write_boolean(m_sheet, m_row, column, value.truth,
                                    styleFor(record, QString(), nullptr));
            return;
        case CellValue::Number: {
            SpreadsheetFormat format = m_formatCache.number(value.format);
            if (!format.ok && isOverflowMark(text))
                format = SpreadsheetFormat{true, QString(), 0};
            if (format.ok) {
                worksheet_write_number(m_sheet, m_row, column, value.number,
                                       styleFor(record, QString(), &format));
                return;
            }
            break;
        }
        case CellValue::Date: {
            const SpreadsheetFormat &format = m_formatCache.date(value.format, value.date);
            double serial = 0;
            if (format.ok && spreadsheetDateSerial(value.date, serial)) {
                worksheet_write_number(m_sheet, m_row, column, serial,
                                       styleFor(record, QString(), &format));
                return;
            }
            break;
        }
        case CellValue::Text:
            break;
        }
        if (!text.isEmpty())
            writeText(column, text, styleFor(record, text, nullptr));
    }

    void writeText(lxw_col_t column, const QString &text, lxw_format *style)
    {
        // Written as a string, never a formula, whatever it begins with. A
        // cell holds at most 32,767 characters.
        QString shown = text.size() > kCellCharacters ? text.left(kCellCharacters) : text;
        if (shown.size() == kCellCharacters && shown.back().isHighSurrogate())
            shown.chop(1);
        worksheet_write_string(m_sheet, m_row, column, shown.toUtf8().constData(), style);
    }

    // The record's look as a cell format, made once for each look.
    lxw_format *styleFor(const PageRecord &record, const QString &text,
                         const SpreadsheetFormat *number)
    {
        const TextStyle &style = m_doc.run().pages.style(record.style);
        const bool wrap = text.contains(QLatin1Char('\n'));
        const CellStyle key{record.style, record.align, wrap, number ? number->builtIn : -1,
                            number ? number->code : QString()};
        lxw_format *&format = m_formats[key];
        if (format)
            return format;
        format = workbook_add_format(m_book);
        if (style.bold)
            format_set_bold(format);
        if (style.italic)
            format_set_italic(format);
        if (style.underline)
            format_set_underline(format, LXW_UNDERLINE_SINGLE);
        if (style.strikeOut)
            format_set_font_strikeout(format);
        if (style.color != 0)
            format_set_font_color(format, sheetColor(style.color));
        format_set_align(format, record.align == 1   ? LXW_ALIGN_RIGHT
                                 : record.align == 2 ? LXW_ALIGN_CENTER
                                                     : LXW_ALIGN_LEFT);
        if (wrap)
            format_set_text_wrap(format);
        if (number && !number->code.isEmpty())
            format_set_num_format(format, number->code.toUtf8().constData());
        else if (number && number->builtIn != 0)
            format_set_num_format_index(format, uint8_t(number->builtIn));
        return format;
    }

    const ReportDocument &m_doc;
    const SpreadsheetGrid &m_grid;
    lxw_workbook *m_book;
    QString m_name;
    int m_sheets = 0;
    lxw_worksheet *m_sheet = nullptr;
    lxw_row_t m_row = 0;
    QHash<CellStyle, lxw_format *> m_formats;
    FormatCache m_formatCache;
};

// Copies a finished file into the checked output, a piece at a time.
bool copyInto(const QString &from, const QString &to, QString *error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return fail(error, tr("Cannot write %1: %2").arg(to, source.errorString()));
    OutputFile out(to);
    if (!out.open())
        return fail(error, tr("Cannot write %1: %2").arg(to, out.errorString()));
    while (!source.atEnd()) {
        const QByteArray piece = source.read(1 << 20);
        if (piece.isEmpty() && source.error() != QFileDevice::NoError) {
            out.abandon(source.errorString());
            break;
        }
        if (!out.write(piece))
            break;
    }
    if (!out.commit())
        return fail(error, tr("Cannot write %1: %2").arg(to, out.errorString()));
    return true;
}

QString cancelled(int page, int pages)
{
    return tr("The export was cancelled after %1 of %2 pages.").arg(page - 1).arg(pages);
}

// ISO 8601, as much of it as the value has.
QString isoDate(const QDateTime &value)
{
    const QString time =
        value.time().msec() != 0 ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss");
    if (value.date() == QDate(1899, 12, 30))
        return value.time().toString(time);
    if (value.time() == QTime(0, 0))
        return value.date().toString(Qt::ISODate);
    return value.date().toString(Qt::ISODate) + QLatin1Char(' ') + value.time().toString(time);
}

QString csvNumber(const PageRecord &record, double number)
{
    const QVariant &value = record.text()->value->value;
    switch (value.typeId()) {
    case QMetaType::Float:
        return QString::number(number, 'g', 7); // what a single holds, without its noise
    case QMetaType::Double:
        return QString::number(number, 'g', 15);
    default:
        return QString::number(value.toLongLong());
    }
}

// A text that a spreadsheet opening the file would take for a formula is
// marked as text the way spreadsheets mark it: the data of a report must not
// become something a spreadsheet runs.
QString csvText(QString text)
{
    if (!text.isEmpty() && QStringView(u"=+-@").contains(text.front()))
        text.prepend(QLatin1Char('\''));
    return text;
}

QString csvField(const ReportDocument &doc, const PageRecord &record, int page, FormatCache &formats)
{
    if (record.kind != PageRecord::Text)
        return QString();
    const CellValue value = valueOf(record);
    const QString text = SpreadsheetGrid::cellText(doc, record, page);
    switch (value.kind) {
    case CellValue::Boolean:
        return value.truth ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    // Typed where the workbook's cell is, so that both hold the same: a
    // format no spreadsheet format says the same as gives the shown text.
    case CellValue::Number:
        if (formats.number(value.format).ok || isOverflowMark(text))
            return csvNumber(record, value.number);
        break;
    case CellValue::Date:
        if (value.date.date().isValid() && formats.date(value.format, value.date).ok)
            return isoDate(value.date);
        break;
    case CellValue::Text:
        break;
    }
    return csvText(text);
}

QString quotedField(const QString &field, QChar separator)
{
    if (!field.contains(separator) && !field.contains(QLatin1Char('"')) &&
        !field.contains(QLatin1Char('\n')) && !field.contains(QLatin1Char('\r')))
        return field;
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

bool exportXlsx(ReportDocument &doc, const QString &file, QString *error,
                const std::function<bool(int, int)> &progress)
{
    const int pages = doc.run().pages.count();
    if (pages == 0)
        return fail(error, tr("The report has no page to write."));
    // The library writes to a path of its own: the workbook is made in the
    // temporary folder and copied into place once whole, so that a failed
    // write keeps the old file as every other output does.
    QTemporaryFile made(QDir(QDir::tempPath()).filePath(QStringLiteral("mirt-XXXXXX.xlsx")));
    if (!made.open())
        return fail(error, tr("Cannot write %1: %2").arg(file, made.errorString()));
    made.close();
    const QByteArray madePath = QFile::encodeName(made.fileName());
    QByteArray tempDir = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = tempDir.data();
    lxw_workbook *book = workbook_new_opt(madePath.constData(), &options);
    if (!book)
        return fail(error, tr("Cannot write %1: the workbook could not be started.").arg(file));

    const QByteArray title = doc.docName.toUtf8();
    const QByteArray creator = appTitle().toUtf8();
    lxw_doc_properties properties{};
    properties.title = const_cast<char *>(title.constData());
    properties.author = const_cast<char *>(creator.constData());
    workbook_set_properties(book, &properties);

    const SpreadsheetGrid grid(doc);
    WorkbookWriter writer(doc, grid, book);
    bool ok = writer.addSheet();
    QString why = ok ? QString() : tr("Cannot write %1: the sheet could not be made.").arg(file);
    int shownPage = 0;
    grid.forEachRow([&](int page, const std::vector<GridCell> &cells) {
        if (page != shownPage) {
            shownPage = page;
            if (progress && !progress(page - 1, pages)) {
                why = cancelled(page, pages);
                return ok = false;
            }
        }
        if (!writer.writeRow(page, cells)) {
            why = tr("Cannot write %1: the sheet could not be made.").arg(file);
            return ok = false;
        }
        return true;
    });
    // Closing writes the file; it also frees the workbook of one given up.
    const lxw_error closed = workbook_close(book);
    if (!ok)
        return fail(error, why);
    if (closed != LXW_NO_ERROR)
        return fail(error,
                    tr("Cannot write %1: %2").arg(file, QString::fromUtf8(lxw_strerror(closed))));
    if (!copyInto(made.fileName(), file, error))
        return false;
    if (progress)
        progress(pages, pages);
    return true;
}

bool exportCsv(ReportDocument &doc, const QString &file, QChar separator, QString *error,
               const std::function<bool(int, int)> &progress)
{
    const int pages = doc.run().pages.count();
    if (pages == 0)
        return fail(error, tr("The report has no page to write."));
    const SpreadsheetGrid grid(doc);
    OutputFile out(file);
    if (!out.open())
        return fail(error, tr("Cannot write %1: %2").arg(file, out.errorString()));
    const int columns = grid.columnCount();
    QStringList fields;
    FormatCache formats;
    QByteArray pending;
    bool ok = true;
    bool stopped = false;
    int shownPage = 0;
    grid.forEachRow([&](int page, const std::vector<GridCell> &cells) {
        if (page != shownPage) {
            shownPage = page;
            if (progress && !progress(page - 1, pages)) {
                out.abandon(cancelled(page, pages));
                stopped = true;
                return ok = false;
            }
        }
        fields.fill(QString(), columns);
        forEachCell(cells, [&](int column, const GridCell *first, const GridCell *end) {
            const QString field = end - first == 1 ? csvField(doc, *first->record, page, formats)
                                                   : csvText(joinedText(doc, first, end, page));
            fields[column] = quotedField(field, separator);
        });
        pending += fields.join(separator).toUtf8();
        pending += "\r\n";
        if (pending.size() >= (1 << 16)) {
            ok = out.write(pending);
            pending.clear();
        }
        return ok;
    });
    if (ok)
        out.write(pending);
    if (!out.commit())
        return fail(error, stopped ? out.errorString()
                                   : tr("Cannot write %1: %2").arg(file, out.errorString()));
    if (progress)
        progress(pages, pages);
    return true;
}

QChar csvSeparatorOf(const QString &text)
{
    if (text == QLatin1String("\t") ||
        text.compare(QLatin1String("tab"), Qt::CaseInsensitive) == 0 ||
        text == QLatin1String("\\t"))
        return QLatin1Char('\t');
    const QString separator = text.trimmed();
    if (separator.size() == 1 && QStringView(u",;|:").contains(separator.front()))
        return separator.front();
    return QChar();
}
