// The courseware road through the real main window: login, the template
// library, apply, save, publish through the form, back to my courseware.
#include "LumexaTest.h"

#include "DocumentHost.h"
#include "PlatformFixture.h"
#include "TourDriver.h"
#include "Widgetmain.h"
#include "loginForm.h"
#include "widgetno1.h"

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
    // A fresh main window: its first login builds the pages.
    loginCount = 0;
    QVERIFY2(platform.start({"--no-office"}), qPrintable(platform.error()));
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
    const QString applied = currentDocumentPath;
    QVERIFY(applied.startsWith(sourceDir + "pptemp/"));
    QVERIFY2(d.saveDeck(), qPrintable(d.error()));
    QVERIFY(QFileInfo(DocumentHost::workingFile()).size() > 0);
    QVERIFY2(d.fillCoursewareForm(name), qPrintable(d.error()));
    QVERIFY2(d.confirmCoursewareForm(), qPrintable(d.error()));
    QVERIFY2(d.backToList(), qPrintable(d.error()));
    QVERIFY2(d.coursewareListShows(name), qPrintable(d.error()));
    QCOMPARE(main->coursewarePage()->view(), 1);
    TestEnvironment::screenshot(main, "my-courseware");
}

LUMEXA_TEST_MAIN(tst_road_courseware)
#include "tst_road_courseware.moc"
