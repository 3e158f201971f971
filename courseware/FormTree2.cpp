#include "FormTree2.h"
#include "ui_FormTree2.h"

#include "Widgetmain.h"

#include <QGuiApplication>
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
    for (const TreeNode &second : qAsConst(m_nodes)) {
        if (second.parentId != root.id)
            continue;
        auto *secondItem = new QTreeWidgetItem(rootItem, QStringList{second.name});
        secondItem->setIcon(0, open);
        if (second.id.isEmpty())
            continue;
        for (const TreeNode &third : qAsConst(m_nodes)) {
            if (third.parentId != second.id)
                continue;
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


