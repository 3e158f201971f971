// The embedded pages of the platform's web site: addresses with the
// teacher's credentials, full screen driven by the multi-terminal page, F11,
// permissions, and the preview window's auto-hide.
#include "LumexaTest.h"

#include "CurrentUser.h"
#include "FormMainTop.h"
#include "PlatformFixture.h"
#include "WebEnginePage.h"
#include "WebScript.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankvlmbk_kidBrower.h"

#include <QWebEngineView>

namespace {
bool waitLoaded(QWebEngineView *view)
{
    return WidgetDriver::waitFor([view] {
        return runScript(view->page(), "document.readyState === 'complete' && typeof fragmentQuery === 'function'").toBool();
    }, 30000);
}
}

class tst_webpages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void permissionOrigins_data();
    void permissionOrigins();
    void fullScreenOnTerminalPageOnly_data();
    void fullScreenOnTerminalPageOnly();
    void newTeacherReloadsBothPages();
    void previewHidesWhenUnused();

private:
    PlatformFixture platform;
    Widgetmain *main = nullptr;
};

void tst_webpages::initTestCase()
{
    QVERIFY2(platform.start(), qPrintable(platform.error()));
    main = new Widgetmain;
    QVERIFY(main->startedUp());
    main->loginWindow()->hide();
    QVERIFY(PlatformFixture::login());
    main->buildPages();
    main->showMaximizedOnScreen();
    QVERIFY(waitLoaded(main->exerciseView()));
    QVERIFY(waitLoaded(main->terminalView()));
}

void tst_webpages::cleanupTestCase()
{
    bankvlmbk_kidBrower::release();
    delete main;
}

void tst_webpages::permissionOrigins_data()
{
    QTest::addColumn<QString>("origin");
    QTest::addColumn<bool>("platform");
    const QUrl web(platform.baseUrl());
    QTest::newRow("the web site") << web.toString() << true;
    QTest::newRow("other port") << QStringLiteral("http://127.0.0.1:1") << false;
    QTest::newRow("other host") << QStringLiteral("http://example.org") << false;
    // A redirect to the other scheme keeps the platform's pages working.
    QTest::newRow("https of the same host") << QStringLiteral("https://127.0.0.1:%1").arg(web.port()) << true;
    QTest::newRow("https, standard port") << QStringLiteral("https://127.0.0.1") << true;
    QTest::newRow("https, other port") << QStringLiteral("https://127.0.0.1:1") << false;
    QTest::newRow("other scheme") << QStringLiteral("ftp://127.0.0.1:%1").arg(web.port()) << false;
    QTest::newRow("other host, https") << QStringLiteral("https://example.org") << false;
}

void tst_webpages::permissionOrigins()
{
    QFETCH(QString, origin);
    QFETCH(bool, platform);
    QCOMPARE(WebEnginePage::isPlatformOrigin(QUrl(origin)), platform);
}

void tst_webpages::fullScreenOnTerminalPageOnly_data()
{
    QTest::addColumn<bool>("speech"); // the page's speech mode, or F11
    QTest::newRow("speech") << true;
    QTest::newRow("F11") << false;
}

void tst_webpages::fullScreenOnTerminalPageOnly()
{
    QFETCH(bool, speech);
    QWebEnginePage *page = main->terminalView()->page();
    auto toggle = [&](bool on) {
        if (speech)
            runScript(page, on ? "startSpeech()" : "endSpeech()");
        else
            QTest::keyClick(main, Qt::Key_F11);
    };
    // On another page it changes nothing in the window.
    main->switchPage(1);
    toggle(true);
    QTest::qWait(300);
    QVERIFY(!main->topBar()->isHidden());
    if (speech)
        toggle(false);

    main->switchPage(3);
    toggle(true);
    QTRY_VERIFY(main->topBar()->isHidden());
    QVERIFY(main->isFullScreen());
    QCOMPARE(contentRect.top(), 0);
    TestEnvironment::screenshot(main, QStringLiteral("full-screen-") + QTest::currentDataTag());
    toggle(false);
    QTRY_VERIFY(!main->topBar()->isHidden());
    QVERIFY(!main->isFullScreen());
    QVERIFY(main->windowFlags() & Qt::FramelessWindowHint);
}

void tst_webpages::newTeacherReloadsBothPages()
{
    // Another teacher: both pages greet the new teacher.
    main->switchPage(0);
    QVERIFY(PlatformFixture::login("teacher02"));
    main->reloadWebPages();
    auto shows = [](QWebEngineView *view, const QString &script, const QString &text) {
        return WidgetDriver::waitFor([&] { return runScript(view->page(), script).toString().startsWith(text); }, 30000);
    };
    for (QWebEngineView *view : {main->exerciseView(), main->terminalView()})
        QVERIFY(shows(view, "document.getElementById('greeting').textContent", CurrentUser::name));

    // Separators in credentials must reach the page as typed.
    CurrentUser::username = QStringLiteral("王&老#师");
    CurrentUser::password = QStringLiteral("a&b#c%d");
    main->reloadWebPages();
    QVERIFY(shows(main->exerciseView(), "fragmentQuery().username", CurrentUser::username));
    QVERIFY(shows(main->terminalView(), "fragmentQuery().password", CurrentUser::password));
}

void tst_webpages::previewHidesWhenUnused()
{
    bankvlmbk_kidBrower *preview = bankvlmbk_kidBrower::instance();
    preview->openAddress(QUrl(platform.baseUrl() + "/op/embed.aspx?src=" + platform.baseUrl() + "/doc/none.pptx"));
    preview->show();
    QTest::qWait(15000);
    QVERIFY(preview->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!preview->isVisible(), 10000);
    // Use keeps it up for another ten seconds.
    preview->show();
    QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(200, 20));
    QCOMPARE(preview->hideInterval(), 10000);
    QVERIFY(preview->hideTimerActive());
    QTest::mouseClick(preview->findChild<QWidget *>("pushbutton"), Qt::LeftButton);
    QVERIFY(!preview->isVisible());
}

LUMEXA_TEST_MAIN(tst_webpages)
#include "tst_webpages.moc"
