#pragma once

#include <QDialog>

class QPushButton;
class CheckBox;

// The welcome dialog of a first start without arguments: offers the demo
// reports or an empty document, and a check box to skip it from then on.
class WelcomeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WelcomeDialog(QWidget *parent = nullptr);

    // The command line the chosen button stands for; "" (an empty document)
    // until a button is pressed, also when the dialog is closed otherwise.
    QString resultText() const { return m_result; }
    // "Never show again at the start".
    bool never() const;
    void setNever(bool ticked);

    int exec() override;

private:
    QPushButton *addChoice(const QString &name, const QString &caption, const QString &result);

    QString m_result;
    CheckBox *m_never;
};
