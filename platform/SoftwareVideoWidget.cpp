#include "SoftwareVideoWidget.h"

#include <QPainter>

SoftwareVideoWidget::SoftwareVideoWidget(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SoftwareVideoWidget::setFrame(const QImage &frame)
{
    m_frame = frame;
    update();
}

void SoftwareVideoWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!m_frame.isNull())
        p.drawImage(rect(), m_frame);
}
