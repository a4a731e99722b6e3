#pragma once

// What the dialog tests share: finding a dialog's controls by their names,
// clicking them, and acting on a modal window from inside its exec().

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `action` on the next modal window other than `notThis` once it is on
// screen. Modal windows block in exec(), so the test acts from inside their
// event loop.
inline void onNextModal(std::function<void(QWidget *)> action, QWidget *notThis = nullptr)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action, notThis] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == notThis || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

// The control named `name`; a warning names what is missing.
template <class T> T *child(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qWarning("no child %s in %s", name, qPrintable(window->objectName()));
    return found;
}

inline void click(QWidget *window, const char *name)
{
    QAbstractButton *button = child<QAbstractButton>(window, name);
    QVERIFY2(button, name);
    // A check box takes clicks on its box and text only, at its left.
    const QPoint at = qobject_cast<QCheckBox *>(button) ? QPoint(6, button->height() / 2)
                                                        : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}
