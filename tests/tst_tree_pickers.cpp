// The catalogue picker (three levels, one chosen name) and the knowledge-point
// picker (check propagation, names and ids of every checked node).
#include "LumexaTest.h"

#include "FormTree.h"
#include "FormTree2.h"
#include "Widgetmain.h"
#include "WidgetDriver.h"

#include <QPointer>
#include <QTreeWidget>

namespace {
// "name(child,child(grandchild))" for every top-level item, joined by ";".
QString dump(QTreeWidgetItem *item)
{
    QString s = item->text(0);
    if (item->childCount() > 0) {
        QStringList kids;
        for (int i = 0; i < item->childCount(); ++i)
            kids << dump(item->child(i));
        s += '(' + kids.join(',') + ')';
    }
    return s;
}

QString dump(QTreeWidget *tree)
{
    QStringList tops;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        tops << dump(tree->topLevelItem(i));
    return tops.join(';');
}

// Nodes written as "id:name:parentId"; an id "-" stands for one that did not
// come as text and reads empty.
QList<TreeNode> nodes(const QStringList &rows)
{
    QList<TreeNode> out;
    for (const QString &s : rows) {
        const QStringList p = s.split(':');
        out.append({p[0] == "-" ? QString() : p[0], p[1], p[2]});
    }
    return out;
}

// The tree a picker shows after its data was set twice (the second replaces the first).
template <class Picker>
QString shownTree(const QStringList &rows)
{
    Picker picker;
    picker.setData(nodes(rows));
    picker.setData(nodes(rows));
    return dump(picker.template findChild<QTreeWidget *>("treeWidget"));
}

QTreeWidgetItem *itemNamed(QTreeWidget *tree, const QString &name, int nth = 0)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->text(0) == name && nth-- == 0)
            return *it;
    return nullptr;
}
}

class tst_tree_pickers : public QObject
{
    Q_OBJECT

private slots:
    void levels_data();
    void levels();
    void knowledgeResult_data();
    void knowledgeResult();
};

void tst_tree_pickers::levels_data()
{
    QTest::addColumn<bool>("knowledge"); // the knowledge-point picker, else the catalogue
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("tree");
    QTest::newRow("three levels, deeper and orphans hidden")
        << false << QStringList{"r:数学一年级上册:0", "c1:第一单元:r", "c2:第二单元:r", "s1:1.1 数一数:c1",
                                "s2:2.1 比大小:c2", "d1:深一层:s1", "o1:孤儿:zz", "s3:1.2 认数:c1"}
        << "数学一年级上册(第一单元(1.1 数一数,1.2 认数),第二单元(2.1 比大小))";
    QTest::newRow("root id that was not text has no children")
        << false << QStringList{"-:书:0", "c1:第一单元:", "c2:第二单元:r"} << "书";
    QTest::newRow("second level id that was not text")
        << false << QStringList{"r:书:0", "-:第一单元:r", "s1:小节:", "c2:第二单元:r"} << "书(第一单元,第二单元)";
    QTest::newRow("units and their points")
        << true << QStringList{"u1:第一单元:0", "a:加法:u1", "b:减法:u1", "u2:第二单元:0", "c:乘法:u2", "x:深层:a"}
        << "第一单元(加法,减法);第二单元(乘法)";
    QTest::newRow("unit id that was not text finds no points")
        << true << QStringList{"-:第一单元:0", "a:加法:", "u2:第二单元:0", "c:乘法:u2"} << "第一单元;第二单元(乘法)";
}

void tst_tree_pickers::levels()
{
    QFETCH(bool, knowledge);
    QFETCH(QStringList, rows);
    QFETCH(QString, tree);
    QCOMPARE(knowledge ? shownTree<FormTree>(rows) : shownTree<FormTree2>(rows), tree);
}

void tst_tree_pickers::knowledgeResult_data()
{
    QTest::addColumn<QStringList>("check"); // item texts; "name#n" for the n-th item of that name
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("ids");
    QTest::newRow("unit with all its points")
        << QStringList{"第一单元"} << QStringList{"第一单元", "加法", "重名", "重名"}
        << QStringList{"u1", "a", "d1", "d2"}; // the name is found twice in the list
    QTest::newRow("partial unit does not count")
        << QStringList{"加法", "除法"} << QStringList{"加法", "除法"} << QStringList{"a", "e"};
    QTest::newRow("duplicate name checked twice")
        << QStringList{"重名#0", "重名#1"} << QStringList{"重名", "重名", "重名", "重名"}
        << QStringList{"d1", "d2", "d1", "d2"};
}

void tst_tree_pickers::knowledgeResult()
{
    QFETCH(QStringList, check);
    QFETCH(QStringList, names);
    QFETCH(QStringList, ids);
    QPointer<FormTree> picker = new FormTree;
    picker->setData(nodes({"u1:第一单元:0", "a:加法:u1", "d1:重名:u1", "u2:第二单元:0", "d2:重名:u2", "e:除法:u2",
                           "f:乘法:u2"}));
    picker->show();
    auto *tree = picker->findChild<QTreeWidget *>("treeWidget");
    for (const QString &c : check) {
        const QStringList p = c.split('#');
        QTreeWidgetItem *item = itemNamed(tree, p[0], p.value(1).toInt());
        QVERIFY(item);
        item->setCheckState(0, Qt::Checked);
    }
    QSignalSpy shot(picker.data(), &FormTree::shootStr);
    QVERIFY(WidgetDriver::click(picker, "pushButton_2"));
    QCOMPARE(shot.size(), 1);
    QCOMPARE(shot.first().at(0).toStringList(), names);
    QCOMPARE(shot.first().at(1).toStringList(), ids);
    QVERIFY(WidgetDriver::waitFor([&] { return picker.isNull(); }));
}

LUMEXA_TEST_MAIN(tst_tree_pickers)
#include "tst_tree_pickers.moc"
