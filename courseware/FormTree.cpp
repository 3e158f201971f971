#include "FormTree.h"
#include "ui_FormTree.h"

#include "Widgetmain.h"

#include <QGuiApplication>
#include <QMultiHash>
#include <QScreen>

FormTree::FormTree(QWidget *parent)
    : DimmedOverlay(parent), ui(new Ui::FormTree)
{
    ui->setupUi(this);
    setCard(ui->widget_bg);
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::Window);
    QRect area = contentRect;
    if (!area.isValid() && QGuiApplication::primaryScreen())
        area = QGuiApplication::primaryScreen()->availableGeometry();
    setGeometry(area);
    connect(ui->treeWidget, SIGNAL(itemChanged(QTreeWidgetItem *, int)), this,
            SLOT(treeItemChanged(QTreeWidgetItem *, int)));
}

FormTree::~FormTree()
{
    delete ui;
}

void FormTree::setData(const QList<TreeNode> &nodes)
{
    m_nodes = nodes;
    const QSignalBlocker quiet(ui->treeWidget);
    ui->treeWidget->clear();
    const QIcon unit(QStringLiteral(":/png5/kejianluru/openG.png"));
    const QIcon point(QStringLiteral(":/png5/kejianluru/classInxG.png"));
    // Children by parent, in list order: thousands of nodes stay quick.
    QMultiHash<QString, int> children;
    for (int i = m_nodes.size() - 1; i >= 0; --i)
        children.insert(m_nodes.at(i).parentId, i);
    for (const TreeNode &top : qAsConst(m_nodes)) {
        if (top.parentId != QLatin1String("0"))
            continue;
        auto *topItem = new QTreeWidgetItem(ui->treeWidget, QStringList{top.name});
        topItem->setIcon(0, unit);
        topItem->setCheckState(0, Qt::Unchecked);
        // An empty id (one that did not come as text) has no children.
        if (top.id.isEmpty())
            continue;
        for (int c : children.values(top.id)) {
            const TreeNode &child = m_nodes.at(c);
            auto *item = new QTreeWidgetItem(topItem, QStringList{child.name});
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            item->setCheckState(0, Qt::Unchecked);
            item->setIcon(0, point);
        }
    }
    ui->treeWidget->expandAll();
}

void FormTree::treeItemChanged(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column);
    if (!item)
        return;
    const Qt::CheckState state = item->checkState(0);
    if (item->childCount() > 0) {
        if (state == Qt::PartiallyChecked)
            return;
        // The children follow their unit; each need not recount the unit.
        m_settingChildren = true;
        for (int i = 0; i < item->childCount(); ++i)
            item->child(i)->setCheckState(0, state);
        m_settingChildren = false;
        return;
    }
    if (state == Qt::PartiallyChecked || m_settingChildren)
        return;
    QTreeWidgetItem *parent = item->parent();
    if (!parent)
        return;
    int checked = 0;
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->checkState(0) == Qt::Checked)
            ++checked;
    if (checked == 0)
        parent->setCheckState(0, Qt::Unchecked);
    else if (checked < parent->childCount())
        parent->setCheckState(0, Qt::PartiallyChecked);
    else
        parent->setCheckState(0, Qt::Checked);
}

void FormTree::on_pushButton_2_clicked()
{
    QStringList names;
    QStringList ids;
    QMultiHash<QString, int> byName;
    for (int i = m_nodes.size() - 1; i >= 0; --i)
        byName.insert(m_nodes.at(i).name, i);
    for (QTreeWidgetItemIterator it(ui->treeWidget); *it; ++it) {
        if ((*it)->checkState(0) != Qt::Checked)
            continue;
        for (int i : byName.values((*it)->text(0))) {
            names << m_nodes.at(i).name;
            ids << m_nodes.at(i).id;
        }
    }
    if (names.isEmpty())
        return;
    emit shootStr(names, ids);
    close();
    deleteLater();
}

void FormTree::on_pushButton_3_clicked()
{
    close();
    deleteLater();
}

void FormTree::on_pushButton_clicked()
{
    close();
    deleteLater();
}


