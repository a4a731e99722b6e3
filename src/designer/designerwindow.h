#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class DesignDocument;
class DesignView;
class ViewZoom;
class QAction;
class QActionGroup;
class QComboBox;
class QDockWidget;
class ReportItem;
class FieldsPanel;
class QLabel;
class QMenu;
class QToolBar;
class QUndoGroup;
class RecoveryFile;
class ReportDocument;
class HelpButton;
class PreviewWindow;
class SectionSurface;
class ReportSection;

// The designer's main window: one surface per shown section of the report,
// stacked in report order on a scrolling page with rulers, and the menus,
// tool bars and status bar to create, open, save, preview and edit it.
//
// Every change the window and its surfaces make to the document goes
// through the design document, one undo step each. The window edits exactly
// one document for its whole life: "new" and "open" reuse it.
class DesignerWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit DesignerWindow(QWidget *parent = nullptr);
    ~DesignerWindow() override;

    // ---- The document ----
    void init(ReportDocument *document);
    void new_();
    void load_();
    // Opens a report file (after the save question); false when nothing
    // was opened.
    bool openFile(const QString &fileName);
    void Save_();
    void saveAs();
    // Title: "Talvo Mirt - <document name>-<file name>", marked while the
    // document has unsaved changes.
    void majCaption();
    void status(const QString &text);

    // ---- The surfaces ----
    int nbSections() const;
    void drawSections();
    void sizeSections();
    void refreshSections();
    // The unscrolled top of surface `index` and the stack's height, in
    // millimetres (the window's unit).
    double zeroTop(int index) const;
    double totalHeight() const;
    void stopGrab();
    void majMenuHeaderFooter();

    // ---- Commands ----
    void ShowDocProperties();
    void showprop_();
    void printPreview_();
    void SelectPrinter();
    // Makes `unit` (5 inches, 6 mm, 7 cm) the document's unit; what is on
    // the page keeps its size.
    void changeUnit(int unit);
    void addDataSection();
    // Asks where, then adds a data section there.
    void insertDataSection();
    // Switches the header or footer of a section kind (1 to 4) on or off.
    void switchHeaderFooter(int type, bool on);
    // Asks, then removes the current surface's section.
    void removeSection();
    // Arranges the selection of the current surface (DesignDocument::arrange).
    void arrange(const QString &how);

    // ---- Crash safety ----
    // Writes the recovery copy when there are unsaved changes, drops it
    // otherwise; a timer does this every minute.
    void writeRecoveryNow();
    // At start: offers to restore a copy an earlier session left behind.
    // True when one was restored.
    bool offerRecovery();
    RecoveryFile *recovery() const { return m_recovery.get(); }

    // Opens a designer (deleted on close) on the document a preview shows,
    // and lets the preview go.
    static DesignerWindow *editFromPreview(ReportDocument &document, PreviewWindow *viewer);

    // ---- Access (tests, other windows) ----
    ReportDocument *document() const { return doc; }
    DesignDocument *design() const { return m_design; }
    ViewZoom *zoom() const { return m_zoom; }
    DesignView *view() const { return m_view; }
    int surfaceCount() const { return int(pSection1.size()); }
    SectionSurface *surface(int index) const { return pSection1.value(index); }
    int currentSurface() const { return m_current; }
    void setCurrentSurface(int index);
    // A menu entry, tool bar button or other action by its object name.
    QAction *action(const QString &name) const { return m_actions.value(name); }
    // Pixels per twip on the surfaces: the screen's resolution times the zoom.
    double scale() const { return m_scale; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // fdoceditmenus.cpp
    QAction *addAction(const QString &name, const QString &text, const QKeySequence &shortcut = {},
                       const QString &icon = QString());
    QAction *separator(QMenu *menu, const QString &name);
    QMenu *addMenu(QMenu *parent, const QString &name, const QString &title);
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void fillRecentMenu();
    void updateEditActions();
    void majUnit();

    // fdoceditsections.cpp
    QList<ReportSection *> shownSections() const;
    // The status bar's section panel names the section the mouse was last on.
    void showPanelSection();
    SectionSurface *createSurface();
    void removeSurface(SectionSurface *s);
    int indexOf(const QObject *surface) const;
    SectionSurface *current() const;
    // The surfaces bound to shown sections: the first nbSections(), as far
    // as they exist.
    int boundCount() const;
    double pixels(double millimetres) const;
    void applyScale();
    void updateRulers();
    void showGuides(const SectionSurface *from, const QList<double> &xs);
    QList<double> guidesOutside(const SectionSurface *s) const;
    int selectedCount() const;
    void recordDocumentChange(const QString &text, const std::function<void()> &change);
    // Runs an edit on the current surface's section.
    void editCurrent(const std::function<void(DesignDocument &, ReportSection &)> &edit);

    // fdoceditdialogs.cpp
    // The fields list, docked at the right.
    void showFieldList();
    void editItemOn(SectionSurface *s, ReportItem &item);
    void editSectionProperties(ReportSection &sec);
    void refreshFieldList();

    // fdocedit.cpp
    void afterNewDocument();
    void returnFromPreview(PreviewWindow *viewer, const QString &fileBefore);
    void previewReleasedDocument();
    void updateModified();

    ReportDocument *doc = nullptr;
    DesignDocument *m_design = nullptr;
    QUndoGroup *m_undoGroup = nullptr; // the undo and redo entries follow the document's history
    QList<SectionSurface *> pSection1;
    int m_current = 0;
    QString m_menuItemKind;
    QString m_menuItemKey;
    // The window's own unit: millimetres.
    static constexpr int kScaleUnit = 6;

    DesignView *m_view = nullptr;
    ViewZoom *m_zoom = nullptr;
    double m_scale = 96.0 / 1440.0;
    QString m_printerBoundFor; // what SelectPrinter last bound, so it asks once
    double m_pageWidthT = 0;   // the surfaces' width, twips
    bool m_released = false;   // the document was released (closed here or by the preview)

    QHash<QString, QAction *> m_actions;
    QHash<int, QAction *> m_unit; // 5, 6, 7
    QActionGroup *m_unitGroup = nullptr;
    QMenu *m_freeZone = nullptr;
    QMenu *m_delProp = nullptr;
    QMenu *m_recentMenu = nullptr;
    QToolBar *Toolbar1 = nullptr;
    QToolBar *m_arrangeBar = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QLabel *m_panelPos = nullptr;
    QLabel *m_panelSection = nullptr;
    QString m_panelSectionKey; // the section the panel names
    QLabel *m_panelUnit = nullptr;
    QLabel *m_panelText = nullptr;
    HelpButton *btnOpenHelp1 = nullptr;

    QDockWidget *m_fieldsDock = nullptr;
    FieldsPanel *m_fields = nullptr;

    std::unique_ptr<RecoveryFile> m_recovery;
    QTimer m_recoveryTimer;
};
