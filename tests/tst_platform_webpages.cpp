// The platform stand-in's web pages in a real browser engine: the greeting
// from the account in the address, the speech mode's address changes and
// the document viewer's embed page.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "PlatformHttp.h"

#include <QDeadlineTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWebEngineProfile>

class tst_platform_webpages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pagesGreetTheTeacher_data();
    void pagesGreetTheTeacher();
    void speechModeChangesTheAddress();
    void embedShowsTheSlides_data();
    void embedShowsTheSlides();

private:
    bool open(const QString &address);
    QVariant js(const QString &script);
    PlatformFixture m_platform;
    std::unique_ptr<PlatformHttp> m_http;
    QWebEngineView *m_view = nullptr;
    QWebEnginePage *m_page = nullptr;
};

void tst_platform_webpages::initTestCase()
{
    QVERIFY2(m_platform.start({"--no-office"}), qPrintable(m_platform.error()));
    m_http = std::make_unique<PlatformHttp>(m_platform.baseUrl());
    m_view = new QWebEngineView;
    m_view->resize(1100, 700);
    m_view->show();
    m_page = m_view->page();
}

void tst_platform_webpages::cleanupTestCase()
{
    delete m_view;
    m_view = nullptr;
    m_page = nullptr;
}

bool tst_platform_webpages::open(const QString &address)
{
    // A change of the fragment alone would not load the page again.
    QSignalSpy blank(m_page, &QWebEnginePage::loadFinished);
    m_page->load(QUrl("about:blank"));
    if (!blank.wait(30000))
        return false;
    QSignalSpy loaded(m_page, &QWebEnginePage::loadFinished);
    m_page->load(QUrl(address, QUrl::TolerantMode));
    return loaded.wait(30000) && loaded.first().first().toBool();
}

QVariant tst_platform_webpages::js(const QString &script)
{
    QVariant result;
    bool done = false;
    m_page->runJavaScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    // Waits for the page's answer (a guard, not a measurement).
    QDeadlineTimer guard(10000);
    while (!done && !guard.hasExpired())
        QTest::qWait(10);
    return result;
}

void tst_platform_webpages::pagesGreetTheTeacher_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("greeting");
    QTest::newRow("exercise input") << "exerciseInput" << "username=teacher01&password=123456" << QStringLiteral("张丽华老师，您好！");
    QTest::newRow("multi-terminal") << "multiTerminal" << "username=teacher02&password=123456" << QStringLiteral("李建国老师，您好！");
    QTest::newRow("wrong password") << "exerciseInput" << "username=teacher01&password=1" << QStringLiteral("用户名或密码错误");
    QTest::newRow("no account") << "multiTerminal" << "" << QStringLiteral("请先登录");
}

void tst_platform_webpages::pagesGreetTheTeacher()
{
    QFETCH(QString, page);
    QFETCH(QString, account);
    QFETCH(QString, greeting);
    // The address the client builds: credentials in the fragment query.
    QVERIFY(open(m_platform.baseUrl() + "/" + page + "/#/?" + account));
    QTRY_VERIFY_WITH_TIMEOUT(js("document.getElementById('greeting').textContent").toString().contains(greeting), 15000);
    TestEnvironment::screenshot(m_view, QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
}

void tst_platform_webpages::speechModeChangesTheAddress()
{
    QVERIFY(open(m_platform.baseUrl() + "/multiTerminal/#/?username=teacher01&password=123456"));
    QSignalSpy changed(m_page, &QWebEnginePage::urlChanged);
    js("document.getElementById('start').click()");
    QVERIFY(!changed.isEmpty() || changed.wait(10000));
    QVERIFY(m_page->url().toString().contains("startSpeech"));
    QCOMPARE(js("document.body.className").toString(), QStringLiteral("speaking"));
    TestEnvironment::screenshot(m_view, QStringLiteral("speech"));
    changed.clear();
    js("document.getElementById('stop').click()");
    QVERIFY(!changed.isEmpty() || changed.wait(10000));
    const QString after = m_page->url().toString();
    QVERIFY(after.contains("isCloseSpeech"));
    QVERIFY(!after.contains("startSpeech"));
    QVERIFY(after.contains("username=teacher01"));
}

void tst_platform_webpages::embedShowsTheSlides_data()
{
    QTest::addColumn<QString>("deck");
    QTest::addColumn<int>("slides");
    QTest::addColumn<QString>("message");
    QTest::newRow("template") << "/doc/library/templates/template-3.pptx" << 4 << QString();
    QTest::newRow("missing deck") << "/doc/library/templates/none.pptx" << 0 << QStringLiteral("文档不存在");
    QTest::newRow("outside the storage") << "/video/library/video-1.mp4" << 0 << QStringLiteral("无法预览");
}

void tst_platform_webpages::embedShowsTheSlides()
{
    QFETCH(QString, deck);
    QFETCH(int, slides);
    QFETCH(QString, message);
    // The template library appends the deck's address unescaped.
    QVERIFY(open(m_platform.baseUrl() + "/op/embed.aspx?src=" + m_platform.baseUrl() + deck));
    QCOMPARE(js("deck.slides.length").toInt(), slides);
    if (slides > 0) {
        QTRY_COMPARE_WITH_TIMEOUT(js("document.querySelector('#stage img').naturalWidth").toInt(), 960, 10000);
        TestEnvironment::screenshot(m_view, QStringLiteral("embed-") + QString::fromLatin1(QTest::currentDataTag()));
        js("document.getElementById('next').click()");
        QCOMPARE(js("document.getElementById('pos').textContent").toString(), QStringLiteral("2 / %1").arg(slides));
    } else {
        QVERIFY(js("document.getElementById('message').textContent").toString().contains(message));
    }
}

LUMEXA_TEST_MAIN(tst_platform_webpages)
#include "tst_platform_webpages.moc"
