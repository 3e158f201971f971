// Courseware and micro-lecture records of the platform stand-in: the purchased
// list, delete rules, state kept over a restart, and the daily export allowance.
// Paging, filters and saving are walked by the client's lists and the roads,
// refused saves and shares by tst_platform_robustness.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"

#include <atomic>

namespace {
QStringList column(const HttpReply &r, const char *key = "id")
{
    QStringList out;
    for (const QJsonValue &v : r.data().value("list").toArray())
        out.append(v.toObject().value(key).toVariant().toString());
    return out;
}

QJsonObject exportOf(const QJsonValue &count)
{
    return {{"frequency", count}, {"resName", "/courseware/cw-1.pptx"}, {"resUrl", "/home/teacher"}, {"type", "3"}};
}
}

class tst_platform_records : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void purchasedListHoldsDecksAndVideos_data();
    void purchasedListHoldsDecksAndVideos();
    void deleteRules_data();
    void deleteRules();
    void restartKeepsStateAndResetSeedsAgain();
    void allowance_data();
    void allowance();
    void perTeacher();
    void parallelExportsStayWithinTheAllowance();

private:
    void restart(const QStringList &args);
    PlatformFixture m_platform;
    std::unique_ptr<PlatformHttp> m_http;
};

void tst_platform_records::initTestCase()
{
    m_http = startLoggedIn(m_platform);
    QVERIFY2(m_http, qPrintable(m_platform.error()));
}

void tst_platform_records::purchasedListHoldsDecksAndVideos_data()
{
    // The lists ask for their own kind; without the key both kinds come.
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("wantDecks");
    QTest::addColumn<bool>("wantVideos");
    QTest::newRow("both kinds") << "" << true << true;
    QTest::newRow("decks") << "?resKind=courseware" << true << false;
    QTest::newRow("videos") << "?resKind=microlecture" << false << true;
}

void tst_platform_records::purchasedListHoldsDecksAndVideos()
{
    QFETCH(QString, query);
    QFETCH(bool, wantDecks);
    QFETCH(bool, wantVideos);
    const HttpReply r = m_http->list("/v2.0/client/SmallClass/purchaseList" + query);
    QCOMPARE(r.code(), 1);
    QCOMPARE(r.data().value("total").toInt(), r.data().value("list").toArray().size());
    int decks = 0, videos = 0;
    for (const QJsonValue &v : r.data().value("list").toArray()) {
        const QJsonObject o = v.toObject();
        QCOMPARE(o.value("authorName").toString(), QStringLiteral("李建国"));
        const QString src = o.value("fileSrc").toString();
        if (src.endsWith(".pptx")) {
            ++decks;
            QVERIFY(!o.value("pptFiles").toArray().isEmpty());
            QCOMPARE(m_http->get("/doc" + src).status, 200);
            QCOMPARE(m_http->get(QUrl(o.value("pptFiles").toArray().first().toString()).path()).status, 200);
        } else {
            ++videos;
            QVERIFY(src.endsWith(".mp4"));
            QCOMPARE(m_http->get("/video" + src).status, 200);
        }
    }
    QCOMPARE(decks > 0, wantDecks);
    QCOMPARE(videos > 0, wantVideos);
}

void tst_platform_records::deleteRules_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("own deck") << "FileClass" << "1003" << true;
    QTest::newRow("deck in use (delFlag 1)") << "FileClass" << "1001" << false;
    QTest::newRow("deck bought by another teacher") << "FileClass" << "1005" << false;
    QTest::newRow("another teacher's deck") << "FileClass" << "1016" << false;
    QTest::newRow("own micro-lecture") << "SmallClass" << "1022" << true;
}

void tst_platform_records::deleteRules()
{
    QFETCH(QString, kind);
    QFETCH(QString, id);
    QFETCH(bool, allowed);
    const QString list = "/v2.0/client/" + kind + "/list";
    const HttpReply listed = m_http->list(list);
    const QStringList before = column(listed);
    // Records that may not be deleted say so, so the tile hides its button.
    if (!allowed && before.contains(id))
        QCOMPARE(column(listed, "delFlag").at(before.indexOf(id)), QStringLiteral("1"));
    QCOMPARE(m_http->post("/v2.0/client/" + kind + "/delete", {{"id", id}}).code() == 1, allowed);
    const QStringList after = column(m_http->list(list));
    QCOMPARE(after.contains(id), before.contains(id) && !allowed);
    QCOMPARE(after.size(), before.size() - (allowed ? 1 : 0));
}

void tst_platform_records::restart(const QStringList &args)
{
    m_platform.stop();
    m_http = startLoggedIn(m_platform, args);
    QVERIFY2(m_http, qPrintable(m_platform.error()));
}

void tst_platform_records::restartKeepsStateAndResetSeedsAgain()
{
    const int seeded = 14;
    QCOMPARE(m_http->post("/v2.0/client/FileClass/save", {{"name", "x"}, {"fileSrc", "/courseware/cw-1.pptx"}}).code(), 1);
    const QStringList before = column(m_http->list(), "name");
    QVERIFY(before.contains("x"));
    restart({"--no-office"});
    QCOMPARE(column(m_http->list(), "name"), before);
    QFile stranger(m_platform.dataDir() + "/notes.txt");
    QVERIFY(stranger.open(QIODevice::WriteOnly));
    stranger.write("kept");
    stranger.close();
    restart({"--no-office", "--reset"});
    QCOMPARE(m_http->list().data().value("total").toInt(), seeded);
    // Only the server's own files go.
    QVERIFY(QFile::exists(m_platform.dataDir() + "/notes.txt"));
}

void tst_platform_records::allowance_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QList<QJsonValue>>("batches");
    QTest::addColumn<QList<bool>>("accepted");
    using B = QList<QJsonValue>;
    QTest::newRow("default 3, one by one") << QStringList() << 3 << B{1, 1, 1, 1} << QList<bool>{true, true, true, false};
    QTest::newRow("default 3, two then two") << QStringList() << 3 << B{2, 2, 1, 1} << QList<bool>{true, false, true, false};
    QTest::newRow("default 3, four at once") << QStringList() << 3 << B{4, 3} << QList<bool>{false, true};
    QTest::newRow("limit 5") << QStringList{"--export-limit", "5"} << 5 << B{3, 2, 1} << QList<bool>{true, true, false};
    // Refused counts (none, zero, negative, text, object) use up nothing.
    QTest::newRow("refused counts") << QStringList() << 3 << B{QJsonValue(QJsonValue::Undefined), 0, -2, "two", QJsonObject(), 3}
                                    << QList<bool>{false, false, false, false, false, true};
}

void tst_platform_records::allowance()
{
    QFETCH(QStringList, args);
    QFETCH(int, limit);
    QFETCH(QList<QJsonValue>, batches);
    QFETCH(QList<bool>, accepted);
    PlatformFixture platform;
    const auto started = startLoggedIn(platform, args + QStringList{"--no-office"});
    QVERIFY2(started, qPrintable(platform.error()));
    PlatformHttp &http = *started;
    const HttpReply frequency = http.post("/v2.0/client/LmResExport/getFrequency", {{"label", "3"}, {"type", "CODE_EXPORTTYPE"}});
    QCOMPARE(frequency.code(), 1);
    const QJsonValue value = frequency.data().value("lmQuestionDict").toObject().value("frequency");
    QVERIFY(value.isDouble());
    QCOMPARE(value.toInt(), limit);
    for (int i = 0; i < batches.size(); ++i) {
        const HttpReply r = http.post("/v2.0/client/LmResExport/save", exportOf(batches.at(i)));
        QVERIFY(r.isEnvelope());
        QVERIFY2((r.code() == 1) == accepted.at(i), qPrintable(QString::number(i)));
        if (!accepted.at(i))
            QVERIFY(r.msg() != QStringLiteral("成功"));
    }
}

void tst_platform_records::perTeacher()
{
    PlatformHttp &one = *m_http;
    PlatformHttp two(m_platform.baseUrl());
    QVERIFY(!two.login("teacher02").isEmpty());
    QCOMPARE(one.post("/v2.0/client/LmResExport/save", exportOf(3)).code(), 1);
    QVERIFY(one.post("/v2.0/client/LmResExport/save", exportOf(1)).code() != 1);
    QCOMPARE(two.post("/v2.0/client/LmResExport/save", exportOf(3)).code(), 1);
    // A new login does not reset the day's count.
    QVERIFY(!one.login("teacher01").isEmpty());
    QVERIFY(one.post("/v2.0/client/LmResExport/save", exportOf(1)).code() != 1);
}

void tst_platform_records::parallelExportsStayWithinTheAllowance()
{
    PlatformFixture platform;
    const auto login = startLoggedIn(platform, {"--no-office", "--export-limit", "10"});
    QVERIFY2(login, qPrintable(platform.error()));
    // Twenty single exports at once from separate connections: exactly ten pass.
    std::atomic<int> passed{0};
    QVERIFY(inParallel(20, [&](int) {
        PlatformHttp http(platform.baseUrl(), login->token());
        if (http.post("/v2.0/client/LmResExport/save", exportOf(1)).code() == 1)
            ++passed;
    }));
    QCOMPARE(passed.load(), 10);
}

LUMEXA_TEST_MAIN(tst_platform_records)
#include "tst_platform_records.moc"
