#pragma once

#include <QDialog>

#include <memory>

class QLineEdit;
class ReportDocument;

namespace Ui {
class DocumentPropertiesDialog;
}

// Changes the unit of a whole report: page, margins, grid, section heights
// and item rectangles, so that nothing changes its size on paper.
void convertReportUnit(ReportDocument &doc, int unit);

// "Document Properties": page setup, printer, unit, connection strings and
// grid of a report. The controls hold a working copy; only OK writes it back.
// Lengths in the boxes are in the dialog's unit, the one chosen in `unit`.
class DocumentPropertiesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit DocumentPropertiesDialog(QWidget *parent = nullptr);
    ~DocumentPropertiesDialog() override;

    // Fills the controls from doc, shows the dialog modally; true when OK
    // wrote the controls back into doc.
    bool editDocProp(ReportDocument *doc);

    // Fills every control from doc; the dialog's unit becomes doc's. The
    // paper boxes are brought up to date too (majSizePaper).
    void maj(ReportDocument *doc);
    // Checks the chosen paper against the chosen printer and shows its size
    // in the width and height boxes. OK is disabled while a printer refuses
    // the paper; with no printer (or one that names no sizes) every paper of
    // the list is accepted, since preview, PDF and PNG support them all.
    void majSizePaper();
    // Writes the controls back into the document given to maj.
    void majClass();

    // The unit the length boxes are in.
    int dialogUnit() const { return m_unit; }
    // Whether the chosen paper can be used (the state of OK).
    bool paperAccepted() const;

    // Refuses OK while a box holds no number, or one out of its range:
    // says which field and what it takes.
    void accept() override;

private:
    // The first box whose value cannot be used, with the reason; nullptr
    // when all can.
    QLineEdit *invalidBox(QString *reason) const;
    void unit_Click();
    void paperDoc_Click();
    void testConnection(const QLineEdit *box);
    void buildConnection(QLineEdit *box);

    std::unique_ptr<Ui::DocumentPropertiesDialog> ui;
    ReportDocument *m_doc = nullptr;
    int m_unit = 7;
    bool m_filling = false;
};
