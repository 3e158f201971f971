// Failed courseware publishes against the stand-in; a successful one is the
// courseware road.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BoxWatcher.h"
#include "DocumentHost.h"
#include "FormFaBuChenggong.h"
#include "PlatformFixture.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankupinfo.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

class tst_publish_courseware : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void failureGivesTheFormBack_data();
    void failureGivesTheFormBack();

private:
    PlatformFixture platform;
    QTemporaryDir cache;
};

void tst_publish_courseware::initTestCase()
{
    QVERIFY2(platform.start({"--record", "--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    QVERIFY(Widgetmain::prepareCacheDirectory(cache.path()));
    contentRect = QRect(0, 0, 1200, 760);
}

void tst_publish_courseware::cleanup()
{
    WidgetDriver::closeMessages();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_publish_courseware::failureGivesTheFormBack_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("saves");
    QTest::newRow("upload fails") << QByteArray() << QStringLiteral("课件上传失败") << 0;
    // The platform takes the upload but refuses a record whose file is no deck.
    QTest::newRow("record refused") << QByteArray("not a deck")
                                    << QStringLiteral("课件信息保存失败，检查网络重新尝试。") << 1;
}

void tst_publish_courseware::failureGivesTheFormBack()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(int, saves);
    currentDocumentPath = cache.filePath(content.isEmpty() ? "missing.pptx" : "notes.txt");
    if (!content.isEmpty())
        QVERIFY(TestEnvironment::writeFile(currentDocumentPath, content));
    const int before = platform.recordedBodies(ApiPaths::fileClassSave).size();
    bankupinfo form;
    form.show();
    QVERIFY(WidgetDriver::fillCurriculum(&form));
    form.findChild<QLineEdit *>("lineEditName")->setText(QStringLiteral("分与合"));
    form.findChild<QLineEdit *>("lineEdit_XD")->setText("200");
    BoxWatcher boxes;
    QTest::mouseClick(form.findChild<QPushButton *>("pushButton_OK"), Qt::LeftButton);
    QCOMPARE(WidgetDriver::shownMessages(), QStringList{message});
    QCOMPARE(platform.recordedBodies(ApiPaths::fileClassSave).size(), before + saves);
    QVERIFY(!WidgetDriver::shownTopLevel<FormFaBuChenggong>());
    // The form comes back as it was filled, to try again.
    QVERIFY(form.isVisible());
    QCOMPARE(form.findChild<QLineEdit *>("lineEditName")->text(), QStringLiteral("分与合"));
}

LUMEXA_TEST_MAIN(tst_publish_courseware)
#include "tst_publish_courseware.moc"
