#include "htmlexportdialog.h"

#include "platform/appinfo.h"
#include "document/reportdocument.h"
#include "engine/reportrun.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {
// From this many files on, the export shows its progress and can be stopped.
constexpr int kProgressFrom = 5;

// Keeps the page the document reports as current: the preview draws with
// it, and a run in progress counts on it.
class CurrentPageGuard
{
public:
    explicit CurrentPageGuard(ReportDocument &doc) : m_doc(doc), m_saved(doc.run().currentPage) {}
    ~CurrentPageGuard() { m_doc.run().currentPage = m_saved; }
    CurrentPageGuard(const CurrentPageGuard &) = delete;
    CurrentPageGuard &operator=(const CurrentPageGuard &) = delete;

private:
    ReportDocument &m_doc;
    int m_saved;
};
} // namespace

int HtmlExportDialog::finishedPages(const ReportDocument &doc)
{
    const int pages = doc.pageCount();
    return doc.run().working ? std::max(0, pages - 1) : pages;
}

QString HtmlExportDialog::pageFileName(const ReportDocument &doc, const QString &dir, int page)
{
    QString base = QFileInfo(doc.fileName).completeBaseName();
    if (base.isEmpty())
        base = QStringLiteral("report");
    const int digits = std::max(3, int(QString::number(doc.pageCount()).size()));
    return QDir(dir).filePath(
        QStringLiteral("%1-page-%2.html").arg(base).arg(page, digits, 10, QLatin1Char('0')));
}

HtmlExportDialog::HtmlExportDialog(ReportDocument &doc, int page, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_page(std::clamp(page, 1, std::max(1, finishedPages(doc)))),
      m_dir(new QLineEdit(this)), m_onePage(new QRadioButton(this)),
      m_allPages(new QRadioButton(this)), m_files(new QLabel(this))
{
    setObjectName(QStringLiteral("HtmlExportDialog"));
    setWindowTitle(tr("Export to HTML"));

    auto *dirLabel = new QLabel(tr("Export directory :"), this);
    dirLabel->setObjectName(QStringLiteral("lblDir"));
    dirLabel->setBuddy(m_dir);
    m_dir->setObjectName(QStringLiteral("expDir"));
    m_dir->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    // Beside the report when it has a file, as its pictures and data are.
    const QFileInfo report(doc.fileName);
    m_dir->setText(QDir::toNativeSeparators(
        doc.fileName.isEmpty() || !report.exists() ? QDir::homePath() : report.absolutePath()));
    auto *browseButton = new QPushButton(tr("&Browse…"), this);
    browseButton->setObjectName(QStringLiteral("bBrowse"));
    browseButton->setAutoDefault(false);
    connect(browseButton, &QPushButton::clicked, this, &HtmlExportDialog::browse);

    auto *pagesBox = new QGroupBox(tr("Pages"), this);
    m_onePage->setObjectName(QStringLiteral("optPage"));
    m_onePage->setText(tr("&Page %1 (the page shown)").arg(m_page));
    m_allPages->setObjectName(QStringLiteral("optAll"));
    m_allPages->setText(tr("&All pages (%1), one file per page").arg(finishedPages(doc)));
    m_onePage->setChecked(true);
    auto *pagesLayout = new QVBoxLayout(pagesBox);
    pagesLayout->addWidget(m_onePage);
    pagesLayout->addWidget(m_allPages);

    m_files->setObjectName(QStringLiteral("lblFiles"));
    m_files->setWordWrap(true);
    m_files->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette muted = m_files->palette();
    muted.setColor(QPalette::WindowText, muted.color(QPalette::PlaceholderText));
    m_files->setPalette(muted);
    connect(m_dir, &QLineEdit::textChanged, this, &HtmlExportDialog::updateFiles);
    connect(m_onePage, &QRadioButton::toggled, this, &HtmlExportDialog::updateFiles);

    auto *ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName(QStringLiteral("bOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("bCancel"));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &HtmlExportDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &HtmlExportDialog::reject);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);

    auto *dirRow = new QHBoxLayout;
    dirRow->addWidget(m_dir, 1);
    dirRow->addWidget(browseButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(dirLabel);
    layout->addLayout(dirRow);
    layout->addWidget(pagesBox);
    layout->addWidget(m_files);
    layout->addStretch();
    layout->addWidget(buttons);
    updateFiles();
    m_dir->setFocus();
}

void HtmlExportDialog::browse()
{
    const QString chosen =
        QFileDialog::getExistingDirectory(this, tr("Export directory"), m_dir->text().trimmed());
    if (!chosen.isEmpty())
        m_dir->setText(QDir::toNativeSeparators(chosen));
}

void HtmlExportDialog::updateFiles()
{
    const QString dir = QDir::fromNativeSeparators(m_dir->text().trimmed());
    const int last = finishedPages(m_doc);
    QString text;
    if (m_onePage->isChecked() || last == 1)
        text = QFileInfo(pageFileName(m_doc, dir, m_page)).fileName();
    else
        text = tr("%1 … %2").arg(QFileInfo(pageFileName(m_doc, dir, 1)).fileName(),
                                 QFileInfo(pageFileName(m_doc, dir, last)).fileName());
    m_files->setText(tr("Files: %1").arg(text));
}

void HtmlExportDialog::accept()
{
    if (exportPages())
        QDialog::accept();
}

bool HtmlExportDialog::exportPages()
{
    const QString dir = QDir::fromNativeSeparators(m_dir->text().trimmed());
    auto refuse = [this](const QString &text) {
        QMessageBox::warning(this, appTitle(), text);
        m_dir->setFocus();
        return false;
    };
    if (dir.isEmpty())
        return refuse(tr("Please choose the folder to export into."));
    if (QFileInfo(dir).exists() && !QFileInfo(dir).isDir())
        return refuse(tr("%1 is a file, not a folder.").arg(QDir::toNativeSeparators(dir)));
    const int last = finishedPages(m_doc);
    if (last == 0)
        return refuse(tr("The report has no finished page to export yet."));
    const int from = m_onePage->isChecked() ? m_page : 1;
    const int to = m_onePage->isChecked() ? m_page : last;

    QStringList existing;
    for (int n = from; n <= to; ++n) {
        if (QFileInfo::exists(pageFileName(m_doc, dir, n)))
            existing << QDir::toNativeSeparators(pageFileName(m_doc, dir, n));
    }
    if (!existing.isEmpty()) {
        const QString question =
            existing.size() == 1
                ? tr("%1 already exists.\nDo you want to replace it?").arg(existing.first())
                : tr("%1 files of this export already exist in %2.\nDo you want to replace them?")
                      .arg(existing.size())
                      .arg(QDir::toNativeSeparators(dir));
        if (QMessageBox::question(this, appTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                  QMessageBox::No) != QMessageBox::Yes)
            return false;
    }
    if (!QDir().mkpath(dir))
        return refuse(tr("Cannot create the folder %1.").arg(QDir::toNativeSeparators(dir)));

    CurrentPageGuard keepPage(m_doc);
    std::unique_ptr<QProgressDialog> progress;
    if (to - from + 1 >= kProgressFrom) {
        progress = std::make_unique<QProgressDialog>(tr("Writing the HTML pages…"), tr("Stop"), 0,
                                                     to - from + 1, this);
        progress->setObjectName(QStringLiteral("exportProgress"));
        progress->setWindowTitle(windowTitle());
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
    }
    for (int n = from; n <= to; ++n) {
        if (progress) {
            progress->setValue(n - from);
            progress->setLabelText(tr("Writing page %1 of %2…").arg(n).arg(to));
            if (progress->wasCanceled()) {
                progress.reset();
                QMessageBox::information(this, appTitle(),
                                         tr("Export stopped: %1 of %2 pages were written to %3.")
                                             .arg(n - from)
                                             .arg(to - from + 1)
                                             .arg(QDir::toNativeSeparators(dir)));
                return false;
            }
        }
        int page = n;
        if (!m_doc.exportHtmlPage(pageFileName(m_doc, dir, n), page)) {
            progress.reset();
            return refuse(m_doc.errorString());
        }
    }
    return true;
}

bool runHtmlExportDialog(ReportDocument &doc, int page, QWidget *parent)
{
    if (HtmlExportDialog::finishedPages(doc) == 0) {
        QMessageBox::information(
            parent, appTitle(),
            QCoreApplication::translate("HtmlExportDialog",
                                        "The report has no finished page to export yet."));
        return false;
    }
    HtmlExportDialog dialog(doc, page, parent);
    return dialog.exec() == QDialog::Accepted;
}
