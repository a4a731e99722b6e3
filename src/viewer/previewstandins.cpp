// Minimal stand-ins for the windows other parts of the program provide (the
// printing helper, the error and debug lists, the help button and the about
// box), so that the preview builds and runs on its own.
#include "btnopenhelp.h"
#include "fdebug.h"
#include "frmabout.h"

#include "document/talvodocument.h"
#include "document/userinteraction.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace fDebug {
void ShowErrors(TalvoDocument &doc, QWidget *)
{
    QStringList lines;
    for (const talvoError &e : doc.errorLst)
        lines << e.GetPureText();
    UserInteraction::current()->message(lines.join(QStringLiteral("\r\n")));
}

void ShowDebug(TalvoDocument &doc, QWidget *)
{
    UserInteraction::current()->message(doc.debugLst.join(QStringLiteral("\r\n")));
}
} // namespace fDebug

btnOpenHelp::btnOpenHelp(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *button = new QToolButton(this);
    button->setText(QStringLiteral("?"));
    layout->addWidget(button);
    QObject::connect(button, &QToolButton::clicked, this, [this] { Action(); });
}

void btnOpenHelp::setTopicHtmFile(const QString &topic)
{
    m_topic = topic;
}

void btnOpenHelp::Action()
{
    UserInteraction::current()->message(
        QStringLiteral("Help on %1 is not available in this build.").arg(m_topic));
}

void showAbout(QWidget *)
{
    UserInteraction::current()->message(QStringLiteral("Talvo Mirt"));
}
