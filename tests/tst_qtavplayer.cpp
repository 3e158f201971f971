// The video player over libmpv, on real files from disk and from the
// stand-in's video storage.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "WidgetDriver.h"
#include "media/TestMedia.h"

#include "MediaPlayer.h"
#include "QTAVPlayer.h"
#include "VideoOutput.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>

class tst_qtavplayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void seeks_data();
    void seeks();
    void clickOnVideoPausesOnAFrame();
    void missingFileThenEndAndReplay();

private:
    // Plays path in the player and waits until it is open.
    bool playAndWait(QTAVPlayer *p, const QString &path);

    QTemporaryDir dir;
    QString sixSeconds;
    QString threeSeconds;
    PlatformFixture platform;
    QString remote; // the stand-in's video storage
    QTAVPlayer *player = nullptr;
};

void tst_qtavplayer::initTestCase()
{
    QVERIFY(dir.isValid());
    sixSeconds = dir.filePath("six.mp4");
    threeSeconds = dir.filePath("three.mp4");
    QVERIFY(TestMedia::make(sixSeconds, 6));
    QVERIFY(TestMedia::make(threeSeconds, 3));
    QVERIFY2(platform.start({"--no-office"}), qPrintable(platform.error()));
    remote = platform.baseUrl() + "/video/";
    QVERIFY(QFile::copy(sixSeconds, platform.dataDir() + "/video/six.mp4"));
}

void tst_qtavplayer::init()
{
    volumeHidden = false;
    videoDurationText = QStringLiteral("0时0分0秒");
    player = new QTAVPlayer;
    player->resize(837, 543);
    player->show();
    QVERIFY(QTest::qWaitForWindowExposed(player));
}

void tst_qtavplayer::cleanup()
{
    TestEnvironment::screenshotIfFailed(player);
    delete player;
    player = nullptr;
}

bool tst_qtavplayer::playAndWait(QTAVPlayer *p, const QString &path)
{
    QSignalSpy loaded(p->player(), &MediaPlayer::loaded);
    p->playFile(path);
    return (loaded.count() > 0 || loaded.wait(10000)) && p->player()->duration() > 0;
}

void tst_qtavplayer::seeks_data()
{
    QTest::addColumn<bool>("fromStorage");
    QTest::newRow("click on the slider") << false;
    QTest::newRow("to a time, from the video storage") << true;
}

void tst_qtavplayer::seeks()
{
    QFETCH(bool, fromStorage);
    QVERIFY(playAndWait(player, fromStorage ? remote + "six.mp4" : sixSeconds));
    QVERIFY(player->isTicking());
    MediaPlayer *mp = player->player();
    QVERIFY(WidgetDriver::waitFor([&] { return mp->isSeekable(); }));
    mp->pause(true);
    QSlider *slider = player->seekSlider();
    QSignalSpy seekDone(mp, &MediaPlayer::seekFinished);
    const int width = slider->width();
    qint64 expected = 4000;
    if (fromStorage) {
        player->seekToTime(QTime(0, 0, 4));
    } else {
        QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(width / 2, slider->height() / 2));
        expected = 6000 * (width / 2) / width;
    }
    QVERIFY(seekDone.count() > 0 || seekDone.wait(5000));
    QSignalSpy moved(mp, &MediaPlayer::positionChanged);
    moved.wait(500);
    QVERIFY2(qAbs(mp->position() - expected) <= 40,
             qPrintable(QStringLiteral("%1 vs %2").arg(mp->position()).arg(expected)));
    player->upDateSliderTimer();
    QCOMPARE(slider->value(), int(mp->position() / 1000));
    QCOMPARE(WidgetDriver::find<QLabel>(player, "label_time")->text(), QTAVPlayer::clockText(mp->position()) + "/00:00:06");
}

void tst_qtavplayer::clickOnVideoPausesOnAFrame()
{
    QCOMPARE(player->videoOutput()->backend(), VideoOutput::Software);
    VideoOutput *out = player->videoOutput();
    QSignalSpy frames(out, &VideoOutput::frameRendered);
    QVERIFY(playAndWait(player, sixSeconds));
    MediaPlayer *mp = player->player();
    auto *button = WidgetDriver::find<QPushButton>(player, "pushButton_play");
    QVERIFY(WidgetDriver::waitFor([&] { return frames.count() >= 10; }));
    QWidget *video = out->widget();
    auto press = [&] { QTest::mouseClick(video, Qt::LeftButton, Qt::NoModifier, video->rect().center()); };

    press();
    QVERIFY(mp->isPaused());
    QVERIFY(mp->isPlaying());
    player->upDateSliderTimer();
    QVERIFY(button->isChecked());
    // A frame already under way may still land; after that time stands still.
    QTest::qWait(200);
    const qint64 at = mp->position();
    QTest::qWait(300);
    QCOMPARE(mp->position(), at);

    // The paused frame is on screen.
    const QImage shot = player->grab().toImage();
    TestEnvironment::screenshot(player, QStringLiteral("player-software"));
    const int colours = TestMedia::colourCount(shot, video->geometry().translated(video->parentWidget()->pos()));
    QVERIFY2(colours > 12, qPrintable(QString::number(colours)));

    press();
    QVERIFY(!mp->isPaused());
    player->upDateSliderTimer();
    QVERIFY(!button->isChecked());
    QVERIFY(WidgetDriver::waitFor([&] { return mp->position() > at + 200; }));
}

void tst_qtavplayer::missingFileThenEndAndReplay()
{
    QSignalSpy error(player->player(), &MediaPlayer::error);
    player->playFile(dir.filePath("nothing-here.mp4"));
    QVERIFY(error.wait(10000));
    QVERIFY(!player->player()->isPlaying());
    player->upDateSliderTimer();
    QCOMPARE(WidgetDriver::find<QLabel>(player, "label_time")->text(), QStringLiteral("00:00:00/00:00:00"));
    QCOMPARE(videoDurationText, QStringLiteral("0时0分0秒"));

    // The same player then plays a file to its end.
    QVERIFY(playAndWait(player, threeSeconds));
    MediaPlayer *mp = player->player();
    QSignalSpy stopped(mp, &MediaPlayer::stopped);
    QVERIFY(stopped.wait(10000));
    QVERIFY(!mp->isPlaying());
    player->upDateSliderTimer();
    QCOMPARE(WidgetDriver::find<QLabel>(player, "label_time")->text(), QStringLiteral("00:00:03/00:00:03"));
    QVERIFY(WidgetDriver::find<QPushButton>(player, "pushButton_play")->isChecked());

    // Not playing: the button replays the file from the start.
    QVERIFY(WidgetDriver::click(player, "pushButton_play"));
    QVERIFY(WidgetDriver::waitFor([&] { return mp->position() > 300 && mp->position() < 2500; }));
}

LUMEXA_TEST_MAIN(tst_qtavplayer)
#include "tst_qtavplayer.moc"
