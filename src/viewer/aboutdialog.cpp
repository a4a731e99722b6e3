#include "aboutdialog.h"

#include "platform/appinfo.h"
#include "helpbutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QStyle>
#include <QVBoxLayout>

namespace {
// The release this program is.
constexpr int kMajor = 1;
constexpr int kMinor = 0;
constexpr int kRevision = 1;
const char kHomePage[] = "https://mirt.talvo.org/";
} // namespace

QString AboutDialog::versionText()
{
    return tr("Version ") + QStringLiteral("%1.%2.%3").arg(kMajor).arg(kMinor).arg(kRevision);
}

QLabel *AboutDialog::label(const QString &name, const QString &text)
{
    auto *l = new QLabel(text, this);
    l->setObjectName(name);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(tr("About ") + appTitle());

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this)
                        .pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);

    QLabel *title = label(QStringLiteral("lblTitle"), appTitle());
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    QLabel *version = label(QStringLiteral("lblVersion"), versionText());
    QLabel *description = label(QStringLiteral("lblDescription"),
                                tr("This software allows you to create reports from databases "
                                   "like MS Access or from any ODBC sources."));
    description->setWordWrap(true);

    QStringList drivers = QSqlDatabase::drivers();
    drivers.sort();
    QLabel *qt = label(QStringLiteral("lblQt"),
                       tr("Built with Qt %1, running on Qt %2")
                           .arg(QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion())));
    QLabel *sql =
        label(QStringLiteral("lblDrivers"),
              tr("Database drivers: %1")
                  .arg(drivers.isEmpty() ? tr("none") : drivers.join(QStringLiteral(", "))));
    sql->setWordWrap(true);
    auto *web = new QLabel(this);
    web->setObjectName(QStringLiteral("lblWeb"));
    web->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(QLatin1String(kHomePage)));
    web->setOpenExternalLinks(true);
    web->setTextInteractionFlags(Qt::TextBrowserInteraction);

    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addSpacing(fontMetrics().height() / 2);
    texts->addWidget(description);
    texts->addSpacing(fontMetrics().height() / 2);
    texts->addWidget(qt);
    texts->addWidget(sql);
    texts->addWidget(web);
    texts->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(fontMetrics().averageCharWidth() * 2);
    top->addLayout(texts, 1);

    auto *help = new HelpButton(this);
    help->setObjectName(QStringLiteral("btnOpenHelp1"));
    help->setTopicHtmFile(QStringLiteral("/morehelp.htm"));
    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 64);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ok->setFocus();
}

void showAbout(QWidget *parent)
{
    AboutDialog box(parent);
    box.exec();
}
