#include "FormAnimation.h"
#include "ui_FormAnimation.h"

#include <QPainter>
#include <QPointer>

namespace {
QPointer<FormAnimation> g_overlay;
}

FormAnimation::FormAnimation(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormAnimation), movie(QStringLiteral(":/gif/gif/move03.gif"))
{
    ui->setupUi(this);
    ui->label->setMovie(&movie);
    ui->label->resize(300, 300);
    if (!g_overlay)
        g_overlay = this;
}

FormAnimation::~FormAnimation()
{
    delete ui;
}

FormAnimation *FormAnimation::instance()
{
    return g_overlay;
}

void FormAnimation::showBusyOverlay()
{
    if (g_overlay)
        g_overlay->showBusy();
}

void FormAnimation::hideBusyOverlay()
{
    if (g_overlay)
        g_overlay->hideBusy();
}

void FormAnimation::showBusy()
{
    show();
    raise();
    movie.start();
}

void FormAnimation::hideBusy()
{
    centrePicture();
    putTextUnderPicture();
    hide();
    movie.stop();
}

void FormAnimation::placeBusy(int x, int y)
{
    ui->label->move(x, y);
    putTextUnderPicture();
    placedX = x;
    placedY = y;
}

void FormAnimation::replaceBusy()
{
    if (placedX != 0 || placedY != 0)
        placeBusy(placedX, placedY);
}

void FormAnimation::centrePicture()
{
    ui->label->move((width() - ui->label->width()) / 2, (height() - ui->label->height()) / 2);
}

void FormAnimation::putTextUnderPicture()
{
    const QRect pic = ui->label->geometry();
    ui->label_save->move(pic.center().x() - ui->label_save->width() / 2, pic.bottom() + 1 + 20);
}

void FormAnimation::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    centrePicture();
    movie.start();
    putTextUnderPicture();
}

void FormAnimation::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(255, 255, 255, 128));
}
