// Screenshots under a real X server: the filter bar above a list area and a
// paging bar, with the platform stand-in's lookups, and both tree pickers.
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
#include "Widgetmain.h"

#include <QComboBox>
#include <QLabel>
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
    QSignalSpy loaded(panel, &FormTopPanel::lookupsLoaded);
    QVERIFY(loaded.wait(20000));

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
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    QTest::qWait(100);
    TestEnvironment::screenshot(picker, "catalogue-picker");
    picker->close();
    picker->deleteLater();
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
    auto *picker = new FormTree;
    picker->setData(nodes);
    picker->show();
    QVERIFY(QTest::qWaitForWindowExposed(picker));
    auto *tree = picker->findChild<QTreeWidget *>("treeWidget");
    QVERIFY(tree->topLevelItemCount() > 0);
    QTreeWidgetItem *unit = tree->topLevelItem(0);
    if (unit->childCount() > 0)
        unit->child(0)->setCheckState(0, Qt::Checked);
    QTest::qWait(100);
    TestEnvironment::screenshot(picker, "knowledge-picker");
    picker->close();
    delete picker;
}

LUMEXA_TEST_MAIN(tst_lists_look)
#include "tst_lists_look.moc"
