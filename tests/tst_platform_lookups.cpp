// Catalogue and knowledge-point trees of the platform stand-in, and refused
// lookups. The dictionaries and volumes are read by the client's filter bar.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"

#include <QJsonArray>

class tst_platform_lookups : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogueTree();
    void knowledgeTree();
    void refused_data();
    void refused();

private:
    PlatformFixture m_platform;
    std::unique_ptr<PlatformHttp> m_http;
};

void tst_platform_lookups::initTestCase()
{
    QVERIFY2(m_platform.start({"--no-office"}), qPrintable(m_platform.error()));
    m_http = std::make_unique<PlatformHttp>(m_platform.baseUrl());
    QVERIFY(!m_http->login().isEmpty());
}

void tst_platform_lookups::catalogueTree()
{
    const QString book = m_http->post("/v2.0/admin/refenencebook/findRefenencebookList",
                                      {{"subject", "2"}, {"version", "1"}, {"grades", "1"}})
                             .data().value("list").toArray().first().toObject().value("id").toString();
    const HttpReply r = m_http->post("/v2.0/admin/refenencebookTree/saveViwe", {{"twoVolumesId", book}});
    QCOMPARE(r.code(), 1);
    const QJsonArray nodes = r.data().value("list").toArray();
    QVERIFY(nodes.size() > 10);
    // The first node is the textbook itself.
    const QJsonObject root = nodes.first().toObject();
    QCOMPARE(root.value("id").toString(), book);
    QCOMPARE(root.value("name").toString(), QStringLiteral("人教版数学一年级上册"));
    QHash<QString, int> depth{{book, 1}};
    QHash<int, int> perLevel;
    for (int i = 1; i < nodes.size(); ++i) {
        const QJsonObject n = nodes.at(i).toObject();
        for (const char *key : {"id", "name", "parentId"})
            QVERIFY2(n.value(key).isString(), key);
        QVERIFY2(depth.contains(n.value("parentId").toString()), "a parent comes before its children");
        const int d = depth.value(n.value("parentId").toString()) + 1;
        depth.insert(n.value("id").toString(), d);
        perLevel[d]++;
    }
    QVERIFY(perLevel.value(2) >= 5);
    QVERIFY(perLevel.value(3) > perLevel.value(2));
    QVERIFY(perLevel.value(4) > 0); // deeper than the picker shows
    QVERIFY(depth.size() == nodes.size());
}

void tst_platform_lookups::knowledgeTree()
{
    const HttpReply r = m_http->post("/v2.0/admin/testTree/list", {{"refenencebookId", "5014031"}});
    QCOMPARE(r.code(), 1);
    const QJsonArray nodes = r.data().value("list").toArray();
    QSet<QString> units;
    int points = 0;
    for (const QJsonValue &v : nodes) {
        const QJsonObject n = v.toObject();
        if (n.value("parentId").toString() == "0") {
            units.insert(n.value("id").toString());
        } else {
            QVERIFY(units.contains(n.value("parentId").toString()));
            ++points;
        }
    }
    QCOMPARE(units.size(), 8);
    QVERIFY(points > units.size());
    QCOMPARE(nodes.first().toObject().value("name").toString(), QStringLiteral("学校生活"));
}

void tst_platform_lookups::refused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QJsonObject>("body");
    QTest::newRow("dictionary without type") << "/v2.0/admin/dict/list" << QJsonObject();
    QTest::newRow("catalogue without id") << "/v2.0/admin/refenencebookTree/saveViwe" << QJsonObject();
    QTest::newRow("knowledge of unknown book") << "/v2.0/admin/testTree/list" << QJsonObject{{"refenencebookId", "abc"}};
}

void tst_platform_lookups::refused()
{
    QFETCH(QString, path);
    QFETCH(QJsonObject, body);
    const HttpReply r = m_http->post(path, body);
    QVERIFY(r.isEnvelope());
    QVERIFY(r.code() != 1);
    QVERIFY(!r.msg().isEmpty());
}

LUMEXA_TEST_MAIN(tst_platform_lookups)
#include "tst_platform_lookups.moc"
