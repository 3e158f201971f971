#include "loginForm.h"
#include "ui_loginForm.h"

#include "CurrentUser.h"
#include "EmitObject.h"
#include "FormMainTop.h"
#include "Http_access.h"
#include "LabelPaint.h"
#include "Widgetmain.h"
#include "messageForm.h"

#include <QFile>
#include <QGraphicsDropShadowEffect>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>

int loginCount = 0;
QRect loginRect;

loginForm::loginForm(QWidget *parent)
    : QWidget(parent), ui(new Ui::loginForm)
{
    // Below everything else of the form.
    background = new QLabel(this);
    background->setScaledContents(true);
    background->lower();
    ui->setupUi(this);
    background->lower();
    EmitObject::instance();

    setWindowTitle(QStringLiteral("Lumexa"));
    ui->lineEditName->setPlaceholderText(QStringLiteral("请输入您的姓名."));
    ui->lineEditPassword->setPlaceholderText(QStringLiteral("请输入您的密码."));
    ui->lineEditPassword->setEchoMode(QLineEdit::Password);

    caption = new QLabel(QStringLiteral("Lumexa智慧课堂云编辑器-登录"), this);
    caption->setGeometry(10, 5, 300, 30);
    caption->setStyleSheet(QStringLiteral("color: #FFFFFF; font: 18px \"微软雅黑\"; background: transparent;"));

    painter = new LabelPaint(this);
    painter->setAttribute(Qt::WA_TranslucentBackground);
    painter->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(painter, &LabelPaint::shootEnd, this, &loginForm::handleTimeout);

    logo = new QLabel(this);
    const QPixmap logoPix(QStringLiteral(":/png6/login/logo.png"));
    logo->setPixmap(logoPix);
    logo->resize(logoPix.size());
    setWindowFlags(Qt::FramelessWindowHint);

    shadow = new QGraphicsDropShadowEffect(this);
    shadow->setOffset(0, 0);
    shadow->setColor(QColor(0, 0, 0, 50));
    shadow->setBlurRadius(30);
    ui->widget_shadow->setGraphicsEffect(shadow);
    setWindowIcon(QIcon(QStringLiteral(":/icon/pclogo/logo_64.png")));

    QFile remembered(sourceDir + QStringLiteral("lstemp"));
    if (remembered.exists() && remembered.open(QIODevice::ReadOnly))
        ui->lineEditName->setText(QString::fromUtf8(remembered.readAll()));

    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect place = rect();
        place.moveCenter(screen->availableGeometry().center());
        move(place.topLeft());
    }
    ui->label_hint->hide();
    ui->lineEditName->setFocus();
    activateWindow();
    rearm.setSingleShot(true);
    connect(&rearm, &QTimer::timeout, this, [this] { ready = true; });
}

loginForm::~loginForm()
{
    delete ui;
}

bool loginForm::decodeLoginReply(const QByteArray &bytes, Http_access *access)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        CurrentUser::name.clear();
        auto *m = new messageForm(0, nullptr);
        m->setMessage(QStringLiteral("网络读取错误."));
        m->show();
        m->setGeometry(messageRect());
        access->lastMessage = m;
        // The reason of an earlier refusal does not apply to this failure.
        access->code = 0;
        access->msg.clear();
        return false;
    }
    const QJsonObject root = doc.object();
    access->code = root.value("code").toInt();
    access->msg = root.value("msg").toString();
    if (!Http_access::envelopeSuccess(access->code, access->msg))
        return false;
    const QJsonObject data = root.value("data").toObject();
    access->ver = data.value("ver").toString();
    CurrentUser::token = data.value("token").toString();
    const QJsonObject user = data.value("user").toObject();
    CurrentUser::id = user.value("id").toString();
    CurrentUser::phone = user.value("phone").toString();
    CurrentUser::name = user.value("name").toString();
    CurrentUser::xuedou = user.value("xuedou").toString();
    CurrentUser::companyId = user.value("companyId").toString();
    return true;
}

QRect loginForm::messageRect()
{
    // loginRect is in the window's coordinates; the messages are windows.
    const loginForm *window = Http_access::instance()->loginWindow;
    return window ? QRect(window->mapToGlobal(loginRect.topLeft()), loginRect.size()) : loginRect;
}

void loginForm::prepareRelogin()
{
    setWindowFlags(Qt::FramelessWindowHint | Qt::SubWindow);
    ui->pushButtonMini->setEnabled(false);
}

void loginForm::showLoginMessage(const QString &text)
{
    auto *m = new messageForm(0, nullptr);
    m->setMessage(text);
    m->show();
    m->setGeometry(messageRect());
}

void loginForm::on_pushButton_clicked()
{
    if (ui->lineEditName->text().isEmpty()) {
        showLoginMessage(QStringLiteral("账号不能为空"));
        return;
    }
    if (ui->lineEditPassword->text().isEmpty()) {
        showLoginMessage(QStringLiteral("密码不能为空"));
        return;
    }
    if (!ready || loggedIn || busy)
        return;
    ready = false;
    // The login request and the building of the pages wait in nested event
    // loops: the loading bar may fill, and the close button be pressed,
    // meanwhile. Whatever they do is finished once this handler is done.
    busy = true;
    QPointer<loginForm> self(this);
    QPointer<Http_access> access = Http_access::instance();
    const QString account = ui->lineEditName->text();
    const bool ok = access->login(account, ui->lineEditPassword->text(), QStringLiteral("3"));
    if (!self)
        return;
    if (ok && access && !closing) {
        loggedIn = true;
        ui->widget_shadow->hide();
        ui->labelVersion->hide();
        ui->labelitem->hide();
        ui->label_hint->show();
        // Above the loading bar, which runs across the window's middle.
        logo->move((width() - logo->width()) / 2, height() / 2 - 80 - logo->height());

        QPointer<Widgetmain> main = access->mainWindow;
        QFile remembered(sourceDir + QStringLiteral("lstemp"));
        if (remembered.open(QIODevice::WriteOnly | QIODevice::Truncate))
            remembered.write(account.toUtf8());
        ++loginCount;
        // The first login into a main window builds its pages, later ones
        // refresh them.
        if (!main || !main->topBar()) {
            painter->start(200);
            if (main)
                main->buildPages();
        } else {
            painter->start(80);
            if (main)
                main->switchUser();
        }
        if (main && main->topBar())
            main->topBar()->setUserName(CurrentUser::name);
        if (!self)
            return;
    }
    busy = false;
    if (finishPending) {
        // The loading bar filled while the pages were still being built.
        handleTimeout();
        return;
    }
    rearm.start(5000);
}

void loginForm::on_pushButtonMini_clicked()
{
    setWindowState(Qt::WindowMinimized);
}

void loginForm::on_pushButtonClose_clicked()
{
    closing = true;
    close();
    Http_access *access = Http_access::instance();
    if (access->mainWindow)
        access->mainWindow->close();
    Http_access::release();
}

void loginForm::on_pushButtonX1_clicked()
{
    ui->lineEditName->clear();
}

void loginForm::on_pushButtonX2_clicked()
{
    ui->lineEditPassword->clear();
}

void loginForm::handleTimeout()
{
    if (busy) {
        // Still inside the login handler: finish when it returns, so that it
        // never comes back to a deleted window.
        finishPending = true;
        return;
    }
    finishPending = false;
    if (closing)
        return; // the close button already ended the run
    close();
    Http_access *access = Http_access::instance();
    if (access->mainWindow)
        access->mainWindow->showMaximizedOnScreen();
    deleteLater();
}

void loginForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        on_pushButton_clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void loginForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    loginRect = QRect(5, 40, width() - 10, height() - 45);
    background->setGeometry(loginRect);
    background->setStyleSheet(QStringLiteral("background-color: rgb(242, 242, 242);"));
    background->setPixmap(QPixmap(QStringLiteral(":/png6/login/background1.png")));
    painter->setGeometry(rect());
    painter->raise();
    ui->widget_shadow->move((width() - ui->widget_shadow->width()) / 2,
                            (height() - ui->widget_shadow->height()) / 2);
    if (!loggedIn)
        logo->move((width() - logo->width()) / 2, height() / 2 - 300 - logo->height() / 2);
    ui->label_hint->move((width() - ui->label_hint->width()) / 2, height() / 2 + 60);
    ui->labelVersion->move((width() - ui->labelVersion->width()) / 2, height() - 70);
    ui->pushButtonClose->move(width() - 40, 5);
    ui->pushButtonMini->move(width() - 75, 5);
}
