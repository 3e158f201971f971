// The resource client against the real platform stand-in: library pages,
// pictures, the teacher's own pictures and the export allowance.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "CurrentUser.h"
#include "HttpClassInput.h"
#include "Http_access.h"
#include "PlatformFixture.h"
#include "messageForm.h"

#include <QTemporaryDir>

class tst_class_input_platform : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void libraryPagesAndPictures();
    void ownPicturesRoundTrip();
    void exportAllowance();

private:
    PlatformFixture platform;
};

void tst_class_input_platform::initTestCase()
{
    QVERIFY2(platform.start(), qPrintable(platform.error()));
    QVERIFY(Http_access::instance()->login("teacher01", "123456", "3"));
    QVERIFY(!CurrentUser::token.isEmpty());
}

void tst_class_input_platform::libraryPagesAndPictures()
{
    auto *client = HttpClassInput::instance();
    QList<LibraryItem> categories;
    client->fetchCategories(BaseAddress::api() + ApiPaths::resCategories, {}, {{"resSort", "2"}}, categories);
    QVERIFY(!categories.isEmpty());
    for (const LibraryItem &c : categories) {
        QVERIFY(!c.id.isEmpty());
        QVERIFY(!c.resDescribe.isEmpty());
    }
    QList<LibraryItem> page;
    client->fetchResources(BaseAddress::api() + ApiPaths::resList, {},
                           {{"id", categories.first().id}, {"pageNum", "1"}, {"pageSize", "10"}, {"resSort", "2"}}, page);
    QVERIFY(!page.isEmpty());
    QVERIFY(page.size() <= 10);
    for (const LibraryItem &r : page) {
        QVERIFY(!r.id.isEmpty());
        QVERIFY(!r.resFile.isEmpty());
        QCOMPARE(r.total, page.first().total);
    }
    QVERIFY(page.first().total >= page.size());

    const QPixmap picture = client->downloadImage(BaseAddress::doc() + page.first().resFile);
    QVERIFY(!picture.isNull());
    QVERIFY(client->lastMessage.isNull());

    const QPixmap missing = client->downloadImage(BaseAddress::doc() + "/no/such/picture.png");
    QVERIFY(missing.isNull());
    QVERIFY(client->lastMessage);
    QVERIFY(client->lastMessage->message().endsWith(QStringLiteral("HTTPscode:404")));
    delete client->lastMessage.data();

    QList<LibraryItem> none;
    client->fetchResources(BaseAddress::api() + ApiPaths::resList, {},
                           {{"id", categories.first().id}, {"pageNum", "1"}, {"pageSize", "10"}, {"resSort", "2"},
                            {"title", "没有这样的资源zzz"}}, none);
    QVERIFY(none.isEmpty());
}

void tst_class_input_platform::ownPicturesRoundTrip()
{
    auto *client = HttpClassInput::instance();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("我的图片.png"));
    QImage image(24, 16, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QVERIFY(image.save(path));

    const QString stored = client->uploadImage(BaseAddress::api() + ApiPaths::fileUpload, path);
    QVERIFY(!stored.isEmpty());
    QVERIFY(client->saveFileRecord(BaseAddress::api() + ApiPaths::fileSave, {},
                                   {{"fileName", stored}, {"fileLibType", "1"}, {"fileRealname", "我的图片.png"},
                                    {"fileSize", QString::number(QFileInfo(path).size())}, {"fileSuffix", "png"}}));
    QUrlQuery query;
    query.addQueryItem("pageNum", "1");
    query.addQueryItem("pageSize", "10");
    const QJsonObject body{{"creatorId", CurrentUser::id}, {"fileLibType", "1"}};
    QList<LibraryItem> own;
    client->fetchOwnFiles(BaseAddress::api() + ApiPaths::fileList, query, body, own);
    QString id;
    for (const LibraryItem &i : own)
        if (i.resFile == stored)
            id = i.id;
    QVERIFY2(!id.isEmpty(), "the uploaded picture is not listed");
    QVERIFY(own.first().total >= 1);
    QVERIFY(!client->downloadImage(BaseAddress::doc() + stored).isNull());

    QVERIFY(client->deleteById(BaseAddress::api() + ApiPaths::fileDelete, {}, {{"id", id}}));
    own.clear();
    client->fetchOwnFiles(BaseAddress::api() + ApiPaths::fileList, query, body, own);
    for (const LibraryItem &i : own)
        QVERIFY(i.id != id);
}

void tst_class_input_platform::exportAllowance()
{
    dailyExportLimit = HttpClassInput::instance()->fetchExportFrequency(
        BaseAddress::api() + ApiPaths::exportFrequency, {{"label", "3"}, {"type", "CODE_EXPORTTYPE"}});
    QCOMPARE(dailyExportLimit, 3);
}

LUMEXA_TEST_MAIN(tst_class_input_platform)
#include "tst_class_input_platform.moc"
