#include "QLabelImags.h"
#include "ui_QLabelImags.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "HttpClassInput.h"
#include "Widgetmain.h"
#include "messageForm.h"

#include <QApplication>
#include <QDebug>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QMessageBox>
#include <QPointer>

QLabelImags::QLabelImags(QWidget *parent)
    : QLabel(parent), ui(new Ui::QLabelImags)
{
    ui->setupUi(this);
    ui->pushButton_delete->hide();
    m_slide.setTargetObject(ui->pushButton_delete);
    m_slide.setPropertyName("pos");
    m_slide.setDuration(300);
    m_slide.setEasingCurve(QEasingCurve::Linear);
    connect(ui->pushButton_delete, &QPushButton::clicked, this, &QLabelImags::clicked_btn);
}

QLabelImags::~QLabelImags()
{
    delete ui;
}

void QLabelImags::setInfo(const QString &id, int kind)
{
    m_id = id;
    m_kind = kind;
}

QPushButton *QLabelImags::deleteButton() const
{
    return ui->pushButton_delete;
}

void QLabelImags::showPicture(const QPixmap &picture)
{
    if (picture.isNull())
        clear();
    else
        setPixmap(picture);
}

int QLabelImags::scaledWidth(const QSize &picture, int height)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return 0;
    return int(double(picture.width()) / picture.height() * height);
}

int QLabelImags::scaledHeight(const QSize &picture, int width)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return 0;
    return int(double(picture.height()) / picture.width() * width);
}

void QLabelImags::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    ui->pushButton_delete->setGeometry(0, height() - 20, width(), 20);
    m_slide.setStartValue(QPoint(0, height()));
    m_slide.setEndValue(QPoint(0, height() - 20));
}

void QLabelImags::enterEvent(QEvent *event)
{
    QLabel::enterEvent(event);
    if (m_id.isEmpty() || m_kind != Own)
        return;
    m_slide.start();
    ui->pushButton_delete->show();
}

void QLabelImags::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    ui->pushButton_delete->hide();
}

void QLabelImags::mousePressEvent(QMouseEvent *event)
{
    // A press alone does nothing; it may start a drag.
    m_pressPos = event->pos();
    QLabel::mousePressEvent(event);
}

void QLabelImags::mouseMoveEvent(QMouseEvent *event)
{
    QLabel::mouseMoveEvent(event);
    if (!(event->buttons() & Qt::LeftButton) || m_url.isEmpty()
        || (event->pos() - m_pressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    auto *data = new QMimeData;
    data->setUrls({QUrl(m_url)});
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    const QPixmap shown = pixmap(Qt::ReturnByValue);
    if (!shown.isNull())
        drag->setPixmap(shown.scaled(96, 96, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    drag->exec(Qt::CopyAction);
    drag->deleteLater();
}

void QLabelImags::clicked_btn()
{
    auto *m = new messageForm(2, nullptr);
    m->setMessage(QStringLiteral("确定要删除图片？"));
    m->show();
    m->setGeometry(contentRect);
    connect(m, &messageForm::shootMessage, this, &QLabelImags::shootMessage);
}

void QLabelImags::shootMessage()
{
    if (m_id.isEmpty())
        return;
    QPointer<QLabelImags> self(this);
    const bool ok = HttpClassInput::instance()->deleteById(BaseAddress::api() + ApiPaths::fileDelete, {},
                                                          {{QStringLiteral("id"), m_id}});
    if (!self)
        return; // the list was reloaded while the request waited
    if (!ok) {
        qDebug() << "图片删除失败" << m_id;
        QMessageBox::information(this, QStringLiteral("提示"), QStringLiteral("图片删除失败。"));
        return;
    }
    ui->pushButton_delete->hide();
    hide();
}
