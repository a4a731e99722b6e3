#include "previewexport.h"

#include "document/reportdocument.h"
#include "engine/reportrun.h"
#include "output/pdfexport.h"
#include "output/pngexport.h"
#include "output/spreadsheetexport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

namespace {

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("PreviewExport", text);
}

// "name-3.html" beside "name.html".
QString perPageName(const QString &target, int page)
{
    const QFileInfo info(target);
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("html") : info.suffix();
    return info.dir().filePath(
        QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(page).arg(suffix));
}

} // namespace

bool exportPreviewPages(ReportDocument &doc, const PreviewExportRequest &request,
                        const std::function<bool(int, int)> &progress, QStringList *written,
                        QString *error)
{
    const int pages = doc.pageCount();
    if (pages == 0)
        return fail(error, tr("The report has no page to export."));
    const int from = qBound(1, request.fromPage, pages);
    const int to = qBound(from, request.toPage, pages);
    if (request.target.isEmpty())
        return fail(error, tr("No file was chosen to export to."));
    const int total = to - from + 1;
    auto step = [&](int done) { return !progress || progress(done, total); };
    // Page variables read CurrentPage, which a paused run counts on.
    const int savedPage = doc.run().currentPage;
    bool ok = true;
    switch (request.format) {
    case PreviewExportRequest::Pdf: {
        step(0);
        PdfOptions options;
        options.archival = request.archival;
        options.language = doc.language;
        ok = exportPdf(doc, request.target, from, to, error, options);
        if (ok && written)
            written->append(request.target);
        step(total);
        break;
    }
    case PreviewExportRequest::Png:
        for (int n = from; ok && n <= to; ++n) {
            if (!step(n - from)) {
                ok = fail(
                    error,
                    tr("The export was cancelled after %1 of %2 pages.").arg(n - from).arg(total));
                break;
            }
            ok = exportPng(doc, request.target, request.dpi, written, error, n, n);
        }
        break;
    case PreviewExportRequest::Xlsx:
    case PreviewExportRequest::Csv: {
        // A table of the whole report: its rows do not follow the pages.
        auto pageDone = [&](int page, int count) { return !progress || progress(page, count); };
        ok = request.format == PreviewExportRequest::Xlsx
                 ? exportXlsx(doc, request.target, error, pageDone)
                 : exportCsv(doc, request.target, request.csvSeparator, error, pageDone);
        if (ok && written)
            written->append(request.target);
        break;
    }
    case PreviewExportRequest::Html:
        if (from == 1 && to == pages && pages > 1) {
            step(0);
            ok = doc.exportHtmlAllPages(request.target);
            if (!ok)
                fail(error, doc.errorString());
            else if (written)
                written->append(request.target);
        } else {
            for (int n = from; ok && n <= to; ++n) {
                if (!step(n - from)) {
                    ok = fail(error, tr("The export was cancelled after %1 of %2 pages.")
                                         .arg(n - from)
                                         .arg(total));
                    break;
                }
                const QString file = total == 1 ? request.target : perPageName(request.target, n);
                int page = n;
                ok = doc.exportHtmlPage(file, page);
                if (!ok)
                    fail(error, doc.errorString());
                else if (written)
                    written->append(file);
            }
        }
        step(total);
        break;
    }
    doc.run().currentPage = savedPage;
    return ok;
}

QString previewHtmlTarget(const QString &programDir, const QString &reportFile)
{
    const QString name = QStringLiteral("test.html");
    const QFileInfo program(programDir);
    if (program.isDir() && program.isWritable())
        return QDir(programDir).filePath(name);
    if (!reportFile.isEmpty()) {
        const QFileInfo report(QFileInfo(reportFile).absolutePath());
        if (report.isDir() && report.isWritable())
            return QDir(report.absoluteFilePath()).filePath(name);
    }
    return QDir(QDir::tempPath()).filePath(name);
}

PreviewExportDialog::PreviewExportDialog(ReportDocument &doc, int shownPage, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_shownPage(shownPage)
{
    setObjectName(QStringLiteral("exportDialog"));
    setWindowTitle(tr("Export"));
    const int pages = std::max<int>(1, doc.pageCount());

    m_format = new QComboBox(this);
    m_format->setObjectName(QStringLiteral("format"));
    m_format->addItem(tr("PDF document (*.pdf)"), PreviewExportRequest::Pdf);
    m_format->addItem(tr("PNG pictures, one per page"), PreviewExportRequest::Png);
    m_format->addItem(tr("HTML page (*.html)"), PreviewExportRequest::Html);
    m_format->addItem(tr("Excel workbook, whole report (*.xlsx)"), PreviewExportRequest::Xlsx);
    m_format->addItem(tr("CSV table, whole report (*.csv)"), PreviewExportRequest::Csv);

    m_shown = new QRadioButton(tr("The page shown (%1)").arg(shownPage), this);
    m_range = new QRadioButton(tr("Pages"), this);
    m_all = new QRadioButton(tr("All pages (%1)").arg(doc.pageCount()), this);
    m_all->setChecked(true);
    m_from = new QSpinBox(this);
    m_to = new QSpinBox(this);
    m_from->setRange(1, pages);
    m_to->setRange(1, pages);
    m_from->setValue(1);
    m_to->setValue(pages);
    m_from->setEnabled(false);
    m_to->setEnabled(false);
    connect(m_range, &QRadioButton::toggled, m_from, &QWidget::setEnabled);
    connect(m_range, &QRadioButton::toggled, m_to, &QWidget::setEnabled);
    connect(m_from, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_to->value() < v)
            m_to->setValue(v);
    });
    connect(m_to, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_from->value() > v)
            m_from->setValue(v);
    });

    auto *rangeRow = new QHBoxLayout;
    rangeRow->addWidget(m_range);
    rangeRow->addWidget(m_from);
    rangeRow->addWidget(new QLabel(tr("to"), this));
    rangeRow->addWidget(m_to);
    rangeRow->addStretch();

    m_dpi = new QSpinBox(this);
    m_dpi->setRange(30, 1200);
    m_dpi->setValue(150);
    m_dpi->setSuffix(tr(" dpi"));

    m_separator = new QComboBox(this);
    m_separator->setObjectName(QStringLiteral("separator"));
    m_separator->addItem(tr("Comma"), QChar(QLatin1Char(',')));
    m_separator->addItem(tr("Semicolon"), QChar(QLatin1Char(';')));
    m_separator->addItem(tr("Tab"), QChar(QLatin1Char('\t')));
    m_archival = new QCheckBox(tr("PDF/A (archival)"), this);
    m_archival->setObjectName(QStringLiteral("archival"));

    m_target = new QLineEdit(this);
    m_target->setObjectName(QStringLiteral("target"));
    connect(m_target, &QLineEdit::textChanged, m_target,
            [this](const QString &text) { m_target->setToolTip(text); });
    auto *browseButton = new QPushButton(tr("Browse…"), this);
    connect(browseButton, &QPushButton::clicked, this, &PreviewExportDialog::browse);
    auto *targetRow = new QHBoxLayout;
    targetRow->addWidget(m_target, 1);
    targetRow->addWidget(browseButton);

    auto *form = new QFormLayout;
    form->addRow(tr("Format:"), m_format);
    auto *pagesBox = new QVBoxLayout;
    pagesBox->addWidget(m_shown);
    pagesBox->addLayout(rangeRow);
    pagesBox->addWidget(m_all);
    form->addRow(tr("Pages:"), pagesBox);
    form->addRow(tr("Resolution:"), m_dpi);
    form->addRow(tr("Separator:"), m_separator);
    form->addRow(QString(), m_archival);
    form->addRow(tr("Save to:"), targetRow);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Export"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_target, &QLineEdit::textChanged, this, [this, buttons](const QString &text) {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!text.trimmed().isEmpty());
    });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_format, &QComboBox::currentIndexChanged, this, &PreviewExportDialog::formatChanged);
    formatChanged();
    // Wide enough for the suggested path as a rule; a longer one shows its
    // start (the folder it goes to), and whole in the tool tip.
    const QFontMetrics metrics = m_target->fontMetrics();
    const int letter = metrics.averageCharWidth();
    m_target->setMinimumWidth(std::clamp(metrics.horizontalAdvance(m_target->text()) + 8 * letter,
                                         40 * letter, 90 * letter));
}

QString PreviewExportDialog::suggestedTarget() const
{
    const QFileInfo report(m_doc.fileName);
    const QString dir = m_doc.fileName.isEmpty() ? QDir::homePath() : report.absolutePath();
    const QString base =
        m_doc.fileName.isEmpty() ? QStringLiteral("report") : report.completeBaseName();
    switch (m_format->currentData().toInt()) {
    case PreviewExportRequest::Png:
        return QDir(dir).filePath(base + QStringLiteral("-pages"));
    case PreviewExportRequest::Html:
        return QDir(dir).filePath(base + QStringLiteral(".html"));
    case PreviewExportRequest::Xlsx:
        return QDir(dir).filePath(base + QStringLiteral(".xlsx"));
    case PreviewExportRequest::Csv:
        return QDir(dir).filePath(base + QStringLiteral(".csv"));
    default:
        return QDir(dir).filePath(base + QStringLiteral(".pdf"));
    }
}

void PreviewExportDialog::setTarget(const QString &path)
{
    m_target->setText(path);
    m_target->setCursorPosition(0);
}

void PreviewExportDialog::formatChanged()
{
    const int format = m_format->currentData().toInt();
    m_dpi->setEnabled(format == PreviewExportRequest::Png);
    m_separator->setEnabled(format == PreviewExportRequest::Csv);
    const bool wholeReport =
        format == PreviewExportRequest::Xlsx || format == PreviewExportRequest::Csv;
    if (wholeReport)
        m_all->setChecked(true);
    for (QWidget *pages : {static_cast<QWidget *>(m_shown), static_cast<QWidget *>(m_range)})
        pages->setEnabled(!wholeReport);
    m_archival->setEnabled(format == PreviewExportRequest::Pdf);
    // A name the user typed keeps its folder and base name, with the
    // format's own ending.
    const QString current = m_target->text().trimmed();
    if (current.isEmpty()) {
        setTarget(suggestedTarget());
        return;
    }
    const QFileInfo info(current);
    const QString base =
        info.dir().filePath(info.completeBaseName().remove(QStringLiteral("-pages")));
    switch (m_format->currentData().toInt()) {
    case PreviewExportRequest::Png:
        setTarget(base + QStringLiteral("-pages"));
        break;
    case PreviewExportRequest::Html:
        setTarget(base + QStringLiteral(".html"));
        break;
    case PreviewExportRequest::Xlsx:
        setTarget(base + QStringLiteral(".xlsx"));
        break;
    case PreviewExportRequest::Csv:
        setTarget(base + QStringLiteral(".csv"));
        break;
    default:
        setTarget(base + QStringLiteral(".pdf"));
        break;
    }
}

void PreviewExportDialog::browse()
{
    QString chosen;
    if (m_format->currentData().toInt() == PreviewExportRequest::Png) {
        chosen = QFileDialog::getExistingDirectory(this, tr("Folder for the pictures"),
                                                   m_target->text());
    } else {
        QString filter;
        switch (m_format->currentData().toInt()) {
        case PreviewExportRequest::Html:
            filter = tr("HTML page (*.html *.htm)");
            break;
        case PreviewExportRequest::Xlsx:
            filter = tr("Excel workbook (*.xlsx)");
            break;
        case PreviewExportRequest::Csv:
            filter = tr("CSV table (*.csv *.txt)");
            break;
        default:
            filter = tr("PDF document (*.pdf)");
            break;
        }
        chosen = QFileDialog::getSaveFileName(this, tr("Export to"), m_target->text(), filter);
    }
    if (!chosen.isEmpty())
        setTarget(QDir::toNativeSeparators(chosen));
}

PreviewExportRequest PreviewExportDialog::request() const
{
    PreviewExportRequest r;
    r.format = PreviewExportRequest::Format(m_format->currentData().toInt());
    if (m_shown->isChecked()) {
        r.fromPage = r.toPage = m_shownPage;
    } else if (m_range->isChecked()) {
        r.fromPage = m_from->value();
        r.toPage = m_to->value();
    } else {
        r.fromPage = 1;
        r.toPage = m_doc.pageCount();
    }
    r.target = QDir::fromNativeSeparators(m_target->text().trimmed());
    r.dpi = m_dpi->value();
    r.csvSeparator = m_separator->currentData().value<QChar>();
    r.archival = r.format == PreviewExportRequest::Pdf && m_archival->isChecked();
    return r;
}
