// The template library against the stand-in. Applying into the real office
// is walked by the courseware road.
#include "LumexaTest.h"

#include "BaseAddress.h"
#include "BoxWatcher.h"
#include "DocumentHost.h"
#include "PlatformFixture.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "bankVLMbk.h"
#include "bankvlmbk_kid.h"

#include <QTemporaryDir>
#include <QUrlQuery>

class tst_template_library : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void localDeckPath_data();
    void localDeckPath();
    void coverFirstOtherSlidesOnHover();
    void previewAddressEscapesTheName();
    void applyFailures_data();
    void applyFailures();
    void tileGoesDuringDownload();

private:
    static bool hover(bankvlmbk_kid *tile, bool in);

    PlatformFixture platform;
    QTemporaryDir dir;
    QWidget page;
    bankVLMbk *panel = nullptr;
};

void tst_template_library::initTestCase()
{
    QVERIFY2(platform.start({"--record", "--no-office"}), qPrintable(platform.error()));
    QVERIFY(PlatformFixture::login());
    QVERIFY(Widgetmain::prepareCacheDirectory(dir.filePath("data")));
    contentRect = QRect(0, 0, 1200, 800);
    page.resize(1200, 800);
    panel = new bankVLMbk(&page);
    panel->setGeometry(0, 0, 350, 800);
    page.show();
}

void tst_template_library::cleanup()
{
    TestEnvironment::screenshotIfFailed(&page);
}

bool tst_template_library::hover(bankvlmbk_kid *tile, bool in)
{
    QEvent event(in ? QEvent::Enter : QEvent::Leave);
    return QApplication::sendEvent(tile, &event);
}

void tst_template_library::localDeckPath_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("resFile");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain title gets the deck's extension")
        << QStringLiteral("古诗词赏析") << "/library/templates/template-1.pptx" << QStringLiteral("古诗词赏析.pptx");
    QTest::newRow("title with extension keeps it") << QStringLiteral("主题班会.pptx") << "/t/a.pptx"
                                                   << QStringLiteral("主题班会.pptx");
    QTest::newRow("climbing out") << "../../../etc/passwd" << "/t/a.pptx" << "_.._.._etc_passwd.pptx";
    QTest::newRow("separators and refused characters") << QStringLiteral("语文/数学\\英语:*?")
                                                       << "/t/a.pptx" << QStringLiteral("语文_数学_英语___.pptx");
    QTest::newRow("nothing left") << ".." << "/t/a.pptx" << "template.pptx";
    QTest::newRow("never the working file") << "newfile" << "/t/a.pptx" << "newfile (2).pptx";
}

void tst_template_library::localDeckPath()
{
    QFETCH(QString, title);
    QFETCH(QString, resFile);
    QFETCH(QString, fileName);
    const QString path = bankvlmbk_kid::localDeckPath(title, resFile);
    QCOMPARE(QFileInfo(path).fileName(), fileName);
    QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(sourceDir + "pptemp/x").absolutePath());
}

void tst_template_library::coverFirstOtherSlidesOnHover()
{
    panel->initialise();
    panel->loadPage("1", "10", "0", "");
    bankvlmbk_kid *tile = panel->tiles().first();
    QCOMPARE(tile->record().pptFiles.size(), 4);
    QVERIFY(WidgetDriver::waitFor([&] { return tile->pictures().size() == 1; }));
    QCOMPARE(tile->loaderCount(), 1); // one fetch per slide picture

    hover(tile, true);
    QVERIFY(WidgetDriver::waitFor([&] { return tile->pictures().size() == 4; }));
    QVERIFY(WidgetDriver::waitFor([&] { return tile->pictureIndex() == 2; }));

    hover(tile, false);
    QVERIFY(!tile->slideShowRunning());
    QCOMPARE(tile->imageOpacity(), 1.0);
    QCOMPARE(tile->currentPicture().cacheKey(), tile->pictures().at(0).cacheKey());

    // The other slides are fetched once per record.
    hover(tile, true);
    hover(tile, false);
    QCOMPARE(tile->loaderCount(), 4);
}

void tst_template_library::previewAddressEscapesTheName()
{
    const QString resFile = "/library/templates/a&b=1#c?d.pptx";
    const QUrl address = bankvlmbk_kid::previewAddress(resFile);
    QCOMPARE(address.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment), QUrl(BaseAddress::web() + "/op/embed.aspx"));
    const QUrlQuery query(address);
    QCOMPARE(query.queryItems(QUrl::FullyDecoded),
             (QList<QPair<QString, QString>>{{"src", BaseAddress::doc() + resFile}}));
}

void tst_template_library::applyFailures_data()
{
    QTest::addColumn<QString>("resFile");
    QTest::addColumn<bool>("blockTarget");
    QTest::addColumn<QString>("box");
    QTest::newRow("deck missing on the server") << "/library/templates/no-such.pptx" << false
                                                << QStringLiteral("提示|请求失败. /n错误提示:");
    QTest::newRow("cache file cannot be written") << "/library/templates/template-1.pptx" << true
                                                  << QStringLiteral("HTTP|Unable to save the file ");
}

void tst_template_library::applyFailures()
{
    QFETCH(QString, resFile);
    QFETCH(bool, blockTarget);
    QFETCH(QString, box);
    const QString title = QStringLiteral("坏模板") + QString::number(QTest::currentDataTag()[0]);
    const QString target = bankvlmbk_kid::localDeckPath(title, resFile);
    if (blockTarget)
        QVERIFY(QDir().mkpath(target)); // a folder where the deck should go
    else
        QVERIFY(!QFile::exists(target));
    currentDocumentPath = QStringLiteral("/before/apply.pptx");

    bankvlmbk_kid tile;
    tile.setRecord({"x", resFile, title, title, {}, 1});
    BoxWatcher boxes;
    QVERIFY(WidgetDriver::click(&tile, "pushButton_insert"));
    QVERIFY(WidgetDriver::waitFor([&] { return !boxes.seen.isEmpty(); }, 30000));
    QVERIFY2(boxes.seen.first().startsWith(box), qPrintable(boxes.seen.first()));
    QVERIFY(!tile.downloading());
    QCOMPARE(currentDocumentPath, QStringLiteral("/before/apply.pptx"));
    // Nothing half-written is left behind.
    QCOMPARE(QFileInfo(target).isFile(), false);
    QCOMPARE(QDir(sourceDir + "pptemp").entryList(QDir::Files | QDir::Hidden).filter(title), QStringList());
}

void tst_template_library::tileGoesDuringDownload()
{
    ScriptedResponder storage;
    storage.script("/slow.pptx", {200, {}, {}, true, 0});
    const QByteArray docBase = qgetenv("LUMEXA_DOC_BASE");
    qputenv("LUMEXA_DOC_BASE", storage.baseUrl().toUtf8());
    currentDocumentPath = QStringLiteral("/before/apply.pptx");

    auto *tile = new bankvlmbk_kid;
    tile->setRecord({"s", "/slow.pptx", QStringLiteral("慢模板"), QStringLiteral("慢模板"), {}, 1});
    QVERIFY(WidgetDriver::click(tile, "pushButton_insert"));
    QVERIFY(tile->downloading());
    QVERIFY(WidgetDriver::waitFor([&] { return !storage.requests.isEmpty(); }));
    delete tile;
    QCoreApplication::processEvents();
    qputenv("LUMEXA_DOC_BASE", docBase);
    QCOMPARE(currentDocumentPath, QStringLiteral("/before/apply.pptx"));
    QCOMPARE(QDir(sourceDir + "pptemp").entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("慢模板")),
             QStringList());
}

LUMEXA_TEST_MAIN(tst_template_library)
#include "tst_template_library.moc"
