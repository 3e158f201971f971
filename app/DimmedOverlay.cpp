#include "DimmedOverlay.h"

#include <QPainter>

DimmedOverlay::DimmedOverlay(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void DimmedOverlay::setCard(QWidget *card)
{
    m_card = card;
}

void DimmedOverlay::paintEvent(QPaintEvent *)
{
    // Translucent windows paint no style-sheet background of their own.
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 0, 128));
}

void DimmedOverlay::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_card)
        m_card->move((width() - m_card->width()) / 2, (height() - m_card->height()) / 2);
}
