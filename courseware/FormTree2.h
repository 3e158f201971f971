#pragma once

#include <QList>
#include "DimmedOverlay.h"

#include "TreeNode.h"

namespace Ui {
class FormTree2;
}

// The textbook-catalogue picker: the catalogue of one textbook as a tree of
// up to three levels; confirming reports the name of the selected node.
// Modal, dims the content area, deletes itself when closed.
class FormTree2 : public DimmedOverlay
{
    Q_OBJECT

public:
    explicit FormTree2(QWidget *parent = nullptr);
    ~FormTree2() override;

    // Builds the tree; the first node is the textbook itself.
    void setData(const QList<TreeNode> &nodes);

signals:
    void shootStr(QString name);

public slots:
    void on_pushButton_2_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_clicked();

private:
    Ui::FormTree2 *ui;
    QList<TreeNode> m_nodes;
};
