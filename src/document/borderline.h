#pragma once

#include <QString>

#include <memory>

class XmlDocument;
class XmlNode;

// One line around an item. A new border is invisible (style 5), so an item
// shows no frame until one is chosen.
class BorderLine
{
public:
    // Line styles, named as the border dialog names them.
    enum Style { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Invisible = 5 };

    unsigned char Width = 1; // pixels
    int Color = 0;           // Windows RGB value, red in the low byte
    int style = Invisible;

    bool isVisible() const { return style != Invisible; }
    // Half the line width in twips (32 pixels per centimetre): drawing moves
    // a line inwards by this much so thick lines stay inside the box.
    float wt() const;

    void setValues(unsigned char width_, int color_, int style_);
    void copy(const BorderLine &source);
    bool Equal(const BorderLine &other) const;

    // <BORDER Where="…" Width Color Style> with a single space as text.
    std::unique_ptr<XmlNode> toXmlNode(XmlDocument &dom, const QString &where) const;
    void readXml(const XmlNode &node);
    // " border-<where>: #RRGGBB <n>px <style>; ", or "" when invisible.
    QString exportHtml(const QString &where) const;
};
