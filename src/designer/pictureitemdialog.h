#pragma once

#include <QDialog>

#include <memory>

class PictureItem;

namespace Ui {
class PictureItemDialog;
}

// "Picture properties": where a picture item's picture comes from (a file,
// a binary database field, or a field holding a file name), whether it
// keeps its aspect ratio, and its borders. The dialog works on a copy of
// the item with a live sample of it; OK writes the copy back.
class PictureItemDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PictureItemDialog(QWidget *parent = nullptr);
    ~PictureItemDialog() override;

    // Edits `picture` modally; true when OK wrote the changes back.
    bool editPic(PictureItem *picture);

    // Makes the working copy of `picture` and fills the lists and controls
    // from it; editPic does this before showing the dialog.
    void load(PictureItem *picture);
    const PictureItem *workingCopy() const { return m_work.get(); }

    // Writes the controls into the item, reloads its picture and closes.
    void accept() override;

private:
    // The source kind (PictureItem::Source) of the chosen option button.
    int sourceKind() const;
    void maj();
    // Enables the controls of the chosen source only.
    void majEn();
    // The controls into `target`; its loaded picture is dropped when the
    // source changes.
    void majClass(PictureItem &target) const;
    void controlChanged();
    void majSample();
    void browse();
    void editBorders();

    std::unique_ptr<Ui::PictureItemDialog> ui;
    PictureItem *m_item = nullptr;
    std::unique_ptr<PictureItem> m_work;
};
