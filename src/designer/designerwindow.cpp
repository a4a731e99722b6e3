#include "designerwindow.h"

#include "designer/designdocument.h"
#include "designer/designpage.h"
#include "designer/designview.h"
#include "designer/documentpropertiesdialog.h"
#include "designer/sectionsurface.h"
#include "designer/recentfiles.h"
#include "designer/recoveryfile.h"
#include "document/reportdocument.h"
#include "document/userinteraction.h"
#include "platform/appinfo.h"
#include "platform/settings.h"
#include "viewer/previewwindow.h"
#include "viewer/viewzoom.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QScreen>
#include <QUndoGroup>

namespace {
const QString kGeometryKey = QStringLiteral("DesignerGeometry");
constexpr int kRecoveryIntervalMs = 60 * 1000;
} // namespace

DesignerWindow::DesignerWindow(QWidget *parent)
    : QMainWindow(parent), m_view(new DesignView(this)),
      m_zoom(new ViewZoom({50, 67, 75, 100, 125, 150, 200, 300, 400}, ViewZoom::Fixed, this)),
      m_recovery(std::make_unique<RecoveryFile>())
{
    setObjectName(QStringLiteral("DesignerWindow"));
    setWindowTitle(appTitle() + QStringLiteral("[*]"));
    setCentralWidget(m_view);
    m_undoGroup = new QUndoGroup(this);
    m_scale = logicalDpiX() / 1440.0 * m_zoom->factor();

    createActions();
    createMenus();
    createToolBars();
    createStatusBar();
    updateEditActions();

    connect(m_zoom, &ViewZoom::changed, this, &DesignerWindow::applyScale);
    connect(m_view, &DesignView::zoomWheel, m_zoom, &ViewZoom::wheel);
    connect(m_view, &DesignView::scrolled, this, &DesignerWindow::updateRulers);
    connect(m_view->page(), &DesignPage::backgroundClicked, this, &DesignerWindow::stopGrab);
    connect(m_view->page(), &DesignPage::backgroundDoubleClicked, this, &DesignerWindow::showprop_);

    const QByteArray geometry = QByteArray::fromBase64(readSetting(kGeometryKey).toLatin1());
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        // A first start: most of the screen, whatever its scale.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        resize(QSize(1100, 820).boundedTo(screen.size() * 0.9));
    }

    m_recoveryTimer.setInterval(kRecoveryIntervalMs);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &DesignerWindow::writeRecoveryNow);
    m_recoveryTimer.start();
}

DesignerWindow::~DesignerWindow()
{
    // Children outlive this class's part of the object: nothing they raise
    // while they go may reach it, and the surfaces go before the history
    // they record in.
    m_view->disconnect(this);
    for (SectionSurface *s : std::as_const(pSection1)) {
        s->disconnect(this);
        s->setDesignDocument(nullptr);
    }
    delete m_view;
    if (m_design) {
        m_design->disconnect(this);
        m_design->stack()->disconnect(this);
        delete m_design;
    }
}

void DesignerWindow::init(ReportDocument *document)
{
    if (document != doc || !m_design) {
        delete m_design;
        doc = document;
        m_design = new DesignDocument(*doc, this);
        m_undoGroup->addStack(m_design->stack());
        m_undoGroup->setActiveStack(m_design->stack());
        connect(m_design, &DesignDocument::sectionChanged, this, &DesignerWindow::updateEditActions);
        connect(m_design, &DesignDocument::documentRestored, this, &DesignerWindow::drawSections);
        connect(m_design->stack(), &QUndoStack::indexChanged, this, &DesignerWindow::updateModified);
        connect(m_design->stack(), &QUndoStack::cleanChanged, this, &DesignerWindow::updateModified);
        for (SectionSurface *s : std::as_const(pSection1))
            s->setDesignDocument(m_design);
    }
    m_released = false;
    m_printerBoundFor.clear();
    afterNewDocument();
}

void DesignerWindow::afterNewDocument()
{
    m_current = 0;
    drawSections();
    // The history starts here. A document handed over with changes keeps
    // them marked: the clean state is then out of reach.
    const bool hadChanges = doc->modified();
    m_design->reset();
    if (hadChanges)
        m_design->stack()->resetClean();
    m_recovery->remove();
    refreshFieldList();
    majCaption();
}

void DesignerWindow::new_()
{
    if (!doc)
        return;
    stopGrab();
    if (doc->checkIfToSave_MustStopIsAnswer()) {
        majCaption();
        return;
    }
    doc->init();
    doc->addDataSection();
    doc->clearModified();
    m_printerBoundFor.clear();
    afterNewDocument();
}

void DesignerWindow::load_()
{
    openFile(QString());
}

bool DesignerWindow::openFile(const QString &fileName)
{
    if (!doc)
        return false;
    stopGrab();
    if (doc->checkIfToSave_MustStopIsAnswer()) {
        majCaption();
        return false;
    }
    const QString chosen = fileName.isEmpty()
                               ? UserInteraction::current()->askOpenFileName(documentFilter())
                               : fileName;
    // A cancelled dialog leaves the report as it is.
    if (chosen.isEmpty())
        return false;
    // A file that cannot be read has been reported and changed nothing.
    if (!doc->loadXml(chosen)) {
        if (!QFileInfo::exists(chosen))
            RecentFiles::remove(chosen);
        majCaption();
        return false;
    }
    doc->fileName = chosen;
    RecentFiles::add(chosen);
    m_printerBoundFor.clear();
    afterNewDocument();
    return true;
}

void DesignerWindow::Save_()
{
    if (!doc)
        return;
    stopGrab();
    if (doc->save()) {
        m_design->markSaved();
        m_recovery->remove();
        RecentFiles::add(doc->fileName);
    }
    majCaption();
}

void DesignerWindow::saveAs()
{
    if (!doc)
        return;
    const QString previous = doc->fileName;
    doc->fileName.clear();
    Save_();
    if (doc->fileName.isEmpty())
        doc->fileName = previous;
    majCaption();
}

void DesignerWindow::majCaption()
{
    QString title = appTitle();
    if (doc) {
        // "name-file"; a part that is not there leaves no dash behind.
        const QString file = doc->fileName.isEmpty() ? tr("Untitled") : doc->fileName;
        title += QStringLiteral(" - ") +
                 (doc->docName.isEmpty() ? file : doc->docName + QLatin1Char('-') + file);
    }
    setWindowTitle(title + QStringLiteral("[*]"));
    updateModified();
}

void DesignerWindow::updateModified()
{
    setWindowModified(doc && !m_released && doc->modified());
}

void DesignerWindow::status(const QString &text)
{
    if (m_panelText->text() != text)
        m_panelText->setText(text);
}

void DesignerWindow::ShowDocProperties()
{
    stopGrab();
    if (!doc)
        return;
    recordDocumentChange(tr("Document properties"), [this] {
        DocumentPropertiesDialog dialog(this);
        dialog.editDocProp(doc);
    });
}

void DesignerWindow::showprop_()
{
    stopGrab();
    ShowDocProperties();
}

void DesignerWindow::printPreview_()
{
    if (!doc)
        return;
    stopGrab();
    hide();

    auto *viewer = new PreviewWindow;
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    const QString fileBefore = doc->fileName;
    QPointer<DesignerWindow> self(this);
    viewer->designerHook = [self, viewer, fileBefore](ReportDocument &) {
        if (self)
            self->returnFromPreview(viewer, fileBefore);
    };
    connect(viewer, &PreviewWindow::unloaded, this, &DesignerWindow::previewReleasedDocument);
    bool thenPrint = false, showDialog = false, hideWindow = false;
    viewer->PrintPreview(doc, thenPrint, showDialog, hideWindow);
}

void DesignerWindow::returnFromPreview(PreviewWindow *viewer, const QString &fileBefore)
{
    disconnect(viewer, nullptr, this, nullptr);
    viewer->deleteLater();
    show();
    raise();
    activateWindow();
    if (!doc)
        return;
    // The preview may have opened another report: its history is not ours.
    if (doc->fileName != fileBefore) {
        m_printerBoundFor.clear();
        afterNewDocument();
        return;
    }
    drawSections();
}

void DesignerWindow::previewReleasedDocument()
{
    // The preview closed for good and released the document, after its own
    // save question: nothing is left to ask or keep.
    m_released = true;
    m_recovery->remove();
    close();
}

DesignerWindow *DesignerWindow::editFromPreview(ReportDocument &document, PreviewWindow *viewer)
{
    auto *editor = new DesignerWindow;
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->init(&document);
    editor->show();
    if (viewer)
        viewer->deleteLater();
    return editor;
}

void DesignerWindow::writeRecoveryNow()
{
    if (!doc || m_released)
        return;
    if (!doc->modified()) {
        m_recovery->remove();
        return;
    }
    if (!m_recovery->write(*doc))
        status(tr("The recovery copy could not be written: %1").arg(m_recovery->errorString()));
}

bool DesignerWindow::offerRecovery()
{
    if (!doc)
        return false;
    const QList<RecoveryFile::Entry> found = m_recovery->leftOver();
    for (const RecoveryFile::Entry &entry : found) {
        const QString report = entry.originalName.isEmpty()
                                   ? tr("a report that was never saved")
                                   : QDir::toNativeSeparators(entry.originalName);
        const UserInteraction::Button answer = UserInteraction::current()->message(
            tr("The designer stopped before the changes to %1 were saved (last copy %2).")
                    .arg(report, QLocale().toString(entry.written, QLocale::ShortFormat)) +
                QStringLiteral("\r\n") + tr("Do you want to restore them?"),
            UserInteraction::Yes | UserInteraction::No, UserInteraction::Question, tr("Recovery"));
        if (answer != UserInteraction::Yes) {
            RecoveryFile::discard(entry);
            continue;
        }
        QFile copy(entry.path);
        if (!copy.open(QIODevice::ReadOnly))
            return false;
        const QByteArray data = copy.readAll();

        // The report as its file holds it is what undo goes back to.
        if (entry.originalName.isEmpty() || !QFileInfo::exists(entry.originalName) ||
            !doc->loadXml(entry.originalName)) {
            doc->init();
        }
        doc->fileName = entry.originalName;
        doc->clearModified();
        m_printerBoundFor.clear();
        afterNewDocument();
        const QByteArray before = m_design->snapshot();
        if (!doc->loadXmlData(data, entry.path))
            return false; // reported; the copy stays for another try
        drawSections();
        m_design->documentChanged(tr("Restore unsaved changes"), before);
        writeRecoveryNow();
        RecoveryFile::discard(entry);
        majCaption();
        return true;
    }
    return false;
}

void DesignerWindow::closeEvent(QCloseEvent *event)
{
    if (m_released || !doc) {
        event->accept();
        return;
    }
    stopGrab();
    if (doc->checkIfToSave_MustStopIsAnswer()) {
        event->ignore();
        majCaption();
        return;
    }
    writeSetting(kGeometryKey, QString::fromLatin1(saveGeometry().toBase64()));
    m_recoveryTimer.stop();
    m_recovery->remove();
    hide();
    // The surfaces show sections the document is about to release.
    for (SectionSurface *s : std::as_const(pSection1))
        removeSurface(s);
    pSection1.clear();
    doc->release();
    m_design->stack()->clear();
    m_design->clearClipboard();
    m_released = true;
    doc = nullptr;
    event->accept();
}

void DesignerWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        majCaption();
    QMainWindow::changeEvent(event);
}
