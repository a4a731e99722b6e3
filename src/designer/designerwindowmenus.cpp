// The designer's actions, menus, tool bars and status bar.
#include "designerwindow.h"

#include "designer/designdocument.h"
#include "designer/designericons.h"
#include "designer/databasebrowser.h"
#include "designer/sectionsurface.h"
#include "designer/recentfiles.h"
#include "document/reportdocument.h"
#include "platform/units.h"
#include "viewer/helpbutton.h"
#include "viewer/aboutdialog.h"
#include "viewer/viewzoom.h"

#include <QActionGroup>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoGroup>
#include <QUrl>

namespace {
// The product's web page (m_onlineInfo).
const char *const kProductPage = "https://mirt.talvo.org/";

struct ArrangeEntry
{
    const char *how;
    const char *text;
    const char *icon;
};

const ArrangeEntry kArrange[] = {
    {"left", QT_TRANSLATE_NOOP("DesignerWindow", "Align &left edges"), "align-left"},
    {"right", QT_TRANSLATE_NOOP("DesignerWindow", "Align &right edges"), "align-right"},
    {"top", QT_TRANSLATE_NOOP("DesignerWindow", "Align &top edges"), "align-top"},
    {"bottom", QT_TRANSLATE_NOOP("DesignerWindow", "Align &bottom edges"), "align-bottom"},
    {"hcenter", QT_TRANSLATE_NOOP("DesignerWindow", "Align &centres horizontally"), "align-hcenter"},
    {"vcenter", QT_TRANSLATE_NOOP("DesignerWindow", "Align centres &vertically"), "align-vcenter"},
    {"width", QT_TRANSLATE_NOOP("DesignerWindow", "Same &width"), "same-width"},
    {"height", QT_TRANSLATE_NOOP("DesignerWindow", "Same &height"), "same-height"},
    {"size", QT_TRANSLATE_NOOP("DesignerWindow", "Same &size"), "same-size"},
    {"distribute-h", QT_TRANSLATE_NOOP("DesignerWindow", "Distribute h&orizontally"), "distribute-h"},
    {"distribute-v", QT_TRANSLATE_NOOP("DesignerWindow", "Distribute verticall&y"), "distribute-v"},
};
} // namespace

QAction *DesignerWindow::addAction(const QString &name, const QString &text, const QKeySequence &shortcut,
                             const QString &icon)
{
    auto *a = new QAction(text, this);
    a->setObjectName(name);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    if (!icon.isEmpty())
        a->setIcon(designerIcon(icon));
    m_actions.insert(name, a);
    // Shortcuts work whatever menu or bar the action is shown in, or none.
    QMainWindow::addAction(a);
    return a;
}

QAction *DesignerWindow::separator(QMenu *menu, const QString &name)
{
    QAction *a = menu->addSeparator();
    a->setObjectName(name);
    return a;
}

QMenu *DesignerWindow::addMenu(QMenu *parent, const QString &name, const QString &title)
{
    QMenu *m = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
    m->setObjectName(name);
    return m;
}

void DesignerWindow::createActions()
{
    // File
    connect(addAction(QStringLiteral("f_new"), tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N),
                      QStringLiteral("new")),
            &QAction::triggered, this, &DesignerWindow::new_);
    connect(addAction(QStringLiteral("m_load"), tr("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O),
                      QStringLiteral("open")),
            &QAction::triggered, this, &DesignerWindow::load_);
    connect(addAction(QStringLiteral("m_save_as"), tr("&Save as...")), &QAction::triggered, this,
            &DesignerWindow::saveAs);
    connect(addAction(QStringLiteral("m_save"), tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
                      QStringLiteral("save")),
            &QAction::triggered, this, &DesignerWindow::Save_);
    connect(addAction(QStringLiteral("m_docProp"), tr("&Document properties"),
                      QKeySequence(Qt::CTRL | Qt::Key_D)),
            &QAction::triggered, this, &DesignerWindow::showprop_);
    connect(addAction(QStringLiteral("m_printPreview"), tr("&Print preview"),
                      QKeySequence(Qt::CTRL | Qt::Key_P), QStringLiteral("preview")),
            &QAction::triggered, this, &DesignerWindow::printPreview_);
    connect(
        addAction(QStringLiteral("m_closeEditor"), tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q)),
        &QAction::triggered, this, &QWidget::close);

    // Edit: undo and redo name the change they undo or redo.
    QAction *undoAction = m_undoGroup->createUndoAction(this, tr("&Undo"));
    undoAction->setObjectName(QStringLiteral("m_undo"));
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    undoAction->setIcon(designerIcon(QStringLiteral("undo")));
    QAction *redoAction = m_undoGroup->createRedoAction(this, tr("&Redo"));
    redoAction->setObjectName(QStringLiteral("m_redo"));
    redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redoAction->setIcon(designerIcon(QStringLiteral("redo")));
    for (QAction *a : {undoAction, redoAction}) {
        m_actions.insert(a->objectName(), a);
        QMainWindow::addAction(a);
    }
    // Cut, paste and delete take the handles away first: their item may go.
    connect(addAction(QStringLiteral("m_cut"), tr("&Cut"), QKeySequence(Qt::CTRL | Qt::Key_X),
                      QStringLiteral("cut")),
            &QAction::triggered, this, [this] {
                stopGrab();
                editCurrent([](DesignDocument &d, ReportSection &s) { d.cut(s); });
            });
    connect(addAction(QStringLiteral("m_copy"), tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C),
                      QStringLiteral("copy")),
            &QAction::triggered, this, [this] {
                stopGrab();
                editCurrent([](DesignDocument &d, ReportSection &s) { d.copy(s); });
            });
    connect(addAction(QStringLiteral("m_paste"), tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V),
                      QStringLiteral("paste")),
            &QAction::triggered, this, [this] {
                stopGrab();
                editCurrent([](DesignDocument &d, ReportSection &s) { d.paste(s); });
            });
    // The window sees Delete before its children; a text field with the
    // focus keeps the key for itself.
    connect(addAction(QStringLiteral("m_delete"), tr("&Delete"), QKeySequence(QKeySequence::Delete),
                      QStringLiteral("delete")),
            &QAction::triggered, this, [this] {
                stopGrab();
                editCurrent([](DesignDocument &d, ReportSection &s) { d.removeSelected(s); });
            });
    connect(addAction(QStringLiteral("m_selectAll"), tr("Select &all"),
                      QKeySequence(Qt::CTRL | Qt::Key_A)),
            &QAction::triggered, this,
            [this] { editCurrent([](DesignDocument &d, ReportSection &s) { d.selectAll(s); }); });
    connect(addAction(QStringLiteral("m_properties"), tr("&Properties")), &QAction::triggered, this,
            [this] {
                stopGrab();
                SectionSurface *s = current();
                ReportItem *item = s ? s->sectionRef()->items.value(m_menuItemKey) : nullptr;
                // Pictures and charts have editors too: they open as on a
                // double click.
                if (item && item->whatIs() == m_menuItemKind)
                    editItemOn(s, *item);
            });
    // Items added from the free-space menu go where it was opened.
    auto addAt = [this](const char *kind) {
        SectionSurface *s = current();
        if (!s || !m_design)
            return;
        const QPointF at = s->newItemPlace(s->clickX, s->clickY);
        if (qstrcmp(kind, "field") == 0)
            m_design->addField(*s->sectionRef(), at);
        else if (qstrcmp(kind, "picture") == 0)
            m_design->addPicture(*s->sectionRef(), at);
        else
            m_design->addChart(*s->sectionRef(), at);
    };
    connect(addAction(QStringLiteral("m_add_field"), tr("Add &field")), &QAction::triggered, this,
            [addAt] { addAt("field"); });
    connect(addAction(QStringLiteral("m_addPicture"), tr("Add &picture")), &QAction::triggered,
            this, [addAt] { addAt("picture"); });
    connect(addAction(QStringLiteral("m_addGraph"), tr("Add &chart")), &QAction::triggered, this,
            [addAt] { addAt("chart"); });
    connect(addAction(QStringLiteral("m_removeSection"), tr("&Remove section")),
            &QAction::triggered, this, &DesignerWindow::removeSection);

    // Sections
    connect(addAction(QStringLiteral("m_insertDataSection"), tr("&Insert data section...")),
            &QAction::triggered, this, &DesignerWindow::insertDataSection);
    connect(addAction(QStringLiteral("m_addDataSection"), tr("&Add data section"),
                      QKeySequence(Qt::CTRL | Qt::Key_F2)),
            &QAction::triggered, this, &DesignerWindow::addDataSection);
    const struct
    {
        const char *name;
        const char *text;
        int type;
    } switches[] = {
        {"m_pageHead", QT_TR_NOOP("Page &Header"), 1},
        {"m_pageFoot", QT_TR_NOOP("Page &Footer"), 2},
        {"m_reportHead", QT_TR_NOOP("Repo&rt Header"), 3},
        {"m_reportFooter", QT_TR_NOOP("Report F&ooter"), 4},
    };
    for (const auto &sw : switches) {
        QAction *a = addAction(QString::fromLatin1(sw.name), tr(sw.text));
        a->setCheckable(true);
        const int type = sw.type;
        connect(a, &QAction::triggered, this,
                [this, type](bool on) { switchHeaderFooter(type, on); });
    }

    // Options: the unit entries are one family, told apart by their index.
    m_unitGroup = new QActionGroup(this);
    m_unitGroup->setExclusive(true);
    const struct
    {
        int unit;
        const char *text;
    } units[] = {{5, QT_TR_NOOP("&Inches")},
                 {6, QT_TR_NOOP("&Millimeters")},
                 {7, QT_TR_NOOP("&Centimeters")}};
    for (const auto &u : units) {
        QAction *a = addAction(QStringLiteral("m_unit%1").arg(u.unit), tr(u.text));
        a->setObjectName(QStringLiteral("m_unit"));
        a->setData(u.unit);
        a->setCheckable(true);
        m_unitGroup->addAction(a);
        m_unit.insert(u.unit, a);
        const int unit = u.unit;
        connect(a, &QAction::triggered, this, [this, unit] { changeUnit(unit); });
    }

    // View
    connect(addAction(QStringLiteral("m_browse"), tr("&Browse the current DB")),
            &QAction::triggered, this, [this] {
                stopGrab();
                if (doc)
                    DatabaseBrowser::BrowseDB(doc, this);
            });
    connect(addAction(QStringLiteral("m_refresh"), tr("&Refresh"), QKeySequence(Qt::Key_F5)),
            &QAction::triggered, this, [this] {
                update();
                refreshSections();
            });
    connect(addAction(QStringLiteral("m_field_list"), tr("&Fields list"),
                      QKeySequence(Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, this, [this] {
                stopGrab();
                showFieldList();
            });
    QAction *zoomIn =
        addAction(QStringLiteral("m_zoomIn"), tr("Zoom &in"), {}, QStringLiteral("zoom-in"));
    zoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomIn, &QAction::triggered, m_zoom, &ViewZoom::zoomIn);
    connect(addAction(QStringLiteral("m_zoomOut"), tr("Zoom &out"),
                      QKeySequence(Qt::CTRL | Qt::Key_Minus), QStringLiteral("zoom-out")),
            &QAction::triggered, m_zoom, &ViewZoom::zoomOut);
    connect(addAction(QStringLiteral("m_zoomReset"), tr("&Actual size"),
                      QKeySequence(Qt::CTRL | Qt::Key_0)),
            &QAction::triggered, m_zoom, &ViewZoom::reset);

    // Arrange
    for (const ArrangeEntry &e : kArrange) {
        const QString how = QString::fromLatin1(e.how);
        QAction *a = addAction(QStringLiteral("arrange_") + how, tr(e.text), {},
                               QString::fromLatin1(e.icon));
        connect(a, &QAction::triggered, this, [this, how] { arrange(how); });
    }

    // Help
    btnOpenHelp1 = new HelpButton(this);
    btnOpenHelp1->setObjectName(QStringLiteral("btnOpenHelp1"));
    btnOpenHelp1->setTopicHtmFile(QStringLiteral("/emode.htm"));
    btnOpenHelp1->hide();
    connect(addAction(QStringLiteral("m_openHelp"), tr("&Help"),
                      QKeySequence(QKeySequence::HelpContents)),
            &QAction::triggered, btnOpenHelp1, &HelpButton::Action);
    connect(addAction(QStringLiteral("m_onlineInfo"),
                      tr("&Online info about Mirt (latest version, ...)")),
            &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kProductPage))); });
    connect(addAction(QStringLiteral("m_about"), tr("&About")), &QAction::triggered, this,
            [this] { showAbout(this); });
}

void DesignerWindow::createMenus()
{
    auto a = [this](const char *name) { return m_actions.value(QString::fromLatin1(name)); };

    QMenu *file = addMenu(nullptr, QStringLiteral("m_file"), tr("&File"));
    file->addAction(a("f_new"));
    file->addAction(a("m_load"));
    m_recentMenu = addMenu(file, QStringLiteral("m_recent"), tr("Open &recent"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, &DesignerWindow::fillRecentMenu);
    fillRecentMenu();
    file->addAction(a("m_save_as"));
    file->addAction(a("m_save"));
    separator(file, QStringLiteral("m_sep1"));
    file->addAction(a("m_docProp"));
    separator(file, QStringLiteral("m_sep2"));
    file->addAction(a("m_printPreview"));
    separator(file, QStringLiteral("msepf3"));
    file->addAction(a("m_closeEditor"));

    QMenu *edit = addMenu(nullptr, QStringLiteral("m_edit"), tr("&Edit"));
    edit->addAction(a("m_undo"));
    edit->addAction(a("m_redo"));
    edit->addSeparator();
    edit->addAction(a("m_cut"));
    edit->addAction(a("m_copy"));
    edit->addAction(a("m_paste"));
    edit->addAction(a("m_delete"));
    edit->addSeparator();
    edit->addAction(a("m_selectAll"));
    connect(edit, &QMenu::aboutToShow, this, &DesignerWindow::updateEditActions);

    QMenu *sections = addMenu(nullptr, QStringLiteral("m_sections"), tr("&Sections"));
    sections->addAction(a("m_addDataSection"));
    sections->addAction(a("m_insertDataSection"));
    separator(sections, QStringLiteral("msepsec1"));
    sections->addAction(a("m_pageHead"));
    sections->addAction(a("m_pageFoot"));
    sections->addAction(a("m_reportHead"));
    sections->addAction(a("m_reportFooter"));

    QMenu *arrangeMenu = addMenu(nullptr, QStringLiteral("m_arrange"), tr("&Arrange"));
    for (int i = 0; i < int(std::size(kArrange)); ++i) {
        if (i == 6 || i == 9)
            arrangeMenu->addSeparator();
        arrangeMenu->addAction(
            m_actions.value(QStringLiteral("arrange_") + QString::fromLatin1(kArrange[i].how)));
    }
    connect(arrangeMenu, &QMenu::aboutToShow, this, &DesignerWindow::updateEditActions);

    QMenu *options = addMenu(nullptr, QStringLiteral("m_options"), tr("&Options"));
    QMenu *units = addMenu(options, QStringLiteral("m_measureUnits"), tr("&Measure units"));
    for (int unit : {5, 6, 7})
        units->addAction(m_unit.value(unit));

    QMenu *view = addMenu(nullptr, QStringLiteral("m_view"), tr("&View"));
    view->addAction(a("m_browse"));
    view->addAction(a("m_refresh"));
    separator(view, QStringLiteral("m_sepview"));
    view->addAction(a("m_field_list"));
    view->addSeparator();
    view->addAction(a("m_zoomIn"));
    view->addAction(a("m_zoomOut"));
    view->addAction(a("m_zoomReset"));

    QMenu *help = addMenu(nullptr, QStringLiteral("m_help"), tr("&?"));
    help->addAction(a("m_openHelp"));
    help->addAction(a("m_onlineInfo"));
    separator(help, QStringLiteral("m_seph1"));
    help->addAction(a("m_about"));

    // The context menus: not in the menu bar.
    m_freeZone = new QMenu(tr("--"), this);
    m_freeZone->setObjectName(QStringLiteral("m_freeZone"));
    m_freeZone->addAction(a("m_paste"));
    separator(m_freeZone, QStringLiteral("msepsep2"));
    m_freeZone->addAction(a("m_add_field"));
    m_freeZone->addAction(a("m_addPicture"));
    m_freeZone->addAction(a("m_addGraph"));
    separator(m_freeZone, QStringLiteral("msssep1"));
    m_freeZone->addAction(a("m_removeSection"));

    m_delProp = new QMenu(tr("--"), this);
    m_delProp->setObjectName(QStringLiteral("m_delProp"));
    m_delProp->addAction(a("m_cut"));
    m_delProp->addAction(a("m_copy"));
    separator(m_delProp, QStringLiteral("mseoop"));
    m_delProp->addAction(a("m_properties"));
    m_delProp->addAction(a("m_delete"));
    m_delProp->setDefaultAction(a("m_properties"));
}

void DesignerWindow::createToolBars()
{
    Toolbar1 = addToolBar(tr("Report"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    const struct
    {
        const char *key;
        const char *tip;
    } buttons[] = {
        {"new", QT_TR_NOOP("New report")},
        {"open", QT_TR_NOOP("Open a report")},
        {"save", QT_TR_NOOP("Save the report")},
        {"preview", QT_TR_NOOP("Print preview")},
        {"field", QT_TR_NOOP("Insert field")},
        {"picture", QT_TR_NOOP("Insert picture")},
        {"graph", QT_TR_NOOP("Insert chart")},
        {"delete", QT_TR_NOOP("Delete the selection")},
        {"bold", QT_TR_NOOP("Bold")},
        {"italic", QT_TR_NOOP("Italic")},
        {"underline", QT_TR_NOOP("Underline")},
        {"left", QT_TR_NOOP("Align left")},
        {"center", QT_TR_NOOP("Center")},
        {"right", QT_TR_NOOP("Align right")},
        {"help", QT_TR_NOOP("Help")},
    };
    for (const auto &b : buttons) {
        const QString key = QString::fromLatin1(b.key);
        QAction *button = new QAction(designerIcon(key), tr(b.tip), this);
        button->setObjectName(key);
        button->setData(key);
        button->setToolTip(tr(b.tip));
        m_actions.insert(key, button);
        Toolbar1->addAction(button);
        if (key == QLatin1String("new") || key == QLatin1String("preview") ||
            key == QLatin1String("delete") || key == QLatin1String("underline") ||
            key == QLatin1String("right"))
            Toolbar1->addSeparator();
        connect(button, &QAction::triggered, this, [this, key] {
            SectionSurface *s = current();
            if (key == QLatin1String("new"))
                new_();
            else if (key == QLatin1String("open"))
                load_();
            else if (key == QLatin1String("save"))
                Save_();
            else if (key == QLatin1String("preview"))
                printPreview_();
            else if (key == QLatin1String("help"))
                btnOpenHelp1->Action();
            else if (!s || !m_design)
                return;
            else if (key == QLatin1String("field"))
                m_design->addField(*s->sectionRef(), s->newItemPlace(0, 0));
            else if (key == QLatin1String("picture"))
                m_design->addPicture(*s->sectionRef(), s->newItemPlace(0, 0));
            else if (key == QLatin1String("graph"))
                m_design->addChart(*s->sectionRef(), s->newItemPlace(0, 0));
            else if (key == QLatin1String("delete")) {
                stopGrab();
                m_design->removeSelected(*s->sectionRef());
            } else if (key == QLatin1String("bold") || key == QLatin1String("italic") ||
                       key == QLatin1String("underline"))
                m_design->toggleFont(*s->sectionRef(), key);
            else
                m_design->alignText(*s->sectionRef(), key);
            updateEditActions();
        });
    }

    m_arrangeBar = addToolBar(tr("Arrange"));
    m_arrangeBar->setObjectName(QStringLiteral("arrangeBar"));
    for (int i = 0; i < int(std::size(kArrange)); ++i) {
        if (i == 6 || i == 9)
            m_arrangeBar->addSeparator();
        m_arrangeBar->addAction(
            m_actions.value(QStringLiteral("arrange_") + QString::fromLatin1(kArrange[i].how)));
    }
    m_arrangeBar->addSeparator();
    m_arrangeBar->addAction(m_actions.value(QStringLiteral("m_undo")));
    m_arrangeBar->addAction(m_actions.value(QStringLiteral("m_redo")));
}

void DesignerWindow::createStatusBar()
{
    QStatusBar *sb1 = statusBar();
    sb1->setObjectName(QStringLiteral("sb1"));
    auto panel = [sb1](const char *name, const QString &tip, int stretch, const QString &widest) {
        auto *label = new QLabel(sb1);
        label->setTextFormat(Qt::PlainText); // section names and messages from the report
        label->setObjectName(QString::fromLatin1(name));
        label->setToolTip(tip);
        if (!widest.isEmpty())
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(widest) + 8);
        sb1->addWidget(label, stretch);
        return label;
    };
    m_panelPos = panel("pos", tr("Position of the cursor"), 0, QStringLiteral("0000.00:0000.00"));
    m_panelSection = panel("section", tr("Section's name"), 0, QStringLiteral("Report Header ..."));
    m_panelUnit = panel("unit", tr("Current unit"), 0, QStringLiteral("inches"));
    m_panelText = panel("text", QString(), 1, QString());

    m_zoomBox = new QComboBox(sb1);
    m_zoomBox->setObjectName(QStringLiteral("zoom"));
    m_zoomBox->setToolTip(tr("Zoom"));
    m_zoomBox->setFocusPolicy(Qt::NoFocus);
    for (int step : m_zoom->steps())
        m_zoomBox->addItem(tr("%1 %").arg(step), step);
    m_zoomBox->setCurrentIndex(int(m_zoom->steps().indexOf(m_zoom->percent())));
    connect(m_zoomBox, &QComboBox::activated, this,
            [this](int index) { m_zoom->setPercent(m_zoomBox->itemData(index).toInt()); });
    sb1->addPermanentWidget(m_zoomBox);
}

void DesignerWindow::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList names = RecentFiles::list();
    for (int i = 0; i < names.size(); ++i) {
        const QString name = names.at(i);
        QAction *entry = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QDir::toNativeSeparators(name).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        entry->setData(name);
        connect(entry, &QAction::triggered, this, [this, name] { openFile(name); });
    }
    if (names.isEmpty()) {
        m_recentMenu->addAction(tr("(none)"))->setEnabled(false);
        return;
    }
    m_recentMenu->addSeparator();
    connect(m_recentMenu->addAction(tr("&Clear the list")), &QAction::triggered, this,
            [] { RecentFiles::clear(); });
}

void DesignerWindow::updateEditActions()
{
    const bool hasDoc = doc && !m_released;
    action(QStringLiteral("m_paste"))
        ->setEnabled(hasDoc && m_design && !m_design->clipboard().isEmpty());
    const int selected = selectedCount();
    for (const ArrangeEntry &e : kArrange) {
        const bool distribute = qstrncmp(e.how, "distribute", 10) == 0;
        m_actions.value(QStringLiteral("arrange_") + QString::fromLatin1(e.how))
            ->setEnabled(selected >= (distribute ? 3 : 2));
    }
    updateRulers();
}

void DesignerWindow::majUnit()
{
    if (!doc)
        return;
    if (QAction *a = m_unit.value(doc->unit()))
        a->setChecked(true);
    m_panelUnit->setText(unitName(doc->unit()));
}
