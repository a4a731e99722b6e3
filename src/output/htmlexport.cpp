// HTML export of laid-out pages: every text item becomes an absolutely
// positioned block with its font, alignment, colour and borders inline.
// Pictures and charts are not exported.
#include "htmlexport.h"

#include "platform/outputfile.h"

#include "app/units.h"
#include "document/borders.h"
#include "document/item.h"
#include "document/talvodocument.h"

#include <QCoreApplication>

namespace {

const char kCrLf[] = "\r\n";

QString alignName(int align)
{
    switch (align) {
    case 0: return QStringLiteral("Left");
    case 1: return QStringLiteral("Right");
    case 2: return QStringLiteral("Center");
    default: return QString();
    }
}

// The CSS style that looks like the line the page drawing uses for the
// style; styles without a CSS counterpart give "".
QString borderStyleName(int style)
{
    switch (style) {
    case border::Solid: return QStringLiteral("solid");
    case border::Dash: return QStringLiteral("dashed");
    case border::Dot: return QStringLiteral("dotted");
    case border::DashDot: return QStringLiteral("dashed");
    case border::DashDotDot: return QStringLiteral("dotted");
    default: return QString();
    }
}

// Trims spaces only, as the report's own Trim does.
QString trimSpaces(const QString &text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && text.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

// A font family as a quoted CSS string inside a double-quoted attribute.
QString cssFamily(const QString &family)
{
    QString name = family;
    name.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    name.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + htmlEscaped(name) + QLatin1Char('\'');
}

QString contentHtml(const QString &text)
{
    QString html = htmlEscaped(text);
    html.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    html.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    html.replace(QLatin1Char('\r'), QLatin1String("<br>"));
    return html;
}

QString headLine(const QString &title)
{
    return QStringLiteral("<HTML><HEAD><TITLE>") + htmlEscaped(title)
           + QStringLiteral("</TITLE><meta name='GENERATOR' content='https://mirt.talvo.org/'>"
                            "<meta charset='utf-8'>")
           + QStringLiteral("</HEAD><BODY>") + QLatin1String(kCrLf);
}

QString pageItemsHtml(TalvoDocument &document, int page)
{
    QString html;
    const PrintedPage *items = document.Pages.at(page - 1);
    for (const ReportItem *item : *items)
        html += item->ExportHTML(document) + QLatin1String(kCrLf);
    return html;
}

bool writeHtml(const QString &fileName, const QString &html, QString &error)
{
    OutputFile file(fileName);
    if (!file.open() || !file.write(html.toUtf8()) || !file.commit()) {
        error = QCoreApplication::translate("Mirt", "Cannot write %1: %2").arg(fileName, file.errorString());
        return false;
    }
    return true;
}

// The page's extent in the current orientation, in the document unit.
void pageExtent(const TalvoDocument &document, double &width, double &height)
{
    width = document.pageWidth;
    height = document.pageHeight;
    if (width <= 0 || height <= 0) {
        // No page size stored: A4.
        width = convertUnit(21, 7, document.unit());
        height = convertUnit(29.7, 7, document.unit());
    }
    if (document.pageOrientation != 1)
        std::swap(width, height);
}

} // namespace

QString htmlColor(int color)
{
    const QString hex = padText(QString::number(uint(color), 16).toUpper(), 6, QLatin1Char('0'), true);
    return hex.mid(4, 2) + hex.mid(2, 2) + hex.mid(0, 2);
}

QString padText(const QString &text, int length, QChar pad, bool atStart)
{
    if (text.size() >= length)
        return text;
    const QString padding(length - text.size(), pad);
    return atStart ? padding + text : text + padding;
}

QString cssNumber(double value)
{
    // Single precision is what the model stores; seven digits read back the
    // same number without showing float noise such as 0.30000001.
    return QString::number(value, 'g', 7);
}

QString htmlEscaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        default: out += c;
        }
    }
    return out;
}

QString border::ExportHTML(const QString &where) const
{
    if (style == Invisible)
        return QString();
    return QStringLiteral(" border-") + where + QStringLiteral(": #") + htmlColor(Color) + QLatin1Char(' ')
           + QString::number(Width) + QStringLiteral("px ") + borderStyleName(style) + QStringLiteral("; ");
}

QString Borders::ExportHTML() const
{
    return left.ExportHTML(QStringLiteral("left")) + bottom.ExportHTML(QStringLiteral("bottom"))
           + right.ExportHTML(QStringLiteral("right")) + top.ExportHTML(QStringLiteral("top"));
}

QString ReportItem::ExportHTML(const TalvoDocument &) const
{
    return QString();
}

QString Item::ExportHTML(const TalvoDocument &document) const
{
    const QString u = unitCssName(document.unit());
    QString html = QStringLiteral("<div style=\"position: absolute; ");
    html += QStringLiteral(" top: ") + cssNumber(y - document.topMargin) + u + QStringLiteral("; ");
    html += QStringLiteral(" left: ") + cssNumber(x - document.leftMargin) + u + QStringLiteral("; ");
    html += QStringLiteral(" width: ") + cssNumber(w) + u + QStringLiteral("; ");
    html += QStringLiteral(" height: ") + cssNumber(h) + u + QStringLiteral("; ");
    if (!content.trimmed().isEmpty())
        html += QStringLiteral(" font-size: ") + cssNumber(fontSize) + QStringLiteral("pt; ");
    else
        html += QStringLiteral(" font-size: 1pt;");
    html += QStringLiteral(" font-family: ") + cssFamily(fontName) + QStringLiteral("; ");
    html += QStringLiteral(" text-align: ") + alignName(AlignH) + QStringLiteral("; ");
    if (fontItalic)
        html += QStringLiteral(" font-style: Italic; ");
    if (fontBold)
        html += QStringLiteral(" font-weight: bold; ");
    html += QStringLiteral(" color: #") + htmlColor(fontColor) + QStringLiteral("; ");
    html += borders.ExportHTML();
    // The run has broken the lines already; the browser must not break them
    // again with its own font metrics.
    html += QStringLiteral(" white-space: nowrap; ");
    html += QStringLiteral("\">") + QLatin1String(kCrLf);
    const QString text = typeContent == 0 ? document.ReplacePercentVars(content) : content;
    html += contentHtml(trimSpaces(text)) + QLatin1String(kCrLf);
    html += QStringLiteral("</div>");
    return html;
}

bool TalvoDocument::ExportHTMLPage(const QString &fileName, int &page)
{
    CurrentPage = page;
    if (page <= 0)
        return true;
    if (page > Pages.count()) {
        page = Pages.count();
        CurrentPage = page;
        if (page == 0)
            return true;
    }
    QString html = headLine(docName + QStringLiteral(" (page ") + QString::number(page) + QLatin1Char(')'));
    html += pageItemsHtml(*this, page);
    html += QStringLiteral("</BODY></HTML>") + QLatin1String(kCrLf);
    return writeHtml(fileName, html, m_errorString);
}

bool TalvoDocument::ExportHTMLAllPages(const QString &fileName)
{
    double width = 0, height = 0;
    pageExtent(*this, width, height);
    const QString u = unitCssName(unit());
    const QString printableWidth = cssNumber(width - leftMargin - rightMargin) + u;
    const QString printableHeight = cssNumber(height - topMargin - bottomMargin) + u;

    QString html = headLine(docName);
    // Each page is a positioned block, so the items' absolute positions are
    // relative to their own page; a page break after each for printing.
    html += QStringLiteral("<style>div.page { position: relative; overflow: hidden; width: ") + printableWidth
            + QStringLiteral("; height: ") + printableHeight
            + QStringLiteral("; margin-bottom: 1em; page-break-after: always; }"
                             " div.page:last-child { page-break-after: auto; }</style>")
            + QLatin1String(kCrLf);
    const int savedPage = CurrentPage;
    for (int page = 1; page <= Pages.count(); ++page) {
        CurrentPage = page;
        html += QStringLiteral("<div class=\"page\" id=\"p") + QString::number(page) + QStringLiteral("\">")
                + QLatin1String(kCrLf);
        html += pageItemsHtml(*this, page);
        html += QStringLiteral("</div>") + QLatin1String(kCrLf);
    }
    CurrentPage = savedPage;
    html += QStringLiteral("</BODY></HTML>") + QLatin1String(kCrLf);
    return writeHtml(fileName, html, m_errorString);
}
