#include "FormTree.h"
#include "ui_FormTree.h"

#include "Widgetmain.h"

#include <QGuiApplication>
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
    for (const TreeNode &top : qAsConst(m_nodes)) {
        if (top.parentId != QLatin1String("0"))
            continue;
        auto *topItem = new QTreeWidgetItem(ui->treeWidget, QStringList{top.name});
        topItem->setIcon(0, unit);
        topItem->setCheckState(0, Qt::Unchecked);
        // An empty id (one that did not come as text) has no children.
        if (top.id.isEmpty())
            continue;
        for (const TreeNode &child : qAsConst(m_nodes)) {
            if (child.parentId != top.id)
                continue;
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
        for (int i = 0; i < item->childCount(); ++i)
            item->child(i)->setCheckState(0, state);
        return;
    }
    if (state == Qt::PartiallyChecked)
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
    for (QTreeWidgetItemIterator it(ui->treeWidget); *it; ++it) {
        if ((*it)->checkState(0) != Qt::Checked)
            continue;
        const QString text = (*it)->text(0);
        for (const TreeNode &node : qAsConst(m_nodes)) {
            if (node.name == text) {
                names << node.name;
                ids << node.id;
            }
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


