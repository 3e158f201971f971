// Under a real X server with the platform stand-in: the filter bar above a
// list area and the paging bars, filled with the platform's lookups, and both
// tree pickers on the platform's catalogue and knowledge points.
#include "LumexaTest.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "FormTopPanel.h"
#include "FormTree.h"
#include "FormTree2.h"
#include "Http_access.h"
#include "PageWidget.h"
#include "PageWidget2.h"
#include "PlatformFixture.h"
#include "WidgetDriver.h"
#include "Widgetmain.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

class tst_lists_look : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void filterBarAbovePagingBar();
    void cataloguePicker();
    void knowledgePicker();

private:
    PlatformFixture platform;
    QWidget page;
    FormTopPanel *panel = nullptr;
    QString volumeId;
};

void tst_lists_look::initTestCase()
{
    QVERIFY2(platform.start(), qPrintable(platform.error()));
    QVERIFY(Http_access::instance()->login("teacher01", "123456", "3"));
    page.setGeometry(0, 0, 1500, 820);
    contentRect = QRect(0, 50, 1500, 770);
}

void tst_lists_look::filterBarAbovePagingBar()
{
    page.setStyleSheet(QStringLiteral("#listArea { background-color: #FAFAFA; }"));
    auto *column = new QVBoxLayout(&page);
    column->setContentsMargins(0, 0, 0, 0);
    panel = new FormTopPanel;
    column->addWidget(panel);
    auto *list = new QLabel(QStringLiteral("（课件列表）"));
    list->setObjectName("listArea");
    list->setAlignment(Qt::AlignCenter);
    column->addWidget(list, 1);
    auto *bar = new PageWidget2;
    bar->setMaxPage(9);
    bar->changePageNum(5);
    column->addWidget(bar);
    auto *compact = new PageWidget;
    compact->setFixedWidth(300);
    compact->setMaxPage(6);
    column->addWidget(compact);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QVERIFY(WidgetDriver::waitFor([this] { return panel->lookupsReady(); }, 20000));

    auto *subject = panel->findChild<QComboBox *>("comboBox_1");
    auto *type = panel->findChild<QComboBox *>("comboBox_2");
    auto *version = panel->findChild<QComboBox *>("comboBox_3");
    auto *grade = panel->findChild<QComboBox *>("comboBox_4");
    auto *volume = panel->findChild<QComboBox *>("comboBox_5");
    QVERIFY(subject->count() > 1 && version->count() > 1 && grade->count() > 1);
    type->setCurrentIndex(1);
    bool found = false;
    for (int s = 1; s < subject->count() && !found; ++s)
        for (int g = 1; g < grade->count() && !found; ++g) {
            subject->setCurrentIndex(s);
            version->setCurrentIndex(1);
            grade->setCurrentIndex(g);
            panel->comboxclicked5();
            found = volume->count() > 1;
        }
    QVERIFY(found);
    volume->setCurrentIndex(1);
    QTest::qWait(100);
    TestEnvironment::screenshot(&page, "filter-bar");
}

void tst_lists_look::cataloguePicker()
{
    QVERIFY(panel);
    panel->comboxclicked6();
    FormTree2 *picker = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *p = qobject_cast<FormTree2 *>(w); p && p->isVisible())
            picker = p;
    QVERIFY(picker);
    QVERIFY(QTest::qWaitForWindowExposed(picker));
    auto *tree = picker->findChild<QTreeWidget *>("treeWidget");
    QVERIFY(tree->topLevelItemCount() == 1);
    QTreeWidgetItem *chosen = tree->topLevelItem(0)->child(0);
    QVERIFY(chosen);
    tree->setCurrentItem(chosen);
    QTest::qWait(100);
    TestEnvironment::screenshot(picker, "catalogue-picker");

    QSignalSpy query(panel, &FormTopPanel::shootJson_object);
    QTest::mouseClick(picker->findChild<QPushButton *>("pushButton_2"), Qt::LeftButton);
    auto *catalogue = panel->findChild<QComboBox *>("comboBox_6");
    QCOMPARE(catalogue->count(), 1);
    QCOMPARE(catalogue->currentText(), chosen->text(0));
    QCOMPARE(query.size(), 1);
    const QJsonObject q = query[0][0].toJsonObject();
    for (const char *key : {"subject", "codeVersiontypeid", "grade", "smallDbType", "resRegister",
                            "refenencebooktreeid", "pageNum", "pageSize"})
        QVERIFY2(!q.value(key).toString().isEmpty(), key);
    QCOMPARE(query[0][2].toInt(), 1);
    QTest::qWait(50);
    TestEnvironment::screenshot(&page, "filter-bar-after-pick");
}

void tst_lists_look::knowledgePicker()
{
    auto *volume = panel->findChild<QComboBox *>("comboBox_5");
    QVERIFY(volume->currentIndex() > 0);
    // The volume's id, as the publish forms find it.
    const QJsonObject q = panel->buildQuery(1);
    QList<TreeNode> nodes;
    QVERIFY(Http_access::instance()->fetchTreeNodes(BaseAddress::api() + ApiPaths::knowledgeTree, {},
                                                    {{"refenencebookId", q.value("resRegister").toString()}}, nodes));
    QVERIFY(!nodes.isEmpty());
    QPointer<FormTree> picker = new FormTree;
    picker->setData(nodes);
    picker->show();
    QVERIFY(QTest::qWaitForWindowExposed(picker));
    auto *tree = picker->findChild<QTreeWidget *>("treeWidget");
    QVERIFY(tree->topLevelItemCount() > 0);
    QTreeWidgetItem *unit = tree->topLevelItem(0);
    QVERIFY(unit->childCount() > 0);
    unit->child(0)->setCheckState(0, Qt::Checked);
    QCOMPARE(unit->checkState(0), unit->childCount() > 1 ? Qt::PartiallyChecked : Qt::Checked);
    QTest::qWait(100);
    TestEnvironment::screenshot(picker, "knowledge-picker");

    QSignalSpy shot(picker.data(), &FormTree::shootStr);
    unit->setCheckState(0, Qt::Checked);
    QTest::mouseClick(picker->findChild<QPushButton *>("pushButton_2"), Qt::LeftButton);
    QCOMPARE(shot.size(), 1);
    const QStringList ids = shot[0][1].toStringList();
    QVERIFY(ids.size() >= 1 + unit->childCount());
    for (const QString &id : ids)
        QVERIFY(!id.isEmpty());
}

LUMEXA_TEST_MAIN(tst_lists_look)
#include "tst_lists_look.moc"
