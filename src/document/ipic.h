#pragma once

#include "document/reportitem.h"

#include <QImage>
#include <QString>

// A picture item. Where the picture comes from depends on pType: 0 the file
// fileName, 1 the binary database field named by fileName, 2 the field
// named by fileName holding the path of a picture file.
class iPic : public ReportItem
{
public:
    enum Source { FromFile = 0, FromBinaryField = 1, FromPathField = 2 };

    iPic();

    void copy(const ReportItem &src, section *newParent) override;
    std::unique_ptr<ReportItem> clone() const override;
    std::unique_ptr<XmlNode> getXMLNode(XmlDocument &dom) const override;
    void SetValXML(const XmlNode &node) override;

    QString fileName;
    int pType = FromFile;
    bool stretch = false; // fill the rectangle instead of keeping the aspect ratio
    QImage pic;           // the loaded picture; null until loaded
    bool printing = false; // a print copy: database pictures are fetched only then

    // ---- Report run (defined in src/engine/) ----
    void initPrint(); // remembers the design position
    // The print copy on the document's page being filled; never grows (0).
    float CreatePrintItem();
};
