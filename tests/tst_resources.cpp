// Every picture, animation and translation the client addresses by resource
// path must be in the bundle and load.
#include "LumexaTest.h"

#include <QMovie>
#include <QPixmap>
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
    const char *paths[] = {
        ":/icon/pclogo/logo_64.png",
        ":/png/processing.png",
        ":/png/processingBk.png",
        ":/png/weikeluru/contraction.png",
        ":/png/weikeluru/extension.png",
        ":/png/weikeluru/pauseIcon.png",
        ":/png/weikeluru/startIcon.png",
        ":/png2/class4.png",
        ":/png2/class4b.png",
        ":/png4/helpcenter/helpBtnW.png",
        ":/png4/helpcenter/search1B.png",
        ":/png5/kejianluru/arrowG.png",
        ":/png5/kejianluru/backBtnG.png",
        ":/png5/kejianluru/backImg.png",
        ":/png5/kejianluru/blockSelectG.png",
        ":/png5/kejianluru/blockW.png",
        ":/png5/kejianluru/classInputG.png",
        ":/png5/kejianluru/classInputW.png",
        ":/png5/kejianluru/classInxG.png",
        ":/png5/kejianluru/classmodeP.png",
        ":/png5/kejianluru/deleteW.png",
        ":/png5/kejianluru/editclassP.png",
        ":/png5/kejianluru/headImg.png",
        ":/png5/kejianluru/imgLibG.png",
        ":/png5/kejianluru/insertImg.png",
        ":/png5/kejianluru/logo.png",
        ":/png5/kejianluru/logobig.png",
        ":/png5/kejianluru/msInputG.png",
        ":/png5/kejianluru/msInputW.png",
        ":/png5/kejianluru/mywareG.png",
        ":/png5/kejianluru/nonebkg.png",
        ":/png5/kejianluru/openG.png",
        ":/png5/kejianluru/openImg.png",
        ":/png5/kejianluru/outputImg.png",
        ":/png5/kejianluru/outputImgW.png",
        ":/png5/kejianluru/pptName.png",
        ":/png5/kejianluru/saveImg.png",
        ":/png5/kejianluru/shapeLib.png",
        ":/png5/kejianluru/slImgP.png",
        ":/png5/kejianluru/testInputG.png",
        ":/png5/kejianluru/testInputW.png",
        ":/png5/kejianluru/upImgG.png",
        ":/png5/kejianluru/upW.png",
        ":/png5/kejianluru/videoImgG.png",
        ":/png5/kejianluru/vieweyeG.png",
        ":/png6/login/background1.png",
        ":/png6/login/loadboy.png",
        ":/png6/login/logo.png",
        ":/png7/kejianluru/goldClassY.png",
        ":/png7/weikeluru/MP4.png",
        ":/png7/weikeluru/circleG.png",
        ":/png7/weikeluru/circleW.png",
        ":/png7/weikeluru/dingWG.png",
        ":/png7/weikeluru/fromwork.png",
        ":/png7/weikeluru/lightHand.png",
        ":/png7/weikeluru/lmxvideo.png",
        ":/png7/weikeluru/loveEdit.png",
        ":/png7/weikeluru/musW.png",
        ":/png7/weikeluru/mymsu.png",
        ":/png7/weikeluru/putmisP.png",
        ":/png7/weikeluru/shiyongzhinan.png",
        ":/png7/weikeluru/speedEdit.png",
        ":/png7/weikeluru/team24.png",
        ":/png7/weikeluru/toolG.png",
        ":/png7/weikeluru/videoptn.png",
    };
    for (const char *p : paths)
        QTest::newRow(p) << QString::fromLatin1(p);
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
