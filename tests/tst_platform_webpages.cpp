// The platform stand-in's web pages in a real browser engine: the greeting
// from the account in the address and the document viewer's embed page.
// The speech mode's address changes are followed by the client's tst_webpages.
#include "LumexaTest.h"
#include "PlatformFixture.h"
#include "WebScript.h"

#include <QWebEngineView>

class tst_platform_webpages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pagesGreetTheTeacher_data();
    void pagesGreetTheTeacher();
    void embedShowsTheSlides_data();
    void embedShowsTheSlides();

private:
    bool open(const QString &address);
    PlatformFixture m_platform;
    std::unique_ptr<QWebEngineView> m_view;
    QWebEnginePage *m_page = nullptr;
};

void tst_platform_webpages::initTestCase()
{
    QVERIFY2(m_platform.start({"--no-office"}), qPrintable(m_platform.error()));
    m_view = std::make_unique<QWebEngineView>();
    m_view->resize(1100, 700);
    m_view->show();
    m_page = m_view->page();
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

void tst_platform_webpages::pagesGreetTheTeacher_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("before"); // loaded first; then only the fragment changes
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("greeting");
    const QString t1 = "username=teacher01&password=123456";
    const QString t2 = "username=teacher02&password=123456";
    QTest::newRow("exercise input") << "exerciseInput" << "" << t1 << QStringLiteral("张丽华老师，您好！");
    QTest::newRow("another teacher in the fragment") << "exerciseInput" << t1 << t2 << QStringLiteral("李建国老师，您好！");
    QTest::newRow("wrong password") << "exerciseInput" << "" << "username=teacher01&password=1" << QStringLiteral("用户名或密码错误");
    QTest::newRow("no account") << "multiTerminal" << "" << "" << QStringLiteral("请先登录");
}

void tst_platform_webpages::pagesGreetTheTeacher()
{
    QFETCH(QString, page);
    QFETCH(QString, before);
    QFETCH(QString, account);
    QFETCH(QString, greeting);
    // The address the client builds: credentials in the fragment query.
    QVERIFY(open(m_platform.baseUrl() + "/" + page + "/#/?" + (before.isEmpty() ? account : before)));
    if (!before.isEmpty()) {
        QTRY_VERIFY_WITH_TIMEOUT(runScript(m_page, "document.getElementById('greeting').textContent").toString().contains(QStringLiteral("老师，您好")), 15000);
        runScript(m_page, "location.hash = '#/?" + account + "'");
    }
    QTRY_VERIFY_WITH_TIMEOUT(runScript(m_page, "document.getElementById('greeting').textContent").toString().contains(greeting), 15000);
    TestEnvironment::screenshot(m_view.get(), QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
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
    QVERIFY(open(m_platform.baseUrl() + "/op/embed.aspx?src=" + m_platform.baseUrl() + deck));
    QCOMPARE(runScript(m_page, "deck.slides.length").toInt(), slides);
    if (slides > 0) {
        QTRY_COMPARE_WITH_TIMEOUT(runScript(m_page, "document.querySelector('#stage img').naturalWidth").toInt(), 960, 10000);
        TestEnvironment::screenshot(m_view.get(), QStringLiteral("embed-") + QString::fromLatin1(QTest::currentDataTag()));
        runScript(m_page, "document.getElementById('next').click()");
        QCOMPARE(runScript(m_page, "document.getElementById('pos').textContent").toString(), QStringLiteral("2 / %1").arg(slides));
    } else {
        QVERIFY(runScript(m_page, "document.getElementById('message').textContent").toString().contains(message));
    }
}

LUMEXA_TEST_MAIN(tst_platform_webpages)
#include "tst_platform_webpages.moc"
