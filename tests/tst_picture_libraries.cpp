// The vector, shape and image libraries against a scripted server.
#include "LumexaTest.h"

#include "CurrentUser.h"
#include "FormBankSLK.h"
#include "ListFixtures.h"
#include "PageWidget.h"
#include "QLabelImags.h"
#include "QLabelImagsUp.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankPBLiu.h"
#include "bankVLTpk.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

namespace {
const QByteArray Categories = "/v2.0/client/LmResManagement/getList";
const QByteArray Resources = "/v2.0/client/LmResManagement/findList";
const QByteArray Upload = "/v2.0/file/FileController/uploadFile";
const QByteArray Save = "/v2.0/file/FileController/save";

// Pictures are named by their size, "/w200h100.png"; others do not exist.
QByteArray pageJson(int total, const QStringList &files)
{
    QJsonArray list;
    for (int i = 0; i < files.size(); ++i)
        list.append(QJsonObject{{"id", QString("r%1").arg(i)}, {"resFile", files.at(i)}, {"resDescribe", files.at(i)}});
    return ListFixtures::envelope({{"page", QJsonObject{{"total", total}, {"list", list}}}});
}
}

class tst_picture_libraries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void tilesOfAPage_data();
    void tilesOfAPage();
    void overlappingLoads();
    void waterfallClears();
    void uploadMessages_data();
    void uploadMessages();

private:
    QJsonObject lastBody(const QByteArray &path) const;

    ScriptedResponder *server = nullptr;
};

void tst_picture_libraries::initTestCase()
{
    contentRect = QRect(0, 50, 1200, 700);
    CurrentUser::id = QStringLiteral("10001");
    CurrentUser::token = QStringLiteral("tok");
}

void tst_picture_libraries::init()
{
    server = new ScriptedResponder(this);
    qputenv("LUMEXA_API_BASE", server->baseUrl().toUtf8());
    qputenv("LUMEXA_DOC_BASE", (server->baseUrl() + "/doc").toUtf8());
    for (const QSize &s : {QSize(200, 100), QSize(100, 100), QSize(90, 120), QSize(300, 200)})
        server->script(QString("/doc/w%1h%2.png").arg(s.width()).arg(s.height()).toUtf8(),
                       {200, ListFixtures::png(s.width(), s.height()), {{"Content-Type", "image/png"}}, false, 0});
    server->script("/doc/text.png", {200, "not a picture", {}, false, 0});
    // A library loads pages only once it has its categories.
    server->scriptJson(Categories, ListFixtures::envelope({{"list", QJsonArray{QJsonObject{{"id", "c1"}, {"resDescribe", "箭头"}}}}}));
}

void tst_picture_libraries::cleanup()
{
    WidgetDriver::closeMessages();
    delete server;
}

QJsonObject tst_picture_libraries::lastBody(const QByteArray &path) const
{
    for (int i = server->requests.size() - 1; i >= 0; --i)
        if (server->requests.at(i).path == path)
            return QJsonDocument::fromJson(server->requests.at(i).body).object();
    return {};
}

void tst_picture_libraries::tilesOfAPage_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<int>>("tileWidths");
    QTest::addColumn<int>("pages");

    // A picture that fails, not found or not a picture, leaves a tile of width 0.
    QTest::newRow("failed download, not a picture")
        << 6 << QStringList{"/w200h100.png", "/missing.png", "/w100h100.png", "/text.png", "/w90h120.png", "/w300h200.png"}
        << QList<int>{240, 0, 120, 0, 90, 180, 0, 0, 0, 0} << 1;
    const QStringList ten = QVector<QString>(10, "/w100h100.png").toList();
    const QList<int> full = QVector<int>(10, 120).toList();
    QTest::newRow("total 31") << 31 << ten << full << 4;
}

void tst_picture_libraries::tilesOfAPage()
{
    QFETCH(int, total);
    QFETCH(QStringList, files);
    QFETCH(QList<int>, tileWidths);
    QFETCH(int, pages);

    server->scriptJson(Resources, pageJson(total, files));
    FormBankSLK library;
    library.resize(300, 700);
    library.show();
    library.initialise();
    library.loadPage("1", "10", "0");
    QCOMPARE(lastBody(Resources), (QJsonObject{{"id", "0"}, {"pageNum", "1"}, {"pageSize", "10"}, {"resSort", "2"}}));
    const QList<QLabelImags *> tiles = library.tiles();
    QCOMPARE(tiles.size(), 10);
    for (int i = 0; i < tiles.size(); ++i) {
        QCOMPARE(tiles.at(i)->width(), tileWidths.at(i));
        QCOMPARE(tiles.at(i)->height(), 120);
        QCOMPARE(tiles.at(i)->id(), i < files.size() ? QString("r%1").arg(i) : QString());
        QCOMPARE(tiles.at(i)->pixmap() && !tiles.at(i)->pixmap()->isNull(), tileWidths.at(i) > 0);
    }
    QCOMPARE(library.pageBar()->maxPage(), pages);
}

void tst_picture_libraries::overlappingLoads()
{
    // A page asked for while another one still downloads its pictures
    // replaces it; the first one stops adding tiles.
    server->script("/doc/slow.png", {200, ListFixtures::png(100, 50), {{"Content-Type", "image/png"}}, false, 300});
    server->scriptJson(Resources, pageJson(12, {"/slow.png", "/w100h100.png"}));
    bankVLTpk library;
    bool second = false;
    QTimer::singleShot(100, &library, [&] {
        library.loadPublicPage("2", "10", "0");
        second = true;
    });
    library.loadPublicPage("1", "10", "0");
    QVERIFY(second);
    QCOMPARE(library.publicContainer()->tiles().size(), 10);
    QCOMPARE(lastBody(Resources).value("pageNum").toString(), QStringLiteral("2"));
    QCOMPARE(library.records().size(), 2);
}

void tst_picture_libraries::waterfallClears()
{
    bankPBLiu waterfall;
    QList<QPointer<QLabel>> tiles;
    for (int h : {70, 50, 30, 20}) {
        auto *t = new QLabel;
        t->setFixedSize(135, h);
        waterfall.addTile(t);
        tiles << t;
    }
    QCOMPARE(waterfall.leftHeight(), 70 + 20);
    QCOMPARE(waterfall.rightHeight(), 50 + 30);

    waterfall.clearAllButFirst();
    QCOMPARE(waterfall.leftHeight(), 70);
    QCOMPARE(waterfall.rightHeight(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!tiles.at(1) && !tiles.at(2) && !tiles.at(3));
    QCOMPARE(waterfall.tiles(), QList<QWidget *>{tiles.at(0).data()});

    waterfall.clearAll();
    QCOMPARE(waterfall.leftHeight(), 0);
    QCOMPARE(waterfall.rightHeight(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!tiles.at(0));
    QVERIFY(waterfall.tiles().isEmpty());
}

void tst_picture_libraries::uploadMessages_data()
{
    QTest::addColumn<QByteArray>("uploadReply");
    QTest::addColumn<QByteArray>("saveReply");
    QTest::addColumn<QString>("stored"); // the file the record names; none when not saved
    QTest::addColumn<QString>("message");
    // A successful upload is driven against the platform in tst_image_library_platform.
    QTest::newRow("upload refused") << QByteArray(R"({"code":0,"msg":"失败"})") << QByteArray(R"({"code":1})") << ""
                                    << QStringLiteral("图片上传失败，请检查网络重新尝试。");
    QTest::newRow("save refused") << QByteArray(R"({"code":1,"data":{"filepath":"/pictures/10001/a.png"}})")
                                  << QByteArray(R"({"code":0,"msg":"图片文件不存在，请先上传"})") << "/pictures/10001/a.png"
                                  << QStringLiteral("图片保存失败，请检查网络重新尝试。");
}

void tst_picture_libraries::uploadMessages()
{
    QFETCH(QByteArray, uploadReply);
    QFETCH(QByteArray, saveReply);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    server->scriptJson(Upload, uploadReply);
    server->scriptJson(Save, saveReply);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("上传.png"));
    QVERIFY(TestEnvironment::writeFile(path, ListFixtures::png(30, 20)));

    QLabelImagsUp tile;
    QSignalSpy uploaded(&tile, &QLabelImagsUp::shootUpload);
    QVERIFY(!tile.uploadFile(path));
    QCOMPARE(lastBody(Save).value("fileName").toString(), stored);
    QCOMPARE(WidgetDriver::shownMessages(), QStringList{message});
    QCOMPARE(uploaded.size(), 0);
}

LUMEXA_TEST_MAIN(tst_picture_libraries)
#include "tst_picture_libraries.moc"
