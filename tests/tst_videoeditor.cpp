// The video editing page and its toolbar on real videos made by ffmpeg:
// the range model, keys, real cuts checked with ffprobe, refusals and failures.
#include "LumexaTest.h"
#include "WidgetDriver.h"
#include "media/SliderGeometry.h"
#include "media/TestMedia.h"
#include "DialogAnswerer.h"

#include "FormAnimation.h"
#include "FormVideoCenter.h"
#include "FormVideoTop.h"
#include "MediaPlayer.h"
#include "QTAVPlayer.h"
#include "QxtSpanSlider.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QVBoxLayout>

class tst_videoeditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void rangeFromHandlesAndTimes();
    void subSecondVideoKeepsHandlesInRange();
    void keysSetAndPlayTheRange();
    void saveCutsTheRange();
    void failedCutKeepsTheState_data();
    void failedCutKeepsTheState();
    void exportWritesTheChosenFileNotItsInput();
    void saveTarget_data();
    void saveTarget();

private:
    bool openAndWait(const QString &path);
    QTimeEdit *startEdit() { return WidgetDriver::find<QTimeEdit>(center, "timeEdit_startTime"); }
    QTimeEdit *endEdit() { return WidgetDriver::find<QTimeEdit>(center, "timeEdit_endTime"); }
    QxtSpanSlider *slider() { return WidgetDriver::find<QxtSpanSlider>(center, "horizontalSlider3"); }
    QString lengthLabel() { return WidgetDriver::find<QLabel>(center, "labelTime6")->text(); }
    bool waitForMessage(const QString &text, int timeoutMs = 60000)
    {
        return WidgetDriver::waitFor([&] { return WidgetDriver::shownMessages().contains(text); }, timeoutMs);
    }

    QTemporaryDir dir;
    QString twenty;
    QString overAnHour;
    QString tenMinutes;
    QString halfSecond;
    QTemporaryDir *appDir = nullptr;
    std::unique_ptr<QWidget> host;
    FormVideoTop *top = nullptr;
    FormVideoCenter *center = nullptr;
    std::unique_ptr<DialogAnswerer> answers;
};

void tst_videoeditor::initTestCase()
{
    QVERIFY(dir.isValid());
    twenty = dir.filePath("twenty.mp4");
    tenMinutes = dir.filePath("ten-minutes.mp4");
    halfSecond = dir.filePath("half-second.mp4");
    overAnHour = dir.filePath("over-an-hour.mp4");
    QVERIFY(TestMedia::make(twenty, 20));
    QVERIFY(TestMedia::makeSilent(tenMinutes, 600, 1));
    QVERIFY(TestMedia::makeSilent(overAnHour, 4600, 1));
    QVERIFY(TestMedia::makeSilent(halfSecond, 0.5, 25));
}

void tst_videoeditor::init()
{
    savedVideoPath.clear();
    microLectureName.clear();
    answers.reset(new DialogAnswerer);
    appDir = new QTemporaryDir;
    // The toolbar over the page; its export reaches the page as in the
    // micro-lecture page.
    host.reset(new QWidget);
    auto *layout = new QVBoxLayout(host.get());
    layout->setContentsMargins(0, 0, 0, 0);
    top = new FormVideoTop(host.get());
    center = new FormVideoCenter(host.get());
    layout->addWidget(top);
    layout->addWidget(center);
    connect(top, &FormVideoTop::outputMicroClass, center, &FormVideoCenter::outputMicroClass);
    center->setApplicationDirectory(appDir->path());
    host->resize(1000, 800);
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host.get()));
}

void tst_videoeditor::cleanup()
{
    TestEnvironment::screenshotIfFailed(host.get());
    WidgetDriver::closeMessages();
    host.reset();
    answers.reset();
    delete appDir;
    appDir = nullptr;
}

bool tst_videoeditor::openAndWait(const QString &path)
{
    center->openVideo(path);
    const int length = int(TestMedia::probeDurationMs(path));
    // The range is spanned a second after the file opened.
    return WidgetDriver::waitFor([&] {
        return center->videoPlayer()->player()->isLoaded() && slider()->lowerValue() == 1
               && qAbs(QTime(0, 0).msecsTo(endEdit()->time()) - length) < 100;
    }, 15000);
}

void tst_videoeditor::rangeFromHandlesAndTimes()
{
    QVERIFY(openAndWait(tenMinutes));
    QxtSpanSlider *s = slider();
    const QPoint from = SliderGeometry::handleRect(s, s->lowerValue()).center();
    const QPoint to = SliderGeometry::handleRect(s, 250).center();
    WidgetDriver::drag(s, from, to);
    QVERIFY(qAbs(s->lowerValue() - 250) <= 3);
    const int expectedMs = int(600000.0 * (s->lowerValue() / 1000.0));
    QCOMPARE(QTime(0, 0).msecsTo(startEdit()->time()), expectedMs);
    QCOMPARE(lengthLabel(), QTime(0, 0).addSecs(600 - expectedMs / 1000).toString("hh:mm:ss"));
    // A later drag is followed as well: no ignore flag was left standing.
    WidgetDriver::drag(s, to, SliderGeometry::handleRect(s, 100).center());
    QCOMPARE(QTime(0, 0).msecsTo(startEdit()->time()), int(600000.0 * (s->lowerValue() / 1000.0)));

    // An end typed beyond the length stops at the length.
    startEdit()->setTime(QTime(0, 1, 0));
    endEdit()->setTime(QTime(0, 15, 0));
    QCOMPARE((QVariantList{startEdit()->time(), endEdit()->time(), s->lowerValue(), s->upperValue(), lengthLabel()}),
             (QVariantList{QTime(0, 1, 0), QTime(0, 10, 0), 100, 1000, "00:09:00"}));
    // A start typed later than the end goes back to the end; the handles stay apart.
    endEdit()->setTime(QTime(0, 3, 0));
    startEdit()->setTime(QTime(0, 3, 30));
    QCOMPARE((QVariantList{startEdit()->time(), endEdit()->time(), s->lowerValue(), s->upperValue(), lengthLabel()}),
             (QVariantList{QTime(0, 3, 0), QTime(0, 3, 0), 299, 300, "00:00:00"}));
}

void tst_videoeditor::subSecondVideoKeepsHandlesInRange()
{
    QVERIFY(openAndWait(halfSecond));
    const int length = center->mediaLength();
    QVERIFY(length > 0 && length < 1000);
    startEdit()->setTime(QTime(0, 0).addMSecs(200));
    QCOMPARE(slider()->lowerValue(), qMin(999, 200 * 1000 / length));
    endEdit()->setTime(QTime(0, 0).addMSecs(300));
    for (int v : {slider()->lowerValue(), slider()->upperValue()})
        QVERIFY2(v >= 0 && v <= 1000, qPrintable(QString::number(v)));
    QVERIFY(slider()->lowerValue() < slider()->upperValue());
    QCOMPARE(lengthLabel(), QStringLiteral("00:00:00"));
}

void tst_videoeditor::keysSetAndPlayTheRange()
{
    QVERIFY(openAndWait(twenty));
    QTimeEdit *start = startEdit();
    start->setFocus();
    start->selectAll();
    // The page's own keys (".", digits are none) leave a focused edit alone.
    QTest::keyClicks(start, "0:00:12.5");
    QCOMPARE(start->time(), QTime(0, 0, 12, 500));
    QCOMPARE(slider()->lowerValue(), 625);

    host->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(host.get()));
    center->setFocus();
    MediaPlayer *media = center->videoPlayer()->player();
    QTest::keyClick(center, Qt::Key_Space);
    QVERIFY(WidgetDriver::waitFor([&] { return media->isPaused(); }));
    media->seek(2000);
    QTest::keyClick(center, Qt::Key_Right);
    QTest::keyClick(center, Qt::Key_I);
    QTest::keyClick(center, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(center, Qt::Key_O);
    QCOMPARE((QVariantList{startEdit()->time(), endEdit()->time(), slider()->lowerValue(), slider()->upperValue()}),
             (QVariantList{QTime(0, 0, 3), QTime(0, 0, 8), 150, 400}));
    // P plays the range once and stops at its end.
    QTest::keyClick(center, Qt::Key_P);
    // From the range's start, not from where playback stood.
    QVERIFY(WidgetDriver::waitFor([&] { return !media->isPaused() && qAbs(media->position() - 3000) < 500; }));
    QVERIFY(WidgetDriver::waitFor([&] { return media->isPaused(); }, 15000));
    QVERIFY2(media->position() >= 8000 && media->position() < 8400, qPrintable(QString::number(media->position())));
    // One frame on while paused.
    const qint64 at = media->position();
    QTest::keyClick(center, Qt::Key_Period);
    QVERIFY(WidgetDriver::waitFor([&] { return media->position() > at; }));
    QVERIFY2(media->position() - at <= 60, qPrintable(QString::number(media->position() - at)));
    // Resumed by hand, later ticks (one a second) do not stop it again.
    QTest::keyClick(center, Qt::Key_Space);
    QVERIFY(WidgetDriver::waitFor([&] { return media->position() > 10000; }));
}

void tst_videoeditor::saveCutsTheRange()
{
    QVERIFY(openAndWait(twenty));
    QSignalSpy saved(center, &FormVideoCenter::shootSaveMicro);
    startEdit()->setTime(QTime(0, 0, 3));
    endEdit()->setTime(QTime(0, 0, 9));
    QVERIFY(WidgetDriver::click(center, "pushButton5Save"));
    QVERIFY(waitForMessage(QStringLiteral("文件保存成功，可进行上传。")));
    const QString out = appDir->filePath("tempv.mp4");
    QCOMPARE((QStringList{center->lastOutput(), savedVideoPath, center->currentVideo()}), (QStringList{out, out, out}));
    QCOMPARE(saved.count(), 1);
    const qint64 ms = TestMedia::probeDurationMs(out);
    QVERIFY2(qAbs(ms - 6000) <= 80, qPrintable(QString::number(ms)));
    // The size of the cut stands beside its length.
    QCOMPARE(WidgetDriver::find<QLabel>(center, "label_size")->text(),
             QStringLiteral("%1 MB").arg(QFileInfo(out).size() / 1048576.0, 0, 'f', 1));
    // Nothing of the encoder's own file is left beside it.
    QCOMPARE(QDir(appDir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tempv.mp4"});
    // A second later the range spans the cut.
    QVERIFY(WidgetDriver::waitFor([&] { return lengthLabel() == QStringLiteral("00:00:06"); }, 15000));
    QCOMPARE(videoDurationText, QStringLiteral("00:00:06"));

    // The cut cannot be saved over again: the teacher opens a file anew.
    WidgetDriver::closeMessages();
    const QByteArray before = TestEnvironment::readFile(out);
    savedVideoPath = QStringLiteral("/kept/as/is.mp4");
    QVERIFY(WidgetDriver::click(center, "pushButton5Save"));
    QVERIFY(WidgetDriver::waitFor([&] { return !answers->boxes.isEmpty(); }));
    QCOMPARE(answers->boxes, QStringList{QStringLiteral("提示|无法第二次保存微课，请重新打开本地文件.")});
    QVERIFY(!center->runningCut());
    QCOMPARE(saved.count(), 1);
    QCOMPARE(savedVideoPath, QStringLiteral("/kept/as/is.mp4"));
    QCOMPARE(TestEnvironment::readFile(out), before);
}

void tst_videoeditor::failedCutKeepsTheState_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("encoder fails on a file that is no video") << "not a video";
    QTest::newRow("ends well without an output file") << "no output";
    // The encoder writes a file that holds less than the range.
    QTest::newRow("input shorter than the range") << "shorter";
    QTest::newRow("empty range") << "empty";
    // Over an hour at 25 frames a second: a cut long enough to cancel.
    QTest::newRow("cancelled on its way") << "cancel";
}

void tst_videoeditor::failedCutKeepsTheState()
{
    QFETCH(QString, how);
    // An earlier cut is on disk and named for upload.
    const QString earlier = appDir->filePath("tempv.mp4");
    QVERIFY(QFile::copy(halfSecond, earlier));
    savedVideoPath = earlier;
    QSignalSpy saved(center, &FormVideoCenter::shootSaveMicro);
    QString current = how == "cancel" ? overAnHour : twenty;
    if (how == "not a video" || how == "shorter") {
        // A copy the row spoils once it is open.
        current = dir.filePath(how + ".mp4");
        QVERIFY(QFile::copy(twenty, current));
    }
    QVERIFY(openAndWait(current));
    if (how == "not a video") {
        QVERIFY(TestEnvironment::writeFile(current, "these are lecture notes, not a video"));
        QVERIFY(WidgetDriver::click(center, "pushButton5Save"));
        QVERIFY(center->runningCut());
    } else if (how == "shorter") {
        startEdit()->setTime(QTime(0, 0, 5));
        QVERIFY(QFile::remove(current) && QFile::copy(halfSecond, current));
        QVERIFY(WidgetDriver::click(center, "pushButton5Save"));
    } else if (how == "empty") {
        startEdit()->setTime(QTime(0, 0, 5));
        endEdit()->setTime(QTime(0, 0, 5));
        QVERIFY(WidgetDriver::click(center, "pushButton5Save"));
    } else if (how == "cancel") {
        QVERIFY(WidgetDriver::click(center, "pushButton5Save"));
        FormAnimation *overlay = FormAnimation::instance();
        QVERIFY(overlay && overlay->isVisible());
        QVERIFY(WidgetDriver::waitFor([&] { return overlay->progressText().contains(QStringLiteral("剩余约")); }, 60000));
        QVERIFY(WidgetDriver::click(overlay, "pushButton_cancel"));
        QVERIFY(WidgetDriver::waitFor([&] { return !center->runningCut(); }));
        QVERIFY(!overlay->isVisible());
    } else {
        center->clipVideoFinished(0);
    }
    if (how == "cancel")
        QVERIFY(WidgetDriver::shownMessages().isEmpty());
    else
        QVERIFY(waitForMessage(QStringLiteral("文件保存失败，请重新尝试。")));
    QCOMPARE((QStringList{center->currentVideo(), savedVideoPath}), (QStringList{current, earlier}));
    QCOMPARE(saved.count(), 0);
    QCOMPARE(TestMedia::probeDurationMs(earlier), TestMedia::probeDurationMs(halfSecond));
    QCOMPARE(QDir(appDir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tempv.mp4"});
}

void tst_videoeditor::exportWritesTheChosenFileNotItsInput()
{
    QVERIFY(openAndWait(twenty));
    startEdit()->setTime(QTime(0, 0, 10));
    endEdit()->setTime(QTime(0, 0, 14));
    // A file that is there already is replaced after the dialog's question.
    const QString target = dir.filePath("export/lesson.mp4");
    QVERIFY(QDir().mkpath(dir.filePath("export")));
    QVERIFY(TestEnvironment::writeFile(target, "old"));
    answers->paths << target;
    QSignalSpy saved(center, &FormVideoCenter::shootSaveMicro);
    QVERIFY(WidgetDriver::click(top, "pushButton2"));
    QVERIFY(waitForMessage(QStringLiteral("文件导出成功，可进行上传。")));
    const qint64 ms = TestMedia::probeDurationMs(target);
    QVERIFY2(qAbs(ms - 4000) <= 80, qPrintable(QString::number(ms)));
    QCOMPARE((QStringList{center->currentVideo(), savedVideoPath}), (QStringList{target, target}));
    QCOMPARE(saved.count(), 0);
    QCOMPARE(QDir(dir.filePath("export")).entryList(QDir::Files | QDir::Hidden), QStringList{"lesson.mp4"});

    // The export is now the video edited: exporting onto it is refused.
    WidgetDriver::closeMessages();
    const QByteArray before = TestEnvironment::readFile(target);
    answers->paths << target;
    QVERIFY(WidgetDriver::click(top, "pushButton2"));
    QVERIFY(waitForMessage(QStringLiteral("不能导出到正在编辑的视频文件，请另选文件名.")));
    QVERIFY(!center->runningCut());
    QCOMPARE(TestEnvironment::readFile(target), before);
    QCOMPARE(center->currentVideo(), target);
}

void tst_videoeditor::saveTarget_data()
{
    QTest::addColumn<QString>("applicationDir");
    QTest::addColumn<bool>("inApplicationDir");
    QTest::newRow("writable program directory") << "writable" << true;
    QTest::newRow("directory that takes no files") << "/proc" << false;
    QTest::newRow("no directory") << "" << false;
}

void tst_videoeditor::saveTarget()
{
    QFETCH(QString, applicationDir);
    QFETCH(bool, inApplicationDir);
    QTemporaryDir writable;
    QTemporaryDir cache;
    if (applicationDir == "writable")
        applicationDir = writable.path();
    const QString cacheDir = cache.path() + "/";
    const QString path = FormVideoCenter::saveFilePathIn(applicationDir, cacheDir);
    QCOMPARE(path, inApplicationDir ? writable.filePath("tempv.mp4") : cache.filePath("tempv.mp4"));
    // The probe leaves nothing behind.
    QVERIFY(QDir(writable.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

LUMEXA_TEST_MAIN(tst_videoeditor)
#include "tst_videoeditor.moc"
