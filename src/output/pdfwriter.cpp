#include "pdfwriter.h"

#include <QIODevice>

#include <libdeflate.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// libdeflate's level 5 makes page contents and object streams a sixth
// smaller than levels 1 to 4 for little more time; above 6 the time grows
// far faster than the gain (measured in bench/README.md).
constexpr int kDeflateLevel = 5;
// Objects per object stream: large enough to compress well (a thousand
// make a tagged list 3 % smaller than two hundred), small enough that a
// reader need not inflate much to reach one (some 40 kB).
constexpr size_t kPackedPerStream = 1000;

struct Compressor
{
    libdeflate_compressor *handle = libdeflate_alloc_compressor(kDeflateLevel);
    ~Compressor() { libdeflate_free_compressor(handle); }
};

} // namespace

PdfWriter::PdfWriter(QIODevice *device) : m_device(device)
{
    m_thread = std::thread([this] { work(); });
    // The binary comment tells transfer programs the file is not text.
    Job header;
    header.data = QByteArrayLiteral("%PDF-1.7\n%\xE2\xE3\xCF\xD3\n");
    header.id = -1;
    enqueue(std::move(header));
}

PdfWriter::~PdfWriter()
{
    if (m_thread.joinable()) {
        Job stop;
        stop.stop = true;
        enqueue(std::move(stop));
        m_thread.join();
    }
}

void PdfWriter::enqueue(Job &&job)
{
    // A few pages ahead at most: what waits is memory.
    constexpr size_t kJobsAhead = 64;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_jobs.size() < kJobsAhead; });
    m_jobs.push_back(std::move(job));
    m_changed.notify_all();
}

void PdfWriter::work()
{
    m_entries.reserve(1 << 16);
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_jobs.empty(); });
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
            m_changed.notify_all();
        }
        if (job.stop)
            return;
        writeJob(job);
    }
}

void PdfWriter::writeJob(Job &job)
{
    if (job.id < 0) {
        write(job.data);
        return;
    }
    const size_t needed =
        size_t(std::max(job.id, job.packed.empty()
                                    ? 0
                                    : *std::max_element(job.packed.begin(), job.packed.end()))) +
        1;
    if (m_entries.size() < needed)
        m_entries.resize(needed);
    for (size_t i = 0; i < job.packed.size(); ++i)
        m_entries[size_t(job.packed[i])] = {2, job.id, quint32(i)};
    m_entries[size_t(job.id)] = {1, m_offset, 0};
    QByteArray head;
    appendInt(head, job.id);
    head += " 0 obj\n";
    if (!job.stream) {
        write(head);
        write(job.data);
        write(QByteArrayLiteral("\nendobj\n"));
        return;
    }
    if (job.compress)
        job.data = deflate(job.data);
    head += "<<";
    head += job.dictionary;
    head += " /Length ";
    appendInt(head, job.data.size());
    if (job.compress)
        head += " /Filter /FlateDecode";
    head += ">>\nstream\n";
    write(head);
    write(job.data);
    write(QByteArrayLiteral("\nendstream\nendobj\n"));
}

void PdfWriter::write(const QByteArray &data)
{
    if (!m_ok)
        return;
    if (m_device->write(data) != data.size()) {
        m_ok = false;
        return;
    }
    m_offset += data.size();
}

int PdfWriter::reserve()
{
    return ++m_lastId;
}

void PdfWriter::appendRef(QByteArray &out, int id)
{
    appendInt(out, id);
    out.append(" 0 R", 4);
}

QByteArray PdfWriter::ref(int id)
{
    QByteArray out;
    appendRef(out, id);
    return out;
}

void PdfWriter::addObject(int id, const QByteArray &body)
{
    Job job;
    job.id = id;
    job.data = body;
    enqueue(std::move(job));
}

void PdfWriter::addPacked(int id, const QByteArray &body)
{
    m_packedIds.push_back(id);
    appendInt(m_packedHeader, id);
    m_packedHeader += ' ';
    appendInt(m_packedHeader, m_packedBodies.size());
    m_packedHeader += ' ';
    m_packedBodies += body;
    m_packedBodies += '\n';
    if (m_packedIds.size() >= kPackedPerStream)
        flushPacked();
}

void PdfWriter::flushPacked()
{
    if (m_packedIds.empty())
        return;
    Job job;
    job.id = reserve();
    job.stream = true;
    job.compress = true;
    m_packedHeader += '\n';
    job.dictionary = "/Type /ObjStm /N ";
    appendInt(job.dictionary, qint64(m_packedIds.size()));
    job.dictionary += " /First ";
    appendInt(job.dictionary, m_packedHeader.size());
    job.data = m_packedHeader + m_packedBodies;
    job.packed = std::move(m_packedIds);
    enqueue(std::move(job));
    m_packedIds.clear();
    m_packedHeader.clear();
    m_packedBodies.clear();
}

PdfWriter::Job PdfWriter::streamJob(int id, const QByteArray &dictionary, const QByteArray &data,
                                   bool compress)
{
    Job job;
    job.id = id;
    job.stream = true;
    job.compress = compress;
    job.dictionary = dictionary;
    job.data = data;
    return job;
}

void PdfWriter::addStream(int id, const QByteArray &dictionary, const QByteArray &data,
                          bool compress)
{
    enqueue(streamJob(id, dictionary, data, compress));
}

QByteArray PdfWriter::deflate(const QByteArray &data)
{
    static thread_local Compressor compressor;
    const size_t bound = libdeflate_zlib_compress_bound(compressor.handle, size_t(data.size()));
    QByteArray out(qsizetype(bound), Qt::Uninitialized);
    const size_t size = libdeflate_zlib_compress(compressor.handle, data.constData(),
                                                 size_t(data.size()), out.data(), bound);
    out.truncate(qsizetype(size));
    return out;
}

void PdfWriter::finish(int root, int info, const QByteArray &fileId)
{
    flushPacked();
    const int xref = reserve();
    {
        Job stop;
        stop.stop = true;
        enqueue(std::move(stop));
        m_thread.join();
    }
    // The writing thread is done: the rest is written from here.
    m_entries.resize(size_t(xref) + 1);
    m_entries[size_t(xref)] = {1, m_offset, 0};
    // Fields as wide as their largest value needs, rows stored as their
    // difference to the row above (offsets grow slowly: mostly zeros).
    qint64 largest = 0;
    quint32 largestIndex = 0;
    for (const Entry &e : m_entries) {
        largest = std::max(largest, e.field());
        largestIndex = std::max(largestIndex, e.index());
    }
    auto width = [](quint64 v) {
        int n = 1;
        while (v >>= 8)
            ++n;
        return n;
    };
    const int fieldWidth = width(quint64(largest));
    const int indexWidth = width(largestIndex);
    const int row = 1 + fieldWidth + indexWidth;
    QByteArray table;
    table.reserve(qsizetype(m_entries.size()) * (row + 1));
    QByteArray previous(row, 0);
    QByteArray current(row, 0);
    for (const Entry &e : m_entries) {
        current[0] = char(e.type());
        for (int i = 0; i < fieldWidth; ++i)
            current[1 + i] = char((e.field() >> (8 * (fieldWidth - 1 - i))) & 0xFF);
        for (int i = 0; i < indexWidth; ++i)
            current[1 + fieldWidth + i] = char((e.index() >> (8 * (indexWidth - 1 - i))) & 0xFF);
        table += char(2); // PNG's "up" filter
        for (int i = 0; i < row; ++i)
            table += char(current[i] - previous[i]);
        std::swap(previous, current);
    }
    const QByteArray id = fileId.toHex();
    QByteArray dictionary = "/Type /XRef /W [1 ";
    appendInt(dictionary, fieldWidth);
    dictionary += ' ';
    appendInt(dictionary, indexWidth);
    dictionary += "] /DecodeParms <</Predictor 12 /Columns ";
    appendInt(dictionary, row);
    dictionary += ">> /Size ";
    appendInt(dictionary, qint64(m_entries.size()));
    dictionary += " /Root " + ref(root);
    if (info > 0)
        dictionary += " /Info " + ref(info);
    dictionary += " /ID [<" + id + "><" + id + ">]";
    const qint64 start = m_offset;
    Job job = streamJob(xref, dictionary, table, true);
    writeJob(job);
    QByteArray tail = "startxref\n";
    appendInt(tail, start);
    tail += "\n%%EOF\n";
    write(tail);
}

void PdfWriter::appendInt(QByteArray &out, qint64 value)
{
    char buffer[24];
    char *end = buffer + sizeof buffer;
    char *p = end;
    const bool negative = value < 0;
    quint64 v = negative ? 0 - quint64(value) : quint64(value);
    do {
        *--p = char('0' + v % 10);
        v /= 10;
    } while (v);
    if (negative)
        *--p = '-';
    appendBytes(out, p, end - p);
}

void PdfWriter::appendNumber(QByteArray &out, double value)
{
    // Three decimals are far below anything a page shows.
    // Past what any reader takes (a picture's wild coordinates) is cut.
    if (!std::isfinite(value))
        value = 0;
    value = std::clamp(value, -1e12, 1e12);
    const qint64 thousandths = std::llround(value * 1000);
    if (thousandths % 1000 == 0) {
        appendInt(out, thousandths / 1000);
        return;
    }
    if (thousandths < 0)
        out += '-';
    const quint64 a = quint64(thousandths < 0 ? -thousandths : thousandths);
    appendInt(out, qint64(a / 1000));
    out += '.';
    quint64 fraction = a % 1000;
    char digits[3] = {char('0' + fraction / 100), char('0' + fraction / 10 % 10),
                      char('0' + fraction % 10)};
    int n = 3;
    while (n > 0 && digits[n - 1] == '0')
        --n;
    appendBytes(out, digits, n);
}

void PdfWriter::appendText(QByteArray &out, QStringView text)
{
    bool plain = true;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E) {
            plain = false;
            break;
        }
    }
    if (plain) {
        out += '(';
        for (const QChar c : text) {
            const char ch = char(c.unicode());
            if (ch == '(' || ch == ')' || ch == '\\')
                out += '\\';
            out += ch;
        }
        out += ')';
        return;
    }
    static const char hex[] = "0123456789ABCDEF";
    out += "<FEFF";
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const char digits[4] = {hex[u >> 12], hex[(u >> 8) & 15], hex[(u >> 4) & 15], hex[u & 15]};
        out.append(digits, 4);
    }
    out += '>';
}

void PdfWriter::appendName(QByteArray &out, const QByteArray &name)
{
    out += '/';
    for (const char c : name) {
        const auto u = uchar(c);
        if (u < 0x21 || u > 0x7E || strchr("#()<>[]{}/%", c)) {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "#%02X", u);
            out.append(escaped, 3);
        } else {
            out += c;
        }
    }
}
