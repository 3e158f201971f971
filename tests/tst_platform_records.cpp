// Courseware and micro-lecture records of the platform stand-in: lists,
// paging, filters, the purchased list, save, share and delete, and state kept
// over a restart.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

namespace {
const QString CwList = QStringLiteral("/v2.0/client/FileClass/list");
const QString MicroList = QStringLiteral("/v2.0/client/SmallClass/list");
const QString Purchased = QStringLiteral("/v2.0/client/SmallClass/purchaseList");

QJsonObject page(int num, int size = 12)
{
    return {{"pageNum", QString::number(num)}, {"pageSize", QString::number(size)}};
}

QStringList ids(const HttpReply &r)
{
    QStringList out;
    for (const QJsonValue &v : r.data().value("list").toArray())
        out.append(v.toObject().value("id").toString());
    return out;
}
}

class tst_platform_records : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recordsCarryEveryKey_data();
    void recordsCarryEveryKey();
    void pagingAndTotal_data();
    void pagingAndTotal();
    void filters_data();
    void filters();
    void purchasedListHoldsDecksAndVideos_data();
    void purchasedListHoldsDecksAndVideos();
    void savedRecordIsListedNext_data();
    void savedRecordIsListedNext();
    void saveRefuses_data();
    void saveRefuses();
    void shareAndCancel();
    void shareRefuses_data();
    void shareRefuses();
    void deleteRules_data();
    void deleteRules();
    void stateSurvivesRestart();
    void resetSeedsAgain();

private:
    QString upload(const QByteArray &data, const QString &name, const QByteArray &type);
    PlatformFixture m_platform;
    std::unique_ptr<PlatformHttp> m_http;
};

void tst_platform_records::initTestCase()
{
    QVERIFY2(m_platform.start({"--no-office"}), qPrintable(m_platform.error()));
    m_http = std::make_unique<PlatformHttp>(m_platform.baseUrl());
    QVERIFY(!m_http->login().isEmpty());
}

QString tst_platform_records::upload(const QByteArray &data, const QString &name, const QByteArray &type)
{
    const HttpReply r = m_http->upload(data, name, type, "file", true);
    return r.data().value("filepath").toString();
}

void tst_platform_records::recordsCarryEveryKey_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("courseware") << CwList;
    QTest::newRow("micro-lectures") << MicroList;
    QTest::newRow("purchased") << Purchased;
}

void tst_platform_records::recordsCarryEveryKey()
{
    QFETCH(QString, path);
    const HttpReply r = m_http->post(path, page(1));
    QCOMPARE(r.code(), 1);
    QVERIFY(r.data().value("total").isDouble());
    const QJsonArray list = r.data().value("list").toArray();
    QVERIFY(!list.isEmpty());
    for (const QJsonValue &v : list) {
        const QJsonObject o = v.toObject();
        for (const char *key : {"id", "name", "fileSrc", "grade", "subject", "codeVerstiontypeid", "bootName", "treeName",
                                "xuedou", "purchase", "codeChapter", "isFee", "smallDbType", "authorName"})
            QVERIFY2(o.value(key).isString(), key);
        QVERIFY(o.value("delFlag").isDouble());
        QVERIFY(o.value("pptFiles").isArray());
        QVERIFY(o.value("fileSrc").toString().startsWith('/'));
        QCOMPARE(o.value("purchase").toString(), path == Purchased ? QStringLiteral("1") : QStringLiteral("0"));
        for (const QJsonValue &p : o.value("pptFiles").toArray())
            QVERIFY(p.toString().startsWith(m_platform.baseUrl() + "/doc/"));
    }
    // Names, not codes, for what the tiles show.
    const QJsonObject first = list.first().toObject();
    QVERIFY(!first.value("subject").toString().at(0).isDigit());
    QVERIFY(!first.value("bootName").toString().isEmpty());
}

void tst_platform_records::pagingAndTotal_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    QTest::newRow("courseware by 12") << CwList << 12;
    QTest::newRow("micro by 4") << MicroList << 4;
}

void tst_platform_records::pagingAndTotal()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    const int total = m_http->post(path, page(1, 100)).data().value("total").toInt();
    QVERIFY(total > size);
    QStringList all;
    const int pages = (total + size - 1) / size;
    for (int n = 1; n <= pages; ++n) {
        const HttpReply r = m_http->post(path, page(n, size));
        QCOMPARE(r.data().value("total").toInt(), total);
        const QStringList got = ids(r);
        QCOMPARE(got.size(), n < pages ? size : total - (pages - 1) * size);
        all += got;
    }
    QCOMPARE(all.size(), total);
    QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), total);
    QVERIFY(ids(m_http->post(path, page(pages + 1, size))).isEmpty());
}

void tst_platform_records::filters_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QJsonObject>("filter");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("keyword") << CwList << QJsonObject{{"name", QStringLiteral("认识")}} << "name" << QStringLiteral("认识");
    QTest::newRow("grade") << CwList << QJsonObject{{"grade", "3"}} << "grade" << QStringLiteral("三年级");
    QTest::newRow("volume") << MicroList << QJsonObject{{"resRegister", "5021071"}} << "bootName" << QStringLiteral("人教版数学初一上册");
    QTest::newRow("grade and subject") << CwList << QJsonObject{{"grade", "1"}, {"subject", "2"}} << "subject" << QStringLiteral("数学");
}

void tst_platform_records::filters()
{
    QFETCH(QString, path);
    QFETCH(QJsonObject, filter);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QJsonObject query = page(1, 100);
    for (auto it = filter.begin(); it != filter.end(); ++it)
        query.insert(it.key(), it.value());
    const HttpReply all = m_http->post(path, page(1, 100));
    const HttpReply r = m_http->post(path, query);
    QCOMPARE(r.code(), 1);
    const QJsonArray list = r.data().value("list").toArray();
    QVERIFY(!list.isEmpty());
    QVERIFY(list.size() < all.data().value("list").toArray().size());
    QCOMPARE(r.data().value("total").toInt(), list.size());
    for (const QJsonValue &v : list) {
        const QString value = v.toObject().value(key).toString();
        if (!expected.isEmpty())
            QVERIFY2(value.contains(expected), qPrintable(value));
    }
    // A filter matching nothing gives an empty page, not a failure.
    query.insert("name", QStringLiteral("不存在的名称"));
    const HttpReply none = m_http->post(path, query);
    QCOMPARE(none.code(), 1);
    QCOMPARE(none.data().value("total").toInt(), 0);
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
    const HttpReply r = m_http->post(Purchased + query, page(1));
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
            QCOMPARE(m_http->head("/video" + src).status, 200);
        }
    }
    QCOMPARE(decks > 0, wantDecks);
    QCOMPARE(videos > 0, wantVideos);
}

void tst_platform_records::savedRecordIsListedNext_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("courseware") << "FileClass";
    QTest::newRow("micro-lecture") << "SmallClass";
}

void tst_platform_records::savedRecordIsListedNext()
{
    QFETCH(QString, kind);
    const bool deck = kind == "FileClass";
    QFile sample(m_platform.dataDir() + (deck ? "/doc/courseware/cw-2.pptx" : "/video/micro/micro-2-1.mp4"));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    const QString path = upload(sample.readAll(), deck ? QStringLiteral("新 课件.pptx") : QStringLiteral("微课 片段.mp4"),
                                deck ? "application/vnd.ms-powerpoint" : "video/mp4");
    QVERIFY(path.startsWith("/upload/"));
    const QString name = QStringLiteral("发布测试%1").arg(kind);
    QJsonObject record{{"applystatus", "0"}, {"smallDbType", 1}, {"subject", "2"}, {"codeVersiontypeid", "1"},
                       {"grade", "1"}, {"resRegister", "5021011"}, {"refenencebooktreeid", "50210110701"},
                       {"name", name}, {"xuedou", ""}, {"isFee", "0"}, {"isshare", "0"}, {"schoolid", "3101"},
                       {"duration", "00:00:04"}, {"codechapter", "8502101107,850210110701"}, {"fileSrc", path}};
    if (!deck)
        record.insert("intro", QStringLiteral("简介"));
    const HttpReply saved = m_http->post("/v2.0/client/" + kind + "/save", record);
    QCOMPARE(saved.code(), 1);
    const HttpReply list = m_http->post("/v2.0/client/" + kind + "/list", page(1));
    const QJsonObject first = list.data().value("list").toArray().first().toObject();
    QCOMPARE(first.value("name").toString(), name);
    QCOMPARE(first.value("fileSrc").toString(), path);
    QCOMPARE(first.value("treeName").toString(), QStringLiteral("认识整时"));
    QCOMPARE(first.value("codeChapter").toString(), QStringLiteral("认识钟表,认识整时"));
    QCOMPARE(first.value("delFlag").toInt(), 0);
    if (deck) {
        // The deck's preview is there at once (a cover until slides exist).
        const QJsonArray ppt = first.value("pptFiles").toArray();
        QVERIFY(!ppt.isEmpty());
        QCOMPARE(m_http->get(QUrl(ppt.first().toString()).path()).status, 200);
    }
}

void tst_platform_records::saveRefuses_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QJsonObject>("record");
    QTest::newRow("no name") << "FileClass" << QJsonObject{{"fileSrc", "/courseware/cw-1.pptx"}};
    QTest::newRow("no file") << "FileClass" << QJsonObject{{"name", "x"}};
    QTest::newRow("file not stored") << "FileClass" << QJsonObject{{"name", "x"}, {"fileSrc", "/upload/none.pptx"}};
    QTest::newRow("path leaves storage") << "FileClass" << QJsonObject{{"name", "x"}, {"fileSrc", "/../platform.db"}};
    QTest::newRow("deck as micro-lecture") << "SmallClass" << QJsonObject{{"name", "x"}, {"fileSrc", "/courseware/cw-1.pptx"}};
    QTest::newRow("price not a number") << "SmallClass" << QJsonObject{{"name", "x"}, {"fileSrc", "/micro/micro-2-1.mp4"}, {"xuedou", "abc"}};
}

void tst_platform_records::saveRefuses()
{
    QFETCH(QString, kind);
    QFETCH(QJsonObject, record);
    const int before = m_http->post("/v2.0/client/" + kind + "/list", page(1)).data().value("total").toInt();
    const HttpReply r = m_http->post("/v2.0/client/" + kind + "/save", record);
    QVERIFY(r.isEnvelope());
    QVERIFY(r.code() != 1);
    QVERIFY(!r.msg().isEmpty());
    QCOMPARE(m_http->post("/v2.0/client/" + kind + "/list", page(1)).data().value("total").toInt(), before);
}

void tst_platform_records::shareAndCancel()
{
    const QJsonObject rec = m_http->post(MicroList, page(1, 100)).data().value("list").toArray().last().toObject();
    const QString id = rec.value("id").toString();
    HttpReply r = m_http->post("/v2.0/client/SmallClass/share",
                               {{"id", id}, {"isFee", "1"}, {"isshare", "1"}, {"name", QStringLiteral("新标题")}, {"xuedou", "150"}});
    QCOMPARE(r.code(), 1);
    auto find = [&](const QString &path) {
        for (const QJsonValue &v : m_http->post(path, page(1, 100)).data().value("list").toArray()) {
            if (v.toObject().value("id").toString() == id)
                return v.toObject();
        }
        return QJsonObject();
    };
    QJsonObject now = find(MicroList);
    QCOMPARE(now.value("isFee").toString(), "1");
    QCOMPARE(now.value("name").toString(), QStringLiteral("新标题"));
    QCOMPARE(now.value("xuedou").toString(), "150");
    r = m_http->post("/v2.0/client/SmallClass/share", {{"id", id}, {"isFee", "0"}, {"isshare", "0"}});
    QCOMPARE(r.code(), 1);
    now = find(MicroList);
    QCOMPARE(now.value("isFee").toString(), "0");
    QCOMPARE(now.value("name").toString(), QStringLiteral("新标题"));
}

void tst_platform_records::shareRefuses_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QJsonObject>("body");
    QTest::newRow("unknown id") << "FileClass" << QJsonObject{{"id", "999999"}, {"isFee", "0"}};
    QTest::newRow("bought from another teacher") << "FileClass" << QJsonObject{{"id", "1015"}, {"isFee", "0"}};
    QTest::newRow("micro-lecture id on courseware") << "FileClass" << QJsonObject{{"id", "1021"}, {"isFee", "0"}};
    QTest::newRow("paid without price") << "FileClass" << QJsonObject{{"id", "1002"}, {"isFee", "1"}, {"xuedou", ""}};
    QTest::newRow("empty title") << "SmallClass" << QJsonObject{{"id", "1021"}, {"isFee", "1"}, {"name", ""}, {"xuedou", "100"}};
}

void tst_platform_records::shareRefuses()
{
    QFETCH(QString, kind);
    QFETCH(QJsonObject, body);
    const HttpReply r = m_http->post("/v2.0/client/" + kind + "/share", body);
    QVERIFY(r.isEnvelope());
    QVERIFY(r.code() != 1);
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
    const QStringList before = ids(m_http->post(list, page(1, 100)));
    const HttpReply r = m_http->post("/v2.0/client/" + kind + "/delete", {{"id", id}});
    QCOMPARE(r.code() == 1, allowed);
    const QStringList after = ids(m_http->post(list, page(1, 100)));
    QCOMPARE(after.contains(id), before.contains(id) && !allowed);
    QCOMPARE(after.size(), before.size() - (allowed ? 1 : 0));
    if (!allowed && before.contains(id)) {
        // Records that may not be deleted say so, so the tile hides its button.
        for (const QJsonValue &v : m_http->post(list, page(1, 100)).data().value("list").toArray()) {
            if (v.toObject().value("id").toString() == id)
                QCOMPARE(v.toObject().value("delFlag").toInt(), 1);
        }
    }
}

void tst_platform_records::stateSurvivesRestart()
{
    const QByteArray before = m_http->post(CwList, page(1, 100)).body;
    m_platform.stop();
    QVERIFY2(m_platform.start({"--no-office"}), qPrintable(m_platform.error()));
    m_http = std::make_unique<PlatformHttp>(m_platform.baseUrl());
    QVERIFY(!m_http->login().isEmpty());
    QJsonObject a = QJsonDocument::fromJson(before).object().value("data").toObject();
    QJsonObject b = m_http->post(CwList, page(1, 100)).data();
    QCOMPARE(b.value("total").toInt(), a.value("total").toInt());
    QStringList namesA, namesB;
    for (const QJsonValue &v : a.value("list").toArray())
        namesA << v.toObject().value("name").toString();
    for (const QJsonValue &v : b.value("list").toArray())
        namesB << v.toObject().value("name").toString();
    QCOMPARE(namesB, namesA);
}

void tst_platform_records::resetSeedsAgain()
{
    const int seeded = 14;
    QCOMPARE(m_http->post("/v2.0/client/FileClass/save", {{"name", "x"}, {"fileSrc", "/courseware/cw-1.pptx"}}).code(), 1);
    QVERIFY(m_http->post(CwList, page(1)).data().value("total").toInt() > seeded);
    QFile stranger(m_platform.dataDir() + "/notes.txt");
    QVERIFY(stranger.open(QIODevice::WriteOnly));
    stranger.write("kept");
    stranger.close();
    m_platform.stop();
    QVERIFY2(m_platform.start({"--no-office", "--reset"}), qPrintable(m_platform.error()));
    m_http = std::make_unique<PlatformHttp>(m_platform.baseUrl());
    QVERIFY(!m_http->login().isEmpty());
    QCOMPARE(m_http->post(CwList, page(1)).data().value("total").toInt(), seeded);
    // Only the server's own files go.
    QVERIFY(QFile::exists(m_platform.dataDir() + "/notes.txt"));
}

LUMEXA_TEST_MAIN(tst_platform_records)
#include "tst_platform_records.moc"
