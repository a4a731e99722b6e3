#include "btnopenhelp.h"

#include "helpviewer.h"

#include <QPushButton>

btnOpenHelp::btnOpenHelp(QWidget *parent) : QWidget(parent), m_button(new QPushButton(this))
{
    m_button->setObjectName(QStringLiteral("bHelp"));
    m_button->setText(tr("&Help"));
    m_button->setAutoDefault(false);
    setFocusProxy(m_button);
    setSizePolicy(m_button->sizePolicy());
    m_button->setGeometry(rect());
    connect(m_button, &QPushButton::clicked, this, &btnOpenHelp::Action);
}

void btnOpenHelp::setTopicHtmFile(const QString &topic)
{
    m_topic = topic;
}

void btnOpenHelp::setHelpFile(const QString &file)
{
    m_helpFile = file;
}

void btnOpenHelp::Action()
{
    HelpViewer::showTopic(m_topic, m_helpFile);
}

QSize btnOpenHelp::sizeHint() const
{
    return m_button->sizeHint();
}

QSize btnOpenHelp::minimumSizeHint() const
{
    return m_button->minimumSizeHint();
}

void btnOpenHelp::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_button->setGeometry(rect());
}
