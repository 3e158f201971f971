#include "FormMicroKids.h"
#include "ui_FormMicroKids.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "FormShareInfo.h"
#include "Http_access.h"
#include "ListMessage.h"
#include "QTAVPlayer.h"
#include "messageForm.h"
#include "myCurrentThread2.h"

#include <QFile>
#include <QGraphicsOpacityEffect>
#include <QMessageBox>
#include <QPointer>

FormMicroKids::FormMicroKids(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormMicroKids)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    m_opacity = new QGraphicsOpacityEffect(this);
    m_opacity->setOpacity(0.0);
    setGraphicsEffect(m_opacity);
    ui->pushButton_select->hide();
    resetPicture();
}

FormMicroKids::~FormMicroKids()
{
    delete ui;
}

QString FormMicroKids::shortName(const QString &name)
{
    return name.size() > 15 ? name.left(13) + QStringLiteral("...") : name;
}

void FormMicroKids::resetPicture()
{
    m_hasThumbnail = false;
    ui->pushButton_center->setIcon(QIcon(QStringLiteral(":/png7/weikeluru/lmxvideo.png")));
    ui->pushButton_center->setIconSize(QSize(96, 96));
}

void FormMicroKids::setRecord(const miciroInfo &info)
{
    // Another record's thumbnail must not stay on this one.
    if (info.id != m_record.id)
        resetPicture();
    m_record = info;
    ui->labelName->setText(shortName(info.name));
    ui->labelName->setToolTip(info.name);
    const QString line = QStringLiteral("<p style=\"margin:0;\">%1</p>");
    ui->labeltext->setText(QStringLiteral("<div style=\"color:#808080;\">")
                           + line.arg(QStringLiteral("课题来源：%1").arg(info.bootName.toHtmlEscaped()))
                           + line.arg(QStringLiteral("课题版本：%1").arg(info.codeVerstiontypeid.toHtmlEscaped()))
                           + line.arg(QStringLiteral("课题目录：%1").arg(info.treeName.toHtmlEscaped()))
                           + QStringLiteral("</div>"));

    const bool purchased = info.purchase == QLatin1String("1");
    ui->pushButton_isFee->setVisible(!purchased);
    ui->pushButtonDelete->setVisible(!purchased);
    ui->label_purchase->setVisible(purchased);
    ui->label_hint->setVisible(purchased);
    const bool shared = info.isFee == QLatin1String("1");
    ui->pushButton_isFee->setText(shared ? QStringLiteral("取消分享") : QStringLiteral("分享"));
    ui->pushButton_isFee->setChecked(shared);
    if (purchased) {
        ui->label_xuedou->hide();
        ui->label_xuedou_photo->hide();
    } else {
        showPrice(info.xuedou, shared);
    }
    m_opacity->setOpacity(info.id.isEmpty() ? 0.0 : 1.0);
}

void FormMicroKids::showPrice(const QString &price, bool shared)
{
    ui->label_xuedou->show();
    ui->label_xuedou->setText(shared ? price : QStringLiteral("免费"));
    ui->label_xuedou_photo->setVisible(shared);
}

qreal FormMicroKids::tileOpacity() const
{
    return m_opacity->opacity();
}

void FormMicroKids::setSelectorShown(bool shown)
{
    ui->pushButton_select->setVisible(shown);
    if (shown)
        ui->pushButton_select->raise();
}

void FormMicroKids::setSelectorChecked(bool checked)
{
    ui->pushButton_select->setChecked(checked);
}

void FormMicroKids::setSelectorEnabled(bool enabled)
{
    ui->pushButton_select->setEnabled(enabled);
}

bool FormMicroKids::selectorChecked() const
{
    return ui->pushButton_select->isChecked();
}

void FormMicroKids::setLimitToolTip(int limit)
{
    ui->pushButton_select->setToolTip(QStringLiteral("每天最多可导出%1条微课").arg(limit));
}

void FormMicroKids::on_pushButton_btn_clicked()
{
    if (m_record.fileSrc.isEmpty())
        return;
    QTAVPlayer *player = QTAVPlayer::popup();
    player->show();
    player->showAndPlay(BaseAddress::video() + m_record.fileSrc);
}

void FormMicroKids::on_pushButton_select_clicked(bool checked)
{
    emit select_item(checked, m_record);
}

void FormMicroKids::on_pushButton_isFee_clicked(bool checked)
{
    // The button changes only once the server agreed.
    ui->pushButton_isFee->setChecked(!checked);
    if (ui->pushButton_isFee->text() == QStringLiteral("分享")) {
        auto *dialog = new FormShareInfo;
        dialog->setData(m_record, 3);
        connect(dialog, &FormShareInfo::shootOkXD, this, &FormMicroKids::shootCancelInfo);
        dialog->show();
    } else {
        messageForm *m = ListMessage::show(2, QStringLiteral("确认要取消分享微课吗？"));
        connect(m, &messageForm::shootMessage, this, &FormMicroKids::shootCancelShare);
    }
}

void FormMicroKids::on_pushButton_isFee_clicked()
{
}

void FormMicroKids::on_pushButton_center_clicked()
{
}

void FormMicroKids::clipVideoFinished(int)
{
}

void FormMicroKids::shootCancelShareClose()
{
}

void FormMicroKids::shootCancelInfo(QString xd, QString name)
{
    // Kept in the record too, so that selection, export and a later share
    // see the title and price the server now holds.
    m_record.isFee = QStringLiteral("1");
    m_record.xuedou = xd;
    m_record.name = name;
    showPrice(xd, true);
    ui->pushButton_isFee->setText(QStringLiteral("取消分享"));
    ui->pushButton_isFee->setChecked(true);
    ui->labelName->setText(shortName(name));
    ui->labelName->setToolTip(name);
}

void FormMicroKids::shootCancelShare()
{
    const QJsonObject body{{QStringLiteral("id"), m_record.id},
                           {QStringLiteral("isFee"), QStringLiteral("0")},
                           {QStringLiteral("isshare"), QStringLiteral("0")}};
    // The tile may be gone, or show another record, once the reply is in.
    QPointer<FormMicroKids> self(this);
    const QString id = m_record.id;
    const QString name = m_record.name;
    const bool ok = Http_access::instance()->postForSuccess(BaseAddress::api() + ApiPaths::smallClassShare, {}, body);
    if (!ok) {
        QMessageBox::information(nullptr, QStringLiteral("提示"), name + QStringLiteral("取消分享失败，检查网络重新尝试。"));
        return;
    }
    if (!self || m_record.id != id)
        return;
    m_record.isFee = QStringLiteral("0");
    showPrice(m_record.xuedou, false);
    ui->pushButton_isFee->setText(QStringLiteral("分享"));
    ui->pushButton_isFee->setChecked(false);
}

void FormMicroKids::on_pushButtonDelete_clicked()
{
    messageForm *m = ListMessage::show(1, QStringLiteral("确认要删除该微课吗？"));
    connect(m, &messageForm::shootMessage, this, &FormMicroKids::shootMessage);
}

void FormMicroKids::shootMessage()
{
    const QJsonObject body{{QStringLiteral("id"), m_record.id}};
    // The tile may be gone, or show another record, once the reply is in.
    QPointer<FormMicroKids> self(this);
    const QString id = m_record.id;
    const QString name = m_record.name;
    const bool ok = Http_access::instance()->postForSuccess(BaseAddress::api() + ApiPaths::smallClassDelete, {}, body);
    if (!ok) {
        QMessageBox::information(nullptr, QStringLiteral("提示"), name + QStringLiteral("删除失败，检查网络重新尝试。"));
        return;
    }
    if (!self || m_record.id != id)
        return;
    // A deleted video can no longer be exported.
    if (selectorChecked()) {
        setSelectorChecked(false);
        emit select_item(false, m_record);
    }
    emit delete_success();
}

void FormMicroKids::updaPictureMicro(int)
{
    thumbnailPath = myCurrentThread2::pictureFor(m_record.id);
    const QPixmap picture(thumbnailPath);
    const bool existed = QFile::exists(thumbnailPath);
    if (!picture.isNull()) {
        QPushButton *center = ui->pushButton_center;
        center->setIcon(QIcon(picture.scaled(center->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)));
        center->setIconSize(center->size());
        m_hasThumbnail = true;
    }
    if (existed)
        QFile::remove(thumbnailPath);
    placeOverlays();
}

void FormMicroKids::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeOverlays();
}

void FormMicroKids::placeOverlays()
{
    const QRect picture = ui->pushButton_center->geometry();
    QPushButton *play = ui->pushButton_btn;
    play->move(picture.center() - QPoint(play->width() / 2, play->height() / 2));
    QPushButton *select = ui->pushButton_select;
    select->move(picture.right() - select->width() - 8 + 1, picture.top() + 8);
    play->raise();
    select->raise();
}
