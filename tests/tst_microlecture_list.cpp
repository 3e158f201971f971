// The micro-lecture list: replies of every shape from a scripted server
// (page counts, names, tile variants, more than twelve records, a load
// started while another waits, selection across pages, the page switch),
// then the teacher's micro-lectures on the platform stand-in: thumbnails cut
// by ffmpeg from the stored videos, playing in the popup player, share,
// cancel share, delete and export.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BoxWatcher.h"
#include "ExportSelection.h"
#include "FormBottomLabel.h"
#include "FormCenterPanel.h"
#include "FormExportProgress.h"
#include "FormMicroKids.h"
#include "FormShareInfo.h"
#include "HttpClassInput.h"
#include "MediaPlayer.h"
#include "PageWidget2.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"
#include "QTAVPlayer.h"
#include "ResourceExport.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankShareShadow.h"
#include "messageForm.h"
#include "myCurrentThread2.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

namespace {
const QByteArray ListPath = ApiPaths::smallClassList.toUtf8();

QJsonObject video(int id, const QJsonObject &extra = {})
{
    QJsonObject o{{"id", QString::number(id)}, {"name", QStringLiteral("微课%1").arg(id)},
                  {"fileSrc", QStringLiteral("/micro/m-%1.mp4").arg(id)}, {"bootName", "数学一年级上册"},
                  {"codeVerstiontypeid", "人教版"}, {"treeName", "准备课"}, {"xuedou", ""}, {"isFee", "0"},
                  {"purchase", "0"}, {"delFlag", 0}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        o.insert(it.key(), it.value());
    return o;
}

QJsonArray videos(int first, int count)
{
    QJsonArray out;
    for (int i = 0; i < count; ++i)
        out.append(video(first + i));
    return out;
}

QByteArray reply(const QJsonArray &list, int total)
{
    return QJsonDocument(QJsonObject{{"code", 1}, {"msg", "成功"},
                                     {"data", QJsonObject{{"list", list}, {"total", total}}}})
        .toJson(QJsonDocument::Compact);
}

QList<messageForm *> openMessages()
{
    QList<messageForm *> out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<messageForm *>(w); m && m->isVisible())
            out << m;
    return out;
}

void closeMessages()
{
    for (messageForm *m : openMessages())
        m->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList idsOf(const QList<miciroInfo> &records)
{
    QStringList out;
    for (const miciroInfo &r : records)
        out << r.id;
    return out;
}

QPushButton *button(QWidget *tile, const char *name)
{
    return WidgetDriver::find<QPushButton>(tile, name);
}

QJsonObject firstPage()
{
    return {{"pageNum", "1"}, {"pageSize", "12"}};
}
}

class tst_microlecture_list : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pageCounts_data();
    void pageCounts();
    void names_data();
    void names();
    void tileVariants_data();
    void tileVariants();
    void emptyReply_data();
    void emptyReply();
    void moreThanTwelveRecords();
    void loadStartedWhileAnotherWaits();
    void selectionCap();
    void chipsAcrossPages();
    void pageSwitchAndFirstLoad();
    void failedCancelShare();

    void platformThumbnails();
    void platformPlay();
    void platformShareCancelDelete();
    void platformExport();
    void platformPurchased();

private:
    FormCenterPanel *scriptedPage();
    bool load(const QByteArray &json, int classlist = 1, int shadows = 0);
    FormCenterPanel *platformPage();
    QJsonObject platformRecord(const QString &id);

    ScriptedResponder *server = nullptr;
    PlatformFixture platform;
    QTemporaryDir cache;
    QPointer<FormCenterPanel> page;
};

void tst_microlecture_list::initTestCase()
{
    qputenv("LUMEXA_MPV_AO", "null");
    QVERIFY(Widgetmain::prepareCacheDirectory(cache.filePath("data")));
    contentRect = QRect(0, 0, 1700, 900);
    server = new ScriptedResponder(this);
    QVERIFY2(platform.start({"--record", "--no-office"}), qPrintable(platform.error()));
}

void tst_microlecture_list::init()
{
    closeMessages();
    dailyExportLimit = 3;
}

void tst_microlecture_list::cleanup()
{
    TestEnvironment::screenshotIfFailed(page);
    delete page.data();
    closeMessages();
    if (popupPlayer)
        popupPlayer->stopPlayer();
    // Every thumbnail worker of the test has ended and been released.
    QVERIFY(WidgetDriver::waitFor([] { return myCurrentThread2::liveCount() == 0; }, 30000));
}

FormCenterPanel *tst_microlecture_list::scriptedPage()
{
    qputenv("LUMEXA_API_BASE", server->baseUrl().toUtf8());
    qputenv("LUMEXA_VIDEO_BASE", (server->baseUrl() + "/video").toUtf8());
    server->requests.clear();
    page = new FormCenterPanel;
    page->resize(1700, 900);
    page->show();
    return page;
}

bool tst_microlecture_list::load(const QByteArray &json, int classlist, int shadows)
{
    server->scriptJson(classlist == 1 ? ListPath : ApiPaths::smallClassPurchaseList.toUtf8(), json);
    QSignalSpy shown(page.data(), &FormCenterPanel::listShown);
    page->shootJson_object(firstPage(), classlist, shadows);
    return shown.count() == 1;
}

void tst_microlecture_list::pageCounts_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("pages");
    QTest::newRow("25") << 25 << 3;
    QTest::newRow("24") << 24 << 2;
}

void tst_microlecture_list::pageCounts()
{
    QFETCH(int, total);
    QFETCH(int, pages);
    scriptedPage();
    QVERIFY(load(reply(videos(1, qMin(total, 12)), total)));
    QCOMPARE(page->pageWidget()->maxPage(), pages);
    QVERIFY(load(reply({}, 0)));
    QCOMPARE(page->pageWidget()->maxPage(), pages);
}

void tst_microlecture_list::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("14") << "一二三四五六七八九十一二三四" << "一二三四五六七八九十一二三四";
    QTest::newRow("15") << "一二三四五六七八九十一二三四五" << "一二三四五六七八九十一二三四五";
    QTest::newRow("16") << "一二三四五六七八九十一二三四五六" << "一二三四五六七八九十一二三...";
}

void tst_microlecture_list::names()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    scriptedPage();
    QVERIFY(load(reply({video(1, {{"name", name}})}, 1)));
    QCOMPARE(WidgetDriver::find<QLabel>(page->tiles().first(), "labelName")->text(), shown);
}

void tst_microlecture_list::tileVariants_data()
{
    QTest::addColumn<QJsonObject>("fields");
    QTest::addColumn<bool>("actions");
    QTest::addColumn<QString>("shareText");
    QTest::addColumn<QString>("price");
    QTest::newRow("own, not shared") << QJsonObject{{"xuedou", "20"}} << true << "分享" << "免费";
    QTest::newRow("own, shared") << QJsonObject{{"isFee", "1"}, {"xuedou", "100"}} << true << "取消分享" << "100";
    QTest::newRow("purchased") << QJsonObject{{"purchase", "1"}, {"isFee", "1"}, {"xuedou", "100"}} << false
                               << "取消分享" << "";
}

void tst_microlecture_list::tileVariants()
{
    QFETCH(QJsonObject, fields);
    QFETCH(bool, actions);
    QFETCH(QString, shareText);
    QFETCH(QString, price);
    scriptedPage();
    QVERIFY(load(reply({video(1, fields)}, 1)));
    FormMicroKids *tile = page->tiles().first();
    QCOMPARE(button(tile, "pushButton_isFee")->isVisible(), actions);
    QCOMPARE(button(tile, "pushButtonDelete")->isVisible(), actions);
    QCOMPARE(WidgetDriver::find<QLabel>(tile, "label_purchase")->isVisible(), !actions);
    QCOMPARE(WidgetDriver::find<QLabel>(tile, "label_hint")->isVisible(), !actions);
    QCOMPARE(button(tile, "pushButton_isFee")->text(), shareText);
    auto *priceLabel = WidgetDriver::find<QLabel>(tile, "label_xuedou");
    QCOMPARE(priceLabel->isVisible(), actions);
    if (actions)
        QCOMPARE(priceLabel->text(), price);
}

void tst_microlecture_list::emptyReply_data()
{
    QTest::addColumn<int>("shadows");
    QTest::addColumn<bool>("notice");
    QTest::newRow("a search") << 1 << true;
    QTest::newRow("a page") << 0 << false;
}

void tst_microlecture_list::emptyReply()
{
    QFETCH(int, shadows);
    QFETCH(bool, notice);
    scriptedPage();
    QVERIFY(load(reply(videos(1, 5), 5)));
    QVERIFY(load(reply({}, 0), 1, shadows));
    QVERIFY(page->isEmptyList());
    QCOMPARE(page->notice()->isVisible(), notice);
    for (FormMicroKids *tile : page->tiles()) {
        QVERIFY(!tile->isEnabled());
        QCOMPARE(tile->tileOpacity(), 0.0);
        QVERIFY(tile->record().id.isEmpty());
    }
    QVERIFY(microLectureRecords.isEmpty());
    // A failed request is an empty list too.
    server->script(ListPath, {500, "down", {}, false, 0});
    QSignalSpy shown(page.data(), &FormCenterPanel::listShown);
    page->shootJson_object(firstPage(), 1, 0);
    QCOMPARE(shown.count(), 1);
    QVERIFY(page->isEmptyList());
}

void tst_microlecture_list::moreThanTwelveRecords()
{
    scriptedPage();
    QVERIFY(load(reply(videos(201, 15), 40)));
    QCOMPARE(page->records().size(), 15);
    for (int i = 0; i < page->tiles().size(); ++i)
        QCOMPARE(page->tiles().at(i)->record().id, QString::number(201 + i));
    // Thumbnails only for the tiles that show something.
    QVERIFY(page->runningWorkers() <= 12);
    QVERIFY(myCurrentThread2::liveCount() <= 12);
    QVERIFY(WidgetDriver::waitFor([&] { return page->runningWorkers() == 0; }, 30000));
    QVERIFY(WidgetDriver::waitFor([] { return myCurrentThread2::liveCount() == 0; }, 30000));
    QCOMPARE(page->pageWidget()->maxPage(), 4);
}

void tst_microlecture_list::loadStartedWhileAnotherWaits()
{
    scriptedPage();
    server->script(ListPath, {200, reply(videos(1, 3), 3), {{"Content-Type", "application/json"}}, false, 400});
    QSignalSpy shown(page.data(), &FormCenterPanel::listShown);
    QTimer::singleShot(50, this, [&] {
        // A page click while the first page still loads.
        server->scriptJson(ListPath, reply(videos(31, 2), 14));
        page->shootJson_object(QJsonObject{{"pageNum", "2"}, {"pageSize", "12"}}, 1, 0);
    });
    page->shootJson_object(firstPage(), 1, 0);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(idsOf(page->records()), (QStringList{"31", "32"}));
    QCOMPARE(idsOf(microLectureRecords), (QStringList{"31", "32"}));
    QCOMPARE(page->tiles().at(0)->record().id, QStringLiteral("31"));
    QVERIFY(!page->tiles().at(2)->isEnabled());
}

void tst_microlecture_list::selectionCap()
{
    scriptedPage();
    QVERIFY(load(reply(videos(1, 6), 6)));
    auto *output = WidgetDriver::find<QPushButton>(page, "pushButton_output");
    auto *chosenLabel = WidgetDriver::find<QLabel>(page, "label_YX");
    QVERIFY(!output->isEnabled());
    QVERIFY(chosenLabel->isHidden());
    QVERIFY(WidgetDriver::click(page, "pushButton_selector"));
    QList<QPushButton *> boxes;
    for (FormMicroKids *tile : page->tiles())
        boxes << button(tile, "pushButton_select");
    for (int i : {0, 2, 4})
        QTest::mouseClick(boxes.at(i), Qt::LeftButton);
    QCOMPARE(idsOf(page->selectedRecords()), (QStringList{"1", "3", "5"}));
    QVERIFY(output->isEnabled());
    QVERIFY(chosenLabel->isVisible());
    for (int i = 0; i < 6; ++i)
        QCOMPARE(boxes.at(i)->isEnabled(), i % 2 == 0);
    QTest::mouseClick(boxes.at(1), Qt::LeftButton);
    page->select_item(true, page->tiles().at(1)->record());
    QCOMPARE(page->selectedRecords().size(), 3);
    QVERIFY(!boxes.at(1)->isChecked());
    QVERIFY(WidgetDriver::click(page->selection()->chips().last(), "pushButtonX2"));
    QCOMPARE(idsOf(page->selectedRecords()), (QStringList{"1", "3"}));
    for (int i = 0; i < 6; ++i)
        QVERIFY(boxes.at(i)->isEnabled());
    QVERIFY(!boxes.at(4)->isChecked());
}

void tst_microlecture_list::chipsAcrossPages()
{
    scriptedPage();
    QVERIFY(load(reply(videos(1, 12), 24)));
    page->select_item(true, page->tiles().at(3)->record());
    QVERIFY(load(reply(videos(13, 12), 24)));
    QVERIFY(!page->tiles().at(3)->selectorChecked());
    page->select_item(true, page->tiles().at(0)->record());
    QStringList chipTexts;
    for (FormBottomLabel *chip : page->selection()->chips())
        chipTexts << chip->chipText();
    QCOMPARE(chipTexts, (QStringList{"微课4", "微课13"}));
    QVERIFY(WidgetDriver::click(page->selection()->chips().first(), "pushButtonX2"));
    QCOMPARE(idsOf(page->selectedRecords()), QStringList{"13"});
    QVERIFY(load(reply(videos(1, 12), 24)));
    QVERIFY(!page->tiles().at(3)->selectorChecked());
    QVERIFY(load(reply(videos(13, 12), 24)));
    QVERIFY(page->tiles().at(0)->selectorChecked());
}

void tst_microlecture_list::pageSwitchAndFirstLoad()
{
    scriptedPage();
    QSignalSpy asked(page.data(), &FormCenterPanel::collect_json_object);
    page->shootSwitchPage(1);
    QVERIFY(asked.isEmpty());
    page->shootSwitchPage(2);
    QCOMPARE(asked.count(), 1);
    QCOMPARE(asked.first().at(0).toInt(), 1);

    server->scriptJson(ListPath, reply(videos(1, 2), 2));
    QSignalSpy shown(page.data(), &FormCenterPanel::listShown);
    page->init_first(1);
    QVERIFY(shown.isEmpty());
    page->init_first(2);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(server->requests.last().path, ListPath);
    QCOMPARE(QJsonDocument::fromJson(server->requests.last().body).object(), firstPage());

    // The paging bar asks the filter bar for the page.
    page->pageWidget()->setMaxPage(3);
    page->pageWidget()->changePageNum(3);
    QCOMPARE(asked.last().at(0).toInt(), 3);
}

void tst_microlecture_list::failedCancelShare()
{
    scriptedPage();
    QVERIFY(load(reply({video(5, {{"isFee", "1"}, {"xuedou", "60"}, {"name", "口算"}})}, 1)));
    server->scriptJson(ApiPaths::smallClassShare.toUtf8(), R"({"code":0,"msg":"失败"})");
    QPushButton *share = button(page->tiles().first(), "pushButton_isFee");
    QTest::mouseClick(share, Qt::LeftButton);
    QVERIFY(share->isChecked());
    const auto messages = openMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first()->message(), QStringLiteral("确认要取消分享微课吗？"));
    BoxWatcher boxes;
    QVERIFY(WidgetDriver::click(messages.first(), "pushButtonOK"));
    QCOMPARE(boxes.seen.value(0), QStringLiteral("提示|口算取消分享失败，检查网络重新尝试。"));
    QVERIFY(share->isChecked());
    QCOMPARE(WidgetDriver::find<QLabel>(page->tiles().first(), "label_xuedou")->text(), QStringLiteral("60"));
}

// --- against the platform stand-in ---------------------------------------

FormCenterPanel *tst_microlecture_list::platformPage()
{
    qputenv("LUMEXA_API_BASE", platform.baseUrl().toUtf8());
    qputenv("LUMEXA_VIDEO_BASE", (platform.baseUrl() + "/video").toUtf8());
    if (!PlatformFixture::login())
        return nullptr;
    page = new FormCenterPanel;
    page->resize(1700, 900);
    page->show();
    QSignalSpy shown(page.data(), &FormCenterPanel::listShown);
    page->init_first(2);
    return shown.count() == 1 ? page.data() : nullptr;
}

QJsonObject tst_microlecture_list::platformRecord(const QString &id)
{
    PlatformHttp http(platform.baseUrl());
    http.login();
    const HttpReply r = http.post(ApiPaths::smallClassList, {{"pageNum", "1"}, {"pageSize", "100"}});
    for (const QJsonValue &v : r.data().value("list").toArray())
        if (v.toObject().value("id").toString() == id)
            return v.toObject();
    return {};
}

void tst_microlecture_list::platformThumbnails()
{
    QVERIFY(platformPage());
    QCOMPARE(page->records().size(), 12);
    QCOMPARE(page->pageWidget()->maxPage(), 2); // thirteen micro-lectures
    for (FormMicroKids *tile : page->tiles())
        QVERIFY2(WidgetDriver::waitFor([&] { return tile->hasThumbnail(); }, 60000), qPrintable(tile->record().name));
    // The pictures were read and taken out of the cache.
    for (FormMicroKids *tile : page->tiles())
        QVERIFY(!QFile::exists(myCurrentThread2::pictureFor(tile->record().id)));
    QVERIFY(WidgetDriver::waitFor([&] { return page->runningWorkers() == 0; }, 30000));
    QVERIFY(WidgetDriver::waitFor([] { return myCurrentThread2::liveCount() == 0; }, 30000));
    TestEnvironment::screenshot(page, "thumbnails");
}

void tst_microlecture_list::platformPlay()
{
    QVERIFY(platformPage());
    FormMicroKids *tile = page->tiles().at(1);
    QVERIFY(WidgetDriver::click(tile, "pushButton_btn"));
    QVERIFY(popupPlayer);
    QVERIFY(popupPlayer->isVisible());
    QCOMPARE(popupPlayer->player()->file(), platform.baseUrl() + "/video" + tile->record().fileSrc);
    QVERIFY(WidgetDriver::waitFor([] { return popupPlayer->player()->isPlaying(); }, 20000));
    QVERIFY(WidgetDriver::waitFor([] { return popupPlayer->mediaDuration() > 0; }, 20000));
    // The same popup serves the next tile.
    QTAVPlayer *first = popupPlayer;
    QVERIFY(WidgetDriver::click(page->tiles().at(2), "pushButton_btn"));
    QCOMPARE(popupPlayer, first);
    QCOMPARE(popupPlayer->player()->file(), platform.baseUrl() + "/video" + page->tiles().at(2)->record().fileSrc);
    popupPlayer->stopPlayer();
    popupPlayer->hide();
}

void tst_microlecture_list::platformShareCancelDelete()
{
    QVERIFY(platformPage());
    FormMicroKids *tile = nullptr;
    for (FormMicroKids *t : page->tiles())
        if (t->record().isFee == "0" && t->record().purchase == "0")
            tile = t;
    QVERIFY(tile);
    const QString id = tile->record().id;
    QPushButton *share = button(tile, "pushButton_isFee");
    QTest::mouseClick(share, Qt::LeftButton);
    QVERIFY(!share->isChecked());
    QPointer<FormShareInfo> dialog = WidgetDriver::shownTopLevel<FormShareInfo>();
    QVERIFY(dialog);
    QVERIFY(WidgetDriver::type(dialog, "lineEdit_XD", "15"));
    QVERIFY(WidgetDriver::click(dialog, "pushButton_public"));
    QVERIFY(WidgetDriver::waitFor([&] { return dialog.isNull(); }));
    QVERIFY(share->isChecked());
    QCOMPARE(WidgetDriver::find<QLabel>(tile, "label_xuedou")->text(), QStringLiteral("15"));
    QCOMPARE(platformRecord(id).value("isFee").toString(), QStringLiteral("1"));
    QCOMPARE(platformRecord(id).value("xuedou").toString(), QStringLiteral("15"));

    QTest::mouseClick(share, Qt::LeftButton);
    auto messages = openMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY(WidgetDriver::click(messages.first(), "pushButtonOK"));
    QVERIFY(!share->isChecked());
    QCOMPARE(WidgetDriver::find<QLabel>(tile, "label_xuedou")->text(), QStringLiteral("免费"));
    QCOMPARE(platformRecord(id).value("isFee").toString(), QStringLiteral("0"));

    QSignalSpy search(page.data(), &FormCenterPanel::Top_search);
    QTest::mouseClick(button(tile, "pushButtonDelete"), Qt::LeftButton);
    messages = openMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY(WidgetDriver::click(messages.first(), "pushButtonOK"));
    QCOMPARE(search.count(), 1);
    QVERIFY(platformRecord(id).isEmpty());
}

void tst_microlecture_list::platformExport()
{
    QVERIFY(platformPage());
    QVERIFY(WidgetDriver::click(page, "pushButton_selector"));
    FormMicroKids *tile = page->tiles().at(0);
    QTest::mouseClick(button(tile, "pushButton_select"), Qt::LeftButton);
    QCOMPARE(page->selectedRecords().size(), 1);
    QTemporaryDir folder;
    ResourceExport::chooseFolder = [&](QWidget *) { return folder.path(); };
    QSignalSpy done(page->exportPanel(), &FormExportProgress::allDone);
    QVERIFY(WidgetDriver::click(page, "pushButton_output"));
    QVERIFY(done.wait(30000));
    const QString path = folder.filePath(tile->record().name + ".mp4");
    QCOMPARE(page->exportPanel()->state(path), FormExportProgress::Done);
    QFile got(path);
    QFile stored(platform.dataDir() + "/video" + tile->record().fileSrc);
    QVERIFY(got.open(QIODevice::ReadOnly));
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QVERIFY(got.size() > 1000);
    QVERIFY(got.readAll() == stored.readAll());
    // The selection stays after an export.
    QCOMPARE(page->selectedRecords().size(), 1);
    bool recorded = false;
    for (const QJsonValue &v : platform.recordedRequests())
        recorded = recorded || v.toObject().value("path").toString() == ApiPaths::exportSave;
    QVERIFY(recorded);
}

void tst_microlecture_list::platformPurchased()
{
    QVERIFY(platformPage());
    QSignalSpy shown(page.data(), &FormCenterPanel::listShown);
    page->shootJson_object(firstPage(), 2);
    QCOMPARE(shown.count(), 1);
    QVERIFY(!page->records().isEmpty());
    for (const miciroInfo &r : page->records()) {
        QVERIFY2(r.fileSrc.endsWith(".mp4"), qPrintable(r.fileSrc));
        QCOMPARE(r.purchase, QStringLiteral("1"));
    }
    FormMicroKids *tile = page->tiles().first();
    QVERIFY(button(tile, "pushButton_isFee")->isHidden());
    QVERIFY(WidgetDriver::find<QLabel>(tile, "label_purchase")->isVisible());
    // Two a page: the bought decks come first on the platform, yet the first
    // page holds videos and the pages count videos only.
    page->shootJson_object(QJsonObject{{"pageNum", "1"}, {"pageSize", "2"}}, 2);
    QCOMPARE(page->records().size(), 2);
    QCOMPARE(page->records().value(0).total, 2);
}

LUMEXA_TEST_MAIN(tst_microlecture_list)
#include "tst_microlecture_list.moc"
