#pragma once

#include <QDialog>

#include <memory>

class ReportDocument;

namespace Ui {
class PrintDialog;
}

// The preview's small print dialog: printer, copies and page range. OK
// refuses, with a message naming the box, copies outside 1..255 and a page
// range that is not within the report or runs backwards; otherwise it
// stores the printer and the copies in the document. Cancel (or closing the
// dialog any other way) leaves "0" as the last page, which the caller reads
// as a cancelled print.
class PrintDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PrintDialog(ReportDocument &doc, QWidget *parent = nullptr);
    ~PrintDialog() override;

    // The leading number of the page boxes; 0 when they hold none.
    int fromPage() const;
    int toPage() const;

    void accept() override;
    void reject() override;

private:
    std::unique_ptr<Ui::PrintDialog> ui;
    ReportDocument &m_doc;
};

// The leading whole number of a text as typed ("12 pages" gives 12, "-3"
// gives -3); 0 when it starts with no number.
int leadingNumber(const QString &text);
