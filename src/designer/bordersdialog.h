#pragma once

#include "document/borders.h"

#include <QDialog>
#include <QSizeF>

#include <memory>

class ReportItem;

namespace Ui {
class BordersDialog;
}

// The border dialog: a line style is chosen (width, style, colour), then
// applied to one side, to all four, or every border is removed. It edits a
// working copy of the borders; OK writes it back, Cancel forgets it.
class BordersDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BordersDialog(QWidget *parent = nullptr);
    ~BordersDialog() override;

    // Modal. The sample shows the borders alone; true when OK wrote them back.
    bool Edit(Borders *borders);
    // Modal, on the borders of `item`, whose own drawing is the sample.
    bool EditWithItem(ReportItem *item);

    // Fills the dialog for `borders` without showing it (the modal calls
    // begin with this). With `item` the sample draws that item.
    void load(Borders *borders, const ReportItem *item = nullptr);
    const Borders &workingBorders() const { return m_work; }

    // The style chosen in step 1.
    int chosenWidth() const;
    int chosenStyle() const;
    int chosenColor() const { return m_color; } // Windows RGB
    void setChosenColor(int rgb);

    // OK: the working copy goes into the edited borders.
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void styleChanged();
    void chooseColor();
    void applyTo(BorderLine *side);
    void paintLineSample();
    void paintBordersSample();

    std::unique_ptr<Ui::BordersDialog> ui;
    Borders *m_edited = nullptr;
    Borders m_work;
    int m_color = 0;
    // The item the second sample draws with the working borders, and the
    // size of its box in twips (its copy has no section to convert with).
    std::unique_ptr<ReportItem> m_sampleItem;
    QSizeF m_itemTwips;
};
