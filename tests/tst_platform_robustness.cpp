// Logins, tokens, bad input, refused requests, faults and load on the
// platform stand-in: it answers with an envelope or a 4xx status, keeps
// running and keeps its records consistent.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"

#include <QTcpSocket>

#include <atomic>

class tst_platform_robustness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refused_data();
    void refused();
    void garbageOnTheSocket_data();
    void garbageOnTheSocket();
    void hostileTextIsJustText();
    void webSessionHandsOutNoToken();
    void concurrentRequests();
    void slowClientsAndBursts();

private:
    // The total of the own decks list, -1 when refused.
    int ownDecks();
    // Both own lists, to see that a refusal changed nothing.
    QJsonArray ownLists();
    PlatformFixture m_platform;
    std::unique_ptr<PlatformHttp> m_http;
};

void tst_platform_robustness::initTestCase()
{
    m_http = startLoggedIn(m_platform, {"--no-office", "--record"});
    QVERIFY2(m_http, qPrintable(m_platform.error()));
}

int tst_platform_robustness::ownDecks()
{
    const HttpReply r = m_http->list();
    return r.code() == 1 ? r.data().value("total").toInt() : -1;
}

QJsonArray tst_platform_robustness::ownLists()
{
    return {m_http->list().data(), m_http->list("/v2.0/client/SmallClass/list").data()};
}

void tst_platform_robustness::refused_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("token"); // null: the logged-in teacher's; empty: none
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("msgPart");
    auto row = [](const QByteArray &name, const QByteArray &method, const QString &path, const QByteArray &body, int status,
                  const QString &msgPart = QString(), const QByteArray &token = QByteArray()) {
        QTest::newRow(name.constData()) << method << path << body << token << status << msgPart;
    };
    const QStringList paths = {"/v2.0/client/FileClass/list", "/v2.0/client/SmallClass/save", "/v2.0/client/LmResExport/save",
                               "/v2.0/client/LmResManagement/findList", "/v2.0/file/FileController/save"};
    for (const QString &p : paths) {
        const QByteArray name = p.section('/', -2).toLatin1();
        row(name + ": broken JSON", "POST", p, "{\"pageNum\": ", 400);
        row(name + ": array", "POST", p, "[1, 2, 3]", 400);
        row(name + ": string", "POST", p, "\"hello\"", 400);
        row(name + ": not JSON", "POST", p, "pageNum=1&pageSize=2", 400);
        row(name + ": nested objects", "POST", p, R"({"pageNum":{"a":[1,2]},"resSort":[],"frequency":{},"name":[],"fileName":{}})", 200);
        row(name + ": booleans", "POST", p, R"({"pageNum":true,"resSort":false,"frequency":true,"name":true,"fileName":false})", 200);
        row(name + ": huge numbers", "POST", p, R"({"pageNum":1e300,"pageSize":-1e300,"resSort":1e20,"frequency":1e30})", 200);
    }
    // Larger than any JSON request can be.
    row("save: 3 MB body", "POST", paths.at(1), "{\"name\":\"" + QByteArray(3 * 1024 * 1024, 'a') + "\"}", 413);

    row("unknown API path", "POST", "/v2.0/client/Nothing/list", "{}", 404);
    row("case differs", "POST", "/v2.0/client/fileclass/list", "{}", 404);
    row("GET on a POST path", "GET", "/v2.0/client/FileClass/list", "{}", 405);
    row("POST on login", "POST", "/v2.0/login/LoginController/login", "{}", 405);
    row("PUT", "PUT", "/v2.0/client/FileClass/save", "{}", 405);
    row("DELETE", "DELETE", "/v2.0/client/FileClass/delete", "{}", 405);

    const QString login = "/v2.0/login/LoginController/login?";
    row("wrong password", "GET", login + "username=teacher01&password=654321&userType=3", {}, 200, QStringLiteral("用户名或密码错误"));
    row("unknown account", "GET", login + "username=nobody&password=123456&userType=3", {}, 200, QStringLiteral("用户不存在"));
    row("not a teacher", "GET", login + "username=student01&password=123456&userType=3", {}, 200, QStringLiteral("教师"));
    row("no password", "GET", login + "username=teacher01&userType=3", {}, 200, QStringLiteral("密码"));
    row("web page, wrong password", "GET", "/web/session?username=teacher02&password=1", {}, 200, QStringLiteral("密码错误"));

    // Saves and shares of records that must not go through.
    auto json = [](const QJsonObject &o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); };
    const QString cw = "/v2.0/client/FileClass/", micro = "/v2.0/client/SmallClass/";
    row("no name", "POST", cw + "save", json({{"fileSrc", "/courseware/cw-1.pptx"}}), 200);
    row("no file", "POST", cw + "save", json({{"name", "x"}}), 200);
    row("file not stored", "POST", cw + "save", json({{"name", "x"}, {"fileSrc", "/upload/none.pptx"}}), 200);
    row("path leaves storage", "POST", cw + "save", json({{"name", "x"}, {"fileSrc", "/../platform.db"}}), 200);
    row("deck as micro-lecture", "POST", micro + "save", json({{"name", "x"}, {"fileSrc", "/courseware/cw-1.pptx"}}), 200);
    row("price not a number", "POST", micro + "save",
        json({{"name", "x"}, {"fileSrc", "/micro/micro-2-1.mp4"}, {"xuedou", "abc"}}), 200);
    row("share unknown id", "POST", cw + "share", json({{"id", "999999"}, {"isFee", "0"}}), 200);
    row("share bought from another teacher", "POST", cw + "share", json({{"id", "1015"}, {"isFee", "0"}}), 200);
    row("share micro-lecture id on courseware", "POST", cw + "share", json({{"id", "1021"}, {"isFee", "0"}}), 200);
    row("paid without price", "POST", cw + "share", json({{"id", "1002"}, {"isFee", "1"}, {"xuedou", ""}}), 200);
    row("share with empty title", "POST", micro + "share",
        json({{"id", "1021"}, {"isFee", "1"}, {"name", ""}, {"xuedou", "100"}}), 200);

    // Libraries, pictures, catalogues and help asked for what is not there or not theirs.
    const QString lib = "/v2.0/client/LmResManagement/", pictures = "/v2.0/file/FileController/";
    const QString help = "/v2.0/client/ClientBasHelp/getList";
    row("categories without sort", "POST", lib + "getList", "{}", 200);
    row("unknown sort", "POST", lib + "getList", json({{"resSort", "5"}}), 200);
    row("sort not a number", "POST", lib + "findList", json({{"resSort", "abc"}}), 200);
    row("category of another library", "POST", lib + "findList", json({{"resSort", "1"}, {"id", "1601"}}), 200);
    row("negative page", "POST", lib + "findList", json({{"resSort", "1"}, {"pageNum", "-2"}}), 200);
    row("save without file", "POST", pictures + "save", json({{"fileLibType", 2}}), 200);
    row("save a file never uploaded", "POST", pictures + "save", json({{"fileName", "/upload/x.png"}}), 200);
    row("save another teacher's picture", "POST", pictures + "save", json({{"fileName", "/pictures/10002/own-1.jpg"}}), 200);
    row("save a deck as picture", "POST", pictures + "save", json({{"fileName", "/courseware/cw-1.pptx"}}), 200);
    row("delete unknown picture", "POST", pictures + "deleteFileById", json({{"id", "99999"}}), 200);
    row("delete another teacher's picture", "POST", pictures + "deleteFileById", json({{"id", "4"}}), 200);
    row("list of another teacher", "POST", pictures + "list", json({{"creatorId", "10002"}, {"fileLibType", 2}}), 200);
    row("upload not multipart", "POST", pictures + "uploadFile", "{}", 400);
    row("dictionary without type", "POST", "/v2.0/admin/dict/list", "{}", 200);
    row("catalogue without id", "POST", "/v2.0/admin/refenencebookTree/saveViwe", "{}", 200);
    row("knowledge of unknown book", "POST", "/v2.0/admin/testTree/list", json({{"refenencebookId", "abc"}}), 200);
    row("help without type", "POST", help, json({{"type", "1"}}), 200);
    row("help of unknown type", "POST", help, json({{"resType", "7"}}), 200);
    row("help title as array", "POST", help, json({{"resType", "1"}, {"title", QJsonArray{1}}}), 200);

    // Storage paths that leave the storage, and files that are not there.
    const QString outside = QStringLiteral("非法的文件路径"), missing = QStringLiteral("文件不存在");
    row("dot dot", "GET", "/doc/../platform.db", {}, 403, outside);
    row("encoded dot dot", "GET", "/doc/%2e%2e/platform.db", {}, 403, outside);
    row("deep", "GET", "/video/library/../../../../../etc/passwd", {}, 403, outside);
    row("encoded slash", "GET", "/doc/..%2fplatform.db", {}, 403, outside);
    row("backslash", "GET", "/doc/..%5cplatform.db", {}, 403, outside);
    row("nul byte", "GET", "/doc/library/images/photo-1-1.jpg%00.png", {}, 403, outside);
    row("missing picture", "GET", "/doc/none.png", {}, 404, missing);
    row("missing video", "GET", "/video/none.mp4", {}, 404, missing);
    row("storage root", "GET", "/doc", {}, 404, missing);
    row("folder", "GET", "/doc/library", {}, 404, missing);

    // About 60,000 bytes of keyword.
    const QString keyword(20000, QChar(0x8BFE));
    const QByteArray named = json({{"pageNum", "1"}, {"pageSize", "12"}, {"name", keyword}});
    const QString tooLong = QStringLiteral("搜索关键字过长");
    row("own decks", "POST", "/v2.0/client/FileClass/list", named, 200, tooLong);
    row("own micro-lectures", "POST", "/v2.0/client/SmallClass/list", named, 200, tooLong);
    row("bought", "POST", "/v2.0/client/SmallClass/purchaseList", named, 200, tooLong);
    row("library", "POST", lib + "findList", json({{"resSort", "1"}, {"title", keyword}}), 200, tooLong);
    row("help", "POST", help, json({{"resType", "1"}, {"title", keyword}}), 200, tooLong);

    // Every API path wants a valid token.
    const QByteArray body = R"({"pageNum":"1","pageSize":"10","resSort":"1","resType":"1","id":"1001","frequency":1})";
    for (const char *p : {"/v2.0/client/FileClass/list", "/v2.0/client/FileClass/save", "/v2.0/client/FileClass/share",
                          "/v2.0/client/FileClass/delete", "/v2.0/client/SmallClass/list", "/v2.0/client/SmallClass/purchaseList",
                          "/v2.0/client/SmallClass/save", "/v2.0/client/SmallClass/share", "/v2.0/client/SmallClass/delete",
                          "/v2.0/client/LmResExport/getFrequency", "/v2.0/client/LmResExport/save",
                          "/v2.0/client/LmResManagement/getList", "/v2.0/client/LmResManagement/findList",
                          "/v2.0/file/FileController/list", "/v2.0/file/FileController/save",
                          "/v2.0/file/FileController/deleteFileById", "/v2.0/admin/dict/list?type=sys_office_grade",
                          "/v2.0/admin/refenencebook/findRefenencebookList", "/v2.0/admin/refenencebookTree/saveViwe",
                          "/v2.0/admin/testTree/list", "/v2.0/client/ClientBasHelp/getList"}) {
        row(QByteArray(p) + ": no token", "POST", p, body, 401, QString(), "");
        row(QByteArray(p) + ": unknown token", "POST", p, body, 401, QString(), "not-a-token");
    }
}

void tst_platform_robustness::refused()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, token);
    QFETCH(int, status);
    QFETCH(QString, msgPart);
    const QByteArray sent = token.isNull() ? m_http->token().toLatin1() : token;
    const QJsonArray before = ownLists();
    const HttpReply r = m_http->raw(PlatformHttp::request(method, path, body, sent));
    QCOMPARE(r.status, status);
    QVERIFY(r.isEnvelope());
    QCOMPARE(r.code(), status == 200 ? 0 : status);
    QVERIFY2(!r.msg().isEmpty() && r.msg().contains(msgPart), qPrintable(r.msg()));
    QVERIFY(r.data().value("token").toString().isEmpty());
    QCOMPARE(ownLists(), before);
}

// The web pages' session greets the teacher; an API token never leaves it.
void tst_platform_robustness::webSessionHandsOutNoToken()
{
    const HttpReply r = m_http->raw(PlatformHttp::request("GET", "/web/session?username=teacher02&password=123456", {}, {}));
    QCOMPARE(r.code(), 1);
    QVERIFY(!r.data().value("name").toString().isEmpty());
    QVERIFY(!r.data().contains("token"));
}

void tst_platform_robustness::garbageOnTheSocket_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("not HTTP") << QByteArray("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03 hello\r\n\r\n", 24);
    QTest::newRow("bad request line") << QByteArray("GARBAGE\r\n\r\n");
    QTest::newRow("lying length") << QByteArray("POST /v2.0/client/FileClass/list HTTP/1.1\r\nHost: x\r\nContent-Length: 99999\r\n\r\n{}");
    QTest::newRow("endless header") << QByteArray("GET / HTTP/1.1\r\nX-Long: ") + QByteArray(20000, 'x') + "\r\n\r\n";
    QTest::newRow("bad chunked body") << QByteArray("POST /v2.0/client/FileClass/list HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n");
}

void tst_platform_robustness::garbageOnTheSocket()
{
    QFETCH(QByteArray, bytes);
    // A client that stops sending is not waited for here; the server drops it
    // after its read timeout.
    const HttpReply r = m_http->raw(bytes, 2000);
    QVERIFY(r.status / 100 == 4 || (r.status == 0 && r.body.isEmpty()));
    QVERIFY(ownDecks() >= 0);
}

void tst_platform_robustness::hostileTextIsJustText()
{
    const QString hostile = QStringLiteral("x'); DROP TABLE resources; -- <script>alert(1)</script> %_\\");
    HttpReply r = m_http->post("/v2.0/client/FileClass/list", {{"pageNum", "1"}, {"pageSize", "12"}, {"name", hostile}, {"grade", hostile}});
    QCOMPARE(r.code(), 1);
    QCOMPARE(r.data().value("total").toInt(), 0);
    r = m_http->post("/v2.0/client/SmallClass/save", {{"name", hostile}, {"fileSrc", "/micro/micro-2-1.mp4"}});
    QCOMPARE(r.code(), 1);
    r = m_http->list("/v2.0/client/SmallClass/list");
    QCOMPARE(r.data().value("list").toArray().first().toObject().value("name").toString(), hostile);
    // The viewer page keeps the address out of its script.
    const HttpReply page = m_http->get("/op/embed.aspx?src=%3C/script%3E%3Cscript%3Ealert(1)%3C/script%3E");
    QCOMPARE(page.status, 200);
    QVERIFY(!page.body.contains("<script>alert(1)"));
}

void tst_platform_robustness::concurrentRequests()
{
    // Eight threads list while eight save, ten requests each.
    const int before = ownDecks();
    std::atomic<int> listed{0}, saved{0};
    QVERIFY(inParallel(16, [&](int i) {
        PlatformHttp http(m_platform.baseUrl(), m_http->token());
        for (int k = 0; k < 10; ++k) {
            if (i % 2)
                listed += http.post("/v2.0/client/FileClass/list", {{"pageNum", QString::number(k % 3 + 1)}, {"pageSize", "5"}}).code() == 1;
            else
                saved += http.post("/v2.0/client/FileClass/save", {{"name", QStringLiteral("并发%1-%2").arg(i).arg(k)},
                                                                  {"fileSrc", "/courseware/cw-3.pptx"}}).code() == 1;
        }
    }));
    QCOMPARE(listed.load(), 80);
    QCOMPARE(saved.load(), 80);
    QCOMPARE(ownDecks(), before + 80);
}

void tst_platform_robustness::slowClientsAndBursts()
{
    // Forty clients send half a header and hold their connections...
    std::vector<std::unique_ptr<QTcpSocket>> slow;
    for (int i = 0; i < 40; ++i) {
        slow.push_back(std::make_unique<QTcpSocket>());
        slow.back()->connectToHost(QStringLiteral("127.0.0.1"), m_http->port());
        QVERIFY(slow.back()->waitForConnected(5000));
        slow.back()->write("GET /v2.0/client/FileClass/list HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: ");
        slow.back()->flush();
    }
    QTest::qWait(300);
    // ...while 300 others arrive at once: every one is answered, none reset.
    const QByteArray request = PlatformHttp::request("POST", "/v2.0/client/FileClass/list", "{}", m_http->token().toLatin1());
    std::vector<std::unique_ptr<QTcpSocket>> burst;
    QHash<QTcpSocket *, QByteArray> replies;
    int failed = 0;
    for (int i = 0; i < 300; ++i) {
        burst.push_back(std::make_unique<QTcpSocket>());
        QTcpSocket *s = burst.back().get();
        connect(s, &QTcpSocket::connected, s, [s, request] { s->write(request); });
        connect(s, &QTcpSocket::readyRead, s, [s, &replies] { replies[s] += s->readAll(); });
        connect(s, &QTcpSocket::errorOccurred, s, [s, &failed](QAbstractSocket::SocketError e) {
            failed += e != QAbstractSocket::RemoteHostClosedError;
        });
        s->connectToHost(QStringLiteral("127.0.0.1"), m_http->port());
    }
    auto answered = [&] {
        int n = 0;
        for (const QByteArray &r : qAsConst(replies))
            n += r.startsWith("HTTP/1.1 200");
        return n;
    };
    QTRY_VERIFY_WITH_TIMEOUT(answered() + failed == 300, 20000);
    QCOMPARE(failed, 0);
    for (auto &s : slow)
        QCOMPARE(s->state(), QAbstractSocket::ConnectedState);
}

LUMEXA_TEST_MAIN(tst_platform_robustness)
#include "tst_platform_robustness.moc"
