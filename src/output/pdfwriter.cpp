#include "pdfwriter.h"

#include <QIODevice>

#include <libdeflate.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// libdeflate's level 4 gives within a few per cent of zlib's best on page
// contents at a fraction of its time (see bench/README.md).
constexpr int kDeflateLevel = 4;
// Objects per object stream: large enough to compress well, small enough
// that a reader need not inflate much to reach one.
constexpr size_t kPackedPerStream = 200;

struct Compressor
{
    libdeflate_compressor *handle = libdeflate_alloc_compressor(kDeflateLevel);
    ~Compressor() { libdeflate_free_compressor(handle); }
};

} // namespace

PdfWriter::PdfWriter(QIODevice *device) : m_device(device)
{
    m_entries.push_back({});
    // The binary comment tells transfer programs the file is not text.
    write(QByteArrayLiteral("%PDF-1.7\n%\xE2\xE3\xCF\xD3\n"));
}

PdfWriter::~PdfWriter() = default;

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
    m_entries.push_back({});
    return int(m_entries.size() - 1);
}

QByteArray PdfWriter::ref(int id)
{
    QByteArray out;
    appendInt(out, id);
    out += " 0 R";
    return out;
}

void PdfWriter::addObject(int id, const QByteArray &body)
{
    m_entries[size_t(id)] = {1, m_offset, 0};
    QByteArray head;
    appendInt(head, id);
    head += " 0 obj\n";
    write(head);
    write(body);
    write(QByteArrayLiteral("\nendobj\n"));
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
    const int stream = reserve();
    for (size_t i = 0; i < m_packedIds.size(); ++i)
        m_entries[size_t(m_packedIds[i])] = {2, stream, quint32(i)};
    m_packedHeader += '\n';
    QByteArray dictionary = "/Type /ObjStm /N ";
    appendInt(dictionary, qint64(m_packedIds.size()));
    dictionary += " /First ";
    appendInt(dictionary, m_packedHeader.size());
    addStream(stream, dictionary, m_packedHeader + m_packedBodies);
    m_packedIds.clear();
    m_packedHeader.clear();
    m_packedBodies.clear();
}

void PdfWriter::addStream(int id, const QByteArray &dictionary, const QByteArray &data,
                          bool compress)
{
    const QByteArray packed = compress ? deflate(data) : QByteArray();
    const QByteArray &body = compress ? packed : data;
    QByteArray head = "<<";
    head += dictionary;
    head += " /Length ";
    appendInt(head, body.size());
    if (compress)
        head += " /Filter /FlateDecode";
    head += ">>\nstream\n";
    m_entries[size_t(id)] = {1, m_offset, 0};
    QByteArray number;
    appendInt(number, id);
    write(number + " 0 obj\n" + head);
    write(body);
    write(QByteArrayLiteral("\nendstream\nendobj\n"));
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
    m_entries[size_t(xref)] = {1, m_offset, 0};
    // Fields of 1, 4 and 2 bytes: type, offset or stream, index.
    QByteArray table;
    table.reserve(qsizetype(m_entries.size() * 7));
    for (const Entry &e : m_entries) {
        table += char(e.type);
        for (int shift = 24; shift >= 0; shift -= 8)
            table += char((e.field >> shift) & 0xFF);
        table += char((e.index >> 8) & 0xFF);
        table += char(e.index & 0xFF);
    }
    const QByteArray id = fileId.toHex();
    QByteArray dictionary = "/Type /XRef /W [1 4 2] /Size ";
    appendInt(dictionary, qint64(m_entries.size()));
    dictionary += " /Root " + ref(root);
    if (info > 0)
        dictionary += " /Info " + ref(info);
    dictionary += " /ID [<" + id + "><" + id + ">]";
    const qint64 start = m_offset;
    addStream(xref, dictionary, table);
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
    quint64 v = negative ? quint64(-value) : quint64(value);
    do {
        *--p = char('0' + v % 10);
        v /= 10;
    } while (v);
    if (negative)
        *--p = '-';
    out.append(p, end - p);
}

void PdfWriter::appendNumber(QByteArray &out, double value)
{
    // Three decimals are far below anything a page shows.
    if (!std::isfinite(value))
        value = 0;
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
    out.append(digits, n);
}

void PdfWriter::appendText(QByteArray &out, const QString &text)
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
