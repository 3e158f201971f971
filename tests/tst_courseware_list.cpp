// The my-courseware list: replies of every shape from a scripted server
// (page counts, tile variants, names, previews, selection across pages,
// late and broken replies), then the teacher's own decks on the platform
// stand-in: previews, share, cancel share, delete, export and the allowance.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BoxWatcher.h"
#include "CurrentUser.h"
#include "ExportSelection.h"
#include "FormBottomLabel.h"
#include "FormExportProgress.h"
#include "FormShareInfo.h"
#include "HttpClassInput.h"
#include "PageWidget2.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"
#include "ResourceExport.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankShareShadow.h"
#include "bankcenterkid.h"
#include "bankclasscenter.h"
#include "messageForm.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrlQuery>

namespace {
const QByteArray ListPath = ApiPaths::fileClassList.toUtf8();
const QByteArray PurchasedPath = ApiPaths::smallClassPurchaseList.toUtf8();

QJsonObject deck(int id, const QJsonObject &extra = {})
{
    QJsonObject o{{"id", QString::number(id)}, {"name", QStringLiteral("课件%1").arg(id)},
                  {"fileSrc", QStringLiteral("/courseware/cw-%1.pptx").arg(id)}, {"subject", "数学"},
                  {"bootName", "数学一年级上册"}, {"codeVerstiontypeid", "人教版"}, {"treeName", "准备课"},
                  {"xuedou", ""}, {"isFee", "0"}, {"purchase", "0"}, {"authorName", "王老师"}, {"delFlag", 0},
                  {"pptFiles", QJsonArray()}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        o.insert(it.key(), it.value());
    return o;
}

QByteArray reply(const QJsonArray &list, int total)
{
    return QJsonDocument(QJsonObject{{"code", 1}, {"msg", "成功"},
                                     {"data", QJsonObject{{"list", list}, {"total", total}}}})
        .toJson(QJsonDocument::Compact);
}

QJsonArray decks(int first, int count)
{
    QJsonArray out;
    for (int i = 0; i < count; ++i)
        out.append(deck(first + i));
    return out;
}

QByteArray png(const QColor &colour)
{
    QImage image(64, 36, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
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
}

class tst_courseware_list : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pageCounts_data();
    void pageCounts();
    void tileVariants_data();
    void tileVariants();
    void names_data();
    void names();
    void emptyReply_data();
    void emptyReply();
    void moreThanTwelveRecords();
    void previews();
    void relativePreviewAddresses();
    void selectionCap();
    void chipsAcrossPages();
    void lateReplyOfEarlierQuery();
    void searchFromLaterPage();
    void brokenReplies_data();
    void brokenReplies();
    void cancelledCancelShareKeepsShare();
    void failedDelete();

    void platformOwnDecks();
    void platformShareCancelDelete();
    void platformExportAndAllowance();

private:
    void useScripted();
    bankclasscenter *makePage(const QByteArray &firstReply, int limit = 3);
    bool load(const QByteArray &json, int classlist = 1, int shadow = 0, const QByteArray &path = ListPath);
    bankclasscenter *platformPage();
    QJsonObject platformRecord(const QString &id);

    ScriptedResponder *server = nullptr;
    PlatformFixture platform;
    QTemporaryDir cache;
    QPointer<bankclasscenter> page;
};

void tst_courseware_list::initTestCase()
{
    QVERIFY(Widgetmain::prepareCacheDirectory(cache.filePath("data")));
    contentRect = QRect(0, 0, 1300, 800);
    server = new ScriptedResponder(this);
    QVERIFY2(platform.start({"--record", "--no-office"}), qPrintable(platform.error()));
}

void tst_courseware_list::init()
{
    closeMessages();
}

void tst_courseware_list::cleanup()
{
    TestEnvironment::screenshotIfFailed(page);
    delete page.data();
    closeMessages();
}

void tst_courseware_list::useScripted()
{
    qputenv("LUMEXA_API_BASE", server->baseUrl().toUtf8());
    qputenv("LUMEXA_DOC_BASE", (server->baseUrl() + "/doc").toUtf8());
    server->requests.clear();
}

bankclasscenter *tst_courseware_list::makePage(const QByteArray &firstReply, int limit)
{
    useScripted();
    server->scriptJson(ApiPaths::exportFrequency.toUtf8(),
                       QStringLiteral(R"({"code":1,"data":{"lmQuestionDict":{"frequency":%1}}})").arg(limit).toUtf8());
    server->scriptJson(ListPath, firstReply);
    page = new bankclasscenter;
    page->resize(1300, 800);
    page->show();
    QSignalSpy shown(page.data(), &bankclasscenter::listShown);
    if (!shown.wait(10000))
        return nullptr;
    return page;
}

bool tst_courseware_list::load(const QByteArray &json, int classlist, int shadow, const QByteArray &path)
{
    server->scriptJson(path, json);
    QSignalSpy shown(page.data(), &bankclasscenter::listShown);
    page->shootJson_object(QJsonObject{{"pageNum", "1"}, {"pageSize", "12"}}, classlist, shadow);
    return shown.wait(10000);
}

void tst_courseware_list::pageCounts_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("pages");
    QTest::newRow("25") << 25 << 3;
    QTest::newRow("24") << 24 << 2;
    QTest::newRow("12") << 12 << 1;
}

void tst_courseware_list::pageCounts()
{
    QFETCH(int, total);
    QFETCH(int, pages);
    QVERIFY(makePage(reply(decks(1, qMin(total, 12)), total)));
    QCOMPARE(page->pageWidget()->maxPage(), pages);
    // An empty reply leaves the bar as it was.
    QVERIFY(load(reply({}, 0)));
    QCOMPARE(page->pageWidget()->maxPage(), pages);
    // The first request was the own list's first page.
    const auto &first = server->requests.at(1);
    QCOMPARE(first.path, ListPath);
    QCOMPARE(QJsonDocument::fromJson(first.body).object(), (QJsonObject{{"pageNum", "1"}, {"pageSize", "12"}}));
}

void tst_courseware_list::tileVariants_data()
{
    QTest::addColumn<QJsonObject>("fields");
    QTest::addColumn<bool>("share");
    QTest::addColumn<bool>("remove");
    QTest::addColumn<QString>("shareText");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("price");
    QTest::newRow("own, not shared") << QJsonObject{} << true << true << "分享" << "" << "免费";
    QTest::newRow("own, shared") << QJsonObject{{"isFee", "1"}, {"xuedou", "120"}} << true << true << "取消分享" << ""
                                 << "120";
    QTest::newRow("in use") << QJsonObject{{"delFlag", 1}, {"isFee", "1"}, {"xuedou", "50"}} << true << false
                            << "取消分享" << "当前课件已下发使用,无法删除" << "50";
    QTest::newRow("purchased") << QJsonObject{{"purchase", "1"}, {"delFlag", 1}} << false << false << "分享"
                               << "提示：订购他人课件无法分享和删除" << "免费";
}

void tst_courseware_list::tileVariants()
{
    QFETCH(QJsonObject, fields);
    QFETCH(bool, share);
    QFETCH(bool, remove);
    QFETCH(QString, shareText);
    QFETCH(QString, hint);
    QFETCH(QString, price);
    QVERIFY(makePage(reply({deck(1, fields)}, 1)));
    bankcenterkid *tile = page->tiles().first();
    QCOMPARE(button(tile, "pushButton_share")->isVisible(), share);
    QCOMPARE(button(tile, "pushButton_delete")->isVisible(), remove);
    QCOMPARE(button(tile, "pushButton_share")->text(), shareText);
    QCOMPARE(button(tile, "pushButton_share")->isChecked(), shareText == QStringLiteral("取消分享"));
    QCOMPARE(WidgetDriver::find<QLabel>(tile, "labelHint")->text(), hint);
    QCOMPARE(WidgetDriver::find<QLabel>(tile, "label_price")->text(), price);
    QCOMPARE(WidgetDriver::find<QLabel>(tile, "label_author")->text(), QStringLiteral("发布者：王老师"));
    QCOMPARE(WidgetDriver::find<QLabel>(tile, "labelSource")->text(), QStringLiteral("课题来源：数学一年级上册"));
}

void tst_courseware_list::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    const QString thirty = QStringLiteral("一二三四五六七八九十").repeated(3);
    QTest::newRow("30 characters") << thirty << thirty;
    QTest::newRow("31 characters") << thirty + "多" << thirty + "...";
    QTest::newRow("short") << "分与合" << "分与合";
}

void tst_courseware_list::names()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    QVERIFY(makePage(reply({deck(1, {{"name", name}})}, 1)));
    QCOMPARE(WidgetDriver::find<QLabel>(page->tiles().first(), "labelName")->text(), shown);
}

void tst_courseware_list::emptyReply_data()
{
    QTest::addColumn<int>("shadow");
    QTest::addColumn<bool>("notice");
    QTest::newRow("a search") << 1 << true;
    QTest::newRow("a page or list switch") << 0 << false;
}

void tst_courseware_list::emptyReply()
{
    QFETCH(int, shadow);
    QFETCH(bool, notice);
    QVERIFY(makePage(reply(decks(1, 12), 12)));
    QVERIFY(!page->isEmptyList());
    QVERIFY(load(reply({}, 0), 1, shadow));
    QVERIFY(page->isEmptyList());
    for (bankcenterkid *tile : page->tiles())
        QVERIFY(tile->isHidden());
    QCOMPARE(page->notice()->isVisible(), notice);
    // Records again hide the notice.
    QVERIFY(load(reply(decks(1, 2), 2), 1, shadow));
    QVERIFY(!page->notice()->isVisible());
    QVERIFY(!page->isEmptyList());
}

void tst_courseware_list::moreThanTwelveRecords()
{
    QVERIFY(makePage(reply(decks(101, 15), 40)));
    int shown = 0;
    for (int i = 0; i < page->tiles().size(); ++i) {
        bankcenterkid *tile = page->tiles().at(i);
        QCOMPARE(tile->record().id, QString::number(101 + i));
        shown += tile->isVisible() ? 1 : 0;
    }
    QCOMPARE(shown, 12);
    QCOMPARE(page->pageWidget()->maxPage(), 4);
}

void tst_courseware_list::previews()
{
    useScripted();
    const QString base = server->baseUrl() + "/img/";
    const QStringList colours{"red", "green", "blue", "yellow", "cyan", "magenta"};
    for (const QString &c : colours)
        server->script("/img/" + c.toUtf8() + ".png", {200, png(QColor(c)), {}, false, 0});
    const QJsonArray files{base + "red.png", "", base + "green.png", base + "blue.png", base + "yellow.png",
                           base + "cyan.png", base + "magenta.png"};
    QVERIFY(makePage(reply({deck(1, {{"pptFiles", files}})}, 1)));
    bankcenterkid *tile = page->tiles().first();
    QCOMPARE(bankcenterkid::previewAddresses(tile->record().pptFiles),
             (QStringList{base + "red.png", base + "green.png", base + "blue.png", base + "yellow.png"}));
    // The cover comes first, the rest only when the pointer is over the tile.
    QVERIFY(WidgetDriver::waitFor([&] { return tile->previewsLoaded() == 1; }));
    QVERIFY(!tile->slideShowRunning());
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(tile, &enter);
    QVERIFY(tile->slideShowRunning());
    QVERIFY(WidgetDriver::waitFor([&] { return tile->previewsLoaded() == 4; }));
    QVERIFY(WidgetDriver::waitFor([&] { return tile->imageOpacity() < 1.0; }));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(tile, &leave);
    QVERIFY(!tile->slideShowRunning());
    QCOMPARE(tile->imageOpacity(), 1.0);
    QStringList asked;
    for (const auto &r : server->requests)
        if (r.path.startsWith("/img/"))
            asked << QString::fromUtf8(r.path);
    asked.sort();
    QCOMPARE(asked, (QStringList{"/img/blue.png", "/img/green.png", "/img/red.png", "/img/yellow.png"}));
}

void tst_courseware_list::relativePreviewAddresses()
{
    // Like every stored path in the replies, a relative one lies in the
    // document storage; a complete address stays as it is.
    const QByteArray saved = qgetenv("LUMEXA_DOC_BASE");
    qputenv("LUMEXA_DOC_BASE", "http://docs.example:81/doc");
    const QStringList shown = bankcenterkid::previewAddresses({"/slides/1.png", "slides/2.png", "https://cdn.example/3.png", " "});
    qputenv("LUMEXA_DOC_BASE", saved);
    QCOMPARE(shown, (QStringList{"http://docs.example:81/doc/slides/1.png", "http://docs.example:81/doc/slides/2.png",
                                 "https://cdn.example/3.png"}));
}

void tst_courseware_list::selectionCap()
{
    QVERIFY(makePage(reply(decks(1, 6), 6), 3));
    auto *output = WidgetDriver::find<QPushButton>(page, "pushButton_output");
    auto *chosenLabel = WidgetDriver::find<QLabel>(page, "label_YX");
    QVERIFY(!output->isEnabled());
    QVERIFY(chosenLabel->isVisible()); // "已选" stands even before anything is chosen
    QVERIFY(WidgetDriver::click(page, "pushButton_selector"));
    QList<QPushButton *> boxes;
    for (bankcenterkid *tile : page->tiles())
        boxes << button(tile, "pushButtonSelector");
    QVERIFY(boxes.first()->isVisible());
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(boxes.at(i), Qt::LeftButton);
    QCOMPARE(idsOf(page->selectedRecords()), (QStringList{"1", "2", "3"}));
    QVERIFY(output->isEnabled());
    for (int i = 0; i < 6; ++i)
        QCOMPARE(boxes.at(i)->isEnabled(), i < 3);
    // A fourth record does not get in, however it is offered.
    QTest::mouseClick(boxes.at(3), Qt::LeftButton);
    page->select_item(true, page->tiles().at(4)->record());
    QCOMPARE(page->selectedRecords().size(), 3);
    QCOMPARE(page->selection()->chips().size(), 3);
    QVERIFY(!boxes.at(3)->isChecked());
    // Removing a chip frees every box again.
    QVERIFY(WidgetDriver::click(page->selection()->chips().at(1), "pushButtonX2"));
    QCOMPARE(idsOf(page->selectedRecords()), (QStringList{"1", "3"}));
    QVERIFY(!boxes.at(1)->isChecked());
    for (QPushButton *b : boxes)
        QVERIFY(b->isEnabled());
    // Unchecking a tile takes it out as well.
    QTest::mouseClick(boxes.at(0), Qt::LeftButton);
    QTest::mouseClick(boxes.at(2), Qt::LeftButton);
    QVERIFY(page->selectedRecords().isEmpty());
    QVERIFY(!output->isEnabled());
    QVERIFY(chosenLabel->isVisible());
    QVERIFY(WidgetDriver::click(page, "pushButton_selector"));
    QVERIFY(boxes.first()->isHidden());
}

void tst_courseware_list::chipsAcrossPages()
{
    QVERIFY(makePage(reply(decks(1, 12), 24), 3));
    page->select_item(true, page->tiles().at(0)->record());
    page->select_item(true, page->tiles().at(5)->record());
    QVERIFY(load(reply(decks(13, 12), 24)));
    QVERIFY(!page->tiles().at(0)->selectorChecked());
    page->select_item(true, page->tiles().at(0)->record());
    QCOMPARE(idsOf(page->selectedRecords()), (QStringList{"1", "6", "13"}));
    // All three allowed exports are chosen: the other boxes of page 2 are off.
    QVERIFY(!button(page->tiles().at(1), "pushButtonSelector")->isEnabled());
    QStringList chipTexts;
    for (FormBottomLabel *chip : page->selection()->chips())
        chipTexts << chip->chipText();
    QCOMPARE(chipTexts, (QStringList{"课件1", "课件6", "课件13"}));

    // The chip of a record from page 1 goes away while page 2 is shown.
    QVERIFY(WidgetDriver::click(page->selection()->chips().at(0), "pushButtonX2"));
    QCOMPARE(idsOf(page->selectedRecords()), (QStringList{"6", "13"}));
    QVERIFY(page->tiles().at(0)->selectorChecked());
    QVERIFY(button(page->tiles().at(1), "pushButtonSelector")->isEnabled());

    QVERIFY(load(reply(decks(1, 12), 24)));
    QVERIFY(!page->tiles().at(0)->selectorChecked());
    QVERIFY(page->tiles().at(5)->selectorChecked());
}

void tst_courseware_list::lateReplyOfEarlierQuery()
{
    QVERIFY(makePage(reply({}, 0)));
    server->script(ListPath, {200, reply(decks(1, 3), 3), {{"Content-Type", "application/json"}}, false, 400});
    QJsonArray bought;
    for (int i = 0; i < 2; ++i)
        bought.append(deck(50 + i, {{"purchase", "1"}, {"resKind", "courseware"}}));
    bought.append(deck(60, {{"purchase", "1"}, {"resKind", "microlecture"}}));
    server->scriptJson(PurchasedPath, reply(bought, 3));
    QSignalSpy shown(page.data(), &bankclasscenter::listShown);
    page->shootJson_object(QJsonObject{{"pageNum", "1"}, {"pageSize", "12"}}, 1, 0);
    page->shootJson_object(QJsonObject{{"pageNum", "1"}, {"pageSize", "12"}}, 2, 0);
    QVERIFY(shown.wait(10000));
    QTest::qWait(700);
    QCOMPARE(shown.count(), 1);
    // The purchased decks only: the video belongs to the other list.
    QCOMPARE(idsOf(page->records()), (QStringList{"50", "51"}));
    QCOMPARE(page->tiles().at(0)->record().id, QStringLiteral("50"));
    QVERIFY(page->tiles().at(2)->isHidden());
    QCOMPARE(page->lastClasslist(), 2);
    QVERIFY(openMessages().isEmpty());
    // The purchased list is asked for decks; the own list needs no kind.
    for (const auto &r : server->requests)
        QCOMPARE(QUrlQuery(QString::fromUtf8(r.query)).queryItemValue("resKind"),
                 r.path == PurchasedPath ? QStringLiteral("courseware") : QString());
}

void tst_courseware_list::searchFromLaterPage()
{
    QVERIFY(makePage(reply(decks(1, 12), 30)));
    QSignalSpy asked(page.data(), &bankclasscenter::collect_json_object);
    QVERIFY(WidgetDriver::click(page->pageWidget(), "pageButton2"));
    QCOMPARE(asked.count(), 1);
    QCOMPARE(asked.last().at(0).toInt(), 2);
    server->scriptJson(ListPath, reply(decks(13, 12), 30));
    QSignalSpy shown(page.data(), &bankclasscenter::listShown);
    page->shootJson_object(QJsonObject{{"pageNum", "2"}, {"pageSize", "12"}}, 1, 0);
    QVERIFY(shown.wait(10000));

    // A search brings page 1: the bar follows, without asking for a page.
    QVERIFY(load(reply(decks(1, 12), 25), 1, 1));
    QCOMPARE(page->pageWidget()->currentPage(), 1);
    QCOMPARE(asked.count(), 1);
    // So page 2 can be chosen again.
    QVERIFY(WidgetDriver::click(page->pageWidget(), "pageButton2"));
    QCOMPARE(asked.count(), 2);
    QCOMPARE(asked.last().at(0).toInt(), 2);
}

void tst_courseware_list::brokenReplies_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("emptied");
    QTest::newRow("not JSON") << QByteArray("<html>oops</html>") << QStringLiteral("JSON1 格式不匹配") << false;
    QTest::newRow("refused") << QByteArray(R"({"code":0,"msg":"token失效"})") << QString() << false;
    QTest::newRow("wrong shape") << QByteArray(R"({"code":1,"msg":"成功","data":{"list":{"id":"9"},"total":"x"}})")
                                 << QString() << true;
}

void tst_courseware_list::brokenReplies()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
    QFETCH(bool, emptied);
    QVERIFY(makePage(reply(decks(1, 2), 2)));
    server->script(ListPath, {200, body, {}, false, 0});
    page->shootJson_object(QJsonObject{{"pageNum", "1"}, {"pageSize", "12"}}, 1, 0);
    QVERIFY(WidgetDriver::waitFor([&] { return !page->isLoading(); }));
    QCoreApplication::processEvents();
    QStringList texts;
    for (messageForm *m : openMessages())
        texts << m->message();
    QCOMPARE(texts, message.isEmpty() ? QStringList() : QStringList{message});
    if (emptied) {
        // A list that is no list is an empty page, not a crash.
        QVERIFY(page->isEmptyList());
        return;
    }
    QVERIFY(page->tiles().at(0)->isVisible());
    QCOMPARE(page->tiles().at(1)->record().id, QStringLiteral("2"));
}

void tst_courseware_list::cancelledCancelShareKeepsShare()
{
    QVERIFY(makePage(reply({deck(1, {{"isFee", "1"}, {"xuedou", "30"}})}, 1)));
    QPushButton *share = button(page->tiles().first(), "pushButton_share");
    QTest::mouseClick(share, Qt::LeftButton);
    QVERIFY(share->isChecked());
    const auto messages = openMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first()->message(), QStringLiteral("确认要取消分享课件吗？"));
    QVERIFY(WidgetDriver::click(messages.first(), "pushButton_Cancle"));
    QVERIFY(share->isChecked());
    QCOMPARE(share->text(), QStringLiteral("取消分享"));
    for (const auto &r : server->requests)
        QVERIFY(r.path != ApiPaths::fileClassShare.toUtf8());
}

void tst_courseware_list::failedDelete()
{
    QVERIFY(makePage(reply({deck(7, {{"name", "认识整时"}})}, 1)));
    server->scriptJson(ApiPaths::fileClassDelete.toUtf8(), R"({"code":0,"msg":"当前课件已被其他教师订购，无法删除"})");
    bankcenterkid *tile = page->tiles().first();
    QTest::mouseClick(button(tile, "pushButton_delete"), Qt::LeftButton);
    const auto messages = openMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first()->message(), QStringLiteral("确认要删除该课件吗？"));
    BoxWatcher boxes;
    QVERIFY(WidgetDriver::click(messages.first(), "pushButtonOK"));
    QCOMPARE(boxes.seen.value(0), QStringLiteral("提示|认识整时删除失败，检查网络重新尝试。"));
    QVERIFY(tile->isVisible());
    QCOMPARE(QJsonDocument::fromJson(server->requests.last().body).object(), (QJsonObject{{"id", "7"}}));
}

// --- against the platform stand-in ---------------------------------------

bankclasscenter *tst_courseware_list::platformPage()
{
    qputenv("LUMEXA_API_BASE", platform.baseUrl().toUtf8());
    qputenv("LUMEXA_DOC_BASE", (platform.baseUrl() + "/doc").toUtf8());
    if (!PlatformFixture::login())
        return nullptr;
    page = new bankclasscenter;
    page->resize(1300, 800);
    page->show();
    QSignalSpy shown(page.data(), &bankclasscenter::listShown);
    if (!shown.wait(10000))
        return nullptr;
    return page;
}

QJsonObject tst_courseware_list::platformRecord(const QString &id)
{
    PlatformHttp http(platform.baseUrl());
    http.login();
    const HttpReply r = http.post(ApiPaths::fileClassList, {{"pageNum", "1"}, {"pageSize", "100"}});
    for (const QJsonValue &v : r.data().value("list").toArray())
        if (v.toObject().value("id").toString() == id)
            return v.toObject();
    return {};
}

void tst_courseware_list::platformOwnDecks()
{
    QVERIFY(platformPage());
    QCOMPARE(dailyExportLimit, 3);
    QCOMPARE(page->records().size(), 12);
    QCOMPARE(page->pageWidget()->maxPage(), 2); // fourteen decks
    PlatformHttp http(platform.baseUrl());
    QVERIFY(!http.login().isEmpty());
    const HttpReply r = http.post(ApiPaths::fileClassList, {{"pageNum", "1"}, {"pageSize", "12"}});
    QStringList expected;
    for (const QJsonValue &v : r.data().value("list").toArray())
        expected << v.toObject().value("id").toString();
    QCOMPARE(idsOf(page->records()), expected);
    for (bankcenterkid *tile : page->tiles()) {
        QVERIFY(tile->isVisible());
        QVERIFY(!tile->record().pptFiles.isEmpty());
        QVERIFY2(WidgetDriver::waitFor([&] { return tile->previewsLoaded() == 1; }), qPrintable(tile->record().name));
    }
    TestEnvironment::screenshot(page, "own-decks");

    // Page 2 through the paging bar's request.
    QSignalSpy asked(page.data(), &bankclasscenter::collect_json_object);
    page->pageWidget()->changePageNum(2);
    QCOMPARE(asked.value(0).value(0).toInt(), 2);
    QSignalSpy shown(page.data(), &bankclasscenter::listShown);
    page->shootJson_object(QJsonObject{{"pageNum", "2"}, {"pageSize", "12"}}, 1, 0);
    QVERIFY(shown.wait(10000));
    QCOMPARE(page->records().size(), 2);
    QVERIFY(page->tiles().at(2)->isHidden());
}

void tst_courseware_list::platformShareCancelDelete()
{
    QVERIFY(platformPage());
    bankcenterkid *tile = nullptr;
    for (bankcenterkid *t : page->tiles())
        if (t->record().isFee == "0" && t->record().delFlag == 0 && t->record().purchase == "0")
            tile = t;
    QVERIFY(tile);
    const QString id = tile->record().id;
    QPushButton *share = button(tile, "pushButton_share");

    QTest::mouseClick(share, Qt::LeftButton);
    QVERIFY(!share->isChecked()); // not before the server agreed
    QPointer<FormShareInfo> dialog = WidgetDriver::shownTopLevel<FormShareInfo>();
    QVERIFY(dialog);
    QCOMPARE(WidgetDriver::find<QLineEdit>(dialog, "lineEditName")->text(), tile->record().name);
    WidgetDriver::find<QLineEdit>(dialog, "lineEditName")->setText(QStringLiteral("分享的课件"));
    QVERIFY(WidgetDriver::type(dialog, "lineEdit_XD", "88"));
    QVERIFY(WidgetDriver::click(dialog, "pushButton_public"));
    QVERIFY(WidgetDriver::waitFor([&] { return dialog.isNull(); }));
    QVERIFY(share->isChecked());
    QCOMPARE(share->text(), QStringLiteral("取消分享"));
    QCOMPARE(WidgetDriver::find<QLabel>(tile, "labelName")->text(), QStringLiteral("分享的课件"));
    QCOMPARE(WidgetDriver::find<QLabel>(tile, "label_price")->text(), QStringLiteral("88"));
    QJsonObject held = platformRecord(id);
    QCOMPARE(held.value("isFee").toString(), QStringLiteral("1"));
    QCOMPARE(held.value("xuedou").toString(), QStringLiteral("88"));
    QCOMPARE(held.value("name").toString(), QStringLiteral("分享的课件"));

    QTest::mouseClick(share, Qt::LeftButton);
    auto messages = openMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY(WidgetDriver::click(messages.first(), "pushButtonOK"));
    QVERIFY(!share->isChecked());
    QCOMPARE(platformRecord(id).value("isFee").toString(), QStringLiteral("0"));

    // Chosen for export, then deleted: it leaves the selection too.
    QVERIFY(WidgetDriver::click(page, "pushButton_selector"));
    QTest::mouseClick(button(tile, "pushButtonSelector"), Qt::LeftButton);
    QCOMPARE(idsOf(page->selectedRecords()), QStringList{id});
    QTest::mouseClick(button(tile, "pushButton_delete"), Qt::LeftButton);
    messages = openMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY(WidgetDriver::click(messages.first(), "pushButtonOK"));
    QVERIFY(tile->isHidden());
    QVERIFY(page->selectedRecords().isEmpty());
    QVERIFY(platformRecord(id).isEmpty());
}

void tst_courseware_list::platformExportAndAllowance()
{
    QVERIFY(platformPage());
    QVERIFY(WidgetDriver::click(page, "pushButton_selector"));
    QTest::mouseClick(button(page->tiles().at(1), "pushButtonSelector"), Qt::LeftButton);
    QTest::mouseClick(button(page->tiles().at(2), "pushButtonSelector"), Qt::LeftButton);
    const QList<miciroInfo> chosen = page->selectedRecords();
    QCOMPARE(chosen.size(), 2);
    QTemporaryDir folder;
    ResourceExport::chooseFolder = [&](QWidget *) { return folder.path(); };
    QSignalSpy done(page->exportPanel(), &FormExportProgress::allDone);
    QVERIFY(WidgetDriver::click(page, "pushButton_output"));
    QVERIFY(done.wait(30000));
    QVERIFY(page->exportPanel()->isVisible());
    TestEnvironment::screenshot(page, "export-done");
    for (const miciroInfo &r : chosen) {
        const QString path = folder.filePath(r.name + ".pptx");
        QCOMPARE(page->exportPanel()->state(path), FormExportProgress::Done);
        QFile got(path);
        QFile stored(platform.dataDir() + "/doc" + r.fileSrc);
        QVERIFY2(got.open(QIODevice::ReadOnly), qPrintable(path));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QVERIFY(got.size() > 0);
        QVERIFY(got.readAll() == stored.readAll());
    }
    QJsonObject sent;
    for (const QJsonValue &v : platform.recordedRequests())
        if (v.toObject().value("path").toString() == ApiPaths::exportSave)
            sent = v.toObject();
    QVERIFY(!sent.isEmpty());

    // Two more would pass the day's three.
    QTest::mouseClick(button(page->tiles().at(1), "pushButtonSelector"), Qt::LeftButton);
    QTest::mouseClick(button(page->tiles().at(2), "pushButtonSelector"), Qt::LeftButton);
    QTest::mouseClick(button(page->tiles().at(3), "pushButtonSelector"), Qt::LeftButton);
    QTest::mouseClick(button(page->tiles().at(4), "pushButtonSelector"), Qt::LeftButton);
    QCOMPARE(page->selectedRecords().size(), 2);
    QTemporaryDir second;
    ResourceExport::chooseFolder = [&](QWidget *) { return second.path(); };
    QVERIFY(WidgetDriver::click(page, "pushButton_output"));
    const auto messages = openMessages();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first()->message(), QStringLiteral("今日次数不足，每天只有3次导出机会哦。"));
    QTest::qWait(300);
    QVERIFY(QDir(second.path()).isEmpty());
}

LUMEXA_TEST_MAIN(tst_courseware_list)
#include "tst_courseware_list.moc"
