// Login, the current user, the remembered account and the top bar, through
// the real windows against a scripted platform.
#include "LumexaTest.h"

#include "messageForm.h"

#include "ApiPaths.h"
#include "CurrentUser.h"
#include "FormMainTop.h"
#include "Http_access.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "loginForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QSystemTrayIcon>

namespace {
QByteArray loginReply(const QString &name, const QString &token)
{
    return QStringLiteral(R"({"code":1,"msg":"成功","data":{"ver":"2.0.1","token":"%2","user":{"id":"u1","phone":"13800000000","name":"%1","xuedou":"88.0","companyId":"s9"}}})")
        .arg(name, token).toUtf8();
}
}

class tst_login : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void replies_data();
    void replies();
    void emptyFields_data();
    void emptyFields();
    void rearmAfterFiveSeconds();
    void wholeRoad();

private:
    void messagesOverCard();
    loginForm *login() { return Http_access::instance()->loginWindow; }
    ScriptedResponder *server = nullptr;
    Widgetmain *main = nullptr;
};

void tst_login::initTestCase()
{
    server = new ScriptedResponder(this);
    qputenv("LUMEXA_API_BASE", server->baseUrl().toUtf8());
    // The pages built after the login ask for their lists: empty ones.
    for (const QString &path : {ApiPaths::fileClassList, ApiPaths::smallClassList, ApiPaths::smallClassPurchaseList})
        server->scriptJson(path.toUtf8(), R"({"code":1,"msg":"成功","data":{"total":0,"list":[]}})");
    main = new Widgetmain;
    QVERIFY(main->startedUp());
    QVERIFY(login() && login()->isVisible());
    // Away from the screen's corner, so window and screen coordinates differ.
    login()->move(240, 130);
}

void tst_login::cleanupTestCase()
{
    // Web pages must go before the web engine's profile at exit.
    delete main;
}

void tst_login::cleanup()
{
    WidgetDriver::closeMessages();
}

// Messages of the login flow cover the login card wherever the window stands.
void tst_login::messagesOverCard()
{
    const QRect card(login()->mapToGlobal(loginRect.topLeft()), loginRect.size());
    QVERIFY(card.topLeft() != loginRect.topLeft());
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<messageForm *>(w); m && m->isVisible())
            QCOMPARE(m->geometry(), card);
}

void tst_login::replies_data()
{
    QTest::addColumn<QByteArray>("reply"); // empty: nobody listens
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("teacher") << loginReply("王老师", "t1") << true << "u1" << "王老师" << "";
    QTest::newRow("numeric id") << QByteArray(R"({"code":1,"msg":"成功","data":{"token":"t","user":{"id":5,"name":"李老师"}}})") << true << "" << "李老师" << "";
    QTest::newRow("成功 with code 0") << QByteArray(R"({"code":0,"msg":"成功","data":{"token":"t","user":{"id":"9","name":"赵老师"}}})") << true << "9" << "赵老师" << "";
    QTest::newRow("wrong password") << QByteArray(R"({"code":0,"msg":"用户名或密码错误!"})") << false << "u0" << "前一位老师"
                                    << "密码错误，请重试\n或联系平台进行密码找回\n400-0000-000";
    QTest::newRow("no such account") << QByteArray(R"({"code":0,"msg":"用户不存在"})") << false << "u0" << "前一位老师"
                                     << "没有此教师账户\n请在平台登记注册后,再重新尝试";
    QTest::newRow("server down") << QByteArray() << false << "u0" << "" << "网络读取错误.";
}

void tst_login::replies()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, ok);
    QFETCH(QString, id);
    QFETCH(QString, name);
    QFETCH(QString, shown);
    const QByteArray base = qgetenv("LUMEXA_API_BASE");
    if (reply.isEmpty()) {
        // The reason of an earlier refusal must not apply to this failure.
        server->scriptJson(ApiPaths::login.toUtf8(), R"({"code":0,"msg":"用户名或密码错误!"})");
        QVERIFY(!Http_access::instance()->login("teacher01", "x", "3"));
        WidgetDriver::closeMessages();
        qputenv("LUMEXA_API_BASE", "http://127.0.0.1:9");
    } else {
        server->scriptJson(ApiPaths::login.toUtf8(), reply);
    }
    // Every row starts from the same signed-in teacher.
    CurrentUser::id = QStringLiteral("u0");
    CurrentUser::name = QStringLiteral("前一位老师");
    QCOMPARE(Http_access::instance()->login("teacher01", "p&a+ss#", "3"), ok);
    qputenv("LUMEXA_API_BASE", base);
    QCOMPARE(CurrentUser::id, id);
    QCOMPARE(CurrentUser::name, name);
    QCOMPARE(WidgetDriver::shownMessages(), shown.isEmpty() ? QStringList() : QStringList{shown});
    messagesOverCard();
    if (reply.isEmpty())
        return;
    // The password arrives as typed, separators and plus signs included.
    const QUrlQuery q(QString::fromUtf8(server->requests.last().query));
    QCOMPARE(q.queryItemValue("username"), QStringLiteral("teacher01"));
    QCOMPARE(q.queryItemValue("password", QUrl::FullyDecoded), QStringLiteral("p&a+ss#"));
    if (ok)
        QCOMPARE(CurrentUser::password, QStringLiteral("p&a+ss#"));
}

void tst_login::emptyFields_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no account") << "" << "123456" << "账号不能为空";
    QTest::newRow("no password") << "teacher01" << "" << "密码不能为空";
}

void tst_login::emptyFields()
{
    QFETCH(QString, account);
    QFETCH(QString, password);
    QFETCH(QString, shown);
    const int before = server->requests.size();
    login()->findChild<QLineEdit *>("lineEditName")->setText(account);
    login()->findChild<QLineEdit *>("lineEditPassword")->setText(password);
    QTest::keyClick(login(), Qt::Key_Return);
    QCOMPARE(WidgetDriver::shownMessages(), QStringList{shown});
    messagesOverCard();
    QCOMPARE(server->requests.size(), before);
}

void tst_login::rearmAfterFiveSeconds()
{
    server->scriptJson(ApiPaths::login.toUtf8(), R"({"code":0,"msg":"服务维护中"})");
    WidgetDriver::type(login(), "lineEditName", "teacher01");
    WidgetDriver::type(login(), "lineEditPassword", "123456");
    const int before = server->requests.size();
    QTest::keyClick(login(), Qt::Key_Return);
    QCOMPARE(server->requests.size(), before + 1);
    QTest::qWait(1000);
    QTest::keyClick(login(), Qt::Key_Return);
    QCOMPARE(server->requests.size(), before + 1);
    QTRY_VERIFY_WITH_TIMEOUT(login()->isReady(), 6000);
    QTest::keyClick(login(), Qt::Key_Return);
    QCOMPARE(server->requests.size(), before + 2);
    QTRY_VERIFY_WITH_TIMEOUT(login()->isReady(), 6000);
}

void tst_login::wholeRoad()
{
    // First login: whitespace password is sent; Return twice sends once.
    server->scriptJson(ApiPaths::login.toUtf8(), loginReply("王老师", "tok-a"));
    WidgetDriver::type(login(), "lineEditName", "teacher01");
    login()->findChild<QLineEdit *>("lineEditPassword")->setText("   ");
    server->requests.clear();
    QTest::keyClick(login(), Qt::Key_Return);
    QTest::keyClick(login(), Qt::Key_Return);
    const auto &sent = server->requests;
    QCOMPARE(std::count_if(sent.begin(), sent.end(), [](const auto &r) { return r.path == ApiPaths::login.toUtf8(); }), 1);
    QCOMPARE(QUrlQuery(QString::fromUtf8(sent.first().query)).queryItemValue("password"), QStringLiteral("   "));
    QCOMPARE(CurrentUser::token, QStringLiteral("tok-a"));
    QCOMPARE(TestEnvironment::readFile(sourceDir + "lstemp"), QByteArray("teacher01"));

    // The loading bar leads into the maximised main window.
    TestEnvironment::screenshot(login(), "loading");
    QTRY_VERIFY_WITH_TIMEOUT(main->isVisible(), 10000);
    QVERIFY(main->windowState() & Qt::WindowMaximized);
    FormMainTop *top = main->topBar();
    QVERIFY(top);
    QVERIFY(top->userNameText().contains(QStringLiteral("王老师")));
    QCOMPARE(contentRect.top(), top->height());
    QCOMPARE(contentRect.width(), main->width());
    TestEnvironment::screenshot(main, "main");

    // Module buttons behave as radio buttons and switch the stack.
    QSignalSpy switched(main, &Widgetmain::shootSwitchPage);
    auto *b2 = top->findChild<QPushButton *>("pushButton_2");
    auto *b1 = top->findChild<QPushButton *>("pushButton");
    QTest::mouseClick(b2, Qt::LeftButton);
    QCOMPARE(main->pages()->currentIndex(), 1);
    QVERIFY(b2->isChecked() && !b1->isChecked());
    QTest::mouseClick(b2, Qt::LeftButton); // the active one stays on
    QVERIFY(b2->isChecked());
    QCOMPARE(switched.count(), 1);

    // Without a tray the close button minimises: nothing could bring a hidden window back.
    QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
    QTest::mouseClick(top->findChild<QPushButton *>("pushButton_X"), Qt::LeftButton);
    QVERIFY(main->isVisible() && (main->windowState() & Qt::WindowMinimized));
    main->setWindowState(Qt::WindowMaximized);

    // Logout: cancelled first, then confirmed.
    QTest::mouseClick(top->findChild<QPushButton *>("pushButton_Outlog"), Qt::LeftButton);
    QCOMPARE(WidgetDriver::shownMessages(), QStringList{QStringLiteral("确定要退出此账号吗？")});
    QVERIFY(WidgetDriver::answerMessage(false));
    QCOMPARE(CurrentUser::token, QStringLiteral("tok-a"));
    QTest::mouseClick(top->findChild<QPushButton *>("pushButton_Outlog"), Qt::LeftButton);
    QVERIFY(WidgetDriver::answerMessage(true));
    QCOMPARE(CurrentUser::token, QString());
    QVERIFY(top->userNameText().contains(QStringLiteral("临时用户")));
    QVERIFY(login() && login()->isVisible());
    QCOMPARE(login()->findChild<QLineEdit *>("lineEditName")->text(), QStringLiteral("teacher01"));
    QVERIFY(!login()->findChild<QPushButton *>("pushButtonMini")->isEnabled());

    // Another teacher: the window is refreshed, not rebuilt.
    server->scriptJson(ApiPaths::login.toUtf8(), loginReply("李老师", "tok-b"));
    WidgetDriver::type(login(), "lineEditName", "teacher02");
    WidgetDriver::type(login(), "lineEditPassword", "123456");
    QTest::mouseClick(login()->findChild<QPushButton *>("pushButton"), Qt::LeftButton);
    QCOMPARE(CurrentUser::token, QStringLiteral("tok-b"));
    QCOMPARE(main->topBar(), top);
    QVERIFY(top->userNameText().contains(QStringLiteral("李老师")));
    QCOMPARE(main->pages()->currentIndex(), 0);
    QVERIFY(b1->isChecked() && !b2->isChecked());
}

LUMEXA_TEST_MAIN(tst_login)
#include "tst_login.moc"
