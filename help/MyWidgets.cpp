#include "MyWidgets.h"

#include "Widgetmain.h"

#include <QMouseEvent>
#include <QPainter>

MyWidgets::MyWidgets(const QPixmap &picture, QWidget *parent)
    : QWidget(parent), m_picture(picture)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    setWindowModality(Qt::ApplicationModal);
    resize(windowSize.isValid() ? windowSize : QSize(1280, 720));
}

void MyWidgets::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 0, 150));
    QRect target(QPoint(), m_picture.size());
    target.moveCenter(rect().center());
    p.drawPixmap(target, m_picture);
}

void MyWidgets::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        close();
}
