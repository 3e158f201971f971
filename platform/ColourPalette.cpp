#include "ColourPalette.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int Columns = 10;
constexpr int Side = 16;
constexpr int Gap = 4;
constexpr int Pad = 6;
constexpr int NoneHeight = 22;
}

ColourPalette::ColourPalette(bool withNone, QWidget *parent)
    : QWidget(parent), m_withNone(withNone)
{
    setObjectName(QStringLiteral("colourPalette"));
    setMouseTracking(true);
}

QList<QColor> ColourPalette::colours()
{
    static const QList<QColor> all = {
        QColor::fromRgb(0x000000), QColor::fromRgb(0x404040), QColor::fromRgb(0x7F7F7F), QColor::fromRgb(0xA6A6A6), QColor::fromRgb(0xD9D9D9),
        QColor::fromRgb(0xFFFFFF), QColor::fromRgb(0x44546A), QColor::fromRgb(0x4472C4), QColor::fromRgb(0xED7D31), QColor::fromRgb(0x70AD47),
        QColor::fromRgb(0xC00000), QColor::fromRgb(0xFF0000), QColor::fromRgb(0xFFC000), QColor::fromRgb(0xFFFF00), QColor::fromRgb(0x92D050),
        QColor::fromRgb(0x00B050), QColor::fromRgb(0x00B0F0), QColor::fromRgb(0x0070C0), QColor::fromRgb(0x002060), QColor::fromRgb(0x7030A0),
    };
    return all;
}

QRect ColourPalette::noneRect() const
{
    return m_withNone ? QRect(Pad, Pad, Columns * (Side + Gap) - Gap, NoneHeight - 4) : QRect();
}

QRect ColourPalette::swatchRect(int index) const
{
    const int top = Pad + (m_withNone ? NoneHeight : 0);
    return QRect(Pad + (index % Columns) * (Side + Gap), top + (index / Columns) * (Side + Gap), Side, Side);
}

QSize ColourPalette::sizeHint() const
{
    const int rows = (colours().size() + Columns - 1) / Columns;
    return QSize(2 * Pad + Columns * (Side + Gap) - Gap,
                 2 * Pad + (m_withNone ? NoneHeight : 0) + rows * (Side + Gap) - Gap);
}

QPoint ColourPalette::swatchCentre(const QColor &colour) const
{
    const int index = colours().indexOf(colour);
    return index < 0 ? noneRect().center() : swatchRect(index).center();
}

int ColourPalette::swatchAt(const QPoint &pos) const
{
    if (noneRect().contains(pos))
        return -2;
    for (int i = 0; i < colours().size(); ++i)
        if (swatchRect(i).adjusted(-1, -1, 1, 1).contains(pos))
            return i;
    return -1;
}

void ColourPalette::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (m_withNone) {
        p.setPen(m_hover == -2 ? QColor(0x03, 0x80, 0x4B) : QColor(0xBB, 0xBB, 0xBB));
        p.drawRect(noneRect().adjusted(0, 0, -1, -1));
        p.setPen(QColor(0x33, 0x33, 0x33));
        p.drawText(noneRect(), Qt::AlignCenter, QStringLiteral("无颜色"));
    }
    const QList<QColor> all = colours();
    for (int i = 0; i < all.size(); ++i) {
        const QRect r = swatchRect(i);
        p.fillRect(r, all.at(i));
        p.setPen(i == m_hover ? QColor(0x03, 0x80, 0x4B) : QColor(0xAA, 0xAA, 0xAA));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

void ColourPalette::mouseMoveEvent(QMouseEvent *event)
{
    const int hover = swatchAt(event->pos());
    if (hover != m_hover) {
        m_hover = hover;
        update();
    }
}

void ColourPalette::mouseReleaseEvent(QMouseEvent *event)
{
    const int index = swatchAt(event->pos());
    if (index == -2)
        emit picked(QColor());
    else if (index >= 0)
        emit picked(colours().at(index));
}
