// How the micro-lecture editing view looks on a real X server: the editing
// page showing a frame through OpenGL with a chosen range over its filmstrip
// beside the filled publish panel, the progress of a cut, the confirmation
// dialog over it, the question about a file over 50 MB, and the success
// dialog.
#include "LumexaTest.h"

#include "EncoderProcess.h"
#include "Filmstrip.h"
#include "FormAnimation.h"
#include "MediaPlayer.h"
#include "PlatformFixture.h"
#include "QTAVPlayer.h"
#include "QxtSpanSlider.h"
#include "VideoOutput.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "../media/TestMedia.h"
#include "../micro/MicroHarness.h"

#include <QComboBox>
#include <QMessageBox>
#include <QLineEdit>
#include <QPushButton>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QSet>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <csignal>

class tst_micro_look : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void editingViewAndDialogs();
    void cleanupTestCase();

private:
    static QString screenShot(const QString &name);
    static int colourCount(const QImage &img, const QRect &area);

    PlatformFixture platform;
    // Translucent dialogs dim the page only where a compositor runs.
    QProcess compositor;
    QTemporaryDir dir;
    QString video;
    MicroHarness ui;
};

void tst_micro_look::initTestCase()
{
    qputenv("LUMEXA_MPV_AO", "null");
    const QString xcompmgr = QStandardPaths::findExecutable("xcompmgr");
    if (!xcompmgr.isEmpty())
        compositor.start(xcompmgr, QStringList());
    QVERIFY(dir.isValid());
    video = dir.filePath("lesson.mp4");
    QVERIFY(TestMedia::make(video, 20));
    QVERIFY2(platform.start({"--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    contentRect = QRect(0, 0, 1280, 800);
    windowSize = contentRect.size();
}

void tst_micro_look::cleanupTestCase()
{
    ui.host.reset();
    if (compositor.state() != QProcess::NotRunning) {
        compositor.terminate();
        compositor.waitForFinished(3000);
    }
}

QString tst_micro_look::screenShot(const QString &name)
{
    const QString path = TestEnvironment::screenshot(nullptr, name);
    QGuiApplication::primaryScreen()->grabWindow(0).copy(contentRect).save(path);
    return path;
}

int tst_micro_look::colourCount(const QImage &img, const QRect &area)
{
    QSet<QRgb> colours;
    for (int y = area.top(); y < area.bottom(); y += 3)
        for (int x = area.left(); x < area.right(); x += 3)
            colours.insert(img.pixel(x, y) & 0xF0F0F0);
    return colours.size();
}

void tst_micro_look::editingViewAndDialogs()
{
    ui.build(dir.path(), contentRect.size());
    ui.host->move(contentRect.topLeft());
    QVERIFY(QTest::qWaitForWindowExposed(ui.host.get()));
    FormVideoCenter *editor = ui.editor;
    QTAVPlayer *player = editor->videoPlayer();
    QCOMPARE(player->videoOutput()->backend(), VideoOutput::OpenGL);

    editor->openVideo(video);
    auto *end = editor->findChild<QTimeEdit *>("timeEdit_endTime");
    QVERIFY(WidgetDriver::waitFor([&] { return QTime(0, 0).secsTo(end->time()) == 20; }, 15000));
    editor->findChild<QxtSpanSlider *>("horizontalSlider3")->setLowerValue(150);
    end->setTime(QTime(0, 0, 15));
    MicroHarness::typeText(editor->findChild<QLineEdit *>("lineEdit1"), QStringLiteral("分数的初步认识"));
    QVERIFY(WidgetDriver::waitFor([&] { return player->videoOutput()->framesRendered() >= 10; }));
    player->pausePlayer();
    QVERIFY(WidgetDriver::waitFor([&] { return !editor->filmstrip()->strip().isNull(); }, 30000));

    FormmicroInfo *panel = ui.panel;
    QVERIFY(WidgetDriver::waitFor([&] { return panel->lookupsReady(); }));
    panel->findChild<QComboBox *>("comboBox_1")->setCurrentIndex(2);
    panel->findChild<QComboBox *>("comboBox_2")->setCurrentIndex(1);
    panel->findChild<QComboBox *>("comboBox_3")->setCurrentIndex(1);
    panel->findChild<QComboBox *>("comboBox_4")->setCurrentIndex(2);
    auto *volume = panel->findChild<QComboBox *>("comboBox_5");
    QTest::mouseClick(volume, Qt::LeftButton);
    volume->hidePopup();
    volume->setCurrentIndex(1);
    QTest::mouseClick(panel->findChild<QToolButton *>("toolButtonML"), Qt::LeftButton);
    FormTree2 *catalogue = WidgetDriver::shownTopLevel<FormTree2>();
    QVERIFY(catalogue);
    auto *tree = catalogue->findChild<QTreeWidget *>("treeWidget");
    tree->setCurrentItem(tree->topLevelItem(0)->child(0)->child(1));
    QTest::mouseClick(catalogue->findChild<QPushButton *>("pushButton_2"), Qt::LeftButton);
    QTest::mouseClick(panel->findChild<QToolButton *>("toolButtonZS"), Qt::LeftButton);
    FormTree *points = WidgetDriver::shownTopLevel<FormTree>();
    QVERIFY(points);
    points->findChild<QTreeWidget *>("treeWidget")->topLevelItem(0)->setCheckState(0, Qt::Checked);
    QTest::mouseClick(points->findChild<QPushButton *>("pushButton_2"), Qt::LeftButton);
    QTest::qWait(200); // let the pickers' windows leave the screen

    // The editing view: a frame in the video area, the range, the panel.
    const QImage page = ui.host->grab().toImage();
    page.save(TestEnvironment::screenshot(nullptr, "editing-view"));
    const QRect videoArea(editor->findChild<QWidget *>("widget2")->mapTo(ui.host.get(), QPoint(0, 0)),
                          editor->findChild<QWidget *>("widget2")->size());
    QVERIFY2(colourCount(page, videoArea.adjusted(20, 20, -20, -60)) > 8, "no frame in the video area");
    screenShot("editing-screen");

    // Save, held on its way for the picture of its progress, then the
    // confirmation dialog over the page.
    QVERIFY(WidgetDriver::click(editor, "pushButton5Save"));
    EncoderProcess *cut = editor->runningCut();
    QVERIFY(cut && cut->waitForStarted());
    const qint64 pid = cut->processId();
    ::kill(pid_t(pid), SIGSTOP);
    QTest::qWait(700); // the encoder reports at once when it goes on
    bool held = false;
    connect(cut, &EncoderProcess::progress, this, [&](int percent) {
        if (!held && percent > 0 && percent < 100) {
            held = true;
            ::kill(pid_t(pid), SIGSTOP);
        }
    });
    ::kill(pid_t(pid), SIGCONT);
    QVERIFY(WidgetDriver::waitFor([&] { return held || !editor->runningCut(); }, 30000));
    if (held) {
        QTest::qWait(300);
        screenShot("cut-progress");
        ::kill(pid_t(pid), SIGCONT);
    }
    QVERIFY(WidgetDriver::waitFor([&] {
        return WidgetDriver::shownMessages().contains(QStringLiteral("文件保存成功，可进行上传。"));
    }, 60000));
    screenShot("saved-message");
    WidgetDriver::closeMessages();
    QVERIFY(WidgetDriver::waitFor([&] { return QTime(0, 0).secsTo(end->time()) == 12; }, 15000));
    const int framesBefore = player->videoOutput()->framesRendered();
    QVERIFY(WidgetDriver::waitFor([&] { return player->videoOutput()->framesRendered() > framesBefore + 5; }));
    player->pausePlayer();
    QVERIFY(WidgetDriver::click(ui.top, "pushButton7"));
    FormUpClassMessage *confirm = WidgetDriver::shownTopLevel<FormUpClassMessage>();
    QVERIFY(confirm);
    confirm->findChild<QTextEdit *>("textEdit")->setPlainText(QStringLiteral("用分数表示把一个物体平均分成几份。"));
    QTest::mouseClick(confirm->findChild<QPushButton *>("pushButton_pbulic"), Qt::LeftButton);
    QTest::keyClicks(confirm->findChild<QLineEdit *>("lineEdit_XD"), "120");
    QVERIFY(QTest::qWaitForWindowExposed(confirm));
    QTest::qWait(200);
    screenShot("confirmation");

    // A file over 50 MB brings the question first; cancelled, the dialog
    // comes back as it was.
    const QString saved = savedVideoPath;
    {
        QFile large(dir.filePath("large.mp4"));
        QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(60LL * 1024 * 1024));
    }
    savedVideoPath = dir.filePath("large.mp4");
    bool asked = false;
    QTimer answering;
    connect(&answering, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!asked && box && box->isVisible()) {
            asked = true;
            QTest::qWait(300);
            screenShot("size-question");
            box->findChild<QPushButton *>("pushButton_cancel")->click();
        }
    });
    answering.start(50);
    QTest::mouseClick(confirm->findChild<QPushButton *>("pushButton_public"), Qt::LeftButton);
    answering.stop();
    QVERIFY(asked);
    QVERIFY(confirm->isVisible());
    savedVideoPath = saved;

    QTest::mouseClick(confirm->findChild<QPushButton *>("pushButton_public"), Qt::LeftButton);
    FormFaBuChenggong *done = WidgetDriver::shownTopLevel<FormFaBuChenggong>();
    QVERIFY(done);
    QVERIFY(QTest::qWaitForWindowExposed(done));
    QTest::qWait(200);
    screenShot("success");
}

LUMEXA_TEST_MAIN(tst_micro_look)
#include "tst_micro_look.moc"
