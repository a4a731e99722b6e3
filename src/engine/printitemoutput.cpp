#include "printitemoutput.h"

#include "app/units.h"
#include "document/igraph.h"
#include "document/ipic.h"
#include "document/item.h"
#include "document/section.h"
#include "document/talvodocument.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QStringList>

#include <memory>

namespace {

// Text is measured at one fixed resolution, never the screen's, so that a
// run lays out the same pages whatever device shows them.
constexpr int kReferenceDpi = 1200;

const QPaintDevice &referenceDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dpm = int(kReferenceDpi / 0.0254 + 0.5);
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
        return image;
    }();
    return device;
}

// Metrics of one font in document units.
class TextMeasure
{
public:
    TextMeasure(const Item &item, int unit)
    {
        QFont font(item.fontName);
        font.setPointSizeF(item.fontSize > 0 ? item.fontSize : 10);
        font.setBold(item.fontBold);
        font.setItalic(item.fontItalic);
        font.setUnderline(item.fontUnderline);
        font.setStrikeOut(item.fontStrikethrough);
        font.setHintingPreference(QFont::PreferNoHinting);
        m_metrics = std::make_unique<QFontMetricsF>(font, &referenceDevice());
        m_scale = convertUnit(1.0 / kReferenceDpi, Unit::Inches, unit);
    }

    double width(const QString &line) const
    {
        return m_metrics->horizontalAdvance(line) * m_scale;
    }
    // Every line counts, empty ones too.
    double height(const QString &text) const
    {
        return (text.count(QLatin1String("\r\n")) + 1) * m_metrics->lineSpacing() * m_scale;
    }

private:
    std::unique_ptr<QFontMetricsF> m_metrics;
    double m_scale = 1;
};

const TextMeasure &measureFor(const Item &item, int unit)
{
    static QHash<QString, std::shared_ptr<TextMeasure>> cache;
    const QString key = QStringLiteral("%1|%2|%3%4%5%6|%7")
                            .arg(item.fontName)
                            .arg(item.fontSize)
                            .arg(int(item.fontBold))
                            .arg(int(item.fontItalic))
                            .arg(int(item.fontUnderline))
                            .arg(int(item.fontStrikethrough))
                            .arg(unit);
    auto &entry = cache[key];
    if (!entry)
        entry = std::make_shared<TextMeasure>(item, unit);
    return *entry;
}

QString wrapToWidth(const TextMeasure &m, const QString &text, double width)
{
    QString result;
    auto append = [&result](const QString &line) {
        if (!result.isEmpty())
            result += QLatin1String("\r\n");
        result += line;
    };
    for (const QString &paragraph : text.split(QLatin1String("\r\n"))) {
        if (m.width(paragraph) <= width) {
            append(paragraph);
            continue;
        }
        QString line;
        bool first = true;
        for (const QString &word : paragraph.split(u' ')) {
            if (!line.isEmpty())
                line += u' ';
            if (m.width(line + word) < width) {
                line += word;
            } else {
                if (!first || !result.isEmpty())
                    append(line);
                line = word;
            }
            first = false;
        }
        append(line);
    }
    return result;
}

QString cutLastWord(QString text)
{
    while (text.endsWith(u' '))
        text.chop(1);
    const qsizetype space = text.lastIndexOf(u' ');
    return space < 0 ? QString() : text.left(space + 1);
}

} // namespace

float fitPrintText(TalvoDocument &doc, Item &printItem)
{
    QString text = printItem.content;
    text.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    text.replace(u'\n', u'\r');
    text.replace(u'\r', QLatin1String("\r\n"));
    while (text.endsWith(u' '))
        text.chop(1);
    const TextMeasure &m = measureFor(printItem, doc.unit());
    if (printItem.w != 0)
        text = wrapToWidth(m, text, printItem.w);
    float height = printItem.h;
    if (printItem.CanGrowVertical) {
        height = float(m.height(text));
    } else if (height != 0) {
        while (!text.isEmpty() && m.height(text) > height)
            text = cutLastWord(text);
    }
    printItem.content = text;
    return height;
}

void loadPrintPicture(iPic &printItem, section *sec)
{
    Q_UNUSED(printItem);
    Q_UNUSED(sec);
}

void loadPrintChart(iGraph &printItem, section *sec)
{
    Q_UNUSED(printItem);
    Q_UNUSED(sec);
}
