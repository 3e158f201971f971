#pragma once

#include <QList>
#include <QStringList>
#include "DimmedOverlay.h"

#include "TreeNode.h"

class QTreeWidgetItem;

namespace Ui {
class FormTree;
}

// The knowledge-point picker: units and their knowledge points with check
// boxes; confirming reports the names and ids of every checked node.
// Modal, dims the content area, deletes itself when closed.
class FormTree : public DimmedOverlay
{
    Q_OBJECT

public:
    explicit FormTree(QWidget *parent = nullptr);
    ~FormTree() override;

    // Builds the tree: the nodes under "0" are the units.
    void setData(const QList<TreeNode> &nodes);

signals:
    void shootStr(QStringList names, QStringList ids);

public slots:
    void treeItemChanged(QTreeWidgetItem *item, int column);
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_clicked();

private:
    Ui::FormTree *ui;
    QList<TreeNode> m_nodes;
    bool m_settingChildren = false;
};
