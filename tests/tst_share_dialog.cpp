// The share dialog: the title and price checks, and a refused share that
// leaves it open for another try.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BoxWatcher.h"
#include "CurrentUser.h"
#include "FormShareInfo.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"

#include <QJsonDocument>
#include <QPointer>
#include <QPushButton>

namespace {
miciroInfo sample()
{
    miciroInfo r;
    r.id = QStringLiteral("42");
    r.name = QStringLiteral("静夜思");
    return r;
}
}

class tst_share_dialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void refusedInput_data();
    void refusedInput();
    void failureStaysOpenThenSucceeds();

private:
    ScriptedResponder *server = nullptr;
    QPointer<FormShareInfo> dialog;
};

void tst_share_dialog::initTestCase()
{
    server = new ScriptedResponder(this);
    qputenv("LUMEXA_API_BASE", server->baseUrl().toUtf8());
    CurrentUser::token = QStringLiteral("tok-share");
}

void tst_share_dialog::init()
{
    server->requests.clear();
    dialog = new FormShareInfo;
}

void tst_share_dialog::cleanup()
{
    TestEnvironment::screenshotIfFailed(dialog);
    delete dialog.data();
}

void tst_share_dialog::refusedInput_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("price");
    QTest::newRow("no price") << "静夜思" << "";
    QTest::newRow("price 0") << "静夜思" << "0";
    QTest::newRow("no title") << "" << "5";
}

void tst_share_dialog::refusedInput()
{
    QFETCH(QString, title);
    QFETCH(QString, price);
    dialog->setData(sample(), 3);
    dialog->show();
    WidgetDriver::find<QLineEdit>(dialog, "lineEditName")->setText(title);
    WidgetDriver::find<QLineEdit>(dialog, "lineEdit_XD")->setText(price);
    BoxWatcher boxes;
    QSignalSpy ok(dialog.data(), &FormShareInfo::shootOkXD);
    QVERIFY(WidgetDriver::click(dialog, "pushButton_public"));
    QVERIFY(WidgetDriver::waitFor([&] { return !boxes.seen.isEmpty(); }));
    QCOMPARE(boxes.seen, QStringList{QStringLiteral("提示|标题、学豆不能为空。")});
    QVERIFY(server->requests.isEmpty());
    QVERIFY(ok.isEmpty());
    QVERIFY(dialog && dialog->isVisible());
}

void tst_share_dialog::failureStaysOpenThenSucceeds()
{
    const QByteArray path = ApiPaths::smallClassShare.toUtf8();
    server->scriptJson(path, R"({"code":0,"msg":"分享前请设置学豆价格"})");
    dialog->setData(sample(), 3);
    dialog->show();
    WidgetDriver::find<QLineEdit>(dialog, "lineEditName")->setText(QStringLiteral("静夜思（精讲）"));
    QVERIFY(WidgetDriver::type(dialog, "lineEdit_XD", QStringLiteral("25")));
    QSignalSpy cancel(dialog.data(), &FormShareInfo::shootCancel);
    QSignalSpy ok(dialog.data(), &FormShareInfo::shootOkXD);
    {
        BoxWatcher boxes;
        QVERIFY(WidgetDriver::click(dialog, "pushButton_public"));
        QVERIFY(WidgetDriver::waitFor([&] { return !boxes.seen.isEmpty(); }));
        QCOMPARE(boxes.seen.first(), QStringLiteral("提示|静夜思分享失败,检查网络重新尝试。"));
    }
    QCOMPARE(cancel.count(), 1);
    QVERIFY(ok.isEmpty());
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(WidgetDriver::find<QPushButton>(dialog, "pushButton_public")->isEnabled());

    server->scriptJson(path, R"({"code":1,"msg":"成功"})");
    QVERIFY(WidgetDriver::click(dialog, "pushButton_public"));
    QCOMPARE(ok.count(), 1);
    QCOMPARE(ok.first().at(0).toString(), QStringLiteral("25"));
    QCOMPARE(ok.first().at(1).toString(), QStringLiteral("静夜思（精讲）"));
    QVERIFY(WidgetDriver::waitFor([&] { return dialog.isNull(); }));

    QCOMPARE(server->requests.size(), 2);
    const auto &sent = server->requests.last();
    QCOMPARE(sent.path, path);
    QCOMPARE(sent.headers.value("token"), QByteArray("tok-share"));
    const QJsonObject body = QJsonDocument::fromJson(sent.body).object();
    QCOMPARE(body, (QJsonObject{{"id", "42"}, {"isFee", "1"}, {"isshare", "1"},
                                {"name", QStringLiteral("静夜思（精讲）")}, {"xuedou", "25"}}));
}

LUMEXA_TEST_MAIN(tst_share_dialog)
#include "tst_share_dialog.moc"
