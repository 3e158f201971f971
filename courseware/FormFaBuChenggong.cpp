#include "FormFaBuChenggong.h"
#include "ui_FormFaBuChenggong.h"

#include <QPainter>

FormFaBuChenggong::FormFaBuChenggong(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormFaBuChenggong),
      m_background(QStringLiteral(":/png6/login/background1.png"))
{
    ui->setupUi(this);
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    setAttribute(Qt::WA_TranslucentBackground);
}

FormFaBuChenggong::~FormFaBuChenggong()
{
    delete ui;
}

void FormFaBuChenggong::setPublishInfo(const QString &name, const QString &price, const QString &, const QString &kind)
{
    m_price = price.isEmpty() ? QStringLiteral("0") : price;
    ui->label->setText(QStringLiteral(
        "<html><body><p align=\"center\"><img src=\":/png5/kejianluru/logobig.png\"/></p>"
        "<p align=\"center\"><span style=\"font-size:20px; color:#03804B;\">发布成功</span></p>"
        "<p align=\"center\"><span style=\"font-size:18px; color:#343434;\">你的%2<span style=\"color:#FC4E4E;\">%1</span>已设置为分享%2</span></p>"
        "</body></html>").arg(name.toHtmlEscaped(), kind));
}

QString FormFaBuChenggong::text() const
{
    return ui->label->text();
}

void FormFaBuChenggong::on_pushButton_clicked()
{
    emit shootback();
    close();
}

void FormFaBuChenggong::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(240, 240, 240));
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), m_background);
}

void FormFaBuChenggong::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    QLabel *text = ui->label;
    text->move((width() - text->width()) / 2, height() / 2 - 100 - text->height() / 2);
    ui->pushButton->move((width() - ui->pushButton->width()) / 2, text->geometry().bottom() + 1 + 20);
}
