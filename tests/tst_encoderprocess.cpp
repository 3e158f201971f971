// The encoder child process: where the program is, the cut's command line
// argument by argument, and the runs that must not hang. Real cuts are
// checked with ffprobe in tst_videoeditor.

#include "LumexaTest.h"
#include "media/TestMedia.h"

#include "EncoderProcess.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {
QString shellQuote(const QString &s)
{
    QString q = s;
    q.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}
}

class tst_encoderprocess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void programLocation_data();
    void programLocation();
    void cutArguments_data();
    void cutArguments();
    void existingOutputEndsInsteadOfWaiting();
    void missingProgramStillFinishes();
    void benchCutAgainstDirectRun();

private:
    QTemporaryDir dir;
    QString sixSeconds;
};

void tst_encoderprocess::initTestCase()
{
    QVERIFY(dir.isValid());
    sixSeconds = dir.filePath("six.mp4");
    QVERIFY(TestMedia::make(sixSeconds, 6));
}

void tst_encoderprocess::programLocation_data()
{
    QTest::addColumn<QString>("bundled");  // "", "executable" or "plain file"
    QTest::addColumn<bool>("expectBundled");
    QTest::newRow("nothing below the application") << "" << false;
    QTest::newRow("bundled executable") << "executable" << true;
    QTest::newRow("bundled file that cannot run") << "plain file" << false;
}

void tst_encoderprocess::programLocation()
{
    QFETCH(QString, bundled);
    QFETCH(bool, expectBundled);
    QTemporaryDir appDir;
    const QString path = appDir.path() + "/ffmpeg/bin/ffmpeg";
    if (!bundled.isEmpty()) {
        QVERIFY(QDir().mkpath(appDir.path() + "/ffmpeg/bin"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        if (bundled == "executable")
            QVERIFY(f.setPermissions(f.permissions() | QFile::ExeOwner));
    }
    const QString program = EncoderProcess::programIn(appDir.path());
    if (expectBundled) {
        QCOMPARE(program, path);
    } else {
        QCOMPARE(QFileInfo(program).fileName(), QStringLiteral("ffmpeg"));
        QVERIFY(QFileInfo(program).isExecutable());
        QVERIFY(!program.startsWith(appDir.path()));
    }
    // The test program has no encoder below it either.
    QCOMPARE(EncoderProcess::program(), QStandardPaths::findExecutable("ffmpeg"));
}

void tst_encoderprocess::cutArguments_data()
{
    QTest::addColumn<QTime>("start");
    QTest::addColumn<QTime>("end");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QString>("lengthText");
    QTest::newRow("over an hour") << QTime(0, 0, 5) << QTime(1, 15, 10) << "00:00:05" << "01:15:05";
    // Whole seconds of the clock, as the start is written: 1 s to 4 s.
    QTest::newRow("milliseconds dropped") << QTime(0, 0, 1, 900) << QTime(0, 0, 4, 100) << "00:00:01" << "00:00:03";
}

void tst_encoderprocess::cutArguments()
{
    QFETCH(QTime, start);
    QFETCH(QTime, end);
    QFETCH(QString, startText);
    QFETCH(QString, lengthText);
    // A list compare names the first argument that differs.
    QCOMPARE(EncoderProcess::cutArguments("/in/put.mp4", start, end, "/out/tempv.mp4"),
             (QStringList{"-i", "/in/put.mp4", "-r", "25", "-ss", startText, "-t", lengthText, "/out/tempv.mp4"}));
}

void tst_encoderprocess::existingOutputEndsInsteadOfWaiting()
{
    // Two workers for one id: the second finds the first one's picture.
    const QString out = dir.filePath("taken.png");
    {
        QFile f(out);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("first");
    }
    EncoderProcess process;
    QSignalSpy finished(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    process.startThumbnail(sixSeconds, out);
    QVERIFY(finished.wait(30000));
    QVERIFY(finished.first().at(0).toInt() != 0);
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("first"));
}

void tst_encoderprocess::missingProgramStillFinishes()
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir.filePath("no-such-dir")));
    EncoderProcess process;
    QSignalSpy finished(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    process.startCut(sixSeconds, QTime(0, 0, 0), QTime(0, 0, 1), dir.filePath("never.mp4"));
    qputenv("PATH", path);
    // Never inside start(): the caller shows its busy picture after starting.
    QCOMPARE(finished.count(), 0);
    QVERIFY(finished.wait(10000));
    QTest::qWait(200);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().at(1).value<QProcess::ExitStatus>(), QProcess::CrashExit);
    QVERIFY(!QFile::exists(dir.filePath("never.mp4")));
}

// Run by scripts/bench-encoder: a cut through the client's encoder code and
// the same command run directly, side by side.
void tst_encoderprocess::benchCutAgainstDirectRun()
{
    if (qEnvironmentVariableIsEmpty("LUMEXA_BENCH"))
        QSKIP("benchmark: set LUMEXA_BENCH=1 (scripts/bench-encoder)");
    const QString input = dir.filePath("bench.mp4");
    {
        QProcess p;
        p.start("ffmpeg", {"-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                           "testsrc=duration=20:size=640x360:rate=25", "-f", "lavfi", "-i",
                           "sine=frequency=440:duration=20", "-c:v", "libx264", "-pix_fmt", "yuv420p",
                           "-c:a", "aac", "-shortest", input});
        QVERIFY(p.waitForFinished(120000) && p.exitCode() == 0);
    }
    const QString out = dir.filePath("bench-out.mp4");
    const QTime start(0, 0, 5), end(0, 0, 10);
    const QStringList args = EncoderProcess::cutArguments(input, start, end, out);
    QString command = shellQuote(EncoderProcess::program());
    for (const QString &a : args)
        command += QLatin1Char(' ') + shellQuote(a);
    command += QStringLiteral(" </dev/null >/dev/null 2>&1");

    auto runClient = [&]() -> double {
        QFile::remove(out);
        QElapsedTimer t;
        t.start();
        EncoderProcess process;
        QSignalSpy finished(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
        process.startEncoder(args);
        if (!finished.wait(120000) || !QFile::exists(out))
            return -1;
        return t.nsecsElapsed() / 1e6;
    };
    auto runDirect = [&]() -> double {
        QFile::remove(out);
        QElapsedTimer t;
        t.start();
        if (std::system(command.toLocal8Bit().constData()) != 0 || !QFile::exists(out))
            return -1;
        return t.nsecsElapsed() / 1e6;
    };

    const int rounds = qMax(1, qEnvironmentVariableIntValue("LUMEXA_BENCH_ROUNDS"));
    QVector<double> client, direct;
    runClient();  // warm-up: caches, first exec
    runDirect();
    for (int i = 0; i < rounds; ++i) {
        // Alternate the order so that neither side always runs second.
        double c, d;
        if (i % 2) {
            d = runDirect();
            c = runClient();
        } else {
            c = runClient();
            d = runDirect();
        }
        QVERIFY(c > 0 && d > 0);
        client.append(c);
        direct.append(d);
    }
    for (int i = 0; i < client.size(); ++i)
        qInfo("bench round %d: client %.0f ms, direct %.0f ms", i + 1, client.at(i), direct.at(i));
    std::sort(client.begin(), client.end());
    std::sort(direct.begin(), direct.end());
    const double c = client.at(client.size() / 2), d = direct.at(direct.size() / 2);
    qInfo("bench cut 5 s of 640x360 (%d rounds, median): client encoder %.0f ms, direct ffmpeg %.0f ms, ratio %.3f",
          rounds, c, d, c / d);
}

LUMEXA_TEST_MAIN(tst_encoderprocess)
#include "tst_encoderprocess.moc"
