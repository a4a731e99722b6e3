#pragma once

#include "document/borderline.h"

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
    BorderLine left;
    BorderLine right;
    BorderLine top;
    BorderLine bottom;

    // True when at least one border is visible (style other than 5).
    bool isAnyBorders() const;
    // Left equals right, right equals top and top equals bottom.
    bool allEqual() const;
    void setValues(unsigned char width_, int color_, int style_);
    void copy(const Borders &source);
    // The borders are plain members; kept so owners can treat every model
    // object alike.
    void release() {}

    // <BORDERS> with its four <BORDER> children: left, right, top, bottom.
    std::unique_ptr<XmlNode> toXmlNode(XmlDocument &dom) const;
    // Reads every <BORDER> child by its "Where"; borders without one keep
    // their values.
    void readXml(const XmlNode &node);
    // CSS declarations of the visible borders: left, bottom, right, top.
    QString exportHtml() const;

    // ---- Drawing (defined in src/output/) ----
    // The borders of `item` placed at (x, y) on the surface: one box when
    // all four are equal, else four segments; nothing when none is set.
    void printBorders(DrawingSurface &surface, const ReportItem &item, double x, double y) const;
    // The same around the box at (x, y), w wide and h high.
    void printBorders(DrawingSurface &surface, double x, double y, double w, double h) const;
};
