// Login, tokens and the token check of the platform stand-in, over real
// sockets against a freshly seeded server.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"

class tst_platform_auth : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loginRefuses_data();
    void loginRefuses();
    void everyApiPathWantsAToken_data();
    void everyApiPathWantsAToken();
    void pictureUploadNeedsNoToken();
    void webPageSessionChecksThePassword();

private:
    PlatformFixture m_platform;
    std::unique_ptr<PlatformHttp> m_http;
};

void tst_platform_auth::initTestCase()
{
    QVERIFY2(m_platform.start({"--no-office"}), qPrintable(m_platform.error()));
    m_http = std::make_unique<PlatformHttp>(m_platform.baseUrl());
}

void tst_platform_auth::loginRefuses_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("msgPart");
    QTest::newRow("wrong password") << "username=teacher01&password=654321&userType=3" << QStringLiteral("用户名或密码错误");
    QTest::newRow("unknown account") << "username=nobody&password=123456&userType=3" << QStringLiteral("用户不存在");
    QTest::newRow("not a teacher") << "username=student01&password=123456&userType=3" << QStringLiteral("教师");
    QTest::newRow("no password") << "username=teacher01&userType=3" << QStringLiteral("密码");
}

void tst_platform_auth::loginRefuses()
{
    QFETCH(QString, query);
    QFETCH(QString, msgPart);
    const HttpReply r = m_http->get("/v2.0/login/LoginController/login?" + query);
    QVERIFY(r.isEnvelope());
    QVERIFY(r.code() != 1);
    QVERIFY2(r.msg().contains(msgPart), qPrintable(r.msg()));
    QVERIFY(r.data().value("token").toString().isEmpty());
}

void tst_platform_auth::everyApiPathWantsAToken_data()
{
    QTest::addColumn<QString>("path");
    for (const char *p : {"/v2.0/client/FileClass/list", "/v2.0/client/FileClass/save", "/v2.0/client/FileClass/share",
                          "/v2.0/client/FileClass/delete", "/v2.0/client/SmallClass/list", "/v2.0/client/SmallClass/purchaseList",
                          "/v2.0/client/SmallClass/save", "/v2.0/client/SmallClass/share", "/v2.0/client/SmallClass/delete",
                          "/v2.0/client/LmResExport/getFrequency", "/v2.0/client/LmResExport/save",
                          "/v2.0/client/LmResManagement/getList", "/v2.0/client/LmResManagement/findList",
                          "/v2.0/file/FileController/list", "/v2.0/file/FileController/save",
                          "/v2.0/file/FileController/deleteFileById", "/v2.0/admin/dict/list?type=sys_office_grade",
                          "/v2.0/admin/refenencebook/findRefenencebookList", "/v2.0/admin/refenencebookTree/saveViwe",
                          "/v2.0/admin/testTree/list", "/v2.0/client/ClientBasHelp/getList"})
        QTest::newRow(p) << QString::fromLatin1(p);
}

void tst_platform_auth::everyApiPathWantsAToken()
{
    QFETCH(QString, path);
    const QByteArray body = R"({"pageNum":"1","pageSize":"10","resSort":"1","resType":"1","id":"1001","frequency":1})";
    for (const QString &token : {QString(), QStringLiteral("not-a-token")}) {
        m_http->setToken(token);
        const HttpReply r = m_http->postRaw(path, body);
        QCOMPARE(r.status, 401);
        QVERIFY(r.isEnvelope());
        QVERIFY(r.code() != 1);
        QVERIFY(!r.msg().isEmpty());
    }
    // With a valid token the same request is no longer refused for the token.
    QVERIFY(!m_http->login().isEmpty());
    const HttpReply ok = m_http->postRaw(path, body);
    QVERIFY(ok.status != 401);
}

void tst_platform_auth::pictureUploadNeedsNoToken()
{
    const HttpReply r = m_http->upload(QByteArray(64, 'x'), "a.png", "image/png", "file", false);
    QCOMPARE(r.code(), 1);
    QVERIFY(r.data().value("filepath").toString().startsWith('/'));
}

void tst_platform_auth::webPageSessionChecksThePassword()
{
    HttpReply r = m_http->get("/web/session?username=teacher02&password=123456");
    QCOMPARE(r.code(), 1);
    QCOMPARE(r.data().value("name").toString(), QStringLiteral("李建国"));
    QVERIFY(!r.data().contains("token"));
    r = m_http->get("/web/session?username=teacher02&password=1");
    QVERIFY(r.code() != 1);
}

LUMEXA_TEST_MAIN(tst_platform_auth)
#include "tst_platform_auth.moc"
