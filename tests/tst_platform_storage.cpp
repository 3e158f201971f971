// The document and video storage of the platform stand-in: byte ranges,
// types, missing files and paths that try to leave the storage.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"

#include <QProcess>
#include <QStandardPaths>

class tst_platform_storage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void ranges_data();
    void ranges();
    void contentTypes_data();
    void contentTypes();
    void traversalRefused_data();
    void traversalRefused();
    void missingFile();
    void ffmpegReadsOverHttp();

private:
    PlatformFixture m_platform;
    std::unique_ptr<PlatformHttp> m_http;
    QByteArray m_video;
};

void tst_platform_storage::initTestCase()
{
    QVERIFY2(m_platform.start({"--no-office"}), qPrintable(m_platform.error()));
    m_http = std::make_unique<PlatformHttp>(m_platform.baseUrl());
    QFile f(m_platform.dataDir() + "/video/library/video-1.mp4");
    QVERIFY(f.open(QIODevice::ReadOnly));
    m_video = f.readAll();
    QVERIFY(m_video.size() > 1000);
}

void tst_platform_storage::ranges_data()
{
    QTest::addColumn<QByteArray>("range");
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("from");
    QTest::addColumn<qint64>("length");
    QTest::newRow("whole file") << QByteArray() << 200 << qint64(0) << qint64(-1);
    QTest::newRow("first bytes") << QByteArray("bytes=0-99") << 206 << qint64(0) << qint64(100);
    QTest::newRow("open end") << QByteArray("bytes=1000-") << 206 << qint64(1000) << qint64(-1);
    QTest::newRow("last bytes") << QByteArray("bytes=-64") << 206 << qint64(-64) << qint64(64);
    QTest::newRow("end past the file") << QByteArray("bytes=100-999999999") << 206 << qint64(100) << qint64(-1);
    QTest::newRow("start past the file") << QByteArray("bytes=999999999-") << 416 << qint64(0) << qint64(0);
}

void tst_platform_storage::ranges()
{
    QFETCH(QByteArray, range);
    QFETCH(int, status);
    QFETCH(qint64, from);
    QFETCH(qint64, length);
    QList<QPair<QByteArray, QByteArray>> headers;
    if (!range.isEmpty())
        headers.append({"Range", range});
    const HttpReply r = m_http->get("/video/library/video-1.mp4", headers);
    QCOMPARE(r.status, status);
    const qint64 size = m_video.size();
    if (status == 416) {
        QCOMPARE(r.header("Content-Range"), "bytes */" + QByteArray::number(size));
        return;
    }
    QCOMPARE(r.header("Accept-Ranges"), QByteArray("bytes"));
    const qint64 start = from < 0 ? size + from : from;
    const qint64 n = length < 0 ? size - start : length;
    QCOMPARE(r.body, m_video.mid(int(start), int(n)));
    if (status == 206)
        QCOMPARE(r.header("Content-Range"), QStringLiteral("bytes %1-%2/%3").arg(start).arg(start + n - 1).arg(size).toLatin1());
}

void tst_platform_storage::contentTypes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("type");
    QTest::newRow("video") << "/video/micro/micro-2-1.mp4" << QByteArray("video/mp4");
    QTest::newRow("photo") << "/doc/library/images/photo-1-1.jpg" << QByteArray("image/jpeg");
    QTest::newRow("deck") << "/doc/library/templates/template-1.pptx"
                          << QByteArray("application/vnd.openxmlformats-officedocument.presentationml.presentation");
}

void tst_platform_storage::contentTypes()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, type);
    const HttpReply head = m_http->head(path);
    QCOMPARE(head.status, 200);
    QCOMPARE(head.header("Content-Type"), type);
    QVERIFY(head.body.isEmpty());
    const HttpReply get = m_http->get(path);
    QCOMPARE(get.header("Content-Length").toLongLong(), qint64(get.body.size()));
    QCOMPARE(head.header("Content-Length"), get.header("Content-Length"));
}

void tst_platform_storage::traversalRefused_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::newRow("dot dot") << QByteArray("/doc/../platform.db");
    QTest::newRow("encoded dot dot") << QByteArray("/doc/%2e%2e/platform.db");
    QTest::newRow("deep") << QByteArray("/video/library/../../../../../etc/passwd");
    QTest::newRow("encoded slash") << QByteArray("/doc/..%2fplatform.db");
    QTest::newRow("backslash") << QByteArray("/doc/..%5cplatform.db");
    QTest::newRow("nul byte") << QByteArray("/doc/library/images/photo-1-1.jpg%00.png");
}

void tst_platform_storage::traversalRefused()
{
    QFETCH(QByteArray, target);
    const QByteArray reply = m_http->raw("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    const QByteArray statusLine = reply.left(reply.indexOf("\r\n"));
    QVERIFY2(statusLine.contains(" 403 ") || statusLine.contains(" 404 ") || statusLine.contains(" 400 "), statusLine);
    QVERIFY(!reply.contains("SQLite format"));
    QVERIFY(!reply.contains("root:"));
}

void tst_platform_storage::missingFile()
{
    for (const QString &path : {QStringLiteral("/doc/none.png"), QStringLiteral("/video/none.mp4"), QStringLiteral("/doc"),
                                QStringLiteral("/doc/library")}) {
        const HttpReply r = m_http->get(path);
        QCOMPARE(r.status, 404);
        QVERIFY(r.isEnvelope());
        QVERIFY(r.code() != 1);
    }
}

void tst_platform_storage::ffmpegReadsOverHttp()
{
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    if (ffmpeg.isEmpty())
        QSKIP("ffmpeg is not installed");
    // The client takes thumbnails this way: one frame at one second.
    QTemporaryDir dir;
    const QString out = dir.filePath("thumb.png");
    QProcess p;
    p.start(ffmpeg, {"-i", m_platform.baseUrl() + "/video/micro/micro-2-1.mp4", "-ss", "00:00:01", "-vframes", "1", out});
    p.closeWriteChannel();
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    const QImage thumb(out);
    QCOMPARE(thumb.size(), QSize(640, 360));
}

LUMEXA_TEST_MAIN(tst_platform_storage)
#include "tst_platform_storage.moc"
