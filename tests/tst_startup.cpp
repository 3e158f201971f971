// Start-up checks: cache directory, scratch folder cleaning, the template
// deck copy and the single-instance lock, in-process and with the program.
#include "LumexaTest.h"

#include "Widgetmain.h"

#include <QProcess>
#include <QTemporaryDir>

class tst_startup : public QObject
{
    Q_OBJECT

private slots:
    void scratchFolderCleaned();
    void templateDeckCopiedOnce();
    void secondProgramRefused();

private:
    static void write(const QString &path, const QByteArray &data)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
};

void tst_startup::scratchFolderCleaned()
{
    QTemporaryDir data;
    write(data.filePath("source/pptemp/newfile.pptx"), "old");
    write(data.filePath("source/pptemp/.hidden"), "old");
    write(data.filePath("source/pptemp/keep/inner.txt"), "kept");
    write(data.filePath("source/lstemp"), "teacher01");
    QVERIFY(Widgetmain::prepareCacheDirectory(data.path()));
    QCOMPARE(sourceDir, data.path() + "/source/");
    QVERIFY(!QFile::exists(data.filePath("source/pptemp/newfile.pptx")));
    QVERIFY(!QFile::exists(data.filePath("source/pptemp/.hidden")));
    QVERIFY(QFile::exists(data.filePath("source/pptemp/keep/inner.txt")));
    QVERIFY(QFile::exists(data.filePath("source/lstemp")));

    QTemporaryDir fresh;
    QVERIFY(Widgetmain::prepareCacheDirectory(fresh.path() + "/deep/er"));
    QVERIFY(QDir(fresh.path() + "/deep/er/source/pptemp").exists());
}

void tst_startup::templateDeckCopiedOnce()
{
    QTemporaryDir data;
    QTemporaryDir app;
    write(app.filePath("source/lumexa.pptx"), "shipped");
    QVERIFY(Widgetmain::prepareCacheDirectory(data.path()));
    Widgetmain::installTemplateDeck(app.path());
    QFile copy(sourceDir + "lumexa.pptx");
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("shipped"));
    copy.close();

    write(sourceDir + "lumexa.pptx", "teacher's own");
    Widgetmain::installTemplateDeck(app.path());
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("teacher's own"));
}

void tst_startup::secondProgramRefused()
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_DATA_HOME", home.path() + "/data");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LUMEXA_API_BASE", "http://127.0.0.1:9");
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QStringLiteral(LUMEXA_CLIENT_BIN), QStringList());
    QVERIFY(first.waitForStarted());
    const QString lock = home.path() + "/data/Lumexa/lumexa/source/appName.app.lock";
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 20000);

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(LUMEXA_CLIENT_BIN), QStringList());
    // It warns and then ends by itself.
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(QString::fromUtf8(second.readAllStandardError()).contains(QStringLiteral("客户端已经在运行.")));
    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

LUMEXA_TEST_MAIN(tst_startup)
#include "tst_startup.moc"
