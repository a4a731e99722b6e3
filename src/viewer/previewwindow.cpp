#include "previewwindow.h"

#include "helpbutton.h"
#include "fdebug.h"
#include "htmlexportdialog.h"
#include "aboutdialog.h"
#include "previewexport.h"
#include "previewfindbar.h"
#include "previewicons.h"
#include "previewpageview.h"
#include "previewthumbnails.h"
#include "viewzoom.h"
#include "printing.h"

#include "platform/appinfo.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"
#include "document/userinteraction.h"
#include "document/errorentry.h"
#include "platform/connection.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QProgressBar>
#include <QProgressDialog>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

#include <climits>
#include <exception>

namespace {

// The product's web page (m_infoOnline).
const char *const kProductPage = "https://mirt.talvo.org/";

QIcon themedIcon(const QWidget *w, const char *themeName, QStyle::StandardPixmap fallback)
{
    return previewThemeIcon(w, themeName, fallback);
}

// Widgets that take the navigation keys for themselves: typing a page
// number or a search text must not turn pages.
bool editsText(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractSpinBox *>(w) ||
           (qobject_cast<const QComboBox *>(w) && static_cast<const QComboBox *>(w)->isEditable());
}

} // namespace

PreviewWindow::PreviewWindow(QWidget *parent)
    : QMainWindow(parent),
      m_zoom(new ViewZoom({25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400}, ViewZoom::FitWidth,
                          this)),
      pic(new PreviewPageView(m_zoom, this))
{
    setObjectName(QStringLiteral("PreviewWindow"));
    programDir = QCoreApplication::applicationDirPath();
    setCentralWidget(pic);
    createActions();
    createToolBar();
    createMenus();
    createStatusBar();
    createFindBar();
    createThumbnails();
    connect(pic, &PreviewPageView::turnPage, this, &PreviewWindow::turnPage);
    connect(m_zoom, &ViewZoom::changed, this, &PreviewWindow::showZoom);
    m_thumbSync.setSingleShot(true);
    m_thumbSync.setInterval(300);
    connect(&m_thumbSync, &QTimer::timeout, m_thumbModel, &PreviewThumbnailModel::syncPages);
    m_liveRefresh.setSingleShot(true);
    m_liveRefresh.setInterval(250);
    connect(&m_liveRefresh, &QTimer::timeout, this, [this] {
        if (!doc || shownPage != doc->pageCount())
            return;
        pic->invalidate();
        m_thumbModel->pageChanged(shownPage);
    });
    m_totalRefresh.setSingleShot(true);
    m_totalRefresh.setInterval(400);
    connect(&m_totalRefresh, &QTimer::timeout, this, &PreviewWindow::redrawForTotal);
    setWorkingState(false);
    majCaption();
    // Tall enough for a page at a readable size, never larger than the
    // screen (a 1366 x 768 laptop, or a scaled desktop).
    QSize size(900, 1000);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
    // The window sees the navigation keys before its controls do.
    qApp->installEventFilter(this);
}

PreviewWindow::~PreviewWindow()
{
    qApp->removeEventFilter(this);
    if (doc)
        doc->run().yieldHook = nullptr;
}

QAction *PreviewWindow::addAction(const QString &key, const QString &text, const QIcon &icon,
                               const QKeySequence &shortcut)
{
    auto *a = new QAction(icon, text, this);
    a->setObjectName(key);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    m_actions.insert(key, a);
    QMainWindow::addAction(a); // shortcuts work with the tool bar hidden
    return a;
}

void PreviewWindow::createActions()
{
    connect(addAction(QStringLiteral("open"), tr("Open"),
                      themedIcon(this, "document-open", QStyle::SP_DialogOpenButton)),
            &QAction::triggered, this, &PreviewWindow::openF);
    connect(addAction(QStringLiteral("l"), tr("Previous page"),
                      themedIcon(this, "go-previous", QStyle::SP_ArrowLeft)),
            &QAction::triggered, this, &PreviewWindow::previousPage);
    connect(addAction(QStringLiteral("f"), tr("Next page"),
                      themedIcon(this, "go-next", QStyle::SP_ArrowRight)),
            &QAction::triggered, this, &PreviewWindow::nextPage);
    connect(addAction(QStringLiteral("print"), tr("Print"),
                      themedIcon(this, "document-print", QStyle::SP_ComputerIcon)),
            &QAction::triggered, this, &PreviewWindow::Print_);
    connect(addAction(QStringLiteral("edit"), tr("Edit"),
                      themedIcon(this, "document-edit", QStyle::SP_FileDialogContentsView)),
            &QAction::triggered, this, &PreviewWindow::EditDoc);
    connect(addAction(QStringLiteral("stop"), tr("Stop"),
                      themedIcon(this, "process-stop", QStyle::SP_BrowserStop)),
            &QAction::triggered, this, &PreviewWindow::stopRun);
    // Escape closes the find bar while one types in it, else stops a run.
    connect(addAction(QStringLiteral("escape"), tr("Stop or close the find bar"), QIcon(),
                      QKeySequence(Qt::Key_Escape)),
            &QAction::triggered, this, [this] {
                if (m_findBar->isVisible() &&
                    m_findBar->isAncestorOf(QApplication::focusWidget())) {
                    m_findBar->hide();
                    pic->setFocus();
                    return;
                }
                stopRun();
            });
    connect(addAction(QStringLiteral("html"), tr("HTML"),
                      themedIcon(this, "text-html", QStyle::SP_FileIcon)),
            &QAction::triggered, this, &PreviewWindow::exportHtmlTest);
    connect(addAction(QStringLiteral("errors"), tr("Errors"),
                      themedIcon(this, "dialog-warning", QStyle::SP_MessageBoxWarning)),
            &QAction::triggered, this, [this] {
                if (doc)
                    fDebug::ShowErrors(*doc, this);
            });
    connect(addAction(QStringLiteral("export"), tr("Export…"),
                      themedIcon(this, "document-save-as", QStyle::SP_DialogSaveButton),
                      QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, &PreviewWindow::exportPages);
    connect(addAction(QStringLiteral("exportHtml"), tr("Export to &HTML…"),
                      themedIcon(this, "text-html", QStyle::SP_FileIcon)),
            &QAction::triggered, this, [this] {
                if (doc && !doc->run().working && confirmIncomplete(tr("Export them anyway?")))
                    runHtmlExportDialog(*doc, shownPage, this);
            });
    connect(addAction(QStringLiteral("find"), tr("Find…"),
                      themedIcon(this, "edit-find", QStyle::SP_FileDialogContentsView),
                      QKeySequence::Find),
            &QAction::triggered, this, &PreviewWindow::showFindBar);
    connect(
        addAction(QStringLiteral("findNext"), tr("Find next"), QIcon(), QKeySequence(Qt::Key_F3)),
        &QAction::triggered, this, &PreviewWindow::findNext);
    connect(addAction(QStringLiteral("findPrevious"), tr("Find previous"), QIcon(),
                      QKeySequence(Qt::SHIFT | Qt::Key_F3)),
            &QAction::triggered, this, &PreviewWindow::findPrevious);
    QAction *zoomIn = addAction(QStringLiteral("zoomIn"), tr("Zoom in"), previewZoomIcon(1));
    zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomIn, &QAction::triggered, m_zoom, &ViewZoom::zoomIn);
    connect(addAction(QStringLiteral("zoomOut"), tr("Zoom out"), previewZoomIcon(-1),
                      QKeySequence::ZoomOut),
            &QAction::triggered, m_zoom, &ViewZoom::zoomOut);
    connect(addAction(QStringLiteral("zoomActual"), tr("Actual size"),
                      themedIcon(this, "zoom-original", QStyle::SP_TitleBarNormalButton),
                      QKeySequence(Qt::CTRL | Qt::Key_0)),
            &QAction::triggered, this, [this] { m_zoom->setFactor(1.0); });
    connect(addAction(QStringLiteral("zoomFitPage"), tr("Fit page"),
                      themedIcon(this, "zoom-fit-best", QStyle::SP_TitleBarMaxButton)),
            &QAction::triggered, this, [this] { m_zoom->setMode(ViewZoom::FitPage); });
    connect(
        addAction(QStringLiteral("zoomFitWidth"), tr("Fit width"),
                  themedIcon(this, "zoom-fit-width", QStyle::SP_ToolBarHorizontalExtensionButton)),
        &QAction::triggered, this, [this] { m_zoom->setMode(ViewZoom::FitWidth); });

    m_open = addAction(QStringLiteral("m_open"), tr("&Open…"),
                       m_actions.value(QStringLiteral("open"))->icon(), QKeySequence::Open);
    connect(m_open, &QAction::triggered, this, &PreviewWindow::openF);
    m_print = addAction(QStringLiteral("m_print"), tr("&Print…"),
                        m_actions.value(QStringLiteral("print"))->icon(), QKeySequence::Print);
    connect(m_print, &QAction::triggered, this, &PreviewWindow::Print_);
    m_switch_mode = addAction(QStringLiteral("m_switch_mode"), tr("&Edit mode"),
                              m_actions.value(QStringLiteral("edit"))->icon());
    connect(m_switch_mode, &QAction::triggered, this, &PreviewWindow::EditDoc);
    m_closeViewer = addAction(QStringLiteral("m_closeViewer"), tr("&Close"),
                              themedIcon(this, "window-close", QStyle::SP_DialogCloseButton),
                              QKeySequence::Close);
    connect(m_closeViewer, &QAction::triggered, this, &QWidget::close);
    m_debug = addAction(QStringLiteral("m_debug"), tr("&Debug list"), QIcon());
    connect(m_debug, &QAction::triggered, this, [this] {
        if (doc)
            fDebug::ShowDebug(*doc, this);
    });
    m_helpOpen = addAction(QStringLiteral("m_helpOpen"), tr("&Help"),
                           themedIcon(this, "help-contents", QStyle::SP_DialogHelpButton),
                           QKeySequence::HelpContents);
    m_infoOnline = addAction(QStringLiteral("m_infoOnline"), tr("Information &online"),
                             themedIcon(this, "internet-web-browser", QStyle::SP_DriveNetIcon));
    connect(m_infoOnline, &QAction::triggered, this,
            [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kProductPage))); });
    m_about = addAction(QStringLiteral("m_about"), tr("&About…"),
                        themedIcon(this, "help-about", QStyle::SP_MessageBoxInformation));
    connect(m_about, &QAction::triggered, this, [this] { showAbout(this); });
}

void PreviewWindow::createToolBar()
{
    Toolbar1 = addToolBar(tr("Preview"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto add = [this](const char *key, bool text = false) {
        QAction *a = m_actions.value(QLatin1String(key));
        Toolbar1->addAction(a);
        if (auto *button = qobject_cast<QToolButton *>(Toolbar1->widgetForAction(a))) {
            button->setObjectName(QLatin1String("button_") + QLatin1String(key));
            button->setToolButtonStyle(text ? Qt::ToolButtonTextBesideIcon
                                            : Qt::ToolButtonIconOnly);
        }
    };
    add("open");
    add("print");
    add("export");
    Toolbar1->addSeparator();
    add("l");
    m_pageNumber = new QSpinBox(this);
    m_pageNumber->setObjectName(QStringLiteral("pageNumber"));
    m_pageNumber->setRange(1, 1);
    m_pageNumber->setKeyboardTracking(false);
    m_pageNumber->setAccelerated(true);
    m_pageNumber->setToolTip(tr("Page shown"));
    connect(m_pageNumber, &QSpinBox::valueChanged, this, [this](int page) {
        if (doc && page != shownPage) {
            maj(page);
            majSB();
        }
    });
    Toolbar1->addWidget(m_pageNumber);
    add("f");
    Toolbar1->addSeparator();
    add("zoomOut");
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("zoomBox"));
    m_zoomBox->addItem(tr("Fit page"), -ViewZoom::FitPage);
    m_zoomBox->addItem(tr("Fit width"), -ViewZoom::FitWidth);
    for (int step : m_zoom->steps())
        m_zoomBox->addItem(tr("%1 %").arg(step), step);
    m_zoomBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(m_zoomBox, &QComboBox::activated, this, &PreviewWindow::zoomChosen);
    Toolbar1->addWidget(m_zoomBox);
    add("zoomIn");
    Toolbar1->addSeparator();
    add("stop", true);
    add("edit");
    add("html");
    add("errors", true);
    Toolbar1->addSeparator();
    btnOpenHelp1 = new HelpButton(this);
    btnOpenHelp1->setObjectName(QStringLiteral("btnOpenHelp1"));
    btnOpenHelp1->setTopicHtmFile(QStringLiteral("pmode.htm"));
    QAction *help = Toolbar1->addWidget(btnOpenHelp1);
    help->setObjectName(QStringLiteral("help"));
    m_actions.insert(QStringLiteral("help"), help);
    connect(m_helpOpen, &QAction::triggered, this, [this] { btnOpenHelp1->Action(); });
    showZoom();
}

void PreviewWindow::createMenus()
{
    auto action = [this](const char *key) { return m_actions.value(QLatin1String(key)); };
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->addAction(m_open);
    file->addAction(m_print);
    file->addAction(action("export"));
    file->addAction(action("exportHtml"));
    file->addSeparator();
    file->addAction(m_switch_mode);
    file->addSeparator();
    file->addAction(m_closeViewer);

    QMenu *view = menuBar()->addMenu(tr("&View"));
    view->addAction(action("l"));
    view->addAction(action("f"));
    view->addSeparator();
    view->addAction(action("zoomIn"));
    view->addAction(action("zoomOut"));
    view->addAction(action("zoomActual"));
    view->addAction(action("zoomFitPage"));
    view->addAction(action("zoomFitWidth"));
    view->addSeparator();
    view->addAction(action("find"));
    view->addAction(action("findNext"));
    view->addAction(action("findPrevious"));
    view->setObjectName(QStringLiteral("viewMenu"));

    QMenu *run = menuBar()->addMenu(tr("&Report"));
    run->addAction(action("stop"));
    run->addAction(action("errors"));
    run->addAction(m_debug);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->addAction(m_helpOpen);
    help->addAction(m_infoOnline);
    help->addSeparator();
    help->addAction(m_about);
}

void PreviewWindow::createStatusBar()
{
    sb1 = statusBar();
    sb1->setObjectName(QStringLiteral("sb1"));
    m_statusPanel = new QLabel(this);
    m_statusPanel->setTextFormat(Qt::PlainText); // shows the report's own texts
    m_statusPanel->setObjectName(QStringLiteral("status"));
    PB1 = new QProgressBar(this);
    PB1->setObjectName(QStringLiteral("PB1"));
    PB1->setMaximumWidth(220);
    PB1->setTextVisible(false);
    m_pagesPanel = new QLabel(this);
    m_pagesPanel->setObjectName(QStringLiteral("pages"));
    m_pagesPanel->setMinimumWidth(
        m_pagesPanel->fontMetrics().horizontalAdvance(QStringLiteral("Page 00000/00000")));
    m_pagesPanel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sb1->addWidget(m_statusPanel, 1);
    sb1->addPermanentWidget(PB1);
    sb1->addPermanentWidget(m_pagesPanel);
}

void PreviewWindow::createFindBar()
{
    m_findBar = new PreviewFindBar(this);
    addToolBar(Qt::BottomToolBarArea, m_findBar);
    connect(m_findBar, &PreviewFindBar::stepRequested, this,
            [this](int direction) { m_findBar->step(direction, shownPage); });
    connect(m_findBar, &PreviewFindBar::pageWanted, this, [this](int page) {
        if (page != shownPage)
            maj(page);
        majSB();
    });
    connect(m_findBar, &PreviewFindBar::matchesChanged, this, &PreviewWindow::showHits);
    m_findBar->hide();
}

void PreviewWindow::createThumbnails()
{
    m_thumbModel = new PreviewThumbnailModel(this);
    m_thumbList = new QListView(this);
    m_thumbList->setObjectName(QStringLiteral("thumbnails"));
    m_thumbList->setViewMode(QListView::IconMode);
    m_thumbList->setFlow(QListView::TopToBottom);
    m_thumbList->setWrapping(false);
    m_thumbList->setMovement(QListView::Static);
    m_thumbList->setResizeMode(QListView::Adjust);
    m_thumbList->setUniformItemSizes(true);
    m_thumbList->setSpacing(6);
    m_thumbList->setLayoutMode(QListView::Batched);
    m_thumbList->setModel(m_thumbModel);
    m_thumbList->setIconSize(m_thumbModel->thumbnailSize());
    m_thumbList->setFocusPolicy(Qt::NoFocus);
    connect(m_thumbList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && current.row() + 1 != shownPage) {
                    maj(current.row() + 1);
                    majSB();
                }
            });
    m_thumbDock = new QDockWidget(tr("Pages"), this);
    m_thumbDock->setObjectName(QStringLiteral("thumbnailDock"));
    m_thumbDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_thumbDock->setWidget(m_thumbList);
    m_thumbList->setMinimumWidth(m_thumbModel->thumbnailSize().width() + 40);
    addDockWidget(Qt::LeftDockWidgetArea, m_thumbDock);
    resizeDocks({m_thumbDock}, {m_thumbModel->thumbnailSize().width() + 48}, Qt::Horizontal);
    if (auto *view = findChild<QMenu *>(QStringLiteral("viewMenu"))) {
        view->addSeparator();
        QAction *toggle = m_thumbDock->toggleViewAction();
        toggle->setObjectName(QStringLiteral("thumbnailsToggle"));
        view->addAction(toggle);
    }
}

// ---- Running ----

void PreviewWindow::attachDocument(ReportDocument *newDoc)
{
    if (newDoc == doc)
        return;
    for (const QMetaObject::Connection &c : std::as_const(m_docConnections))
        disconnect(c);
    m_docConnections.clear();
    if (doc)
        doc->run().yieldHook = nullptr;
    doc = newDoc;
    m_debug->setVisible(doc && doc->dbg);
    pic->setDocument(doc);
    m_thumbModel->setDocument(doc);
    m_findBar->setDocument(doc);
    if (!doc)
        return;
    m_docConnections << connect(doc, &ReportDocument::startWorking, this,
                                [this] { setWorkingState(true); });
    m_docConnections << connect(doc, &ReportDocument::pageFinished, this,
                                &PreviewWindow::onPageFinished);
    m_docConnections << connect(doc, &ReportDocument::updateScrollBar, this, &PreviewWindow::majSB);
    m_docConnections << connect(doc, &ReportDocument::finishedWorking, this,
                                &PreviewWindow::onFinishedWorking);
    m_docConnections << connect(doc, &QObject::destroyed, this, [this] {
        doc = nullptr;
        m_docConnections.clear();
        pic->setDocument(nullptr);
        m_thumbModel->setDocument(nullptr);
        m_findBar->setDocument(nullptr);
    });
}

void PreviewWindow::PrintPreview(ReportDocument *newDoc, bool &thenPrint, bool &showPrintDialog,
                              bool &hideWindow)
{
    attachDocument(newDoc);
    shownPage = 1;
    m_pagesPanel->setText(QStringLiteral("1/..."));
    pic->setPage(0);
    if (!doc)
        return;
    doc->errorLst.clear();
    if (hideWindow)
        hide();
    runPreview(thenPrint, showPrintDialog, hideWindow);
}

void PreviewWindow::runPreview(bool &thenPrint, bool &showPrintDialog, bool &hideWindow)
{
    if (!doc)
        return;
    if (doc->run().working) {
        QApplication::beep();
        return;
    }
    pic->setPage(0);
    m_runIncomplete = false;
    PB1->setRange(0, 1);
    PB1->setValue(0);
    PB1->show();
    status(tr("In progress..."));
    // A run reads the data afresh: "query again" must not answer from an
    // old connection.
    if (doc->isDataConnectionOpen()) {
        try {
            doc->connection().close();
        } catch (...) {
        }
    }
    doc->hideRun = hideWindow;
    pic->invalidate(); // the sheet takes this report's page size
    m_findBar->reset();
    m_thumbModel->syncPages();
    majCaption();
    if (!hideWindow) {
        show();
        pic->repaint();
    }

    m_yieldClock.start();
    doc->run().yieldHook = [this] {
        // Often enough to keep the window answering, seldom enough that a
        // long list is not slowed down by it.
        if (m_yieldClock.elapsed() < yieldInterval)
            return;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        m_yieldClock.start();
    };
    connectionFailed = false;
    printFailed = false;
    if (doc->openDataConnection() != 0) {
        connectionFailed = true;
        doc->addError(
            ErrorEntry(QStringLiteral("PreviewWindow"), QStringLiteral("runPreview"),
                       tr("Impossible to open the connection: %1").arg(doc->connectionError()),
                       doc->connectionStringData));
    } else {
        try {
            // The Export dialog's spreadsheet formats write the values.
            doc->run().pages.setKeepValues(true);
            doc->initPrint();
        } catch (const std::exception &e) {
            // A run that breaks off leaves the pages made so far, and the
            // window usable (closing included).
            doc->run().working = false;
            m_runIncomplete = true;
            doc->addError(ErrorEntry(QStringLiteral("PreviewWindow"), QStringLiteral("runPreview"),
                                     tr("The report run stopped on an unexpected error: %1")
                                         .arg(QString::fromLocal8Bit(e.what())),
                                     QString()));
            setWorkingState(false);
        }
    }
    if (doc)
        doc->run().yieldHook = nullptr;
    if (!doc)
        return;
    setWorkingState(false);
    m_thumbModel->syncPages();

    if (thenPrint && !connectionFailed) {
        // A run broken off by an error made only some of the pages.
        if (confirmIncomplete(tr("Print them anyway?")))
            printFailed = !RealPrint(*doc, showPrintDialog, this);
        else
            printFailed = true;
    }

    const PrintedPage *first = doc->run().pages.page(1);
    const int itemsOnFirst = first ? first->count() : 0;
    if (!hideWindow && itemsOnFirst == 0) {
        const UserInteraction::Button answer = UserInteraction::current()->message(
            tr("The document seems to be empty, query again the database ?"),
            UserInteraction::Retry | UserInteraction::Cancel, UserInteraction::Question);
        if (answer == UserInteraction::Retry) {
            bool noHide = false;
            PrintPreview(doc, thenPrint, showPrintDialog, noHide);
            return;
        }
    }
    maj(shownPage);
    majSB();
    if (hideWindow)
        close();
}

void PreviewWindow::onPageFinished(int page)
{
    if (!doc)
        return;
    // The strip grows at once for the first pages, then in batches: a
    // row at a time costs the view a layout for each of thousands of pages.
    if (m_thumbModel->rowCount() < 50)
        m_thumbModel->syncPages();
    else if (!m_thumbSync.isActive())
        m_thumbSync.start();
    m_thumbModel->pageChanged(page);
    syncPageControls();
    if (!m_totalRefresh.isActive())
        m_totalRefresh.start();
    if (page == shownPage) {
        pic->invalidate();
        maj(shownPage);
    }
    if (doc->hideRun)
        hide();
}

void PreviewWindow::onFinishedWorking()
{
    m_runIncomplete = doc && doc->run().stopRequested;
    setWorkingState(false);
    if (!doc)
        return;
    m_thumbModel->syncPages();
    m_totalRefresh.stop();
    redrawForTotal();
    maj(shownPage);
    majSB();
}

void PreviewWindow::redrawForTotal()
{
    if (!doc)
        return;
    pic->invalidate();
    m_thumbModel->allPagesChanged();
}

QString PreviewWindow::idleStatus() const
{
    if (m_runIncomplete && doc)
        return tr("Stopped: the report is incomplete, %1 pages made").arg(doc->pageCount());
    return tr("ready");
}

bool PreviewWindow::confirmIncomplete(const QString &question)
{
    if (!m_runIncomplete || !doc)
        return true;
    const QString text =
        tr("The run was stopped, so the report is incomplete: it has only the %1 pages made "
           "before the stop, and its page totals count only those.")
            .arg(doc->pageCount()) +
        QLatin1Char(' ') + question;
    return UserInteraction::current()->message(text, UserInteraction::Yes | UserInteraction::No,
                                               UserInteraction::Question) == UserInteraction::Yes;
}

void PreviewWindow::setWorkingState(bool working)
{
    m_actions.value(QStringLiteral("open"))->setEnabled(!working);
    m_open->setEnabled(!working);
    m_actions.value(QStringLiteral("stop"))->setEnabled(working);
    m_switch_mode->setEnabled(!working);
    m_actions.value(QStringLiteral("edit"))->setEnabled(!working);
    // Pages printed or exported during a run would carry the page total of
    // the moment ("Page 756 of 756") and lack the rest.
    const QString why = tr("Waits for the end of the run: the pages and their total are not "
                           "known before.");
    for (const char *key : {"print", "m_print", "export", "exportHtml", "html"}) {
        QAction *a = m_actions.value(QLatin1String(key));
        a->setEnabled(!working);
        a->setToolTip(working ? why : QString());
        a->setStatusTip(working ? why : QString());
    }
    status(working ? tr("working...") : idleStatus());
    PB1->setVisible(working);
}

void PreviewWindow::stopRun()
{
    if (!doc || !doc->run().working)
        return;
    doc->run().stopRequested = true;
    status(tr("Stopping..."));
}

// ---- Pages ----

void PreviewWindow::maj(int p)
{
    m_actions.value(QStringLiteral("errors"))->setVisible(doc && doc->isErrors());
    if (!doc || doc->pageCount() < 1) {
        pic->setPage(0);
        syncPageControls();
        return;
    }
    shownPage = qBound(1, p, int(doc->pageCount()));
    pic->setPage(shownPage);
    showHits();
    syncPageControls();
}

void PreviewWindow::syncPageControls()
{
    const int pages = doc ? doc->pageCount() : 0;
    if (pages != m_shownPagesCount) {
        m_shownPagesCount = pages;
        const QSignalBlocker block(m_pageNumber);
        m_pageNumber->setRange(1, std::max(1, pages));
        m_pageNumber->setSuffix(tr(" / %1").arg(pages));
    }
    if (m_pageNumber->value() != shownPage) {
        const QSignalBlocker block(m_pageNumber);
        m_pageNumber->setValue(shownPage);
    }
    m_actions.value(QStringLiteral("l"))->setEnabled(shownPage > 1);
    m_actions.value(QStringLiteral("f"))->setEnabled(shownPage < pages);
    const QModelIndex row = m_thumbModel->index(shownPage - 1);
    if (row.isValid() && m_thumbList->currentIndex() != row) {
        // Not with the selection model's signals blocked: the strip repaints
        // the rows it leaves from them (the lambda ignores the shown page).
        m_thumbList->setCurrentIndex(row);
        m_thumbList->scrollTo(row);
    }
}

void PreviewWindow::majSB()
{
    if (!doc)
        return;
    PB1->setRange(0, int(std::min<qint64>(doc->run().rootRecords > 0 ? doc->run().rootRecords : 1, INT_MAX)));
    PB1->setValue(int(std::min<qint64>(doc->run().recordsDone, PB1->maximum())));
    const QString pages = tr("Page %1/%2").arg(shownPage).arg(doc->pageCount());
    if (m_pagesPanel->text() != pages)
        m_pagesPanel->setText(pages);
    if (doc->pageCount() != m_shownPagesCount)
        syncPageControls();
    // The page being filled is on display: draw it again now and then.
    if (doc->run().working && shownPage == doc->pageCount() && !m_liveRefresh.isActive())
        m_liveRefresh.start();
}

void PreviewWindow::previousPage()
{
    if (doc && shownPage > 1)
        maj(shownPage - 1);
    majSB();
}

void PreviewWindow::nextPage()
{
    if (doc && shownPage < doc->pageCount())
        maj(shownPage + 1);
    majSB();
}

void PreviewWindow::turnPage(int direction)
{
    const int before = shownPage;
    if (direction > 0)
        nextPage();
    else
        previousPage();
    if (shownPage == before)
        return;
    QScrollBar *bar = pic->verticalScrollBar();
    bar->setValue(direction > 0 ? bar->minimum() : bar->maximum());
}

void PreviewWindow::status(const QString &text)
{
    m_statusPanel->setText(text);
}

void PreviewWindow::majCaption()
{
    QString caption = appTitle();
    if (doc)
        caption += QStringLiteral(" - ") + doc->docName + QStringLiteral("-") + doc->fileName;
    setWindowTitle(caption);
}

// ---- Commands ----

void PreviewWindow::openF()
{
    if (doc && doc->run().working) {
        QApplication::beep();
        return;
    }
    const QString dir =
        doc && !doc->fileName.isEmpty() ? QFileInfo(doc->fileName).absolutePath() : QString();
    const QString chosen = QFileDialog::getOpenFileName(this, tr("Open"), dir, documentFilter());
    if (!chosen.isEmpty())
        openFile(chosen);
}

void PreviewWindow::openFile(const QString &fileName)
{
    if (!doc || doc->run().working) {
        QApplication::beep();
        return;
    }
    if (doc->isDataConnectionOpen()) {
        try {
            doc->connection().close();
        } catch (...) {
        }
    }
    doc->deletePages();
    if (!doc->loadXml(fileName)) {
        // The document is as it was; its pages are gone with the release.
        maj(1);
        majSB();
        return;
    }
    doc->fileName = QFileInfo(fileName).absoluteFilePath();
    shownPage = 1;
    bool thenPrint = false, showPrintDialog = true, hideWindow = false;
    runPreview(thenPrint, showPrintDialog, hideWindow);
    maj(1);
    majSB();
    majCaption();
}

void PreviewWindow::Print_()
{
    if (!doc)
        return;
    if (doc->run().working) {
        status(tr("Printing waits for the end of the run."));
        return;
    }
    if (doc->pageCount() == 0) {
        UserInteraction::current()->message(tr("The report has no page to print."));
        return;
    }
    if (confirmIncomplete(tr("Print them anyway?")))
        RealPrint(*doc, true, this);
}

void PreviewWindow::EditDoc()
{
    if (!doc || doc->run().working)
        return;
    if (!designerHook) {
        UserInteraction::current()->message(tr("The designer is not available yet."),
                                            UserInteraction::Ok, UserInteraction::Information);
        return;
    }
    hide();
    designerHook(*doc);
}

void PreviewWindow::exportHtmlTest()
{
    if (!doc || doc->run().working || !confirmIncomplete(tr("Export page 1 anyway?")))
        return;
    const QString target = previewHtmlTarget(programDir, doc->fileName);
    // The export sets CurrentPage, which a run in progress counts on.
    const int savedPage = doc->run().currentPage;
    int page = 1;
    const bool ok = doc->exportHtmlPage(target, page);
    doc->run().currentPage = savedPage;
    if (!ok) {
        UserInteraction::current()->message(
            tr("The page could not be written to %1: %2")
                .arg(QDir::toNativeSeparators(target), doc->errorString()),
            UserInteraction::Ok, UserInteraction::Exclamation);
        return;
    }
    if (page == 0)
        status(tr("There is no page to write."));
    else
        status(tr("Page 1 written to %1").arg(QDir::toNativeSeparators(target)));
}

void PreviewWindow::exportPages()
{
    if (!doc || doc->run().working)
        return;
    if (doc->pageCount() == 0) {
        UserInteraction::current()->message(tr("The report has no page to export."));
        return;
    }
    if (!confirmIncomplete(tr("Export them anyway?")))
        return;
    PreviewExportDialog dialog(*doc, shownPage, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const PreviewExportRequest request = dialog.request();
    QProgressDialog progress(tr("Exporting…"), tr("Cancel"), 0,
                             request.toPage - request.fromPage + 1, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    QStringList written;
    QString error;
    const bool ok = exportPreviewPages(
        *doc, request,
        [&progress](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            return !progress.wasCanceled();
        },
        &written, &error);
    progress.reset();
    if (!ok) {
        UserInteraction::current()->message(error, UserInteraction::Ok,
                                            UserInteraction::Exclamation);
        return;
    }
    status(written.size() == 1
               ? tr("Exported to %1").arg(QDir::toNativeSeparators(written.constFirst()))
               : tr("%1 files exported to %2")
                     .arg(written.size())
                     .arg(QDir::toNativeSeparators(QFileInfo(written.value(0)).absolutePath())));
}

// ---- Zoom ----

void PreviewWindow::zoomChosen(int index)
{
    const int value = m_zoomBox->itemData(index).toInt();
    if (value == -ViewZoom::FitPage)
        m_zoom->setMode(ViewZoom::FitPage);
    else if (value == -ViewZoom::FitWidth)
        m_zoom->setMode(ViewZoom::FitWidth);
    else
        m_zoom->setFactor(value / 100.0);
    pic->setFocus();
}

void PreviewWindow::showZoom()
{
    if (!m_zoomBox)
        return;
    int index = -1;
    if (m_zoom->mode() == ViewZoom::FitPage)
        index = m_zoomBox->findData(-ViewZoom::FitPage);
    else if (m_zoom->mode() == ViewZoom::FitWidth)
        index = m_zoomBox->findData(-ViewZoom::FitWidth);
    else
        index = m_zoomBox->findData(qRound(m_zoom->factor() * 100));
    if (index < 0) {
        // A factor between the steps shows as its own entry.
        const int percent = qRound(m_zoom->factor() * 100);
        index = m_zoomBox->findData(QStringLiteral("custom"));
        if (index < 0) {
            m_zoomBox->addItem(QString(), QStringLiteral("custom"));
            index = m_zoomBox->count() - 1;
        }
        m_zoomBox->setItemText(index, tr("%1 %").arg(percent));
    }
    m_zoomBox->setCurrentIndex(index);
    m_actions.value(QStringLiteral("zoomIn"))->setEnabled(m_zoom->canZoomIn());
    m_actions.value(QStringLiteral("zoomOut"))->setEnabled(m_zoom->canZoomOut());
}

// ---- Find ----

void PreviewWindow::showFindBar()
{
    m_findBar->activate();
}

void PreviewWindow::findNext()
{
    m_findBar->step(1, shownPage);
}

void PreviewWindow::findPrevious()
{
    m_findBar->step(-1, shownPage);
}

void PreviewWindow::showHits()
{
    int current = -1;
    const QList<QRectF> rects = m_findBar->matchesOn(shownPage, &current);
    pic->setHighlights(rects, current);
}

// ---- Window ----

void PreviewWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    syncThumbnailResolution();
    if (!m_screenWatched && windowHandle()) {
        m_screenWatched = true;
        connect(windowHandle(), &QWindow::screenChanged, this,
                &PreviewWindow::syncThumbnailResolution);
    }
}

void PreviewWindow::syncThumbnailResolution()
{
    // Pictures made for the screen's pixel ratio, or a scaled desktop
    // blows them up blurred.
    m_thumbModel->setThumbnailWidth(m_thumbModel->thumbnailWidth(), devicePixelRatioF());
}

void PreviewWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_debug->setVisible(doc && doc->dbg);
    QMainWindow::changeEvent(event);
}

void PreviewWindow::closeEvent(QCloseEvent *event)
{
    if (doc && doc->run().working) {
        UserInteraction::current()->message(
            tr("Please stop the process before to close the window"));
        event->ignore();
        return;
    }
    // Closing ends the program: changes made in the designer before this
    // preview are saved first or kept on Cancel, never dropped silently.
    if (doc && doc->checkIfToSave_MustStopIsAnswer()) {
        event->ignore();
        return;
    }
    hide();
    if (doc) {
        if (beforeRelease)
            beforeRelease(*doc);
        ReportDocument *released = doc;
        attachDocument(nullptr);
        released->deletePages();
        released->release();
    }
    event->accept();
    emit unloaded();
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        if (w->window() == this && !editsText(w) && handleKey(static_cast<QKeyEvent *>(event)))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool PreviewWindow::handleKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Space:
        previousPage();
        return true;
    case Qt::Key_Right:
        nextPage();
        return true;
    case Qt::Key_PageDown:
        pic->scrollPages(1);
        return true;
    case Qt::Key_PageUp:
        pic->scrollPages(-1);
        return true;
    case Qt::Key_Down:
        pic->scrollLines(1);
        return true;
    case Qt::Key_Up:
        pic->scrollLines(-1);
        return true;
    case Qt::Key_Home:
        maj(1);
        majSB();
        return true;
    case Qt::Key_End:
        maj(doc ? doc->pageCount() : 1);
        majSB();
        return true;
    default:
        return false;
    }
}
