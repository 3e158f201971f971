#include "FormShareInfo.h"
#include "ui_FormShareInfo.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "Http_access.h"
#include "Widgetmain.h"

#include <QMessageBox>
#include <QPointer>
#include <QPainter>
#include <QRegExpValidator>

FormShareInfo::FormShareInfo(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormShareInfo)
{
    ui->setupUi(this);
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::Window);
    setAttribute(Qt::WA_TranslucentBackground);
    setGeometry(contentRect.isValid() ? contentRect : QRect(0, 0, 1200, 760));
    ui->lineEdit_XD->setValidator(new QRegExpValidator(QRegExp(QStringLiteral("[1-9][0-9][0-9]")), this));
    shareUrl = BaseAddress::api() + ApiPaths::smallClassShare;
}

FormShareInfo::~FormShareInfo()
{
    delete ui;
}

void FormShareInfo::useCoursewareShareUrl()
{
    shareUrl = BaseAddress::api() + ApiPaths::fileClassShare;
}

QString FormShareInfo::shortKnowledge(const QString &text)
{
    return text.size() > 8 ? text.left(8) + QStringLiteral("...") : text;
}

void FormShareInfo::setData(const miciroInfo &info, int kindOfRecord)
{
    record = info;
    kind = kindOfRecord;
    ui->lineEditName->setText(info.name);

    auto fill = [](QComboBox *combo, const QString &text) {
        combo->clear();
        combo->addItem(text);
    };
    fill(ui->comboBox_1, info.subject);
    fill(ui->comboBox_2, info.smallDbType == QLatin1String("1") ? QStringLiteral("课本微课") : QStringLiteral("教辅微课"));
    fill(ui->comboBox_3, info.codeVerstiontypeid);
    fill(ui->comboBox_4, info.grade);
    fill(ui->comboBox_5, info.bootName);
    fill(ui->comboBox_6, info.treeName);
    fill(ui->comboBox_7, shortKnowledge(info.codeChapter));
    ui->comboBox_7->setToolTip(info.codeChapter);

    const bool courseware = kind == 2;
    ui->label_nameTitle->setText(courseware ? QStringLiteral("课件名称") : QStringLiteral("微课名称"));
    ui->label_feeTitle->setText(QStringLiteral("付费分享"));
    ui->label_feeKind->setText(courseware ? QStringLiteral("付费课件") : QStringLiteral("付费微课"));
    ui->label_pic->setPixmap(QPixmap(courseware ? QStringLiteral(":/png5/kejianluru/pptName.png")
                                                : QStringLiteral(":/png7/weikeluru/MP4.png")));
}

void FormShareInfo::on_pushButton_public_clicked()
{
    const QString title = ui->lineEditName->text().trimmed();
    const QString price = ui->lineEdit_XD->text();
    if (title.isEmpty() || price.toInt(nullptr, 10) <= 0) {
        QMessageBox::information(nullptr, QStringLiteral("提示"), QStringLiteral("标题、学豆不能为空。"));
        return;
    }
    const QJsonObject body{{QStringLiteral("id"), record.id},
                           {QStringLiteral("isFee"), QStringLiteral("1")},
                           {QStringLiteral("isshare"), QStringLiteral("1")},
                           {QStringLiteral("name"), title},
                           {QStringLiteral("xuedou"), price}};
    ui->pushButton_public->setEnabled(false);
    // The dialog may be closed, and gone, while the request waits.
    QPointer<FormShareInfo> self(this);
    const QString name = record.name;
    const bool ok = Http_access::instance()->postForSuccess(shareUrl, {}, body);
    if (!self)
        return;
    ui->pushButton_public->setEnabled(true);
    if (ok) {
        emit shootOkXD(price, title);
        close();
        deleteLater();
        return;
    }
    QMessageBox::information(nullptr, QStringLiteral("提示"), name + QStringLiteral("分享失败,检查网络重新尝试。"));
    if (self)
        emit shootCancel();
}

void FormShareInfo::on_pushButtonX_clicked()
{
    emit shootCancel();
    close();
    deleteLater();
}

void FormShareInfo::on_pushButton_pbulic_clicked(bool)
{
}

void FormShareInfo::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 0, 128));
}

void FormShareInfo::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    QWidget *panel = ui->widget_panel;
    panel->move((width() - panel->width()) / 2, (height() - panel->height()) / 2);
}
