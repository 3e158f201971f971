// Editing a deck from the my-courseware list: fetched from the stand-in into
// the cache under a safe name, opened in the real document control.
#include "LumexaTest.h"

#include "BoxWatcher.h"
#include "DocumentHost.h"
#include "EmitObject.h"
#include "PlatformFixture.h"
#include "TestDecks.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankcenterkid.h"
#include "bankclasscenter.h"

#include <QPushButton>
#include <QTemporaryDir>

class tst_courseware_edit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void editPaths_data();
    void editPaths();
    void editOpensDeck();
    void failedDownload();

private:
    bool showList();

    PlatformFixture platform;
    QTemporaryDir cache;
    QWidget *host = nullptr;
    bankclasscenter *list = nullptr;
};

void tst_courseware_edit::initTestCase()
{
    QVERIFY(Widgetmain::prepareCacheDirectory(cache.filePath("data")));
    QVERIFY(TestDecks::write(DocumentHost::templateDeck(), {{QStringLiteral("空白课件"), QString()}}));
    QVERIFY2(platform.start({"--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    host = new QWidget;
    host->resize(1300, 800);
    host->show();
    DocumentControl *control = DocumentHost::setUp(host);
    QSignalSpy opened(control, &DocumentControl::documentOpened);
    QVERIFY(opened.wait(60000));
}

void tst_courseware_edit::cleanupTestCase()
{
    delete host;
}

bool tst_courseware_edit::showList()
{
    delete list;
    list = new bankclasscenter(host);
    list->setGeometry(0, 0, 1300, 800);
    list->show();
    QSignalSpy shown(list, &bankclasscenter::listShown);
    return shown.wait(10000);
}

void tst_courseware_edit::editPaths_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("fileSrc");
    QTest::addColumn<QString>("file");
    QTest::newRow("plain") << "分与合课件" << "/courseware/cw-3.pptx" << "分与合课件.pptx";
    QTest::newRow("climbing") << "../../../etc/passwd" << "/c/x.pptx" << "_.._.._etc_passwd.pptx";
    QTest::newRow("empty name") << "" << "/c/x.pptx" << "课件9.pptx";
    QTest::newRow("no stored suffix") << "课件" << "/c/deck" << "课件.pptx";
}

void tst_courseware_edit::editPaths()
{
    QFETCH(QString, name);
    QFETCH(QString, fileSrc);
    QFETCH(QString, file);
    miciroInfo r;
    r.id = "9";
    r.name = name;
    r.fileSrc = fileSrc;
    QCOMPARE(bankcenterkid::editPath(r), sourceDir + "pptemp/" + file);
}

void tst_courseware_edit::editOpensDeck()
{
    QVERIFY(showList());
    bankcenterkid *tile = list->tiles().at(0);
    const QString path = sourceDir + "pptemp/" + tile->record().name + ".pptx";
    QSignalSpy view(list, &bankclasscenter::select_click);
    QSignalSpy codes(EmitObject::instance(), &EmitObject::shootCode);
    QSignalSpy opened(documentControl.data(), &DocumentControl::documentOpened);
    QTest::mouseClick(tile->findChild<QPushButton *>("pushButton_Edit"), Qt::LeftButton);
    QVERIFY(view.wait(20000));
    QCOMPARE(view.first().at(0).toInt(), 2);
    // The toolbar is told, and the office opens the deck.
    QCOMPARE(codes.value(0), (QVariantList{101, path}));
    QVERIFY(opened.wait(60000));
    QCOMPARE(opened.first(), (QVariantList{true, path}));
    QCOMPARE(currentDocumentPath, path);
    QVERIFY(documentControl->slideCount() > 1);
    const QByteArray got = TestEnvironment::readFile(path);
    QVERIFY(!got.isEmpty() && got == TestEnvironment::readFile(platform.dataDir() + "/doc" + tile->record().fileSrc));
    QVERIFY(TestDecks::slideTexts(path).join(" ").contains(tile->record().name.left(3)));
}

void tst_courseware_edit::failedDownload()
{
    QVERIFY(showList());
    bankcenterkid *tile = list->tiles().at(1);
    const QString local = bankcenterkid::editPath(tile->record());
    QFile::remove(local);
    QVERIFY(QFile::remove(platform.dataDir() + "/doc" + tile->record().fileSrc));
    const QString before = currentDocumentPath;
    QSignalSpy view(list, &bankclasscenter::select_click);
    BoxWatcher boxes;
    QTest::mouseClick(tile->findChild<QPushButton *>("pushButton_Edit"), Qt::LeftButton);
    QVERIFY(WidgetDriver::waitFor([&] { return !boxes.seen.isEmpty(); }));
    QVERIFY2(boxes.seen.first().startsWith("HTTP|课件请求失败 DownloadImg error code: 203."), qPrintable(boxes.seen.first()));
    QVERIFY(boxes.seen.first().endsWith("HTTPscode:404"));
    QVERIFY(view.isEmpty());
    QCOMPARE(currentDocumentPath, before);
    QVERIFY(!QFile::exists(local));
}

LUMEXA_TEST_MAIN(tst_courseware_edit)
#include "tst_courseware_edit.moc"
