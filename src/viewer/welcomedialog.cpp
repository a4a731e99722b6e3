#include "welcomedialog.h"

#include "platform/appinfo.h"
#include "checkbox.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WelcomeDialog::WelcomeDialog(QWidget *parent) : QDialog(parent), m_never(new CheckBox(this))
{
    setObjectName(QStringLiteral("WelcomeDialog"));
    setWindowTitle(tr("Welcome in Mirt"));

    auto *layout = new QVBoxLayout(this);
    auto *question = new QLabel(
        tr("This is your first start with Mirt, do you want to open any DEMO file ?"), this);
    question->setObjectName(QStringLiteral("Label1"));
    question->setWordWrap(true);
    layout->addWidget(question);
    layout->addSpacing(fontMetrics().height() / 2);

    layout->addWidget(addChoice(QStringLiteral("bDemo"),
                                tr("Open \"&demo.xml\", a report with many data sections"),
                                QStringLiteral("/f \"demo.xml\" /e")));
    layout->addWidget(addChoice(QStringLiteral("bGraph"),
                                tr("Open \"demo &graph.xml\", a report with charts"),
                                QStringLiteral("/f \"demo graph.xml\" /e")));
    QPushButton *empty =
        addChoice(QStringLiteral("bClose"), tr("&Open an empty document"), QString());
    layout->addWidget(empty);
    layout->addSpacing(fontMetrics().height() / 2);

    m_never->setObjectName(QStringLiteral("bNever"));
    m_never->setCaption(tr("Never show again at the start"));
    layout->addWidget(m_never);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    empty->setDefault(true);
    empty->setFocus();
}

QPushButton *WelcomeDialog::addChoice(const QString &name, const QString &caption, const QString &result)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumWidth(fontMetrics().averageCharWidth() * 56);
    connect(button, &QPushButton::clicked, this, [this, result] {
        m_result = result;
        accept();
    });
    return button;
}

bool WelcomeDialog::never() const
{
    return m_never->value();
}

void WelcomeDialog::setNever(bool ticked)
{
    m_never->setValue(ticked);
}

int WelcomeDialog::exec()
{
    m_result.clear();
    return QDialog::exec();
}
