#include "pdfexport.h"

#include "engine/glyphimage.h"
#include "pdffonts.h"
#include "pdfpaintengine.h"
#include "pdfwriter.h"

#include "engine/fontfallback.h"
#include "engine/printedpage.h"
#include "engine/textwrap.h"

#include "document/paper.h"
#include "document/reportdocument.h"
#include "document/xmlformat.h"
#include "engine/reportrun.h"
#include "platform/appinfo.h"
#include "platform/outputfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QImageWriter>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PdfExport", text);
}

// Page contents are in reference dots, y downwards, under one matrix.
constexpr double kPointsPerDot = 72.0 / TextMetrics::kReferenceDpi;
// A line width's pixel is a CSS pixel, as on the other surfaces.
constexpr double kDotsPerPixel = TextMetrics::kReferenceDpi / 96.0;
// Colour glyphs become pictures of this many pixels per reference dot (600 dpi).
constexpr double kColourGlyphScale = 0.5;

const char kHex[] = "0123456789ABCDEF";

// A glyph's two-byte code as four hex digits, inside a <...> string.
void appendCode(QByteArray &out, quint32 code)
{
    const char digits[4] = {kHex[(code >> 12) & 15], kHex[(code >> 8) & 15], kHex[(code >> 4) & 15],
                            kHex[code & 15]};
    PdfWriter::appendBytes(out, digits, 4);
}

// The sRGB profile an archival PDF declares as its output intent.
const char kSrgbProfile[] = "/usr/share/color/icc/sRGB.icc";

void appendColour(QByteArray &out, int rgb, const char *op)
{
    for (const int shift : {0, 8, 16}) {
        PdfWriter::appendNumber(out, ((rgb >> shift) & 0xFF) / 255.0);
        out += ' ';
    }
    out += op;
    out += '\n';
}

void appendNumbers(QByteArray &out, std::initializer_list<double> values)
{
    for (const double v : values) {
        PdfWriter::appendNumber(out, v);
        out += ' ';
    }
}

QByteArray xmlEscaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

// PNG's filters, chosen row by row: what makes pictures compress well
// without losing a bit.
QByteArray predicted(const uchar *pixels, qsizetype stride, int width, int height, int channels)
{
    const qsizetype row = qsizetype(width) * channels;
    QByteArray out(qsizetype(height) * (row + 1), Qt::Uninitialized);
    std::vector<uchar> candidates(size_t(row) * 4);
    for (int y = 0; y < height; ++y) {
        const uchar *cur = pixels + y * stride;
        const uchar *up = y > 0 ? pixels + (y - 1) * stride : nullptr;
        long best = -1;
        int bestFilter = 0;
        for (int filter = 1; filter <= 4; ++filter) {
            uchar *dst = candidates.data() + size_t(filter - 1) * size_t(row);
            long sum = 0;
            for (qsizetype i = 0; i < row; ++i) {
                const int a = i >= channels ? cur[i - channels] : 0;
                const int b = up ? up[i] : 0;
                const int c = up && i >= channels ? up[i - channels] : 0;
                int predictor = 0;
                if (filter == 1) {
                    predictor = a;
                } else if (filter == 2) {
                    predictor = b;
                } else if (filter == 3) {
                    predictor = (a + b) / 2;
                } else {
                    const int p = a + b - c;
                    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                    predictor = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                }
                const auto v = uchar(cur[i] - predictor);
                dst[i] = v;
                sum += v < 128 ? v : 256 - v;
            }
            if (best < 0 || sum < best) {
                best = sum;
                bestFilter = filter;
            }
        }
        char *line = out.data() + y * (row + 1);
        line[0] = char(bestFilter);
        memcpy(line + 1, candidates.data() + size_t(bestFilter - 1) * size_t(row), size_t(row));
    }
    return out;
}

// The size and colour components of a baseline or progressive JPEG file,
// from its frame header; zeros for any other file.
struct JpegShape
{
    int width = 0;
    int height = 0;
    int components = 0;
};
JpegShape jpegShape(const QByteArray &file)
{
    JpegShape shape;
    const auto *b = reinterpret_cast<const uchar *>(file.constData());
    const qsizetype size = file.size();
    if (size < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return shape;
    qsizetype at = 2;
    while (at + 4 <= size) {
        if (b[at] != 0xFF)
            return shape;
        const uchar marker = b[at + 1];
        if (marker == 0xFF) {
            ++at; // fill byte
            continue;
        }
        const int length = b[at + 2] << 8 | b[at + 3];
        if (length < 2 || at + 2 + length > size)
            return shape;
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            // Huffman-coded baseline, extended or progressive frames with
            // 8-bit samples, what every PDF reader decodes.
            if (marker > 0xC2 || length < 8 || b[at + 4] != 8)
                return shape;
            shape.height = b[at + 5] << 8 | b[at + 6];
            shape.width = b[at + 7] << 8 | b[at + 8];
            shape.components = b[at + 9];
            return shape;
        }
        if (marker == 0xDA || marker == 0xD9)
            return shape; // scan data before any frame header
        at += 2 + length;
    }
    return shape;
}

// A label of a chart's recorded drawing. Qt's SVG renderer draws text as
// outlines, which a reader cannot search or copy: the labels are taken out
// and drawn as text.
struct ChartLabel
{
    QTransform matrix; // of its group, in the drawing's units
    QPointF at;        // the baseline's left end
    QString family;
    double size = 0;
    int weight = 400;
    bool italic = false;
    QColor colour;
    QString text;
};

// The chart drawing (as Qt's SVG generator records it: groups with a whole
// matrix each, text elements with their font) without its text elements,
// which go into `labels`.
QByteArray takeLabels(const QByteArray &svg, std::vector<ChartLabel> &labels)
{
    QXmlStreamReader reader(svg);
    std::vector<QTransform> groups{QTransform()};
    auto number = [](const QXmlStreamAttributes &a, const char *name, double fallback) {
        bool ok = false;
        const double v = a.value(QLatin1String(name)).toDouble(&ok);
        return ok ? v : fallback;
    };
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::EndElement && reader.name() == u"g" && groups.size() > 1) {
            groups.pop_back();
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        if (reader.name() == u"g") {
            QTransform matrix = groups.back();
            const QStringView transform = a.value(QLatin1String("transform"));
            if (transform.startsWith(u"matrix(") && transform.endsWith(u')')) {
                const QList<QStringView> v = transform.mid(7, transform.size() - 8).split(u',');
                if (v.size() == 6)
                    matrix = QTransform(v[0].toDouble(), v[1].toDouble(), v[2].toDouble(),
                                        v[3].toDouble(), v[4].toDouble(), v[5].toDouble()) *
                             matrix;
            }
            groups.push_back(matrix);
        } else if (reader.name() == u"text") {
            ChartLabel label;
            label.matrix = groups.back();
            label.at = QPointF(number(a, "x", 0), number(a, "y", 0));
            label.family = a.value(QLatin1String("font-family")).toString();
            label.size = number(a, "font-size", 9);
            label.weight = int(number(a, "font-weight", 400));
            label.italic = a.value(QLatin1String("font-style")) == u"italic";
            label.colour = QColor(a.value(QLatin1String("fill")));
            if (!label.colour.isValid())
                label.colour = Qt::black;
            label.colour.setAlphaF(float(std::clamp(number(a, "fill-opacity", 1), 0.0, 1.0)));
            label.text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
            if (!label.text.isEmpty() && label.size > 0)
                labels.push_back(std::move(label));
        }
    }
    if (reader.hasError() || labels.empty()) {
        labels.clear();
        return svg;
    }
    static const QRegularExpression text(QStringLiteral("<text\\b[^>]*>.*?</text>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    return QString::fromUtf8(svg).remove(text).toUtf8();
}

// Draws the labels of a chart drawn from `view` (its units) into `box`.
void drawLabels(QPainter &painter, const std::vector<ChartLabel> &labels, const QRectF &view,
                const QRectF &box)
{
    if (labels.empty() || !(view.width() > 0) || !(view.height() > 0))
        return;
    const QTransform toBox =
        QTransform::fromTranslate(-view.left(), -view.top()) *
        QTransform::fromScale(box.width() / view.width(), box.height() / view.height()) *
        QTransform::fromTranslate(box.left(), box.top());
    for (const ChartLabel &label : labels) {
        painter.setTransform(label.matrix * toBox);
        QFont font(label.family);
        // Sized in the chart's own units, which the transform scales.
        font.setPointSizeF(label.size * 72.0 / TextMetrics::kReferenceDpi);
        font.setWeight(QFont::Weight(std::clamp(label.weight, 100, 900)));
        font.setItalic(label.italic);
        painter.setFont(font);
        painter.setPen(label.colour);
        painter.drawText(label.at, label.text);
    }
}

class PdfExporter : public PdfPaintDevice::Host
{
public:
    PdfExporter(ReportDocument &doc, QIODevice *device, const PdfOptions &options,
                const QString &title)
        : m_doc(doc), m_pages(doc.run().pages), m_writer(device), m_fonts(m_writer),
          m_metrics(doc.unit()), m_options(options), m_title(title)
    {
        const QPageLayout layout(QPageSize(pageSizeMillimetres(doc), QPageSize::Millimeter,
                                           QString(), QPageSize::ExactMatch),
                                 doc.pageOrientation == 1 ? QPageLayout::Portrait
                                                          : QPageLayout::Landscape,
                                 QMarginsF(0, 0, 0, 0));
        const QRectF page = layout.fullRect(QPageLayout::Point);
        m_pageWidth = page.width();
        m_pageHeight = page.height();
        m_pagesId = m_writer.reserve();
        if (m_options.tagged) {
            m_structRoot = m_writer.reserve();
            m_document = m_writer.reserve();
        }
        m_content.reserve(1 << 18);
    }

    bool writePage(int n);
    bool finish(QString *error);
    bool ok() const { return m_writer.ok(); }
    // Pages are written while the run makes them: texts with page numbers
    // wait for the number of pages, and each page's records are released
    // once it is written.
    void setStreaming(bool on) { m_streaming = on; }

private:
    struct Sect
    {
        int id;
        quint32 occurrence;
        std::vector<int> kids;
    };

    void writeText(const PageRecord &record, const BandMark *band);
    void writePicture(const PageRecord &record, const BandMark *band);
    void writeBorders(const Borders &borders, double x, double y, double w, double h);
    void line(double x1, double y1, double x2, double y2, int rgb, int style, int width, bool box);
    // The text object open in a content, and what is set in it.
    struct TextState
    {
        bool open = false;
        bool placed = false; // the line matrix is x, y flipped upright
        double x = 0;
        double y = 0;
        int fill = -1;
        int font = -1;
        double size = 0;
    };
    // Closes the text object before other operators.
    static void endText(QByteArray &out, TextState &state)
    {
        if (state.open)
            out += "ET\n";
        state.open = false;
        state.placed = false;
    }
    void endText()
    {
        if (m_markOpen && m_markInText)
            closeMarked();
        endText(m_content, m_text);
    }
    // After a Q: what the saved state set is unknown again.
    void restored()
    {
        m_text.fill = -1;
        m_text.font = -1;
    }
    TextState m_text;

    // A shaped line with its left end at 0, 0 of `place` (the line's top),
    // underlined or struck through as the style says when `decorated`.
    void writeLine(QByteArray &out, const ShapedLine &line, QStringView text,
                   const QTransform &place, int colour, bool decorated);
    void writeColourGlyphs(QByteArray &out, const ShapedLine &line, const QPointF &origin,
                           size_t first, const ShapedLine::Span &span);

public:
    QByteArray image(const QImage &image) override;
    // A picture that came as JPEG stays JPEG, as small as it came.
    QByteArray jpegImage(const QImage &image, const QByteArray &file);
    QByteArray opacity(int alpha) override;
    bool text(QByteArray &out, const QString &text, const QRawFont &font, const QTransform &matrix,
              const QColor &colour) override;

private:
    // Marked content: what follows until closeMarked is content of the open
    // structure element or an artifact. A sequence begun inside a text object
    // ends inside it, one begun outside it ends after it, so the two nest.
    void openMarked(const QByteArray &tag);
    void closeMarked();
    // Structure elements: startElement opens one of type `type` under the
    // band's section (or the document); markElement begins a marked-content
    // sequence of it, with a number of its own; finishElement writes it.
    void startElement(const char *type, const BandMark *band, float top,
                      const QByteArray &extra = QByteArray());
    void markElement();
    void finishElement();
    // Content that is not the document's own (lines, page headers and footers).
    void beginArtifact(const BandMark *band);
    void endArtifact() { closeMarked(); }
    int parentOf(const BandMark *band);
    // The resources of the page or form being written.
    QByteArray resources() const;
    // Writes the forms of the page numbers (the number of pages known now).
    void writePageNumberForms();
    // Writes the sections no further page can add to (all of them at the end).
    void writeSects(bool all);

    ReportDocument &m_doc;
    const PrintedPages &m_pages;
    PdfWriter m_writer;
    PdfFonts m_fonts;
    TextMetrics m_metrics;
    PdfOptions m_options;
    QString m_title;
    double m_pageWidth = 595;
    double m_pageHeight = 842;
    int m_pagesId = 0;
    std::vector<int> m_pageIds;

    // The page being written.
    QByteArray m_content;
    std::vector<int> m_pageFonts;
    QByteArray m_pageXObjects;
    std::vector<int> m_pageAlphas;
    std::vector<int> m_mcids; // structure element of each marked content
    // The open structure element. The texts of one line of a band
    // occurrence (a list's row, a title with its date) read as one
    // paragraph: one element, and one marked-content sequence while nothing
    // else comes between them.
    struct Element
    {
        int id = 0;
        int parent = 0;
        quint32 occurrence = 0;
        float top = 0;
        const char *type = nullptr;
        QByteArray extra;
        QVarLengthArray<int, 2> mcids;
    };
    Element m_element;
    bool m_elementOpen = false;
    bool m_markOpen = false;
    bool m_markInText = false;
    QByteArray m_elementBody;
    int m_style = -1;        // the text style set on m_metrics
    double m_lineHeight = 0; // and its line height
    int m_pageId = 0;

    QHash<qint64, int> m_images; // by picture's cache key
    int m_alphaObjects[256] = {};

    // The structure tree.
    int m_structRoot = 0;
    int m_document = 0;
    std::vector<Sect> m_sects; // not written yet

    bool m_streaming = false;
    bool m_inForm = false;
    struct PageNumberForm
    {
        int id;
        int page;
        PageRecord record;
    };
    std::vector<PageNumberForm> m_pageNumberForms;
    int m_lastSect = -1;
    std::vector<int> m_documentKids;
    std::vector<int> m_parentArrays;
};

int PdfExporter::parentOf(const BandMark *band)
{
    if (!band || band->occurrence == 0)
        return -1;
    // The records of an occurrence come together.
    if (m_lastSect >= 0 && m_sects[size_t(m_lastSect)].occurrence == band->occurrence)
        return m_lastSect;
    for (size_t i = m_sects.size(); i-- > 0;) {
        if (m_sects[i].occurrence == band->occurrence)
            return m_lastSect = int(i);
    }
    m_sects.push_back({m_writer.reserve(), band->occurrence, {}});
    m_documentKids.push_back(m_sects.back().id);
    return m_lastSect = int(m_sects.size() - 1);
}

void PdfExporter::writeSects(bool all)
{
    // After a page only the last occurrence may go on, on the next one.
    const size_t keep = all || m_sects.empty() ? 0 : 1;
    for (size_t i = 0; i + keep < m_sects.size(); ++i) {
        // No title: the run names its bands by key, which tells a reader
        // nothing.
        QByteArray body = "<</S/Sect/P " + PdfWriter::ref(m_document) + " /K [";
        for (const int k : m_sects[i].kids) {
            PdfWriter::appendRef(body, k);
            body += ' ';
        }
        m_writer.addPacked(m_sects[i].id, body + "]>>");
    }
    m_sects.erase(m_sects.begin(), m_sects.end() - std::ptrdiff_t(keep));
    m_lastSect = m_sects.empty() ? -1 : 0;
}

void PdfExporter::openMarked(const QByteArray &tag)
{
    closeMarked();
    m_content += tag;
    m_markOpen = true;
    m_markInText = m_text.open;
}

void PdfExporter::closeMarked()
{
    if (!m_markOpen)
        return;
    if (!m_markInText)
        endText(m_content, m_text);
    m_content += "EMC\n";
    m_markOpen = false;
}

void PdfExporter::startElement(const char *type, const BandMark *band, float top,
                               const QByteArray &extra)
{
    finishElement();
    if (!m_options.tagged || m_inForm)
        return;
    m_element.id = m_writer.reserve();
    const int sect = parentOf(band);
    m_element.parent = sect < 0 ? m_document : m_sects[size_t(sect)].id;
    if (sect < 0)
        m_documentKids.push_back(m_element.id);
    else
        m_sects[size_t(sect)].kids.push_back(m_element.id);
    m_element.occurrence = band ? band->occurrence : 0;
    m_element.top = top;
    m_element.type = type;
    m_element.extra = extra;
    m_element.mcids.clear();
    m_elementOpen = true;
}

void PdfExporter::markElement()
{
    if (!m_elementOpen)
        return;
    const auto mcid = int(m_mcids.size());
    m_mcids.push_back(m_element.id);
    m_element.mcids.append(mcid);
    QByteArray tag = "/";
    tag += m_element.type;
    tag += " <</MCID ";
    PdfWriter::appendInt(tag, mcid);
    tag += ">> BDC\n";
    openMarked(tag);
}

void PdfExporter::finishElement()
{
    if (!m_elementOpen)
        return;
    m_elementOpen = false;
    QByteArray &body = m_elementBody;
    body.clear();
    body += "<</S/";
    body += m_element.type;
    body += "/P ";
    PdfWriter::appendRef(body, m_element.parent);
    body += "/Pg ";
    PdfWriter::appendRef(body, m_pageId);
    body += "/K ";
    if (m_element.mcids.size() == 1) {
        PdfWriter::appendInt(body, m_element.mcids[0]);
    } else {
        body += '[';
        for (const int mcid : m_element.mcids) {
            PdfWriter::appendInt(body, mcid);
            body += ' ';
        }
        body += ']';
    }
    body += m_element.extra;
    body += ">>";
    m_writer.addPacked(m_element.id, body);
}

void PdfExporter::beginArtifact(const BandMark *band)
{
    if (!m_options.tagged || m_inForm)
        return;
    if (band && (band->kind == 1 || band->kind == 2))
        openMarked(band->kind == 1 ? "/Artifact <</Type /Pagination /Subtype /Header>> BDC\n"
                                   : "/Artifact <</Type /Pagination /Subtype /Footer>> BDC\n");
    else
        openMarked("/Artifact BMC\n");
}

void PdfExporter::line(double x1, double y1, double x2, double y2, int rgb, int style, int width,
                       bool box)
{
    // As the other surfaces draw a border: flat ends, mitred corners, the
    // dashes of Qt's pen styles.
    if (style == 5)
        return;
    const double w = std::max(1, width) * kDotsPerPixel;
    endText();
    m_content += "q ";
    PdfWriter::appendNumber(m_content, w);
    m_content += " w 0 J 0 j ";
    static const std::vector<double> patterns[] = {
        {}, {4, 2}, {1, 2}, {4, 2, 1, 2}, {4, 2, 1, 2, 1, 2}};
    if (style >= 1 && style <= 4) {
        m_content += '[';
        for (const double d : patterns[style])
            appendNumbers(m_content, {d * w});
        m_content += "] 0 d ";
    }
    appendColour(m_content, rgb, "RG");
    const double ax = m_metrics.toReference(x1), ay = m_metrics.toReference(y1);
    const double bx = m_metrics.toReference(x2), by = m_metrics.toReference(y2);
    if (box) {
        QRectF rect = QRectF(QPointF(ax, ay), QPointF(bx, by)).normalized();
        if (style == 6) // inside solid: the line stays within the box
            rect.adjust(w / 2, w / 2, -w / 2, -w / 2);
        appendNumbers(m_content, {rect.x(), rect.y(), rect.width(), rect.height()});
        m_content += "re S Q\n";
    } else {
        appendNumbers(m_content, {ax, ay});
        m_content += "m ";
        appendNumbers(m_content, {bx, by});
        m_content += "l S Q\n";
    }
}

void PdfExporter::writeBorders(const Borders &borders, double x, double y, double w, double h)
{
    if (!borders.isAnyBorders())
        return;
    if (borders.allEqual()) {
        line(x, y, x + w, y + h, borders.left.Color, borders.left.style, borders.left.Width, true);
        return;
    }
    line(x, y, x, y + h, borders.left.Color, borders.left.style, borders.left.Width, false);
    line(x + w, y, x + w, y + h, borders.right.Color, borders.right.style, borders.right.Width,
         false);
    line(x, y, x + w, y, borders.top.Color, borders.top.style, borders.top.Width, false);
    line(x, y + h, x + w, y + h, borders.bottom.Color, borders.bottom.style, borders.bottom.Width,
         false);
}

QByteArray PdfExporter::opacity(int alpha)
{
    alpha = std::clamp(alpha, 0, 255);
    if (!m_alphaObjects[alpha]) {
        m_alphaObjects[alpha] = m_writer.reserve();
        QByteArray body = "<</Type /ExtGState /ca ";
        PdfWriter::appendNumber(body, alpha / 255.0);
        body += " /CA ";
        PdfWriter::appendNumber(body, alpha / 255.0);
        body += ">>";
        m_writer.addPacked(m_alphaObjects[alpha], body);
    }
    if (std::find(m_pageAlphas.begin(), m_pageAlphas.end(), alpha) == m_pageAlphas.end())
        m_pageAlphas.push_back(alpha);
    QByteArray name = "A";
    PdfWriter::appendInt(name, alpha);
    return name;
}

QByteArray PdfExporter::jpegImage(const QImage &source, const QByteArray &file)
{
    int &id = m_images[source.cacheKey()];
    if (!id) {
        QByteArray bytes;
        bool grey = false;
        const JpegShape shape = jpegShape(file);
        if (shape.width == source.width() && shape.height == source.height() &&
            (shape.components == 1 || shape.components == 3)) {
            // The file as it came: not a bit lost, no bigger.
            bytes = file;
            grey = shape.components == 1;
        } else {
            // Scaled down when loaded (or not a file a PDF reader takes
            // as it is): encoded again, finely.
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            grey = source.isGrayscale();
            QImageWriter writer(&buffer, "jpeg");
            writer.setQuality(94);
            if (!writer.write(source.convertToFormat(grey ? QImage::Format_Grayscale8
                                                          : QImage::Format_RGB888))) {
                m_images.remove(source.cacheKey());
                return image(source);
            }
        }
        id = m_writer.reserve();
        QByteArray dictionary = "/Type /XObject /Subtype /Image /Width ";
        PdfWriter::appendInt(dictionary, source.width());
        dictionary += " /Height ";
        PdfWriter::appendInt(dictionary, source.height());
        dictionary += grey ? " /ColorSpace /DeviceGray" : " /ColorSpace /DeviceRGB";
        dictionary += " /BitsPerComponent 8 /Filter /DCTDecode";
        m_writer.addStream(id, dictionary, bytes, false);
    }
    QByteArray name = "I";
    PdfWriter::appendInt(name, id);
    if (!m_pageXObjects.contains("/" + name + ' '))
        m_pageXObjects += '/' + name + ' ' + PdfWriter::ref(id) + ' ';
    return name;
}

QByteArray PdfExporter::image(const QImage &source)
{
    int &id = m_images[source.cacheKey()];
    if (!id) {
        id = m_writer.reserve();
        const bool grey = source.isGrayscale() && !source.hasAlphaChannel();
        const QImage pixels =
            source.convertToFormat(grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
        const int channels = grey ? 1 : 3;
        auto parameters = [](int colours, int columns) {
            QByteArray p = " /DecodeParms <</Predictor 15 /Colors ";
            PdfWriter::appendInt(p, colours);
            p += " /BitsPerComponent 8 /Columns ";
            PdfWriter::appendInt(p, columns);
            return p + ">>";
        };
        QByteArray dictionary = "/Type /XObject /Subtype /Image /Width ";
        PdfWriter::appendInt(dictionary, pixels.width());
        dictionary += " /Height ";
        PdfWriter::appendInt(dictionary, pixels.height());
        dictionary += grey ? " /ColorSpace /DeviceGray" : " /ColorSpace /DeviceRGB";
        dictionary += " /BitsPerComponent 8" + parameters(channels, pixels.width());
        if (source.hasAlphaChannel()) {
            const QImage alpha = source.convertToFormat(QImage::Format_ARGB32)
                                     .convertToFormat(QImage::Format_Alpha8);
            bool opaque = true;
            for (int y = 0; y < alpha.height() && opaque; ++y) {
                const uchar *row = alpha.constScanLine(y);
                opaque = std::all_of(row, row + alpha.width(), [](uchar a) { return a == 255; });
            }
            if (!opaque) {
                const int mask = m_writer.reserve();
                QByteArray m = "/Type /XObject /Subtype /Image /Width ";
                PdfWriter::appendInt(m, alpha.width());
                m += " /Height ";
                PdfWriter::appendInt(m, alpha.height());
                m += " /ColorSpace /DeviceGray /BitsPerComponent 8" + parameters(1, alpha.width());
                m_writer.addStream(mask, m,
                                   predicted(alpha.constBits(), alpha.bytesPerLine(), alpha.width(),
                                             alpha.height(), 1));
                dictionary += " /SMask " + PdfWriter::ref(mask);
            }
        }
        m_writer.addStream(id, dictionary,
                           predicted(pixels.constBits(), pixels.bytesPerLine(), pixels.width(),
                                     pixels.height(), channels));
    }
    QByteArray name = "I";
    PdfWriter::appendInt(name, id);
    if (!m_pageXObjects.contains("/" + name + ' ')) {
        m_pageXObjects += '/' + name + ' ' + PdfWriter::ref(id) + ' ';
    }
    return name;
}

void PdfExporter::writeColourGlyphs(QByteArray &out, const ShapedLine &line, const QPointF &origin,
                                    size_t first, const ShapedLine::Span &span)
{
    // A colour glyph is a picture: drawn on an image and placed where the
    // glyph stands (its text is the line's, beside it).
    const QRawFont &font = span.font;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    for (quint32 i = 0; i < span.count; ++i) {
        glyphs.append(line.glyphs[first + i].index);
        positions.append(QPointF(line.glyphs[first + i].x, line.glyphs[first + i].y));
    }
    const GlyphImage drawn = colourGlyphImage(font, glyphs, positions, kColourGlyphScale);
    if (drawn.image.isNull())
        return;
    const QRectF &box = drawn.box;
    const QByteArray name = image(drawn.image);
    const QRectF at(origin + box.topLeft(), box.size());
    out += "q ";
    appendNumbers(out, {at.width(), 0, 0, -at.height(), at.left(), at.bottom()});
    out += "cm /" + name + " Do Q\n";
}

void PdfExporter::writeLine(QByteArray &out, const ShapedLine &line, QStringView text,
                            const QTransform &place, int colour, bool decorated)
{
    if (line.glyphs.empty())
        return;
    // The page's text object stays open from line to line, with its colour,
    // font and place; another content (a chart's) gets one of its own.
    TextState own;
    TextState &state = &out == &m_content ? m_text : own;
    const QPointF origin = place.map(QPointF(0, 0));
    const bool translation = place.type() <= QTransform::TxTranslate;
    bool pictures = line.colourGlyphs;
    for (const ShapedLine::Span &span : line.spans)
        pictures = pictures || m_fonts.fontFor(span.font) < 0;
    if (pictures)
        endText(out, state);
    const bool actualText = !m_fonts.mapLine(line, text, m_metrics);
    if (actualText) {
        out += "/Span <</ActualText ";
        PdfWriter::appendText(out, text);
        out += ">> BDC\n";
    }
    size_t at = 0;
    for (const ShapedLine::Span &span : line.spans) {
        const size_t first = at;
        at += span.count;
        if (span.count == 0)
            continue;
        if (line.colourGlyphs && isColourFont(span.font)) {
            endText(out, state);
            writeColourGlyphs(out, line, origin, first, span);
            continue;
        }
        const int font = m_fonts.fontFor(span.font);
        const double size = span.font.pixelSize();
        if (font < 0 || !(size > 0)) {
            // A font that cannot be embedded is drawn as outlines.
            endText(out, state);
            QPainterPath path;
            for (size_t i = first; i < at; ++i) {
                const ShapedLine::Glyph &g = line.glyphs[i];
                path.addPath(
                    span.font.pathForGlyph(g.index).translated(origin.x() + g.x, origin.y() + g.y));
            }
            out += "q\n";
            appendColour(out, colour, "rg");
            for (int i = 0; i < path.elementCount(); ++i) {
                const QPainterPath::Element &e = path.elementAt(i);
                if (e.isMoveTo()) {
                    appendNumbers(out, {e.x, e.y});
                    out += "m\n";
                } else if (e.isLineTo()) {
                    appendNumbers(out, {e.x, e.y});
                    out += "l\n";
                } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
                    const QPainterPath::Element &c2 = path.elementAt(i + 1);
                    const QPainterPath::Element &c3 = path.elementAt(i + 2);
                    appendNumbers(out, {e.x, e.y, c2.x, c2.y, c3.x, c3.y});
                    out += "c\n";
                    i += 2;
                }
            }
            out += "f\nQ\n";
            continue;
        }
        if (std::find(m_pageFonts.begin(), m_pageFonts.end(), font) == m_pageFonts.end())
            m_pageFonts.push_back(font);
        if (!state.open) {
            out += "BT\n";
            state.open = true;
            state.placed = false;
        }
        if (state.fill != colour) {
            appendColour(out, colour, "rg");
            state.fill = colour;
        }
        if (state.font != font || state.size != size) {
            out += "/F";
            PdfWriter::appendInt(out, font);
            out += ' ';
            PdfWriter::appendNumber(out, size);
            out += " Tf\n";
            state.font = font;
            state.size = size;
        }
        const ShapedLine::Glyph &start = line.glyphs[first];
        const QPointF at0 = place.map(QPointF(start.x, start.y));
        if (translation && state.placed) {
            // Moved from the last line's start: short numbers.
            appendNumbers(out, {at0.x() - state.x, state.y - at0.y()});
            out += "Td\n[<";
        } else {
            const QTransform matrix = QTransform(1, 0, 0, -1, start.x, start.y) * place;
            appendNumbers(out, {matrix.m11(), matrix.m12(), matrix.m21(), matrix.m22(), matrix.dx(),
                                matrix.dy()});
            out += "Tm\n[<";
        }
        state.placed = translation;
        state.x = at0.x();
        state.y = at0.y();
        // Positions as TJ adjustments in thousandths of the size, from the
        // widths the PDF declares; a glyph off the baseline (a mark) rises.
        double penX = start.x;
        float rise = 0;
        bool inHex = true;
        for (size_t i = first; i < at; ++i) {
            const ShapedLine::Glyph &g = line.glyphs[i];
            const float wantRise = start.y - g.y;
            if (wantRise != rise) {
                if (inHex)
                    out += '>';
                out += "] TJ ";
                PdfWriter::appendNumber(out, wantRise);
                out += " Ts [<";
                inHex = true;
                rise = wantRise;
            }
            const double gap = g.x - penX;
            if (std::abs(gap) > 0.01) {
                const long adjust = std::lround(-gap * 1000 / size);
                if (adjust != 0) {
                    if (inHex)
                        out += '>';
                    PdfWriter::appendInt(out, adjust);
                    out += '<';
                    inHex = true;
                    penX -= adjust * size / 1000;
                }
            }
            if (!inHex) {
                out += '<';
                inHex = true;
            }
            int width = 0;
            const quint32 code = m_fonts.use(font, g.index, &width);
            appendCode(out, code);
            penX += width * size / 1000;
        }
        out += ">] TJ";
        if (rise != 0)
            out += " 0 Ts";
        out += '\n';
    }
    if (actualText)
        out += "EMC\n";
    if (&state == &own)
        endText(out, state);
    if (!decorated || (!m_metrics.fontUnderline() && !m_metrics.FontStrikethru()))
        return;
    // Under (or through) the whole line, as thick as the font says, where
    // the font puts them.
    const QRawFont &font = line.spans.front().font;
    const double baseline = origin.y() + m_metrics.ascentDots();
    endText(out, state);
    out += "q ";
    PdfWriter::appendNumber(out, std::max(font.lineThickness(), 1.0));
    out += " w 0 J ";
    appendColour(out, colour, "RG");
    auto stroke = [&](double at) {
        appendNumbers(out, {origin.x(), at});
        out += "m ";
        appendNumbers(out, {origin.x() + line.width, at});
        out += "l S\n";
    };
    if (m_metrics.fontUnderline())
        stroke(baseline + font.underlinePosition());
    if (m_metrics.FontStrikethru())
        stroke(baseline - font.ascent() / 3);
    out += "Q\n";
}

bool PdfExporter::text(QByteArray &out, const QString &text, const QRawFont &font,
                       const QTransform &matrix, const QColor &colour)
{
    // Laid out from the character map and the advances: what a chart
    // writes is short and in simple scripts.
    const QList<quint32> glyphs = font.glyphIndexesForString(text);
    if (glyphs.isEmpty() || glyphs.contains(0u) || m_fonts.fontFor(font) < 0)
        return false;
    const QList<QPointF> advances = font.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
    ShapedLine line;
    double x = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        line.glyphs.push_back({glyphs[i], float(x), 0});
        x += advances.value(i).x();
    }
    line.width = x;
    line.spans.push_back({font, quint32(glyphs.size())});
    const QColor rgb = colour.toRgb();
    writeLine(out, line, text, matrix, rgb.red() | rgb.green() << 8 | rgb.blue() << 16, false);
    return true;
}

void PdfExporter::writeText(const PageRecord &record, const BandMark *band)
{
    const bool header = band && (band->kind == 1 || band->kind == 2);
    if (record.frame != PageRecord::kNoFrame && !m_inForm) {
        const Borders &borders = m_pages.borders(record.frame);
        if (borders.isAnyBorders()) {
            endText();
            beginArtifact(band);
            writeBorders(borders, record.x, record.y, record.w, record.h);
            endArtifact();
        }
    }
    const TextStyle &style = m_pages.style(record.style);
    // Most records keep the style of the one before: comparing the font
    // name again for each costs more than the text.
    if (record.style != m_style) {
        style.applyTo(m_metrics);
        m_style = record.style;
        m_lineHeight = m_metrics.lineHeight();
    }
    const ShapedText *text = record.text();
    if (!text)
        return;

    // The lines with their texts, as the other surfaces lay them out.
    struct Line
    {
        const ShapedLine *shaped;
        QStringView text;
        double x;
    };
    QVarLengthArray<Line, 4> lines;
    // Lines laid out here (page numbers), kept while they are written.
    std::vector<std::pair<std::shared_ptr<const ShapedLine>, QString>> laidOut;
    bool clipped = record.flags & PageRecord::Clipped;
    const double lineHeight = m_lineHeight;
    auto aligned = [&](double width) {
        if (record.align == 1)
            return record.x + record.w - width;
        if (record.align == 2)
            return record.x + record.w / 2 - width / 2;
        return double(record.x);
    };
    // While the run goes on, the number of pages is not known yet: the text
    // is a form the page draws, written at the end.
    const bool deferred = m_streaming && !m_inForm && (record.flags & PageRecord::PageVariables) &&
                          text && text->text.contains(QLatin1String("%pages%"));
    if (deferred) {
        clipped = false;
    } else if (record.flags & PageRecord::PageVariables) {
        // %page% and %pages% are known only now.
        const QString all = m_doc.replacePercentVars(record.textLines());
        double boxHeight = record.h;
        const QString shown = record.h != 0 ? shownStart(m_metrics, all, record.w, record.h) : all;
        const QString wrapped =
            wrapText(m_metrics, normalizeLineBreaks(shown), record.w, boxHeight, false);
        clipped = record.h > 0 && m_metrics.TextHeight(wrapped) > record.h + record.h * 1e-5;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        for (const QString &part : wrapped.split(QLatin1String("\r\n"))) {
            if (const auto strong = strongDirection(part))
                direction = *strong;
            const QString shown = direction == Qt::RightToLeft ? withoutTrailingSpaces(part) : part;
            laidOut.emplace_back(m_metrics.shape(shown, direction), shown);
        }
        for (const auto &[shaped, shown] : laidOut)
            lines.append({shaped.get(), shown, aligned(m_metrics.TextWidth(shown))});
    } else {
        const double dotsPerUnit = m_metrics.toReference(1.0);
        const QStringView all(text->text);
        const auto last =
            std::min<size_t>(text->lines.size(), size_t(record.firstLine) + record.lineCount);
        for (size_t i = record.firstLine; i < last; ++i) {
            const ShapedLine *shaped = text->lines[qsizetype(i)].get();
            // The line's text; right to left without the spaces that end it,
            // as it was shaped.
            const qsizetype start = text->lineStart(int(i));
            qsizetype end =
                int(i) + 1 < text->lineCount() ? text->lineStart(int(i) + 1) - 2 : all.size();
            if (shaped->rightToLeft) {
                while (end > start && all[end - 1] == u' ')
                    --end;
            }
            lines.append(
                {shaped, all.sliced(start, end - start), aligned(shaped->width / dotsPerUnit)});
        }
    }
    const bool visible = std::any_of(lines.begin(), lines.end(),
                                     [](const Line &l) { return !l.shaped->glyphs.empty(); });
    if (!visible && !deferred)
        return;
    // A text alone stays in the page's text object; one with clipping,
    // lines or pictures has its own, inside its marked content.
    bool plain = !deferred && !clipped && !m_metrics.fontUnderline() && !m_metrics.FontStrikethru();
    for (const Line &l : lines) {
        plain = plain && !l.shaped->colourGlyphs;
        for (const ShapedLine::Span &span : l.shaped->spans)
            plain = plain && m_fonts.fontFor(span.font) >= 0;
    }
    // A text on the line of the one before, in the same occurrence, goes on
    // its paragraph.
    const quint32 occurrence = band ? band->occurrence : 0;
    const bool sameLine = !header && m_elementOpen && occurrence != 0 &&
                          m_element.occurrence == occurrence && m_element.top == record.y &&
                          qstrcmp(m_element.type, "P") == 0;
    if (!sameLine) {
        closeMarked();
        finishElement();
    } else if (m_markOpen && m_markInText && m_text.font >= 0) {
        // A space after the text before, where the pen stopped: what reads
        // the paragraph back finds two words, not one.
        quint32 code = 0;
        int width = 0;
        if (m_fonts.space(m_text.font, &code, &width)) {
            m_content += "[<";
            appendCode(m_content, code);
            m_content += ">] TJ\n";
        }
    }
    if (!plain) {
        endText();
    } else if (!m_markOpen && !m_text.open) {
        // The shared text object first, so that the marked content nests in it.
        m_content += "BT\n";
        m_text.open = true;
        m_text.placed = false;
    }
    if (header) {
        beginArtifact(band);
    } else {
        if (!sameLine)
            startElement("P", band, record.y);
        if (!m_markOpen)
            markElement();
    }
    if (deferred) {
        const int form = m_writer.reserve();
        m_pageNumberForms.push_back({form, m_doc.run().currentPage, record});
        QByteArray name = "P";
        PdfWriter::appendInt(name, form);
        m_pageXObjects += '/' + name + ' ' + PdfWriter::ref(form) + ' ';
        m_content += '/' + name + " Do\n";
    }
    if (clipped) {
        m_content += "q ";
        appendNumbers(m_content,
                      {m_metrics.toReference(record.x), m_metrics.toReference(record.y),
                       m_metrics.toReference(record.w), m_metrics.toReference(record.h)});
        m_content += "re W n\n";
    }
    double y = record.y;
    for (const Line &l : lines) {
        writeLine(m_content, *l.shaped, l.text,
                  QTransform::fromTranslate(m_metrics.toReference(l.x), m_metrics.toReference(y)),
                  style.color, true);
        y += lineHeight;
    }
    if (!plain)
        endText();
    if (clipped) {
        m_content += "Q\n";
        restored();
    }
    if (header)
        endArtifact();
}

void PdfExporter::writePicture(const PageRecord &record, const BandMark *band)
{
    const PagePicture &picture = *record.picture();
    QRectF box(m_metrics.toReference(record.x), m_metrics.toReference(record.y),
               m_metrics.toReference(record.w), m_metrics.toReference(record.h));
    QSizeF size;
    std::unique_ptr<QSvgRenderer> renderer;
    std::vector<ChartLabel> labels;
    if (!picture.svg.isEmpty()) {
        // A chart's labels are drawn as text, the rest by the SVG renderer.
        renderer = std::make_unique<QSvgRenderer>(picture.chart ? takeLabels(picture.svg, labels)
                                                                : picture.svg);
        if (!renderer->isValid())
            return;
        size = renderer->defaultSize();
    } else if (!picture.image.isNull()) {
        size = picture.image.size();
    } else {
        return;
    }
    if (!picture.stretch) {
        if (size.isEmpty())
            return;
        const double scale = std::min(box.width() / size.width(), box.height() / size.height());
        box.setSize(size * scale);
    }
    if (!(box.width() > 0) || !(box.height() > 0))
        return;
    const bool header = band && (band->kind == 1 || band->kind == 2);
    closeMarked();
    finishElement();
    endText();
    if (header) {
        beginArtifact(band);
    } else {
        const QString alt = !picture.alt.isEmpty() ? picture.alt
                            : picture.chart        ? tr("Chart")
                                                   : tr("Picture");
        QByteArray extra = " /Alt ";
        PdfWriter::appendText(extra, alt);
        extra += " /A <</O /Layout /BBox [";
        appendNumbers(extra,
                      {box.left() * kPointsPerDot, m_pageHeight - box.bottom() * kPointsPerDot,
                       box.right() * kPointsPerDot, m_pageHeight - box.top() * kPointsPerDot});
        extra += "]>>";
        startElement("Figure", band, float(record.y), extra);
        markElement();
    }
    if (renderer) {
        PdfPaintDevice device(QSizeF(m_pageWidth / kPointsPerDot, m_pageHeight / kPointsPerDot),
                              TextMetrics::kReferenceDpi, this);
        {
            QPainter painter(&device);
            renderer->render(&painter, box);
            drawLabels(painter, labels, renderer->viewBoxF(), box);
        }
        m_content += device.content();
    } else {
        const QByteArray name = picture.jpeg && !picture.image.hasAlphaChannel()
                                    ? jpegImage(picture.image, picture.jpegFile)
                                    : image(picture.image);
        m_content += "q ";
        appendNumbers(m_content, {box.width(), 0, 0, -box.height(), box.left(), box.bottom()});
        m_content += "cm /" + name + " Do Q\n";
    }
    closeMarked();
    finishElement();
}

QByteArray PdfExporter::resources() const
{
    QByteArray body = " /Resources <<";
    if (!m_pageFonts.empty()) {
        body += "/Font <<";
        for (const int f : m_pageFonts) {
            body += "/F";
            PdfWriter::appendInt(body, f);
            body += ' ' + PdfWriter::ref(m_fonts.object(f)) + ' ';
        }
        body += ">> ";
    }
    if (!m_pageXObjects.isEmpty())
        body += "/XObject <<" + m_pageXObjects + ">> ";
    if (!m_pageAlphas.empty()) {
        body += "/ExtGState <<";
        for (const int a : m_pageAlphas) {
            body += "/A";
            PdfWriter::appendInt(body, a);
            body += ' ' + PdfWriter::ref(m_alphaObjects[a]) + ' ';
        }
        body += ">> ";
    }
    return body + ">>";
}

void PdfExporter::writePageNumberForms()
{
    // Each form draws its text as the page would have, in the page's own
    // coordinates: the page draws it where it stands.
    const int saved = m_doc.run().currentPage;
    m_inForm = true;
    for (const PageNumberForm &form : m_pageNumberForms) {
        m_doc.run().currentPage = form.page;
        m_content.clear();
        m_pageFonts.clear();
        m_pageXObjects.clear();
        m_pageAlphas.clear();
        m_text = TextState();
        m_style = -1;
        writeText(form.record, nullptr);
        endText();
        QByteArray dictionary = "/Type /XObject /Subtype /Form /BBox [0 0 ";
        appendNumbers(dictionary, {m_pageWidth / kPointsPerDot, m_pageHeight / kPointsPerDot});
        dictionary += ']' + resources();
        m_writer.addStream(form.id, dictionary, m_content);
    }
    m_inForm = false;
    m_doc.run().currentPage = saved;
    m_pageNumberForms.clear();
}

bool PdfExporter::writePage(int n)
{
    const PrintedPage *page = m_pages.page(n);
    if (!page)
        return false;
    // The page drawn, for %page%; a run going on keeps its own.
    const int runPage = m_doc.run().currentPage;
    m_doc.run().currentPage = n;
    m_pageId = m_writer.reserve();
    m_pageIds.push_back(m_pageId);
    m_content.clear();
    m_pageFonts.clear();
    m_pageXObjects.clear();
    m_pageAlphas.clear();
    m_mcids.clear();
    m_text = TextState();
    // Reference dots, y downwards, from the top-left corner.
    appendNumbers(m_content, {kPointsPerDot, 0, 0, -kPointsPerDot, 0, m_pageHeight});
    m_content += "cm\n";
    size_t mark = 0;
    for (int i = 0; i < page->count(); ++i) {
        while (mark + 1 < page->bands.size() && page->bands[mark + 1].firstRecord <= quint32(i))
            ++mark;
        const BandMark *band =
            mark < page->bands.size() && page->bands[mark].firstRecord <= quint32(i)
                ? &page->bands[mark]
                : nullptr;
        const PageRecord &record = page->records[size_t(i)];
        if (record.kind == PageRecord::Text)
            writeText(record, band);
        else if (record.picture())
            writePicture(record, band);
    }
    closeMarked();
    endText();
    finishElement();
    const int contents = m_writer.reserve();
    m_writer.addStream(contents, QByteArray(), m_content);

    QByteArray body = "<</Type /Page /Parent " + PdfWriter::ref(m_pagesId) + " /MediaBox [0 0 ";
    appendNumbers(body, {m_pageWidth, m_pageHeight});
    body += "] /Contents " + PdfWriter::ref(contents) + resources();
    if (m_options.tagged) {
        body += " /Tabs /S /StructParents ";
        PdfWriter::appendInt(body, qint64(m_parentArrays.size()));
        const int parents = m_writer.reserve();
        QByteArray array = "[";
        for (const int e : m_mcids) {
            PdfWriter::appendRef(array, e);
            array += ' ';
        }
        array += ']';
        m_writer.addPacked(parents, array);
        m_parentArrays.push_back(parents);
        writeSects(false);
    }
    body += ">>";
    m_writer.addPacked(m_pageId, body);
    m_doc.run().currentPage = runPage;
    return m_writer.ok();
}

bool PdfExporter::finish(QString *error)
{
    writePageNumberForms();
    m_fonts.finish();

    QByteArray kids;
    for (const int id : m_pageIds) {
        PdfWriter::appendRef(kids, id);
        kids += ' ';
    }
    QByteArray pages = "<</Type /Pages /Kids [" + kids + "] /Count ";
    PdfWriter::appendInt(pages, qint64(m_pageIds.size()));
    m_writer.addObject(m_pagesId, pages + ">>");

    // A report names its language itself; what is no language tag would
    // only mislead a reader's voice, so the system's is said instead.
    QString language = m_options.language.trimmed();
    if (!isLanguageTag(language))
        language = systemLanguageTag();

    if (m_options.tagged) {
        writeSects(true);
        QByteArray document =
            "<</Type /StructElem /S /Document /P " + PdfWriter::ref(m_structRoot) + " /K [";
        for (const int k : m_documentKids) {
            PdfWriter::appendRef(document, k);
            document += ' ';
        }
        m_writer.addPacked(m_document, document + "]>>");
        const int parentTree = m_writer.reserve();
        QByteArray nums = "<</Nums [";
        for (size_t i = 0; i < m_parentArrays.size(); ++i) {
            PdfWriter::appendInt(nums, qint64(i));
            nums += ' ';
            PdfWriter::appendRef(nums, m_parentArrays[i]);
            nums += ' ';
        }
        m_writer.addPacked(parentTree, nums + "]>>");
        QByteArray root = "<</Type /StructTreeRoot /K " + PdfWriter::ref(m_document) +
                          " /ParentTree " + PdfWriter::ref(parentTree) + " /ParentTreeNextKey ";
        PdfWriter::appendInt(root, qint64(m_parentArrays.size()));
        m_writer.addPacked(m_structRoot, root + ">>");
    }

    // The same facts in the information dictionary and the XMP metadata.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QString creator = appTitle();
    const int info = m_writer.reserve();
    QByteArray infoBody = "<</Title ";
    PdfWriter::appendText(infoBody, m_title);
    infoBody += " /Creator ";
    PdfWriter::appendText(infoBody, creator);
    infoBody += " /Producer ";
    PdfWriter::appendText(infoBody, creator);
    const QByteArray date =
        "(D:" + now.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "Z)";
    infoBody += " /CreationDate " + date + " /ModDate " + date + ">>";
    m_writer.addPacked(info, infoBody);

    const QByteArray isoDate = now.toString(Qt::ISODate).toLatin1();
    QByteArray xmp =
        "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
        "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
        "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\""
        " xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\"";
    if (m_options.archival)
        xmp += " xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\"";
    if (m_options.tagged)
        xmp += " xmlns:pdfuaid=\"http://www.aiim.org/pdfua/ns/id/\"";
    xmp += ">\n<dc:format>application/pdf</dc:format>\n<dc:title><rdf:Alt><rdf:li "
           "xml:lang=\"x-default\">" +
           xmlEscaped(m_title) + "</rdf:li></rdf:Alt></dc:title>\n<dc:language><rdf:Bag><rdf:li>" +
           xmlEscaped(language) + "</rdf:li></rdf:Bag></dc:language>\n<xmp:CreatorTool>" +
           xmlEscaped(creator) + "</xmp:CreatorTool>\n<xmp:CreateDate>" + isoDate +
           "</xmp:CreateDate>\n<xmp:ModifyDate>" + isoDate + "</xmp:ModifyDate>\n<pdf:Producer>" +
           xmlEscaped(creator) + "</pdf:Producer>\n";
    if (m_options.archival)
        xmp += "<pdfaid:part>2</pdfaid:part>\n<pdfaid:conformance>B</pdfaid:conformance>\n";
    // A tagged file is written to be accessible as PDF/UA-1 asks.
    if (m_options.tagged)
        xmp += "<pdfuaid:part>1</pdfuaid:part>\n";
    xmp += "</rdf:Description>\n";
    if (m_options.tagged && m_options.archival) {
        // PDF/A knows the PDF/UA property only when the file describes it.
        xmp += "<rdf:Description rdf:about=\"\""
               " xmlns:pdfaExtension=\"http://www.aiim.org/pdfa/ns/extension/\""
               " xmlns:pdfaSchema=\"http://www.aiim.org/pdfa/ns/schema#\""
               " xmlns:pdfaProperty=\"http://www.aiim.org/pdfa/ns/property#\">\n"
               "<pdfaExtension:schemas><rdf:Bag><rdf:li rdf:parseType=\"Resource\">\n"
               "<pdfaSchema:schema>PDF/UA Universal Accessibility Schema</pdfaSchema:schema>\n"
               "<pdfaSchema:namespaceURI>http://www.aiim.org/pdfua/ns/id/"
               "</pdfaSchema:namespaceURI>\n"
               "<pdfaSchema:prefix>pdfuaid</pdfaSchema:prefix>\n"
               "<pdfaSchema:property><rdf:Seq><rdf:li rdf:parseType=\"Resource\">\n"
               "<pdfaProperty:name>part</pdfaProperty:name>\n"
               "<pdfaProperty:valueType>Integer</pdfaProperty:valueType>\n"
               "<pdfaProperty:category>internal</pdfaProperty:category>\n"
               "<pdfaProperty:description>Indicates, which part of ISO 14289 standard is "
               "followed</pdfaProperty:description>\n"
               "</rdf:li></rdf:Seq></pdfaSchema:property>\n"
               "</rdf:li></rdf:Bag></pdfaExtension:schemas>\n</rdf:Description>\n";
    }
    xmp += "</rdf:RDF>\n</x:xmpmeta>\n<?xpacket end=\"w\"?>";
    const int metadata = m_writer.reserve();
    m_writer.addStream(metadata, "/Type /Metadata /Subtype /XML", xmp, false);

    QByteArray catalog = "<</Type /Catalog /Pages " + PdfWriter::ref(m_pagesId) + " /Metadata " +
                         PdfWriter::ref(metadata) + " /Lang ";
    PdfWriter::appendText(catalog, language);
    catalog += " /ViewerPreferences <</DisplayDocTitle true>>";
    if (m_options.tagged)
        catalog += " /MarkInfo <</Marked true>> /StructTreeRoot " + PdfWriter::ref(m_structRoot);
    if (m_options.archival) {
        QFile profile(QString::fromLatin1(kSrgbProfile));
        if (!profile.open(QIODevice::ReadOnly)) {
            if (error)
                *error = tr("The sRGB colour profile that PDF/A needs is missing: %1")
                             .arg(QString::fromLatin1(kSrgbProfile));
            return false;
        }
        const int icc = m_writer.reserve();
        m_writer.addStream(icc, "/N 3", profile.readAll());
        const int intent = m_writer.reserve();
        m_writer.addPacked(intent,
                           "<</Type /OutputIntent /S /GTS_PDFA1 /OutputConditionIdentifier "
                           "(sRGB IEC61966-2.1) /Info (sRGB IEC61966-2.1) /DestOutputProfile " +
                               PdfWriter::ref(icc) + ">>");
        catalog += " /OutputIntents [" + PdfWriter::ref(intent) + ']';
    }
    const int root = m_writer.reserve();
    m_writer.addPacked(root, catalog + ">>");

    QCryptographicHash id(QCryptographicHash::Md5);
    id.addData(isoDate);
    id.addData(m_title.toUtf8());
    id.addData(QByteArray::number(qint64(m_pageIds.size())));
    id.addData(QByteArray::number(QCoreApplication::applicationPid()));
    m_writer.finish(root, info, id.result());
    return m_writer.ok();
}

} // namespace

bool isLanguageTag(const QString &tag)
{
    static const QRegularExpression shape(QStringLiteral("^[A-Za-z]{2,8}(-[A-Za-z0-9]{1,8})*$"));
    return tag.size() <= 64 && shape.match(tag).hasMatch();
}

QString systemLanguageTag()
{
    const QString system = QLocale::system().bcp47Name();
    return isLanguageTag(system) ? system : QStringLiteral("en");
}

bool exportPdf(ReportDocument &doc, const QString &file, int fromPage, int toPage, QString *error,
               const PdfOptions &options)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const int pages = doc.pageCount();
    if (pages == 0)
        return fail(tr("The report has no page to write."));
    const int first = fromPage <= 0 ? 1 : fromPage;
    const int last = toPage <= 0 ? pages : qMin(toPage, pages);
    if (first > last)
        return fail(tr("There is no page %1: the report has %2 pages.").arg(first).arg(pages));

    OutputFile out(file);
    if (!out.open())
        return fail(tr("Cannot write %1: %2").arg(file, out.errorString()));
    const QString title = doc.docName.isEmpty() ? QFileInfo(file).completeBaseName() : doc.docName;
    const int savedPage = doc.run().currentPage;
    QString why;
    {
        PdfExporter writer(doc, out.device(), options, title);
        bool stopped = false;
        for (int n = first; n <= last && writer.ok() && !stopped; ++n) {
            stopped = options.beforePage && !options.beforePage(n);
            if (!stopped)
                writer.writePage(n);
        }
        if (stopped) {
            why = tr("the writing was stopped");
            out.abandon(why);
        } else if (!writer.finish(&why)) {
            // A write the device refused (a full disk): the old file stays.
            if (why.isEmpty())
                why = tr("not all of it could be written; the disk may be full");
            out.abandon(why);
        }
    }
    doc.run().currentPage = savedPage;
    if (!out.commit())
        return fail(tr("Cannot write %1: %2").arg(file, why.isEmpty() ? out.errorString() : why));
    return true;
}

struct PdfPageStream::Private
{
    Private(ReportDocument &doc, const QString &file, int from, int to)
        : doc(doc), file(file), out(file), first(from <= 0 ? 1 : from), last(to)
    {
    }
    ReportDocument &doc;
    QString file;
    OutputFile out;
    std::unique_ptr<PdfExporter> writer;
    QString openError;
    int first;
    int last; // 0 for the last page of the run
    int next = 1;
};

PdfPageStream::PdfPageStream(ReportDocument &doc, const QString &file, int fromPage, int toPage,
                             const PdfOptions &options)
    : d(std::make_unique<Private>(doc, file, fromPage, toPage))
{
    if (!d->out.open()) {
        d->openError = d->out.errorString();
        return;
    }
    const QString title = doc.docName.isEmpty() ? QFileInfo(file).completeBaseName() : doc.docName;
    d->writer = std::make_unique<PdfExporter>(doc, d->out.device(), options, title);
    d->writer->setStreaming(true);
}

PdfPageStream::~PdfPageStream()
{
    // Not finished: the file is left as it was.
    if (d->writer)
        d->out.abandon(QString());
}

void PdfPageStream::pageFinished(int page)
{
    const PrintedPages &pages = d->doc.run().pages;
    for (; d->next <= page && d->next <= pages.count(); ++d->next) {
        if (d->writer && d->writer->ok() && d->next >= d->first &&
            (d->last == 0 || d->next <= d->last))
            d->writer->writePage(d->next);
    }
}

bool PdfPageStream::finish(QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = tr("Cannot write %1: %2").arg(d->file, why);
        return false;
    };
    if (!d->writer)
        return fail(d->openError);
    pageFinished(d->doc.run().pages.count());
    QString why;
    if (!d->writer->finish(&why)) {
        if (why.isEmpty())
            why = tr("not all of it could be written; the disk may be full");
        d->out.abandon(why);
    }
    d->writer.reset();
    if (!d->out.commit())
        return fail(why.isEmpty() ? d->out.errorString() : why);
    return true;
}
