#include "dataaccess.h"

#include "document/userinteraction.h"
#include "platform/connection.h"
#include "platform/databaseerror.h"
#include "platform/recordset.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>

#include <array>
#include <utility>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("dataaccess", text);
}

// A picture of pixels only: SVG text would be drawn by the SVG renderer,
// which reads the files it names; pictures go through the picture loader,
// which checks them, first.
QImage rasterImage(const QByteArray &bytes, const char *format = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    // A named format is the only one tried: a wrapper's inner bytes must not
    // be taken for anything else.
    reader.setAutoDetectImageFormat(format == nullptr);
    if (reader.format() == "svg" || reader.format() == "svgz")
        return QImage();
    return reader.read();
}

// Access stores pictures as OLE objects: a header names the server that made
// it and the file's bytes follow. The image starts at its format's signature.
QImage imageInsideWrapper(const QByteArray &bytes)
{
    static const std::array<std::pair<QByteArray, const char *>, 4> signatures = {{
        {QByteArray("\x89PNG\r\n\x1a\n", 8), "png"},
        {QByteArray("\xff\xd8\xff", 3), "jpeg"},
        {QByteArray("GIF8"), "gif"},
        {QByteArray("BM"), "bmp"},
    }};
    for (const auto &[signature, format] : signatures) {
        for (qsizetype at = bytes.indexOf(signature, 1); at > 0;
             at = bytes.indexOf(signature, at + 1)) {
            const QImage image = rasterImage(bytes.mid(at), format);
            if (!image.isNull())
                return image;
        }
    }
    return QImage();
}

} // namespace

bool openConnection(std::unique_ptr<Connection> &connection, const QString &connectionString,
                    bool silent, const QString &baseDir)
{
    connection = std::make_unique<Connection>();
    connection->setBaseDir(baseDir);
    try {
        connection->open(connectionString, QString(), QString(), -1);
    } catch (const DatabaseError &e) {
        if (!silent) {
            UserInteraction::current()->message(tr("Impossible to open the connection") +
                                                    QStringLiteral("\r\n") + e.description(),
                                                UserInteraction::Ok);
        }
        return false;
    }
    if (connection->state() != Connection::adStateOpen) {
        if (!silent)
            UserInteraction::current()->message(tr("Impossible to open the connection"),
                                                UserInteraction::Ok);
        return false;
    }
    return true;
}

QImage pictureFromField(const Recordset &rs, const QString &fieldName, QString *errorText)
{
    auto fail = [&](const QString &why) {
        if (errorText)
            *errorText = why;
        return QImage();
    };
    QByteArray bytes;
    try {
        const Field field = rs.fields().item(fieldName);
        const QVariant value = field.value();
        if (value.isNull())
            return fail(tr("The field \"%1\" is Null: it holds no picture.").arg(fieldName));
        if (value.typeId() != QMetaType::QByteArray)
            return fail(
                tr("The field \"%1\" holds no picture: it is not a binary field.").arg(fieldName));
        bytes = value.toByteArray();
    } catch (const DatabaseError &e) {
        return fail(tr("The picture of the field \"%1\" cannot be read: %2")
                        .arg(fieldName, e.description()));
    }
    QImage image = rasterImage(bytes);
    if (image.isNull())
        image = imageInsideWrapper(bytes);
    if (image.isNull())
        return fail(tr("The field \"%1\" holds %2 bytes that are no picture in a known format.")
                        .arg(fieldName)
                        .arg(bytes.size()));
    if (errorText)
        errorText->clear();
    return image;
}
