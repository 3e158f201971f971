// The micro-lecture road through the real main window: the editing view,
// a local mp4 opened, a range cut, published free, and the list showing it;
// the platform then holds the range as the duration and the cut's bytes.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "CurrentUser.h"
#include "FormVideoCenter.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"
#include "TourDriver.h"
#include "Widgetmain.h"
#include "media/TestMedia.h"

#include <QJsonArray>
#include <QTemporaryDir>

class tst_road_microlecture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fromLocalFileToMyMicroLectures();
    void cleanupTestCase();

private:
    PlatformFixture platform;
    QTemporaryDir dir;
    QString video;
    Widgetmain *main = nullptr;
};

void tst_road_microlecture::initTestCase()
{
    qputenv("LUMEXA_MPV_AO", "null");
    video = dir.filePath(QStringLiteral("第三课 分数.mp4"));
    QVERIFY(TestMedia::make(video, 20));
    QVERIFY2(platform.start({"--no-office"}), qPrintable(platform.error()));
    loginCount = 0; // a fresh main window: its first login builds the pages
    main = new Widgetmain;
    QVERIFY(main->startedUp());
}

void tst_road_microlecture::cleanupTestCase()
{
    delete main;
}

void tst_road_microlecture::fromLocalFileToMyMicroLectures()
{
    TourDriver d(main);
    const QString name = QStringLiteral("分数的意义");
    QVERIFY2(d.login("teacher01"), qPrintable(d.error()));
    QVERIFY2(d.module(2), qPrintable(d.error()));
    QVERIFY2(d.microView(2), qPrintable(d.error()));
    QVERIFY2(d.openVideo(video), qPrintable(d.error()));
    QVERIFY2(d.markRange(name), qPrintable(d.error()));
    QVERIFY2(d.saveCut(), qPrintable(d.error()));
    // The cut, not the source, is what gets published.
    const QString cut = savedVideoPath;
    const qint64 cutMs = TestMedia::probeDurationMs(cut);
    QVERIFY2(cutMs >= 5000 && cutMs <= 7100, qPrintable(QString::number(cutMs)));
    QVERIFY2(d.fillMicroPanel(), qPrintable(d.error()));
    QVERIFY2(d.confirmMicroFree(QStringLiteral("用分数表示把一个物体平均分成几份。")), qPrintable(d.error()));
    QVERIFY2(d.backToList(), qPrintable(d.error()));
    QVERIFY2(d.microListShows(name), qPrintable(d.error()));

    // The platform holds the range as the duration and the cut's bytes.
    PlatformHttp http(platform.baseUrl());
    http.setToken(CurrentUser::token);
    const QJsonArray records = http.post(ApiPaths::smallClassList, {{"pageNum", "1"}, {"pageSize", "12"}, {"name", name}})
                                   .data().value("list").toArray();
    QCOMPARE(records.size(), 1);
    const QJsonObject record = records.first().toObject();
    QCOMPARE(record.value("duration").toString(), QTime(0, 0).addSecs(int((cutMs + 500) / 1000)).toString("hh:mm:ss"));
    const QString stored = platform.dataDir() + "/video" + record.value("fileSrc").toString();
    QVERIFY(TestEnvironment::readFile(stored) == TestEnvironment::readFile(cut));
    TestEnvironment::screenshot(main, "my-micro-lectures");
}

LUMEXA_TEST_MAIN(tst_road_microlecture)
#include "tst_road_microlecture.moc"
