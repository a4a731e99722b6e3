#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>
#include <utility>
#include <vector>

// A small XML document object model: what the report format reads and
// writes, no more. Unlike QDomDocument it keeps attributes in the order they
// were set, which the report files rely on, and it always saves UTF-8 through
// QSaveFile, so a failed save leaves the previous file as it was.
class XmlNode
{
public:
    enum Type { Element, Text };

    struct Attribute
    {
        QString name;
        QString value;
    };

    Type type() const { return m_type; }
    bool isElement() const { return m_type == Element; }

    // The qualified name of an element ("xsi:schemaLocation" style names are
    // kept as written); empty for text.
    const QString &nodeName() const { return m_name; }
    // The local name without prefix; empty for text nodes.
    QString baseName() const;

    // Text node: its text. Element: the text of its direct text children,
    // in order (descendants' texts are not part of it).
    QString text() const;

    // 1-based line on which the node starts in a loaded file; 0 when built.
    int line() const { return m_line; }

    const std::vector<std::unique_ptr<XmlNode>> &childNodes() const { return m_children; }
    XmlNode *appendChild(std::unique_ptr<XmlNode> child);

    const std::vector<Attribute> &attributes() const { return m_attributes; }
    // The attribute's value, or nullptr when it is missing (exact name).
    const QString *getNamedItem(QStringView name) const;
    // The attribute's value, or "" when it is missing.
    QString getAttribute(QStringView name) const;

    // Sets an attribute; a new name goes after the existing ones, a known one
    // keeps its place. Numbers are written in plain decimal with a period,
    // whatever the locale; a single is written with the fewest digits that
    // read back to the same value.
    void setAttribute(const QString &name, const QString &value);
    void setAttribute(const QString &name, const char *value) { setAttribute(name, QString::fromUtf8(value)); }
    void setAttribute(const QString &name, float value);
    void setAttribute(const QString &name, double value);
    void setAttribute(const QString &name, int value);
    void setAttribute(const QString &name, unsigned char value) { setAttribute(name, int(value)); }
    void setAttribute(const QString &name, bool value) = delete; // write "true"/"false" explicitly

private:
    friend class XmlDocument;
    XmlNode(Type type, QString nameOrText) : m_type(type), m_name(std::move(nameOrText)) {}

    Type m_type;
    QString m_name; // element name, or the text of a text node
    int m_line = 0;
    std::vector<Attribute> m_attributes;
    std::vector<std::unique_ptr<XmlNode>> m_children;
};

// The parse error of the last load: errorCode 0 means none.
struct XmlParseError
{
    int errorCode = 0;
    QString reason;
    int line = 0;
    QString srcText; // the text of the faulty line, shortened when very long
};

class XmlDocument
{
public:
    XmlDocument() = default;
    XmlDocument(const XmlDocument &) = delete;
    XmlDocument &operator=(const XmlDocument &) = delete;

    std::unique_ptr<XmlNode> createElement(const QString &name) const;
    std::unique_ptr<XmlNode> createTextNode(const QString &text) const;

    void setDocumentElement(std::unique_ptr<XmlNode> root) { m_root = std::move(root); }
    // The root element; nullptr before a successful load or setDocumentElement.
    XmlNode *documentElement() const { return m_root.get(); }

    // Writes the tree as UTF-8 (no XML declaration, no added white space)
    // and replaces the file only when everything was written.
    bool save(const QString &fileName);
    // The tree as it would be saved.
    QByteArray toByteArray() const;
    // Why the last save failed, with the file name.
    QString errorString() const { return m_errorString; }

    // Parses a file; false on failure, with parseError() filled in. Nothing
    // outside the file is fetched (no external entities, no schema).
    bool load(const QString &fileName);
    bool setContent(const QByteArray &data);
    const XmlParseError &parseError() const { return m_parseError; }

    // Deeper nesting is refused as a parse error; report files need five
    // levels, and the limit keeps hostile files from exhausting the stack.
    static constexpr int maxDepth = 256;

private:
    std::unique_ptr<XmlNode> m_root;
    XmlParseError m_parseError;
    QString m_errorString;
};
