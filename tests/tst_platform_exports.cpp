// The daily export allowance of the platform stand-in.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"

#include <QThread>

#include <atomic>

class tst_platform_exports : public QObject
{
    Q_OBJECT

private slots:
    void allowance_data();
    void allowance();
    void perTeacher();
    void parallelExportsStayWithinTheAllowance();
};

namespace {
QJsonObject exportOf(const QJsonValue &count)
{
    return {{"frequency", count}, {"resName", "/courseware/cw-1.pptx"}, {"resUrl", "/home/teacher"}, {"type", "3"}};
}
}

void tst_platform_exports::allowance_data()
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
    // Refused counts use up nothing.
    QTest::newRow("no count") << QStringList() << 3 << B{QJsonValue(QJsonValue::Undefined), 3} << QList<bool>{false, true};
    QTest::newRow("zero") << QStringList() << 3 << B{0, 3} << QList<bool>{false, true};
    QTest::newRow("negative") << QStringList() << 3 << B{-2, 3} << QList<bool>{false, true};
    QTest::newRow("count as text") << QStringList() << 3 << B{"two", 3} << QList<bool>{false, true};
    QTest::newRow("count as object") << QStringList() << 3 << B{QJsonObject(), 3} << QList<bool>{false, true};
}

void tst_platform_exports::allowance()
{
    QFETCH(QStringList, args);
    QFETCH(int, limit);
    QFETCH(QList<QJsonValue>, batches);
    QFETCH(QList<bool>, accepted);
    PlatformFixture platform;
    QVERIFY2(platform.start(args + QStringList{"--no-office"}), qPrintable(platform.error()));
    PlatformHttp http(platform.baseUrl());
    QVERIFY(!http.login().isEmpty());
    const HttpReply frequency = http.post("/v2.0/client/LmResExport/getFrequency", {{"label", "3"}, {"type", "CODE_EXPORTTYPE"}});
    QCOMPARE(frequency.code(), 1);
    const QJsonValue value = frequency.data().value("lmQuestionDict").toObject().value("frequency");
    QVERIFY(value.isDouble());
    QCOMPARE(value.toInt(), limit);
    for (int i = 0; i < batches.size(); ++i) {
        const HttpReply r = http.post("/v2.0/client/LmResExport/save", exportOf(batches.at(i)));
        QVERIFY(r.isEnvelope());
        QCOMPARE(r.code() == 1, accepted.at(i));
        if (!accepted.at(i))
            QVERIFY(r.msg() != QStringLiteral("成功"));
    }
}

void tst_platform_exports::perTeacher()
{
    PlatformFixture platform;
    QVERIFY2(platform.start({"--no-office"}), qPrintable(platform.error()));
    PlatformHttp one(platform.baseUrl());
    PlatformHttp two(platform.baseUrl());
    QVERIFY(!one.login("teacher01").isEmpty());
    QVERIFY(!two.login("teacher02").isEmpty());
    QCOMPARE(one.post("/v2.0/client/LmResExport/save", exportOf(3)).code(), 1);
    QVERIFY(one.post("/v2.0/client/LmResExport/save", exportOf(1)).code() != 1);
    QCOMPARE(two.post("/v2.0/client/LmResExport/save", exportOf(3)).code(), 1);
    // A new login does not reset the day's count.
    QVERIFY(!one.login("teacher01").isEmpty());
    QVERIFY(one.post("/v2.0/client/LmResExport/save", exportOf(1)).code() != 1);
}

void tst_platform_exports::parallelExportsStayWithinTheAllowance()
{
    PlatformFixture platform;
    QVERIFY2(platform.start({"--no-office", "--export-limit", "10"}), qPrintable(platform.error()));
    PlatformHttp login(platform.baseUrl());
    const QString token = login.login();
    QVERIFY(!token.isEmpty());
    // Twenty single exports at once from separate connections: exactly ten pass.
    std::atomic<int> passed{0};
    QList<QThread *> threads;
    for (int i = 0; i < 20; ++i) {
        threads.append(QThread::create([base = platform.baseUrl(), token, &passed] {
            PlatformHttp http(base);
            http.setToken(token);
            if (http.post("/v2.0/client/LmResExport/save", exportOf(1)).code() == 1)
                ++passed;
        }));
    }
    for (QThread *t : threads)
        t->start();
    for (QThread *t : threads) {
        QVERIFY(t->wait(120000));
        delete t;
    }
    QCOMPARE(passed.load(), 10);
}

LUMEXA_TEST_MAIN(tst_platform_exports)
#include "tst_platform_exports.moc"
