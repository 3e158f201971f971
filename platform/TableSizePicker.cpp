#include "TableSizePicker.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int Side = 18;
constexpr int Gap = 3;
constexpr int Pad = 6;
constexpr int Caption = 22;
}

TableSizePicker::TableSizePicker(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("tableSizePicker"));
    setMouseTracking(true);
}

QSize TableSizePicker::sizeHint() const
{
    const int grid = Cells * Side + (Cells - 1) * Gap;
    return QSize(grid + 2 * Pad, grid + 2 * Pad + Caption);
}

QPoint TableSizePicker::cellCentre(int rows, int columns) const
{
    return QPoint(Pad + (columns - 1) * (Side + Gap) + Side / 2, Caption + Pad + (rows - 1) * (Side + Gap) + Side / 2);
}

QPoint TableSizePicker::cellAt(const QPoint &pos) const
{
    const int column = (pos.x() - Pad) / (Side + Gap) + 1;
    const int row = (pos.y() - Pad - Caption) / (Side + Gap) + 1;
    if (pos.x() < Pad || pos.y() < Pad + Caption || column > Cells || row > Cells)
        return QPoint();
    return QPoint(column, row);
}

void TableSizePicker::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(0x33, 0x33, 0x33));
    const QString caption = m_rows ? QStringLiteral("%1 行 × %2 列 表格").arg(m_rows).arg(m_columns)
                                   : QStringLiteral("插入表格");
    p.drawText(QRect(Pad, Pad, width() - 2 * Pad, Caption - 4), Qt::AlignLeft | Qt::AlignVCenter, caption);
    for (int r = 1; r <= Cells; ++r) {
        for (int c = 1; c <= Cells; ++c) {
            const QRect cell(cellCentre(r, c) - QPoint(Side / 2, Side / 2), QSize(Side, Side));
            const bool on = r <= m_rows && c <= m_columns;
            p.setPen(on ? QColor(0x03, 0x80, 0x4B) : QColor(0xBB, 0xBB, 0xBB));
            p.setBrush(on ? QColor(0xCF, 0xEB, 0xDC) : Qt::white);
            p.drawRect(cell.adjusted(0, 0, -1, -1));
        }
    }
}

void TableSizePicker::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint cell = cellAt(event->pos());
    if (cell.x() != m_columns || cell.y() != m_rows) {
        m_columns = cell.x();
        m_rows = cell.y();
        update();
    }
}

void TableSizePicker::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint cell = cellAt(event->pos());
    if (!cell.isNull())
        emit picked(cell.y(), cell.x());
}

void TableSizePicker::leaveEvent(QEvent *)
{
    m_rows = m_columns = 0;
    update();
}
