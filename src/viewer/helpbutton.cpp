#include "helpbutton.h"

#include "helpviewer.h"

#include <QPushButton>

HelpButton::HelpButton(QWidget *parent) : QWidget(parent), m_button(new QPushButton(this))
{
    m_button->setObjectName(QStringLiteral("bHelp"));
    m_button->setText(tr("&Help"));
    m_button->setAutoDefault(false);
    setFocusProxy(m_button);
    setSizePolicy(m_button->sizePolicy());
    m_button->setGeometry(rect());
    connect(m_button, &QPushButton::clicked, this, &HelpButton::Action);
}

void HelpButton::setTopicHtmFile(const QString &topic)
{
    m_topic = topic;
}

void HelpButton::setHelpFile(const QString &file)
{
    m_helpFile = file;
}

void HelpButton::Action()
{
    HelpViewer::showTopic(m_topic, m_helpFile);
}

QSize HelpButton::sizeHint() const
{
    return m_button->sizeHint();
}

QSize HelpButton::minimumSizeHint() const
{
    return m_button->minimumSizeHint();
}

void HelpButton::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_button->setGeometry(rect());
}
