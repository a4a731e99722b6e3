#pragma once

#include <QColor>
#include <QFrame>

class QCheckBox;

// The check box of the program's dialogs: one standard check box, Check1,
// filling the control, with the properties the dialogs set and the events of
// the inner box passed on with their arguments.
class CheckBox : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(bool Value READ value WRITE setValue NOTIFY propertyChanged)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption NOTIFY propertyChanged)
    Q_PROPERTY(short Alignment READ alignment WRITE setAlignment NOTIFY propertyChanged)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor NOTIFY propertyChanged)
    Q_PROPERTY(QColor ForeColor READ foreColor WRITE setForeColor NOTIFY propertyChanged)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabledState NOTIFY propertyChanged)
    Q_PROPERTY(QFont Font READ font WRITE setFontState NOTIFY propertyChanged)
    Q_PROPERTY(short BorderStyle READ borderStyle WRITE setBorderStyle NOTIFY propertyChanged)

public:
    explicit CheckBox(QWidget *parent = nullptr);

    // Ticked (true) or not; follows the user's clicks.
    bool value() const;
    void setValue(bool ticked);
    QString caption() const;
    void setCaption(const QString &text);
    // 0: the box left of the caption; 1: right of it.
    short alignment() const { return m_alignment; }
    void setAlignment(short alignment);
    // Default: the system's button face and button text colours.
    QColor backColor() const;
    void setBackColor(const QColor &color);
    QColor foreColor() const;
    void setForeColor(const QColor &color);
    void setEnabledState(bool enabled);
    // Default: the font of the window that holds the control.
    void setFontState(const QFont &font);
    // 0: no border; 1: a single line around the control.
    short borderStyle() const { return m_borderStyle; }
    void setBorderStyle(short style);
    void Refresh();

    QCheckBox *Check1() const { return m_check; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A setter changed a property (for the window's stored layout).
    void propertyChanged();
    // The user ticked or unticked the box (mouse or keyboard), once per change.
    void Click();
    // Key code and shift state (Qt::KeyboardModifiers) of the inner box.
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void KeyUp(int keyCode, int shift);
    // Button (Qt::MouseButton), shift state and position in the inner box.
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);

protected:
    // The inner box always takes the whole control (inside its border).
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QCheckBox *m_check;
    short m_alignment = 0;
    short m_borderStyle = 0;
};
