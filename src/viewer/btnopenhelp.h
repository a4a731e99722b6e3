#pragma once

#include <QString>
#include <QWidget>

// A help button that opens the help on its topic.
class btnOpenHelp : public QWidget
{
public:
    explicit btnOpenHelp(QWidget *parent = nullptr);
    void setTopicHtmFile(const QString &);
    void Action();

private:
    QString m_topic;
};
