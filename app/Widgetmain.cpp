#include "Widgetmain.h"
#include "ui_Widgetmain.h"

#include "CurrentUser.h"
#include "FormAnimation.h"
#include "FormMainTop.h"
#include "FormSupportCenter.h"
#include "BaseAddress.h"
#include "Http_access.h"
#include "QTAVPlayer.h"
#include "WebEnginePage.h"
#include "widgetno1.h"
#include "widgetno2.h"
#include "FormVideoCenter.h"
#include "loginForm.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDebug>
#include <QDesktopWidget>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QNetworkProxyFactory>
#include <QScreen>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTimer>
#include <QKeyEvent>
#include <memory>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

QString sourceDir;
QRect contentRect;
QSize windowSize;


Widgetmain::Widgetmain(QWidget *parent)
    : QWidget(parent), ui(new Ui::Widgetmain)
{
    ui->setupUi(this);
    QWebEngineSettings *web = QWebEngineSettings::defaultSettings();
    web->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    web->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, true);
    web->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, true);
    setWindowIcon(QIcon(QStringLiteral(":/icon/pclogo/logo_64.png")));
    setWindowFlags(Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Lumexa"));

    Http_access::instance()->mainWindow = this;
    if (!startupChecks())
        return;
    installTemplateDeck(QCoreApplication::applicationDirPath());
    createTray();

    m_login = new loginForm(nullptr);
    Http_access::instance()->loginWindow = m_login;
    Http_access::instance()->mainWindow = this;
    m_login->show();
    m_startedUp = true;
}

Widgetmain::~Widgetmain()
{
    delete ui;
}

bool Widgetmain::prepareCacheDirectory(const QString &appDataLocation)
{
    const QString candidate = appDataLocation + QStringLiteral("/source/");
    if (!QDir(candidate).exists() && !QDir().mkpath(candidate))
        return false;
    const QString scratch = candidate + QStringLiteral("pptemp/");
    QDir scratchDir(scratch);
    if (scratchDir.exists()) {
        // Only plain files: folders in it are left alone.
        const auto files = scratchDir.entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString &f : files)
            scratchDir.remove(f);
    } else {
        QDir().mkpath(scratch);
    }
    sourceDir = candidate;
    return true;
}

QLockFile *Widgetmain::takeInstanceLock(int waitMs)
{
    auto *lock = new QLockFile(sourceDir + QStringLiteral("appName.app.lock"));
    if (lock->tryLock(waitMs))
        return lock;
    delete lock;
    return nullptr;
}

void Widgetmain::installTemplateDeck(const QString &applicationDir)
{
    const QString target = sourceDir + QStringLiteral("lumexa.pptx");
    if (!QFile::exists(target))
        QFile::copy(applicationDir + QStringLiteral("/source/lumexa.pptx"), target);
}

bool Widgetmain::startupChecks()
{
    prepareCacheDirectory(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    m_lock.reset(takeInstanceLock());
    if (m_lock)
        return true;
    qWarning() << "客户端已经在运行.";
    QMessageBox box(QMessageBox::Warning, QStringLiteral("提示"), QStringLiteral("客户端已经在运行."),
                    QMessageBox::Ok, this);
    // The second instance must end by itself even when nobody answers.
    QTimer::singleShot(8000, &box, &QMessageBox::accept);
    box.exec();
    close();
    return false;
}

void Widgetmain::createTray()
{
    m_quitAction = new QAction(QStringLiteral("退出"), this);
    m_showAction = new QAction(QStringLiteral("显示主页面"), this);
    m_trayMenu = new QMenu(QApplication::desktop());
    m_trayMenu->addAction(m_quitAction);
    m_trayMenu->addAction(m_showAction);
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_tray = new QSystemTrayIcon(QIcon(QStringLiteral(":/icon/pclogo/logo_64.png")), this);
    m_tray->setToolTip(QStringLiteral("Lumexa客户端"));
    m_tray->showMessage(QStringLiteral("托盘"), QStringLiteral("托盘管理"), QSystemTrayIcon::Information, 10000);
    m_tray->setContextMenu(m_trayMenu);
    m_tray->setVisible(true);
    connect(m_tray, &QSystemTrayIcon::activated, this, &Widgetmain::activated, Qt::UniqueConnection);
    connect(m_quitAction, &QAction::triggered, this, &Widgetmain::CLOSE_S);
    connect(m_showAction, &QAction::triggered, this, &Widgetmain::CLOSE_Max);
}

void Widgetmain::buildPages()
{
    const QTime started = QTime::currentTime();
    qDebug() << "init start wMain" << started.toString("hh:mm:ss");
    m_top = new FormMainTop(this);
    m_top->setMainWindow(this);
    m_top->setUserName(CurrentUser::name);

    m_stack = new QStackedWidget(this);
    m_coursewarePage = new widgetno1;
    m_microLecturePage = new widgetno2;
    QNetworkProxyFactory::setUseSystemConfiguration(false);
    m_exerciseView = new QWebEngineView;
    m_terminalView = new QWebEngineView;
    loadWebPages();
    if (m_tray)
        connect(m_tray, &QSystemTrayIcon::activated, this, &Widgetmain::activated, Qt::UniqueConnection);

    m_stack->addWidget(m_exerciseView);
    m_stack->addWidget(m_coursewarePage);
    m_stack->addWidget(m_microLecturePage);
    m_stack->addWidget(m_terminalView);
    m_stack->setCurrentIndex(0);
    ui->verticalLayout->addWidget(m_top);
    ui->verticalLayout->addWidget(m_stack);
    qDebug() << "init end wMain" << QTime::currentTime().toString("hh:mm:ss")
             << "spent time:" << started.secsTo(QTime::currentTime());
}

void Widgetmain::switchUser()
{
    reloadWebPages();
    qDebug() << "更换用户";
    if (m_top)
        m_top->resetToFirstModule();
    refreshCoursewarePage();
    refreshMicroLecturePage();
}

void Widgetmain::switchPage(int index)
{
    if (!m_stack)
        return;
    m_stack->setCurrentIndex(index);
    emit shootSwitchPage(index);
}

void Widgetmain::refreshCoursewarePage()
{
    if (m_coursewarePage)
        m_coursewarePage->showMyCourseware();
}

void Widgetmain::refreshMicroLecturePage()
{
    if (m_microLecturePage)
        m_microLecturePage->resetMicroPage();
}

void Widgetmain::resetVideoEditor()
{
    if (m_microLecturePage)
        m_microLecturePage->editor()->resetEditor();
}

void Widgetmain::openHelpCentre()
{
    auto *help = new FormSupportCenter;
    connect(help, &FormSupportCenter::shootVideo, this, [](const QString &address) {
        QTAVPlayer *player = QTAVPlayer::popup();
        player->show();
        player->showAndPlay(address);
    });
    help->show();
    help->setGeometry(QRect(mapToGlobal(contentRect.topLeft()), contentRect.size()));
}

void Widgetmain::setLoginWindow(loginForm *login)
{
    m_login = login;
}

void Widgetmain::activated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick)
        restoreWindow();
}

void Widgetmain::CLOSE_S(bool)
{
    close();
    if (m_tray)
        m_tray->deleteLater();
    QApplication::quit();
}

void Widgetmain::CLOSE_Max(bool)
{
    restoreWindow();
}

void Widgetmain::restoreWindow()
{
    if (windowFlags() != (Qt::Window | Qt::FramelessWindowHint))
        setWindowFlags(Qt::FramelessWindowHint);
    if (windowState() != Qt::WindowMaximized)
        setWindowState(Qt::WindowMaximized);
    showMaximizedOnScreen();
    activateWindow();
}

void Widgetmain::showMaximizedOnScreen()
{
    showMaximized();
    if (QScreen *s = screen())
        setGeometry(s->availableGeometry());
}

void Widgetmain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        setWindowState(Qt::WindowMaximized);
    layoutContent();
}

void Widgetmain::layoutContent()
{
    const int topHeight = m_top && !m_top->isHidden() ? m_top->height() : 0;
    if (m_top)
        m_top->setGeometry(0, 0, width(), m_top->height());
    if (m_stack)
        m_stack->setGeometry(0, topHeight, width(), height() - topHeight);
    contentRect = QRect(0, topHeight, width(), height() - topHeight);
    windowSize = size();
    FormAnimation *overlay = FormAnimation::instance();
    if (!overlay) {
        overlay = new FormAnimation(this);
        overlay->resize(windowSize);
        overlay->hide();
    }
    overlay->setGeometry(0, topHeight, contentRect.width(), contentRect.height());
}

void Widgetmain::showEvent(QShowEvent *event)
{
    // A frameless window repaints after a restore from the taskbar only
    // when it counts as mapped.
    setAttribute(Qt::WA_Mapped);
    QWidget::showEvent(event);
}

namespace {
// The credentials travel in the fragment query; encoded, so that "&", "#" and
// "%" in them reach the page intact.
QUrl pageAddress(const QString &path)
{
    const QString address = BaseAddress::web() + path.arg(QString::fromLatin1(QUrl::toPercentEncoding(CurrentUser::username)),
                                                        QString::fromLatin1(QUrl::toPercentEncoding(CurrentUser::password)));
    return QUrl(address, QUrl::TolerantMode);
}
}

QUrl Widgetmain::exerciseAddress()
{
    return pageAddress(QStringLiteral("/exerciseInput/#/?username=%1&password=%2"));
}

QUrl Widgetmain::terminalAddress()
{
    return pageAddress(QStringLiteral("/multiTerminal/#/?username=%1&password=%2"));
}

void Widgetmain::loadWebPages()
{
    m_terminalPage = new WebEnginePage(m_terminalView);
    connect(m_terminalPage, &QWebEnginePage::featurePermissionRequested, m_terminalPage,
            &WebEnginePage::onFeaturePermissionRequested);
    m_terminalView->setPage(m_terminalPage);
    // Changing the cookie policy restarts a profile's network and cuts the
    // requests of its pages; set it before the first page ever loads, so
    // that a later teacher's reload finds it already in place.
    for (QWebEngineView *view : {m_exerciseView, m_terminalView})
        view->page()->profile()->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    m_exerciseView->load(exerciseAddress());
    m_terminalView->load(terminalAddress());
    connect(m_terminalPage, &QWebEnginePage::urlChanged, this, &Widgetmain::onTerminalUrlChanged);
}

void Widgetmain::reloadWebPages()
{
    if (!m_exerciseView || !m_terminalView)
        return;
    // Both views may share one profile: clear each profile once, before any
    // page loads, or the second clearing cuts the first page's requests.
    QList<QWebEngineProfile *> profiles;
    for (QWebEngineView *view : {m_exerciseView, m_terminalView})
        if (!profiles.contains(view->page()->profile()))
            profiles << view->page()->profile();
    int n = 0;
    for (QWebEngineProfile *profile : profiles) {
        ++n;
        profile->clearHttpCache();
        const QString cache = profile->cachePath();
        if (QDir(cache).exists() && !QDir().rmdir(cache))
            qDebug() << QStringLiteral("删除缓存目录失败%1！").arg(n);
        profile->cookieStore()->deleteAllCookies();
        // Setting the policy again restarts the profile's network: only once.
        if (profile->persistentCookiesPolicy() != QWebEngineProfile::NoPersistentCookies)
            profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    }
    // The new address differs from the old only after "#", which the engine
    // would treat as a step within the old page; that page's requests still
    // use the network the clearing just replaced and fail. A real reload of
    // the new address gives the page a fresh start.
    for (QWebEngineView *view : {m_exerciseView, m_terminalView}) {
        const QUrl address = view == m_exerciseView ? exerciseAddress() : terminalAddress();
        if (view->url() == address) {
            view->reload();
            continue;
        }
        auto arrived = std::make_shared<QMetaObject::Connection>();
        *arrived = connect(view, &QWebEngineView::urlChanged, view, [view, arrived] {
            QObject::disconnect(*arrived);
            view->reload();
        });
        view->load(address);
    }
}

void Widgetmain::onTerminalUrlChanged(const QUrl &url)
{
    const QString address = url.toString();
    const bool onTerminal = m_stack && m_stack->currentIndex() == 3;
    if (address.contains(QStringLiteral("startSpeech"))) {
        if (onTerminal)
            enterFullScreen();
    } else if (address.contains(QStringLiteral("isCloseSpeech")) || address.contains(QStringLiteral("username"))) {
        if (onTerminal)
            leaveFullScreen();
    }
}

void Widgetmain::enterFullScreen()
{
    setWindowFlags(Qt::Window);
    showMaximized();
    showFullScreen();
    if (m_top)
        m_top->hide();
    layoutContent();
}

void Widgetmain::leaveFullScreen()
{
    if (m_top)
        m_top->show();
    showMaximized();
    setWindowFlags(Qt::FramelessWindowHint);
    showMaximizedOnScreen();
    layoutContent();
}

void Widgetmain::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F11 && m_stack && m_stack->currentIndex() == 3) {
        if (m_top && m_top->isHidden())
            leaveFullScreen();
        else
            enterFullScreen();
        return;
    }
    QWidget::keyPressEvent(event);
}
