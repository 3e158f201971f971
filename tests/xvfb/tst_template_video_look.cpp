// Under a real X server with the platform stand-in: the template library
// beside a deck applied from it, the video library with its thumbnails, and
// the preview window showing a template in the viewer page.
#include "LumexaTest.h"

#include "DocumentHost.h"
#include "PlatformFixture.h"
#include "TestDecks.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankVLMbk.h"
#include "bankVLSpk.h"
#include "bankvlmbk_kid.h"
#include "bankvlmbk_kidBrower.h"
#include "bankvlspk_kid.h"
#include "myCurrentThread.h"
#include "myWebEngineView.h"

#include <QTemporaryDir>
#include <memory>

class tst_template_video_look : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void templateLibraryBesideDeck();
    void videoLibrary();
    void previewWindow();
    void cleanupTestCase();

private:
    PlatformFixture platform;
    QTemporaryDir dir;
    QWidget page;
    bankVLMbk *templates = nullptr;
};

void tst_template_video_look::initTestCase()
{
    QVERIFY2(platform.start({"--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    QVERIFY(Widgetmain::prepareCacheDirectory(dir.filePath("data")));
    QVERIFY(TestDecks::write(DocumentHost::templateDeck(), {{QStringLiteral("空白课件"), QString()}}));
    page.setObjectName("page");
    page.setStyleSheet(QStringLiteral("#page { background-color: #FFFFFF; }"));
    page.setGeometry(0, 0, 1400, 820);
    contentRect = QRect(0, 50, 1400, 770);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
}

void tst_template_video_look::cleanupTestCase()
{
    bankvlmbk_kidBrower::release();
}

void tst_template_video_look::templateLibraryBesideDeck()
{
    DocumentControl *control = DocumentHost::setUp(&page);
    QSignalSpy blank(control, &DocumentControl::documentOpened);
    QVERIFY(blank.wait(60000));
    templates = new bankVLMbk(&page);
    templates->setGeometry(0, 0, 350, 820);
    templates->show();
    templates->initialise();
    templates->loadPage("1", "10", "0", "");
    const int shown = qMin(10, templates->records().size());
    QVERIFY(shown >= 6);
    QVERIFY(WidgetDriver::waitFor([&] {
        for (int i = 0; i < shown; ++i)
            if (templates->tiles().at(i)->pictures().isEmpty())
                return false;
        return true;
    }, 30000));

    // Apply the second template: the deck opens beside the library.
    bankvlmbk_kid *tile = templates->tiles().at(1);
    QSignalSpy opened(control, &DocumentControl::documentOpened);
    QVERIFY(WidgetDriver::click(tile, "pushButton_insert"));
    QVERIFY(opened.wait(60000));
    QVERIFY(opened.first().at(0).toBool());
    DocumentHost::place(QRect(350, 0, 1050, 820));
    DocumentHost::show();
    QVERIFY(WidgetDriver::waitFor([&] { return control->slideCount() == tile->record().pptFiles.size(); }));
    QSignalSpy painted(control, &DocumentControl::slidePainted);
    painted.wait(5000);

    // The first tile in the middle of its slide show.
    bankvlmbk_kid *first = templates->tiles().first();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(first, &enter);
    QVERIFY(WidgetDriver::waitFor([&] { return first->pictures().size() == first->record().pptFiles.size(); }));
    QVERIFY(WidgetDriver::waitFor([&] { return first->pictureIndex() == 2 && first->imageOpacity() < 0.8
                                               && first->imageOpacity() > 0.2; }));
    TestEnvironment::screenshot(&page, "template-library");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(first, &leave);
    DocumentHost::hide();
    templates->hide();
}

void tst_template_video_look::videoLibrary()
{
    auto *videos = new bankVLSpk(&page);
    videos->setGeometry(0, 0, 350, 820);
    videos->show();
    videos->initialise();
    videos->loadPage("1", "10", "0", "");
    const int shown = videos->records().size();
    QVERIFY(shown >= 3);
    QVERIFY(WidgetDriver::waitFor([&] {
        for (int i = 0; i < shown; ++i)
            if (videos->tiles().at(i)->thumbnailPath().isEmpty())
                return false;
        return true;
    }, 60000));
    QVERIFY(WidgetDriver::waitFor([] { return myCurrentThread::liveCount() == 0; }, 60000));
    QTest::qWait(50);
    TestEnvironment::screenshot(videos, "video-library");
    videos->hide();
}

void tst_template_video_look::previewWindow()
{
    QVERIFY(templates);
    bankvlmbk_kid *tile = templates->tiles().at(1);
    QVERIFY(WidgetDriver::click(tile, "pushButton_preview"));
    bankvlmbk_kidBrower *window = bankvlmbk_kidBrower::instance();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QString expected = QStringLiteral("1 / %1").arg(tile->record().pptFiles.size());
    auto state = std::make_shared<QString>();
    QVERIFY(WidgetDriver::waitFor([&] {
        window->view()->page()->runJavaScript(
            "(document.getElementById('pos') || {}).textContent + '|' + "
            "Array.from(document.images).every(function (i) { return i.complete && i.naturalWidth > 0; })",
            [state](const QVariant &v) { *state = v.toString(); });
        return *state == expected + "|true";
    }, 30000));
    QTest::qWait(300);
    TestEnvironment::screenshot(window, "preview-window");
}

LUMEXA_TEST_MAIN(tst_template_video_look)
#include "tst_template_video_look.moc"
