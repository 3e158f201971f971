// Exporting into a folder: local names made safe from server text, no file
// replaced by another, the allowance refusal, and the progress panel that
// reports how far each download is and how it ended.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BoxWatcher.h"
#include "FormExportProgress.h"
#include "LocalFileName.h"
#include "ResourceExport.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"

#include <QJsonDocument>
#include <QTemporaryDir>

namespace {
QString pptSuffix(const miciroInfo &r)
{
    return LocalFileName::suffixOf(r.fileSrc, {"ppt", "pptx"}, "ppt");
}
}

class tst_resource_export : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void safeNames_data();
    void safeNames();
    void planKeepsEveryFile();
    void refused_data();
    void refused();
    void downloadsReportEachFile();

private:
    ScriptedResponder *server = nullptr;
    QWidget page;
};

void tst_resource_export::initTestCase()
{
    server = new ScriptedResponder(this);
    qputenv("LUMEXA_API_BASE", server->baseUrl().toUtf8());
    page.resize(1000, 700);
}

void tst_resource_export::init()
{
    server->requests.clear();
    WidgetDriver::closeMessages();
}

void tst_resource_export::safeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("safe");
    QTest::newRow("separators") << "a/b\\c" << "a_b_c";
    QTest::newRow("climbing") << "../../.bashrc" << "_.._.bashrc";
    QTest::newRow("only dots") << ".." << "fallback";
    QTest::newRow("refused characters") << "第1课: \"春\"? <古诗>|*" << "第1课_ _春__ _古诗___";
    QTest::newRow("trailing dots and spaces") << "  课件. . " << "课件";
    QTest::newRow("device name") << "con.ppt" << "_con.ppt";
    QTest::newRow("empty") << "" << "fallback";
    // Cut to 180 bytes of UTF-8 (课 is three): the emoji across the cut goes whole.
    const QString ke(59, QChar(0x8BFE));
    QTest::newRow("too long") << ke + QString::fromUtf8("\xF0\x9F\x98\x80") + ke << ke;
}

void tst_resource_export::safeNames()
{
    QFETCH(QString, name);
    QFETCH(QString, safe);
    QCOMPARE(LocalFileName::safe(name, QStringLiteral("fallback")), safe);
}

void tst_resource_export::planKeepsEveryFile()
{
    QTemporaryDir folder;
    // A file the teacher already has there.
    QVERIFY(TestEnvironment::writeFile(folder.filePath("春晓.pptx"), "mine"));
    const QList<miciroInfo> records{{"1", "春晓", "/c/1.pptx"}, {"2", "春晓", "/c/2.pptx"},
                                    {"3", "春晓", "/c/3.ppt"}, {"4", "../春晓", "/c/4.pptx"},
                                    {"5", "", "/c/5.pptx"}, {"6", "无后缀", "/c/6"}};
    const auto items = ResourceExport::plan(records, folder.path(), "http://doc", pptSuffix);
    QStringList names;
    for (const auto &item : items)
        names << QFileInfo(item.localPath).fileName();
    // Each keeps its stored extension.
    QCOMPARE(names, (QStringList{"春晓 (2).pptx", "春晓 (3).pptx", "春晓.ppt", "_春晓.pptx", "5.pptx", "无后缀.ppt"}));
    QCOMPARE(items.first().address, QStringLiteral("http://doc/c/1.pptx"));
    for (const auto &item : items)
        QCOMPARE(QFileInfo(item.localPath).absolutePath(), QFileInfo(folder.path()).absoluteFilePath());
}

void tst_resource_export::refused_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("message");
    QTest::newRow("allowance used up") << 200 << QByteArray(R"({"code":2,"msg":"今日导出次数不足"})")
                                       << ResourceExport::refusalText();
    QTest::newRow("success text only") << 200 << QByteArray(R"({"code":0,"msg":"成功"})")
                                       << ResourceExport::refusalText();
    QTest::newRow("server unreachable") << 502 << QByteArray("Bad Gateway")
                                        << QStringLiteral("导出失败，检查网络重新尝试。");
}

void tst_resource_export::refused()
{
    QFETCH(int, status);
    QFETCH(QByteArray, reply);
    QFETCH(QString, message);
    server->scriptJson(ApiPaths::exportSave.toUtf8(), reply, status);
    server->script("/doc/c/1.pptx", {200, "deck", {}, false, 0});
    QTemporaryDir folder;
    ResourceExport::chooseFolder = [&](QWidget *) { return folder.path(); };
    FormExportProgress panel(&page);
    QVERIFY(!ResourceExport::run(&page, &panel, {miciroInfo{"1", "春晓", "/c/1.pptx"}}, "3",
                                 server->baseUrl() + "/doc", pptSuffix));
    QCOMPARE(WidgetDriver::shownMessages(), QStringList{message});
    QCOMPARE(panel.rowCount(), 0);
    QTest::qWait(100);
    QVERIFY(QDir(folder.path()).isEmpty());
    QCOMPARE(server->requests.size(), 1);
}

void tst_resource_export::downloadsReportEachFile()
{
    server->scriptJson(ApiPaths::exportSave.toUtf8(), R"({"code":1,"msg":"成功"})");
    const QByteArray big(3 * 1024 * 1024, 'v');
    server->script("/video/a.mp4", {200, big, {}, false, 0});
    server->script("/video/b.mp4", {404, "missing", {}, false, 0});
    QTemporaryDir folder;
    ResourceExport::chooseFolder = [&](QWidget *) { return folder.path(); };
    FormExportProgress panel(&page);
    QSignalSpy done(&panel, &FormExportProgress::allDone);
    BoxWatcher boxes;
    const QList<miciroInfo> records{{"7", "口算", "/a.mp4"}, {"8", "口算", "/b.mp4"}};
    QVERIFY(ResourceExport::run(&page, &panel, records, "2", server->baseUrl() + "/video",
                                [](const miciroInfo &) { return QStringLiteral(".mp4"); }));
    const QString first = folder.filePath("口算.mp4");
    const QString second = folder.filePath("口算 (2).mp4");
    QCOMPARE(panel.rowCount(), 2);
    QVERIFY(done.wait(20000));
    QCOMPARE(panel.statusText(first), QStringLiteral("下载完成"));
    QCOMPARE(panel.percent(first), 100);
    QCOMPARE(panel.statusText(second), QStringLiteral("下载失败"));
    QCOMPARE(TestEnvironment::readFile(first), big);
    QVERIFY(!QFile::exists(second));
    // The panel reports; no box per file.
    QVERIFY(boxes.seen.isEmpty());

    // The count goes as a number.
    QCOMPARE(QJsonDocument::fromJson(server->requests.first().body).object(),
             (QJsonObject{{"frequency", 2}, {"resName", "/a.mp4,/b.mp4"}, {"resUrl", folder.path()}, {"type", "2"}}));

    WidgetDriver::click(&panel, "pushButtonClose");
    QCOMPARE(panel.rowCount(), 0);
    QVERIFY(panel.isHidden());
}

LUMEXA_TEST_MAIN(tst_resource_export)
#include "tst_resource_export.moc"
