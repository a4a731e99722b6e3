#pragma once

#include <QDialog>

#include <memory>

class TextItem;
class ItemValue;
class QMenu;
class QTimer;

namespace Ui {
class TextItemDialog;
}

// The text item dialog: content, font, colour, alignment, format, growth
// and visibility of a text item, with the item's designer drawing as a
// sample and, under the content, the value it gives on the first record.
// It edits a working copy; OK copies it into the item, Cancel forgets it.
class TextItemDialog : public QDialog
{
    Q_OBJECT

public:
    // Fills the controls from a working copy of `item`.
    explicit TextItemDialog(TextItem *item, QWidget *parent = nullptr);
    ~TextItemDialog() override;

    const TextItem &workingCopy() const { return *m_work; }

    // The controls from the working copy; every control's change writes all
    // of them into the working copy (majT) and redraws the sample.
    void maj();
    void majT();
    // The font colour (Windows RGB), as "Change color" sets it.
    void setFontColor(int rgb);

    // The Insert menu of the content, complete: the fields of the report's
    // data sections are listed the first time it is asked for.
    QMenu *insertMenu();
    // Puts `text` at the caret of the content (over the selection). With
    // `selectFirstArgument`, a function's first argument is then selected
    // so that typing replaces it.
    void insertAtCaret(const QString &text, bool selectFirstArgument = false);

    // Computes the value under the content now; typing does it after a
    // short pause. The queries it needs are opened once per dialog.
    void updateValue();
    QString valueText() const;
    bool valueFailed() const { return m_valueFailed; }

    // OK: the controls into the working copy, the working copy into the item.
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillLists();
    void buildInsertMenu();
    void fillFieldMenu();
    void chooseColor();
    void showColor();
    void editBorders();
    void paintSample();
    void contentChanged();

    std::unique_ptr<Ui::TextItemDialog> ui;
    TextItem *m_item;
    std::unique_ptr<TextItem> m_work;
    bool m_filling = false;
    QMenu *m_insertMenu = nullptr;
    QMenu *m_fieldMenu = nullptr;
    bool m_fieldsListed = false;
    QTimer *m_valueTimer = nullptr;
    std::unique_ptr<ItemValue> m_value;
    bool m_valueFailed = false;
};

// Opens the dialog on `item`, modally; true when OK wrote it back.
bool EditItem(TextItem *item, QWidget *parent = nullptr);

// The size box's text as a font size: its leading number ("12 pt" is 12),
// 0 when it starts with none; sizes stay between 0 and 1000 points.
float fontSizeValue(const QString &text);
