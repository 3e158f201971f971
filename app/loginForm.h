#pragma once

#include <QRect>
#include <QTimer>
#include <QWidget>

namespace Ui {
class loginForm;
}
class Http_access;
class LabelPaint;
class QLabel;
class QGraphicsDropShadowEffect;

// Successful logins in this run.
extern int loginCount;
// The login window's background area; messages of the login flow cover it.
extern QRect loginRect;

class loginForm : public QWidget
{
    Q_OBJECT

public:
    explicit loginForm(QWidget *parent = nullptr);
    ~loginForm() override;

    // Decodes the login reply into the current user; false on refusal or an
    // unreadable reply (the latter tells the user "网络读取错误.").
    static bool decodeLoginReply(const QByteArray &bytes, Http_access *access);
    // loginRect on the screen, where the login flow's messages go.
    static QRect messageRect();

    // Prepares a window shown again after a logout.
    void prepareRelogin();
    bool isReady() const { return ready; }
    bool isBusy() const { return busy; }

public slots:
    void on_pushButton_clicked();
    void on_pushButtonMini_clicked();
    void on_pushButtonClose_clicked();
    void on_pushButtonX1_clicked();
    void on_pushButtonX2_clicked();
    void handleTimeout();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showLoginMessage(const QString &text);

    Ui::loginForm *ui;
    QLabel *background;
    QLabel *caption;
    QLabel *logo;
    QGraphicsDropShadowEffect *shadow;
    LabelPaint *painter;
    QTimer rearm;
    bool ready = true;
    bool loggedIn = false;
    // The login handler is on the stack (waiting in a nested event loop).
    bool busy = false;
    // The loading bar filled while busy: close once the handler returns.
    bool finishPending = false;
    // The close button was pressed: a login still waiting comes to nothing.
    bool closing = false;
};
