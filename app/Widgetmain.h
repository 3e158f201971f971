#pragma once

#include <QLockFile>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QSystemTrayIcon>
#include <QUrl>
#include <QWidget>
#include <memory>

namespace Ui {
class Widgetmain;
}
class FormMainTop;
class QStackedWidget;
class QMenu;
class QAction;
class QWebEngineView;
class WebEnginePage;
class widgetno1;
class widgetno2;
#include "loginForm.h"

// The per-user cache directory, ending in "/".
extern QString sourceDir;
// The main window's area below the top bar, and its full size.
extern QRect contentRect;
extern QSize windowSize;

// The main window: frameless, always maximised; the top bar over a stack of
// the four module pages, built after the first login.
class Widgetmain : public QWidget
{
    Q_OBJECT

public:
    explicit Widgetmain(QWidget *parent = nullptr);
    ~Widgetmain() override;

    // False when another client already runs for this user.
    bool startedUp() const { return m_startedUp; }

    void buildPages();
    void switchUser();
    void switchPage(int index);
    void refreshCoursewarePage();
    void refreshMicroLecturePage();

    FormMainTop *topBar() const { return m_top; }
    QStackedWidget *pages() const { return m_stack; }
    widgetno1 *coursewarePage() const { return m_coursewarePage; }
    widgetno2 *microLecturePage() const { return m_microLecturePage; }
    void setLoginWindow(loginForm *login);
    loginForm *loginWindow() const { return m_login; }
    void resetVideoEditor();
    void openHelpCentre();

    // The embedded pages of the platform's web site (stack pages 0 and 3).
    void loadWebPages();
    void reloadWebPages();
    static QUrl exerciseAddress();
    static QUrl terminalAddress();
    QWebEngineView *exerciseView() const { return m_exerciseView; }
    QWebEngineView *terminalView() const { return m_terminalView; }
    // Maximised even where no window manager does it for us (Xvfb).
    void showMaximizedOnScreen();
    void enterFullScreen();
    void leaveFullScreen();

    // Receives the user name on logout.
    QString userNameOnLogout = QStringLiteral("Null");

    // Start-up checks: cache directory, scratch folder cleaning and the
    // single-instance lock. Exposed for tests.
    static bool prepareCacheDirectory(const QString &appDataLocation);
    static QLockFile *takeInstanceLock(int waitMs = 2000);
    static void installTemplateDeck(const QString &applicationDir);

signals:
    void shootSwitchPage(int index);

public slots:
    void activated(QSystemTrayIcon::ActivationReason reason);
    void CLOSE_S(bool);
    void CLOSE_Max(bool);
    void onTerminalUrlChanged(const QUrl &url);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool startupChecks();
    // Places the top bar and the stack and recomputes the shared geometry.
    void layoutContent();
    void createTray();
    void restoreWindow();

    FormMainTop *m_top = nullptr;
    QStackedWidget *m_stack = nullptr;
    QPointer<loginForm> m_login;
    Ui::Widgetmain *ui;
    QWebEngineView *m_exerciseView = nullptr;
    QWebEngineView *m_terminalView = nullptr;
    widgetno1 *m_coursewarePage = nullptr;
    widgetno2 *m_microLecturePage = nullptr;
    QMenu *m_trayMenu = nullptr;
    QAction *m_quitAction = nullptr;
    QAction *m_showAction = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    WebEnginePage *m_terminalPage = nullptr;
    std::unique_ptr<QLockFile> m_lock;
    bool m_startedUp = false;
};
