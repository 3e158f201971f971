// Start-up checks: cache directory, scratch folder cleaning, the template
// deck copy and the single-instance lock, in-process and with the program;
// every picture and translation the client addresses by resource path is in
// the bundle and loads.
#include "LumexaTest.h"

#include "Widgetmain.h"

#include <QDirIterator>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

class tst_startup : public QObject
{
    Q_OBJECT

private slots:
    void dataFolderPrepared();
    void secondProgramRefused();
    void picture_data();
    void picture();
    void translationTranslatesDialogs();
};

void tst_startup::dataFolderPrepared()
{
    QTemporaryDir data;
    QTemporaryDir app;
    QVERIFY(TestEnvironment::writeFile(app.filePath("source/lumexa.pptx"), "shipped"));
    QVERIFY(TestEnvironment::writeFile(data.filePath("source/pptemp/newfile.pptx"), "old"));
    QVERIFY(TestEnvironment::writeFile(data.filePath("source/pptemp/.hidden"), "old"));
    QVERIFY(TestEnvironment::writeFile(data.filePath("source/pptemp/keep/inner.txt"), "kept"));
    QVERIFY(TestEnvironment::writeFile(data.filePath("source/lstemp"), "teacher01"));
    QVERIFY(Widgetmain::prepareCacheDirectory(data.path()));
    QCOMPARE(sourceDir, data.path() + "/source/");
    QVERIFY(!QFile::exists(data.filePath("source/pptemp/newfile.pptx")));
    QVERIFY(!QFile::exists(data.filePath("source/pptemp/.hidden")));
    QVERIFY(QFile::exists(data.filePath("source/pptemp/keep/inner.txt")));
    QVERIFY(QFile::exists(data.filePath("source/lstemp")));

    Widgetmain::installTemplateDeck(app.path());
    QCOMPARE(TestEnvironment::readFile(sourceDir + "lumexa.pptx"), QByteArray("shipped"));
    QVERIFY(TestEnvironment::writeFile(sourceDir + "lumexa.pptx", "teacher's own"));
    Widgetmain::installTemplateDeck(app.path());
    QCOMPARE(TestEnvironment::readFile(sourceDir + "lumexa.pptx"), QByteArray("teacher's own"));

    QTemporaryDir fresh;
    QVERIFY(Widgetmain::prepareCacheDirectory(fresh.path() + "/deep/er"));
    QVERIFY(QDir(fresh.path() + "/deep/er/source/pptemp").exists());
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
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(QString::fromUtf8(second.readAllStandardError()).contains(QStringLiteral("客户端已经在运行.")));
    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

void tst_startup::picture_data()
{
    QTest::addColumn<QString>("path");
    // Every picture path written in the client's sources and forms.
    const QRegularExpression literal(QStringLiteral(":/[A-Za-z0-9_/.-]+\\.(png|jpg|gif)"));
    QSet<QString> paths;
    for (const char *dir : {"app", "courseware", "libraries", "microlecture", "net", "widgets", "help", "platform",
                            "forms"}) {
        QDirIterator it(QStringLiteral(LUMEXA_SOURCE_DIR "/") + QLatin1String(dir), {"*.cpp", "*.h", "*.ui"},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            QVERIFY(f.open(QIODevice::ReadOnly));
            auto m = literal.globalMatch(QString::fromUtf8(f.readAll()));
            while (m.hasNext())
                paths.insert(m.next().captured());
        }
    }
    QVERIFY(paths.size() > 50);
    QStringList sorted = paths.values();
    sorted.sort();
    for (const QString &path : sorted)
        QTest::newRow(qPrintable(path)) << path;
}

void tst_startup::picture()
{
    QFETCH(QString, path);
    const QPixmap pix(path);
    QVERIFY2(!pix.isNull(), qPrintable(path));
    QVERIFY(pix.width() >= 4 && pix.height() >= 4);
    // A picture of one flat colour (or all transparent) is a placeholder.
    const QImage img = pix.toImage().convertToFormat(QImage::Format_ARGB32);
    bool varied = false;
    const QRgb first = img.pixel(0, 0);
    for (int y = 0; y < img.height() && !varied; y += 2)
        for (int x = 0; x < img.width() && !varied; x += 2)
            varied = img.pixel(x, y) != first;
    QVERIFY2(varied, qPrintable(path + " is blank"));
}

void tst_startup::translationTranslatesDialogs()
{
    // The application installs ":/png/qt_zh_CN.qm" at start-up.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
}

LUMEXA_TEST_MAIN(tst_startup)
#include "tst_startup.moc"
