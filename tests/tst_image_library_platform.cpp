// The image library against the platform stand-in: the teacher's own
// pictures, an upload through the upload tile (the file dialog answered by
// the test) that the platform then lists, its deletion, and the public tab.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "CurrentUser.h"
#include "HttpClassInput.h"
#include "PageWidget.h"
#include "PlatformFixture.h"
#include "QLabelImags.h"
#include "QLabelImagsUp.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankPBLiu.h"
#include "bankVLTpk.h"
#include "messageForm.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QJsonDocument>
#include <QPushButton>
#include <QTemporaryDir>

namespace {
messageForm *shownMessage()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<messageForm *>(w); m && m->isVisible())
            return m;
    return nullptr;
}

QList<LibraryItem> ownPictures()
{
    QUrlQuery query;
    query.addQueryItem("pageNum", "1");
    query.addQueryItem("pageSize", "100");
    QList<LibraryItem> out;
    HttpClassInput::instance()->fetchOwnFiles(BaseAddress::api() + ApiPaths::fileList, query,
                                              {{"creatorId", CurrentUser::id}, {"fileLibType", 2}}, out);
    return out;
}

QLabelImags *tileWithId(bankPBLiu *container, const QString &id)
{
    for (QWidget *w : container->tiles())
        if (auto *t = qobject_cast<QLabelImags *>(w); t && t->id() == id)
            return t;
    return nullptr;
}
}

class tst_image_library_platform : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void ownPicturesOfTheTeacher();
    void uploadThroughTheTile();
    void deleteTheUpload();
    void publicPictures();
    void cleanup();

private:
    PlatformFixture platform;
    bankVLTpk *library = nullptr;
    QTemporaryDir dir;
    QString uploadedId;
};

void tst_image_library_platform::initTestCase()
{
    QVERIFY2(platform.start({"--record", "--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login("teacher01"));
    contentRect = QRect(0, 50, 1200, 700);
    library = new bankVLTpk;
    library->resize(300, 800);
    library->show();
    QVERIFY(QTest::qWaitForWindowExposed(library));
}

void tst_image_library_platform::cleanup()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<messageForm *>(w))
            delete w;
}

void tst_image_library_platform::ownPicturesOfTheTeacher()
{
    const QList<LibraryItem> own = ownPictures();
    QVERIFY(!own.isEmpty());
    library->loadOwnPage("1", "10");
    const QList<QWidget *> tiles = library->ownContainer()->tiles();
    QCOMPARE(tiles.size(), 11);
    int pictures = 0;
    for (QWidget *w : tiles.mid(1)) {
        auto *t = qobject_cast<QLabelImags *>(w);
        if (t->id().isEmpty())
            continue;
        ++pictures;
        QVERIFY(t->pixmap() && !t->pixmap()->isNull());
        QVERIFY(t->height() > 0);
    }
    QCOMPARE(pictures, qMin(10, own.size()));
    QVERIFY(shownMessage() == nullptr); // every picture downloaded
}

void tst_image_library_platform::uploadThroughTheTile()
{
    const QString path = dir.filePath(QStringLiteral("课堂照片.png"));
    QImage image(270, 540, QImage::Format_RGB32);
    image.fill(QColor("#2E86C1"));
    QVERIFY(image.save(path));

    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        // Typed into the name field as a user would (selectFile leaves a
        // focused field alone).
        auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
        QVERIFY(name);
        name->setText(path);
        static_cast<QDialog *>(dialog)->accept(); // the dialog's own check runs
    });
    answer.start(50);
    QSignalSpy uploaded(library->uploadTile(), &QLabelImagsUp::shootUpload);
    QTest::mousePress(library->uploadTile(), Qt::LeftButton);
    answer.stop();
    QCOMPARE(uploaded.size(), 1);
    const QString stored = uploaded.first().first().toString();
    QVERIFY(!stored.isEmpty());
    messageForm *m = shownMessage();
    QVERIFY(m);
    QCOMPARE(m->message(), QStringLiteral("图片上传成功。"));

    // The platform lists it for this teacher.
    for (const LibraryItem &i : ownPictures())
        if (i.resFile == stored)
            uploadedId = i.id;
    QVERIFY2(!uploadedId.isEmpty(), "the uploaded picture is not listed");
    bool saved = false;
    for (const QJsonValue &v : platform.recordedRequests()) {
        const QJsonObject o = v.toObject();
        if (o.value("path").toString() != ApiPaths::fileSave)
            continue;
        saved = true;
        QCOMPARE(QJsonDocument::fromJson(o.value("body").toString().toUtf8()).object(),
                 (QJsonObject{{"fileName", stored},
                              {"fileLibType", 2},
                              {"fileRealname", "课堂照片.png"},
                              {"fileSize", double(QFileInfo(path).size())},
                              {"fileSuffix", "png"}}));
    }
    QVERIFY(saved);

    // Not listed in the tiles until the page loads again; then first (newest),
    // 270 × 540 shown at 135 × 270.
    QVERIFY(!tileWithId(library->ownContainer(), uploadedId));
    library->loadOwnPage("1", "10");
    QLabelImags *tile = tileWithId(library->ownContainer(), uploadedId);
    QVERIFY(tile);
    QCOMPARE(library->ownContainer()->tiles().at(1), static_cast<QWidget *>(tile));
    QCOMPARE(tile->size(), QSize(135, 270));
    QCOMPARE(tile->pixmap()->size(), QSize(270, 540));
}

void tst_image_library_platform::deleteTheUpload()
{
    QVERIFY(!uploadedId.isEmpty());
    QLabelImags *tile = tileWithId(library->ownContainer(), uploadedId);
    QVERIFY(tile);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(tile, &enter);
    QVERIFY(tile->deleteButton()->isVisible());
    QVERIFY(WidgetDriver::waitFor([tile] { return tile->deleteButton()->y() == tile->height() - 20; }));
    TestEnvironment::screenshot(library, "delete-strip");
    QTest::mouseClick(tile->deleteButton(), Qt::LeftButton);
    messageForm *m = shownMessage();
    QVERIFY(m);
    QCOMPARE(m->message(), QStringLiteral("确定要删除图片？"));
    QVERIFY(WidgetDriver::click(m, "pushButtonOK"));
    QVERIFY(tile->isHidden());
    for (const LibraryItem &i : ownPictures())
        QVERIFY(i.id != uploadedId);
}

void tst_image_library_platform::publicPictures()
{
    QTest::mouseClick(library->findChild<QPushButton *>("pushButton_2"), Qt::LeftButton);
    QCOMPARE(library->categoryButtons().size(), 4);
    const QList<QWidget *> tiles = library->publicContainer()->tiles();
    QCOMPARE(tiles.size(), 10);
    for (QWidget *w : tiles) {
        auto *t = qobject_cast<QLabelImags *>(w);
        QVERIFY(!t->id().isEmpty());
        QVERIFY(t->height() > 0);
    }
    // 24 public pictures: three pages.
    QCOMPARE(library->pageBar()->maxPage(), 3);
    QTest::mouseClick(library->categoryButtons().at(1), Qt::LeftButton);
    QCOMPARE(library->records().size(), 6);
    QCOMPARE(library->pageBar()->maxPage(), 1);
    TestEnvironment::screenshot(library, "public");
}

LUMEXA_TEST_MAIN(tst_image_library_platform)
#include "tst_image_library_platform.moc"
