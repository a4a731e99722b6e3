#pragma once

#include "document/reportitem.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// A picture item. Where the picture comes from depends on pType: 0 the file
// fileName, 1 the binary database field named by fileName, 2 the field
// named by fileName holding the path of a picture file.
class Recordset;

class PictureItem : public ReportItem
{
public:
    enum Source { FromFile = 0, FromBinaryField = 1, FromPathField = 2 };

    PictureItem();

    void copy(const ReportItem &src, ReportSection *newParent) override;
    std::unique_ptr<ReportItem> clone() const override;
    std::unique_ptr<XmlNode> toXmlNode(XmlDocument &dom) const override;
    void readXml(const XmlNode &node) override;

    QString fileName;
    int pType = FromFile;
    bool stretch = false; // fill the rectangle instead of keeping the aspect ratio
    QString altText;      // what the picture shows, for screen readers; empty: its file name
    QImage pic;           // the loaded picture; null until loaded
    bool printing = false; // a print copy: database pictures are fetched only then

    // ---- Report run (defined in src/engine/) ----
    // The print copy on the document's page being filled; never grows (0).
    float addToPage() const;

    // ---- Loading (defined in src/engine/) ----
    QByteArray svg; // an SVG picture, drawn as vectors; pic is then null
    // The JPEG file pic was decoded from, whole and as it came: a PDF takes
    // it unchanged. Empty for other pictures.
    QByteArray jpeg;
    // Obtains the picture unless one is loaded: from the file, or on a print
    // copy from the current record of `rs` (the item's section).
    void loadPicture(const Recordset *rs);
    bool hasPicture() const { return !pic.isNull() || !svg.isEmpty(); }
};
