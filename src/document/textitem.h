#pragma once

#include "document/reportitem.h"

#include <QString>

class DrawingSurface;
class ScriptValue;

// A text item: static text, a field reference such as
// "[Section name].[Field name]", or a formula starting with "=".
class TextItem : public ReportItem
{
public:
    TextItem();

    // "center" (any case) sets AlignH 2, "right" 1, anything else 0.
    void align(const QString &where);
    // One font flag by name, "bold", "italic", "underline" or
    // "strikethrough" in any case; other names read false and set nothing.
    bool fontWhat(const QString &what) const;
    void setFontWhat(const QString &what, bool value);

    void copy(const ReportItem &src, ReportSection *newParent) override;
    std::unique_ptr<ReportItem> clone() const override;
    std::unique_ptr<XmlNode> toXmlNode(XmlDocument &dom) const override;
    void readXml(const XmlNode &node) override;


    QString content = QStringLiteral("Your Text"); // line breaks are CR LF
    QString fontName = QStringLiteral("Arial");
    float fontSize = 10; // points
    bool fontBold = false;
    bool fontUnderline = false;
    bool fontItalic = false;
    bool fontStrikethrough = false;
    int fontColor = 0; // Windows RGB value, red in the low byte
    unsigned char fontCharset = 0;
    bool CanGrowVertical = false;
    bool CanGrowHorizontal = false; // not stored
    unsigned char AlignH = 0;       // 0 left, 1 right, 2 centre
    unsigned char alignV = 0;       // not stored
    bool HideDuplicates = false;    // not stored
    QString FormatString;
    bool runningSum = false;                // not stored
    QString visible = QStringLiteral("true"); // a condition, evaluated when printing

    // ---- Report run (defined in src/engine/) ----
    // The text record of the current record on the run's page being
    // filled; returns how much taller than designed its text made it.
    float addToPage() const;
    // The value formatted with the pattern; the value's own text when the
    // pattern does not apply.
    static QString formatValue(const ScriptValue &value, const QString &pattern);

    // ---- Drawing (defined in src/output/) ----
    // Copies the font and colour to the surface.
    void initFont(DrawingSurface &surface) const;
};
