// The resource client against a scripted HTTP responder: the requests it
// sends, how each reply shape decodes, picture upload and download.
#include "LumexaTest.h"

#include "CurrentUser.h"
#include "HttpClassInput.h"
#include "Http_access.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"
#include "messageForm.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTimer>

namespace {
// "id|resFile|resDescribe|title|ppt+ppt|total" per record, joined by ";".
QString dump(const QList<LibraryItem> &items)
{
    QStringList out;
    for (const LibraryItem &i : items)
        out << QStringList{i.id, i.resFile, i.resDescribe, i.title, i.pptFiles.join('+'), QString::number(i.total)}
                   .join('|');
    return out.join(';');
}

QByteArray pngBytes(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor("#03804B"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}
}

class tst_class_input : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sendsJsonWithToken();
    void listDecoding_data();
    void listDecoding();
    void envelopeOperations_data();
    void envelopeOperations();
    void exportFrequency_data();
    void exportFrequency();
    void uploadImage_data();
    void uploadImage();
    void uploadFailures();
    void downloadPicture();
    void downloadFailures_data();
    void downloadFailures();
    void pageOfPictures_data();
    void pageOfPictures();
    void requestWhileAnotherWaits();

private:
    ScriptedResponder *server = nullptr;
    HttpClassInput *client = nullptr;
};

void tst_class_input::init()
{
    server = new ScriptedResponder(this);
    client = new HttpClassInput(this);
    CurrentUser::token = QStringLiteral("tok-9");
}

void tst_class_input::cleanup()
{
    if (client->lastMessage)
        delete client->lastMessage.data();
    delete client;
    delete server;
}

void tst_class_input::sendsJsonWithToken()
{
    server->scriptJson("/res", R"({"code":1,"data":{"page":{"total":0,"list":[]}}})");
    QUrlQuery query;
    query.addQueryItem("pageNum", "2");
    QList<LibraryItem> items;
    client->fetchResources(server->baseUrl() + "/res", query,
                           {{"id", "7"}, {"pageNum", "2"}, {"pageSize", "10"}, {"resSort", "2"}}, items);
    QCOMPARE(server->requests.size(), 1);
    const auto r = server->requests.first();
    QCOMPARE(r.method, QByteArray("POST"));
    QCOMPARE(r.query, QByteArray("pageNum=2"));
    QCOMPARE(r.headers.value("content-type"), QByteArray("application/json"));
    QCOMPARE(r.headers.value("token"), QByteArray("tok-9"));
    QCOMPARE(QJsonDocument::fromJson(r.body).object(),
             (QJsonObject{{"id", "7"}, {"pageNum", "2"}, {"pageSize", "10"}, {"resSort", "2"}}));
}

void tst_class_input::listDecoding_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("records");

    QTest::newRow("own files") << "own"
        << QByteArray(R"({"code":1,"msg":"成功","data":{"list":{"total":23,"list":[{"id":"p1","fileName":"/img/a.png"},{"id":5,"fileName":7}]}}})")
        << 200 << "p1|/img/a.png||||23;|||||23";
    QTest::newRow("own files, code 0 but 成功") << "own"
        << QByteArray(R"({"code":0,"msg":"成功","data":{"list":{"total":1,"list":[{"id":"p1","fileName":"/a.png"}]}}})")
        << 200 << "p1|/a.png||||1";
    QTest::newRow("categories") << "categories"
        << QByteArray(R"({"code":1,"data":{"list":[{"id":"c1","resDescribe":"动物"},{"id":2,"resDescribe":"植物"}]}})")
        << 200 << "c1||动物|||0;||植物|||0";
    QTest::newRow("resources") << "resources"
        << QByteArray(R"({"code":1,"data":{"page":{"total":31,"list":[
            {"id":"t1","resFile":"/tpl/a.pptx","resDescribe":"春天","title":"春天模板","pptFiles":["/p/1.png","/p/2.png"]},
            {"id":"t2","resFile":"/tpl/b.pptx","resDescribe":5,"title":null}]}}})")
        << 200 << "t1|/tpl/a.pptx|春天|春天模板|/p/1.png+/p/2.png|31;t2|/tpl/b.pptx||||31";
    QTest::newRow("resources, empty list") << "resources"
        << QByteArray(R"({"code":1,"data":{"page":{"total":0,"list":[]}}})") << 200 << "";
    QTest::newRow("resources, no page") << "resources"
        << QByteArray(R"({"code":1,"data":{"list":[{"id":"x"}]}})") << 200 << "";
    QTest::newRow("refused") << "categories"
        << QByteArray(R"({"code":401,"msg":"token失效","data":{"list":[{"id":"c1"}]}})") << 200 << "";
    QTest::newRow("not JSON") << "own" << QByteArray("<html>502</html>") << 200 << "";
    QTest::newRow("server error") << "resources"
        << QByteArray(R"({"code":1,"data":{"page":{"total":1,"list":[{"id":"x"}]}}})") << 500 << "";
    QTest::newRow("own list of wrong type") << "own"
        << QByteArray(R"({"code":1,"data":{"list":[{"id":"p1"}]}})") << 200 << "";
}

void tst_class_input::listDecoding()
{
    QFETCH(QString, operation);
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(QString, records);
    server->scriptJson("/list", reply, status);
    const QString address = server->baseUrl() + "/list";
    LibraryItem kept;
    kept.id = "kept";
    QList<LibraryItem> items{kept};
    if (operation == "own")
        client->fetchOwnFiles(address, {}, {}, items);
    else if (operation == "categories")
        client->fetchCategories(address, {}, {}, items);
    else
        client->fetchResources(address, {}, {}, items);
    QCOMPARE(items.first().id, QStringLiteral("kept")); // appended, never replaced
    QCOMPARE(dump(items.mid(1)), records);
}

void tst_class_input::envelopeOperations_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("success");
    QTest::newRow("code 1") << QByteArray(R"({"code":1,"msg":"ok"})") << 200 << true;
    QTest::newRow("成功") << QByteArray(R"({"code":0,"msg":"成功"})") << 200 << true;
    QTest::newRow("refused") << QByteArray(R"({"code":0,"msg":"删除失败"})") << 200 << false;
    QTest::newRow("not JSON") << QByteArray("oops") << 200 << false;
    QTest::newRow("server error") << QByteArray(R"({"code":1})") << 500 << false;
}

void tst_class_input::envelopeOperations()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(bool, success);
    server->scriptJson("/op", reply, status);
    const QString address = server->baseUrl() + "/op";
    QCOMPARE(client->deleteById(address, {}, {{"id", "p1"}}), success);
    QCOMPARE(client->saveFileRecord(address, {}, {{"fileName", "/img/a.png"}, {"fileLibType", "1"}}), success);
    QCOMPARE(QJsonDocument::fromJson(server->requests.first().body).object(), (QJsonObject{{"id", "p1"}}));
}

void tst_class_input::exportFrequency_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("frequency");
    QTest::newRow("allowance") << QByteArray(R"({"code":1,"data":{"lmQuestionDict":{"frequency":3}}})") << 3;
    QTest::newRow("not JSON") << QByteArray("<html>") << 0;
    QTest::newRow("refused") << QByteArray(R"({"code":0,"msg":"x","data":{"lmQuestionDict":{"frequency":3}}})") << 0;
    QTest::newRow("frequency as text") << QByteArray(R"({"code":1,"data":{"lmQuestionDict":{"frequency":"3"}}})") << 0;
    QTest::newRow("no dictionary entry") << QByteArray(R"({"code":1,"data":{}})") << 0;
}

void tst_class_input::exportFrequency()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, frequency);
    server->scriptJson("/freq", reply);
    QCOMPARE(client->fetchExportFrequency(server->baseUrl() + "/freq", {{"label", "3"}, {"type", "CODE_EXPORTTYPE"}}),
             frequency);
    QCOMPARE(server->requests.first().query, QByteArray());
}

void tst_class_input::uploadImage_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("contentType");
    QTest::newRow("png") << "a.png" << QByteArray("image/png");
    QTest::newRow("upper-case PNG") << "b.PNG" << QByteArray("image/jpeg");
    QTest::newRow("jpg") << "c.jpg" << QByteArray("image/jpeg");
    QTest::newRow("Chinese name with a space") << "我的 图片.png" << QByteArray("image/png");
}

void tst_class_input::uploadImage()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, contentType);
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    const QByteArray picture = pngBytes(8, 8);
    f.write(picture);
    f.close();
    server->scriptJson("/up", R"({"code":1,"msg":"成功","data":{"filepath":"/upload/img/x.png"}})");
    QCOMPARE(client->uploadImage(server->baseUrl() + "/up", path), QStringLiteral("/upload/img/x.png"));
    const auto r = server->requests.last();
    QVERIFY(!r.headers.contains("token"));
    QVERIFY(r.headers.value("content-type").startsWith("multipart/form-data; boundary="));
    QVERIFY(r.body.contains("Content-Type: " + contentType + "\r\n"));
    QVERIFY(r.body.contains(QStringLiteral("Content-Disposition: form-data; name=\"file\"; filename=\"%1\"")
                                .arg(fileName).toUtf8()));
    QVERIFY(r.body.contains(picture));
    QVERIFY(QFile::exists(path)); // the teacher's picture stays
}

void tst_class_input::uploadFailures()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.png");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(pngBytes(4, 4));
    f.close();
    server->scriptJson("/up", R"({"code":0,"msg":"文件过大"})");
    QCOMPARE(client->uploadImage(server->baseUrl() + "/up", path), QString());
    server->scriptJson("/up", R"({"code":1})", 500);
    QCOMPARE(client->uploadImage(server->baseUrl() + "/up", path), QString());
    QCOMPARE(client->uploadImage(server->baseUrl() + "/up", dir.filePath("missing.png")), QString());
    QVERIFY(client->lastMessage.isNull()); // uploads leave messages to the caller
}

void tst_class_input::downloadPicture()
{
    server->script("/doc/img/a.png", {200, pngBytes(32, 20), {{"Content-Type", "image/png"}}, false, 0});
    const QPixmap p = client->downloadImage(server->baseUrl() + "/doc/img/a.png");
    QVERIFY(!p.isNull());
    QCOMPARE(p.size(), QSize(32, 20));
    QCOMPARE(server->requests.first().method, QByteArray("GET"));
    QVERIFY(!server->requests.first().headers.contains("token"));
    QVERIFY(client->lastMessage.isNull());
}

void tst_class_input::downloadFailures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // the part of the message to find; empty: no message
    QTest::newRow("404") << "/doc/missing.png" << QByteArray("no such file") << 404
                         << "请求失败. /nDownloadImg error code: 203. errorText:";
    QTest::newRow("an error page instead of a picture") << "/doc/page.png" << QByteArray("<html>登录</html>") << 200
                                                         << "";
    QTest::newRow("empty body") << "/doc/empty.png" << QByteArray() << 200 << "";
    QTest::newRow("truncated picture") << "/doc/cut.png" << pngBytes(40, 40).left(60) << 200 << "";
    QTest::newRow("nobody listening") << "" << QByteArray() << 0 << "HTTPscode:0";
}

void tst_class_input::downloadFailures()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(QString, message);
    QString address;
    if (status == 0) {
        address = server->baseUrl() + "/doc/a.png";
        server->close();
    } else {
        server->script(path.toUtf8(), {status, body, {{"Content-Type", "image/png"}}, false, 0});
        address = server->baseUrl() + path;
    }
    const QPixmap p = client->downloadImage(address);
    QVERIFY(p.isNull());
    if (message.isEmpty()) {
        QVERIFY(client->lastMessage.isNull());
    } else {
        QVERIFY(client->lastMessage);
        QVERIFY2(client->lastMessage->message().contains(message), qPrintable(client->lastMessage->message()));
        if (status == 404)
            QVERIFY(client->lastMessage->message().endsWith(QStringLiteral("HTTPscode:404")));
        QVERIFY(client->lastMessage->isVisible());
    }
}

void tst_class_input::pageOfPictures_data()
{
    QTest::addColumn<bool>("hang");
    QTest::addColumn<QString>("message");
    QTest::newRow("refused") << false << "10 张图片下载失败. 请求失败. /nDownloadImg error code: 203.";
    QTest::newRow("no answer in time") << true << "10 张图片下载失败：服务器没有在规定时间内应答，检查网络重新尝试。";
}

void tst_class_input::pageOfPictures()
{
    // A page of pictures the server holds back and then refuses (or never
    // answers): they are asked for side by side, and one message tells of
    // all the failures.
    QFETCH(bool, hang);
    QFETCH(QString, message);
    QStringList addresses;
    for (int i = 0; i < 10; ++i) {
        const QByteArray path = "/doc/p" + QByteArray::number(i) + ".png";
        server->script(path, {404, "no", {}, hang, 800});
        addresses << server->baseUrl() + path;
    }
    Http_access::timeoutMs = 1500;
    int askedAtOnce = 0;
    QTimer::singleShot(400, this, [&] { askedAtOnce = server->requests.size(); });
    const QList<QPixmap> pictures = client->downloadImages(addresses);
    Http_access::timeoutMs = 30000;
    QCOMPARE(pictures.size(), 10);
    QVERIFY(pictures.at(9).isNull());
    QVERIFY2(askedAtOnce > 1, qPrintable(QString::number(askedAtOnce)));
    QCOMPARE(WidgetDriver::shownMessages().size(), 1);
    QVERIFY2(client->lastMessage->message().startsWith(message), qPrintable(client->lastMessage->message()));
}

void tst_class_input::requestWhileAnotherWaits()
{
    server->script("/slow", {200, R"({"code":1,"data":{"list":[{"id":"c1","resDescribe":"慢"}]}})",
                             {{"Content-Type", "application/json"}}, false, 400});
    server->scriptJson("/fast", R"({"code":1,"data":{"page":{"total":2,"list":[{"id":"r1"},{"id":"r2"}]}}})");
    QList<LibraryItem> inner;
    QTimer::singleShot(50, this, [&] { client->fetchResources(server->baseUrl() + "/fast", {}, {}, inner); });
    QList<LibraryItem> outer;
    client->fetchCategories(server->baseUrl() + "/slow", {}, {}, outer);
    QCOMPARE(dump(outer), QStringLiteral("c1||慢|||0"));
    QVERIFY(WidgetDriver::waitFor([&] { return inner.size() == 2; }));
    QCOMPARE(inner.at(1).total, 2);
}

LUMEXA_TEST_MAIN(tst_class_input)
#include "tst_class_input.moc"
