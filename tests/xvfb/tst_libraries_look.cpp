// Under a real X server with the platform stand-in: the library menu beside
// the vector library, the shape library and both tabs of the image library,
// filled with the platform's pictures.
#include "LumexaTest.h"

#include "FormBankSLK.h"
#include "PageWidget.h"
#include "PlatformFixture.h"
#include "QLabelImags.h"
#include "QLabelImagsUp.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankPBLiu.h"
#include "bankVLTpk.h"
#include "bankVLXzk.h"
#include "bankVleft.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace {
int shownPictures(const QList<QWidget *> &tiles);
int shownPictures(const QList<QLabelImags *> &tiles)
{
    QList<QWidget *> widgets;
    for (auto *t : tiles)
        widgets << t;
    return shownPictures(widgets);
}

int shownPictures(const QList<QWidget *> &tiles)
{
    int n = 0;
    for (QWidget *w : tiles)
        if (auto *t = qobject_cast<QLabelImags *>(w); t && t->isVisible() && t->width() > 0 && t->height() > 0
                                                      && t->pixmap() && !t->pixmap()->isNull())
            ++n;
    return n;
}
}

class tst_libraries_look : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void vectorLibrary();
    void shapeLibrary();
    void imageLibraryOwnTab();
    void imageLibraryPublicTab();
    void allTogether();

private:
    void place(QWidget *panel);

    PlatformFixture platform;
    QWidget window;
    QHBoxLayout *row = nullptr;
    bankVleft *menu = nullptr;
    FormBankSLK *vectors = nullptr;
    bankVLXzk *shapes = nullptr;
    bankVLTpk *ownImages = nullptr;
    bankVLTpk *publicImages = nullptr;
};

void tst_libraries_look::initTestCase()
{
    QVERIFY2(platform.start({"--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login("teacher01"));
    contentRect = QRect(0, 50, 1520, 820);
    window.setStyleSheet(QStringLiteral("QWidget#window { background-color: rgb(230, 230, 230); }"));
    window.setObjectName("window");
    window.setGeometry(0, 0, 1520, 860);
    row = new QHBoxLayout(&window);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    menu = new bankVleft;
    row->addWidget(menu);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

void tst_libraries_look::place(QWidget *panel)
{
    panel->setFixedWidth(350);
    row->addWidget(panel);
    panel->show();
}

void tst_libraries_look::vectorLibrary()
{
    vectors = new FormBankSLK;
    place(vectors);
    vectors->initialise();
    vectors->loadPage("1", "10", "0");
    QCOMPARE(vectors->categoryButtons().size(), 3);
    QTest::mouseClick(vectors->categoryButtons().at(1), Qt::LeftButton);
    QVERIFY(WidgetDriver::waitFor([this] { return shownPictures(vectors->tiles()) == 5; }));
    TestEnvironment::screenshot(vectors, "vector-library");
}

void tst_libraries_look::shapeLibrary()
{
    shapes = new bankVLXzk;
    place(shapes);
    shapes->initialise();
    shapes->loadPage("1", "10", "0");
    QCOMPARE(shapes->pageBar()->maxPage(), 2);
    QVERIFY(WidgetDriver::waitFor([this] { return shownPictures(shapes->tiles()) == 10; }));
    TestEnvironment::screenshot(shapes, "shape-library");
}

void tst_libraries_look::imageLibraryOwnTab()
{
    ownImages = new bankVLTpk;
    place(ownImages);
    ownImages->loadOwnPage("1", "10");
    QVERIFY(!ownImages->records().isEmpty());
    QVERIFY(WidgetDriver::waitFor([this] { return shownPictures(ownImages->ownContainer()->tiles()) == ownImages->records().size(); }));
    QVERIFY(ownImages->uploadTile()->isVisible());
    TestEnvironment::screenshot(ownImages, "image-library-own");
}

void tst_libraries_look::imageLibraryPublicTab()
{
    publicImages = new bankVLTpk;
    place(publicImages);
    QTest::mouseClick(publicImages->findChild<QPushButton *>("pushButton_2"), Qt::LeftButton);
    QVERIFY(WidgetDriver::waitFor([this] { return shownPictures(publicImages->publicContainer()->tiles()) == 10; }));
    QCOMPARE(publicImages->pageBar()->maxPage(), 3);
    TestEnvironment::screenshot(publicImages, "image-library-public");
}

void tst_libraries_look::allTogether()
{
    QTest::qWait(100);
    const QString path = TestEnvironment::screenshot(&window, "libraries");
    QVERIFY(QFileInfo::exists(path));
}

LUMEXA_TEST_MAIN(tst_libraries_look)
#include "tst_libraries_look.moc"
