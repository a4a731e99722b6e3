#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

class QIODevice;

// The file level of a PDF: numbered objects written as they are ready,
// small ones packed into compressed object streams, and a cross-reference
// stream at the end. Everything above (pages, fonts, structure) is the
// callers'.
class PdfWriter
{
public:
    explicit PdfWriter(QIODevice *device);
    ~PdfWriter();
    PdfWriter(const PdfWriter &) = delete;
    PdfWriter &operator=(const PdfWriter &) = delete;

    // A new object number, written later.
    int reserve();
    // Writes object `id` (from reserve) with the body as it is.
    void addObject(int id, const QByteArray &body);
    // A small object that no stream refers to by offset: goes into the
    // current object stream, compressed with its neighbours.
    void addPacked(int id, const QByteArray &body);
    // Writes a stream object: `dictionary` holds the entries without << >>
    // and without /Length; with `compress` the data is deflated.
    void addStream(int id, const QByteArray &dictionary, const QByteArray &data,
                   bool compress = true);
    // Ends the file: the last object stream, the cross-reference stream and
    // the trailer. `fileId` is the 16 bytes of the file's identifier.
    void finish(int root, int info, const QByteArray &fileId);
    // False once a write failed.
    bool ok() const { return m_ok; }

    // Deflated (zlib format) with the level the writer uses.
    static QByteArray deflate(const QByteArray &data);

    // Syntax helpers, appending to `out`.
    static void appendNumber(QByteArray &out, double value);
    static void appendInt(QByteArray &out, qint64 value);
    // A text string: literal for printable ASCII, UTF-16 hex otherwise.
    static void appendText(QByteArray &out, const QString &text);
    // A name (without the slash's escaping rules violated).
    static void appendName(QByteArray &out, const QByteArray &name);
    static QByteArray ref(int id);

private:
    void write(const QByteArray &data);
    void flushPacked();

    struct Entry
    {
        quint8 type = 0;   // 0 free, 1 at an offset, 2 in an object stream
        qint64 field = 0;  // offset or the object stream's number
        quint32 index = 0; // place in the object stream
    };

    QIODevice *m_device;
    qint64 m_offset = 0;
    bool m_ok = true;
    std::vector<Entry> m_entries; // index = object number
    // The object stream being filled.
    QByteArray m_packedHeader;
    QByteArray m_packedBodies;
    std::vector<int> m_packedIds;
};
