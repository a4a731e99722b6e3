#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QTimer>

#include <functional>

class PreviewFindBar;
class PreviewPageView;
class PreviewThumbnailModel;
class ViewZoom;
class QAction;
class QComboBox;
class QDockWidget;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QSpinBox;
class QToolBar;
class ReportDocument;
class HelpButton;

// The preview window: runs a report and shows its pages while they are
// being made. During a run the engine yields to the event loop, so paging,
// Stop and the error list work while pages come; closing, opening another
// report and a second run wait for the run's end.
//
// Pages are drawn from the stored page records through the engine's drawing
// code at their real size (times the zoom), as PDF and PNG are.
class PreviewWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit PreviewWindow(QWidget *parent = nullptr);
    ~PreviewWindow() override;

    // Runs `doc` and shows its pages; with thenPrint prints them at the end
    // (with the print dialog when showPrintDialog); with hideWindow never
    // shows itself and unloads once done.
    void PrintPreview(ReportDocument *doc, bool &thenPrint, bool &showPrintDialog, bool &hideWindow);

    // Shows page p (lowered to the last page); serves every redraw.
    void maj(int p);
    // Progress bar and the "pages" panel.
    void majSB();
    void previousPage();
    void nextPage();
    // The text of the "status" panel.
    void status(const QString &text);
    void majCaption();
    // Asks for a report file and runs it in this window.
    void openF();
    // The same with the file already chosen.
    void openFile(const QString &fileName);
    void Print_();
    // Hands the document to the designer (through designerHook).
    void EditDoc();
    // Asks the run to end after the current record.
    void stopRun();
    // The "html" button: page 1 as "test.html".
    void exportHtmlTest();
    // Asks for format, pages and a file, then exports.
    void exportPages();
    // Find bar: shows it, and goes to the next or previous match.
    void showFindBar();
    void findNext();
    void findPrevious();

    ReportDocument *document() const { return doc; }
    // The last run ended before its end (Stop, or an error broke it off):
    // its pages and page totals are those made so far.
    bool runIncomplete() const { return m_runIncomplete; }
    int currentPage() const { return shownPage; }
    PreviewPageView *pageView() const { return pic; }
    ViewZoom *zoom() const { return m_zoom; }
    // A toolbar button or menu entry by its key ("stop", "m_open", …).
    QAction *action(const QString &key) const { return m_actions.value(key); }

    // Where the "html" button writes when it can; the program's folder
    // unless a caller (a test) says otherwise.
    QString programDir;
    // Opens the document in the designer; empty until the designer is there.
    std::function<void(ReportDocument &)> designerHook;
    // Called on closing, before the document is released: the last look at
    // its error list (a hidden print reports it on stderr).
    std::function<void(ReportDocument &)> beforeRelease;
    // How the last run went: its connection could not be opened; the pages
    // it was to print were not all sent.
    bool connectionFailed = false;
    bool printFailed = false;
    // Shortest time between two yields of a run to the event loop, in ms.
    int yieldInterval = 20;

signals:
    // The window closed for good (the document was released); the program
    // ends unless another window takes over.
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void runPreview(bool &thenPrint, bool &showPrintDialog, bool &hideWindow);
    void setWorkingState(bool working);
    void attachDocument(ReportDocument *newDoc);
    void onPageFinished(int page);
    void onFinishedWorking();
    // "ready", or what a stopped run left.
    QString idleStatus() const;
    // True unless the report is incomplete and the user declines `question`.
    bool confirmIncomplete(const QString &question);
    // Pages drawn while the total grew show an old "%pages%": draw the
    // page on display and the thumbnails again.
    void redrawForTotal();
    void syncThumbnailResolution();
    bool handleKey(QKeyEvent *event);
    void syncPageControls();
    void createActions();
    void createToolBar();
    void createMenus();
    void createStatusBar();
    void createFindBar();
    void createThumbnails();
    void zoomChosen(int index);
    void showZoom();
    void showHits();
    void turnPage(int direction);
    QAction *addAction(const QString &key, const QString &text, const QIcon &icon,
                       const QKeySequence &shortcut = QKeySequence());

    ReportDocument *doc = nullptr;
    int shownPage = 1;

    ViewZoom *m_zoom;
    PreviewPageView *pic;
    QToolBar *Toolbar1 = nullptr;
    QStatusBar *sb1 = nullptr;
    QLabel *m_statusPanel = nullptr;
    QLabel *m_pagesPanel = nullptr;
    QProgressBar *PB1 = nullptr;
    HelpButton *btnOpenHelp1 = nullptr;
    QSpinBox *m_pageNumber = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QHash<QString, QAction *> m_actions;
    QAction *m_open = nullptr;
    QAction *m_print = nullptr;
    QAction *m_switch_mode = nullptr;
    QAction *m_closeViewer = nullptr;
    QAction *m_debug = nullptr;
    QAction *m_helpOpen = nullptr;
    QAction *m_infoOnline = nullptr;
    QAction *m_about = nullptr;

    PreviewFindBar *m_findBar = nullptr;

    QDockWidget *m_thumbDock = nullptr;
    QListView *m_thumbList = nullptr;
    PreviewThumbnailModel *m_thumbModel = nullptr;

    QList<QMetaObject::Connection> m_docConnections;
    QElapsedTimer m_yieldClock;
    // Redraws the page being filled now and then while it is on display.
    QTimer m_liveRefresh;
    QTimer m_thumbSync; // adds the strip's new rows now and then

    QTimer m_totalRefresh; // redraws for a new page total now and then
    bool m_runIncomplete = false;
    bool m_screenWatched = false;

    int m_shownPagesCount = -1;
};
