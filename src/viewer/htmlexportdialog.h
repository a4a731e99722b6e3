#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ReportDocument;

// "Export to HTML": writes the page shown, or every page, of the last run
// as HTML files into a chosen folder, one file per page named after the
// report ("sales-page-002.html").
class HtmlExportDialog : public QDialog
{
    Q_OBJECT

public:
    // `page` is the page shown (lowered to the last finished page).
    HtmlExportDialog(ReportDocument &doc, int page, QWidget *parent = nullptr);

    // The file that page n goes to in `dir`.
    static QString pageFileName(const ReportDocument &doc, const QString &dir, int page);
    // Pages the export may write: all while idle, the finished ones while a
    // run is still filling the last.
    static int finishedPages(const ReportDocument &doc);

    // Writes the files; stays open with a message when that fails.
    void accept() override;

private:
    void browse();
    void updateFiles();
    bool exportPages();

    ReportDocument &m_doc;
    int m_page;
    QLineEdit *m_dir;
    QRadioButton *m_onePage;
    QRadioButton *m_allPages;
    QLabel *m_files;
};

// Shows the dialog for the document's pages; true when files were written.
// Without any page to write it says so and shows no dialog.
bool runHtmlExportDialog(ReportDocument &doc, int page, QWidget *parent);
