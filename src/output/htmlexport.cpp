// HTML export of laid-out pages: every text item becomes an absolutely
// positioned block with its font, alignment, colour and borders inline;
// pictures become embedded PNG images and charts inline SVG, each in its box.
#include "htmlexport.h"

#include "engine/fontfallback.h"
#include "itemrendering.h"
#include "pageoutput.h"
#include "textlayout.h"

#include "platform/outputfile.h"

#include "platform/units.h"
#include "document/borders.h"
#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/textitem.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

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

// The CSS style that looks most like the line the page drawing uses for
// the style. CSS has no dash-dot lines: their dashes show best as dashes.
QString borderStyleName(int style)
{
    switch (style) {
    case BorderLine::Dash:
    case BorderLine::DashDot:
    case BorderLine::DashDotDot:
        return QStringLiteral("dashed");
    case BorderLine::Dot:
        return QStringLiteral("dotted");
    default:
        return QStringLiteral("solid"); // solid, inside solid and unknown styles draw solid lines
    }
}

// The generic CSS family of the font's kind, for browsers that lack it.
QString genericFamily(const QString &family)
{
    switch (fontKind(family)) {
    case FontKind::Mono:
        return QStringLiteral("monospace");
    case FontKind::Serif:
        return QStringLiteral("serif");
    case FontKind::Sans:
        break;
    }
    return QStringLiteral("sans-serif");
}

// A font family as a quoted CSS string inside a double-quoted attribute,
// followed by the generic family for browsers that lack the font.
QString cssFamily(const QString &family)
{
    auto quoted = [](const QString &name) { return htmlEscaped(cssString(name)); };
    // The family the page was drawn with when the named one is missing
    // here, so that the browser shows what the PDF shows.
    QString families = quoted(family);
    const QString drawn = fallbackFamily(family);
    if (drawn.compare(family, Qt::CaseInsensitive) != 0)
        families += QStringLiteral(", ") + quoted(drawn);
    return families + QStringLiteral(", ") + genericFamily(family);
}

// The position and size declarations of a box on the page.
QString boxStyle(const ReportDocument &document, double x, double y, double w, double h)
{
    const QString u = unitCssName(document.unit());
    return QStringLiteral("position: absolute; ") + QStringLiteral(" top: ") +
           cssNumber(y - document.topMargin) + u + QStringLiteral("; ") +
           QStringLiteral(" left: ") + cssNumber(x - document.leftMargin) + u +
           QStringLiteral("; ") + QStringLiteral(" width: ") + cssNumber(w) + u +
           QStringLiteral("; ") + QStringLiteral(" height: ") + cssNumber(h) + u +
           QStringLiteral("; ");
}

// Embedded pictures need no more pixels than print quality gives the box.
constexpr double kPictureDpi = 300;

QSize pixelsFor(const ReportDocument &document, double w, double h, double dpi)
{
    return QSize(qMax(1, qRound(convertUnit(w, document.unit(), Unit::Inches) * dpi)),
                 qMax(1, qRound(convertUnit(h, document.unit(), Unit::Inches) * dpi)));
}

QString pngDataUri(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return QString();
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

QString imageHtml(const ReportDocument &document, const QImage &image, double x, double y, double w,
                  double h, const QString &alt)
{
    const QString uri = pngDataUri(image);
    if (uri.isEmpty())
        return QString();
    return QStringLiteral("<img style=\"") + boxStyle(document, x, y, w, h) +
           QStringLiteral("\" alt=\"") + htmlEscaped(alt) + QStringLiteral("\" src=\"") + uri +
           QStringLiteral("\">");
}

// A picture item as the page shows it: filling its box when stretched, else
// at its proportions from the top-left corner.
QString pictureHtml(const PageRecord &record, const ReportDocument &document)
{
    const PagePicture &item = *record.picture();
    if (item.image.isNull() && item.svg.isEmpty())
        return QString();
    QSizeF source = item.image.size();
    QSvgRenderer renderer;
    if (!item.svg.isEmpty()) {
        if (!renderer.load(item.svg))
            return QString();
        source = renderer.defaultSize();
    }
    double w = record.w;
    double h = record.h;
    if (!item.stretch) {
        const double scale = fitScale(source.width(), source.height(), w, h);
        h = scale * source.height();
        w = scale * source.width();
    }
    if (!(w > 0) || !(h > 0))
        return QString(); // drawn at size 0 on the page too
    const QSize most = pixelsFor(document, w, h, kPictureDpi);
    QImage image;
    if (!item.svg.isEmpty()) {
        image = QImage(most, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(most)));
    } else if (item.image.width() > most.width() || item.image.height() > most.height()) {
        image = item.image.scaled(most.boundedTo(item.image.size()), Qt::IgnoreAspectRatio,
                                  Qt::SmoothTransformation);
    } else {
        image = item.image;
    }
    return imageHtml(document, image, record.x, record.y, w, h, item.alt);
}

// The chart's SVG made an inline element filling the item's box. Ids are
// made unique on the page, as several charts share one document.
QString chartHtml(const PageRecord &record, const ReportDocument &document)
{
    const PagePicture &item = *record.picture();
    if (item.svg.isEmpty())
        return item.image.isNull()
                   ? QString()
                   : imageHtml(document, item.image, record.x, record.y, record.w, record.h,
                               item.alt);
    QString svg = QString::fromUtf8(item.svg);
    const qsizetype start = svg.indexOf(QLatin1String("<svg"));
    const qsizetype tagEnd = start < 0 ? -1 : svg.indexOf(QLatin1Char('>'), start);
    if (tagEnd < 0)
        return QString();
    QString tag = svg.mid(start, tagEnd - start);
    static const QRegularExpression sizeAttributes(
        QStringLiteral("\\s(width|height|preserveAspectRatio|style)\\s*=\\s*(\"[^\"]*\"|'[^']*')"));
    tag.remove(sizeAttributes);
    if (!tag.contains(QLatin1String("viewBox"))) {
        const QRectF view = QSvgRenderer(item.svg).viewBoxF();
        tag += QStringLiteral(" viewBox=\"%1 %2 %3 %4\"")
                   .arg(cssNumber(view.x()), cssNumber(view.y()), cssNumber(view.width()),
                        cssNumber(view.height()));
    }
    // The chart always fills its box, as on the page.
    tag = QStringLiteral("<svg style=\"") + boxStyle(document, record.x, record.y, record.w, record.h) +
          QStringLiteral("\" preserveAspectRatio=\"none\"") + tag.mid(4);
    QString body = svg.mid(tagEnd);
    if (body.contains(QLatin1String("id=\""))) {
        static int charts = 0;
        const QString prefix = QStringLiteral("chart%1-").arg(++charts);
        // Only inside tags: the chart's texts come from data and keep
        // their words.
        static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
        QString renamed;
        renamed.reserve(body.size());
        qsizetype done = 0;
        for (const QRegularExpressionMatch &match : tags.globalMatch(body)) {
            QString tag = match.captured();
            tag.replace(QLatin1String("id=\""), QStringLiteral("id=\"") + prefix);
            tag.replace(QLatin1String("url(#"), QStringLiteral("url(#") + prefix);
            tag.replace(QLatin1String("href=\"#"), QStringLiteral("href=\"#") + prefix);
            renamed += QStringView(body).mid(done, match.capturedStart() - done);
            renamed += tag;
            done = match.capturedEnd();
        }
        renamed += QStringView(body).mid(done);
        body = renamed;
    }
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return tag + body.trimmed();
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

QString textHtml(const PageRecord &record, const ReportDocument &document)
{
    const TextStyle &style = document.run().pages.style(record.style);
    const QString lines = record.textLines();
    const QString text = withoutTrailingSpaces(
        record.flags & PageRecord::PageVariables ? document.replacePercentVars(lines) : lines);
    // Right-to-left paragraphs read from the right, as the page lays them out.
    QString html = text.isRightToLeft() ? QStringLiteral("<div dir=\"rtl\" style=\"")
                                        : QStringLiteral("<div style=\"");
    html += boxStyle(document, record.x, record.y, record.w, record.h);
    if (!lines.trimmed().isEmpty())
        html += QStringLiteral(" font-size: ") + cssNumber(style.size) + QStringLiteral("pt; ");
    else
        html += QStringLiteral(" font-size: 1pt;");
    html += QStringLiteral(" font-family: ") + cssFamily(style.fontName) + QStringLiteral("; ");
    html += QStringLiteral(" text-align: ") + alignName(record.align) + QStringLiteral("; ");
    if (style.italic)
        html += QStringLiteral(" font-style: Italic; ");
    if (style.bold)
        html += QStringLiteral(" font-weight: bold; ");
    if (style.underline || style.strikeOut) {
        html += QStringLiteral(" text-decoration:");
        if (style.underline)
            html += QStringLiteral(" underline");
        if (style.strikeOut)
            html += QStringLiteral(" line-through");
        html += QStringLiteral("; ");
    }
    html += QStringLiteral(" color: #") + htmlColor(style.color) + QStringLiteral("; ");
    if (record.frame != PageRecord::kNoFrame)
        html += document.run().pages.borders(record.frame).exportHtml();
    // The run has broken the lines already; the browser must not break them
    // again with its own font metrics, nor fold the spaces the page shows.
    // The text follows the tag directly: a line break there would show.
    html += QStringLiteral(" white-space: pre; ");
    html += QStringLiteral("\">") + contentHtml(text) + QStringLiteral("</div>");
    return html;
}

QString pageItemsHtml(ReportDocument &document, int page)
{
    QString html;
    for (const PageRecord &record : document.run().pages.at(page - 1)->records)
        html += pageRecordHtml(document, record) + QLatin1String(kCrLf);
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
void pageExtent(const ReportDocument &document, double &width, double &height)
{
    // The size the run laid the pages out on (the paper's when none is set).
    const QSizeF page = pageSizeO(document);
    width = page.width();
    height = page.height();
}

} // namespace

QString pageRecordHtml(const ReportDocument &document, const PageRecord &record)
{
    if (record.kind == PageRecord::Text)
        return textHtml(record, document);
    if (!record.picture())
        return QString();
    return record.picture()->chart ? chartHtml(record, document) : pictureHtml(record, document);
}

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

QString cssString(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('\'');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0) {
            out += QChar(QChar::ReplacementCharacter); // as CSS reads a NUL
        } else if (u < 0x20 || u == 0x7F) {
            // A line break would end the string and let the rest be read as
            // declarations; a hexadecimal escape keeps it inside. The space
            // ends the escape, so a following hex digit stays a character.
            out += QLatin1Char('\\') + QString::number(u, 16) + QLatin1Char(' ');
        } else {
            if (u == '\\' || u == '\'')
                out += QLatin1Char('\\');
            out += c;
        }
    }
    out += QLatin1Char('\'');
    return out;
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

QString BorderLine::exportHtml(const QString &where) const
{
    if (style == Invisible)
        return QString();
    // The page draws a line of width 0 one pixel wide.
    return QStringLiteral(" border-") + where + QStringLiteral(": #") + htmlColor(Color) +
           QLatin1Char(' ') + QString::number(qMax(1, int(Width))) + QStringLiteral("px ") +
           borderStyleName(style) + QStringLiteral("; ");
}

QString Borders::exportHtml() const
{
    return left.exportHtml(QStringLiteral("left")) + bottom.exportHtml(QStringLiteral("bottom"))
           + right.exportHtml(QStringLiteral("right")) + top.exportHtml(QStringLiteral("top"));
}

bool ReportDocument::exportHtmlPage(const QString &fileName, int &page)
{
    run().currentPage = page;
    if (page <= 0)
        return true;
    if (page > run().pages.count()) {
        page = run().pages.count();
        run().currentPage = page;
        if (page == 0)
            return true;
    }
    QString html = headLine(docName + QStringLiteral(" (page ") + QString::number(page) + QLatin1Char(')'));
    html += pageItemsHtml(*this, page);
    html += QStringLiteral("</BODY></HTML>") + QLatin1String(kCrLf);
    return writeHtml(fileName, html, m_errorString);
}

bool ReportDocument::exportHtmlAllPages(const QString &fileName)
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
    const int savedPage = run().currentPage;
    for (int page = 1; page <= run().pages.count(); ++page) {
        run().currentPage = page;
        html += QStringLiteral("<div class=\"page\" id=\"p") + QString::number(page) + QStringLiteral("\">")
                + QLatin1String(kCrLf);
        html += pageItemsHtml(*this, page);
        html += QStringLiteral("</div>") + QLatin1String(kCrLf);
    }
    run().currentPage = savedPage;
    html += QStringLiteral("</BODY></HTML>") + QLatin1String(kCrLf);
    return writeHtml(fileName, html, m_errorString);
}
