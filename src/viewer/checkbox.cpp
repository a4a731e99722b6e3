#include "checkbox.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>

CheckBox::CheckBox(QWidget *parent) : QFrame(parent), m_check(new QCheckBox(this))
{
    m_check->setObjectName(QStringLiteral("Check1"));
    m_check->setGeometry(contentsRect());
    setFocusProxy(m_check);
    setSizePolicy(m_check->sizePolicy());
    m_check->installEventFilter(this);
    // clicked() comes from the user only (mouse or space bar), never from setValue.
    connect(m_check, &QCheckBox::clicked, this, &CheckBox::Click);
}

bool CheckBox::value() const
{
    return m_check->isChecked();
}

void CheckBox::setValue(bool ticked)
{
    m_check->setChecked(ticked);
    emit propertyChanged();
}

QString CheckBox::caption() const
{
    return m_check->text();
}

void CheckBox::setCaption(const QString &text)
{
    m_check->setText(text);
    updateGeometry();
    emit propertyChanged();
}

void CheckBox::setAlignment(short alignment)
{
    m_alignment = alignment;
    // A right-to-left check box draws its indicator after the text.
    const bool boxRight = (alignment == 1) != (layoutDirection() == Qt::RightToLeft);
    m_check->setLayoutDirection(boxRight ? Qt::RightToLeft : Qt::LeftToRight);
    emit propertyChanged();
}

QColor CheckBox::backColor() const
{
    return m_check->palette().color(QPalette::Button);
}

void CheckBox::setBackColor(const QColor &color)
{
    for (QWidget *w : {static_cast<QWidget *>(this), static_cast<QWidget *>(m_check)}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Button, color);
        p.setColor(QPalette::Window, color);
        w->setPalette(p);
        w->setAutoFillBackground(true);
    }
    emit propertyChanged();
}

QColor CheckBox::foreColor() const
{
    return m_check->palette().color(QPalette::ButtonText);
}

void CheckBox::setForeColor(const QColor &color)
{
    QPalette p = m_check->palette();
    p.setColor(QPalette::ButtonText, color);
    p.setColor(QPalette::WindowText, color);
    m_check->setPalette(p);
    emit propertyChanged();
}

void CheckBox::setEnabledState(bool enabled)
{
    setEnabled(enabled);
    emit propertyChanged();
}

void CheckBox::setFontState(const QFont &font)
{
    setFont(font);
    updateGeometry();
    emit propertyChanged();
}

void CheckBox::setBorderStyle(short style)
{
    m_borderStyle = style;
    setFrameStyle(style == 1 ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    m_check->setGeometry(contentsRect());
    updateGeometry();
    emit propertyChanged();
}

QSize CheckBox::sizeHint() const
{
    const int f = 2 * frameWidth();
    return m_check->sizeHint() + QSize(f, f);
}

QSize CheckBox::minimumSizeHint() const
{
    const int f = 2 * frameWidth();
    return m_check->minimumSizeHint() + QSize(f, f);
}

void CheckBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_check->setGeometry(contentsRect());
}

void CheckBox::Refresh()
{
    update();
    m_check->update();
}

bool CheckBox::eventFilter(QObject *watched, QEvent *event)
{
    // A disabled box raises nothing, as it takes no input.
    if (watched != m_check || !m_check->isEnabled())
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *e = static_cast<QKeyEvent *>(event);
        emit KeyDown(e->key(), int(e->modifiers()));
        if (!e->text().isEmpty())
            emit KeyPress(e->text().at(0).unicode());
        break;
    }
    case QEvent::KeyRelease: {
        const auto *e = static_cast<QKeyEvent *>(event);
        emit KeyUp(e->key(), int(e->modifiers()));
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        const auto *e = static_cast<QMouseEvent *>(event);
        const QPoint at = e->position().toPoint();
        const int shift = int(e->modifiers());
        if (event->type() == QEvent::MouseButtonPress)
            emit MouseDown(int(e->button()), shift, at.x(), at.y());
        else if (event->type() == QEvent::MouseButtonRelease)
            emit MouseUp(int(e->button()), shift, at.x(), at.y());
        else
            emit MouseMove(int(e->buttons()), shift, at.x(), at.y());
        break;
    }
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}
