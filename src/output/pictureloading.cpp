// Where a picture item's picture comes from: its file, a binary field of its
// section's current record, or a file whose path is in such a field.
#include "data/dataaccess.h"
#include "data/ifield.h"
#include "document/ipic.h"
#include "document/section.h"
#include "engine/printitemoutput.h"
#include "platform/databaseerror.h"
#include "platform/field.h"
#include "platform/fieldcollection.h"
#include "platform/recordset.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSvgRenderer>

namespace {

bool looksLikeSvg(const QByteArray &bytes)
{
    const QByteArray head = bytes.left(1024).trimmed();
    return head.startsWith("<svg") || ((head.startsWith("<?xml") || head.startsWith("<!DOCTYPE")) && head.contains("<svg"));
}

// Sets the picture from bytes: SVG stays vector, anything else is decoded
// by the image readers; bytes that are no picture leave it empty.
void setPicture(iPic &item, const QByteArray &bytes)
{
    if (looksLikeSvg(bytes)) {
        if (QSvgRenderer(bytes).isValid())
            item.svg = bytes;
        return;
    }
    item.pic = QImage::fromData(bytes);
}

void loadFile(iPic &item, const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    QFile file(path);
    // Pictures are small; a huge file is not one we should hold in memory.
    constexpr qint64 kLargest = 256 * 1024 * 1024;
    if (file.size() > kLargest || !file.open(QIODevice::ReadOnly))
        return;
    setPicture(item, file.readAll());
}

} // namespace

void iPic::LoadPic(const Recordset *rs)
{
    if (hasPicture())
        return;
    pic = QImage();
    svg.clear();
    if (pType == FromFile) {
        loadFile(*this, fileName);
        return;
    }
    if (!printing || !rs)
        return; // the designer shows database pictures empty
    if (pType == FromBinaryField) {
        const iField reference(fileName);
        try {
            const QVariant value = rs->Fields().Item(reference.name).Value();
            if (value.typeId() == QMetaType::QByteArray && looksLikeSvg(value.toByteArray())) {
                setPicture(*this, value.toByteArray());
                return;
            }
        } catch (const DatabaseError &) {
            return; // no such field: the picture stays empty
        }
        pic = pictureFromField(*rs, reference.name);
        return;
    }
    try {
        loadFile(*this, rs->Fields().Item(fileName).Value().toString());
    } catch (const DatabaseError &) {
    }
}

void loadPrintPicture(iPic &printItem, section *sec)
{
    printItem.LoadPic(sec ? sec->rsd.get() : nullptr);
}
