// Where a picture item's picture comes from: its file, a binary field of its
// section's current record, or a file whose path is in such a field.
#include "engine/pictureloading.h"

#include "platform/units.h"
#include "data/dataaccess.h"
#include "data/fieldreference.h"
#include "document/pictureitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "engine/printitemoutput.h"
#include "platform/accesspolicy.h"
#include "platform/databaseerror.h"
#include "platform/field.h"
#include "platform/fieldcollection.h"
#include "platform/recordset.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QtMath>

#include <zlib.h>

#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("iPic", text);
}

// A picture file larger than this is not one we should hold in memory.
constexpr qint64 kLargestFile = 256 * 1024 * 1024;
// Pictures too large to decode whole are decoded for this resolution of
// their box: print quality, no more.
constexpr double kDecodeDpi = 300;
// An SVG text larger than this once uncompressed is not drawn.
constexpr qsizetype kLargestSvg = 64 * 1024 * 1024;
// The most bytes a pixel can take once decoded (16 bits per channel):
// sizes are checked against the reader's limit with it.
constexpr qint64 kMostBytesPerPixel = 8;

struct Context
{
    QString reportDir; // where a relative file name is looked for first
    QSizeF box;        // the item's box in pixels at kDecodeDpi; empty when unknown
};

bool looksLikeSvg(const QByteArray &bytes)
{
    const QByteArray head = bytes.left(1024).trimmed();
    return head.startsWith("<svg") ||
           ((head.startsWith("<?xml") || head.startsWith("<!DOCTYPE")) && head.contains("<svg"));
}

qint64 allocationLimitBytes()
{
    const int megabytes = QImageReader::allocationLimit();
    return megabytes <= 0 ? 0 : qint64(megabytes) * 1024 * 1024;
}

// The size to decode a picture of `full` pixels at, for a box of `box`
// pixels: the full size when it fits the reader's limit, else the box's size
// (never larger than the picture), shrunk further until it fits the limit.
QSize decodeSize(const QSize &full, const QSizeF &box, bool keepAspect)
{
    const qint64 limit = allocationLimitBytes();
    auto fits = [limit](const QSize &size) {
        return limit == 0 || qint64(size.width()) * size.height() * kMostBytesPerPixel <= limit;
    };
    if (!full.isValid() || full.isEmpty() || fits(full))
        return full;
    QSize size = full;
    if (box.width() >= 1 && box.height() >= 1) {
        const QSize target(qMin(full.width(), qCeil(box.width())),
                           qMin(full.height(), qCeil(box.height())));
        size = keepAspect ? full.scaled(target, Qt::KeepAspectRatio) : target;
    }
    if (!fits(size)) {
        const double shrink =
            std::sqrt(double(limit) / (double(size.width()) * size.height() * kMostBytesPerPixel));
        size = QSize(int(size.width() * shrink), int(size.height() * shrink));
    }
    return size.expandedTo(QSize(1, 1));
}

// The text of a gzip-compressed SVG (.svgz); empty when it cannot be
// uncompressed or would grow beyond kLargestSvg.
QByteArray gunzip(const QByteArray &bytes)
{
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return QByteArray();
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    QByteArray text;
    char chunk[64 * 1024];
    int result = Z_OK;
    while (result == Z_OK && text.size() <= kLargestSvg) {
        stream.next_out = reinterpret_cast<Bytef *>(chunk);
        stream.avail_out = sizeof chunk;
        result = inflate(&stream, Z_NO_FLUSH);
        text.append(chunk, qsizetype(sizeof chunk - stream.avail_out));
    }
    inflateEnd(&stream);
    return result == Z_STREAM_END && text.size() <= kLargestSvg ? text : QByteArray();
}

// The first thing outside the SVG text that drawing it would read: Qt's
// renderer loads the file or address an <image> names (absolute, file://,
// or relative to the current folder). Only pictures written into the text
// itself (data: addresses) and references within it (#id, except for an
// image) are drawn; "" when there is nothing else. The text is read with
// the renderer's own XML reader, so both see the same attributes.
QString outsideReference(const QByteArray &svg)
{
    QXmlStreamReader xml(svg);
    xml.setNamespaceProcessing(false);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView element = xml.name();
        if (element == u"a" || element.endsWith(u":a"))
            continue; // a link is never followed
        const bool image = element == u"image" || element.endsWith(u":image");
        for (const QXmlStreamAttribute &attribute : xml.attributes()) {
            const QStringView name = attribute.qualifiedName();
            if (name.compare(u"href", Qt::CaseInsensitive) != 0 &&
                !name.endsWith(u":href", Qt::CaseInsensitive))
                continue;
            const QStringView value = attribute.value().trimmed();
            if (value.startsWith(u"data:") || (!image && value.startsWith(u'#')))
                continue;
            return value.toString();
        }
    }
    return QString();
}

// Accepts SVG text (compressed or not) as the item's vector picture;
// returns why not.
QString decodeSvg(PictureItem &item, const QByteArray &bytes, bool compressed)
{
    const QByteArray svg = compressed ? gunzip(bytes) : bytes;
    if (svg.isEmpty())
        return tr("the compressed SVG picture cannot be uncompressed");
    const QString outside = outsideReference(svg);
    if (!outside.isEmpty())
        return tr("the SVG picture refers to \"%1\" outside itself; pictures within an SVG "
                  "picture must be written into it")
            .arg(outside);
    if (!QSvgRenderer(svg).isValid())
        return tr("the SVG picture cannot be read");
    item.svg = svg;
    return QString();
}

// The format of picture bytes as the image readers see it ("png", "svg",
// "svgz", …; empty when none knows it).
QByteArray pictureFormat(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader::imageFormat(&buffer);
}

// True when the bytes are an SVG picture, as text or compressed: the image
// readers would draw them with the SVG renderer too.
bool isSvg(const QByteArray &bytes)
{
    if (looksLikeSvg(bytes))
        return true;
    const QByteArray format = pictureFormat(bytes);
    return format == "svg" || format == "svgz";
}

// Decodes picture bytes: SVG stays vector, anything else is decoded by the
// image readers, scaled down when it is too large to decode whole. Returns
// why nothing could be decoded ("" on success).
QString decodePicture(PictureItem &item, const QByteArray &bytes, const Context &context)
{
    if (isSvg(bytes))
        return decodeSvg(item, bytes, !looksLikeSvg(bytes) && pictureFormat(bytes) == "svgz");
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    const QSize full = reader.size();
    const QSize wanted = decodeSize(full, context.box, !item.stretch);
    if (wanted != full)
        reader.setScaledSize(wanted);
    QImage image = reader.read();
    if (image.isNull())
        return format.isEmpty()
                   ? tr("it is no picture in a known format")
                   : tr("the %1 picture cannot be read (%2)")
                         .arg(QString::fromLatin1(format).toUpper(), reader.errorString());
    image.setText(QString::fromLatin1(kPictureFormatKey), QString::fromLatin1(format));
    item.pic = image;
    // Decoded whole and upright as stored, the file itself is the picture.
    if (format == "jpeg" && image.size() == full &&
        (!reader.autoTransform() ||
         reader.transformation() == QImageIOHandler::TransformationNone))
        item.jpeg = bytes;
    return QString();
}

// The file a picture file name stands for: an absolute name as it is, a
// relative one beside the report first, then in the program's folder (not
// in a confined run). Returns "" and the places looked at when there is no
// such file, or with `refusal` set when the access policy refuses the name.
QString findPictureFile(QString name, const QString &reportDir, QStringList *tried,
                        QString *refusal)
{
#ifndef Q_OS_WIN
    // Reports made on Windows may name "pictures\logo.png".
    if (name.contains(QLatin1Char('\\')) && !QFileInfo::exists(name))
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    const AccessPolicy &policy = AccessPolicy::current();
    QStringList candidates;
    if (QDir::isAbsolutePath(name)) {
        candidates << name;
    } else {
        if (!reportDir.isEmpty())
            candidates << QDir(reportDir).absoluteFilePath(name);
        if (QCoreApplication::instance() && !policy.isConfined())
            candidates << QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(name);
    }
    for (const QString &candidate : std::as_const(candidates)) {
        const QString why = policy.fileRefusal(candidate);
        if (!why.isEmpty()) {
            if (refusal->isEmpty())
                *refusal = why;
        } else if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    *tried = candidates;
    return QString();
}

QString loadFile(PictureItem &item, const QString &name, const Context &context)
{
    QStringList tried;
    QString refusal;
    const QString path = findPictureFile(name, context.reportDir, &tried, &refusal);
    if (!refusal.isEmpty() && path.isEmpty())
        return refusal;
    if (path.isEmpty()) {
        if (tried.size() > 1)
            return tr("the file \"%1\" is not found (looked for %2)")
                .arg(name, tried.join(tr(" and ")));
        return tr("the file \"%1\" is not found").arg(tried.value(0, name));
    }
    QFile file(path);
    if (file.size() > kLargestFile)
        return tr("the file \"%1\" is too large for a picture (%2 MB)")
            .arg(path)
            .arg(file.size() / (1024 * 1024));
    if (!file.open(QIODevice::ReadOnly))
        return tr("the file \"%1\" cannot be read: %2").arg(path, file.errorString());
    const QString why = decodePicture(item, file.readAll(), context);
    return why.isEmpty() ? why : tr("the file \"%1\": %2").arg(path, why);
}

QString loadFromBinaryField(PictureItem &item, const Recordset &rs, const Context &context)
{
    const QString name = FieldReference(item.fileName).name;
    QVariant value;
    try {
        value = rs.fields().item(name).value();
    } catch (const DatabaseError &) {
        return tr("the section's records have no field \"%1\"").arg(name);
    }
    if (value.isNull())
        return tr("the field \"%1\" is Null").arg(name);
    if (value.typeId() != QMetaType::QByteArray)
        return tr("the field \"%1\" is not a binary field").arg(name);
    const QByteArray bytes = value.toByteArray();
    if (bytes.isEmpty())
        return tr("the field \"%1\" is empty").arg(name);
    const QString why = decodePicture(item, bytes, context);
    if (why.isEmpty())
        return QString();
    if (isSvg(bytes))
        return tr("the field \"%1\": %2").arg(name, why);
    // Access keeps pictures inside an OLE wrapper; the field reader finds
    // the picture within.
    item.pic = pictureFromField(rs, name);
    if (item.pic.isNull())
        return tr("the field \"%1\" holds no picture in a known format").arg(name);
    return QString();
}

QString loadFromPathField(PictureItem &item, const Recordset &rs, const Context &context)
{
    QVariant value;
    try {
        value = rs.fields().item(item.fileName).value();
    } catch (const DatabaseError &) {
        return tr("the section's records have no field \"%1\"").arg(item.fileName);
    }
    const QString path = value.toString().trimmed();
    if (value.isNull() || path.isEmpty())
        return tr("the field \"%1\" holds no file name").arg(item.fileName);
    return loadFile(item, path, context);
}

// Loads the picture; returns why it cannot be shown ("" when it is shown
// or nothing is asked for).
QString loadPicture(PictureItem &item, const Recordset *rs, const Context &context)
{
    if (item.hasPicture())
        return QString();
    item.pic = QImage();
    item.svg.clear();
    item.jpeg.clear();
    if (item.fileName.isEmpty())
        return QString(); // nothing to show, nothing drawn
    if (item.pType == PictureItem::FromFile)
        return loadFile(item, item.fileName, context);
    if (!item.printing)
        return QString(); // the designer shows database pictures empty
    if (!rs)
        return tr("the section has no records to take the field \"%1\" from").arg(item.fileName);
    if (item.pType == PictureItem::FromBinaryField)
        return loadFromBinaryField(item, *rs, context);
    return loadFromPathField(item, *rs, context);
}

// One entry per item and cause: a picture that fails the same way on every
// record is reported once, not once a record.
void reportOnce(ReportDocument &doc, const ErrorEntry &entry)
{
    for (auto it = doc.errorLst.crbegin(); it != doc.errorLst.crend(); ++it) {
        if (it->function_ == entry.function_ && it->class_ == entry.class_ &&
            it->message == entry.message && it->additionalInfo == entry.additionalInfo)
            return;
    }
    doc.addError(entry);
}

} // namespace

void PictureItem::loadPicture(const Recordset *rs)
{
    // A relative file name is the report's neighbour, in the designer too.
    Context context;
    const ReportDocument *doc = parent ? parent->parent : nullptr;
    if (doc && !doc->fileName.isEmpty())
        context.reportDir = QFileInfo(doc->fileName).absolutePath();
    ::loadPicture(*this, rs, context);
}

void loadPrintPicture(PictureItem &printItem, const PictureItem &design, ReportSection *sec)
{
    ReportDocument *doc = sec ? sec->parent : nullptr;
    Context context;
    if (doc) {
        if (!doc->fileName.isEmpty())
            context.reportDir = QFileInfo(doc->fileName).absolutePath();
        context.box = QSizeF(convertUnit(printItem.w, doc->unit(), Unit::Inches) * kDecodeDpi,
                             convertUnit(printItem.h, doc->unit(), Unit::Inches) * kDecodeDpi);
    }
    const QString why = loadPicture(printItem, sec ? sec->rsd.get() : nullptr, context);
    if (why.isEmpty() || !doc)
        return;
    reportOnce(*doc, ErrorEntry(QStringLiteral("iPic"), QStringLiteral("LoadPic"),
                                tr("The picture %1 of the section \"%2\" cannot be shown: %3")
                                    .arg(design.Key, sec->sectionName, why),
                                design.fileName));
}
