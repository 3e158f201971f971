#include "FormUpClassMessage.h"
#include "ui_FormUpClassMessage.h"

#include "FormAnimation.h"
#include "FormVideoCenter.h"
#include "MicroDialogs.h"

#include <QPainter>
#include <QRegularExpressionValidator>

FormUpClassMessage::FormUpClassMessage(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::FormUpClassMessage)
{
    ui->setupUi(this);
    setWindowFlags(Qt::WindowFlags(0x813));
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_TranslucentBackground);
    ui->lineEdit_XD->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[1-9][0-9][0-9]")), this));

    QIcon circle;
    circle.addFile(QStringLiteral(":/png7/weikeluru/circleW.png"), QSize(), QIcon::Normal, QIcon::On);
    circle.addFile(QStringLiteral(":/png7/weikeluru/circleG.png"), QSize(), QIcon::Normal, QIcon::Off);
    ui->pushButton_private->setIcon(circle);
    ui->pushButton_pbulic->setIcon(circle);

    ui->lineEditName->setText(microLectureName);
    setGeometry(MicroDialogs::contentArea());
}

FormUpClassMessage::~FormUpClassMessage()
{
    delete ui;
}

void FormUpClassMessage::showPublishInfo(const QStringList &info)
{
    QComboBox *const combos[] = {ui->comboBox_1, ui->comboBox_2, ui->comboBox_3, ui->comboBox_4,
                                 ui->comboBox_5, ui->comboBox_6, ui->comboBox_7};
    for (int i = 0; i < 7; ++i) {
        combos[i]->clear();
        combos[i]->addItem(info.value(i));
        combos[i]->setEnabled(false);
    }
}

void FormUpClassMessage::on_pushButton_private_clicked(bool checked)
{
    // One of the two stays chosen; the price belongs to the paid one.
    ui->pushButton_pbulic->setChecked(!checked);
    ui->lineEdit_XD->setEnabled(ui->pushButton_pbulic->isChecked());
}

void FormUpClassMessage::on_pushButton_pbulic_clicked(bool checked)
{
    ui->pushButton_private->setChecked(!checked);
    ui->lineEdit_XD->setEnabled(checked);
}

void FormUpClassMessage::on_radioButton_private_clicked(bool)
{
}

void FormUpClassMessage::on_radioButton_pbulic_clicked(bool)
{
}

void FormUpClassMessage::on_pushButton_public_clicked()
{
    FormAnimation *busy = MicroDialogs::busyOverlay(nullptr);
    if (busy) {
        busy->replaceBusy();
        busy->showBusy();
    }
    const bool paid = ui->pushButton_pbulic->isChecked();
    const bool incomplete = ui->lineEditName->text().isEmpty() || ui->textEdit->toPlainText().isEmpty()
                            || (ui->lineEdit_XD->text().isEmpty() && paid);
    if (incomplete) {
        MicroDialogs::showMessage(QStringLiteral("请先填写完整微课信息\n在进行微课发布"));
        if (busy)
            busy->hideBusy();
        return;
    }
    hide();
    ui->pushButton_public->setEnabled(false);
    const QString fee = paid ? QStringLiteral("1") : QStringLiteral("0");
    m_reopened = false;
    emit shootUpload({ui->lineEditName->text(), ui->textEdit->toPlainText(), ui->lineEdit_XD->text(), fee});
    if (m_reopened)
        return;
    close();
    deleteLater();
}

void FormUpClassMessage::reopen()
{
    m_reopened = true;
    ui->pushButton_public->setEnabled(true);
    show();
    raise();
}

void FormUpClassMessage::on_pushButtonX_clicked()
{
    close();
    deleteLater();
}

void FormUpClassMessage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ui->widget_main->move((width() - ui->widget_main->width()) / 2, (height() - ui->widget_main->height()) / 2);
}

void FormUpClassMessage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 0, 128));
}
