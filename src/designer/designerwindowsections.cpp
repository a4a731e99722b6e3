// The designer's stack of section surfaces: binding, placing, the events
// the surfaces raise, rulers and guides, and the commands that change the
// document's structure.
#include "designerwindow.h"

#include "designer/designdocument.h"
#include "designer/designericons.h"
#include "designer/designpage.h"
#include "designer/designruler.h"
#include "designer/designview.h"
#include "designer/documentpropertiesdialog.h"
#include "designer/sectionsurface.h"
#include "document/reportitem.h"
#include "document/reportdocument.h"
#include "document/userinteraction.h"
#include "output/pageoutput.h"
#include "platform/units.h"
#include "viewer/printing.h"
#include "viewer/viewzoom.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QScrollBar>
#include <QtMath>

#include <algorithm>

namespace {
// The stack starts this far below the top of the page area, and as far
// from its left (millimetres).
constexpr double kPageGapMm = 9;

QString kindName(int type)
{
    switch (type) {
    case ReportSection::PageHeader:
        return DesignerWindow::tr("page header");
    case ReportSection::PageFooter:
        return DesignerWindow::tr("page footer");
    case ReportSection::ReportHeader:
        return DesignerWindow::tr("report header");
    default:
        return DesignerWindow::tr("report footer");
    }
}
} // namespace

QList<ReportSection *> DesignerWindow::shownSections() const
{
    QList<ReportSection *> shown;
    if (!doc)
        return shown;
    auto add = [&](bool on, const char *key) {
        if (ReportSection *s = on ? doc->sections.value(QString::fromLatin1(key)) : nullptr)
            shown << s;
    };
    add(doc->reportHeader(), "rh");
    add(doc->pageHeader(), "ph");
    for (ReportSection *s : doc->sections) {
        if (s->section_Type == ReportSection::DataSection)
            shown << s;
    }
    add(doc->pageFooter(), "pf");
    add(doc->reportFooter(), "rf");
    return shown;
}

int DesignerWindow::nbSections() const
{
    return int(shownSections().size());
}

int DesignerWindow::boundCount() const
{
    return std::min(nbSections(), int(pSection1.size()));
}

double DesignerWindow::pixels(double millimetres) const
{
    return convertUnit(millimetres, kScaleUnit, Unit::Twips) * m_scale;
}

SectionSurface *DesignerWindow::current() const
{
    if (m_current < 0 || m_current >= boundCount())
        return nullptr;
    SectionSurface *s = pSection1.at(m_current);
    return s->sectionRef() ? s : nullptr;
}

int DesignerWindow::indexOf(const QObject *surface) const
{
    for (int i = 0; i < pSection1.size(); ++i) {
        if (pSection1.at(i) == surface)
            return i;
    }
    return -1;
}

void DesignerWindow::setCurrentSurface(int index)
{
    if (index < 0 || index >= pSection1.size())
        return;
    m_current = index;
    updateEditActions();
}

SectionSurface *DesignerWindow::createSurface()
{
    auto *s = new SectionSurface(m_view->page());
    s->setDesignDocument(m_design);
    s->setScale(m_scale);
    s->setChartSymbol(designerChartSymbol(256));
    s->otherGuidesX = [this](const SectionSurface *from) { return guidesOutside(from); };
    s->editItem = [this, s](ReportItem &item) { editItemOn(s, item); };
    s->editSection = [this](ReportSection &sec) { editSectionProperties(sec); };

    connect(s, &SectionSurface::focusReceived, this, [this, s] { setCurrentSurface(indexOf(s)); });
    connect(s, &SectionSurface::Coordinates, this, [this, s](double x, double y) {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        m_panelPos->setText(locale.toString(x, 'f', 2) + QLatin1Char(':') +
                            locale.toString(y, 'f', 2));
        m_panelSectionKey = s->sectionRef() ? s->sectionRef()->Key() : QString();
        showPanelSection();
    });
    connect(s, &SectionSurface::ClickRight, this, [this, s](double, double) {
        setCurrentSurface(indexOf(s));
        updateEditActions();
        m_freeZone->popup(QCursor::pos());
    });
    connect(s, &SectionSurface::ShowMenuDelProp, this,
            [this, s](const QString &kind, const QString &key) {
                m_menuItemKind = kind;
                m_menuItemKey = key;
                setCurrentSurface(indexOf(s));
                m_delProp->popup(QCursor::pos());
            });
    connect(s, &SectionSurface::DblClick, this, &DesignerWindow::ShowDocProperties);
    connect(s, &SectionSurface::changeSize, this, &DesignerWindow::sizeSections);
    connect(s, &SectionSurface::heightDragged, this, &DesignerWindow::sizeSections);
    connect(s, &SectionSurface::statusText, this, &DesignerWindow::status);
    connect(s, &SectionSurface::selectionChanged, this, [this, s] {
        if (indexOf(s) == m_current)
            updateEditActions();
    });
    connect(s, &SectionSurface::guidesChanged, this,
            [this, s](const QList<double> &xs) { showGuides(s, xs); });
    m_view->page()->raiseOverlay();
    return s;
}

void DesignerWindow::removeSurface(SectionSurface *s)
{
    // The surface may be the one whose event led here (a menu opened from
    // it): it goes once that event is over.
    s->disconnect(this);
    s->hide();
    s->deleteLater();
}

void DesignerWindow::drawSections()
{
    if (!doc)
        return;
    stopGrab();
    SelectPrinter();
    majMenuHeaderFooter();
    majUnit();

    const QList<ReportSection *> shown = shownSections();
    const int n = int(shown.size());
    while (pSection1.size() > std::max(n, 1))
        removeSurface(pSection1.takeLast());
    while (pSection1.size() < std::max(n, 1))
        pSection1.append(createSurface());
    if (n == 0 && pSection1.first()->sectionRef()) {
        // Surface 0 stays, hidden, but must not keep a section that is gone.
        removeSurface(pSection1.first());
        pSection1[0] = createSurface();
    }
    for (int i = 0; i < n; ++i)
        pSection1.at(i)->init(shown.at(i));
    pSection1.first()->setVisible(n > 0);
    m_current = std::clamp(m_current, 0, std::max(n - 1, 0));

    sizeSections();
    majCaption();
    updateEditActions();
    // A renamed or removed section is not shown under its old name.
    showPanelSection();
}

void DesignerWindow::showPanelSection()
{
    const ReportSection *s =
        doc && !m_panelSectionKey.isEmpty() ? doc->sections.value(m_panelSectionKey) : nullptr;
    m_panelSection->setText(s ? s->sectionName : QString());
}

double DesignerWindow::zeroTop(int index) const
{
    double top = kPageGapMm;
    for (int i = 0; i < index && i < pSection1.size(); ++i)
        top += convertUnit(pSection1.at(i)->heightTwips(), Unit::Twips, kScaleUnit);
    return top;
}

double DesignerWindow::totalHeight() const
{
    return zeroTop(boundCount()) - kPageGapMm;
}

void DesignerWindow::sizeSections()
{
    if (!doc)
        return;
    m_pageWidthT = convertUnit(pageSizeO(*doc).width(), doc->unit(), Unit::Twips);
    const int n = boundCount();
    const double left = pixels(kPageGapMm);
    // Each surface starts on the pixel row below the one before it: tops
    // rounded one by one would leave gaps or overlaps of a pixel.
    int top = qRound(pixels(zeroTop(0)));
    for (int i = 0; i < n; ++i) {
        SectionSurface *s = pSection1.at(i);
        s->setPageWidthTwips(m_pageWidthT);
        s->initMargin(doc->leftMargin, doc->rightMargin, doc->topMargin, doc->bottomMargin);
        s->ShowMargins();
        s->move(qRound(left), top);
        s->show();
        top += s->height();
    }
    m_view->page()->resize(qCeil(2 * left + m_pageWidthT * m_scale),
                           top + qCeil(pixels(kPageGapMm)));
    m_view->page()->setGuides({}, 0, 0);
    updateRulers();
    refreshSections();
}

void DesignerWindow::refreshSections()
{
    for (int i = 0; i < boundCount(); ++i)
        pSection1.at(i)->Refresh();
}

void DesignerWindow::stopGrab()
{
    for (SectionSurface *s : std::as_const(pSection1))
        s->stopGrab();
}

void DesignerWindow::majMenuHeaderFooter()
{
    if (!doc)
        return;
    action(QStringLiteral("m_pageHead"))->setChecked(doc->pageHeader());
    action(QStringLiteral("m_pageFoot"))->setChecked(doc->pageFooter());
    action(QStringLiteral("m_reportHead"))->setChecked(doc->reportHeader());
    action(QStringLiteral("m_reportFooter"))->setChecked(doc->reportFooter());
}

void DesignerWindow::SelectPrinter()
{
    if (!doc)
        return;
    // Binding asks about a missing printer: once per report and printer,
    // not on every redraw.
    auto boundKey = [this] {
        return doc->DocPrinterName + QLatin1Char('|') + QString::number(doc->paperType) +
               QLatin1Char('|') + QString::number(doc->pageOrientation);
    };
    if (boundKey() == m_printerBoundFor)
        return;
    ::SelectPrinter(*doc);
    m_printerBoundFor = boundKey();
}

void DesignerWindow::applyScale()
{
    // The view keeps showing the same part of the report.
    auto fraction = [](const QScrollBar *bar) {
        return bar->maximum() > 0 ? double(bar->value()) / bar->maximum() : 0.0;
    };
    const double fx = fraction(m_view->horizontalScrollBar());
    const double fy = fraction(m_view->verticalScrollBar());

    m_scale = logicalDpiX() / 1440.0 * m_zoom->factor();
    for (SectionSurface *s : std::as_const(pSection1))
        s->setScale(m_scale);
    sizeSections();

    m_view->horizontalScrollBar()->setValue(qRound(fx * m_view->horizontalScrollBar()->maximum()));
    m_view->verticalScrollBar()->setValue(qRound(fy * m_view->verticalScrollBar()->maximum()));
    m_zoomBox->setCurrentIndex(int(m_zoom->steps().indexOf(m_zoom->percent())));
    action(QStringLiteral("m_zoomIn"))->setEnabled(m_zoom->canZoomIn());
    action(QStringLiteral("m_zoomOut"))->setEnabled(m_zoom->canZoomOut());
}

void DesignerWindow::updateRulers()
{
    DesignRuler *top = m_view->topRuler();
    DesignRuler *left = m_view->leftRuler();
    top->setScale(m_scale);
    left->setScale(m_scale);
    if (doc) {
        top->setUnit(doc->unit());
        left->setUnit(doc->unit());
    }
    const int n = boundCount();
    QWidget *viewport = m_view->viewport();
    QList<DesignRuler::Span> across, down;
    for (int i = 0; i < n; ++i) {
        const QPoint origin = pSection1.at(i)->mapTo(viewport, QPoint(0, 0));
        if (i == 0)
            across << DesignRuler::Span{double(origin.x()), m_pageWidthT};
        down << DesignRuler::Span{double(origin.y()), pSection1.at(i)->heightTwips()};
    }
    top->setSpans(across);
    left->setSpans(down);

    const SectionSurface *s = current();
    const QRectF selection = s ? s->selectionRect() : QRectF();
    if (selection.isNull()) {
        top->setShade(0, 0);
        left->setShade(0, 0);
        return;
    }
    const QPoint origin = s->mapTo(viewport, QPoint(0, 0));
    top->setShade(origin.x() + selection.left() * m_scale,
                  origin.x() + selection.right() * m_scale);
    left->setShade(origin.y() + selection.top() * m_scale,
                   origin.y() + selection.bottom() * m_scale);
}

void DesignerWindow::showGuides(const SectionSurface *from, const QList<double> &xs)
{
    const int n = boundCount();
    if (xs.isEmpty() || n == 0) {
        m_view->page()->setGuides({}, 0, 0);
        return;
    }
    QList<double> onPage;
    for (double x : xs)
        onPage << from->x() + x * m_scale;
    const SectionSurface *last = pSection1.at(n - 1);
    m_view->page()->setGuides(onPage, pSection1.first()->y(), last->y() + last->height());
}

QList<double> DesignerWindow::guidesOutside(const SectionSurface *s) const
{
    QList<double> xs;
    for (int i = 0; i < boundCount(); ++i) {
        const SectionSurface *other = pSection1.at(i);
        if (other == s)
            continue;
        for (int k = 1; k <= other->count(); ++k) {
            if (const ReportItem *item = other->SubObject(k)) {
                xs << item->xt() << item->xt() + item->wt() / 2 << item->xt() + item->wt();
            }
        }
    }
    return xs;
}

int DesignerWindow::selectedCount() const
{
    const SectionSurface *s = current();
    return s && m_design ? int(m_design->selectedItems(*s->sectionRef()).size()) : 0;
}

void DesignerWindow::recordDocumentChange(const QString &text, const std::function<void()> &change)
{
    if (!doc)
        return;
    stopGrab();
    m_design->changeDocument(text, [&] {
        change();
        drawSections();
    });
}

void DesignerWindow::editCurrent(const std::function<void(DesignDocument &, ReportSection &)> &edit)
{
    if (SectionSurface *s = current(); s && m_design)
        edit(*m_design, *s->sectionRef());
    updateEditActions();
}

void DesignerWindow::addDataSection()
{
    recordDocumentChange(tr("Add data section"), [this] { doc->addDataSection(); });
}

void DesignerWindow::switchHeaderFooter(int type, bool on)
{
    if (!doc)
        return;
    const QString text =
        on ? tr("Add the %1").arg(kindName(type)) : tr("Remove the %1").arg(kindName(type));
    recordDocumentChange(text, [this, type, on] {
        switch (type) {
        case ReportSection::PageHeader:
            doc->setPageHeader(on);
            break;
        case ReportSection::PageFooter:
            doc->setPageFooter(on);
            break;
        case ReportSection::ReportHeader:
            doc->setReportHeader(on);
            break;
        case ReportSection::ReportFooter:
            doc->setReportFooter(on);
            break;
        default:
            break;
        }
    });
}

void DesignerWindow::changeUnit(int unit)
{
    if (!doc)
        return;
    if (unit != doc->unit()) {
        recordDocumentChange(tr("Change the unit to %1").arg(unitName(unit)),
                             [this, unit] { convertReportUnit(*doc, unit); });
    }
    majUnit();
    updateRulers();
}

void DesignerWindow::removeSection()
{
    SectionSurface *s = current();
    ReportSection *sec = s ? s->sectionRef() : nullptr;
    if (!doc || !sec)
        return;
    stopGrab();
    const UserInteraction::Button answer = UserInteraction::current()->message(
        tr("Remove the section:") + sec->sectionName + tr(" ?"),
        UserInteraction::Yes | UserInteraction::No, UserInteraction::Question, tr("Confirmation"));
    if (answer != UserInteraction::Yes)
        return;

    QString key;
    for (int i = 0; i < doc->sections.count(); ++i) {
        if (doc->sections.at(i) == sec)
            key = doc->sections.keyAt(i);
    }
    const int type = sec->section_Type;
    recordDocumentChange(tr("Remove the section %1").arg(sec->sectionName), [this, key, type] {
        // A header or footer goes through its switch, so that the switch,
        // its menu check mark and the saved file agree.
        switch (type) {
        case ReportSection::PageHeader:
            doc->setPageHeader(false);
            return;
        case ReportSection::PageFooter:
            doc->setPageFooter(false);
            return;
        case ReportSection::ReportHeader:
            doc->setReportHeader(false);
            return;
        case ReportSection::ReportFooter:
            doc->setReportFooter(false);
            return;
        default:
            break;
        }
        if (ReportSection *gone = doc->sections.value(key))
            gone->release();
        doc->sections.remove(key);
        doc->countDataSections();
        doc->modified_ = true;
    });
}

void DesignerWindow::arrange(const QString &how)
{
    // Sizes follow the item with the handles.
    const QString reference = current() ? current()->grabbedKey() : QString();
    editCurrent([&](DesignDocument &design, ReportSection &s) { design.arrange(s, how, reference); });
}
