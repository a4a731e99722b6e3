#pragma once

#include "document/border.h"

#include <QString>

#include <memory>

class DrawingSurface;
class ReportItem;
class XmlDocument;
class XmlNode;

// The four borders of an item, in the order they are drawn and stored.
class Borders
{
public:
    border left;
    border right;
    border top;
    border bottom;

    // True when at least one border is visible (style other than 5).
    bool isAnyBorders() const;
    // Left equals right, right equals top and top equals bottom.
    bool AllEquals() const;
    void setValues(unsigned char width_, int color_, int style_);
    void copy(const Borders &source);
    // The borders are plain members; kept so owners can treat every model
    // object alike.
    void CloseClean() {}

    // <BORDERS> with its four <BORDER> children: left, right, top, bottom.
    std::unique_ptr<XmlNode> getXMLNode(XmlDocument &dom) const;
    // Reads every <BORDER> child by its "Where"; borders without one keep
    // their values.
    void SetValXML(const XmlNode &node);
    // CSS declarations of the visible borders: left, bottom, right, top.
    QString ExportHTML() const;

    // ---- Drawing (defined in src/output/) ----
    // The borders of `item` placed at (x, y) on the surface: one box when
    // all four are equal, else four segments; nothing when none is set.
    void printBorders(DrawingSurface &surface, const ReportItem &item, double x, double y) const;
    // The same around the box at (x, y), w wide and h high.
    void printBorders(DrawingSurface &surface, double x, double y, double w, double h) const;
};
