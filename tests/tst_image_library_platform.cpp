// The image library against the stand-in: upload, listing and deletion.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "DialogAnswerer.h"
#include "PlatformFixture.h"
#include "QLabelImags.h"
#include "QLabelImagsUp.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankPBLiu.h"
#include "bankVLTpk.h"

#include <QPushButton>
#include <QTemporaryDir>

class tst_image_library_platform : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void uploadListAndDelete();

private:
    PlatformFixture platform;
    bankVLTpk *library = nullptr;
    QTemporaryDir dir;
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

void tst_image_library_platform::uploadListAndDelete()
{
    const QString path = dir.filePath(QStringLiteral("课堂照片.png"));
    QImage image(270, 540, QImage::Format_RGB32);
    image.fill(QColor("#2E86C1"));
    QVERIFY(image.save(path));

    DialogAnswerer answers;
    answers.paths << path;
    QSignalSpy uploaded(library->uploadTile(), &QLabelImagsUp::shootUpload);
    QTest::mousePress(library->uploadTile(), Qt::LeftButton);
    QCOMPARE(uploaded.size(), 1);
    const QString stored = uploaded.first().first().toString();
    QCOMPARE(WidgetDriver::shownMessages(), QStringList{QStringLiteral("图片上传成功。")});
    WidgetDriver::closeMessages();

    QCOMPARE(platform.recordedBodies(ApiPaths::fileSave),
             QList<QJsonObject>{(QJsonObject{{"fileName", stored},
                                             {"fileLibType", 2},
                                             {"fileRealname", "课堂照片.png"},
                                             {"fileSize", double(QFileInfo(path).size())},
                                             {"fileSuffix", "png"}})});

    // The platform lists it for this teacher: shown after the next page load,
    // first (newest), 270 × 540 at 135 × 270.
    library->loadOwnPage("1", "10");
    QVERIFY(!library->records().isEmpty());
    const LibraryItem uploadedItem = library->records().first();
    QCOMPARE(uploadedItem.resFile, stored);
    auto *tile = qobject_cast<QLabelImags *>(library->ownContainer()->tiles().at(1));
    QVERIFY(tile && tile->id() == uploadedItem.id);
    QCOMPARE(tile->size(), QSize(135, 270));

    // A tile added to a shown page shows once the event loop has run.
    QVERIFY(WidgetDriver::waitFor([tile] { return tile->isVisible(); }));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(tile, &enter);
    QVERIFY(tile->deleteButton()->isVisible());
    QTest::mouseClick(tile->deleteButton(), Qt::LeftButton);
    QCOMPARE(WidgetDriver::shownMessages(), QStringList{QStringLiteral("确定要删除图片？")});
    QVERIFY(WidgetDriver::answerMessage());
    QVERIFY(tile->isHidden());
    WidgetDriver::closeMessages();
    library->loadOwnPage("1", "10");
    for (const LibraryItem &i : library->records())
        QVERIFY(i.id != uploadedItem.id);
}

LUMEXA_TEST_MAIN(tst_image_library_platform)
#include "tst_image_library_platform.moc"
