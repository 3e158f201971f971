// The platform dies in the middle of a request, an upload and a download:
// the client reports the failure, removes what it half wrote, and works
// again once the platform is back. Windows closed while their request waits
// are left safely; the real main window survives slow, stalled and huge
// servers.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "BoxWatcher.h"
#include "FormMainTop.h"
#include "FormShareInfo.h"
#include "FormSupportCenter.h"
#include "FormSupportKids.h"
#include "Http_access.h"
#include "HttpClassInput.h"
#include "ListFixtures.h"
#include "PlatformFixture.h"
#include "QLabelImags.h"
#include "ReplyWaiter.h"
#include "ScriptedResponder.h"
#include "TourDriver.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "loginForm.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QUrlQuery>

class tst_fault_drills : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void blockingRequest_data();
    void blockingRequest();
    void upload();
    void download();
    void ownerClosedWhileWaiting_data();
    void ownerClosedWhileWaiting();
    void mainWindow_data();
    void mainWindow();
    void cleanupTestCase();

private:
    bool dictionaryWorks();
    void comeBack();
    // Points the client's API and storage addresses at the responder.
    void route(ScriptedResponder &front);
    PlatformFixture *platform = nullptr;
    // One main window for every drill, as in a real session: the next drill
    // logs out and in again against its own server.
    Widgetmain *main = nullptr;
};

void tst_fault_drills::init()
{
    platform = new PlatformFixture;
    QVERIFY2(platform->start({"--no-office"}), qPrintable(platform->error()));
    QVERIFY(PlatformFixture::login());
    Http_access::timeoutMs = 2000;
}

void tst_fault_drills::cleanup()
{
    WidgetDriver::closeMessages();
    delete platform;
    platform = nullptr;
    Http_access::timeoutMs = 30000;
}

bool tst_fault_drills::dictionaryWorks()
{
    QUrlQuery query;
    query.addQueryItem("type", "sys_subject_type");
    QList<DictItem> items;
    return Http_access::instance()->fetchDictItems(BaseAddress::api() + ApiPaths::dictList, query, {}, items)
           && !items.isEmpty();
}

void tst_fault_drills::comeBack()
{
    // The same data on a new port: the client follows the address.
    platform->stop();
    QVERIFY(platform->start({"--no-office"}));
    QVERIFY(PlatformFixture::login());
    QVERIFY(dictionaryWorks());
}

void tst_fault_drills::blockingRequest_data()
{
    QTest::addColumn<bool>("dies");
    QTest::newRow("platform hangs: time limit") << false;
    QTest::newRow("platform killed while waiting") << true;
}

void tst_fault_drills::blockingRequest()
{
    QFETCH(bool, dies);
    QVERIFY(dictionaryWorks());
    platform->freeze();
    if (dies)
        QTimer::singleShot(300, this, [this] { platform->kill(); });
    QVERIFY(!dictionaryWorks());
    comeBack();
}

void tst_fault_drills::upload()
{
    QTemporaryDir dir;
    QFile big(dir.filePath("大视频.mp4"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(150 * 1024 * 1024));
    big.close();
    platform->freeze();
    QTimer::singleShot(300, this, [this] { platform->kill(); });
    BoxWatcher boxes;
    const QString stored = Http_access::instance()->uploadFile(BaseAddress::api() + ApiPaths::fileUpload,
                                                               big.fileName(), "video/mp4");
    QCOMPARE(stored, QString());
    QVERIFY(WidgetDriver::waitFor([&] { return !boxes.seen.isEmpty(); }));
    QVERIFY(boxes.seen.first().startsWith(QStringLiteral("提示|请求失败.")));
    QVERIFY(big.exists()); // the teacher's file is untouched
    comeBack();
}

void tst_fault_drills::download()
{
    QFile served(platform->dataDir() + "/video/huge.mp4");
    QVERIFY(served.open(QIODevice::WriteOnly));
    QVERIFY(served.resize(400 * 1024 * 1024));
    served.close();
    QTemporaryDir dir;
    const QString target = dir.filePath("huge.mp4");
    BoxWatcher boxes;
    Http_access *d = Http_access::download(BaseAddress::video() + "/huge.mp4", target);
    QSignalSpy finished(d, &Http_access::downloadFinished);
    connect(d, &Http_access::downloadProgress, this, [this](const QString &, qint64 received) {
        if (received > 0)
            platform->kill();
    });
    QVERIFY(finished.wait(20000));
    QCOMPARE(finished.first().at(1).toBool(), false);
    QVERIFY(!QFile::exists(target));
    QVERIFY(WidgetDriver::waitFor([&] { return !boxes.seen.isEmpty(); }));
    QCOMPARE(boxes.seen.first(), QStringLiteral("提示|huge下载失败，检查网络重新尝试。"));
    comeBack();
}

void tst_fault_drills::route(ScriptedResponder &front)
{
    front.forwardTo(platform->baseUrl());
    qputenv("LUMEXA_API_BASE", front.baseUrl().toUtf8());
    qputenv("LUMEXA_DOC_BASE", (front.baseUrl() + "/doc").toUtf8());
    qputenv("LUMEXA_VIDEO_BASE", (front.baseUrl() + "/video").toUtf8());
}

void tst_fault_drills::ownerClosedWhileWaiting_data()
{
    QTest::addColumn<QString>("owner");
    QTest::newRow("login window closed") << "login";
    QTest::newRow("help centre closed") << "help";
    QTest::newRow("share dialog closed") << "share";
}

void tst_fault_drills::ownerClosedWhileWaiting()
{
    // Each reply is held back; meanwhile the window whose handler waits for
    // it is closed (and deletes itself). The handler must come back to
    // nothing it touches.
    QFETCH(QString, owner);
    ScriptedResponder front;
    route(front);
    front.delayMs = 800;
    QPointer<QWidget> window;
    QPointer<Http_access> access = Http_access::instance();
    auto closeSoon = [&](const QString &button) {
        QTimer::singleShot(300, this, [&window, button] {
            if (window)
                WidgetDriver::find<QPushButton>(window, button)->click();
        });
    };
    if (owner == "login") {
        auto *login = new loginForm;
        window = login;
        login->show();
        WidgetDriver::type(login, "lineEditName", "teacher01");
        WidgetDriver::type(login, "lineEditPassword", "123456");
        closeSoon("pushButtonClose");
        QTest::keyClick(login, Qt::Key_Return);
        QVERIFY(window && !window->isVisible());
        // The request layer goes once nobody waits on it any more.
        QTRY_VERIFY(access.isNull());
        delete login;
    } else if (owner == "help") {
        front.delayMs = 0;
        auto *help = new FormSupportCenter;
        window = help;
        help->show();
        front.delayMs = 800;
        closeSoon("pushButtonX");
        WidgetDriver::find<QPushButton>(help, "pushButton_KJ")->click();
    } else {
        auto *share = new FormShareInfo;
        window = share;
        share->setData(miciroInfo{"1", QStringLiteral("课件")}, 2);
        share->useCoursewareShareUrl();
        share->show();
        WidgetDriver::type(share, "lineEdit_XD", "5");
        closeSoon("pushButtonX");
        WidgetDriver::find<QPushButton>(share, "pushButton_public")->click();
    }
    QTRY_VERIFY(window.isNull());
    WidgetDriver::closeMessages();
}

namespace {
// n records carrying the fields of every list; the first is a root, the next
// 99 its children, the rest their children.
QJsonArray records(int n, const QString &picture)
{
    QJsonArray out;
    for (int i = 0; i < n; ++i) {
        const QString id = QStringLiteral("n%1").arg(i);
        const QString name = QStringLiteral("记录%1").arg(i);
        const QString parent = i == 0 ? "0" : i < 100 ? "n0" : QStringLiteral("n%1").arg(1 + i % 99);
        out.append(QJsonObject{{"id", id}, {"name", name}, {"title", name}, {"value", id}, {"label", name},
                               {"parentId", parent}, {"resDescribe", name}, {"resFile", picture},
                               {"pptFiles", QJsonArray{picture}}, {"fileName", picture}, {"fileSrc", picture},
                               {"content", QStringLiteral("帮助内容%1").arg(i)}, {"files", picture}});
    }
    return out;
}

int threadCount()
{
    return QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

// Visible widgets of a class in every window.
template <class T>
int shown()
{
    int n = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        for (T *w : top->findChildren<T *>())
            n += w->isVisible() ? 1 : 0;
    return n;
}
}

void tst_fault_drills::mainWindow_data()
{
    QTest::addColumn<QString>("server");
    QTest::newRow("every reply after 1.5 s") << "slow";
    QTest::newRow("stalls after login") << "stall";
    QTest::newRow("10,000 records in every list") << "huge";
    QTest::newRow("1,000 help articles") << "help";
}

void tst_fault_drills::mainWindow()
{
    QFETCH(QString, server);
    // A real picture of the stand-in for the made-up records.
    QList<LibraryItem> library;
    HttpClassInput::instance()->fetchResources(BaseAddress::api() + ApiPaths::resList, {},
                                               {{"id", "0"}, {"pageNum", "1"}, {"pageSize", "1"}, {"resSort", "2"}},
                                               library);
    QVERIFY(!library.isEmpty());
    const QString picture = library.first().resFile;

    ScriptedResponder front;
    route(front);
    Http_access::timeoutMs = 5000;
    bool loggedIn = false;
    QHash<QString, QByteArray> lists;
    if (server == "slow") {
        front.delayMs = 1500;
    } else if (server == "stall") {
        Http_access::timeoutMs = 2000;
        front.handler = [&loggedIn](const ScriptedResponder::Request &r, ScriptedResponder::Reply &reply) {
            reply.hang = loggedIn;
            loggedIn = loggedIn || r.path == ApiPaths::login.toUtf8();
            return reply.hang;
        };
    } else {
        const QJsonArray all = records(server == "huge" ? 10000 : 1000, picture);
        const QJsonObject plain{{"total", all.size()}, {"list", all}};
        lists.insert(ApiPaths::helpList, ListFixtures::envelope(plain));
        if (server == "huge") {
            for (const QString &path : {ApiPaths::fileClassList, ApiPaths::smallClassList, ApiPaths::smallClassPurchaseList,
                                        ApiPaths::resCategories, ApiPaths::dictList, ApiPaths::textbookList,
                                        ApiPaths::catalogueTree, ApiPaths::knowledgeTree})
                lists.insert(path, ListFixtures::envelope(plain));
            lists.insert(ApiPaths::resList, ListFixtures::envelope({{"page", plain}}));
            lists.insert(ApiPaths::fileList, ListFixtures::envelope({{"list", plain}}));
        }
        front.handler = [&lists](const ScriptedResponder::Request &r, ScriptedResponder::Reply &reply) {
            const QByteArray body = lists.value(QString::fromUtf8(r.path));
            if (body.isEmpty())
                return false;
            reply = {200, body, {{"Content-Type", "application/json"}}, false, 0};
            return true;
        };
    }

    if (!main) {
        main = new Widgetmain;
        QVERIFY(main->startedUp());
    }
    TourDriver d(main);
    if (main->topBar())
        QVERIFY2(d.logout(), qPrintable(d.error()));
    // Every step ends with at most one message up and at most a page of tiles.
    QStringList said;
    int threads = 0;
    auto settle = [&](const QString &shot) {
        QTest::qWait(server == "stall" ? 2500 : 600);
        threads = qMax(threads, threadCount());
        const QStringList up = WidgetDriver::shownMessages();
        QVERIFY2(up.size() <= 1, qPrintable(up.join(" / ")));
        said << up;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->isVisible() && (top == main || qobject_cast<FormSupportCenter *>(top)))
                TestEnvironment::screenshot(top, server + "-" + shot);
        WidgetDriver::closeMessages();
        QVERIFY(shown<QLabelImags>() <= 2 * 10 + 1);
        QVERIFY(shown<FormSupportKids>() <= FormSupportCenter::MaxArticles);
        QVERIFY(shown<QPushButton>() < 400);
    };
    QVERIFY2(d.login("teacher01"), qPrintable(d.error()));
    settle("main");
    QVERIFY(d.module(1));
    for (int view = 1; view <= 6; ++view) {
        QVERIFY(d.coursewareView(view));
        settle(QStringLiteral("courseware-%1").arg(view));
    }
    QVERIFY(d.module(2));
    for (int view = 1; view <= 3; ++view) {
        QVERIFY(d.microView(view));
        settle(QStringLiteral("micro-%1").arg(view));
    }
    WidgetDriver::click(main->topBar(), "pushButton_Help");
    settle("help");
    if (auto *help = WidgetDriver::shownTopLevel<FormSupportCenter>()) {
        if (server == "help")
            QCOMPARE(help->articleCount(0), FormSupportCenter::MaxArticles);
        help->on_pushButtonX_clicked();
    }
    if (server == "stall")
        QVERIFY2(said.contains(ReplyWaiter::timeoutText()), qPrintable(said.join(" / ")));
    // A thread per picture or per request would pass a hundred here.
    QVERIFY2(threads <= 80, qPrintable(QString::number(threads)));
    WidgetDriver::closeMessages();
}

void tst_fault_drills::cleanupTestCase()
{
    delete main;
}

LUMEXA_TEST_MAIN(tst_fault_drills)
#include "tst_fault_drills.moc"
