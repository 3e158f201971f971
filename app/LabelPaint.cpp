#include "LabelPaint.h"

#include <QPainter>

LabelPaint::LabelPaint(QWidget *parent)
    : QWidget(parent),
      m_background(QStringLiteral(":/png/processingBk.png")),
      m_fill(QStringLiteral(":/png/processing.png")),
      m_figure(QStringLiteral(":/png6/login/loadboy.png"))
{
}

void LabelPaint::start(int stepMs)
{
    m_active = true;
    m_percent = 1;
    if (!m_timer) {
        m_timer = new QTimer(this);
        connect(m_timer, &QTimer::timeout, this, &LabelPaint::handleTimeout);
    }
    m_timer->start(stepMs);
}

void LabelPaint::handleTimeout()
{
    update();
    m_percent += 9;
    if (m_percent < 101)
        return;
    m_percent = 100;
    m_timer->stop();
    emit shootEnd();
}

void LabelPaint::paintEvent(QPaintEvent *)
{
    if (!m_active)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QRect bg(QPoint(), m_background.size());
    bg.moveCenter(rect().center());
    QRect fill(QPoint(), m_fill.size());
    fill.moveCenter(rect().center());
    const int fillWidth = int(m_percent * m_background.width() / 100.0);

    p.drawPixmap(bg, m_background);
    p.drawPixmap(QRect(fill.left(), fill.top(), fillWidth, fill.height()), m_fill,
                 QRect(0, 0, fillWidth, m_fill.height()));

    const int fx = fill.left() + fillWidth - m_figure.width() / 2;
    const int fy = fill.top() + fill.height() / 2 + bg.height() / 2 - m_figure.height();
    p.drawPixmap(fx, fy, m_figure);

    QFont font(QStringLiteral("Microsoft YaHei"), 10, QFont::Normal);
    p.setFont(font);
    p.setPen(QColor(0x03, 0x80, 0x4B));
    p.drawText(QRect(fx, fy + m_figure.height(), 100, 50), Qt::AlignLeft,
               QStringLiteral("%1%").arg(m_percent));
}
