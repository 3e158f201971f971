#include "Widgetmain.h"
#include "ui_Widgetmain.h"

#include "CurrentUser.h"
#include "FormAnimation.h"
#include "FormMainTop.h"
#include "Http_access.h"
#include "loginForm.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDebug>
#include <QDesktopWidget>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QNetworkProxyFactory>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTimer>
#include <QWebEngineSettings>

QString sourceDir;
QRect contentRect;
QSize windowSize;

namespace {
QWidget *placeholderPage(const QString &title)
{
    auto *page = new QLabel(title);
    page->setAlignment(Qt::AlignCenter);
    page->setStyleSheet(QStringLiteral("color: #999999; font: 20px \"微软雅黑\"; background: #F5F6F8;"));
    return page;
}
}

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
    m_coursewarePage = placeholderPage(QStringLiteral("课件录入"));
    m_microLecturePage = placeholderPage(QStringLiteral("微课录入"));
    QNetworkProxyFactory::setUseSystemConfiguration(false);
    m_exercisePage = placeholderPage(QStringLiteral("习题录入"));
    m_terminalPage = placeholderPage(QStringLiteral("多终端"));
    if (m_tray)
        connect(m_tray, &QSystemTrayIcon::activated, this, &Widgetmain::activated, Qt::UniqueConnection);

    m_stack->addWidget(m_exercisePage);
    m_stack->addWidget(m_coursewarePage);
    m_stack->addWidget(m_microLecturePage);
    m_stack->addWidget(m_terminalPage);
    m_stack->setCurrentIndex(0);
    ui->verticalLayout->addWidget(m_top);
    ui->verticalLayout->addWidget(m_stack);
    qDebug() << "init end wMain" << QTime::currentTime().toString("hh:mm:ss")
             << "spent time:" << started.secsTo(QTime::currentTime());
}

void Widgetmain::switchUser()
{
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
}

void Widgetmain::refreshMicroLecturePage()
{
}

void Widgetmain::resetVideoEditor()
{
}

void Widgetmain::openHelpCentre()
{
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
    show();
    activateWindow();
}

void Widgetmain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        setWindowState(Qt::WindowMaximized);
    const int topHeight = m_top && m_top->isVisible() ? m_top->height() : 0;
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
