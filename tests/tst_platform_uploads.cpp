// The document and video storage of the platform stand-in (byte ranges and
// types) and multipart uploads to it: where files land, what is refused, and
// slide pictures for uploaded decks. Its own decks open in LibreOffice Impress.
// Thumbnails taken by ffmpeg over HTTP are walked by tst_video_library, paths
// that leave the storage and missing files by tst_platform_robustness.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"

#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {
// Page count and first page size (points) of a PDF LibreOffice made.
int pdfPages(const QByteArray &pdf, QSizeF *size)
{
    static const QRegularExpression page("/Type\\s*/Page[^s]");
    static const QRegularExpression box("/MediaBox\\s*\\[\\s*([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)");
    const QString text = QString::fromLatin1(pdf.constData(), pdf.size()); // binary: keep what follows a NUL
    const auto m = box.match(text);
    if (m.hasMatch())
        *size = QSizeF(m.captured(3).toDouble() - m.captured(1).toDouble(), m.captured(4).toDouble() - m.captured(2).toDouble());
    return text.count(page);
}

QJsonObject pictureRecord(const QString &path)
{
    return {{"fileName", path}, {"fileLibType", 2}, {"fileRealname", "p.png"}, {"fileSize", 100}, {"fileSuffix", "png"}};
}
}

class tst_platform_uploads : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void storedWhereTheTypeSays_data();
    void storedWhereTheTypeSays();
    void refused_data();
    void refused();
    void sizeLimit();
    void uploaderIsRemembered();
    void deckGetsRenderedSlides();
    void unclaimedUploadRemoved();
    void ranges_data();
    void ranges();
    void decksOpenInImpress_data();
    void decksOpenInImpress();

private:
    PlatformFixture m_platform;
    std::unique_ptr<PlatformHttp> m_http;
    QTemporaryDir m_work;
};

void tst_platform_uploads::initTestCase()
{
    m_http = startLoggedIn(m_platform, {"--no-office", "--max-upload-mb", "1"});
    QVERIFY2(m_http, qPrintable(m_platform.error()));
}

void tst_platform_uploads::storedWhereTheTypeSays_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QString>("storage");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("deck") << "newfile.pptx" << QByteArray("application/vnd.ms-powerpoint") << "/doc" << ".pptx";
    QTest::newRow("old deck") << QStringLiteral("课件.ppt") << QByteArray("application/vnd.ms-powerpoint") << "/doc" << ".ppt";
    QTest::newRow("upper-case PNG sent as jpeg") << "B.PNG" << QByteArray("image/jpeg") << "/doc" << ".png";
    QTest::newRow("spaces and Chinese") << QStringLiteral("我的 视频 1.mp4") << QByteArray("video/mp4") << "/video" << ".mp4";
    QTest::newRow("odd suffix") << "evil.<script>" << QByteArray("image/png") << "/doc" << ".png";
}

void tst_platform_uploads::storedWhereTheTypeSays()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, type);
    QFETCH(QString, storage);
    QFETCH(QString, suffix);
    QByteArray data;
    for (int i = 0; i < 5000; ++i)
        data += char(i * 7);
    const HttpReply r = m_http->upload(data, fileName, type);
    QCOMPARE(r.code(), 1);
    const QString path = r.data().value("filepath").toString();
    QVERIFY2(path.startsWith("/upload/") && path.endsWith(suffix), qPrintable(path));
    QVERIFY(!path.contains(".."));
    const HttpReply back = m_http->get(storage + path);
    QCOMPARE(back.status, 200);
    QCOMPARE(back.body, data);
    // The other storage does not have it.
    QCOMPARE(m_http->get((storage == "/doc" ? "/video" : "/doc") + path).status, 404);
}

void tst_platform_uploads::refused_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("part");
    QTest::newRow("empty file") << QByteArray() << QByteArray("file");
    QTest::newRow("no file part") << QByteArray("abc") << QByteArray("picture");
}

void tst_platform_uploads::refused()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, part);
    const HttpReply r = m_http->upload(data, "x.png", "image/png", part);
    QVERIFY(r.isEnvelope());
    QVERIFY(r.code() != 1);
    QVERIFY(r.data().value("filepath").toString().isEmpty());
}

void tst_platform_uploads::sizeLimit()
{
    // Started with a 1 MB limit.
    HttpReply r = m_http->upload(QByteArray(1024 * 1024 - 100, 'a'), "fits.mp4", "video/mp4");
    QCOMPARE(r.code(), 1);
    r = m_http->upload(QByteArray(1024 * 1024 + 100, 'a'), "big.mp4", "video/mp4");
    QVERIFY(r.code() != 1);
    if (r.isEnvelope())
        QCOMPARE(r.status, 413);
    // Nothing half-written stays behind, and the server goes on serving.
    QVERIFY(QDir(m_platform.dataDir() + "/work/uploads").entryList(QDir::Files).isEmpty());
    QCOMPARE(m_http->list().code(), 1);

    // 300 MB announced, a little sent, then nothing: the size refusal comes
    // from the announced length, without waiting for the rest.
    const QByteArray head = "POST /v2.0/file/FileController/uploadFile HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                            "Content-Type: multipart/form-data; boundary=lumexaPart\r\nContent-Length: "
                            + QByteArray::number(300ll * 1024 * 1024)
                            + "\r\n\r\n--lumexaPart\r\nContent-Disposition: form-data; name=\"file\"; filename=\"big.mp4\"\r\n"
                              "Content-Type: video/mp4\r\n\r\n";
    const HttpReply reply = m_http->raw(head + QByteArray(64 * 1024, 'v'), 8000);
    QCOMPARE(reply.status, 413);
    QCOMPARE(reply.msg(), QStringLiteral("文件超过大小限制（最大1 MB）"));
    QCOMPARE(m_http->list().code(), 1);
}

void tst_platform_uploads::uploaderIsRemembered()
{
    // A picture uploaded by teacher02 cannot be registered by teacher01.
    PlatformHttp other(m_platform.baseUrl());
    QVERIFY(!other.login("teacher02").isEmpty());
    const QString path = other.upload(QByteArray(100, 'p'), "p.png", "image/png", "file", true).data().value("filepath").toString();
    QVERIFY(!path.isEmpty());
    QVERIFY(m_http->post("/v2.0/file/FileController/save", pictureRecord(path)).code() != 1);
    QCOMPARE(other.post("/v2.0/file/FileController/save", pictureRecord(path)).code(), 1);
    // Uploaded without a token, as the client does: the first teacher to
    // register it holds it.
    const QString open = other.upload(QByteArray(100, 'q'), "q.png", "image/png").data().value("filepath").toString();
    QVERIFY(!open.isEmpty());
    QCOMPARE(other.post("/v2.0/file/FileController/save", pictureRecord(open)).code(), 1);
    QVERIFY(m_http->post("/v2.0/file/FileController/save", pictureRecord(open)).code() != 1);
}

void tst_platform_uploads::deckGetsRenderedSlides()
{
    if (QStandardPaths::findExecutable("soffice").isEmpty() || QStandardPaths::findExecutable("pdftoppm").isEmpty())
        QSKIP("LibreOffice or pdftoppm is not installed");
    PlatformFixture office;
    const auto started = startLoggedIn(office, {});
    QVERIFY2(started, qPrintable(office.error()));
    PlatformHttp &http = *started;
    QFile deck(office.dataDir() + "/doc/library/templates/template-5.pptx");
    QVERIFY(deck.open(QIODevice::ReadOnly));
    const QString path = http.upload(deck.readAll(), "newfile.pptx", "application/vnd.ms-powerpoint").data().value("filepath").toString();
    QVERIFY(!path.isEmpty());
    QCOMPARE(http.post("/v2.0/client/FileClass/save", {{"name", QStringLiteral("渲染测试")}, {"fileSrc", path}}).code(), 1);
    auto slides = [&] {
        const QJsonArray list = http.list().data().value("list").toArray();
        return list.first().toObject().value("pptFiles").toArray();
    };
    QCOMPARE(slides().size(), 1); // the painted cover at once
    // LibreOffice renders the four slides in the background.
    QTRY_COMPARE_WITH_TIMEOUT(slides().size(), 4, 120000);
    for (const QJsonValue &v : slides()) {
        const HttpReply picture = http.get(QUrl(v.toString()).path());
        QCOMPARE(picture.status, 200);
        QVERIFY(!QImage::fromData(picture.body).isNull());
    }
}

void tst_platform_uploads::unclaimedUploadRemoved()
{
    // An upload whose record never comes is removed after the grace period;
    // the ones a record claims stay.
    PlatformFixture platform;
    const auto started = startLoggedIn(platform, {"--no-office", "--upload-grace", "2"});
    QVERIFY2(started, qPrintable(platform.error()));
    PlatformHttp &http = *started;
    auto upload = [&](const QString &name, const QByteArray &type) {
        return http.upload(QByteArray(100, 'u'), name, type, "file", true).data().value("filepath").toString();
    };
    const QString orphan = upload("orphan.png", "image/png");
    const QString picture = upload("own.png", "image/png");
    const QString video = upload("v.mp4", "video/mp4");
    QVERIFY(!orphan.isEmpty() && !picture.isEmpty() && !video.isEmpty());
    QCOMPARE(http.post("/v2.0/file/FileController/save", pictureRecord(picture)).code(), 1);
    QCOMPARE(http.post("/v2.0/client/SmallClass/save", {{"name", QStringLiteral("微课")}, {"fileSrc", video}}).code(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(http.get("/doc" + orphan).status, 404, 15000);
    QCOMPARE(http.get("/doc" + picture).status, 200);
    QCOMPARE(http.get("/video" + video).status, 200);
}

void tst_platform_uploads::ranges_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("range");
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("from");
    QTest::addColumn<qint64>("length");
    const QString video = "/video/library/video-1.mp4";
    const QByteArray mp4 = "video/mp4";
    QTest::newRow("whole file") << video << mp4 << QByteArray() << 200 << qint64(0) << qint64(-1);
    QTest::newRow("first bytes") << video << mp4 << QByteArray("bytes=0-99") << 206 << qint64(0) << qint64(100);
    QTest::newRow("open end") << video << mp4 << QByteArray("bytes=1000-") << 206 << qint64(1000) << qint64(-1);
    QTest::newRow("last bytes") << video << mp4 << QByteArray("bytes=-64") << 206 << qint64(-64) << qint64(64);
    QTest::newRow("end past the file") << video << mp4 << QByteArray("bytes=100-999999999") << 206 << qint64(100) << qint64(-1);
    QTest::newRow("start past the file") << video << mp4 << QByteArray("bytes=999999999-") << 416 << qint64(0) << qint64(0);
    QTest::newRow("photo") << "/doc/library/images/photo-1-1.jpg" << QByteArray("image/jpeg") << QByteArray() << 200 << qint64(0)
                           << qint64(-1);
    QTest::newRow("deck") << "/doc/library/templates/template-1.pptx"
                          << QByteArray("application/vnd.openxmlformats-officedocument.presentationml.presentation") << QByteArray()
                          << 200 << qint64(0) << qint64(-1);
}

void tst_platform_uploads::ranges()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, range);
    QFETCH(int, status);
    QFETCH(qint64, from);
    QFETCH(qint64, length);
    const QByteArray file = TestEnvironment::readFile(m_platform.dataDir() + path);
    QVERIFY(file.size() > 1000);
    QList<QPair<QByteArray, QByteArray>> headers;
    if (!range.isEmpty())
        headers.append({"Range", range});
    const HttpReply r = m_http->get(path, headers);
    QCOMPARE(r.status, status);
    const qint64 size = file.size();
    if (status == 416) {
        QCOMPARE(r.header("Content-Range"), "bytes */" + QByteArray::number(size));
        return;
    }
    QCOMPARE(r.header("Accept-Ranges"), QByteArray("bytes"));
    QCOMPARE(r.header("Content-Type"), type);
    QCOMPARE(r.header("Content-Length").toLongLong(), qint64(r.body.size()));
    const qint64 start = from < 0 ? size + from : from;
    const qint64 n = length < 0 ? size - start : length;
    QCOMPARE(r.body, file.mid(int(start), int(n)));
    if (status == 206)
        QCOMPARE(r.header("Content-Range"), QStringLiteral("bytes %1-%2/%3").arg(start).arg(start + n - 1).arg(size).toLatin1());
}

void tst_platform_uploads::decksOpenInImpress_data()
{
    QTest::addColumn<QString>("deck");
    QTest::addColumn<int>("pages");
    QTest::newRow("blank template deck") << QString() << 1;
    QTest::newRow("template") << "/doc/library/templates/template-10.pptx" << 4;
    QTest::newRow("courseware with a picture") << "/doc/courseware/cw-6.pptx" << 4;
}

void tst_platform_uploads::decksOpenInImpress()
{
    QFETCH(QString, deck);
    QFETCH(int, pages);
    const QString soffice = QStandardPaths::findExecutable("soffice");
    if (soffice.isEmpty())
        QSKIP("LibreOffice is not installed");
    QString path = m_work.filePath(QString("deck-%1.pptx").arg(pages * 100 + deck.size()));
    if (deck.isEmpty()) {
        QCOMPARE(QProcess::execute(QStringLiteral(LUMEXA_PLATFORM_BIN), {"--blank-deck", path}), 0);
    } else {
        QVERIFY(QFile::copy(m_platform.dataDir() + deck, path));
    }
    QVERIFY(TestEnvironment::readFile(path).startsWith("PK\x03\x04"));

    QProcess office;
    office.start(soffice, {"--headless", "--norestore", "-env:UserInstallation=" + QUrl::fromLocalFile(m_work.filePath("profile")).toString(),
                             "--convert-to", "pdf", "--outdir", m_work.path(), path});
    office.closeWriteChannel();
    QVERIFY(office.waitForFinished(180000));
    QFile pdf(QFileInfo(path).absolutePath() + "/" + QFileInfo(path).completeBaseName() + ".pdf");
    QVERIFY2(pdf.open(QIODevice::ReadOnly), qPrintable(office.readAll()));
    QSizeF size;
    QCOMPARE(pdfPages(pdf.readAll(), &size), pages);
    // 16:9 widescreen.
    QVERIFY(size.height() > 0);
    QVERIFY(qAbs(size.width() / size.height() - 16.0 / 9.0) < 0.01);
}

LUMEXA_TEST_MAIN(tst_platform_uploads)
#include "tst_platform_uploads.moc"
