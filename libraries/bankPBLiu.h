#pragma once

#include <QWidget>

namespace Ui {
class bankPBLiu;
}
class QVBoxLayout;

// Two columns of picture tiles in a vertical scroll area; each new tile goes
// to the column that is shorter so far (the left one on a tie).
class bankPBLiu : public QWidget
{
    Q_OBJECT

public:
    explicit bankPBLiu(QWidget *parent = nullptr);
    ~bankPBLiu() override;

    // Appends a tile; it must already have its final height.
    void addTile(QWidget *tile);
    // Removes and deletes every tile.
    void clearAll();
    // Removes and deletes every tile but the first of the left column.
    void clearAllButFirst();

    int leftHeight() const { return m_leftHeight; }
    int rightHeight() const { return m_rightHeight; }
    QVBoxLayout *leftColumn() const;
    QVBoxLayout *rightColumn() const;
    // The tiles in the order they were added.
    QList<QWidget *> tiles() const;

private:
    // Takes the items of a column from index `from` on.
    static void takeFrom(QVBoxLayout *column, int from);

    Ui::bankPBLiu *ui;
    int m_leftHeight = 0;
    int m_rightHeight = 0;
    QList<QWidget *> m_order;
};
