#include "designdocument.h"

#include "designcommands.h"
#include "snaphelper.h"

#include "document/chartitem.h"
#include "document/pictureitem.h"
#include "document/textitem.h"
#include "document/reportsection.h"
#include "document/reportdocument.h"
#include "platform/units.h"
#include "platform/xmldom.h"

#include <algorithm>
#include <cmath>

namespace {
// A section is never lower than this (twips).
constexpr double kMinimumHeight = 240;
// A new field's size (twips).
constexpr double kFieldWidth = 1500;
constexpr double kFieldHeight = 300;
} // namespace

DesignDocument::DesignDocument(ReportDocument &report, QObject *parent)
    : QObject(parent), m_report(report)
{
    connect(&m_stack, &QUndoStack::indexChanged, this, &DesignDocument::followCleanState);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &DesignDocument::followCleanState);
}

DesignDocument::~DesignDocument()
{
    // Commands refer to this object; they go first.
    m_stack.disconnect(this);
    m_stack.clear();
}

// ---- History ----

void DesignDocument::reset()
{
    m_stack.clear();
    m_stack.setClean();
    followCleanState();
}

void DesignDocument::markSaved()
{
    m_stack.setClean();
    followCleanState();
}

void DesignDocument::followCleanState()
{
    // The history decides whether there is something to save: back at the
    // saved state nothing is, whatever the flags of the objects say.
    if (m_stack.isClean())
        m_report.clearModified();
    else
        m_report.modified_ = true;
}

QByteArray DesignDocument::snapshot() const
{
    XmlDocument dom;
    dom.setDocumentElement(m_report.toXmlNode(dom));
    return dom.toByteArray();
}

void DesignDocument::changeDocument(const QString &text, const std::function<void()> &change)
{
    const QByteArray before = snapshot();
    change();
    documentChanged(text, before);
}

void DesignDocument::documentChanged(const QString &text, const QByteArray &before)
{
    const QByteArray after = snapshot();
    if (after == before)
        return;
    m_stack.push(new ChangeDocumentCommand(this, text, before, after));
}

void DesignDocument::changeSection(ReportSection &s, const QString &text,
                                   const std::function<void()> &change)
{
    record(s, text, change);
}

void DesignDocument::record(ReportSection &s, const QString &text, const std::function<void()> &change)
{
    if (m_recording) {
        change();
        return;
    }
    const QString key = s.Key();
    SectionState before = SectionState::capture(s);
    m_recording = true;
    change();
    m_recording = false;
    SectionState after = SectionState::capture(s);
    // An edit that left the section as it was is no step.
    if (!before.sameAs(after, s))
        m_stack.push(
            new ChangeSectionCommand(this, text, key, std::move(before), std::move(after)));
    emit sectionChanged(&s);
}

// ---- Selection ----

void DesignDocument::setSelected(ReportItem &item, bool on)
{
    if (item.selected == on)
        return;
    item.selected = on;
    if (item.parent)
        emit selectionChanged(item.parent);
}

void DesignDocument::select(ReportSection &s, const QSet<QString> &keys)
{
    bool changed = false;
    for (ReportItem *item : s.items) {
        const bool on = keys.contains(item->Key);
        changed |= item->selected != on;
        item->selected = on;
    }
    if (changed)
        emit selectionChanged(&s);
}

void DesignDocument::selectAll(ReportSection &s)
{
    s.SelectAll(true);
    emit selectionChanged(&s);
}

void DesignDocument::clearSelection(ReportSection &s)
{
    s.SelectAll(false);
    emit selectionChanged(&s);
}

QList<ReportItem *> DesignDocument::selectedItems(const ReportSection &s) const
{
    QList<ReportItem *> chosen;
    for (ReportItem *item : s.items) {
        if (item->selected)
            chosen << item;
    }
    return chosen;
}

QRectF DesignDocument::selectionRect(const ReportSection &s) const
{
    QRectF united;
    for (const ReportItem *item : selectedItems(s))
        united = united.isNull() ? twipsOf(*item) : united.united(twipsOf(*item));
    return united;
}

// ---- Clipboard ----

void DesignDocument::copy(const ReportSection &s)
{
    // Last item first, as cut takes them.
    m_clipboard.clear();
    for (int i = s.items.count() - 1; i >= 0; --i) {
        if (const ReportItem *item = s.items.at(i); item->selected)
            m_clipboard.addCopyOf(*item);
    }
}

void DesignDocument::cut(ReportSection &s)
{
    record(s, tr("Cut"), [&] {
        m_clipboard.clear();
        for (int i = s.items.count() - 1; i >= 0; --i) {
            const ReportItem *item = s.items.at(i);
            if (item->selected) {
                std::unique_ptr<ReportItem> taken = s.items.take(item->Key);
                taken->parent = nullptr;
                m_clipboard.add(std::move(taken));
                s.modified_ = true;
            }
        }
    });
}

void DesignDocument::paste(ReportSection &s)
{
    record(s, tr("Paste"), [&] {
        s.SelectAll(false);
        for (int i = 0; i < m_clipboard.count(); ++i) {
            const ReportItem *source = m_clipboard.at(i);
            ReportItem *created = nullptr;
            switch (source->kind()) {
            case ReportItem::TextKind:
                created = s.newTextItem();
                break;
            case ReportItem::PictureKind:
                created = s.newPicture();
                break;
            case ReportItem::GraphKind:
                created = s.newChart();
                break;
            }
            created->copy(*source, &s);
            created->selected = true;
        }
        s.modified_ = true;
        growToHold(s);
    });
}

void DesignDocument::removeSelected(ReportSection &s)
{
    record(s, tr("Delete"), [&] {
        s.modified_ = true;
        for (const ReportItem *item : selectedItems(s))
            s.items.remove(item->Key);
    });
}

// ---- Lengths ----

double DesignDocument::gridStep() const
{
    return SnapHelper::gridStep(m_report.gridSize, m_report.unit());
}

double DesignDocument::snap(double twips) const
{
    return SnapHelper::toGrid(twips, gridStep());
}

float DesignDocument::toStoredLength(double twips) const
{
    return float(SnapHelper::toDocLength(twips, m_report.unit(), m_report.gridSize));
}

QRectF DesignDocument::twipsOf(const ReportItem &item)
{
    // To a thousandth: lengths stored in centimetres come back as 999.99998
    // twips, which would snap a drag's exact half to the wrong side.
    auto fine = [](double v) { return std::round(v * 1000) / 1000; };
    return QRectF(fine(item.xt()), fine(item.yt()), fine(item.wt()), fine(item.ht()));
}

// ---- Geometry ----

void DesignDocument::writeRect(ReportSection &s, ReportItem &item, const QRectF &r)
{
    // Only what moved is written: a round trip through twips must not
    // change the numbers of untouched items, and a rectangle a hair off its
    // item (handles at a fractional scale) stores the same numbers.
    if (r == twipsOf(item))
        return;
    const float x = toStoredLength(r.left());
    const float y = toStoredLength(r.top());
    const float w = toStoredLength(r.width());
    const float h = toStoredLength(r.height());
    if (x == item.x && y == item.y && w == item.w && h == item.h)
        return;
    item.x = x;
    item.y = y;
    item.w = w;
    item.h = h;
    item.modified = true;
    s.modified_ = true;
}

void DesignDocument::growToHold(ReportSection &s)
{
    double required = kMinimumHeight;
    for (const ReportItem *item : s.items)
        required = std::max(required, twipsOf(*item).bottom());
    if (s.HeightT() < required)
        s.Height = toStoredLength(required);
}

void DesignDocument::setGeometry(ReportSection &s, const QHash<QString, QRectF> &rects,
                                 const QString &text)
{
    record(s, text, [&] {
        for (auto it = rects.begin(); it != rects.end(); ++it) {
            if (ReportItem *item = s.items.value(it.key()))
                writeRect(s, *item, it.value());
        }
        growToHold(s);
    });
}

void DesignDocument::nudge(ReportSection &s, int dx, int dy, bool resize, double stepWithoutGrid)
{
    const QList<ReportItem *> chosen = selectedItems(s);
    if (chosen.isEmpty())
        return;
    const double grid = gridStep();
    const double step = grid > 0 ? grid : stepWithoutGrid;
    QHash<QString, QRectF> rects;
    for (const ReportItem *item : chosen) {
        QRectF r = twipsOf(*item);
        if (resize) {
            r.setWidth(std::max(0.0, r.width() + dx * step));
            r.setHeight(std::max(0.0, r.height() + dy * step));
        } else {
            r.translate(dx * step, dy * step);
            r.moveTo(std::max(0.0, r.left()), std::max(0.0, r.top()));
        }
        rects.insert(item->Key, r);
    }
    setGeometry(s, rects, resize ? tr("Resize") : tr("Move"));
}

void DesignDocument::arrange(ReportSection &s, const QString &how, const QString &referenceKey)
{
    const QList<ReportItem *> chosen = selectedItems(s);
    if (chosen.size() < 2)
        return;
    QList<QPair<QString, QRectF>> boxes;
    QRectF ref = twipsOf(*chosen.first());
    for (const ReportItem *item : chosen) {
        boxes.append({item->Key, twipsOf(*item)});
        if (item->Key == referenceKey)
            ref = twipsOf(*item);
    }
    const QRectF all = selectionRect(s);
    if (how.startsWith(QLatin1String("distribute"))) {
        const bool horizontal = how.endsWith(QLatin1String("-h"));
        auto start = [horizontal](const QRectF &r) { return horizontal ? r.left() : r.top(); };
        auto extent = [horizontal](const QRectF &r) { return horizontal ? r.width() : r.height(); };
        std::stable_sort(boxes.begin(), boxes.end(), [&](const auto &a, const auto &b) {
            return start(a.second) < start(b.second);
        });
        double used = 0;
        for (const auto &b : std::as_const(boxes))
            used += extent(b.second);
        const double span = horizontal ? all.width() : all.height();
        const double gap = (span - used) / (boxes.size() - 1);
        double pos = start(boxes.first().second);
        for (auto &b : boxes) {
            if (horizontal)
                b.second.moveLeft(pos);
            else
                b.second.moveTop(pos);
            pos += extent(b.second) + gap;
        }
    } else {
        for (auto &b : boxes) {
            QRectF &r = b.second;
            if (how == QLatin1String("left"))
                r.moveLeft(all.left());
            else if (how == QLatin1String("right"))
                r.moveRight(all.right());
            else if (how == QLatin1String("top"))
                r.moveTop(all.top());
            else if (how == QLatin1String("bottom"))
                r.moveBottom(all.bottom());
            else if (how == QLatin1String("hcenter"))
                r.moveLeft(all.center().x() - r.width() / 2);
            else if (how == QLatin1String("vcenter"))
                r.moveTop(all.center().y() - r.height() / 2);
            if (how == QLatin1String("width") || how == QLatin1String("size"))
                r.setWidth(ref.width());
            if (how == QLatin1String("height") || how == QLatin1String("size"))
                r.setHeight(ref.height());
        }
    }
    QHash<QString, QRectF> rects;
    for (const auto &b : std::as_const(boxes))
        rects.insert(b.first, b.second);
    setGeometry(s, rects, tr("Arrange"));
}

void DesignDocument::setSectionHeight(ReportSection &s, double twips)
{
    record(s, tr("Section height"), [&] {
        s.Height = float(convertUnit(twips, Unit::Twips, s.unit(), kPixelsPerCm));
        s.modified_ = true;
    });
}

void DesignDocument::fitSectionHeight(ReportSection &s)
{
    record(s, tr("Section height"), [&] { growToHold(s); });
}

// ---- Adding ----

ReportItem *DesignDocument::place(ReportSection &s, ReportItem *item, const QPointF &at, double w,
                                  double h)
{
    item->x = toStoredLength(snap(at.x()));
    item->y = toStoredLength(snap(at.y()));
    item->w = toStoredLength(snap(w));
    item->h = toStoredLength(snap(h));
    item->modified = true;
    s.modified_ = true;
    return item;
}

ReportItem *DesignDocument::addField(ReportSection &s, const QPointF &at,
                                     const std::optional<QString> &text)
{
    ReportItem *added = nullptr;
    record(s, tr("Add field"), [&] {
        TextItem *item = s.newTextItem();
        if (text)
            item->content = *text;
        added = place(s, item, at, kFieldWidth, kFieldHeight);
    });
    return added;
}

ReportItem *DesignDocument::addPicture(ReportSection &s, const QPointF &at)
{
    ReportItem *added = nullptr;
    record(s, tr("Add picture"), [&] {
        PictureItem *pic = s.newPicture();
        added = place(s, pic, at, pic->wt(), pic->ht());
    });
    return added;
}

ReportItem *DesignDocument::addChart(ReportSection &s, const QPointF &at)
{
    ReportItem *added = nullptr;
    record(s, tr("Add chart"), [&] {
        ChartItem *graph = s.newChart();
        added = place(s, graph, at, graph->wt(), graph->ht());
    });
    return added;
}

void DesignDocument::dropFields(ReportSection &s, const QPointF &at, const QStringList &texts,
                                bool across, double rightLine)
{
    record(s, tr("Drop fields"), [&] {
        const double x0 = snap(at.x());
        double x = x0;
        double y = snap(at.y());
        for (const QString &text : texts) {
            const QRectF r = twipsOf(*addField(s, QPointF(x, y), text));
            if (!across) {
                y += snap(r.height());
            } else {
                x += snap(r.width());
                if (x > rightLine) {
                    x = x0;
                    y += snap(r.height());
                }
            }
        }
        growToHold(s);
    });
}

// ---- Text ----

void DesignDocument::toggleFont(ReportSection &s, const QString &what)
{
    QList<TextItem *> texts;
    for (ReportItem *item : selectedItems(s)) {
        if (item->kind() == ReportItem::TextKind)
            texts << static_cast<TextItem *>(item);
    }
    if (texts.isEmpty())
        return;
    const bool value = !texts.first()->fontWhat(what);
    const QString name = what.toLower();
    const QString text = name == QLatin1String("bold")        ? tr("Bold")
                         : name == QLatin1String("italic")    ? tr("Italic")
                         : name == QLatin1String("underline") ? tr("Underline")
                                                              : tr("Strikethrough");
    record(s, text, [&] {
        for (TextItem *item : std::as_const(texts)) {
            item->setFontWhat(what, value);
            item->modified = true;
        }
        s.modified_ = true;
    });
}

void DesignDocument::alignText(ReportSection &s, const QString &where)
{
    record(s, tr("Align text"), [&] {
        for (ReportItem *item : selectedItems(s)) {
            if (item->kind() == ReportItem::TextKind) {
                static_cast<TextItem *>(item)->align(where);
                item->modified = true;
            }
        }
        s.modified_ = true;
    });
}
