#pragma once

#include <QDialog>

#include <memory>

class SqlPanel;
class ReportSection;

namespace Ui {
class SectionPropertiesDialog;
}

// "Section": a section's name, query, visibility condition, page break and,
// for a data section below the first, its parent and when it appears. OK
// checks the name first and writes back only a valid one; Cancel changes
// nothing.
class SectionPropertiesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SectionPropertiesDialog(QWidget *parent = nullptr);
    ~SectionPropertiesDialog() override;

    // Fills the controls from sec, shows the dialog modally; true when OK
    // wrote them back.
    bool editPropSection(ReportSection *sec);

    // Fills the controls from sec (the query control included).
    void maj(ReportSection *sec);
    // What OK does short of closing: false (after telling the user why,
    // with the focus back on the name) when the name cannot be used; else
    // the controls are written back and true is returned.
    bool confirm();
    // Writes the controls back into the section given to maj.
    void majClass();

    SqlPanel *sqlEditor() const;

    void accept() override;

private:
    std::unique_ptr<Ui::SectionPropertiesDialog> ui;
    ReportSection *m_section = nullptr;
};
