// The courseware road through the real main window: login, the template
// library, apply, save, publish through the form, back to my courseware;
// the platform then holds the form's choices and the saved deck's bytes.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "CurrentUser.h"
#include "DocumentHost.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"
#include "TourDriver.h"
#include "Widgetmain.h"

#include <QJsonArray>

class tst_road_courseware : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fromTemplateToMyCourseware();
    void cleanupTestCase();

private:
    PlatformFixture platform;
    Widgetmain *main = nullptr;
};

void tst_road_courseware::initTestCase()
{
    QVERIFY2(platform.start({"--no-office"}), qPrintable(platform.error()));
    loginCount = 0; // a fresh main window: its first login builds the pages
    main = new Widgetmain;
    QVERIFY(main->startedUp());
    Widgetmain::installTemplateDeck(QCoreApplication::applicationDirPath() + "/..");
}

void tst_road_courseware::cleanupTestCase()
{
    // Web pages must go before the web engine's profile at exit.
    delete main;
}

void tst_road_courseware::fromTemplateToMyCourseware()
{
    TourDriver d(main);
    const QString name = QStringLiteral("分数的初步认识");
    QVERIFY2(d.login("teacher01"), qPrintable(d.error()));
    QVERIFY2(d.module(1), qPrintable(d.error()));
    QVERIFY2(d.coursewareView(6), qPrintable(d.error()));
    QVERIFY2(d.applyFirstTemplate(), qPrintable(d.error()));
    QVERIFY2(d.saveDeck(), qPrintable(d.error()));
    QVERIFY2(d.fillCoursewareForm(name), qPrintable(d.error()));
    QVERIFY2(d.confirmCoursewareForm(), qPrintable(d.error()));
    QVERIFY2(d.backToList(), qPrintable(d.error()));
    QVERIFY2(d.coursewareListShows(name), qPrintable(d.error()));
    TestEnvironment::screenshot(main, "my-courseware");

    // The platform holds the form's choices and the saved deck's bytes.
    PlatformHttp http(platform.baseUrl());
    http.setToken(CurrentUser::token);
    const QJsonArray records = http.post(ApiPaths::fileClassList, {{"pageNum", "1"}, {"pageSize", "12"}, {"name", name}})
                                   .data().value("list").toArray();
    QCOMPARE(records.size(), 1);
    const QJsonObject record = records.first().toObject();
    for (const char *key : {"bootName", "treeName", "codeChapter"})
        QVERIFY2(!record.value(key).toString().isEmpty(), key);
    QFile stored(platform.dataDir() + "/doc" + record.value("fileSrc").toString());
    QFile local(DocumentHost::workingFile());
    QVERIFY(stored.open(QIODevice::ReadOnly) && local.open(QIODevice::ReadOnly));
    QVERIFY(stored.readAll() == local.readAll());
}

LUMEXA_TEST_MAIN(tst_road_courseware)
#include "tst_road_courseware.moc"
