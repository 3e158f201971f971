// One micro-lecture from a local mp4 to a record on the platform stand-in,
// through the real widgets: open, mark a range with the handle and the time
// edit, save (a real cut), fill the publish panel with its selectors and
// pickers, confirm free; then what the platform holds.
#include "LumexaTest.h"

#include "CurrentUser.h"
#include "FormAnimation.h"
#include "MediaPlayer.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"
#include "QTAVPlayer.h"
#include "QxtSpanSlider.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "media/SliderGeometry.h"
#include "media/TestMedia.h"
#include "micro/DialogAnswerer.h"
#include "micro/MicroHarness.h"

#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>

class tst_micro_road : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fromLocalFileToPlatformRecord();
    void cleanupTestCase();

private:
    QList<QJsonObject> requests(const QString &path) const;
    // Chooses an item of a selector through its popup, as a click and a key would.
    static void chooseInPopup(QComboBox *combo, int index);

    PlatformFixture platform;
    QTemporaryDir dir;
    QTemporaryDir appDir;
    QString twenty;
    MicroHarness ui;
};

void tst_micro_road::initTestCase()
{
    qputenv("LUMEXA_MPV_AO", "null");
    QVERIFY(dir.isValid() && appDir.isValid());
    twenty = dir.filePath(QStringLiteral("第三课 分数.mp4"));
    QVERIFY(TestMedia::make(twenty, 20));
    QVERIFY2(platform.start({"--record", "--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    contentRect = QRect(0, 0, 1280, 800);
    windowSize = QSize(1280, 800);
}

void tst_micro_road::cleanupTestCase()
{
    ui.host.reset();
}

QList<QJsonObject> tst_micro_road::requests(const QString &path) const
{
    QList<QJsonObject> out;
    for (const auto &r : platform.recordedRequests()) {
        const QJsonObject o = r.toObject();
        if (o.value("path").toString() != path)
            continue;
        const QJsonDocument body = QJsonDocument::fromJson(o.value("body").toString().toUtf8());
        out << (body.isArray() ? QJsonObject{{"parts", body.array()}} : body.object());
    }
    return out;
}

void tst_micro_road::chooseInPopup(QComboBox *combo, int index)
{
    QTest::mouseClick(combo, Qt::LeftButton);
    QAbstractItemView *view = combo->view();
    QVERIFY(WidgetDriver::waitFor([&] { return view->isVisible(); }));
    view->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(combo->currentIndex(), index);
}

void tst_micro_road::fromLocalFileToPlatformRecord()
{
    DialogAnswerer answers;
    ui.build(appDir.path(), QSize(1280, 800));
    QVERIFY(QTest::qWaitForWindowExposed(ui.host.get()));
    FormVideoCenter *editor = ui.editor;
    auto *slider = editor->findChild<QxtSpanSlider *>("horizontalSlider3");
    auto *start = editor->findChild<QTimeEdit *>("timeEdit_startTime");
    auto *end = editor->findChild<QTimeEdit *>("timeEdit_endTime");
    auto *length = editor->findChild<QLabel *>("labelTime6");
    auto *upload = ui.top->findChild<QPushButton *>("pushButton7");

    // Open the local file.
    answers.paths << twenty;
    QVERIFY(WidgetDriver::click(ui.top, "pushButton7_2"));
    QCOMPARE(savedVideoPath, twenty);
    QVERIFY(!upload->isEnabled());
    QVERIFY(WidgetDriver::waitFor([&] { return QTime(0, 0).secsTo(end->time()) == 20 && slider->lowerValue() == 1; },
                                  15000));

    // The lower handle to about three seconds, then the end typed.
    SliderGeometry::drag(slider, SliderGeometry::handleRect(slider, slider->lowerValue()).center(),
                         SliderGeometry::handleRect(slider, 150).center());
    QVERIFY(qAbs(slider->lowerValue() - 150) <= 5);
    QCOMPARE(QTime(0, 0).msecsTo(start->time()), int(editor->mediaLength() * (slider->lowerValue() / 1000.0)));
    end->setFocus();
    end->setSelectedSection(QDateTimeEdit::SecondSection);
    QTest::keyClicks(end, "9");
    QCOMPARE(end->time(), QTime(0, 0, 9));
    const int seconds = start->time().secsTo(end->time());
    QVERIFY(seconds >= 5 && seconds <= 7);
    const QString range = QTime(0, 0).addSecs(seconds).toString("hh:mm:ss");
    QCOMPARE(length->text(), range);
    MicroHarness::typeText(editor->findChild<QLineEdit *>("lineEdit1"), QStringLiteral("分数的初步认识"));
    QCOMPARE(microLectureName, QStringLiteral("分数的初步认识"));

    // Save: a real cut into tempv.mp4 under the busy overlay.
    QVERIFY(WidgetDriver::click(editor, "pushButton5Save"));
    QVERIFY(FormAnimation::instance() && FormAnimation::instance()->isVisible());
    QVERIFY(WidgetDriver::waitFor([&] {
        return WidgetDriver::shownMessages().contains(QStringLiteral("文件保存成功，可进行上传。"));
    }, 60000));
    QVERIFY(!FormAnimation::instance()->isVisible());
    WidgetDriver::closeMessages();
    const QString cut = appDir.filePath("tempv.mp4");
    QCOMPARE(savedVideoPath, cut);
    QVERIFY(upload->isEnabled());
    const qint64 cutMs = TestMedia::probeDurationMs(cut);
    QVERIFY2(qAbs(cutMs - seconds * 1000) <= 80, qPrintable(QString::number(cutMs)));
    // The page now plays the cut and spans it.
    QVERIFY(WidgetDriver::waitFor([&] { return QTime(0, 0).secsTo(end->time()) == seconds; }, 15000));
    QCOMPARE(length->text(), range);
    QCOMPARE(videoDurationText, range);

    // The publish panel, through its selectors and pickers.
    FormmicroInfo *panel = ui.panel;
    QVERIFY(WidgetDriver::waitFor([&] { return panel->lookupsReady(); }));
    chooseInPopup(panel->findChild<QComboBox *>("comboBox_1"), 2);
    chooseInPopup(panel->findChild<QComboBox *>("comboBox_2"), 1);
    chooseInPopup(panel->findChild<QComboBox *>("comboBox_3"), 1);
    chooseInPopup(panel->findChild<QComboBox *>("comboBox_4"), 2);
    auto *volume = panel->findChild<QComboBox *>("comboBox_5");
    chooseInPopup(volume, 1); // the press loads the volumes first
    const QString volumeName = volume->currentText();
    QVERIFY(volumeName != QStringLiteral("册别"));

    QTest::mouseClick(panel->findChild<QToolButton *>("toolButtonML"), Qt::LeftButton);
    FormTree2 *catalogue = WidgetDriver::shownTopLevel<FormTree2>();
    QVERIFY(catalogue);
    auto *tree = catalogue->findChild<QTreeWidget *>("treeWidget");
    QTreeWidgetItem *lesson = tree->topLevelItem(0)->child(1)->child(0);
    QVERIFY(lesson);
    const QString lessonName = lesson->text(0);
    tree->setCurrentItem(lesson);
    QTest::mouseClick(catalogue->findChild<QPushButton *>("pushButton_2"), Qt::LeftButton);
    QCOMPARE(panel->findChild<QToolButton *>("toolButtonML")->text(), lessonName);

    QTest::mouseClick(panel->findChild<QToolButton *>("toolButtonZS"), Qt::LeftButton);
    FormTree *points = WidgetDriver::shownTopLevel<FormTree>();
    QVERIFY(points);
    QTreeWidgetItem *unit = points->findChild<QTreeWidget *>("treeWidget")->topLevelItem(1);
    unit->child(0)->setCheckState(0, Qt::Checked);
    unit->child(2)->setCheckState(0, Qt::Checked);
    QSignalSpy picked(points, &FormTree::shootStr);
    QTest::mouseClick(points->findChild<QPushButton *>("pushButton_2"), Qt::LeftButton);
    QCOMPARE(picked.count(), 1);
    const QStringList pointNames = picked.first().at(0).toStringList();
    const QStringList pointIds = picked.first().at(1).toStringList();
    QCOMPARE(pointIds.size(), 2);

    // Upload: the confirmation dialog, free.
    QVERIFY(WidgetDriver::click(ui.top, "pushButton7"));
    FormUpClassMessage *confirm = WidgetDriver::shownTopLevel<FormUpClassMessage>();
    QVERIFY(confirm);
    QCOMPARE(confirm->findChild<QLineEdit *>("lineEditName")->text(), QStringLiteral("分数的初步认识"));
    QCOMPARE(confirm->findChild<QComboBox *>("comboBox_5")->currentText(), volumeName);
    QCOMPARE(confirm->findChild<QComboBox *>("comboBox_6")->currentText(), lessonName);
    confirm->findChild<QTextEdit *>("textEdit")->setPlainText(QStringLiteral("用分数表示把一个物体平均分成几份。"));
    QTest::mouseClick(confirm->findChild<QPushButton *>("pushButton_private"), Qt::LeftButton);
    const int uploadsBefore = requests("/v2.0/file/FileController/uploadFile").size();
    QTest::mouseClick(confirm->findChild<QPushButton *>("pushButton_public"), Qt::LeftButton);

    FormFaBuChenggong *done = WidgetDriver::shownTopLevel<FormFaBuChenggong>();
    QVERIFY(done);
    QVERIFY(done->text().contains(QStringLiteral("发布成功")));
    QVERIFY(done->text().contains(QStringLiteral("分数的初步认识")));
    QVERIFY(done->text().contains(QStringLiteral("微课")));
    QVERIFY(WidgetDriver::shownMessages().isEmpty());
    QVERIFY(!FormAnimation::instance()->isVisible());

    // What went over the wire.
    const QList<QJsonObject> uploads = requests("/v2.0/file/FileController/uploadFile");
    QCOMPARE(uploads.size(), uploadsBefore + 1);
    const QJsonObject part = uploads.last().value("parts").toArray().first().toObject();
    QCOMPARE(part.value("contentType").toString(), QStringLiteral("video/mp4"));
    QCOMPARE(part.value("filename").toString(), QStringLiteral("tempv.mp4"));
    const QJsonObject sent = requests("/v2.0/client/SmallClass/save").last();
    QStringList keys = sent.keys();
    keys.sort();
    QCOMPARE(keys, (QStringList{"applystatus", "codeVersiontypeid", "codechapter", "duration", "fileSrc", "grade",
                                "intro", "isFee", "isshare", "name", "refenencebooktreeid", "resRegister", "schoolid",
                                "smallDbType", "subject", "xuedou"}));
    QCOMPARE(sent.value("smallDbType"), QJsonValue(1));
    QCOMPARE(sent.value("duration").toString(), range);
    QCOMPARE(sent.value("xuedou").toString(), QString());
    QCOMPARE(sent.value("isFee").toString(), QStringLiteral("0"));
    QCOMPARE(sent.value("isshare").toString(), QStringLiteral("0"));
    QCOMPARE(sent.value("schoolid").toString(), CurrentUser::companyId);
    QCOMPARE(sent.value("codechapter").toString(), pointIds.join(","));

    // What the platform holds.
    PlatformHttp http(platform.baseUrl());
    http.setToken(CurrentUser::token);
    const HttpReply list = http.post("/v2.0/client/SmallClass/list",
                                     {{"pageNum", "1"}, {"pageSize", "12"}, {"name", QStringLiteral("分数的初步认识")}});
    const QJsonArray records = list.data().value("list").toArray();
    QCOMPARE(records.size(), 1);
    const QJsonObject record = records.first().toObject();
    QCOMPARE(record.value("duration").toString(), range);
    QCOMPARE(record.value("intro").toString(), QStringLiteral("用分数表示把一个物体平均分成几份。"));
    QCOMPARE(record.value("isFee").toString(), QStringLiteral("0"));
    QCOMPARE(record.value("bootName").toString(), volumeName);
    QCOMPARE(record.value("treeName").toString(), lessonName);
    QCOMPARE(record.value("codeChapter").toString(), pointNames.join(","));
    QCOMPARE(record.value("fileSrc").toString(), sent.value("fileSrc").toString());
    QFile stored(platform.dataDir() + "/video" + record.value("fileSrc").toString());
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QFile local(cut);
    QVERIFY(local.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), local.readAll());

    // Back to the list: the panel closes.
    QTest::mouseClick(done->findChild<QPushButton *>("pushButton"), Qt::LeftButton);
    QVERIFY(!panel->isVisible());
}

LUMEXA_TEST_MAIN(tst_micro_road)
#include "tst_micro_road.moc"
