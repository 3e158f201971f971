#include "messageForm.h"
#include "ui_messageForm.h"

#include <QKeyEvent>

messageForm::messageForm(int type, QWidget *parent)
    : DimmedOverlay(parent), ui(new Ui::messageForm), type(type)
{
    ui->setupUi(this);
    setCard(ui->widget_bg);
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(Qt::WindowFlags(0x813));
    autoClose.setSingleShot(true);
    connect(&autoClose, &QTimer::timeout, this, &messageForm::timeout);

    if (type == 0) {
        ui->pushButton_Cancle->hide();
        ui->pushButtonOK->move(190, 220);
    } else if (type == 1 || type == 2) {
        ui->pushButton_Cancle->move(100, 220);
        ui->pushButtonOK->move(280, 220);
        if (type == 2)
            ui->pushButtonOK->setText(QStringLiteral("确认"));
    }
}

messageForm::~messageForm()
{
    delete ui;
}

void messageForm::setMessage(const QString &text)
{
    ui->labelText->setWordWrap(true);
    ui->labelText->setMargin(20);
    ui->labelText->setText(text);
}

QString messageForm::message() const
{
    return ui->labelText->text();
}

void messageForm::useSmallText()
{
    ui->labelText->setStyleSheet(QStringLiteral("color: rgb(51, 51, 51); font: 10px \"微软雅黑\";"));
}

void messageForm::startAutoClose()
{
    autoClose.start(3000);
}

void messageForm::on_pushButtonOK_clicked()
{
    emit shootMessage();
    close();
    deleteLater();
}

void messageForm::on_pushButton_Cancle_clicked()
{
    emit shootClose();
    close();
    deleteLater();
}

void messageForm::timeout()
{
    close();
    deleteLater();
}


void messageForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        on_pushButton_Cancle_clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

