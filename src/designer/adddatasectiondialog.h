#pragma once

#include <QDialog>

#include <memory>

class ReportDocument;
class ReportSection;

namespace Ui {
class AddDataSectionDialog;
}

// "Add a data section": a new data section after or before a chosen one.
// The sections from the new number on move up by one and keep their links.
class AddDataSectionDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AddDataSectionDialog(QWidget *parent = nullptr);
    ~AddDataSectionDialog() override;

    // Fills the lists from doc, shows the dialog modally; true when OK added
    // the section (added() then returns it).
    bool addSection(ReportDocument *doc);

    // Fills the two lists from doc.
    void maj(ReportDocument *doc);
    // The data section number the new section gets: the chosen section's,
    // plus one for "After"; 0 when no section is chosen.
    int position() const;
    // The section OK added; nullptr before.
    ReportSection *added() const { return m_added; }

    void accept() override;

private:
    std::unique_ptr<Ui::AddDataSectionDialog> ui;
    ReportDocument *m_doc = nullptr;
    ReportSection *m_added = nullptr;
};
