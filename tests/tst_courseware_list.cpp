// The my-courseware list against a scripted server, then the stand-in: its
// tiles' edit button fetches the deck under a safe name into the cache and
// opens it in the real document control; a failed publish gives the form back.
// The allowance refusal is tst_resource_export's, the stand-in's count tst_platform_exports'.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BoxWatcher.h"
#include "DocumentHost.h"
#include "EmitObject.h"
#include "ExportSelection.h"
#include "FormBottomLabel.h"
#include "FormExportProgress.h"
#include "FormFaBuChenggong.h"
#include "FormShareInfo.h"
#include "ListFixtures.h"
#include "PageWidget2.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"
#include "ResourceExport.h"
#include "ScriptedResponder.h"
#include "TestDecks.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankcenterkid.h"
#include "bankclasscenter.h"
#include "bankupinfo.h"

#include <QJsonArray>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrlQuery>

namespace {
const QByteArray ListPath = ApiPaths::fileClassList.toUtf8();
const QByteArray PurchasedPath = ApiPaths::smallClassPurchaseList.toUtf8();

using ListFixtures::idsOf;
using ListFixtures::records;
using ListFixtures::reply;

QJsonObject deck(int id, const QJsonObject &extra = {})
{
    return ListFixtures::merged(
        {{"id", QString::number(id)}, {"name", QStringLiteral("课件%1").arg(id)},
         {"fileSrc", QStringLiteral("/courseware/cw-%1.pptx").arg(id)}, {"subject", "数学"},
         {"bootName", "数学一年级上册"}, {"codeVerstiontypeid", "人教版"}, {"treeName", "准备课"}, {"xuedou", ""},
         {"isFee", "0"}, {"purchase", "0"}, {"authorName", "王老师"}, {"delFlag", 0}, {"pptFiles", QJsonArray()}},
        extra);
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
    void cleanup();

    void moreThanTwelveRecordsThenSearch();
    void relativePreviewAddresses();
    void selectionCap();
    void lateReplyOfEarlierQuery();
    void brokenReplies_data();
    void brokenReplies();
    void editPaths_data();
    void editPaths();
    void failedDownload();

    void editOpensDeck();
    void failureGivesTheFormBack_data();
    void failureGivesTheFormBack();
    void platformShareCancelDelete();
    void platformExport();

private:
    bankclasscenter *showPage(const QString &base);
    bankclasscenter *makePage(const QByteArray &firstReply, int limit = 3);
    bool load(const QByteArray &json, int shadow = 0, const QString &pageNum = "1");
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
    QVERIFY(PlatformFixture::login());
}

void tst_courseware_list::cleanup()
{
    TestEnvironment::screenshotIfFailed(page);
    delete page.data();
    WidgetDriver::closeMessages();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bankclasscenter *tst_courseware_list::showPage(const QString &base)
{
    qputenv("LUMEXA_API_BASE", base.toUtf8());
    qputenv("LUMEXA_DOC_BASE", (base + "/doc").toUtf8());
    page = new bankclasscenter;
    page->resize(1300, 800);
    page->show();
    QSignalSpy shown(page.data(), &bankclasscenter::listShown);
    return shown.wait(10000) ? page.data() : nullptr;
}

bankclasscenter *tst_courseware_list::makePage(const QByteArray &firstReply, int limit)
{
    server->requests.clear();
    server->scriptJson(ApiPaths::exportFrequency.toUtf8(),
                       QStringLiteral(R"({"code":1,"data":{"lmQuestionDict":{"frequency":%1}}})").arg(limit).toUtf8());
    server->scriptJson(ListPath, firstReply);
    return showPage(server->baseUrl());
}

bool tst_courseware_list::load(const QByteArray &json, int shadow, const QString &pageNum)
{
    server->scriptJson(ListPath, json);
    QSignalSpy shown(page.data(), &bankclasscenter::listShown);
    page->shootJson_object(QJsonObject{{"pageNum", pageNum}, {"pageSize", "12"}}, 1, shadow);
    return shown.wait(10000);
}

void tst_courseware_list::moreThanTwelveRecordsThenSearch()
{
    QVERIFY(makePage(reply(records(101, 15, deck), 40)));
    int shown = 0;
    for (int i = 0; i < page->tiles().size(); ++i) {
        bankcenterkid *tile = page->tiles().at(i);
        QCOMPARE(tile->record().id, QString::number(101 + i));
        shown += tile->isVisible() ? 1 : 0;
    }
    QCOMPARE(shown, 12);
    QCOMPARE(page->pageWidget()->maxPage(), 4);

    QSignalSpy asked(page.data(), &bankclasscenter::collect_json_object);
    QVERIFY(WidgetDriver::click(page->pageWidget(), "pageButton2"));
    QCOMPARE(asked.count(), 1);
    QVERIFY(load(reply(records(13, 12, deck), 40), 0, "2"));
    // A search brings page 1: the bar follows, without asking for a page.
    QVERIFY(load(reply(records(1, 12, deck), 25), 1));
    QCOMPARE(page->pageWidget()->currentPage(), 1);
    QCOMPARE(asked.count(), 1);
    // So page 2 can be chosen again.
    QVERIFY(WidgetDriver::click(page->pageWidget(), "pageButton2"));
    QCOMPARE(asked.count(), 2);
    QCOMPARE(asked.last().at(0).toInt(), 2);
}

void tst_courseware_list::relativePreviewAddresses()
{
    // Like every stored path in the replies, a relative one lies in the
    // document storage; a complete address stays as it is.
    qputenv("LUMEXA_DOC_BASE", "http://docs.example:81/doc"); // each page sets its own again
    const QStringList shown = bankcenterkid::previewAddresses({"/slides/1.png", "slides/2.png", "https://cdn.example/3.png", " "});
    QCOMPARE(shown, (QStringList{"http://docs.example:81/doc/slides/1.png", "http://docs.example:81/doc/slides/2.png",
                                 "https://cdn.example/3.png"}));
}

void tst_courseware_list::selectionCap()
{
    QVERIFY(makePage(reply(records(1, 6, deck), 6), 3));
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

void tst_courseware_list::lateReplyOfEarlierQuery()
{
    QVERIFY(makePage(reply({}, 0)));
    server->script(ListPath, {200, reply(records(1, 3, deck), 3), {{"Content-Type", "application/json"}}, false, 400});
    const QJsonObject boughtDeck{{"purchase", "1"}, {"resKind", "courseware"}};
    const QJsonArray bought{deck(50, boughtDeck), deck(51, boughtDeck),
                            deck(60, {{"purchase", "1"}, {"resKind", "microlecture"}})};
    server->scriptJson(PurchasedPath, reply(bought, 3));
    QSignalSpy shown(page.data(), &bankclasscenter::listShown);
    page->shootJson_object(QJsonObject{{"pageNum", "1"}, {"pageSize", "12"}}, 1, 0);
    page->shootJson_object(QJsonObject{{"pageNum", "1"}, {"pageSize", "12"}}, 2, 0);
    QVERIFY(shown.wait(10000));
    QTest::qWait(700);
    QCOMPARE(shown.count(), 1);
    // The purchased decks only: the video belongs to the other list.
    QCOMPARE(idsOf(page->records()), (QStringList{"50", "51"}));
    QVERIFY(WidgetDriver::shownMessages().isEmpty());
    // The purchased list is asked for decks; the own list needs no kind.
    for (const auto &r : server->requests)
        QCOMPARE(QUrlQuery(QString::fromUtf8(r.query)).queryItemValue("resKind"),
                 r.path == PurchasedPath ? QStringLiteral("courseware") : QString());
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
    QVERIFY(makePage(reply(records(1, 2, deck), 2)));
    server->script(ListPath, {200, body, {}, false, 0});
    page->shootJson_object(QJsonObject{{"pageNum", "1"}, {"pageSize", "12"}}, 1, 0);
    QVERIFY(WidgetDriver::waitFor([&] { return !page->isLoading(); }));
    QCoreApplication::processEvents();
    QCOMPARE(WidgetDriver::shownMessages(), message.isEmpty() ? QStringList() : QStringList{message});
    if (emptied) {
        // A list that is no list is an empty page, not a crash.
        QVERIFY(page->isEmptyList());
        return;
    }
    QVERIFY(page->tiles().at(0)->isVisible());
    QCOMPARE(page->tiles().at(1)->record().id, QStringLiteral("2"));
}

void tst_courseware_list::editPaths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fileSrc");
    QTest::addColumn<QString>("file");
    QTest::newRow("plain") << "分与合课件" << "/courseware/cw-3.pptx" << "分与合课件.pptx";
    QTest::newRow("climbing") << "../../../etc/passwd" << "/c/x.pptx" << "_.._.._etc_passwd.pptx";
    QTest::newRow("empty name") << "" << "/c/x.pptx" << "课件9.pptx";
    QTest::newRow("no stored suffix") << "课件" << "/c/deck" << "课件.pptx";
}

void tst_courseware_list::editPaths()
{
    QFETCH(QString, name);
    QFETCH(QString, fileSrc);
    QFETCH(QString, file);
    QCOMPARE(bankcenterkid::editPath(miciroInfo{"9", name, fileSrc}), sourceDir + "pptemp/" + file);
}

void tst_courseware_list::failedDownload()
{
    // The scripted server holds no decks: the download is refused.
    QVERIFY(makePage(reply(records(1, 2, deck), 2)));
    bankcenterkid *tile = page->tiles().at(1);
    const QString before = currentDocumentPath;
    QSignalSpy view(page.data(), &bankclasscenter::select_click);
    BoxWatcher boxes;
    QTest::mouseClick(button(tile, "pushButton_Edit"), Qt::LeftButton);
    QVERIFY(WidgetDriver::waitFor([&] { return !boxes.seen.isEmpty(); }));
    QVERIFY2(boxes.seen.first().startsWith("HTTP|课件请求失败 DownloadImg error code: 203."), qPrintable(boxes.seen.first()));
    QVERIFY(boxes.seen.first().endsWith("HTTPscode:404"));
    QVERIFY(view.isEmpty());
    QCOMPARE(currentDocumentPath, before);
    QVERIFY(!QFile::exists(bankcenterkid::editPath(tile->record())));
}

// --- against the platform stand-in ---------------------------------------

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

void tst_courseware_list::editOpensDeck()
{
    QVERIFY(TestDecks::write(DocumentHost::templateDeck(), {{QStringLiteral("空白课件"), QString()}}));
    QWidget host;
    host.resize(1300, 800);
    host.show();
    QSignalSpy started(DocumentHost::setUp(&host), &DocumentControl::documentOpened);
    QVERIFY(started.wait(60000));
    QVERIFY(showPage(platform.baseUrl()));
    bankcenterkid *tile = page->tiles().at(0);
    const QString path = sourceDir + "pptemp/" + tile->record().name + ".pptx";
    QSignalSpy view(page.data(), &bankclasscenter::select_click);
    QSignalSpy codes(EmitObject::instance(), &EmitObject::shootCode);
    QSignalSpy opened(documentControl.data(), &DocumentControl::documentOpened);
    QTest::mouseClick(button(tile, "pushButton_Edit"), Qt::LeftButton);
    QVERIFY(view.wait(20000));
    QCOMPARE(view.first().at(0).toInt(), 2);
    // The toolbar is told, and the office opens the deck.
    QCOMPARE(codes.value(0), (QVariantList{101, path}));
    QVERIFY(opened.wait(60000));
    QCOMPARE(opened.first(), (QVariantList{true, path}));
    QCOMPARE(currentDocumentPath, path);
    QVERIFY(documentControl->slideCount() > 1);
    const QByteArray got = TestEnvironment::readFile(path);
    QVERIFY(!got.isEmpty() && got == TestEnvironment::readFile(platform.dataDir() + "/doc" + tile->record().fileSrc));
}

void tst_courseware_list::failureGivesTheFormBack_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("saves");
    QTest::newRow("upload fails") << QByteArray() << QStringLiteral("课件上传失败") << 0;
    // The platform takes the upload but refuses a record whose file is no deck.
    QTest::newRow("record refused") << QByteArray("not a deck")
                                    << QStringLiteral("课件信息保存失败，检查网络重新尝试。") << 1;
}

void tst_courseware_list::failureGivesTheFormBack()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(int, saves);
    qputenv("LUMEXA_API_BASE", platform.baseUrl().toUtf8());
    currentDocumentPath = cache.filePath(content.isEmpty() ? "missing.pptx" : "notes.txt");
    if (!content.isEmpty())
        QVERIFY(TestEnvironment::writeFile(currentDocumentPath, content));
    const int before = platform.recordedBodies(ApiPaths::fileClassSave).size();
    bankupinfo form;
    form.show();
    QVERIFY(WidgetDriver::fillCurriculum(&form));
    form.findChild<QLineEdit *>("lineEditName")->setText(QStringLiteral("分与合"));
    form.findChild<QLineEdit *>("lineEdit_XD")->setText("200");
    BoxWatcher boxes;
    QTest::mouseClick(form.findChild<QPushButton *>("pushButton_OK"), Qt::LeftButton);
    QCOMPARE(WidgetDriver::shownMessages(), QStringList{message});
    QCOMPARE(platform.recordedBodies(ApiPaths::fileClassSave).size(), before + saves);
    QVERIFY(!WidgetDriver::shownTopLevel<FormFaBuChenggong>());
    // The form comes back as it was filled, to try again.
    QVERIFY(form.isVisible());
    QCOMPARE(form.findChild<QLineEdit *>("lineEditName")->text(), QStringLiteral("分与合"));
}

void tst_courseware_list::platformShareCancelDelete()
{
    QVERIFY(showPage(platform.baseUrl()));
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
    const QJsonObject held = platformRecord(id);
    QCOMPARE((QStringList{held.value("isFee").toString(), held.value("xuedou").toString(), held.value("name").toString()}),
             (QStringList{"1", "88", QStringLiteral("分享的课件")}));

    QTest::mouseClick(share, Qt::LeftButton);
    QVERIFY(WidgetDriver::answerMessage());
    QVERIFY(!share->isChecked());
    QCOMPARE(platformRecord(id).value("isFee").toString(), QStringLiteral("0"));

    // Chosen for export, then deleted: it leaves the selection too.
    QVERIFY(WidgetDriver::click(page, "pushButton_selector"));
    QTest::mouseClick(button(tile, "pushButtonSelector"), Qt::LeftButton);
    QCOMPARE(idsOf(page->selectedRecords()), QStringList{id});
    QTest::mouseClick(button(tile, "pushButton_delete"), Qt::LeftButton);
    QVERIFY(WidgetDriver::answerMessage());
    QVERIFY(tile->isHidden());
    QVERIFY(page->selectedRecords().isEmpty());
    QVERIFY(platformRecord(id).isEmpty());
}

void tst_courseware_list::platformExport()
{
    QVERIFY(showPage(platform.baseUrl()));
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
    // What the panel reports per file is tst_resource_export's.
    for (const miciroInfo &r : chosen)
        QVERIFY(TestEnvironment::readFile(folder.filePath(r.name + ".pptx"))
                == TestEnvironment::readFile(platform.dataDir() + "/doc" + r.fileSrc));
}

LUMEXA_TEST_MAIN(tst_courseware_list)
#include "tst_courseware_list.moc"
