#include "pdffonts.h"

#include "engine/glyphimage.h"
#include "pdfwriter.h"

#include "engine/fontfallback.h"
#include "engine/textmetrics.h"

#include <QCryptographicHash>
#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QTextLayout>

#include <hb-subset.h>

#include <algorithm>
#include <map>
#include <numeric>

namespace {

uchar u8(const QByteArray &data, qsizetype at)
{
    return at >= 0 && at < data.size() ? uchar(data[at]) : 0;
}

quint16 u16(const QByteArray &data, qsizetype at)
{
    if (at < 0 || at + 2 > data.size())
        return 0;
    return quint16(uchar(data[at]) << 8 | uchar(data[at + 1]));
}

qint16 s16(const QByteArray &data, qsizetype at)
{
    return qint16(u16(data, at));
}

quint32 u32(const QByteArray &data, qsizetype at)
{
    return quint32(u16(data, at)) << 16 | u16(data, at + 2);
}

// The glyph to CID table of a CID-keyed CFF font; empty for another font,
// whose glyph numbers are its CIDs.
std::vector<quint16> cffCids(const QByteArray &cff, int glyphCount)
{
    std::vector<quint16> cids;
    if (cff.size() < 4)
        return cids;
    // An INDEX: count, offset size, offsets, data. Returns the offset after it
    // and sets the first item's range.
    auto index = [&](qsizetype at, qsizetype *first, qsizetype *firstEnd, int *count) -> qsizetype {
        const int n = u16(cff, at);
        if (count)
            *count = n;
        if (n == 0)
            return at + 2;
        const int offSize = u8(cff, at + 2);
        if (offSize < 1 || offSize > 4)
            return -1;
        auto offset = [&](int i) {
            quint32 v = 0;
            for (int b = 0; b < offSize; ++b)
                v = v << 8 | u8(cff, at + 3 + qsizetype(i) * offSize + b);
            return qsizetype(v);
        };
        const qsizetype data = at + 3 + qsizetype(n + 1) * offSize - 1;
        if (first)
            *first = data + offset(0);
        if (firstEnd)
            *firstEnd = data + offset(1);
        return data + offset(n);
    };
    qsizetype at = uchar(cff[2]);
    at = index(at, nullptr, nullptr, nullptr); // names
    qsizetype dict = 0;
    qsizetype dictEnd = 0;
    if (at < 0 || index(at, &dict, &dictEnd, nullptr) < 0 || dictEnd > cff.size())
        return cids;
    // The top DICT: operands, then an operator.
    bool cidKeyed = false;
    qint64 charset = 0;
    std::vector<double> operands;
    for (qsizetype p = dict; p < dictEnd;) {
        const int b = uchar(cff[p]);
        if (b <= 21) {
            int op = b;
            ++p;
            if (b == 12)
                op = 1200 + u8(cff, p++);
            if (op == 1230)
                cidKeyed = true;
            else if (op == 15 && !operands.empty())
                charset = qint64(operands.back());
            operands.clear();
        } else if (b == 28) {
            operands.push_back(s16(cff, p + 1));
            p += 3;
        } else if (b == 29) {
            operands.push_back(qint32(u32(cff, p + 1)));
            p += 5;
        } else if (b == 30) {
            // A real: nibbles up to an end nibble; its value is not needed.
            ++p;
            while (p < dictEnd && (uchar(cff[p]) & 0x0F) != 0x0F && (uchar(cff[p]) >> 4) != 0x0F)
                ++p;
            ++p;
            operands.push_back(0);
        } else if (b >= 32 && b <= 246) {
            operands.push_back(b - 139);
            ++p;
        } else if (b >= 247 && b <= 250) {
            operands.push_back((b - 247) * 256 + u8(cff, p + 1) + 108);
            p += 2;
        } else if (b >= 251 && b <= 254) {
            operands.push_back(-(b - 251) * 256 - u8(cff, p + 1) - 108);
            p += 2;
        } else {
            ++p;
        }
    }
    if (!cidKeyed || charset <= 2 || charset >= cff.size())
        return cids;
    cids.assign(size_t(glyphCount), 0);
    const int format = uchar(cff[charset]);
    qsizetype p = charset + 1;
    int gid = 1;
    if (format == 0) {
        for (; gid < glyphCount; ++gid, p += 2)
            cids[size_t(gid)] = u16(cff, p);
    } else if (format == 1 || format == 2) {
        while (gid < glyphCount && p < cff.size()) {
            const quint16 first = u16(cff, p);
            const int left = format == 1 ? u8(cff, p + 2) : u16(cff, p + 2);
            p += format == 1 ? 3 : 4;
            for (int i = 0; i <= left && gid < glyphCount; ++i)
                cids[size_t(gid++)] = quint16(first + i);
        }
    }
    return cids;
}

// The font's PostScript name from its name table, else its family.
QByteArray postScriptName(const QRawFont &font)
{
    const QByteArray name = font.fontTable("name");
    const int count = u16(name, 2);
    const int strings = u16(name, 4);
    QByteArray found;
    for (int i = 0; i < count; ++i) {
        const qsizetype r = 6 + qsizetype(i) * 12;
        const int platform = u16(name, r);
        const int id = u16(name, r + 6);
        const int length = u16(name, r + 8);
        const qsizetype offset = strings + u16(name, r + 10);
        if (id != 6 || offset + length > name.size())
            continue;
        QByteArray value;
        if (platform == 3 || platform == 0) {
            for (int k = 0; k + 1 < length; k += 2)
                value += char(u16(name, offset + k) & 0x7F);
        } else if (platform == 1) {
            value = name.mid(offset, length);
        }
        if (!value.isEmpty()) {
            found = value;
            break;
        }
    }
    if (found.isEmpty())
        found = (font.familyName() + u'-' + font.styleName()).toLatin1();
    QByteArray clean;
    for (const char c : std::as_const(found)) {
        if (c > 0x20 && c < 0x7F && !strchr("()<>[]{}/%#", c))
            clean += c;
    }
    return clean.isEmpty() ? QByteArrayLiteral("Font") : clean;
}

// The font as a file of its own, from the tables a PDF's font program
// needs (a QRawFont gives tables, not its file). HarfBuzz reads it as a
// whole; faces built table by table trip its subsetter.
QByteArray fontFile(const QRawFont &font)
{
    static const char *const tags[] = {"CFF ", "OS/2", "cmap", "cvt ", "fpgm",
                                       "gasp", "glyf", "head", "hhea", "hmtx",
                                       "loca", "maxp", "name", "post", "prep"};
    std::vector<std::pair<const char *, QByteArray>> tables;
    for (const char *tag : tags) {
        QByteArray data = font.fontTable(tag);
        if (!data.isEmpty())
            tables.emplace_back(tag, std::move(data));
    }
    const auto count = quint16(tables.size());
    QByteArray out;
    auto put16 = [&out](quint32 v) {
        out += char(v >> 8);
        out += char(v);
    };
    auto put32 = [&](quint32 v) {
        put16(v >> 16);
        put16(v & 0xFFFF);
    };
    const bool cff = !tables.empty() && qstrcmp(tables.front().first, "CFF ") == 0;
    put32(cff ? 0x4F54544F : 0x00010000); // 'OTTO' or TrueType
    put16(count);
    int power = 1;
    int log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    put16(quint32(power * 16));
    put16(quint32(log2));
    put16(quint32(count * 16 - power * 16));
    quint32 offset = 12 + 16 * quint32(count);
    for (const auto &[tag, data] : tables) {
        out.append(tag, 4);
        put32(0); // checksums are not read
        put32(offset);
        put32(quint32(data.size()));
        offset += (quint32(data.size()) + 3) & ~3u;
    }
    for (const auto &[tag, data] : tables) {
        out += data;
        while (out.size() % 4)
            out += '\0';
    }
    return out;
}

// The subset with the glyphs' numbers kept; empty when it fails.
QByteArray subset(const QRawFont &font, const std::vector<quint8> &used)
{
    const QByteArray file = fontFile(font);
    hb_blob_t *blob = hb_blob_create(file.constData(), unsigned(file.size()),
                                     HB_MEMORY_MODE_READONLY, nullptr, nullptr);
    hb_face_t *face = hb_face_create(blob, 0);
    hb_blob_destroy(blob);
    hb_subset_input_t *input = hb_subset_input_create_or_fail();
    QByteArray out;
    if (input) {
        hb_set_t *glyphs = hb_subset_input_glyph_set(input);
        for (size_t g = 0; g < used.size(); ++g) {
            if (used[g])
                hb_set_add(glyphs, hb_codepoint_t(g));
        }
        hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_RETAIN_GIDS | HB_SUBSET_FLAGS_NO_HINTING);
        // A PDF shows glyphs by number: the tables that choose and place
        // them are of no use there.
        hb_set_t *drop = hb_subset_input_set(input, HB_SUBSET_SETS_DROP_TABLE_TAG);
        for (const char *tag :
             {"GSUB", "GPOS", "GDEF", "BASE", "JSTF", "MATH", "kern", "morx", "DSIG", "vhea",
              "vmtx", "VORG", "CBDT", "CBLC", "sbix", "COLR", "CPAL", "SVG "})
            hb_set_add(drop, HB_TAG(tag[0], tag[1], tag[2], tag[3]));
        if (hb_face_t *result = hb_subset_or_fail(face, input)) {
            hb_blob_t *blob = hb_face_reference_blob(result);
            unsigned length = 0;
            const char *data = hb_blob_get_data(blob, &length);
            out = QByteArray(data, qsizetype(length));
            hb_blob_destroy(blob);
            hb_face_destroy(result);
        }
        hb_subset_input_destroy(input);
    }
    hb_face_destroy(face);
    return out;
}

void appendHex4(QByteArray &out, quint32 value)
{
    static const char hex[] = "0123456789ABCDEF";
    const char digits[4] = {hex[(value >> 12) & 15], hex[(value >> 8) & 15], hex[(value >> 4) & 15],
                            hex[value & 15]};
    out.append(digits, 4);
}

} // namespace

struct PdfFonts::Font
{
    QRawFont raw;
    int object = 0;
    int unitsPerEm = 1000;
    QByteArray hmtx;
    int horizontalMetrics = 0;
    int glyphCount = 0;
    bool cff = false;
    std::vector<quint16> cids;
    std::vector<quint8> used;
    std::vector<qint16> widths; // thousandths of the size; -1 unknown
    // What each glyph stands for: one character in `single`, or more in
    // `several` (ligatures, a glyph for a character and its marks).
    std::vector<char32_t> single;
    QHash<quint32, QString> several;
    qint64 spaceGlyph = -2; // -2 not looked up yet, -1 none

    // The glyphs the character map gives, one per character (as
    // QRawFont::glyphIndexesForChars), remembered for the common characters.
    bool nominalGlyphs(QStringView text, quint32 *glyphs, int *count)
    {
        if (cmap.empty())
            cmap.assign(0x3000, kUnknown);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            if (c >= cmap.size() || QChar::isSurrogate(c))
                return raw.glyphIndexesForChars(text.constData(), int(text.size()), glyphs, count);
            quint32 &known = cmap[c];
            if (known == kUnknown) {
                int one = 1;
                const QChar ch(c);
                if (!raw.glyphIndexesForChars(&ch, 1, &known, &one))
                    known = 0;
            }
            glyphs[i] = known;
        }
        *count = int(text.size());
        return true;
    }
    static constexpr quint32 kUnknown = 0xFFFFFFFF;
    std::vector<quint32> cmap; // by character, below U+3000

    quint32 code(quint32 glyph) const { return glyph < cids.size() ? cids[glyph] : glyph; }
    int width(quint32 glyph)
    {
        if (glyph >= widths.size())
            return 0;
        qint16 &w = widths[glyph];
        if (w < 0) {
            const int i = std::min(int(glyph), horizontalMetrics - 1);
            const int advance = i >= 0 ? u16(hmtx, qsizetype(i) * 4) : 0;
            w = qint16(std::lround(advance * 1000.0 / unitsPerEm));
        }
        return w;
    }
};

PdfFonts::PdfFonts(PdfWriter &writer) : m_writer(writer) {}

PdfFonts::~PdfFonts() = default;

int PdfFonts::fontFor(const QRawFont &font)
{
    for (const auto &[raw, index] : m_recent) {
        if (raw == font)
            return index;
    }
    // The same font at another size is the same font in a PDF.
    const QByteArray head = font.fontTable("head");
    const QByteArray maxp = font.fontTable("maxp");
    int found = -2;
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        const Font &f = *m_fonts[i];
        if (f.raw.familyName() == font.familyName() && f.raw.styleName() == font.styleName() &&
            f.raw.fontTable("head") == head) {
            found = int(i);
            break;
        }
    }
    if (found == -2) {
        if (head.size() < 54 || maxp.size() < 6) {
            found = -1;
        } else {
            auto entry = std::make_unique<Font>();
            entry->raw = font;
            entry->unitsPerEm = std::max<int>(16, u16(head, 18));
            entry->hmtx = font.fontTable("hmtx");
            entry->horizontalMetrics = u16(font.fontTable("hhea"), 34);
            entry->glyphCount = u16(maxp, 4);
            const QByteArray cff = font.fontTable("CFF ");
            entry->cff = !cff.isEmpty();
            if (entry->cff)
                entry->cids = cffCids(cff, entry->glyphCount);
            entry->used.assign(size_t(entry->glyphCount), 0);
            entry->widths.assign(size_t(entry->glyphCount), -1);
            entry->single.assign(size_t(entry->glyphCount), 0);
            entry->object = m_writer.reserve();
            m_fonts.push_back(std::move(entry));
            found = int(m_fonts.size() - 1);
        }
    }
    if (m_recent.size() >= 8)
        m_recent.erase(m_recent.begin());
    m_recent.emplace_back(font, found);
    return found;
}

int PdfFonts::object(int font) const
{
    return m_fonts[size_t(font)]->object;
}

quint32 PdfFonts::use(int font, quint32 glyph, int *width)
{
    Font &f = *m_fonts[size_t(font)];
    if (glyph >= f.used.size()) {
        *width = 0;
        return 0;
    }
    f.used[glyph] = 1;
    *width = f.width(glyph);
    return f.code(glyph);
}

bool PdfFonts::space(int font, quint32 *code, int *width)
{
    Font &f = *m_fonts[size_t(font)];
    if (f.spaceGlyph == -2) {
        const QChar space(u' ');
        quint32 glyph = 0;
        int count = 1;
        f.spaceGlyph = f.raw.glyphIndexesForChars(&space, 1, &glyph, &count) && count == 1 &&
                               glyph != 0 && assign(font, glyph, QStringLiteral(" "))
                           ? qint64(glyph)
                           : -1;
    }
    if (f.spaceGlyph < 0)
        return false;
    *code = use(font, quint32(f.spaceGlyph), width);
    return true;
}

bool PdfFonts::assign(int font, quint32 glyph, const QString &text)
{
    if (font < 0 || text.isEmpty())
        return true;
    Font &f = *m_fonts[size_t(font)];
    if (glyph >= f.single.size())
        return false;
    char32_t &one = f.single[glyph];
    const QList<uint> points = text.toUcs4();
    if (points.size() == 1) {
        if (one == 0) {
            one = points.front();
            return true;
        }
        return one == points.front();
    }
    if (one == 0) {
        one = 0xFFFFFFFF;
        f.several.insert(glyph, text);
        return true;
    }
    return one == 0xFFFFFFFF && f.several.value(glyph) == text;
}

bool PdfFonts::mapLine(const ShapedLine &line, QStringView text, const TextMetrics &style)
{
    if (line.glyphs.empty())
        return true;
    if (line.colourGlyphs) {
        // Colour glyphs are pictures: the line's text goes beside them.
        mapLineSlowly(line, text.toString(), style.font());
        return false;
    }
    // Most lines give one glyph per character, the one the font's character
    // map names, in the text's order (or its reverse, right to left).
    if (line.spans.size() == 1) {
        const QRawFont &raw = line.spans.front().font;
        const int index = fontFor(raw);
        if (index < 0)
            return false;
        QVarLengthArray<quint32, 128> nominal(text.size());
        int count = int(text.size());
        if (m_fonts[size_t(index)]->nominalGlyphs(text, nominal.data(), &count) &&
            size_t(count) == line.glyphs.size()) {
            const bool reversed = line.rightToLeft;
            // Marks placed above or below the baseline go the slow way.
            bool same = std::all_of(
                line.glyphs.begin(), line.glyphs.end(),
                [&](const ShapedLine::Glyph &g) { return g.y == line.glyphs.front().y; });
            for (int i = 0; i < count && same; ++i)
                same = nominal[i] == line.glyphs[size_t(reversed ? count - 1 - i : i)].index;
            if (same) {
                Font &f = *m_fonts[size_t(index)];
                bool unique = true;
                int at = 0;
                for (qsizetype c = 0; c < text.size(); ++at) {
                    char32_t point = text[c].unicode();
                    if (text[c].isHighSurrogate() && c + 1 < text.size() &&
                        text[c + 1].isLowSurrogate()) {
                        point = QChar::surrogateToUcs4(text[c], text[c + 1]);
                        c += 2;
                    } else {
                        ++c;
                    }
                    const quint32 glyph = nominal[at];
                    if (glyph >= f.single.size())
                        continue;
                    char32_t &one = f.single[glyph];
                    if (one == 0)
                        one = point;
                    else if (one != point)
                        unique = false;
                }
                return unique;
            }
        }
    }
    return mapLineSlowly(line, text.toString(), style.font());
}

bool PdfFonts::mapLineSlowly(const ShapedLine &line, const QString &text, const QFont &font)
{
    // The line laid out again as it was shaped, asked character by
    // character for its glyphs: characters that share a glyph form a
    // cluster, and a cluster's glyphs stand for its characters.
    QTextLayout layout(text, font, const_cast<QPaintDevice *>(&TextMetrics::referenceDevice()));
    const QTextLine textLine =
        layOutOneLine(layout, line.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    if (!textLine.isValid())
        return false;
    struct Placed
    {
        int font;
        quint32 glyph;
        qint64 x;
        qint64 y;
        bool operator<(const Placed &o) const
        {
            return std::tie(x, y, font, glyph) < std::tie(o.x, o.y, o.font, o.glyph);
        }
    };
    std::map<Placed, int> glyphIndex; // glyph -> its number in `placed`
    std::vector<Placed> placed;
    std::vector<std::vector<int>> glyphsOf; // per character start
    std::vector<qsizetype> starts;
    for (qsizetype c = 0; c < text.size();) {
        const int length = text[c].isHighSurrogate() && c + 1 < text.size() ? 2 : 1;
        std::vector<int> mine;
        for (const QGlyphRun &run : layout.glyphRuns(int(c), length)) {
            const int f = isColourFont(run.rawFont()) ? -1 : fontFor(run.rawFont());
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype i = 0; i < indexes.size(); ++i) {
                const Placed p{f, indexes[i], qRound64(positions.value(i).x() * 64),
                               qRound64(positions.value(i).y() * 64)};
                auto [it, added] = glyphIndex.emplace(p, int(placed.size()));
                if (added)
                    placed.push_back(p);
                mine.push_back(it->second);
            }
        }
        glyphsOf.push_back(std::move(mine));
        starts.push_back(c);
        c += length;
    }
    // Union of characters over shared glyphs.
    std::vector<int> parent(starts.size());
    std::iota(parent.begin(), parent.end(), 0);
    auto root = [&](int i) {
        while (parent[size_t(i)] != i)
            i = parent[size_t(i)] = parent[size_t(parent[size_t(i)])];
        return i;
    };
    std::vector<int> ownerOfGlyph(placed.size(), -1);
    for (size_t c = 0; c < glyphsOf.size(); ++c) {
        for (const int g : glyphsOf[c]) {
            if (ownerOfGlyph[size_t(g)] < 0)
                ownerOfGlyph[size_t(g)] = int(c);
            else
                parent[size_t(root(int(c)))] = root(ownerOfGlyph[size_t(g)]);
        }
    }
    bool unique = placed.size() >= line.glyphs.size();
    std::map<int, std::vector<int>> clusters; // root -> characters, in order
    for (size_t c = 0; c < starts.size(); ++c)
        clusters[root(int(c))].push_back(int(c));
    for (const auto &[first, characters] : clusters) {
        std::vector<int> glyphs;
        for (const int c : characters) {
            for (const int g : glyphsOf[size_t(c)]) {
                if (std::find(glyphs.begin(), glyphs.end(), g) == glyphs.end())
                    glyphs.push_back(g);
            }
        }
        auto charText = [&](int c) {
            return text.mid(starts[size_t(c)],
                            (size_t(c) + 1 < starts.size() ? starts[size_t(c) + 1] : text.size()) -
                                starts[size_t(c)]);
        };
        if (glyphs.empty())
            continue;
        if (glyphs.size() == 1) {
            QString all;
            for (const int c : characters)
                all += charText(c);
            // Right-to-left glyphs stand in visual order, and readers turn
            // the text of each round: a ligature's letters are kept so too.
            const QChar::Direction direction = all.front().direction();
            if (all.size() > 1 && (direction == QChar::DirR || direction == QChar::DirAL)) {
                QList<uint> points = all.toUcs4();
                std::reverse(points.begin(), points.end());
                all = QString::fromUcs4(reinterpret_cast<const char32_t *>(points.constData()),
                                        points.size());
            }
            unique = assign(placed[size_t(glyphs[0])].font, placed[size_t(glyphs[0])].glyph, all) &&
                     unique;
            continue;
        }
        // Marks stacked above or below their letter read back as a line of
        // their own: the cluster's text goes beside the glyphs.
        for (const int g : glyphs) {
            if (placed[size_t(g)].y != placed[size_t(glyphs.front())].y && !line.rightToLeft)
                unique = false;
        }
        // Several glyphs: each takes the character the font maps to it; the
        // characters left go to the first glyph left.
        std::vector<QString> texts(glyphs.size());
        std::vector<bool> taken(characters.size(), false);
        for (size_t g = 0; g < glyphs.size(); ++g) {
            const Placed &p = placed[size_t(glyphs[g])];
            if (p.font < 0)
                continue;
            const QRawFont &raw = m_fonts[size_t(p.font)]->raw;
            for (size_t k = 0; k < characters.size(); ++k) {
                if (taken[k])
                    continue;
                const QString one = charText(characters[k]);
                quint32 nominal = 0;
                int n = 1;
                if (raw.glyphIndexesForChars(one.constData(), int(one.size()), &nominal, &n) &&
                    n == 1 && nominal == p.glyph) {
                    texts[g] = one;
                    taken[k] = true;
                    break;
                }
            }
        }
        QString rest;
        for (size_t k = 0; k < characters.size(); ++k) {
            if (!taken[k])
                rest += charText(characters[k]);
        }
        for (size_t g = 0; g < glyphs.size() && !rest.isEmpty(); ++g) {
            if (texts[g].isEmpty()) {
                texts[g] = rest;
                rest.clear();
            }
        }
        if (!rest.isEmpty())
            unique = false;
        for (size_t g = 0; g < glyphs.size(); ++g) {
            const Placed &p = placed[size_t(glyphs[g])];
            if (texts[g].isEmpty())
                unique = false;
            else
                unique = assign(p.font, p.glyph, texts[g]) && unique;
        }
    }
    return unique;
}

void PdfFonts::finish()
{
    for (const auto &entry : m_fonts) {
        Font &f = *entry;
        f.used[0] = 1; // the missing glyph, which every font program needs
        const QByteArray program = subset(f.raw, f.used);
        // The subset's tag comes from the glyphs kept, so that two subsets of
        // one font differ.
        QCryptographicHash hash(QCryptographicHash::Sha1);
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(f.used.data()),
                                    qsizetype(f.used.size())));
        const QByteArray digest = hash.result();
        QByteArray tag;
        for (int i = 0; i < 6; ++i)
            tag += char('A' + uchar(digest[i]) % 26);
        const QByteArray name = tag + '+' + postScriptName(f.raw);

        const int fileId = m_writer.reserve();
        if (!program.isEmpty())
            m_writer.addStream(
                fileId, f.cff ? QByteArrayLiteral("/Subtype /OpenType") : QByteArray(), program);

        const QByteArray head = f.raw.fontTable("head");
        const QByteArray hhea = f.raw.fontTable("hhea");
        const QByteArray os2 = f.raw.fontTable("OS/2");
        const QByteArray post = f.raw.fontTable("post");
        const double scale = 1000.0 / f.unitsPerEm;
        auto scaled = [&](double v) {
            QByteArray out;
            PdfWriter::appendInt(out, std::lround(v * scale));
            return out;
        };
        const int ascent = s16(hhea, 4);
        const int descent = s16(hhea, 6);
        const int capHeight = u16(os2, 0) >= 2 && os2.size() >= 90 ? s16(os2, 88) : ascent;
        const double italic = s16(post, 4) + u16(post, 6) / 65536.0;
        const int descriptor = m_writer.reserve();
        QByteArray d = "<</Type /FontDescriptor /FontName ";
        PdfWriter::appendName(d, name);
        d += " /Flags " + QByteArray(italic != 0 ? "68" : "4");
        d += " /FontBBox [" + scaled(s16(head, 36)) + ' ' + scaled(s16(head, 38)) + ' ' +
             scaled(s16(head, 40)) + ' ' + scaled(s16(head, 42)) + ']';
        d += " /ItalicAngle ";
        PdfWriter::appendNumber(d, italic);
        d += " /Ascent " + scaled(ascent) + " /Descent " + scaled(descent) + " /CapHeight " +
             scaled(capHeight);
        d += " /StemV 80";
        if (!program.isEmpty())
            d += (f.cff ? " /FontFile3 " : " /FontFile2 ") + PdfWriter::ref(fileId);
        d += ">>";
        m_writer.addPacked(descriptor, d);

        // Widths by code, runs of consecutive codes together.
        std::vector<std::pair<quint32, int>> codes;
        for (size_t g = 0; g < f.used.size(); ++g) {
            if (f.used[g])
                codes.emplace_back(f.code(quint32(g)), f.width(quint32(g)));
        }
        std::sort(codes.begin(), codes.end());
        QByteArray widths = "[";
        for (size_t i = 0; i < codes.size();) {
            PdfWriter::appendInt(widths, codes[i].first);
            widths += " [";
            size_t j = i;
            do {
                PdfWriter::appendInt(widths, codes[j].second);
                widths += ' ';
                ++j;
            } while (j < codes.size() && codes[j].first == codes[j - 1].first + 1);
            widths += "] ";
            i = j;
        }
        widths += ']';

        const int cidFont = m_writer.reserve();
        QByteArray c = f.cff ? "<</Type /Font /Subtype /CIDFontType0 /BaseFont "
                             : "<</Type /Font /Subtype /CIDFontType2 /BaseFont ";
        PdfWriter::appendName(c, name);
        c += " /CIDSystemInfo <</Registry (Adobe) /Ordering (Identity) /Supplement 0>>";
        c += " /FontDescriptor " + PdfWriter::ref(descriptor) + " /DW 1000 /W " + widths;
        if (!f.cff)
            c += " /CIDToGIDMap /Identity";
        c += ">>";
        m_writer.addPacked(cidFont, c);

        // What each code stands for, for copying and searching.
        QByteArray map = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                         "/CIDSystemInfo <</Registry (Adobe) /Ordering (UCS) /Supplement 0>> def\n"
                         "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                         "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
        std::vector<std::pair<quint32, QString>> entries;
        for (size_t g = 0; g < f.single.size(); ++g) {
            const char32_t one = f.single[g];
            if (one == 0 || !f.used[g])
                continue;
            entries.emplace_back(f.code(quint32(g)), one == 0xFFFFFFFF
                                                         ? f.several.value(quint32(g))
                                                         : QString::fromUcs4(&one, 1));
        }
        std::sort(entries.begin(), entries.end(),
                  [](const auto &a, const auto &b) { return a.first < b.first; });
        for (size_t i = 0; i < entries.size(); i += 100) {
            const size_t n = std::min<size_t>(100, entries.size() - i);
            PdfWriter::appendInt(map, qint64(n));
            map += " beginbfchar\n";
            for (size_t k = i; k < i + n; ++k) {
                map += '<';
                appendHex4(map, entries[k].first);
                map += "> <";
                for (const QChar ch : std::as_const(entries[k].second))
                    appendHex4(map, ch.unicode());
                map += ">\n";
            }
            map += "endbfchar\n";
        }
        map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
        const int toUnicode = m_writer.reserve();
        m_writer.addStream(toUnicode, QByteArray(), map);

        QByteArray t = "<</Type /Font /Subtype /Type0 /BaseFont ";
        PdfWriter::appendName(t, name);
        t += " /Encoding /Identity-H /DescendantFonts [" + PdfWriter::ref(cidFont) +
             "] /ToUnicode " + PdfWriter::ref(toUnicode) + ">>";
        m_writer.addPacked(f.object, t);
    }
}
