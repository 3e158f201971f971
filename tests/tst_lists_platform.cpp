// The filter bar, the tree pickers and the resource client against the real
// platform stand-in: lookups, volumes, catalogue, knowledge points, library
// pages, pictures and the teacher's own pictures.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "CurrentUser.h"
#include "FormTopPanel.h"
#include "FormTree.h"
#include "FormTree2.h"
#include "HttpClassInput.h"
#include "Http_access.h"
#include "PlatformFixture.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"
#include "messageForm.h"

#include <QBuffer>
#include <QComboBox>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {
FormTree2 *openCataloguePicker()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<FormTree2 *>(w); p && p->isVisible())
            return p;
    return nullptr;
}
}

class tst_lists_platform : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void filterBarWithRealLookups();
    void knowledgePoints();
    void libraryPages();
    void pictures();
    void ownPicturesRoundTrip();
    void exportAllowance();

private:
    QComboBox *combo(int n) { return panel->findChild<QComboBox *>(QStringLiteral("comboBox_%1").arg(n)); }
    // Chooses subject, version and grade until the platform knows volumes
    // for them; false when no combination has any.
    bool chooseTextbookWithVolumes();

    PlatformFixture platform;
    FormTopPanel *panel = nullptr;
    QString volumeId;
};

void tst_lists_platform::initTestCase()
{
    QVERIFY2(platform.start(), qPrintable(platform.error()));
    QVERIFY(Http_access::instance()->login("teacher01", "123456", "3"));
    QVERIFY(!CurrentUser::token.isEmpty());
    contentRect = QRect(0, 50, 1280, 720);
}

void tst_lists_platform::cleanupTestCase()
{
    delete panel;
}

bool tst_lists_platform::chooseTextbookWithVolumes()
{
    combo(2)->setCurrentIndex(1);
    for (int s = 1; s < combo(1)->count(); ++s)
        for (int v = 1; v < combo(3)->count(); ++v)
            for (int g = 1; g < combo(4)->count(); ++g) {
                combo(1)->setCurrentIndex(s);
                combo(3)->setCurrentIndex(v);
                combo(4)->setCurrentIndex(g);
                panel->comboxclicked5();
                if (combo(5)->count() > 1)
                    return true;
            }
    return false;
}

void tst_lists_platform::filterBarWithRealLookups()
{
    panel = new FormTopPanel;
    panel->resize(1500, 64);
    panel->show();
    QSignalSpy loaded(panel, &FormTopPanel::lookupsLoaded);
    QVERIFY(loaded.wait(20000));
    QCOMPARE(combo(1)->itemText(0), QStringLiteral("科目"));
    QCOMPARE(combo(3)->itemText(0), QStringLiteral("版本"));
    QCOMPARE(combo(4)->itemText(0), QStringLiteral("年级"));
    for (int n : {1, 3, 4}) {
        QVERIFY2(combo(n)->count() > 1, qPrintable(QString::number(n)));
        for (int i = 1; i < combo(n)->count(); ++i)
            QVERIFY(!combo(n)->itemText(i).isEmpty());
    }

    QVERIFY(chooseTextbookWithVolumes());
    QVERIFY(combo(5)->isEnabled());
    QCOMPARE(combo(5)->itemText(0), QStringLiteral("册别"));
    combo(5)->setCurrentIndex(1);

    QSignalSpy query(panel, &FormTopPanel::shootJson_object);
    panel->comboxclicked6();
    FormTree2 *picker = openCataloguePicker();
    QVERIFY(picker);
    auto *tree = picker->findChild<QTreeWidget *>("treeWidget");
    QCOMPARE(tree->topLevelItemCount(), 1);
    QVERIFY(tree->topLevelItem(0)->childCount() > 0);
    QTreeWidgetItem *chosen = tree->topLevelItem(0)->child(0);
    const QString name = chosen->text(0);
    tree->setCurrentItem(chosen);
    QVERIFY(WidgetDriver::click(picker, "pushButton_2"));
    QCOMPARE(combo(6)->count(), 1);
    QCOMPARE(combo(6)->currentText(), name);
    QCOMPARE(query.size(), 1);
    const QJsonObject q = query[0][0].toJsonObject();
    for (const char *key : {"subject", "codeVersiontypeid", "grade", "smallDbType", "resRegister",
                            "refenencebooktreeid", "pageNum", "pageSize"})
        QVERIFY2(!q.value(key).toString().isEmpty(), key);
    QCOMPARE(query[0][2].toInt(), 1);
    volumeId = q.value("resRegister").toString();
}

void tst_lists_platform::knowledgePoints()
{
    QVERIFY(!volumeId.isEmpty());
    QList<TreeNode> nodes;
    QVERIFY(Http_access::instance()->fetchTreeNodes(BaseAddress::api() + ApiPaths::knowledgeTree, {},
                                                    {{"refenencebookId", volumeId}}, nodes));
    QVERIFY(!nodes.isEmpty());
    QPointer<FormTree> picker = new FormTree;
    picker->setData(nodes);
    picker->show();
    auto *tree = picker->findChild<QTreeWidget *>("treeWidget");
    QVERIFY(tree->topLevelItemCount() > 0);
    QTreeWidgetItem *unit = tree->topLevelItem(0);
    QVERIFY(unit->childCount() > 0);
    unit->setCheckState(0, Qt::Checked);
    QSignalSpy shot(picker.data(), &FormTree::shootStr);
    QVERIFY(WidgetDriver::click(picker, "pushButton_2"));
    QCOMPARE(shot.size(), 1);
    const QStringList ids = shot[0][1].toStringList();
    QVERIFY(ids.size() >= 1 + unit->childCount());
    for (const QString &id : ids)
        QVERIFY(!id.isEmpty());
}

void tst_lists_platform::libraryPages()
{
    auto *client = HttpClassInput::instance();
    QList<LibraryItem> categories;
    client->fetchCategories(BaseAddress::api() + ApiPaths::resCategories, {}, {{"resSort", "2"}}, categories);
    QVERIFY(!categories.isEmpty());
    for (const LibraryItem &c : categories) {
        QVERIFY(!c.id.isEmpty());
        QVERIFY(!c.resDescribe.isEmpty());
    }
    QList<LibraryItem> page;
    client->fetchResources(BaseAddress::api() + ApiPaths::resList, {},
                           {{"id", categories.first().id}, {"pageNum", "1"}, {"pageSize", "10"}, {"resSort", "2"}}, page);
    QVERIFY(!page.isEmpty());
    QVERIFY(page.size() <= 10);
    for (const LibraryItem &r : page) {
        QVERIFY(!r.id.isEmpty());
        QVERIFY(!r.resFile.isEmpty());
        QCOMPARE(r.total, page.first().total);
    }
    QVERIFY(page.first().total >= page.size());

    QList<LibraryItem> none;
    client->fetchResources(BaseAddress::api() + ApiPaths::resList, {},
                           {{"id", categories.first().id}, {"pageNum", "1"}, {"pageSize", "10"}, {"resSort", "2"},
                            {"title", "没有这样的资源zzz"}}, none);
    QVERIFY(none.isEmpty());
}

void tst_lists_platform::pictures()
{
    auto *client = HttpClassInput::instance();
    QList<LibraryItem> categories;
    client->fetchCategories(BaseAddress::api() + ApiPaths::resCategories, {}, {{"resSort", "2"}}, categories);
    QVERIFY(!categories.isEmpty());
    QList<LibraryItem> page;
    client->fetchResources(BaseAddress::api() + ApiPaths::resList, {},
                           {{"id", categories.first().id}, {"pageNum", "1"}, {"pageSize", "10"}, {"resSort", "2"}}, page);
    QVERIFY(!page.isEmpty());
    const QPixmap picture = client->downloadImage(BaseAddress::doc() + page.first().resFile);
    QVERIFY(!picture.isNull());
    QVERIFY(client->lastMessage.isNull());

    const QPixmap missing = client->downloadImage(BaseAddress::doc() + "/no/such/picture.png");
    QVERIFY(missing.isNull());
    QVERIFY(client->lastMessage);
    QVERIFY(client->lastMessage->message().endsWith(QStringLiteral("HTTPscode:404")));
    delete client->lastMessage.data();
}

void tst_lists_platform::ownPicturesRoundTrip()
{
    auto *client = HttpClassInput::instance();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("我的图片.png"));
    QImage image(24, 16, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QVERIFY(image.save(path));

    const QString stored = client->uploadImage(BaseAddress::api() + ApiPaths::fileUpload, path);
    QVERIFY(!stored.isEmpty());
    QVERIFY(client->saveFileRecord(BaseAddress::api() + ApiPaths::fileSave, {},
                                   {{"fileName", stored}, {"fileLibType", "1"}, {"fileRealname", "我的图片.png"},
                                    {"fileSize", QString::number(QFileInfo(path).size())}, {"fileSuffix", "png"}}));
    QUrlQuery query;
    query.addQueryItem("pageNum", "1");
    query.addQueryItem("pageSize", "10");
    const QJsonObject body{{"creatorId", CurrentUser::id}, {"fileLibType", "1"}};
    QList<LibraryItem> own;
    client->fetchOwnFiles(BaseAddress::api() + ApiPaths::fileList, query, body, own);
    QString id;
    for (const LibraryItem &i : own)
        if (i.resFile == stored)
            id = i.id;
    QVERIFY2(!id.isEmpty(), "the uploaded picture is not listed");
    QVERIFY(own.first().total >= 1);
    QVERIFY(!client->downloadImage(BaseAddress::doc() + stored).isNull());

    QVERIFY(client->deleteById(BaseAddress::api() + ApiPaths::fileDelete, {}, {{"id", id}}));
    own.clear();
    client->fetchOwnFiles(BaseAddress::api() + ApiPaths::fileList, query, body, own);
    for (const LibraryItem &i : own)
        QVERIFY(i.id != id);
}

void tst_lists_platform::exportAllowance()
{
    dailyExportLimit = HttpClassInput::instance()->fetchExportFrequency(
        BaseAddress::api() + ApiPaths::exportFrequency, {{"label", "3"}, {"type", "CODE_EXPORTTYPE"}});
    QCOMPARE(dailyExportLimit, 3);
}

LUMEXA_TEST_MAIN(tst_lists_platform)
#include "tst_lists_platform.moc"
