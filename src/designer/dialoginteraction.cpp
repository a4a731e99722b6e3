#include "dialoginteraction.h"

#include "platform/appinfo.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

UserInteraction::Button DialogInteraction::message(const QString &text, int buttons, Icon icon,
                                                   const QString &title)
{
    QMessageBox box;
    box.setWindowTitle(title.isEmpty() ? appTitle() : title);
    box.setTextFormat(Qt::PlainText); // report texts: markup shows as written
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    switch (icon) {
    case Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Question:
        box.setIcon(QMessageBox::Question);
        break;
    case NoIcon:
        break;
    }
    QMessageBox::StandardButtons standard;
    if (buttons & Ok)
        standard |= QMessageBox::Ok;
    if (buttons & Yes)
        standard |= QMessageBox::Yes;
    if (buttons & No)
        standard |= QMessageBox::No;
    if (buttons & Cancel)
        standard |= QMessageBox::Cancel;
    if (buttons & Retry)
        standard |= QMessageBox::Retry;
    box.setStandardButtons(standard ? standard : QMessageBox::Ok);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    case QMessageBox::Cancel:
        return Cancel;
    case QMessageBox::Retry:
        return Retry;
    default:
        return Ok;
    }
}

QString DialogInteraction::askSaveFileName(const QString &filter)
{
    return QFileDialog::getSaveFileName(nullptr, QString(), QString(), filter);
}

QString DialogInteraction::askOpenFileName(const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(), filter);
}
