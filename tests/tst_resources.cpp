// Every picture, animation and translation the client addresses by resource
// path must be in the bundle and load.
#include "LumexaTest.h"

#include <QDirIterator>
#include <QMovie>
#include <QPixmap>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>

class tst_resources : public QObject
{
    Q_OBJECT

private slots:
    void picture_data();
    void picture();
    void spinnerAnimates();
    void translationTranslatesDialogs();
};

void tst_resources::picture_data()
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

void tst_resources::picture()
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

void tst_resources::spinnerAnimates()
{
    QMovie movie(QStringLiteral(":/gif/gif/move03.gif"));
    QVERIFY(movie.isValid());
    QVERIFY(movie.frameCount() > 1);
    QVERIFY(movie.jumpToFrame(0));
    const QImage a = movie.currentImage();
    QVERIFY(movie.jumpToFrame(1));
    QVERIFY(!a.isNull());
    QVERIFY(a != movie.currentImage());
}

void tst_resources::translationTranslatesDialogs()
{
    QTranslator t;
    QVERIFY(t.load(QStringLiteral(":/png/qt_zh_CN.qm")));
    QCOMPARE(t.translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    // The application installs it at start-up.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
}

LUMEXA_TEST_MAIN(tst_resources)
#include "tst_resources.moc"
