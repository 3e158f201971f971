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

#include <QAbstractItemView>
#include <QComboBox>
#include <QJsonDocument>
#include <QPushButton>
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

FormTree2 *openPicker()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<FormTree2 *>(w); p && p->isVisible())
            return p;
    return nullptr;
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
    void resetWhileLoading();
    void enablingRules_data();
    void enablingRules();
    void query_data();
    void query();
    void placeholderMatchingALabel();
    void pageRequestKeepsChoice();
    void choosingInSelectorSearches();
    void volumeLookup();
    void volumeLookupWithPlaceholders();
    void cataloguePick();
    void emptyCatalogueOpensNothing();
    void toggles();
    void resetAndShowMyList();

private:
    FormTopPanel *makePanel();
    template <class T = QComboBox>
    T *combo(int n) { return WidgetDriver::find<T>(panel, QStringLiteral("comboBox_%1").arg(n)); }
    void chooseTextbook(); // subject, type, version, grade

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
    contentRect = QRect(0, 50, 1200, 700);
}

void tst_filter_bar::cleanup()
{
    TestEnvironment::screenshotIfFailed(panel);
    delete panel;
    panel = nullptr;
    if (FormTree2 *p = openPicker())
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

void tst_filter_bar::chooseTextbook()
{
    combo(1)->setCurrentText(QStringLiteral("数学"));
    combo(2)->setCurrentIndex(2);
    combo(3)->setCurrentText(QStringLiteral("人教版"));
    combo(4)->setCurrentText(QStringLiteral("一年级"));
}

void tst_filter_bar::lookupsFillSelectors()
{
    panel = new FormTopPanel;
    // The constructor does not wait for the server; the selectors that need
    // the lookups cannot be used until they are filled.
    QVERIFY(!panel->lookupsReady());
    QVERIFY(!combo(1)->isEnabled());
    QVERIFY(!combo(3)->isEnabled());
    QVERIFY(!combo(4)->isEnabled());
    QSignalSpy loaded(panel, &FormTopPanel::lookupsLoaded);
    QVERIFY(loaded.wait(10000));
    QVERIFY(panel->lookupsReady());
    QCOMPARE(itemsOf(combo(1)), (QStringList{"科目", "语文", "数学"}));
    QCOMPARE(itemsOf(combo(2)), (QStringList{"类型", "课本微课", "教辅微课"}));
    QCOMPARE(itemsOf(combo(3)), (QStringList{"版本", "人教版", "北师大版", "人教版"}));
    QCOMPARE(itemsOf(combo(4)), (QStringList{"年级", "一年级", "二年级"}));
    for (int n : {1, 2, 3, 4})
        QVERIFY(combo(n)->isEnabled());
    QCOMPARE(server->requests.size(), 3);
    QCOMPARE(server->requests[0].query, QByteArray("type=sys_office_grade"));
    QCOMPARE(server->requests[1].query, QByteArray("type=CODE_VERSIONTYPE"));
    QCOMPARE(server->requests[2].query, QByteArray("type=sys_subject_type"));
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

void tst_filter_bar::resetWhileLoading()
{
    panel = new FormTopPanel;
    QSignalSpy loaded(panel, &FormTopPanel::lookupsLoaded);
    QSignalSpy query(panel, &FormTopPanel::shootJson_object);
    WidgetDriver::click(panel, "pushButton");
    QCOMPARE(query.size(), 1);
    QVERIFY(loaded.wait(10000));
    QTest::qWait(50);
    QCOMPARE(loaded.size(), 1); // the first load gave way to the second
    QCOMPARE(itemsOf(combo(4)), (QStringList{"年级", "一年级", "二年级"}));
    QCOMPARE(server->requests.size(), 3);
}

void tst_filter_bar::enablingRules_data()
{
    QTest::addColumn<QList<int>>("indexes"); // of comboBox_1 to comboBox_4
    QTest::addColumn<bool>("enabled");
    QTest::newRow("all four chosen") << QList<int>{2, 1, 1, 1} << true;
    QTest::newRow("type left at 类型") << QList<int>{2, 0, 1, 1} << false;
    QTest::newRow("subject left") << QList<int>{0, 2, 1, 2} << false;
    QTest::newRow("version left") << QList<int>{1, 1, 0, 1} << false;
    QTest::newRow("grade left") << QList<int>{1, 1, 2, 0} << false;
    QTest::newRow("nothing chosen") << QList<int>{0, 0, 0, 0} << false;
}

void tst_filter_bar::enablingRules()
{
    QFETCH(QList<int>, indexes);
    QFETCH(bool, enabled);
    makePanel();
    for (int n = 1; n <= 4; ++n)
        combo(n)->setCurrentIndex(indexes[n - 1]);
    QCOMPARE(combo(5)->isEnabled(), enabled);
    QCOMPARE(combo(6)->isEnabled(), enabled);
    // Going back to a placeholder shuts both again.
    chooseTextbook();
    QVERIFY(combo(5)->isEnabled());
    combo(1)->setCurrentIndex(0);
    QVERIFY(!combo(5)->isEnabled());
    QVERIFY(!combo(6)->isEnabled());
}

void tst_filter_bar::query_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QList<int>>("indexes"); // comboBox_1 to comboBox_4
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing chosen") << "" << QList<int>{0, 0, 0, 0}
                                    << R"({"pageNum":"1","pageSize":"12"})";
    QTest::newRow("keyword only") << "分数" << QList<int>{0, 0, 0, 0}
                                  << R"({"name":"分数","pageNum":"1","pageSize":"12"})";
    QTest::newRow("type only") << "" << QList<int>{0, 1, 0, 0}
                               << R"({"pageNum":"1","pageSize":"12","smallDbType":"1"})";
    QTest::newRow("second type") << "" << QList<int>{0, 2, 0, 0}
                                 << R"({"pageNum":"1","pageSize":"12","smallDbType":"2"})";
    QTest::newRow("grade, subject, version; the last 人教版 wins")
        << "" << QList<int>{2, 0, 1, 1}
        << R"({"codeVersiontypeid":"rj2","grade":"1","pageNum":"1","pageSize":"12","subject":"sx"})";
    QTest::newRow("everything")
        << "春天" << QList<int>{1, 2, 2, 2}
        << R"({"codeVersiontypeid":"bsd","grade":"2","name":"春天","pageNum":"1","pageSize":"12","smallDbType":"2","subject":"yw"})";
}

void tst_filter_bar::query()
{
    QFETCH(QString, keyword);
    QFETCH(QList<int>, indexes);
    QFETCH(QString, expected);
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

void tst_filter_bar::placeholderMatchingALabel()
{
    server->scriptJson(dictPath("sys_office_grade"), R"({"code":1,"data":{"list":[
        {"id":"g0","value":"all","label":"年级"},{"id":"g1","value":"1","label":"一年级"}]}})");
    makePanel();
    QCOMPARE(combo(4)->currentText(), QStringLiteral("年级"));
    QSignalSpy spy(panel, &FormTopPanel::shootJson_object);
    panel->on_pushButton_search_clicked();
    QCOMPARE(spy[0][0].toJsonObject().value("grade").toString(), QStringLiteral("all"));
}

void tst_filter_bar::pageRequestKeepsChoice()
{
    makePanel();
    chooseTextbook();
    WidgetDriver::find<QLineEdit>(panel, "lineEdit")->setText(QStringLiteral("分数"));
    QSignalSpy spy(panel, &FormTopPanel::shootJson_object);
    panel->collect_json_object(3);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(compact(spy[0][0].toJsonObject()),
             QStringLiteral(R"({"codeVersiontypeid":"rj2","grade":"1","name":"分数","pageNum":"3","pageSize":"12","smallDbType":"2","subject":"sx"})"));
    QCOMPARE(spy[0][2].toInt(), 0);
}

void tst_filter_bar::choosingInSelectorSearches()
{
    makePanel();
    QSignalSpy spy(panel, &FormTopPanel::shootJson_object);
    for (int n : {1, 2, 3, 4}) {
        QTest::keyClick(combo(n), Qt::Key_Down); // the user picks the next entry
        QCOMPARE(spy.size(), n);
        QCOMPARE(spy.last()[2].toInt(), 1);
        QCOMPARE(spy.last()[0].toJsonObject().value("pageNum").toString(), QStringLiteral("1"));
    }
    QCOMPARE(spy.last()[0].toJsonObject().value("grade").toString(), QStringLiteral("1"));
    // A change made by the program is no choice of the user.
    combo(4)->setCurrentIndex(2);
    QCOMPARE(spy.size(), 4);
}

void tst_filter_bar::volumeLookup()
{
    makePanel();
    chooseTextbook();
    QVERIFY(combo(5)->isEnabled());
    const int before = server->requests.size();
    QTest::mouseClick(combo(5), Qt::LeftButton);
    combo(5)->hidePopup();
    QCOMPARE(server->requests.size(), before + 1);
    const auto r = server->requests.last();
    QCOMPARE(r.path, ApiPaths::textbookList.toUtf8());
    QCOMPARE(QJsonDocument::fromJson(r.body).object(),
             (QJsonObject{{"subject", "sx"}, {"version", "rj2"}, {"grades", "1"}}));
    QCOMPARE(itemsOf(combo(5)), (QStringList{"册别", "数学一年级上册", "数学一年级下册"}));

    // Choosing a volume searches with its id.
    QSignalSpy spy(panel, &FormTopPanel::shootJson_object);
    QTest::keyClick(combo(5), Qt::Key_Down);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].toJsonObject().value("resRegister").toString(), QStringLiteral("b1"));
    QCOMPARE(spy[0][2].toInt(), 1);

    // Every press reloads and goes back to 册别; a lookup with no volume
    // leaves only the placeholder.
    server->scriptJson(ApiPaths::textbookList.toUtf8(), R"({"code":1,"data":{"list":[]}})");
    QTest::mouseClick(combo(5), Qt::LeftButton);
    combo(5)->hidePopup();
    QCOMPARE(itemsOf(combo(5)), QStringList{"册别"});
}

void tst_filter_bar::volumeLookupWithPlaceholders()
{
    makePanel();
    combo(1)->setCurrentText(QStringLiteral("语文"));
    panel->comboxclicked5();
    QCOMPARE(QJsonDocument::fromJson(server->requests.last().body).object(), (QJsonObject{{"subject", "yw"}}));
}

void tst_filter_bar::cataloguePick()
{
    makePanel();
    chooseTextbook();
    QTest::mouseClick(combo(5), Qt::LeftButton);
    combo(5)->hidePopup();
    combo(5)->setCurrentIndex(1);
    QTest::mouseClick(combo(6), Qt::LeftButton);
    QCOMPARE(QJsonDocument::fromJson(server->requests.last().body).object(), (QJsonObject{{"twoVolumesId", "b1"}}));
    FormTree2 *picker = openPicker();
    QVERIFY(picker);
    QVERIFY(!combo(6)->view()->isVisible()); // the picker, not the popup
    auto *tree = picker->findChild<QTreeWidget *>("treeWidget");
    QTreeWidgetItem *unit = tree->topLevelItem(0)->child(0);
    QCOMPARE(unit->text(0), QStringLiteral("第一单元"));
    tree->setCurrentItem(unit);

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

void tst_filter_bar::emptyCatalogueOpensNothing()
{
    server->scriptJson(ApiPaths::catalogueTree.toUtf8(), R"({"code":1,"data":{"list":[]}})");
    makePanel();
    chooseTextbook();
    panel->comboxclicked5();
    combo(5)->setCurrentIndex(2);
    panel->comboxclicked6();
    QCOMPARE(QJsonDocument::fromJson(server->requests.last().body).object(), (QJsonObject{{"twoVolumesId", "b2"}}));
    QVERIFY(!openPicker());
    // Without a chosen volume nothing is asked at all.
    combo(5)->setCurrentIndex(0);
    const int before = server->requests.size();
    panel->comboxclicked6();
    QCOMPARE(server->requests.size(), before);
}

void tst_filter_bar::toggles()
{
    makePanel();
    auto *own = WidgetDriver::find<QPushButton>(panel, "pushButton_myClass");
    auto *bought = WidgetDriver::find<QPushButton>(panel, "pushButton_ding");
    auto *keyword = WidgetDriver::find<QLineEdit>(panel, "lineEdit");
    QSignalSpy spy(panel, &FormTopPanel::shootJson_object);

    QVERIFY(WidgetDriver::click(panel, "pushButton_myClass")); // already checked
    QVERIFY(own->isChecked());
    QCOMPARE(spy.size(), 0);

    combo(2)->setCurrentIndex(1);
    keyword->setText(QStringLiteral("旧词"));
    QVERIFY(WidgetDriver::click(panel, "pushButton_ding"));
    QVERIFY(bought->isChecked());
    QVERIFY(!own->isChecked());
    QVERIFY(keyword->text().isEmpty());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(compact(spy[0][0].toJsonObject()), QStringLiteral(R"({"pageNum":"1","pageSize":"12","smallDbType":"1"})"));
    QCOMPARE(spy[0][1].toInt(), 2);
    QCOMPARE(spy[0][2].toInt(), 0);

    // Searches and pages follow the purchased list now.
    panel->on_pushButton_search_clicked();
    QCOMPARE(spy.last()[1].toInt(), 2);
    panel->collect_json_object(2);
    QCOMPARE(spy.last()[1].toInt(), 2);

    QVERIFY(WidgetDriver::click(panel, "pushButton_ding"));
    QVERIFY(bought->isChecked());
    QCOMPARE(spy.size(), 3);

    QVERIFY(WidgetDriver::click(panel, "pushButton_myClass"));
    QVERIFY(own->isChecked());
    QVERIFY(!bought->isChecked());
    QCOMPARE(spy.last()[1].toInt(), 1);
    QCOMPARE(spy.last()[2].toInt(), 0);
}

void tst_filter_bar::resetAndShowMyList()
{
    makePanel();
    chooseTextbook();
    WidgetDriver::click(panel, "pushButton_ding");
    WidgetDriver::find<QLineEdit>(panel, "lineEdit")->setText(QStringLiteral("词"));
    QSignalSpy spy(panel, &FormTopPanel::shootJson_object);
    QVERIFY(WidgetDriver::click(panel, "pushButton"));
    QCOMPARE(compact(spy.last()[0].toJsonObject()), QStringLiteral(R"({"pageNum":"1","pageSize":"12"})"));
    QCOMPARE(spy.last()[1].toInt(), 2); // reset keeps the chosen list
    QCOMPARE(spy.last()[2].toInt(), 0);
    QVERIFY(WidgetDriver::find<QLineEdit>(panel, "lineEdit")->text().isEmpty());
    QSignalSpy loaded(panel, &FormTopPanel::lookupsLoaded);
    QVERIFY(loaded.wait(10000));
    QCOMPARE(combo(1)->currentIndex(), 0);
    QCOMPARE(combo(2)->currentIndex(), 0);

    chooseTextbook();
    panel->showMyList();
    QVERIFY(WidgetDriver::find<QPushButton>(panel, "pushButton_myClass")->isChecked());
    QVERIFY(!WidgetDriver::find<QPushButton>(panel, "pushButton_ding")->isChecked());
    QCOMPARE(compact(spy.last()[0].toJsonObject()), QStringLiteral(R"({"pageNum":"1","pageSize":"12"})"));
    QCOMPARE(spy.last()[1].toInt(), 1);
    QCOMPARE(spy.last()[2].toInt(), 0);
    QVERIFY(loaded.wait(10000));
    QCOMPARE(itemsOf(combo(1)), (QStringList{"科目", "语文", "数学"}));
}

LUMEXA_TEST_MAIN(tst_filter_bar)
#include "tst_filter_bar.moc"
