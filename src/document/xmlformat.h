#pragma once

#include <QString>
#include <QStringView>

#include <optional>

class XmlNode;

// Names and value rules of the report file, kept in one place for the
// reader and the writer.
namespace XmlFormat {

// The document namespace written on every element; the reader ignores it.
inline constexpr char16_t namespaceUri[] = u"http://mirt.talvo.org/schemas/mirt1";
inline constexpr char16_t schemaInstanceUri[] = u"http://www.w3.org/2001/XMLSchema-instance";
inline constexpr char16_t schemaFile[] = u"mirt1.xsd";

// Element names (compared upper-cased on reading).
inline constexpr char16_t rootElement[] = u"MIRTDOCUMENT";
inline constexpr char16_t sectionElement[] = u"SECTION";
inline constexpr char16_t itemElement[] = u"ITEM";
inline constexpr char16_t pictureElement[] = u"PICTURE";
inline constexpr char16_t graphElement[] = u"GRAPH";
inline constexpr char16_t bordersElement[] = u"BORDERS";
inline constexpr char16_t borderElement[] = u"BORDER";

// The "Where" values of BORDER, in the order written.
inline constexpr char16_t whereLeft[] = u"left";
inline constexpr char16_t whereRight[] = u"right";
inline constexpr char16_t whereTop[] = u"top";
inline constexpr char16_t whereBottom[] = u"bottom";

// The text PICTURE, GRAPH and BORDER carry in place of content.
inline constexpr char16_t placeholderText[] = u" ";

// Sets "xmlns" to the document namespace: every element written starts so.
void setNamespace(XmlNode &element);

// True when the node is an element whose local name, upper-cased, is `name`.
bool isElement(const XmlNode &node, QStringView name);

} // namespace XmlFormat

// "true" or "false".
QString boolText(bool value);
// True when the first character, upper-cased, is Y, T, V or O ("yes",
// "true", "vrai", "oui" in any case); anything else, "" included, is false.
bool textToBool(QStringView text);
// Every line break (CR LF, LF alone, CR alone) becomes CR LF.
QString normalizeLineBreaks(const QString &text);

// The leading number of a text: optional sign, digits, optional period and
// digits, optional exponent (E or D); blanks anywhere are skipped. Empty when
// the text starts with no number, or the number does not fit a double.
std::optional<double> leadingNumber(QStringView text);

// The attribute reader shared by every readXml: looks the attribute up by
// exact name and converts its text by the kind of `value`; a missing
// attribute, a text without a number, or a number outside the property's
// range leaves `value` as it is. Returns the (possibly updated) value.
float readAttr(const XmlNode &node, QStringView name, float &value);
int readAttr(const XmlNode &node, QStringView name, int &value);
unsigned char readAttr(const XmlNode &node, QStringView name, unsigned char &value);
bool readAttr(const XmlNode &node, QStringView name, bool &value);
QString readAttr(const XmlNode &node, QStringView name, QString &value);
// An integer attribute restricted to [low, high]; other values keep `value`.
int readAttr(const XmlNode &node, QStringView name, int &value, int low, int high);
