// The filter bar against scripted lookups: filling the selectors, the
// enabling rules, the query object with its classlist and shadow, the
// volume and catalogue lookups, the toggles and reset.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "FormTopPanel.h"
#include "FormTree2.h"
#include "ScriptedResponder.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"

#include <QComboBox>
#include <QJsonDocument>
#include <QTreeWidget>

namespace {
const QByteArray kGrades = R"({"code":1,"data":{"list":[
    {"id":"g1","value":"1","label":"一年级"},{"id":"g2","value":"2","label":"二年级"}]}})";
const QByteArray kVersions = R"({"code":1,"data":{"list":[
    {"id":"v1","value":"rj","label":"人教版"},{"id":"v2","value":"bsd","label":"北师大版"},
    {"id":"v3","value":"rj2","label":"人教版"}]}})";
const QByteArray kSubjects = R"({"code":1,"data":{"list":[
    {"id":"s1","value":"yw","label":"语文"},{"id":"s2","value":"sx","label":"数学"}]}})";
const QByteArray kVolumes = R"({"code":1,"data":{"list":[
    {"id":"b1","name":"数学一年级上册"},{"id":"b2","name":"数学一年级下册"}]}})";
const QByteArray kCatalogue = R"({"code":1,"data":{"list":[
    {"id":"r","name":"数学一年级上册","parentId":"0"},{"id":"c1","name":"第一单元","parentId":"r"},
    {"id":"n1","name":"1.1 数一数","parentId":"c1"}]}})";

// A grade lookup whose first entry, of value "all", has the given label.
QByteArray gradesWith(const QString &label)
{
    return QStringLiteral(R"({"code":1,"data":{"list":[
        {"id":"g0","value":"all","label":"%1"},{"id":"g1","value":"1","label":"一年级"}]}})").arg(label).toUtf8();
}

QByteArray dictPath(const char *type)
{
    return ApiPaths::dictList.toUtf8() + "?type=" + type;
}

QStringList itemsOf(QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

QString compact(const QJsonObject &o)
{
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}
}

class tst_filter_bar : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void lookupsFillSelectors();
    void failedLookupLeavesSelectorEmpty();
    void query_data();
    void query();
    void cataloguePick();

private:
    FormTopPanel *makePanel();
    template <class T = QComboBox>
    T *combo(int n) { return WidgetDriver::find<T>(panel, QStringLiteral("comboBox_%1").arg(n)); }

    ScriptedResponder *server = nullptr;
    FormTopPanel *panel = nullptr;
};

void tst_filter_bar::init()
{
    server = new ScriptedResponder(this);
    server->scriptJson(dictPath("sys_office_grade"), kGrades);
    server->scriptJson(dictPath("CODE_VERSIONTYPE"), kVersions);
    server->scriptJson(dictPath("sys_subject_type"), kSubjects);
    server->scriptJson(ApiPaths::textbookList.toUtf8(), kVolumes);
    server->scriptJson(ApiPaths::catalogueTree.toUtf8(), kCatalogue);
    qputenv("LUMEXA_API_BASE", server->baseUrl().toUtf8());
}

void tst_filter_bar::cleanup()
{
    TestEnvironment::screenshotIfFailed(panel);
    delete panel;
    panel = nullptr;
    if (FormTree2 *p = WidgetDriver::shownTopLevel<FormTree2>())
        delete p;
    delete server;
}

FormTopPanel *tst_filter_bar::makePanel()
{
    panel = new FormTopPanel;
    panel->resize(1500, 64);
    panel->show();
    if (!panel->lookupsReady()) {
        QSignalSpy loaded(panel, &FormTopPanel::lookupsLoaded);
        loaded.wait(10000);
    }
    return panel;
}

void tst_filter_bar::lookupsFillSelectors()
{
    panel = new FormTopPanel;
    // The constructor does not wait for the server; the selectors that need
    // the lookups cannot be used until they are filled.
    QVERIFY(!panel->lookupsReady());
    for (int n : {1, 3, 4})
        QVERIFY(!combo(n)->isEnabled());
    // A reset while loading starts the lookups again: the first load gives way.
    QSignalSpy loaded(panel, &FormTopPanel::lookupsLoaded);
    QSignalSpy query(panel, &FormTopPanel::shootJson_object);
    WidgetDriver::click(panel, "pushButton");
    QCOMPARE(query.size(), 1);
    QVERIFY(loaded.wait(10000));
    QTest::qWait(50);
    QCOMPARE(loaded.size(), 1);
    QVERIFY(panel->lookupsReady());
    QCOMPARE(itemsOf(combo(1)), (QStringList{"科目", "语文", "数学"}));
    QCOMPARE(itemsOf(combo(3)), (QStringList{"版本", "人教版", "北师大版", "人教版"}));
    QCOMPARE(itemsOf(combo(4)), (QStringList{"年级", "一年级", "二年级"}));
    for (int n : {1, 2, 3, 4})
        QVERIFY(combo(n)->isEnabled());
    QCOMPARE(server->requests.size(), 3);
}

void tst_filter_bar::failedLookupLeavesSelectorEmpty()
{
    server->scriptJson(dictPath("sys_subject_type"), R"({"code":0,"msg":"失败"})");
    server->scriptJson(dictPath("CODE_VERSIONTYPE"), R"({"code":1,"data":{"list":[]}})");
    makePanel();
    QVERIFY(panel->lookupsReady());
    QCOMPARE(combo(1)->count(), 0);
    QCOMPARE(combo(3)->count(), 0);
    QCOMPARE(itemsOf(combo(4)), (QStringList{"年级", "一年级", "二年级"}));
    QVERIFY(combo(1)->isEnabled());
    // Nothing can be chosen in the empty selector, so the volume stays shut.
    combo(2)->setCurrentIndex(1);
    combo(4)->setCurrentIndex(1);
    QVERIFY(!combo(5)->isEnabled());
}

void tst_filter_bar::query_data()
{
    QTest::addColumn<QByteArray>("grades"); // the grade lookup's reply
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QList<int>>("indexes"); // comboBox_1 to comboBox_4
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing chosen") << kGrades << "" << QList<int>{0, 0, 0, 0}
                                    << R"({"pageNum":"1","pageSize":"12"})";
    QTest::newRow("grade, subject, version; the last 人教版 wins")
        << kGrades << "" << QList<int>{2, 0, 1, 1}
        << R"({"codeVersiontypeid":"rj2","grade":"1","pageNum":"1","pageSize":"12","subject":"sx"})";
    QTest::newRow("everything")
        << kGrades << "春天" << QList<int>{1, 2, 2, 2}
        << R"({"codeVersiontypeid":"bsd","grade":"2","name":"春天","pageNum":"1","pageSize":"12","smallDbType":"2","subject":"yw"})";
    QTest::newRow("placeholder text is a label") << gradesWith("年级") << "" << QList<int>{0, 0, 0, 0}
                                                 << R"({"grade":"all","pageNum":"1","pageSize":"12"})";
    QTest::newRow("empty text matches nothing") << gradesWith("") << "" << QList<int>{0, 0, 0, 1}
                                                << R"({"pageNum":"1","pageSize":"12"})";
}

void tst_filter_bar::query()
{
    QFETCH(QByteArray, grades);
    QFETCH(QString, keyword);
    QFETCH(QList<int>, indexes);
    QFETCH(QString, expected);
    server->scriptJson(dictPath("sys_office_grade"), grades);
    makePanel();
    for (int n = 1; n <= 4; ++n)
        combo(n)->setCurrentIndex(indexes[n - 1]);
    WidgetDriver::find<QLineEdit>(panel, "lineEdit")->setText(keyword);
    QSignalSpy spy(panel, &FormTopPanel::shootJson_object);
    QVERIFY(WidgetDriver::click(panel, "pushButton_search"));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(compact(spy[0][0].toJsonObject()), expected);
    QCOMPARE(spy[0][1].toInt(), 1);
    QCOMPARE(spy[0][2].toInt(), 1);
}

void tst_filter_bar::cataloguePick()
{
    makePanel();
    // Subject, type, version and grade open the volume selector.
    QVERIFY(WidgetDriver::fillCurriculum(panel));
    QTest::mouseClick(combo(6), Qt::LeftButton);
    QCOMPARE(QJsonDocument::fromJson(server->requests.last().body).object(), (QJsonObject{{"twoVolumesId", "b1"}}));
    FormTree2 *picker = WidgetDriver::shownTopLevel<FormTree2>();
    QVERIFY(picker);
    QVERIFY(!combo(6)->view()->isVisible()); // the picker, not the popup
    auto *tree = picker->findChild<QTreeWidget *>("treeWidget");
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));

    QSignalSpy spy(panel, &FormTopPanel::shootJson_object);
    QVERIFY(WidgetDriver::click(picker, "pushButton_2"));
    QCOMPARE(itemsOf(combo(6)), QStringList{"第一单元"});
    QCOMPARE(spy.size(), 1);
    const QJsonObject q = spy[0][0].toJsonObject();
    QCOMPARE(q.value("refenencebooktreeid").toString(), QStringLiteral("c1"));
    QCOMPARE(q.value("resRegister").toString(), QStringLiteral("b1"));
    QCOMPARE(spy[0][2].toInt(), 1);

    // Reset brings back the placeholders and sends the bare first page.
    QVERIFY(WidgetDriver::click(panel, "pushButton"));
    QCOMPARE(itemsOf(combo(6)), QStringList{"目录"});
    QCOMPARE(itemsOf(combo(5)), QStringList{"册别"});
    QCOMPARE(compact(spy.last()[0].toJsonObject()), QStringLiteral(R"({"pageNum":"1","pageSize":"12"})"));
    QCOMPARE(spy.last()[2].toInt(), 0);
}

LUMEXA_TEST_MAIN(tst_filter_bar)
#include "tst_filter_bar.moc"
