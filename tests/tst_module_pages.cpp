// The courseware and micro-lecture pages: which parts each view shows, the
// first loads of the libraries, the deck's place, and the side panel.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "DocumentHost.h"
#include "FormCenterPanel.h"
#include "FormMicroTools.h"
#include "FormTopPanel.h"
#include "FormVLPanel.h"
#include "FormVideoCenter.h"
#include "FormmicroInfo.h"
#include "PlatformFixture.h"
#include "MediaPlayer.h"
#include "QTAVPlayer.h"
#include "media/TestMedia.h"
#include "Widgetmain.h"
#include "bankTop.h"
#include "bankVleft.h"
#include "bankclasscenter.h"
#include "widgetno1.h"
#include "widgetno2.h"

#include <QPushButton>
#include <QTemporaryDir>

class tst_module_pages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void coursewareViews_data();
    void coursewareViews();
    void librariesLoadOnce();
    void editFromListKeepsView();
    void barsKeepTheirLooks();
    void sidePanel();

private:
    PlatformFixture platform;
    QTemporaryDir cache;
    widgetno1 *courseware = nullptr;
};

void tst_module_pages::initTestCase()
{
    QVERIFY2(platform.start({"--record", "--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    QVERIFY(Widgetmain::prepareCacheDirectory(cache.path()));
    Widgetmain::installTemplateDeck(QCoreApplication::applicationDirPath() + "/..");
    courseware = new widgetno1;
    courseware->resize(1400, 800);
    courseware->show();
}

void tst_module_pages::cleanupTestCase()
{
    delete courseware;
}

void tst_module_pages::coursewareViews_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<bool>("toolbar");
    QTest::addColumn<bool>("list");
    QTest::addColumn<bool>("deck");
    QTest::addColumn<int>("width"); // the page is resized to it once the view shows
    QTest::addColumn<int>("deckLeft");
    QTest::newRow("0 edit") << 0 << true << false << true << 1500 << 100;
    QTest::newRow("1 my courseware") << 1 << false << true << false << 1400 << 0;
    QTest::newRow("2 images") << 2 << true << false << true << 1400 << 100;
    QTest::newRow("6 templates: the deck beside them") << 6 << true << false << true << 1500 << 100 + 350;
}

void tst_module_pages::coursewareViews()
{
    QFETCH(int, view);
    QFETCH(bool, toolbar);
    QFETCH(bool, list);
    QFETCH(bool, deck);
    QFETCH(int, width);
    QFETCH(int, deckLeft);
    courseware->select_click(view);
    courseware->resize(width, 800);
    QCOMPARE(courseware->view(), view);
    QCOMPARE(courseware->toolbar()->isVisible(), toolbar);
    QCOMPARE(courseware->filterBar()->isVisible(), list);
    QCOMPARE(courseware->list()->isVisible(), list);
    QVERIFY(documentControl);
    QCOMPARE(documentControl->isVisible(), deck);
    if (deck)
        QCOMPARE(documentControl->geometry(), QRect(deckLeft, 50, width - deckLeft, 800 - 50));
    for (int v = 2; v <= 6; ++v)
        QCOMPARE(courseware->library(v)->isVisible(), v == view);
    if (view == 2 || view == 6)
        TestEnvironment::screenshot(courseware, QStringLiteral("view-%1").arg(view));
}

void tst_module_pages::librariesLoadOnce()
{
    // The first showing of the image library loads the own pictures, here
    // or in an earlier test.
    courseware->select_click(2);
    const int before = platform.recordedBodies(ApiPaths::fileList).size();
    QVERIFY(before >= 1);
    const int shown = widgetno1::libraryShowCount(2);
    for (int i = 0; i < 3; ++i) {
        courseware->select_click(1);
        courseware->select_click(2);
    }
    QCOMPARE(widgetno1::libraryShowCount(2), shown + 3);
    QCOMPARE(platform.recordedBodies(ApiPaths::fileList).size(), before);
}

void tst_module_pages::editFromListKeepsView()
{
    courseware->select_click(1);
    courseware->select_click_other(2);
    QCOMPARE(courseware->view(), 1);
    QVERIFY(courseware->toolbar()->isVisible());
    QVERIFY(!courseware->list()->isVisible());
    QVERIFY(documentControl->isVisible());
    const auto buttons = courseware->menu()->findChildren<QPushButton *>();
    QCOMPARE(std::count_if(buttons.begin(), buttons.end(), [](QPushButton *b) { return b->isChecked(); }), 1);
}

// The page greys the toolbar and the left menu; their own looks stay.
void tst_module_pages::barsKeepTheirLooks()
{
    courseware->menu()->selectMyClass();
    TestEnvironment::screenshot(courseware, "looks-my-courseware-view");
    courseware->select_click(0);
    courseware->menu()->selectEditClass();
    auto *open = courseware->toolbar()->findChild<QPushButton *>("pushButton_open");
    auto *publish = courseware->toolbar()->findChild<QPushButton *>("pushButton_FB");
    auto *edit = courseware->menu()->findChild<QPushButton *>("pushButton_editclass");
    auto *mine = courseware->menu()->findChild<QPushButton *>("pushButton_myclass");
    publish->setEnabled(true);
    TestEnvironment::screenshot(courseware, "looks-editor-view");
    auto colour = [](QWidget *w, QPoint at) { return w->grab().toImage().pixelColor(at); };
    QCOMPARE(open->font().pixelSize(), 16);
    QCOMPARE(open->font().weight(), 65);
    QCOMPARE(colour(publish, {4, publish->height() / 2}), QColor(0x03, 0x80, 0x4B));
    publish->setEnabled(false);
    QCOMPARE(colour(publish, {4, publish->height() / 2}), QColor(0xDA, 0xDA, 0xDA));
    QCOMPARE(colour(courseware->toolbar(), {courseware->toolbar()->width() - 2, 2}), QColor(240, 240, 240));
    // The checked entry of the menu is tinted, the others are not.
    QVERIFY(edit->isChecked() && !mine->isChecked());
    QVERIFY(colour(edit, {edit->width() / 2, 4}) != colour(mine, {mine->width() / 2, 4}));
}

void tst_module_pages::sidePanel()
{
    widgetno2 page;
    page.resize(1400, 800);
    page.show();
    auto *list = page.sidePanel()->findChild<QPushButton *>("pushButton_myclass");
    auto *edit = page.sidePanel()->findChild<QPushButton *>("pushButton_putclass");
    auto *tools = page.sidePanel()->findChild<QPushButton *>("pushButton_tool");
    QVERIFY(page.list()->isVisible() && !page.editor()->isVisible());

    QTest::mouseClick(list, Qt::LeftButton); // the checked one stays
    QVERIFY(list->isChecked() && page.list()->isVisible());

    QTest::mouseClick(edit, Qt::LeftButton);
    QVERIFY(edit->isChecked() && !list->isChecked());
    QVERIFY(page.editor()->isVisible() && page.publishPanel()->isVisible() && !page.list()->isVisible());
    QCOMPARE(page.publishPanel()->geometry().right(), page.width() - 1);
    QCOMPARE(page.editor()->geometry().right() + 1, page.publishPanel()->x());

    // Leaving the editing view pauses the video where it is.
    const QString video = cache.filePath("lesson.mp4");
    QVERIFY(TestMedia::make(video, 4));
    page.editor()->openVideo(video);
    MediaPlayer *player = page.editor()->videoPlayer()->player();
    QTRY_VERIFY_WITH_TIMEOUT(player->position() > 300 && !player->isPaused(), 10000);
    QTest::mouseClick(list, Qt::LeftButton);
    QTRY_VERIFY(player->isPaused());
    const qint64 at = player->position();
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::qWait(300);
    QVERIFY(player->isPaused());
    QVERIFY(qAbs(player->position() - at) < 100);

    QTest::mouseClick(tools, Qt::LeftButton);
    QVERIFY(page.tools()->isVisible() && !page.filterBar()->isVisible());
    QVERIFY(page.editor()->isVisible()); // behind the half-transparent backdrop
    // The cards stand at the bottom of the tools panel.
    auto *cards = page.tools()->findChild<QWidget *>("widget");
    QVERIFY(cards->height() < page.tools()->height());
    QCOMPARE(cards->geometry().bottom(), page.tools()->height() - 1);
    QCOMPARE(page.tools()->findChild<QWidget *>("widget_card1")->mapTo(page.tools(), QPoint()).y(),
             page.tools()->height() - cards->height() + 70);
    TestEnvironment::screenshot(&page, "tools");

    page.resetMicroPage();
    QVERIFY(list->isChecked() && !edit->isChecked() && !tools->isChecked());
    QVERIFY(page.list()->isVisible() && !page.tools()->isVisible() && !page.editor()->isVisible());
}

LUMEXA_TEST_MAIN(tst_module_pages)
#include "tst_module_pages.moc"
