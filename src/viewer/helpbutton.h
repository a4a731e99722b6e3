#pragma once

#include <QWidget>

class QPushButton;

// The help button of the program's windows: one push button, bHelp, that
// fills the control and opens the help on the window's topic.
class HelpButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString topicHtmFile READ topicHtmFile WRITE setTopicHtmFile)
    Q_PROPERTY(QString helpFile READ helpFile WRITE setHelpFile)

public:
    explicit HelpButton(QWidget *parent = nullptr);

    // The page to open, "/emode.htm"; "/" is the contents page.
    void setTopicHtmFile(const QString &topic);
    QString topicHtmFile() const { return m_topic; }
    // The help to open: a folder of pages or one page of it; empty means the
    // program's own help.
    void setHelpFile(const QString &file);
    QString helpFile() const { return m_helpFile; }

    // Opens the help viewer on the topic. Failures are not reported: help is
    // never worth an error message.
    void Action();

    QPushButton *bHelp() const { return m_button; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // The button always takes the whole control, whatever its size policy.
    void resizeEvent(QResizeEvent *event) override;

private:
    QPushButton *m_button;
    QString m_topic = QStringLiteral("/");
    QString m_helpFile;
};
