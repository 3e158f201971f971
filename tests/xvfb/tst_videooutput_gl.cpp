// The player on a real X server: video through OpenGL in a QOpenGLWidget,
// checked on the screen itself.
#include "LumexaTest.h"
#include "WidgetDriver.h"
#include "../media/TestMedia.h"

#include "MediaPlayer.h"
#include "QTAVPlayer.h"
#include "VideoOutput.h"

#include <QProcess>
#include <QTemporaryDir>

class tst_videooutput_gl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void popupShowsFramesAndCloses();

private:
    QTemporaryDir dir;
    QString media;
};

void tst_videooutput_gl::initTestCase()
{
    qputenv("LUMEXA_MPV_AO", "null");
    media = dir.filePath("six.mp4");
    QVERIFY(TestMedia::make(media, 6));
    QVERIFY2(VideoOutput::openGLAvailable(), "no OpenGL context on this X server");
}

void tst_videooutput_gl::popupShowsFramesAndCloses()
{
    // Played before the popup's surface has ever been painted.
    QTAVPlayer *popup = QTAVPlayer::popup();
    popup->move(100, 80);
    popup->resize(640, 480);
    popup->showAndPlay(media);
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    VideoOutput *out = popup->videoOutput();
    QWidget *video = out->widget();
    QCOMPARE(out->backend(), VideoOutput::OpenGL);
    QVERIFY(WidgetDriver::waitFor([&] { return out->framesRendered() >= 10; }));
    popup->player()->pause(true);
    popup->upDateSliderTimer();
    QTest::qWait(300);

    TestEnvironment::screenshot(popup, QStringLiteral("popup-opengl"));
    const QString screen = TestEnvironment::screenshot(nullptr, QStringLiteral("popup-opengl-screen"));
    QCOMPARE(QProcess::execute("import", {"-window", "root", screen}), 0);
    const QImage root(screen);
    QVERIFY(!root.isNull());
    const int onScreen = TestMedia::colourCount(root, QRect(video->mapToGlobal(QPoint(0, 0)), video->size()));
    QVERIFY2(onScreen > 12, qPrintable(QString::number(onScreen)));

    QVERIFY(WidgetDriver::click(popup, "pushButton_X"));
    QVERIFY(!popup->isVisible());
    QVERIFY(!popup->isTicking());
    QVERIFY(!popup->player()->isPlaying());
    // Kept for the next tile.
    QCOMPARE(QTAVPlayer::popup(), popup);
    delete popup;
}

LUMEXA_TEST_MAIN(tst_videooutput_gl)
#include "tst_videooutput_gl.moc"
