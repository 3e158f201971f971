// The stand-in's resource libraries, searches and catalogue and
// knowledge-point trees; refused requests are tst_platform_robustness'.
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
    void trees_data();
    void trees();

private:
    QJsonObject findList(int sort, const QString &category, int page, const QString &title = QString());
    PlatformFixture m_platform;
    std::unique_ptr<PlatformHttp> m_http;
};

void tst_platform_libraries::initTestCase()
{
    m_http = startLoggedIn(m_platform);
    QVERIFY2(m_http, qPrintable(m_platform.error()));
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
    const HttpReply help = m_http->post("/v2.0/client/ClientBasHelp/getList", {{"resType", "1"}, {"title", "_"}, {"type", "1"}});
    QCOMPARE(help.code(), 1);
    QVERIFY(help.data().value("list").toArray().isEmpty());
}

void tst_platform_libraries::trees_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("bookKey");
    QTest::addColumn<int>("levels");
    QTest::addColumn<bool>("bookFirst"); // the first node is the textbook itself
    // The textbook, its units, lessons and a lesson's periods: deeper than the picker shows.
    QTest::newRow("catalogue") << "/v2.0/admin/refenencebookTree/saveViwe" << "twoVolumesId" << 4 << true;
    // Knowledge points hang under units.
    QTest::newRow("knowledge points") << "/v2.0/admin/testTree/list" << "refenencebookId" << 2 << false;
}

void tst_platform_libraries::trees()
{
    QFETCH(QString, path);
    QFETCH(QString, bookKey);
    QFETCH(int, levels);
    QFETCH(bool, bookFirst);
    const QString book = m_http->post("/v2.0/admin/refenencebook/findRefenencebookList",
                                      {{"subject", "2"}, {"version", "1"}, {"grades", "1"}})
                             .data().value("list").toArray().first().toObject().value("id").toString();
    const HttpReply r = m_http->post(path, {{bookKey, book}});
    QCOMPARE(r.code(), 1);
    const QJsonArray nodes = r.data().value("list").toArray();
    QVERIFY(nodes.size() > 10);
    QHash<QString, int> depth{{"0", 0}};
    for (const QJsonValue &v : nodes) {
        const QJsonObject n = v.toObject();
        for (const char *key : {"id", "name", "parentId"})
            QVERIFY2(n.value(key).isString(), key);
        QVERIFY2(depth.contains(n.value("parentId").toString()), "a parent comes before its children");
        depth.insert(n.value("id").toString(), depth.value(n.value("parentId").toString()) + 1);
    }
    QCOMPARE(depth.size(), nodes.size() + 1); // no id twice
    QCOMPARE(*std::max_element(depth.begin(), depth.end()), levels);
    QCOMPARE(nodes.first().toObject().value("id").toString() == book, bookFirst);
}

LUMEXA_TEST_MAIN(tst_platform_libraries)
#include "tst_platform_libraries.moc"
