// Under a real X server with the platform stand-in: both own-resource lists
// under their filter bars with the teacher's decks and micro-lectures, the
// selection bar holding chips and the popup player.
#include "LumexaTest.h"

#include "ExportSelection.h"
#include "FormCenterPanel.h"
#include "FormMicroKids.h"
#include "FormTopPanel.h"
#include "MediaPlayer.h"
#include "PlatformFixture.h"
#include "QTAVPlayer.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankcenterkid.h"
#include "bankclasscenter.h"
#include "myCurrentThread2.h"

#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace {
QString screen(const QString &name)
{
    const QString path = TestEnvironment::screenshot(nullptr, name);
    // Let the X server and the compositor catch up with the last paint.
    QTest::qWait(400);
    QGuiApplication::primaryScreen()->grabWindow(0).save(path);
    return path;
}
}

class tst_own_lists_look : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void coursewareList();
    void microLectureList();

private:
    void openWindow(QWidget *list, bool micro);
    QProcess compositor;
    PlatformFixture platform;
    QTemporaryDir cache;
    QWidget *window = nullptr;
    FormTopPanel *filter = nullptr;
};

void tst_own_lists_look::initTestCase()
{
    // Translucent overlays show the page beneath only with a compositor.
    compositor.start(QStringLiteral("xcompmgr"), QStringList());
    compositor.waitForStarted(3000);
    qputenv("LUMEXA_MPV_AO", "null");
    QVERIFY(Widgetmain::prepareCacheDirectory(cache.filePath("data")));
    QVERIFY2(platform.start({"--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    contentRect = QRect(0, 0, 1600, 900);
}

void tst_own_lists_look::cleanupTestCase()
{
    compositor.terminate();
    compositor.waitForFinished(3000);
    delete window;
    if (popupPlayer)
        popupPlayer->stopPlayer();
    QVERIFY(WidgetDriver::waitFor([] { return myCurrentThread2::liveCount() == 0; }, 30000));
}

// The filter bar above the list, filling the screen as on the page.
void tst_own_lists_look::openWindow(QWidget *list, bool micro)
{
    delete window;
    window = new QWidget;
    window->setGeometry(0, 0, 1600, 900);
    auto *column = new QVBoxLayout(window);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    filter = new FormTopPanel;
    if (micro)
        filter->useMicroLectureLabels();
    column->addWidget(filter);
    column->addWidget(list, 1);
}

void tst_own_lists_look::coursewareList()
{
    auto *courseware = new bankclasscenter;
    openWindow(courseware, false);
    QObject::connect(filter, &FormTopPanel::shootJson_object, courseware, &bankclasscenter::shootJson_object);
    QObject::connect(courseware, &bankclasscenter::collect_json_object, filter, &FormTopPanel::collect_json_object);
    QSignalSpy shown(courseware, &bankclasscenter::listShown);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(shown.count() > 0 || shown.wait(10000));
    QVERIFY(WidgetDriver::waitFor([this] { return filter->lookupsReady(); }, 20000));
    for (int i = 0; i < 4; ++i) {
        bankcenterkid *tile = courseware->tiles().at(i);
        QVERIFY(WidgetDriver::waitFor([&] { return tile->previewsLoaded() >= 1; }));
    }
    // The pointer over the second tile starts its slide show.
    bankcenterkid *hovered = courseware->tiles().at(1);
    QTest::mouseMove(hovered, QPoint(100, 60));
    if (!hovered->slideShowRunning()) {
        // Without a window manager the pointer's entry may never be told.
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(hovered, &enter);
    }
    QVERIFY(WidgetDriver::waitFor([&] { return hovered->previewsLoaded() > 1 && hovered->imageOpacity() < 0.7; }));
    screen("courseware-list");

    QVERIFY(WidgetDriver::click(courseware, "pushButton_selector"));
    for (int i : {0, 2})
        QTest::mouseClick(courseware->tiles().at(i)->findChild<QPushButton *>("pushButtonSelector"), Qt::LeftButton);
    QCOMPARE(courseware->selection()->chips().size(), 2);
    QTest::mouseMove(window, QPoint(800, 880));
    screen("courseware-selection");
}

void tst_own_lists_look::microLectureList()
{
    auto *micro = new FormCenterPanel;
    openWindow(micro, true);
    QObject::connect(filter, &FormTopPanel::shootJson_object, micro,
                     QOverload<QJsonObject, int, int>::of(&FormCenterPanel::shootJson_object));
    QObject::connect(micro, &FormCenterPanel::collect_json_object, filter, &FormTopPanel::collect_json_object);
    QObject::connect(micro, &FormCenterPanel::Top_search, filter, &FormTopPanel::on_pushButton_search_clicked);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    micro->init_first(2);
    for (FormMicroKids *tile : micro->tiles())
        QVERIFY(WidgetDriver::waitFor([&] { return tile->hasThumbnail(); }, 60000));
    QVERIFY(WidgetDriver::click(micro, "pushButton_selector"));
    for (int i : {1, 4, 7})
        QTest::mouseClick(micro->tiles().at(i)->findChild<QPushButton *>("pushButton_select"), Qt::LeftButton);
    QCOMPARE(micro->selection()->chips().size(), 3);
    // Six columns fit at 1600 px: no tile is cut off at the right.
    QVERIFY(micro->tiles().size() >= 6);
    for (FormMicroKids *tile : micro->tiles())
        QCOMPARE(tile->visibleRegion().boundingRect().right(), tile->rect().right());
    screen("micro-lecture-list");

    QVERIFY(WidgetDriver::click(micro->tiles().at(0), "pushButton_btn"));
    QVERIFY(popupPlayer && popupPlayer->isVisible());
    QVERIFY(WidgetDriver::waitFor([] { return popupPlayer->player()->isPlaying(); }, 20000));
    QTest::qWait(1500);
    screen("micro-lecture-popup");
}

LUMEXA_TEST_MAIN(tst_own_lists_look)
#include "tst_own_lists_look.moc"
