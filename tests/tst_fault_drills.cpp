// The platform dies in the middle of a request, an upload and a download:
// the client reports the failure, removes what it half wrote, and works
// again once the platform is back.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "BoxWatcher.h"
#include "Http_access.h"
#include "PlatformFixture.h"
#include "WidgetDriver.h"

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

private:
    bool dictionaryWorks();
    void comeBack();
    PlatformFixture *platform = nullptr;
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

LUMEXA_TEST_MAIN(tst_fault_drills)
#include "tst_fault_drills.moc"
