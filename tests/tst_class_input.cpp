// The resource client against a scripted HTTP responder: how each reply
// shape decodes, picture download. Its upload is in
// tst_http_access::uploadMultipart.
#include "LumexaTest.h"

#include "CurrentUser.h"
#include "HttpClassInput.h"
#include "Http_access.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"
#include "messageForm.h"

#include <QBuffer>
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
    void listDecoding_data();
    void listDecoding();
    void downloadFailures_data();
    void downloadFailures();
    void pageOfPictures_data();
    void pageOfPictures();

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

void tst_class_input::listDecoding_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("decoded"); // the records, or the export allowance

    QTest::newRow("own files") << "own"
        << QByteArray(R"({"code":1,"msg":"成功","data":{"list":{"total":23,"list":[{"id":"p1","fileName":"/img/a.png"},{"id":5,"fileName":7}]}}})")
        << 200 << "p1|/img/a.png||||23;|||||23";
    QTest::newRow("categories") << "categories"
        << QByteArray(R"({"code":1,"data":{"list":[{"id":"c1","resDescribe":"动物"},{"id":2,"resDescribe":"植物"}]}})")
        << 200 << "c1||动物|||0;||植物|||0";
    QTest::newRow("resources") << "resources"
        << QByteArray(R"({"code":1,"data":{"page":{"total":31,"list":[
            {"id":"t1","resFile":"/tpl/a.pptx","resDescribe":"春天","title":"春天模板","pptFiles":["/p/1.png","/p/2.png"]},
            {"id":"t2","resFile":"/tpl/b.pptx","resDescribe":5,"title":null}]}}})")
        << 200 << "t1|/tpl/a.pptx|春天|春天模板|/p/1.png+/p/2.png|31;t2|/tpl/b.pptx||||31";
    QTest::newRow("resources, no page") << "resources"
        << QByteArray(R"({"code":1,"data":{"list":[{"id":"x"}]}})") << 200 << "";
    QTest::newRow("server error") << "resources"
        << QByteArray(R"({"code":1,"data":{"page":{"total":1,"list":[{"id":"x"}]}}})") << 500 << "";
    QTest::newRow("own list of wrong type") << "own"
        << QByteArray(R"({"code":1,"data":{"list":[{"id":"p1"}]}})") << 200 << "";
    QTest::newRow("allowance") << "frequency"
        << QByteArray(R"({"code":1,"data":{"lmQuestionDict":{"frequency":3}}})") << 200 << "3";
}

void tst_class_input::listDecoding()
{
    QFETCH(QString, operation);
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(QString, decoded);
    server->scriptJson("/list", reply, status);
    const QString address = server->baseUrl() + "/list";
    if (operation == "frequency") {
        QCOMPARE(QString::number(client->fetchExportFrequency(address, {})), decoded);
        return;
    }
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
    QCOMPARE(dump(items.mid(1)), decoded);
}

void tst_class_input::downloadFailures_data()
{
    // A body that is no picture gives a null picture and no message; failed
    // requests are in pageOfPictures.
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("an error page instead of a picture") << QByteArray("<html>登录</html>");
    QTest::newRow("truncated picture") << pngBytes(40, 40).left(60);
}

void tst_class_input::downloadFailures()
{
    QFETCH(QByteArray, body);
    server->script("/doc/a.png", {200, body, {{"Content-Type", "image/png"}}, false, 0});
    QVERIFY(client->downloadImage(server->baseUrl() + "/doc/a.png").isNull());
    QVERIFY(client->lastMessage.isNull());
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

LUMEXA_TEST_MAIN(tst_class_input)
#include "tst_class_input.moc"
