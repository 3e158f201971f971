// The encoder child process: command lines, real cuts and thumbnails
// checked with ffprobe, runs that must not hang, the filmstrip cache.
#include "LumexaTest.h"
#include "media/TestMedia.h"

#include "EncoderProcess.h"
#include "Filmstrip.h"
#include "Widgetmain.h"

#include <QImage>
#include <QTemporaryDir>

namespace {
// The frame shown at seconds, decoded exactly by ffmpeg.
QImage frameAt(const QString &video, double seconds)
{
    QProcess p;
    p.start("ffmpeg", {"-v", "error", "-i", video, "-vf", QStringLiteral("select=gte(t\\,%1)").arg(seconds),
                       "-frames:v", "1", "-f", "image2pipe", "-c:v", "png", "-"});
    p.waitForFinished(30000);
    return QImage::fromData(p.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

// Mean difference of the grey levels of two pictures of one size.
double difference(const QImage &a, const QImage &b)
{
    if (a.isNull() || a.size() != b.size())
        return 1e9;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return sum / (a.width() * a.height());
}
}

class tst_encoderprocess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void arguments_data();
    void arguments();
    void realCut();
    void existingOutputEndsInsteadOfWaiting();
    void missingProgramStillFinishes();
    void filmstripMadeOnceThenCached();

private:
    QTemporaryDir dir;
    QString sixty;
};

void tst_encoderprocess::initTestCase()
{
    QVERIFY(dir.isValid());
    sixty = dir.filePath("sixty.mp4");
    QVERIFY(TestMedia::make(sixty, 60));
}

void tst_encoderprocess::arguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("cut over an hour")
        << EncoderProcess::cutArguments("/in/put.mp4", QTime(0, 0, 5), QTime(1, 15, 10), "/out/tempv.mp4")
        << QStringList{"-ss", "00:00:05", "-i", "/in/put.mp4", "-r", "25", "-t", "01:15:05", "/out/tempv.mp4"};
    // Whole seconds of the clock, as the start is written: 1 s to 4 s.
    QTest::newRow("cut with milliseconds dropped")
        << EncoderProcess::cutArguments("/in/put.mp4", QTime(0, 0, 1, 900), QTime(0, 0, 4, 100), "/out/tempv.mp4")
        << QStringList{"-ss", "00:00:01", "-i", "/in/put.mp4", "-r", "25", "-t", "00:00:03", "/out/tempv.mp4"};
    const QString url = QStringLiteral("http://127.0.0.1:8360/video/2024/a b.mp4");
    QTest::newRow("thumbnail") << EncoderProcess::thumbnailArguments(url, "/cache/source/17.png")
                               << QStringList{"-ss", "00:00:01", "-i", url, "-vframes", "1", "/cache/source/17.png"};
}

void tst_encoderprocess::arguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);
    QCOMPARE(arguments, expected);
}

void tst_encoderprocess::realCut()
{
    const QString out = dir.filePath("tempv.mp4");
    EncoderProcess process;
    bool existedAtFinish = false;
    // A slot that takes only the exit code, as the pages connect it.
    connect(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [&](int) { existedAtFinish = QFile::exists(out); });
    QSignalSpy finished(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    QSignalSpy progress(&process, &EncoderProcess::progress);
    process.startCut(sixty, QTime(0, 0, 50), QTime(0, 1, 0), out);
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.first().at(0).toInt(), 0);
    QVERIFY(existedAtFinish);
    QCOMPARE(TestMedia::probeFrames(out), 250);
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.last().at(0).toInt(), 100);
    // The seek before the input still starts on the frame at 50 s, not on
    // the key frame before it nor on a neighbour.
    const QImage first = frameAt(out, 0);
    const double atStart = difference(first, frameAt(sixty, 50.0));
    const double neighbour = difference(first, frameAt(sixty, 49.96));
    QVERIFY2(atStart * 3 < neighbour, qPrintable(QStringLiteral("%1 against %2").arg(atStart).arg(neighbour)));
}

void tst_encoderprocess::existingOutputEndsInsteadOfWaiting()
{
    // Two workers for one id: the second finds the first one's picture.
    const QString out = dir.filePath("taken.png");
    QVERIFY(TestEnvironment::writeFile(out, "first"));
    EncoderProcess process;
    QSignalSpy finished(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    process.startThumbnail(sixty, out);
    QVERIFY(finished.wait(30000));
    QVERIFY(finished.first().at(0).toInt() != 0);
    QCOMPARE(TestEnvironment::readFile(out), QByteArray("first"));
}

void tst_encoderprocess::missingProgramStillFinishes()
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir.filePath("no-such-dir")));
    EncoderProcess process;
    QSignalSpy finished(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    process.startCut(sixty, QTime(0, 0, 0), QTime(0, 0, 1), dir.filePath("never.mp4"));
    qputenv("PATH", path);
    // Never inside start(): the caller shows its busy picture after starting.
    QCOMPARE(finished.count(), 0);
    QVERIFY(finished.wait(10000));
    QTest::qWait(200);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().at(1).value<QProcess::ExitStatus>(), QProcess::CrashExit);
}

void tst_encoderprocess::filmstripMadeOnceThenCached()
{
    QTemporaryDir cache;
    sourceDir = cache.path() + "/";
    const QString other = dir.filePath("other.mp4");
    QVERIFY(QFile::copy(sixty, other));
    Filmstrip strip;
    strip.resize(640, 52);
    QSignalSpy ready(&strip, &Filmstrip::ready);
    // Another video opened before the first strip is made: only the
    // second is made, and nothing of the first is left.
    strip.setVideo(other, 60000);
    strip.setVideo(sixty, 60000);
    QVERIFY(ready.wait(60000));
    QTest::qWait(200);
    QCOMPARE(ready.count(), 1);
    const int count = Filmstrip::countFor(640);
    QCOMPARE(strip.strip().size(), QSize(count * 80, 45));
    const QStringList files = QDir(cache.filePath("filmstrip")).entryList(QDir::Files);
    QCOMPARE(files, QStringList{QFileInfo(Filmstrip::cachePath(sixty, count)).fileName()});
    // The second open takes it from the cache at once.
    Filmstrip again;
    again.resize(640, 52);
    QSignalSpy againReady(&again, &Filmstrip::ready);
    again.setVideo(sixty, 60000);
    QCOMPARE(againReady.count(), 1);
    QCOMPARE(again.strip(), strip.strip());
    sourceDir.clear();
}

LUMEXA_TEST_MAIN(tst_encoderprocess)
#include "tst_encoderprocess.moc"
