#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class HelpButton;

// The about box: program name and version, what it is for, the Qt version
// and the database drivers this installation can use.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // "Version 1.0.1".
    static QString versionText();

private:
    QLabel *label(const QString &name, const QString &text);
};

// Shows the about box modally.
void showAbout(QWidget *parent);
