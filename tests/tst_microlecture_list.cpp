// The micro-lecture list against a scripted server, then the stand-in.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "FormCenterPanel.h"
#include "FormMicroKids.h"
#include "ListFixtures.h"
#include "PageWidget2.h"
#include "PlatformFixture.h"
#include "QTAVPlayer.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "myCurrentThread2.h"

#include <QJsonArray>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

namespace {
const QByteArray ListPath = ApiPaths::smallClassList.toUtf8();

using ListFixtures::idsOf;
using ListFixtures::records;
using ListFixtures::reply;

QJsonObject video(int id, const QJsonObject &extra = {})
{
    return ListFixtures::merged(
        {{"id", QString::number(id)}, {"name", QStringLiteral("微课%1").arg(id)},
         {"fileSrc", QStringLiteral("/micro/m-%1.mp4").arg(id)}, {"bootName", "数学一年级上册"},
         {"codeVerstiontypeid", "人教版"}, {"treeName", "准备课"}, {"xuedou", ""}, {"isFee", "0"}, {"purchase", "0"},
         {"delFlag", 0}},
        extra);
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
    void cleanup();

    void moreThanTwelveRecords();
    void loadStartedWhileAnotherWaits();

    void platformPurchased();

private:
    void showPage(const QString &base);

    ScriptedResponder *server = nullptr;
    PlatformFixture platform;
    QTemporaryDir cache;
    QPointer<FormCenterPanel> page;
};

void tst_microlecture_list::initTestCase()
{
    QVERIFY(Widgetmain::prepareCacheDirectory(cache.filePath("data")));
    contentRect = QRect(0, 0, 1700, 900);
    server = new ScriptedResponder(this);
    QVERIFY2(platform.start({"--record", "--no-office"}), qPrintable(platform.error()));
}

void tst_microlecture_list::cleanup()
{
    TestEnvironment::screenshotIfFailed(page);
    delete page.data();
    WidgetDriver::closeMessages();
    if (popupPlayer)
        popupPlayer->stopPlayer();
    // Every thumbnail worker of the test has ended and been released.
    QVERIFY(WidgetDriver::waitFor([] { return myCurrentThread2::liveCount() == 0; }, 30000));
}

void tst_microlecture_list::showPage(const QString &base)
{
    qputenv("LUMEXA_API_BASE", base.toUtf8());
    qputenv("LUMEXA_VIDEO_BASE", (base + "/video").toUtf8());
    page = new FormCenterPanel;
    page->resize(1700, 900);
    page->show();
}

void tst_microlecture_list::moreThanTwelveRecords()
{
    showPage(server->baseUrl());
    server->scriptJson(ListPath, reply(records(201, 15, video), 40));
    QSignalSpy shown(page.data(), &FormCenterPanel::listShown);
    page->shootJson_object(firstPage(), 1, 0);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(page->records().size(), 15);
    for (int i = 0; i < page->tiles().size(); ++i)
        QCOMPARE(page->tiles().at(i)->record().id, QString::number(201 + i));
    // Thumbnails only for the tiles that show something.
    QVERIFY(page->runningWorkers() <= 12);
    QVERIFY(myCurrentThread2::liveCount() <= 12);
    QVERIFY(WidgetDriver::waitFor([&] { return page->runningWorkers() == 0; }, 30000));
    QCOMPARE(page->pageWidget()->maxPage(), 4);
}

void tst_microlecture_list::loadStartedWhileAnotherWaits()
{
    showPage(server->baseUrl());
    server->script(ListPath, {200, reply(records(1, 3, video), 3), {{"Content-Type", "application/json"}}, false, 400});
    QSignalSpy shown(page.data(), &FormCenterPanel::listShown);
    QTimer::singleShot(50, this, [&] {
        // A page click while the first page still loads.
        server->scriptJson(ListPath, reply(records(31, 2, video), 14));
        page->shootJson_object(QJsonObject{{"pageNum", "2"}, {"pageSize", "12"}}, 1, 0);
    });
    page->shootJson_object(firstPage(), 1, 0);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(idsOf(page->records()), (QStringList{"31", "32"}));
    QCOMPARE(idsOf(microLectureRecords), (QStringList{"31", "32"}));
    QVERIFY(!page->tiles().at(2)->isEnabled());
}

// --- against the platform stand-in ---------------------------------------

void tst_microlecture_list::platformPurchased()
{
    showPage(platform.baseUrl());
    QVERIFY(PlatformFixture::login());
    QSignalSpy shown(page.data(), &FormCenterPanel::listShown);
    page->shootJson_object(firstPage(), 2);
    QCOMPARE(shown.count(), 1);
    QVERIFY(!page->records().isEmpty());
    for (const miciroInfo &r : page->records()) {
        QVERIFY2(r.fileSrc.endsWith(".mp4"), qPrintable(r.fileSrc));
        QCOMPARE(r.purchase, QStringLiteral("1"));
    }
    FormMicroKids *tile = page->tiles().first();
    QVERIFY(WidgetDriver::find<QPushButton>(tile, "pushButton_isFee")->isHidden());
    QVERIFY(WidgetDriver::find<QLabel>(tile, "label_purchase")->isVisible());
    // Two a page: the bought decks come first on the platform, yet the first
    // page holds videos and the pages count videos only.
    page->shootJson_object(QJsonObject{{"pageNum", "1"}, {"pageSize", "2"}}, 2);
    QCOMPARE(page->records().size(), 2);
    QCOMPARE(page->records().value(0).total, 2);
}

LUMEXA_TEST_MAIN(tst_microlecture_list)
#include "tst_microlecture_list.moc"
