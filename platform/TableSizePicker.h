#pragma once

#include <QWidget>

// A grid of up to 8 x 8 cells: the mouse marks rows and columns, a click
// picks them.
class TableSizePicker : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Cells = 8;

    explicit TableSizePicker(QWidget *parent = nullptr);
    QSize sizeHint() const override;
    // The cell centre of row and column (1-based), for tests and tools.
    QPoint cellCentre(int rows, int columns) const;

signals:
    void picked(int rows, int columns);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPoint cellAt(const QPoint &pos) const;

    int m_rows = 0;
    int m_columns = 0;
};
