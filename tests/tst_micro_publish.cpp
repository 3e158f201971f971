// The micro-lecture publish panel and its confirmation dialog against the
// stand-in, with a video over 50 MB.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BoxWatcher.h"
#include "DialogAnswerer.h"
#include "FormAnimation.h"
#include "FormFaBuChenggong.h"
#include "FormTree.h"
#include "FormUpClassMessage.h"
#include "FormVideoCenter.h"
#include "FormmicroInfo.h"
#include "Http_access.h"
#include "PlatformFixture.h"
#include "PublishUpload.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "media/TestMedia.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

class tst_micro_publish : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void resetsClearKnowledgePoints_data();
    void resetsClearKnowledgePoints();
    void confirmation_data();
    void confirmation();
    void freeAndPaid();
    void failureIsReported_data();
    void failureIsReported();
    void largeVideo_data();
    void largeVideo();

private:
    int saves() const { return platform.recordedBodies(ApiPaths::smallClassSave).size(); }

    PlatformFixture platform;
    QTemporaryDir dir;
    QString video;
    QString large;
    std::unique_ptr<QWidget> host;
    FormVideoCenter *editor = nullptr;
    FormmicroInfo *panel = nullptr;
    FormAnimation *overlay = nullptr;
};

void tst_micro_publish::initTestCase()
{
    QVERIFY(dir.isValid());
    video = dir.filePath("lesson.mp4");
    QVERIFY(TestMedia::make(video, 3));
    // Six seconds of noise, kept lossless: just over 50 MB.
    large = dir.filePath("large.mp4");
    QVERIFY(TestMedia::ffmpeg({"-f", "lavfi", "-i", "nullsrc=s=640x360:r=25:d=6,geq=random(1)*255:128:128", "-c:v",
                               "libx264", "-preset", "ultrafast", "-qp", "0", "-pix_fmt", "yuv420p", large}));
    QVERIFY(QFileInfo(large).size() > PublishUpload::kLimitBytes);
    QVERIFY2(platform.start({"--record", "--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    contentRect = QRect(0, 0, 1200, 760);
}

void tst_micro_publish::init()
{
    microLectureName.clear();
    savedVideoPath.clear();
    host.reset(new QWidget);
    auto *row = new QHBoxLayout(host.get());
    editor = new FormVideoCenter(host.get());
    editor->setApplicationDirectory(dir.path());
    panel = new FormmicroInfo(host.get());
    panel->videoPage = editor;
    row->addWidget(editor);
    row->addWidget(panel);
    overlay = new FormAnimation(host.get());
    overlay->hide();
    host->resize(1200, 760);
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    QVERIFY(WidgetDriver::waitFor([&] { return panel->lookupsReady(); }));
}

void tst_micro_publish::cleanup()
{
    TestEnvironment::screenshotIfFailed(host.get());
    WidgetDriver::closeMessages();
    // The dialogs the test opened are windows of their own.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != host.get() && w->isVisible())
            w->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    host.reset();
}

void tst_micro_publish::resetsClearKnowledgePoints_data()
{
    QTest::addColumn<QString>("reset");
    QTest::newRow("volume changed") << "volume";
    QTest::newRow("publish form reset") << "form";
}

void tst_micro_publish::resetsClearKnowledgePoints()
{
    QFETCH(QString, reset);
    QVERIFY(WidgetDriver::fillCurriculum(panel));
    QTest::mouseClick(WidgetDriver::find<QToolButton>(panel, "toolButtonZS"), Qt::LeftButton);
    FormTree *points = WidgetDriver::shownTopLevel<FormTree>();
    QVERIFY(points);
    QTreeWidgetItem *unit = points->findChild<QTreeWidget *>("treeWidget")->topLevelItem(0);
    unit->child(0)->setCheckState(0, Qt::Checked);
    unit->child(1)->setCheckState(0, Qt::Checked);
    QTest::mouseClick(points->findChild<QPushButton *>("pushButton_2"), Qt::LeftButton);
    QVERIFY(!panel->knowledgeIds().isEmpty());
    if (reset == "volume") {
        WidgetDriver::find<QComboBox>(panel, "comboBox_5")->setCurrentIndex(2);
    } else {
        panel->resetPublishForm();
        QVERIFY(WidgetDriver::waitFor([&] { return panel->lookupsReady(); }));
    }
    QCOMPARE(WidgetDriver::find<QToolButton>(panel, "toolButtonZS")->text(), QStringLiteral("知识点"));
    QCOMPARE(WidgetDriver::find<QToolButton>(panel, "toolButtonML")->text(), QStringLiteral("目录"));
    QVERIFY(panel->knowledgeIds().isEmpty());
    const QJsonObject r = panel->record({"n", "i", "", "0"});
    QCOMPARE(r.value("codechapter").toString(), QString());
    QVERIFY(!r.contains("refenencebooktreeid"));
}

void tst_micro_publish::confirmation_data()
{
    QTest::addColumn<QString>("choice"); // "free", "paid" or "none"
    QTest::addColumn<QString>("intro");
    QTest::addColumn<QString>("name"); // empty: the name from the editing page
    QTest::addColumn<QStringList>("emitted"); // empty: refused
    const QString n = QStringLiteral("分数的意义");
    const QString i = QStringLiteral("认识分数");
    QTest::newRow("paid, empty price") << "paid" << i << "" << QStringList{};
    QTest::newRow("neither chosen") << "none" << i << "" << QStringList{n, i, "", "0"};
    QTest::newRow("no introduction") << "free" << "" << "" << QStringList{};
    QTest::newRow("name changed here") << "free" << i << QStringLiteral("分数的初步认识")
                                       << QStringList{QStringLiteral("分数的初步认识"), i, "", "0"};
}

void tst_micro_publish::confirmation()
{
    QFETCH(QString, choice);
    QFETCH(QString, intro);
    QFETCH(QString, name);
    QFETCH(QStringList, emitted);
    microLectureName = QStringLiteral("分数的意义");
    QPointer<FormUpClassMessage> dialog = new FormUpClassMessage;
    dialog->show();
    if (!name.isEmpty())
        dialog->findChild<QLineEdit *>("lineEditName")->setText(name);
    dialog->findChild<QTextEdit *>("textEdit")->setPlainText(intro);
    if (choice != "none")
        QTest::mouseClick(dialog->findChild<QPushButton *>(choice == "free" ? "pushButton_private" : "pushButton_pbulic"),
                          Qt::LeftButton);
    QSignalSpy spy(dialog.data(), &FormUpClassMessage::shootUpload);
    QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_public"), Qt::LeftButton);
    if (emitted.isEmpty()) {
        QCOMPARE(spy.count(), 0);
        QCOMPARE(WidgetDriver::shownMessages(), QStringList{QStringLiteral("请先填写完整微课信息\n在进行微课发布")});
        QVERIFY(dialog->isVisible());
        QVERIFY(!overlay->isVisible());
        delete dialog;
    } else {
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().at(0).toStringList(), emitted);
        // The overlay stays up for the upload that follows.
        QVERIFY(overlay->isVisible());
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(microLectureName, QStringLiteral("分数的意义"));
    }
}

void tst_micro_publish::freeAndPaid()
{
    auto *dialog = new FormUpClassMessage;
    dialog->show();
    auto *free = dialog->findChild<QPushButton *>("pushButton_private");
    auto *paid = dialog->findChild<QPushButton *>("pushButton_pbulic");
    auto *price = dialog->findChild<QLineEdit *>("lineEdit_XD");
    struct Step
    {
        QPushButton *click;
        bool free, paid, priceEnabled;
    };
    const Step steps[] = {
        {paid, false, true, true},
        {free, true, false, false},
        {free, false, true, true}, // clicked again: the other one is chosen
        {paid, true, false, false},
    };
    for (const Step &s : steps) {
        QTest::mouseClick(s.click, Qt::LeftButton);
        QCOMPARE(free->isChecked(), s.free);
        QCOMPARE(paid->isChecked(), s.paid);
        QCOMPARE(price->isEnabled(), s.priceEnabled);
    }
    QTest::mouseClick(paid, Qt::LeftButton);
    QTest::keyClicks(price, "0951");
    QCOMPARE(price->text(), QStringLiteral("951"));
    delete dialog;
}

void tst_micro_publish::failureIsReported_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("newSaves");
    QTest::newRow("upload fails") << QByteArray() << QStringLiteral("视频上传失败") << 0;
    // The platform stores the file but refuses a record whose file is no mp4.
    QTest::newRow("record refused") << QByteArray("not a video")
                                    << QStringLiteral("微课信息保存失败，检查网络重新尝试。") << 1;
}

void tst_micro_publish::failureIsReported()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(int, newSaves);
    savedVideoPath = dir.filePath(content.isEmpty() ? "gone.mp4" : "notes.txt");
    if (!content.isEmpty())
        QVERIFY(TestEnvironment::writeFile(savedVideoPath, content));
    const int before = saves();
    QVERIFY(WidgetDriver::fillCurriculum(panel));
    overlay->showBusy();
    BoxWatcher boxes;
    panel->UploadConfirm({"名称", "简介", "", "0"});
    QCOMPARE(WidgetDriver::shownMessages(), QStringList{message});
    QVERIFY(!overlay->isVisible());
    QCOMPARE(saves(), before + newSaves);
    QVERIFY(!WidgetDriver::shownTopLevel<FormFaBuChenggong>());
}

void tst_micro_publish::largeVideo_data()
{
    QTest::addColumn<QString>("answer"); // the button pressed in the size question
    QTest::addColumn<bool>("cancelUpload");
    QTest::newRow("cancelled at the question") << "pushButton_cancel" << false;
    QTest::newRow("upload cancelled on its way") << "pushButton_upload" << true;
    QTest::newRow("re-encoded to fit") << "pushButton_shrink" << false;
}

void tst_micro_publish::largeVideo()
{
    QFETCH(QString, answer);
    QFETCH(bool, cancelUpload);
    editor->openVideo(video);
    QVERIFY(WidgetDriver::waitFor([&] { return editor->hasPlayableVideo(); }));
    // Typed as an input method delivers it (the test keyboard knows no Chinese).
    WidgetDriver::commitText(editor->findChild<QLineEdit *>("lineEdit1"), QStringLiteral("分数的意义"));
    QVERIFY(WidgetDriver::fillCurriculum(panel));
    savedVideoPath = large;
    const int before = saves();
    panel->outputUpload();
    QPointer<FormUpClassMessage> dialog = WidgetDriver::shownTopLevel<FormUpClassMessage>();
    QVERIFY(dialog);
    dialog->findChild<QTextEdit *>("textEdit")->setPlainText(QStringLiteral("认识分数"));

    DialogAnswerer answers;
    answers.boxButton = answer;
    bool cancelled = false;
    connect(Http_access::instance(), &Http_access::uploadProgress, this, [&](qint64 sent, qint64) {
        if (cancelUpload && sent > 0 && !cancelled) {
            cancelled = true;
            QTimer::singleShot(0, overlay, [&] { WidgetDriver::click(overlay, "pushButton_cancel"); });
        }
    });
    QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_public"), Qt::LeftButton);
    disconnect(Http_access::instance(), &Http_access::uploadProgress, this, nullptr);

    QCOMPARE(answers.boxes.size(), 1);
    QVERIFY2(answers.boxes.first().contains(PublishUpload::sizeText(QFileInfo(large).size())),
             qPrintable(answers.boxes.first()));
    QVERIFY(!overlay->isVisible());
    if (answer == "pushButton_shrink") {
        QVERIFY2(WidgetDriver::shownTopLevel<FormFaBuChenggong>(), qPrintable(WidgetDriver::shownMessages().join('|')));
        QCOMPARE(saves(), before + 1);
        const QString smaller = dir.filePath("tempv-50m.mp4");
        QVERIFY(QFileInfo(smaller).size() <= PublishUpload::kLimitBytes);
        QVERIFY(qAbs(TestMedia::probeDurationMs(smaller) - 6000) < 200);
        return;
    }
    // Nothing saved; the dialog is back with what was typed.
    QCOMPARE(saves(), before);
    QCOMPARE(WidgetDriver::shownMessages(),
             cancelUpload ? QStringList{QStringLiteral("视频上传已取消")} : QStringList{});
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->findChild<QLineEdit *>("lineEditName")->text(), QStringLiteral("分数的意义"));
    QCOMPARE(dialog->findChild<QTextEdit *>("textEdit")->toPlainText(), QStringLiteral("认识分数"));
    QVERIFY(dialog->findChild<QPushButton *>("pushButton_public")->isEnabled());
}

LUMEXA_TEST_MAIN(tst_micro_publish)
#include "tst_micro_publish.moc"
