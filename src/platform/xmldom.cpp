#include "xmldom.h"

#include "outputfile.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <charconv>

namespace {

// Characters that XML 1.0 cannot carry at all (control characters other than
// tab, line feed and carriage return, lone surrogates, U+FFFE and U+FFFF).
// Written as they are, they would make a file that no parser reads back, so
// they are left out; every other character is kept.
bool isXmlChar(char32_t c)
{
    if (c < 0x20)
        return c == 0x9 || c == 0xA || c == 0xD;
    if (c >= 0xD800 && c <= 0xDFFF)
        return false;
    return c != 0xFFFE && c != 0xFFFF;
}

QString xmlSafe(const QString &text)
{
    bool clean = true;
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x20 || (u >= 0xD800 && u <= 0xDFFF) || u >= 0xFFFE) {
            clean = false;
            break;
        }
    }
    if (clean)
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append(ch);
            out.append(text.at(++i));
            continue;
        }
        if (isXmlChar(ch.unicode()))
            out.append(ch);
    }
    return out;
}

void writeNode(QXmlStreamWriter &w, const XmlNode &node)
{
    if (!node.isElement()) {
        w.writeCharacters(xmlSafe(node.text()));
        return;
    }
    w.writeStartElement(node.nodeName());
    for (const XmlNode::Attribute &a : node.attributes())
        w.writeAttribute(a.name, xmlSafe(a.value));
    for (const auto &child : node.childNodes())
        writeNode(w, *child);
    w.writeEndElement();
}

// The text of line `line` (1-based) of the raw file, for the parse message:
// control characters become spaces and a very long line is shortened.
QString lineText(const QByteArray &data, int line)
{
    if (line < 1)
        return QString();
    qsizetype start = 0;
    for (int i = 1; i < line; ++i) {
        start = data.indexOf('\n', start);
        if (start < 0)
            return QString();
        ++start;
    }
    qsizetype end = data.indexOf('\n', start);
    if (end < 0)
        end = data.size();
    constexpr qsizetype maxBytes = 400;
    const bool cut = end - start > maxBytes;
    QString text = QString::fromUtf8(data.mid(start, cut ? maxBytes : end - start));
    for (QChar &ch : text) {
        // Control characters (C1 too) and undecodable bytes: a binary file's
        // line would otherwise reach a terminal raw.
        if (ch.category() == QChar::Other_Control || ch.unicode() == 0xFFFD)
            ch = QLatin1Char(' ');
    }
    constexpr qsizetype maxChars = 160;
    if (text.size() > maxChars) {
        text.truncate(maxChars);
        return text + QStringLiteral("…");
    }
    if (cut)
        text += QStringLiteral("…");
    return text;
}

// An element with more attributes is refused as a parse error: report
// elements have a few dozen.
constexpr int kMaxAttributes = 256;

// The raw units of a file, bytes or UTF-16, as code units: markup is ASCII
// in every encoding a report file may have.
char16_t unitAt(QByteArrayView text, qsizetype i)
{
    return uchar(text[i]);
}

char16_t unitAt(QStringView text, qsizetype i)
{
    return text[i].unicode();
}

template <typename View> bool hasAt(View text, qsizetype i, const char *what)
{
    for (; *what; ++what, ++i) {
        if (i >= text.size() || unitAt(text, i) != char16_t(uchar(*what)))
            return false;
    }
    return true;
}

// The position after the next `what` from `from`; the end when there is none.
template <typename View> qsizetype skipPast(View text, qsizetype from, const char *what)
{
    const qsizetype length = qsizetype(qstrlen(what));
    for (qsizetype i = from; i + length <= text.size(); ++i) {
        if (hasAt(text, i, what))
            return i + length;
    }
    return text.size();
}

struct Refusal
{
    qsizetype at = -1; // where the refused markup starts; -1: none
    QString reason;
};

// What the stream reader would take too long over, found in one pass before
// it parses: it checks each attribute against all before it, so an element
// with very many attributes costs their number squared; and an entity's text
// is parsed again at each reference, so a small file could make a huge
// document. Report files need neither. The pass only looks at the markup of
// a well-formed document; faults of form are left to the reader.
template <typename View> Refusal refusedMarkup(View text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    for (;;) {
        while (i < n && unitAt(text, i) != u'<')
            ++i;
        if (i >= n)
            return {};
        const qsizetype start = i;
        if (hasAt(text, i, "<!--")) {
            i = skipPast(text, i + 4, "-->");
        } else if (hasAt(text, i, "<![CDATA[")) {
            i = skipPast(text, i + 9, "]]>");
        } else if (hasAt(text, i, "<?")) {
            i = skipPast(text, i + 2, "?>");
        } else if (hasAt(text, i, "<!")) {
            // The document type, with its internal subset in brackets.
            int depth = 0;
            char16_t quote = 0;
            for (i += 2; i < n; ++i) {
                const char16_t c = unitAt(text, i);
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == u'"' || c == u'\'') {
                    quote = c;
                } else if (c == u'[') {
                    ++depth;
                } else if (c == u']') {
                    --depth;
                } else if (c == u'>' && depth <= 0) {
                    ++i;
                    break;
                } else if (depth > 0 && hasAt(text, i, "<!--")) {
                    i = skipPast(text, i + 4, "-->") - 1;
                } else if (depth > 0 && hasAt(text, i, "<?")) {
                    i = skipPast(text, i + 2, "?>") - 1;
                } else if (depth > 0 && hasAt(text, i, "<!ENTITY")) {
                    return {i, QCoreApplication::translate(
                                   "XmlDocument",
                                   "The document declares entities, which a report never has.")};
                }
            }
        } else if (hasAt(text, i, "</")) {
            i = skipPast(text, i + 2, ">");
        } else {
            // A start tag: each attribute has one "=" outside the quoted values.
            int attributes = 0;
            char16_t quote = 0;
            for (++i; i < n; ++i) {
                const char16_t c = unitAt(text, i);
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == u'"' || c == u'\'') {
                    quote = c;
                } else if (c == u'=') {
                    if (++attributes > kMaxAttributes)
                        return {start, QCoreApplication::translate(
                                           "XmlDocument", "An element has more than %1 attributes.")
                                           .arg(kMaxAttributes)};
                } else if (c == u'>' || c == u'<') {
                    break;
                }
            }
        }
    }
}

template <typename View> int lineAt(View text, qsizetype at)
{
    int line = 1;
    for (qsizetype i = 0; i < at; ++i) {
        if (unitAt(text, i) == u'\n')
            ++line;
    }
    return line;
}

} // namespace

QString XmlNode::baseName() const
{
    if (m_type != Element)
        return QString();
    const qsizetype colon = m_name.lastIndexOf(QLatin1Char(':'));
    return colon < 0 ? m_name : m_name.mid(colon + 1);
}

QString XmlNode::text() const
{
    if (m_type == Text)
        return m_name;
    QString out;
    for (const auto &child : m_children) {
        if (child->m_type == Text)
            out += child->m_name;
    }
    return out;
}

XmlNode *XmlNode::appendChild(std::unique_ptr<XmlNode> child)
{
    XmlNode *raw = child.get();
    if (m_type == Element && child)
        m_children.push_back(std::move(child));
    return raw;
}

const QString *XmlNode::getNamedItem(QStringView name) const
{
    for (const Attribute &a : m_attributes) {
        if (a.name == name)
            return &a.value;
    }
    return nullptr;
}

QString XmlNode::getAttribute(QStringView name) const
{
    const QString *v = getNamedItem(name);
    return v ? *v : QString();
}

void XmlNode::setAttribute(const QString &name, const QString &value)
{
    for (Attribute &a : m_attributes) {
        if (a.name == name) {
            a.value = value;
            return;
        }
    }
    m_attributes.push_back(Attribute{name, value});
}

void XmlNode::setAttribute(const QString &name, float value)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    setAttribute(name, QString::fromLatin1(buf, res.ptr - buf));
}

void XmlNode::setAttribute(const QString &name, double value)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    setAttribute(name, QString::fromLatin1(buf, res.ptr - buf));
}

void XmlNode::setAttribute(const QString &name, int value)
{
    setAttribute(name, QString::number(value));
}

std::unique_ptr<XmlNode> XmlDocument::createElement(const QString &name) const
{
    return std::unique_ptr<XmlNode>(new XmlNode(XmlNode::Element, name));
}

std::unique_ptr<XmlNode> XmlDocument::createTextNode(const QString &text) const
{
    return std::unique_ptr<XmlNode>(new XmlNode(XmlNode::Text, text));
}

QByteArray XmlDocument::toByteArray() const
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    if (m_root)
        writeNode(w, *m_root);
    out.append('\n');
    return out;
}

bool XmlDocument::save(const QString &fileName)
{
    m_errorString.clear();
    OutputFile file(fileName);
    if (!file.open() || !file.write(toByteArray()) || !file.commit()) {
        m_errorString = QCoreApplication::translate("XmlDocument", "Cannot write %1: %2")
                            .arg(fileName, file.errorString());
        return false;
    }
    return true;
}

bool XmlDocument::load(const QString &fileName)
{
    m_root.reset();
    m_parseError = XmlParseError();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_parseError.errorCode = 1;
        m_parseError.reason = file.errorString();
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_parseError.errorCode = 1;
        m_parseError.reason = file.errorString();
        return false;
    }
    return setContent(data);
}

bool XmlDocument::setContent(const QByteArray &data)
{
    m_root.reset();
    m_parseError = XmlParseError();

    // Files in UTF-16 or UTF-32 are looked at as text; any other encoding
    // has its markup in ASCII bytes.
    const auto encoding = QStringConverter::encodingForData(data, u'<');
    const bool wide = encoding && *encoding != QStringConverter::Utf8;
    const QString decoded = wide ? QStringDecoder(*encoding).decode(data) : QString();
    const Refusal refusal =
        wide ? refusedMarkup(QStringView(decoded)) : refusedMarkup(QByteArrayView(data));
    if (refusal.at >= 0) {
        m_parseError.errorCode = int(QXmlStreamReader::CustomError);
        m_parseError.reason = refusal.reason;
        m_parseError.line = wide ? lineAt(QStringView(decoded), refusal.at)
                                 : lineAt(QByteArrayView(data), refusal.at);
        m_parseError.srcText = lineText(data, m_parseError.line);
        return false;
    }

    QXmlStreamReader reader(data);
    // Namespace declarations stay plain attributes and unknown prefixes are
    // no error: the report reader never looks at namespaces.
    reader.setNamespaceProcessing(false);

    std::unique_ptr<XmlNode> root;
    std::vector<XmlNode *> open;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (int(open.size()) >= maxDepth) {
                reader.raiseError(QCoreApplication::translate(
                    "XmlDocument", "Elements are nested more than %1 levels deep.").arg(maxDepth));
                break;
            }
            std::unique_ptr<XmlNode> node = createElement(reader.qualifiedName().toString());
            node->m_line = int(reader.lineNumber());
            const QXmlStreamAttributes attrs = reader.attributes();
            node->m_attributes.reserve(size_t(attrs.size()));
            for (const QXmlStreamAttribute &a : attrs)
                node->m_attributes.push_back(
                    XmlNode::Attribute{a.qualifiedName().toString(), a.value().toString()});
            XmlNode *raw = node.get();
            if (open.empty())
                root = std::move(node);
            else
                open.back()->m_children.push_back(std::move(node));
            open.push_back(raw);
        } else if (token == QXmlStreamReader::EndElement) {
            if (!open.empty())
                open.pop_back();
        } else if (token == QXmlStreamReader::Characters || token == QXmlStreamReader::EntityReference) {
            if (open.empty())
                continue;
            XmlNode *parent = open.back();
            const QString text = reader.text().toString();
            // Text, entity references and CDATA in a row form one text node.
            if (!parent->m_children.empty() && parent->m_children.back()->m_type == XmlNode::Text) {
                parent->m_children.back()->m_name += text;
            } else {
                std::unique_ptr<XmlNode> t = createTextNode(text);
                t->m_line = int(reader.lineNumber());
                parent->m_children.push_back(std::move(t));
            }
        }
    }

    if (!reader.hasError() && !root)
        reader.raiseError(QCoreApplication::translate("XmlDocument", "The document has no root element."));
    if (reader.hasError()) {
        m_parseError.errorCode = int(reader.error()) == 0 ? 1 : int(reader.error());
        m_parseError.reason = reader.errorString();
        m_parseError.line = int(reader.lineNumber());
        m_parseError.srcText = lineText(data, m_parseError.line);
        return false;
    }
    m_root = std::move(root);
    return true;
}
