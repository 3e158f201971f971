// Resource libraries and the teachers' own pictures on the platform stand-in.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"

#include <QJsonArray>

class tst_platform_libraries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pagesOfEveryLibrary_data();
    void pagesOfEveryLibrary();
    void categoryAndTitleSearch();
    void templatesHaveSlidePictures();
    void refused_data();
    void refused();

private:
    QJsonObject findList(int sort, const QString &category, int page, const QString &title = QString());
    PlatformFixture m_platform;
    std::unique_ptr<PlatformHttp> m_http;
};

void tst_platform_libraries::initTestCase()
{
    QVERIFY2(m_platform.start({"--no-office"}), qPrintable(m_platform.error()));
    m_http = std::make_unique<PlatformHttp>(m_platform.baseUrl());
    QVERIFY(!m_http->login().isEmpty());
}

QJsonObject tst_platform_libraries::findList(int sort, const QString &category, int page, const QString &title)
{
    QJsonObject body{{"id", category}, {"pageNum", QString::number(page)}, {"pageSize", "10"}, {"resSort", QString::number(sort)}};
    if (!title.isNull())
        body.insert("title", title);
    const HttpReply r = m_http->post("/v2.0/client/LmResManagement/findList", body);
    return r.code() == 1 ? r.data().value("page").toObject() : QJsonObject();
}

void tst_platform_libraries::pagesOfEveryLibrary_data()
{
    QTest::addColumn<int>("sort");
    QTest::addColumn<QString>("storage");
    QTest::newRow("images") << 1 << "/doc";
    QTest::newRow("vector pictures") << 2 << "/doc";
    QTest::newRow("shapes") << 3 << "/doc";
    QTest::newRow("videos") << 4 << "/video";
    QTest::newRow("templates") << 6 << "/doc";
}

void tst_platform_libraries::pagesOfEveryLibrary()
{
    QFETCH(int, sort);
    QFETCH(QString, storage);
    const QJsonObject first = findList(sort, "0", 1);
    const int total = first.value("total").toInt();
    QVERIFY(total > 0);
    int seen = 0;
    for (int page = 1; page <= (total + 9) / 10; ++page) {
        const QJsonObject p = findList(sort, "0", page);
        QCOMPARE(p.value("total").toInt(), total);
        const QJsonArray list = p.value("list").toArray();
        QVERIFY(list.size() <= 10);
        seen += list.size();
        for (const QJsonValue &v : list) {
            const QJsonObject o = v.toObject();
            for (const char *key : {"id", "resFile", "resDescribe", "title"})
                QVERIFY2(o.value(key).isString(), key);
            QVERIFY(o.value("pptFiles").isArray());
        }
        // Each file is really there.
        const QString file = list.first().toObject().value("resFile").toString();
        QVERIFY(file.startsWith('/'));
        const HttpReply got = m_http->get(storage + file);
        QCOMPARE(got.status, 200);
        if (sort != 4 && sort != 6)
            QVERIFY(!QImage::fromData(got.body).isNull());
    }
    QCOMPARE(seen, total);
    // Page "0" (the search) is the first page.
    QCOMPARE(findList(sort, "0", 0).value("list").toArray(), first.value("list").toArray());
}

void tst_platform_libraries::categoryAndTitleSearch()
{
    const QJsonObject all = findList(1, "0", 1);
    const QJsonObject animals = findList(1, "1102", 1);
    QCOMPARE(animals.value("total").toInt(), 6);
    QVERIFY(all.value("total").toInt() > animals.value("total").toInt());
    const QJsonObject search = findList(1, "0", 0, QStringLiteral("春"));
    QVERIFY(search.value("total").toInt() >= 2);
    for (const QJsonValue &v : search.value("list").toArray())
        QVERIFY(v.toObject().value("title").toString().contains(QStringLiteral("春")));
    QCOMPARE(findList(1, "0", 1, QStringLiteral("%")).value("total").toInt(), 0);
    QCOMPARE(findList(1, "0", 1, QString("")).value("total").toInt(), all.value("total").toInt());
}

void tst_platform_libraries::templatesHaveSlidePictures()
{
    const QJsonArray list = findList(6, "1602", 1).value("list").toArray();
    QCOMPARE(list.size(), 3);
    for (const QJsonValue &v : list) {
        const QJsonArray pictures = v.toObject().value("pptFiles").toArray();
        QCOMPARE(pictures.size(), 4);
        for (const QJsonValue &p : pictures) {
            QVERIFY(p.toString().startsWith(m_platform.baseUrl() + "/doc/"));
            const QImage slide = QImage::fromData(m_http->get(QUrl(p.toString()).path()).body);
            QCOMPARE(slide.size(), QSize(960, 540));
        }
        const HttpReply deck = m_http->get("/doc" + v.toObject().value("resFile").toString());
        QCOMPARE(deck.status, 200);
        QVERIFY(deck.body.startsWith("PK\x03\x04"));
    }
}

void tst_platform_libraries::refused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QJsonObject>("body");
    QTest::newRow("categories without sort") << "/v2.0/client/LmResManagement/getList" << QJsonObject();
    QTest::newRow("unknown sort") << "/v2.0/client/LmResManagement/getList" << QJsonObject{{"resSort", "5"}};
    QTest::newRow("sort not a number") << "/v2.0/client/LmResManagement/findList" << QJsonObject{{"resSort", "abc"}};
    QTest::newRow("category of another library") << "/v2.0/client/LmResManagement/findList" << QJsonObject{{"resSort", "1"}, {"id", "1601"}};
    QTest::newRow("negative page") << "/v2.0/client/LmResManagement/findList" << QJsonObject{{"resSort", "1"}, {"pageNum", "-2"}};
    QTest::newRow("save without file") << "/v2.0/file/FileController/save" << QJsonObject{{"fileLibType", 2}};
    QTest::newRow("save a file never uploaded") << "/v2.0/file/FileController/save" << QJsonObject{{"fileName", "/upload/x.png"}};
    QTest::newRow("save another teacher's picture") << "/v2.0/file/FileController/save" << QJsonObject{{"fileName", "/pictures/10002/own-1.jpg"}};
    QTest::newRow("save a deck as picture") << "/v2.0/file/FileController/save" << QJsonObject{{"fileName", "/courseware/cw-1.pptx"}};
    QTest::newRow("delete unknown picture") << "/v2.0/file/FileController/deleteFileById" << QJsonObject{{"id", "99999"}};
    QTest::newRow("delete another teacher's picture") << "/v2.0/file/FileController/deleteFileById" << QJsonObject{{"id", "4"}};
    QTest::newRow("list of another teacher") << "/v2.0/file/FileController/list" << QJsonObject{{"creatorId", "10002"}, {"fileLibType", 2}};
}

void tst_platform_libraries::refused()
{
    QFETCH(QString, path);
    QFETCH(QJsonObject, body);
    const HttpReply r = m_http->post(path, body);
    QVERIFY(r.isEnvelope());
    QVERIFY(r.code() != 1);
}

LUMEXA_TEST_MAIN(tst_platform_libraries)
#include "tst_platform_libraries.moc"
