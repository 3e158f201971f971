// The request layer against a scripted HTTP responder: envelope rules, the
// exact requests it sends, uploads, downloads, time limits and re-entrancy.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BoxWatcher.h"
#include "CurrentUser.h"
#include "HttpClassInput.h"
#include "Http_access.h"
#include "ReplyWaiter.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTimer>

class tst_http_access : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void envelope_data();
    void envelope();
    void sendsJsonWithToken();
    void uploadMultipart_data();
    void uploadMultipart();
    void download_data();
    void download();
    void timeLimit();
    void reentrantRequests();

private:
    ScriptedResponder *server = nullptr;
    Http_access *http = nullptr;
};

void tst_http_access::init()
{
    delete server;
    server = new ScriptedResponder(this);
    delete http;
    http = new Http_access;
    Http_access::timeoutMs = 30000;
    CurrentUser::token = QStringLiteral("tok-123");
}

void tst_http_access::envelope_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("success");
    QTest::addColumn<bool>("strictSuccess");
    QTest::addColumn<int>("entries");
    QTest::newRow("code 1") << QByteArray(R"({"code":1,"msg":"成功","data":{"list":[{"id":"1","value":"v","label":"l"}]}})") << true << true << 1;
    QTest::newRow("code 0 + 成功") << QByteArray(R"({"code":0,"msg":"成功","data":{"list":[{"id":"1"}]}})") << true << false << 1;
    QTest::newRow("refused") << QByteArray(R"({"code":500,"msg":"失败"})") << false << false << 0;
    QTest::newRow("code as text") << QByteArray(R"({"code":"1","msg":"x"})") << false << false << 0;
    QTest::newRow("not JSON") << QByteArray("<html>oops</html>") << false << false << 0;
    QTest::newRow("array") << QByteArray("[1,2]") << false << false << 0;
    QTest::newRow("list of wrong type") << QByteArray(R"({"code":1,"data":{"list":{"id":"1"}}})") << true << true << 0;
}

void tst_http_access::envelope()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, success);
    QFETCH(bool, strictSuccess);
    QFETCH(int, entries);
    server->scriptJson("/x", reply);
    const QString address = server->baseUrl() + "/x";
    QCOMPARE(http->postForSuccess(address, {}, {}), success);
    QCOMPARE(http->postForStrictSuccess(address, {}), strictSuccess);
    QList<DictItem> items;
    QCOMPARE(http->fetchDictItems(address, {}, {}, items), success);
    QCOMPARE(items.size(), entries);
}

void tst_http_access::sendsJsonWithToken()
{
    server->scriptJson(ApiPaths::fileClassShare.toUtf8(), R"({"code":1,"msg":"成功"})");
    QUrlQuery query;
    query.addQueryItem("type", "sys_office_grade");
    QVERIFY(http->postForSuccess(server->baseUrl() + ApiPaths::fileClassShare, query,
                                 {{"id", "42"}, {"isFee", "1"}, {"isshare", "1"}}));
    QCOMPARE(server->requests.size(), 1);
    const auto r = server->requests.first();
    QCOMPARE(r.method, QByteArray("POST"));
    QCOMPARE(r.path, ApiPaths::fileClassShare.toUtf8());
    QCOMPARE(r.query, QByteArray("type=sys_office_grade"));
    QCOMPARE(r.headers.value("content-type"), QByteArray("application/json"));
    QCOMPARE(r.headers.value("token"), QByteArray("tok-123"));
    const QJsonObject body = QJsonDocument::fromJson(r.body).object();
    QCOMPARE(body, (QJsonObject{{"id", "42"}, {"isFee", "1"}, {"isshare", "1"}}));

    // After a logout the token header is sent empty.
    CurrentUser::token.clear();
    QVERIFY(http->postForSuccess(server->baseUrl() + ApiPaths::fileClassShare, {}, {}));
    QCOMPARE(server->requests.last().headers.value("token"), QByteArray());
}

void tst_http_access::uploadMultipart_data()
{
    // Decks and videos go through the request layer, pictures through the
    // resource client (without the token); both build their own part. A
    // lost connection is drilled in tst_fault_drills::upload.
    QTest::addColumn<bool>("picture");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("deck") << false << QStringLiteral("第一课 分数.pptx") << QByteArray("application/vnd.ms-powerpoint") << true;
    QTest::newRow("picture") << true << QStringLiteral("我的 图片.png") << QByteArray("image/png") << true;
    QTest::newRow("video refused") << false << QStringLiteral("v.mp4") << QByteArray("video/mp4") << false;
}

void tst_http_access::uploadMultipart()
{
    QFETCH(bool, picture);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, type);
    QFETCH(bool, accepted);
    QTemporaryDir dir;
    QFile f(dir.filePath(fileName));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(5000, 'p'));
    f.close();
    server->scriptJson(ApiPaths::fileUpload.toUtf8(), accepted ? R"({"code":1,"msg":"成功","data":{"filepath":"/upload/1"}})"
                                                               : R"({"code":0,"msg":"文件过大"})");
    const QString address = server->baseUrl() + ApiPaths::fileUpload;
    HttpClassInput client;
    BoxWatcher boxes;
    QCOMPARE(picture ? client.uploadImage(address, f.fileName()) : http->uploadFile(address, f.fileName(), type),
             accepted ? QStringLiteral("/upload/1") : QString());
    QVERIFY(boxes.seen.isEmpty());
    const auto r = server->requests.last();
    QCOMPARE(r.method, QByteArray("POST"));
    QCOMPARE(r.headers.value("token"), picture ? QByteArray() : QByteArray("tok-123"));
    QVERIFY(r.headers.value("content-type").startsWith("multipart/form-data; boundary="));
    QVERIFY(r.body.contains(QStringLiteral("Content-Disposition: form-data; name=\"file\"; filename=\"%1\"").arg(fileName).toUtf8()));
    QVERIFY(r.body.contains("Content-Type: " + type + "\r\n"));
    QVERIFY(r.body.contains(QByteArray(5000, 'p')));
    QCOMPARE(r.body.count("Content-Disposition"), 1);
    QVERIFY(f.exists()); // the teacher's file is left alone
}

void tst_http_access::download_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("box");
    QTest::newRow("complete") << 200 << true << QStringLiteral("提示|a下载完成");
    QTest::newRow("not found") << 404 << false << QStringLiteral("提示|a下载失败，检查网络重新尝试。");
}

void tst_http_access::download()
{
    QFETCH(int, status);
    QFETCH(bool, ok);
    QFETCH(QString, box);
    server->script("/doc/a.pptx", {status, QByteArray(100000, 'd'), {}, false, 0});
    QTemporaryDir dir;
    const QString target = dir.filePath("a.b.pptx");
    BoxWatcher boxes;
    Http_access *d = Http_access::download(server->baseUrl() + "/doc/a.pptx", target);
    QSignalSpy finished(d, &Http_access::downloadFinished);
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.first().at(1).toBool(), ok);
    QVERIFY(WidgetDriver::waitFor([&] { return !boxes.seen.isEmpty(); }));
    QCOMPARE(boxes.seen.first(), box);
    QCOMPARE(QFile::exists(target), ok);
    if (ok)
        QCOMPARE(QFileInfo(target).size(), 100000);
}

void tst_http_access::timeLimit()
{
    server->script("/hang", {200, {}, {}, true, 0});
    Http_access::timeoutMs = 300;
    QVERIFY(!http->postForSuccess(server->baseUrl() + "/hang", {}, {}));
    QList<DictItem> items;
    QVERIFY(!http->fetchDictItems(server->baseUrl() + "/hang", {}, {}, items));
    // Both say the server did not answer in time, in one message.
    QCOMPARE(WidgetDriver::shownMessages(), QStringList{ReplyWaiter::timeoutText()});
    WidgetDriver::closeMessages();
}

void tst_http_access::reentrantRequests()
{
    server->script("/slow", {200, R"({"code":1,"data":{"list":[{"id":"outer"}]}})", {}, false, 400});
    server->scriptJson("/fast", R"({"code":1,"data":{"list":[{"id":"inner"}]}})");
    QList<DictItem> inner;
    bool innerOk = false;
    // Started from inside the outer request's wait, as a second click would.
    QTimer::singleShot(50, this, [&] {
        innerOk = http->fetchDictItems(server->baseUrl() + "/fast", {}, {}, inner);
    });
    QList<DictItem> outer;
    QVERIFY(http->fetchDictItems(server->baseUrl() + "/slow", {}, {}, outer));
    QVERIFY(WidgetDriver::waitFor([&] { return innerOk; }));
    QCOMPARE(outer.size(), 1);
    QCOMPARE(outer.first().id, QStringLiteral("outer"));
    QCOMPARE(inner.first().id, QStringLiteral("inner"));
}

LUMEXA_TEST_MAIN(tst_http_access)
#include "tst_http_access.moc"
