#include "helpviewer.h"

#include "platform/appinfo.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

// The pages are compiled into the static library; registering them again
// is harmless and keeps a linker that dropped the initializer from losing them.
// (Outside any namespace: the macro declares the initializer where it stands.)
static void registerHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace {
QPointer<HelpViewer> s_viewer;
const QString kIndex = QStringLiteral("index.htm");

void initHelpResources()
{
    static const bool done = [] {
        registerHelpResources();
        return true;
    }();
    Q_UNUSED(done);
}
} // namespace

QString HelpViewer::builtInHelpDir()
{
    initHelpResources();
    return QStringLiteral(":/help");
}

QUrl HelpViewer::topicUrl(const QString &topic, const QString &helpDir)
{
    QString dir = helpDir.isEmpty() ? builtInHelpDir() : helpDir;
    QString page = topic.trimmed();
    // A help "file" given as one page: its folder holds the others, and "/"
    // is that page.
    const QFileInfo given(dir);
    if (!helpDir.isEmpty() && given.isFile()) {
        dir = given.absolutePath();
        if (page.isEmpty() || page == QLatin1String("/"))
            page = given.fileName();
    }
    while (page.startsWith(QLatin1Char('/')) || page.startsWith(QLatin1Char('\\')))
        page.remove(0, 1);
    if (page.isEmpty())
        page = kIndex;
    // Only pages inside the help folder: a topic cannot walk out of it.
    const QString path = QDir::cleanPath(dir + QLatin1Char('/') + page);
    if (!path.startsWith(QDir::cleanPath(dir) + QLatin1Char('/')) || !QFileInfo(path).isFile())
        return QUrl();
    return path.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path)
                                             : QUrl::fromLocalFile(path);
}

HelpViewer *HelpViewer::instance()
{
    return s_viewer;
}

HelpViewer *HelpViewer::showTopic(const QString &topic, const QString &helpDir)
{
    QUrl page = topicUrl(topic, helpDir);
    QUrl home = topicUrl(QStringLiteral("/"), helpDir);
    if (home.isEmpty())
        home = topicUrl(QStringLiteral("/"), QString());
    if (page.isEmpty())
        page = home;
    if (!s_viewer) {
        s_viewer = new HelpViewer;
        s_viewer->placeOnScreen();
    }
    s_viewer->open(page, home);
    s_viewer->show();
    s_viewer->raise();
    s_viewer->activateWindow();
    return s_viewer;
}

HelpViewer::HelpViewer()
    : m_browser(new QTextBrowser(this)), m_back(new QToolButton(this)),
      m_forward(new QToolButton(this)), m_home(new QToolButton(this))
{
    setObjectName(QStringLiteral("helpViewer"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    // Help left open must not keep the program alive after its last window.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({builtInHelpDir()});

    m_back->setObjectName(QStringLiteral("helpBack"));
    m_back->setText(tr("&Back"));
    m_back->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    m_back->setShortcut(QKeySequence::Back);
    m_forward->setObjectName(QStringLiteral("helpForward"));
    m_forward->setText(tr("&Forward"));
    m_forward->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    m_forward->setShortcut(QKeySequence::Forward);
    m_home->setObjectName(QStringLiteral("helpHome"));
    m_home->setText(tr("&Contents"));
    m_home->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    for (QToolButton *b : {m_back, m_forward, m_home}) {
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
    }
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, [this] { m_browser->setSource(m_homeUrl); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpViewer::updateTitle);

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_home);
    bar->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(m_browser);
}

void HelpViewer::placeOnScreen()
{
    // Centred on the screen of the window asking for help, and no larger
    // than that screen leaves room for, frame and title bar included.
    const QWidget *asking = QApplication::activeWindow();
    QScreen *screen = asking ? asking->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QFontMetrics fm(font());
    // Room for a window frame and title bar that are not known before show.
    const QSize frame(16, fm.height() * 3);
    const QSize wanted(fm.averageCharWidth() * 90, fm.height() * 36);
    resize(wanted.boundedTo(room.size() - frame));
    QRect placed(QPoint(0, 0), size() + frame);
    placed.moveCenter(room.center());
    move(placed.topLeft());
}

QUrl HelpViewer::source() const
{
    return m_browser->source();
}

void HelpViewer::open(const QUrl &page, const QUrl &home)
{
    // A new window starts its history on the contents, so Back leads there.
    if (m_browser->source().isEmpty() && page != home) {
        m_browser->setSource(home);
        m_browser->clearHistory();
    }
    m_browser->setSource(page);
    m_homeUrl = home;
    updateTitle();
}

void HelpViewer::updateTitle()
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("%1 help").arg(appTitle())
                                   : tr("%1 help - %2").arg(appTitle(), title));
}
