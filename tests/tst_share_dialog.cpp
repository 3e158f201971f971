// The share dialog's refusals; a share that goes through is in tst_courseware_list.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BoxWatcher.h"
#include "CurrentUser.h"
#include "FormShareInfo.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"

#include <QPointer>
#include <QPushButton>

class tst_share_dialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void refused_data();
    void refused();

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

void tst_share_dialog::cleanup()
{
    TestEnvironment::screenshotIfFailed(dialog);
    delete dialog.data();
}

void tst_share_dialog::refused_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("price");
    QTest::addColumn<int>("requests");
    QTest::addColumn<QString>("box");
    const QString empty = QStringLiteral("提示|标题、学豆不能为空。");
    QTest::newRow("no price") << "静夜思" << "" << 0 << empty;
    QTest::newRow("price 0") << "静夜思" << "0" << 0 << empty;
    QTest::newRow("no title") << "" << "5" << 0 << empty;
    QTest::newRow("refused by the server") << "静夜思（精讲）" << "25" << 1
                                           << QStringLiteral("提示|静夜思分享失败,检查网络重新尝试。");
}

void tst_share_dialog::refused()
{
    QFETCH(QString, title);
    QFETCH(QString, price);
    QFETCH(int, requests);
    QFETCH(QString, box);
    server->requests.clear();
    server->scriptJson(ApiPaths::smallClassShare.toUtf8(), R"({"code":0,"msg":"分享前请设置学豆价格"})");
    dialog = new FormShareInfo;
    miciroInfo record;
    record.id = QStringLiteral("42");
    record.name = QStringLiteral("静夜思");
    dialog->setData(record, 3);
    dialog->show();
    WidgetDriver::find<QLineEdit>(dialog, "lineEditName")->setText(title);
    WidgetDriver::find<QLineEdit>(dialog, "lineEdit_XD")->setText(price);
    BoxWatcher boxes;
    QSignalSpy cancel(dialog.data(), &FormShareInfo::shootCancel);
    QSignalSpy ok(dialog.data(), &FormShareInfo::shootOkXD);
    QVERIFY(WidgetDriver::click(dialog, "pushButton_public"));
    QVERIFY(WidgetDriver::waitFor([&] { return !boxes.seen.isEmpty(); }));
    QCOMPARE(boxes.seen, QStringList{box});
    QCOMPARE(server->requests.size(), requests);
    QCOMPARE(cancel.count(), requests);
    QVERIFY(ok.isEmpty());
    // Still open, for another try.
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(WidgetDriver::find<QPushButton>(dialog, "pushButton_public")->isEnabled());
}

LUMEXA_TEST_MAIN(tst_share_dialog)
#include "tst_share_dialog.moc"
