#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class QIODevice;

// The file level of a PDF: numbered objects written as they are ready,
// small ones packed into compressed object streams, and a cross-reference
// stream at the end. Everything above (pages, fonts, structure) is the
// callers'. Compressing and writing happen on a thread of their own, in the
// order the objects were given, while the caller makes the next page.
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
    // Appends bytes the short way: QByteArray::append takes the general
    // path of insert, several times dearer for the few bytes of an operand.
    static void appendBytes(QByteArray &out, const char *data, qsizetype count)
    {
        const qsizetype at = out.size();
        if (out.capacity() < at + count)
            out.reserve(std::max<qsizetype>(at + count, 2 * out.capacity()));
        out.resize(at + count);
        std::memcpy(out.data() + at, data, size_t(count));
    }
    static void appendInt(QByteArray &out, qint64 value);
    // A text string: literal for printable ASCII, UTF-16 hex otherwise.
    static void appendText(QByteArray &out, QStringView text);
    // A name (without the slash's escaping rules violated).
    static void appendName(QByteArray &out, const QByteArray &name);
    static QByteArray ref(int id);
    static void appendRef(QByteArray &out, int id);

private:
    struct Job
    {
        int id = 0;
        QByteArray dictionary; // a stream's; empty with `object`
        QByteArray data;
        bool stream = false;
        bool compress = false;
        std::vector<int> packed; // the objects an object stream holds
        bool stop = false;
    };
    static Job streamJob(int id, const QByteArray &dictionary, const QByteArray &data,
                         bool compress);
    void enqueue(Job &&job);
    void work();
    void writeJob(Job &job);
    void write(const QByteArray &data);
    void flushPacked();

    // One object's place in 8 bytes: a long report has millions.
    class Entry
    {
    public:
        Entry() = default;
        Entry(quint8 type, qint64 field, quint32 index)
            : m_bits(quint64(type) << 62 | (quint64(index) & 0x3FFFF) << 44 |
                     (quint64(field) & kField))
        {
        }
        quint8 type() const
        {
            return quint8(m_bits >> 62);
        } // 0 free, 1 at an offset, 2 in a stream
        qint64 field() const { return qint64(m_bits & kField); } // offset or the stream's number
        quint32 index() const { return quint32(m_bits >> 44) & 0x3FFFF; } // place in the stream

    private:
        static constexpr quint64 kField = (quint64(1) << 44) - 1;
        quint64 m_bits = 0;
    };

    QIODevice *m_device;
    int m_lastId = 0;
    std::atomic<bool> m_ok = true;
    // The writing thread's: where each object went.
    qint64 m_offset = 0;
    std::vector<Entry> m_entries; // index = object number
    // The object stream being filled.
    QByteArray m_packedHeader;
    QByteArray m_packedBodies;
    std::vector<int> m_packedIds;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;
    std::thread m_thread;
};
