#include "FormTree2.h"
#include "ui_FormTree2.h"

#include "Widgetmain.h"

#include <QGuiApplication>
#include <QMultiHash>
#include <QScreen>

FormTree2::FormTree2(QWidget *parent)
    : DimmedOverlay(parent), ui(new Ui::FormTree2)
{
    ui->setupUi(this);
    setCard(ui->widget_bg);
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::Window);
    QRect area = contentRect;
    if (!area.isValid() && QGuiApplication::primaryScreen())
        area = QGuiApplication::primaryScreen()->availableGeometry();
    setGeometry(area);
}

FormTree2::~FormTree2()
{
    delete ui;
}

void FormTree2::setData(const QList<TreeNode> &nodes)
{
    m_nodes = nodes;
    ui->treeWidget->clear();
    if (m_nodes.isEmpty())
        return;
    const QIcon open(QStringLiteral(":/png5/kejianluru/openG.png"));
    const QIcon leaf(QStringLiteral(":/png5/kejianluru/classInxG.png"));
    const TreeNode root = m_nodes.first();
    auto *rootItem = new QTreeWidgetItem(ui->treeWidget, QStringList{root.name});
    rootItem->setIcon(0, open);
    // An empty id (one that did not come as text) has no children: it would
    // otherwise adopt every node without a parent.
    if (root.id.isEmpty())
        return;
    // Children by parent, in list order: thousands of nodes stay quick.
    QMultiHash<QString, int> children;
    for (int i = m_nodes.size() - 1; i >= 0; --i)
        children.insert(m_nodes.at(i).parentId, i);
    for (int s : children.values(root.id)) {
        const TreeNode &second = m_nodes.at(s);
        auto *secondItem = new QTreeWidgetItem(rootItem, QStringList{second.name});
        secondItem->setIcon(0, open);
        if (second.id.isEmpty())
            continue;
        for (int t : children.values(second.id)) {
            const TreeNode &third = m_nodes.at(t);
            auto *thirdItem = new QTreeWidgetItem(secondItem, QStringList{third.name});
            thirdItem->setIcon(0, leaf);
        }
    }
    ui->treeWidget->expandAll();
}

void FormTree2::on_pushButton_2_clicked()
{
    for (QTreeWidgetItemIterator it(ui->treeWidget); *it; ++it) {
        if ((*it)->isSelected()) {
            emit shootStr((*it)->text(0));
            break;
        }
    }
    close();
    deleteLater();
}

void FormTree2::on_pushButton_3_clicked()
{
    close();
    deleteLater();
}

void FormTree2::on_pushButton_clicked()
{
    close();
    deleteLater();
}


