// Help articles of the platform stand-in.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"

#include <QJsonArray>

class tst_platform_help : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void titleSearch_data();
    void titleSearch();
    void refused_data();
    void refused();

private:
    QJsonArray articles(const QJsonObject &body);
    PlatformFixture m_platform;
    std::unique_ptr<PlatformHttp> m_http;
};

void tst_platform_help::initTestCase()
{
    QVERIFY2(m_platform.start({"--no-office"}), qPrintable(m_platform.error()));
    m_http = std::make_unique<PlatformHttp>(m_platform.baseUrl());
    QVERIFY(!m_http->login().isEmpty());
}

QJsonArray tst_platform_help::articles(const QJsonObject &body)
{
    const HttpReply r = m_http->post("/v2.0/client/ClientBasHelp/getList", body);
    return r.code() == 1 ? r.data().value("list").toArray() : QJsonArray();
}

void tst_platform_help::titleSearch_data()
{
    QTest::addColumn<QString>("resType");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("count");
    QTest::newRow("micro: 微课") << "3" << QStringLiteral("微课") << 3;
    QTest::newRow("empty search lists all") << "1" << QString("") << 5;
    QTest::newRow("no match") << "1" << QStringLiteral("不存在") << 0;
    QTest::newRow("wildcard is text") << "1" << QStringLiteral("_") << 0;
}

void tst_platform_help::titleSearch()
{
    QFETCH(QString, resType);
    QFETCH(QString, title);
    QFETCH(int, count);
    const QJsonArray list = articles({{"resType", resType}, {"title", title}, {"type", "1"}});
    QCOMPARE(list.size(), count);
    for (const QJsonValue &v : list)
        QVERIFY(v.toObject().value("title").toString().contains(title));
}

void tst_platform_help::refused_data()
{
    QTest::addColumn<QJsonObject>("body");
    QTest::newRow("no type") << QJsonObject{{"type", "1"}};
    QTest::newRow("unknown type") << QJsonObject{{"resType", "7"}};
    QTest::newRow("title as array") << QJsonObject{{"resType", "1"}, {"title", QJsonArray{1}}};
}

void tst_platform_help::refused()
{
    QFETCH(QJsonObject, body);
    const HttpReply r = m_http->post("/v2.0/client/ClientBasHelp/getList", body);
    QVERIFY(r.isEnvelope());
    QVERIFY(r.code() != 1);
}

LUMEXA_TEST_MAIN(tst_platform_help)
#include "tst_platform_help.moc"
