// The video library against the stand-in: thumbnail workers and pictures.
#include "LumexaTest.h"
#include "PageWidget.h"

#include "PlatformFixture.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankVLSpk.h"
#include "bankvlspk_kid.h"
#include "myCurrentThread.h"

#include <QTemporaryDir>

class tst_video_library : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void workersPerVideo_data();
    void workersPerVideo();
    void staleThumbnail_data();
    void staleThumbnail();

private:
    bool thumbnailsArrived(int count) const;
    bool workersReleased() const;
    static bool isPlaceholder(const QPixmap &picture);

    PlatformFixture platform;
    QTemporaryDir dir;
    QWidget page;
    bankVLSpk *panel = nullptr;
};

void tst_video_library::initTestCase()
{
    QVERIFY2(platform.start({"--record", "--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    QVERIFY(Widgetmain::prepareCacheDirectory(dir.filePath("data")));
    page.resize(1200, 800);
    panel = new bankVLSpk(&page);
    panel->setGeometry(0, 0, 350, 800);
    page.show();
    panel->initialise();
    QVERIFY(panel->categoryButtons().size() >= 2);
}

void tst_video_library::cleanup()
{
    TestEnvironment::screenshotIfFailed(&page);
    // Workers, their processes and threads are gone once done.
    QVERIFY(WidgetDriver::waitFor([this] { return workersReleased(); }, 60000));
}

bool tst_video_library::isPlaceholder(const QPixmap &picture)
{
    // The same pixels, not only the same size: a thumbnail may share it.
    const QImage placeholder = QImage(QStringLiteral(":/png7/weikeluru/loveEdit.png")).convertToFormat(QImage::Format_ARGB32);
    return !picture.isNull() && picture.toImage().convertToFormat(QImage::Format_ARGB32) == placeholder;
}

bool tst_video_library::thumbnailsArrived(int count) const
{
    for (int i = 0; i < count; ++i)
        if (panel->tiles().at(i)->thumbnailPath().isEmpty())
            return false;
    return true;
}

bool tst_video_library::workersReleased() const
{
    for (const auto &t : panel->lastWorkers())
        if (t)
            return false;
    return myCurrentThread::liveCount() == 0;
}

void tst_video_library::workersPerVideo_data()
{
    QTest::addColumn<QString>("pageSize");
    QTest::addColumn<int>("categoryIndex");
    QTest::addColumn<int>("videos");
    QTest::newRow("three videos") << "3" << -1 << 3;
    QTest::newRow("all videos") << "10" << -1 << 6;
    QTest::newRow("one category") << "10" << 0 << 2;
}

void tst_video_library::workersPerVideo()
{
    QFETCH(QString, pageSize);
    QFETCH(int, categoryIndex);
    QFETCH(int, videos);
    const QString category = categoryIndex < 0 ? QStringLiteral("0") : panel->categories().at(categoryIndex).id;
    const int before = myCurrentThread::createdCount();
    panel->loadPage("1", pageSize, category, "");
    QCOMPARE(panel->records().size(), videos);
    QCOMPARE(myCurrentThread::createdCount() - before, videos);

    for (int i = 0; i < bankVLSpk::TileCount; ++i) {
        bankvlspk_kid *tile = panel->tiles().at(i);
        if (i < videos) {
            QVERIFY(tile->isVisibleTo(panel));
            QVERIFY(tile->isEnabled()); // cleared on an earlier, shorter page
            QCOMPARE(tile->id(), panel->records().at(i).id);
        } else {
            // Cleared: a tile of an earlier, longer page keeps nothing of it.
            QVERIFY(!tile->isVisibleTo(panel));
            QVERIFY(tile->id().isEmpty());
            QVERIFY(isPlaceholder(tile->picture()));
        }
    }

    // Each thumbnail reaches its own tile; its file goes once shown.
    QVERIFY(WidgetDriver::waitFor([&] { return thumbnailsArrived(videos); }, 60000));
    for (int i = 0; i < videos; ++i) {
        bankvlspk_kid *tile = panel->tiles().at(i);
        QCOMPARE(tile->thumbnailPath(), myCurrentThread::pictureFor(tile->id()));
        QVERIFY(!isPlaceholder(tile->picture()));
        QVERIFY(!QFile::exists(tile->thumbnailPath()));
    }
    QCOMPARE(panel->pageBar()->maxPage(), 1);
    TestEnvironment::screenshot(panel, QStringLiteral("page-%1").arg(videos));
}

void tst_video_library::staleThumbnail_data()
{
    QTest::addColumn<bool>("reachable");
    QTest::newRow("video reachable") << true;
    QTest::newRow("video missing") << false;
}

void tst_video_library::staleThumbnail()
{
    QFETCH(bool, reachable);
    panel->loadPage("1", "10", "0", "");
    QVERIFY(WidgetDriver::waitFor([&] { return thumbnailsArrived(panel->records().size()); }, 60000));
    QVERIFY(WidgetDriver::waitFor([this] { return workersReleased(); }, 60000));

    // A picture left from an earlier run, red all over.
    bankvlspk_kid *tile = panel->tiles().first();
    LibraryItem item = tile->record();
    if (!reachable)
        item.resFile = QStringLiteral("/library/no-such-video.mp4");
    const QString path = myCurrentThread::pictureFor(item.id);
    QImage red(64, 36, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(path));
    if (reachable)
        tile->setPicture(QPixmap());
    const qint64 shownBefore = tile->picture().cacheKey();

    QPointer<QThread> worker = myCurrentThread::start(item, panel);
    QVERIFY(WidgetDriver::waitFor([&] { return worker.isNull(); }, 60000));
    QCoreApplication::processEvents(); // the queued report
    if (reachable) {
        QVERIFY(WidgetDriver::waitFor([&] { return !tile->picture().isNull(); }));
        const QImage shown = tile->picture().toImage();
        QVERIFY(shown.width() > 64);
        QVERIFY(shown.pixelColor(shown.width() / 2, shown.height() / 2) != QColor(Qt::red));
    } else {
        QCOMPARE(tile->picture().cacheKey(), shownBefore); // the tile keeps what it showed
    }
    // The stale picture is gone whether or not a fresh one was made.
    QVERIFY(!QFile::exists(path));
}

LUMEXA_TEST_MAIN(tst_video_library)
#include "tst_video_library.moc"
