#pragma once

#include "document/borders.h"

#include <QString>

#include <memory>

class ReportSection;
class ReportDocument;
class XmlDocument;
class XmlNode;

// What text items, pictures and charts have in common: a rectangle in their
// section (in the document unit, never converted when the unit changes), a
// key in the section's `items`, four borders and the designer's flags.
// A section's `items` hold every kind through this class.
class ReportItem
{
public:
    enum Kind { TextKind, PictureKind, GraphKind };

    ReportItem(const ReportItem &) = delete;
    ReportItem &operator=(const ReportItem &) = delete;
    virtual ~ReportItem();

    Kind kind() const { return m_kind; }
    // "item", "picture" or "graph".
    QString whatIs() const;

    // The rectangle converted from the parent section's unit to twips
    // (32 pixels per centimetre); drawing and printing work with these.
    double xt() const;
    double yt() const;
    double wt() const;
    double ht() const;
    // The unit of the parent section; 0 without one (then xt… = x…).
    int unit() const;

    // Copies the stored properties of src (a ReportItem of the same kind)
    // and its borders; Key is not copied, parent becomes newParent. The copy
    // is marked modified and not selected.
    virtual void copy(const ReportItem &src, ReportSection *newParent) = 0;
    // A new object of the same class with copy() of this one and no key.
    virtual std::unique_ptr<ReportItem> clone() const = 0;

    virtual std::unique_ptr<XmlNode> toXmlNode(XmlDocument &dom) const = 0;
    virtual void readXml(const XmlNode &node) = 0;

    // Releases the references the item holds.
    virtual void release();

    float x = 0;
    float y = 0;
    float w = 1;
    float h = 1;
    QString Key;
    ReportSection *parent = nullptr;
    bool selected = false;
    bool modified = false;
    Borders borders;

protected:
    explicit ReportItem(Kind kind) : m_kind(kind) {}
    // The part of copy() shared by every kind.
    void copyCommon(const ReportItem &src, ReportSection *newParent);
    // Writes "xmlns", "x", "y", "width", "height", in that order.
    void writeGeometry(XmlNode &node) const;
    void readGeometry(const XmlNode &node);
    // Appends BORDERS when a border is visible (before the item's text).
    void writeBorders(XmlDocument &dom, XmlNode &node) const;
    void readBorders(const XmlNode &node);

private:
    Kind m_kind;
};
