#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class ReportDocument;

// Export of stored pages from the preview.
struct PreviewExportRequest
{
    enum Format
    {
        Pdf,
        Png,
        Html,
        Xlsx, // the whole report, whatever the pages asked for
        Csv
    };
    Format format = Pdf;
    int fromPage = 1; // from 1
    int toPage = 1;
    // PDF: the file. PNG: the folder the pictures go into. HTML: the file;
    // a range that is not the whole report gives one file per page named
    // after it ("name-3.html").
    QString target;
    int dpi = 150;                         // PNG
    QChar csvSeparator = QLatin1Char(','); // CSV
    bool archival = false;                 // PDF: PDF/A-2b
};

// Writes the pages; `progress` (may be empty) is told (done, total) between
// pages and stops the export when it returns false. `written` receives the
// files made. False with `error` set on failure or cancellation.
bool exportPreviewPages(ReportDocument &doc, const PreviewExportRequest &request,
                        const std::function<bool(int, int)> &progress, QStringList *written,
                        QString *error);

// Where the "html" button writes its test page: the program's folder when
// it can be written (the place it always went), else beside the report,
// else the system's temporary folder.
QString previewHtmlTarget(const QString &programDir, const QString &reportFile);

// Asks what to export: format, pages and where.
class PreviewExportDialog : public QDialog
{
    Q_OBJECT

public:
    PreviewExportDialog(ReportDocument &doc, int shownPage, QWidget *parent = nullptr);

    PreviewExportRequest request() const;

private:
    void formatChanged();
    void browse();
    // Shows a path from its start: the end alone hides where it goes.
    void setTarget(const QString &path);
    QString suggestedTarget() const;

    ReportDocument &m_doc;
    int m_shownPage;
    QComboBox *m_format;
    QRadioButton *m_shown;
    QRadioButton *m_range;
    QRadioButton *m_all;
    QSpinBox *m_from;
    QSpinBox *m_to;
    QSpinBox *m_dpi;
    QComboBox *m_separator;
    QCheckBox *m_archival;
    QLineEdit *m_target;
};
