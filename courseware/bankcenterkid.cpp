#include "bankcenterkid.h"
#include "ui_bankcenterkid.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "DocumentHost.h"
#include "FormShareInfo.h"
#include "HttpClassInput.h"
#include "Http_access.h"
#include "ListMessage.h"
#include "LocalFileName.h"
#include "ReplyWaiter.h"
#include "Widgetmain.h"
#include "messageForm.h"

#include <QDir>
#include <QGraphicsDropShadowEffect>
#include <QMessageBox>
#include <QPointer>
#include <QNetworkReply>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>

namespace {
const int MaxPreviews = 5;

QColor subjectColour(const QString &subject)
{
    if (subject.startsWith(QStringLiteral("语文")))
        return QColor(0xE0, 0x5A, 0x47);
    if (subject.startsWith(QStringLiteral("数学")))
        return QColor(0x2F, 0x80, 0xED);
    return QColor(0x8E, 0x44, 0xAD);
}
}

bankcenterkid::bankcenterkid(QWidget *parent)
    : QWidget(parent), ui(new Ui::bankcenterkid), m_fade(this, "ImageOpacity")
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    auto *shadow = new QGraphicsDropShadowEffect(this);
    shadow->setOffset(0, 0);
    shadow->setColor(QColor(0x88, 0x88, 0x88, 90));
    shadow->setBlurRadius(20);
    setGraphicsEffect(shadow);

    ui->widget_preview->installEventFilter(this);
    ui->pushButtonSelector->hide();
    ui->pushButtonSelector->setToolTip(QStringLiteral("每天最多可导出%1条课件").arg(dailyExportLimit));

    m_fade.setDuration(FadeMs);
    m_fade.setEasingCurve(QEasingCurve::OutQuint);
    m_fade.setStartValue(1.0);
    m_fade.setEndValue(0.0);
    m_slideTimer.setInterval(SlideMs);
    connect(&m_slideTimer, &QTimer::timeout, this, &bankcenterkid::onImageChangeTimeout);
    connect(&m_deckManager, &QNetworkAccessManager::finished, this, &bankcenterkid::replyFinished);
}

bankcenterkid::~bankcenterkid()
{
    if (m_editReply)
        m_editReply->abort();
    delete ui;
}

QString bankcenterkid::shortName(const QString &name)
{
    return name.size() > 30 ? name.left(30) + QStringLiteral("...") : name;
}

QStringList bankcenterkid::previewAddresses(const QStringList &pptFiles)
{
    QStringList out;
    for (const QString &entry : pptFiles.mid(0, MaxPreviews)) {
        const QString f = entry.trimmed();
        if (f.isEmpty())
            continue;
        // A stored path, as elsewhere in the replies, lies in the document
        // storage; a complete address is used as it is.
        if (QUrl(f).isRelative())
            out << BaseAddress::doc() + (f.startsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + f;
        else
            out << f;
    }
    return out;
}

QString bankcenterkid::editPath(const miciroInfo &info)
{
    // The document control recognises decks by their extension: keep the
    // stored file's, whatever the title says.
    const QString base = LocalFileName::safe(info.name, QStringLiteral("课件") + info.id);
    return sourceDir + QStringLiteral("pptemp/") + base
           + LocalFileName::suffixOf(info.fileSrc, {QStringLiteral("ppt"), QStringLiteral("pptx")},
                                     QStringLiteral("pptx"));
}

void bankcenterkid::setData(const miciroInfo &info)
{
    m_record = info;
    // Pictures of the previous record that arrive late are dropped.
    ++m_generation;
    m_slideTimer.stop();
    m_fade.stop();
    m_imageOpacity = 1.0;
    m_index = 0;
    m_previewAddresses = previewAddresses(info.pptFiles);
    m_previews = QVector<QPixmap>(m_previewAddresses.size());
    m_requested = QVector<bool>(m_previewAddresses.size(), false);
    m_current = QPixmap();
    m_next = QPixmap();
    if (!m_previewAddresses.isEmpty())
        loadPreview(0);
    showRecord();
    ui->widget_preview->update();
}

void bankcenterkid::showRecord()
{
    const miciroInfo &r = m_record;
    ui->labelName->setText(shortName(r.name));
    ui->labelName->setToolTip(r.name);
    ui->labelSource->setText(QStringLiteral("课题来源：%1").arg(r.bootName));
    ui->labelVersion->setText(QStringLiteral("课题版本:%1    课本目录：%2").arg(r.codeVerstiontypeid, r.treeName));
    ui->label_author->setText(QStringLiteral("发布者：%1").arg(r.authorName));
    setShared(r.isFee == QLatin1String("1"));

    ui->labelHint->setStyleSheet(QString());
    if (r.purchase == QLatin1String("1")) {
        ui->pushButton_share->hide();
        ui->pushButton_delete->hide();
        ui->labelHint->setText(QStringLiteral("提示：订购他人课件无法分享和删除"));
    } else if (r.delFlag == 1) {
        ui->pushButton_share->show();
        ui->pushButton_delete->hide();
        ui->labelHint->setText(QStringLiteral("当前课件已下发使用,无法删除"));
        ui->labelHint->setStyleSheet(QStringLiteral("color: #FC4E4E;"));
    } else {
        ui->pushButton_share->show();
        ui->pushButton_delete->show();
        ui->labelHint->clear();
    }
    ui->pushButton_Edit->show();
}

void bankcenterkid::setShared(bool shared)
{
    ui->pushButton_share->setChecked(shared);
    ui->pushButton_share->setText(shared ? QStringLiteral("取消分享") : QStringLiteral("分享"));
    const bool priced = shared && !m_record.xuedou.isEmpty();
    ui->label_gold->setVisible(priced);
    ui->label_price->setText(priced ? m_record.xuedou : QStringLiteral("免费"));
}

void bankcenterkid::loadPreview(int index)
{
    if (index < 0 || index >= m_previewAddresses.size() || m_requested.at(index))
        return;
    m_requested[index] = true;
    QNetworkReply *reply = m_previewManager.get(QNetworkRequest(QUrl(m_previewAddresses.at(index))));
    ReplyWaiter::watch(reply, Http_access::timeoutMs);
    const int generation = m_generation;
    connect(reply, &QNetworkReply::finished, this, [this, reply, index, generation] {
        reply->deleteLater();
        if (generation != m_generation || reply->error() != QNetworkReply::NoError)
            return;
        QPixmap picture;
        if (!picture.loadFromData(reply->readAll()))
            return;
        m_previews[index] = picture;
        if (m_current.isNull() || index == 0) {
            m_current = m_previews.value(nextLoaded(0));
            m_next = m_current;
        }
        ui->widget_preview->update();
    });
}

int bankcenterkid::previewsLoaded() const
{
    int n = 0;
    for (const QPixmap &p : m_previews)
        n += p.isNull() ? 0 : 1;
    return n;
}

int bankcenterkid::nextLoaded(int from) const
{
    // The first arrived picture at or after from, wrapping around.
    const int n = m_previews.size();
    for (int k = 0; k < n; ++k) {
        const int i = (from + k) % n;
        if (!m_previews.at(i).isNull())
            return i;
    }
    return 0;
}

void bankcenterkid::setImageOpacity(qreal value)
{
    m_imageOpacity = value;
    ui->widget_preview->update();
}

void bankcenterkid::enterEvent(QEvent *event)
{
    QWidget::enterEvent(event);
    for (int i = 1; i < m_previewAddresses.size(); ++i)
        loadPreview(i);
    if (previewsLoaded() == 0)
        return;
    onImageChangeTimeout();
    m_slideTimer.start();
}

void bankcenterkid::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_slideTimer.stop();
    m_fade.stop();
    m_index = 0;
    if (previewsLoaded() > 0) {
        m_current = m_previews.at(nextLoaded(0));
        m_next = m_current;
    }
    m_imageOpacity = 1.0;
    ui->widget_preview->update();
}

void bankcenterkid::onImageChangeTimeout()
{
    if (previewsLoaded() > 0) {
        const int current = nextLoaded(m_index);
        const int next = nextLoaded(current + 1);
        m_current = m_previews.at(current);
        m_next = m_previews.at(next);
        m_index = next;
    }
    m_fade.stop();
    m_fade.start();
}

bool bankcenterkid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->widget_preview && event->type() == QEvent::Paint) {
        paintPreview(ui->widget_preview);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void bankcenterkid::paintPreview(QWidget *area)
{
    QPainter p(area);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect r = area->rect();
    QPainterPath clip;
    clip.addRoundedRect(r, 6, 6);
    p.setClipPath(clip);
    p.fillRect(r, QColor(0xF2, 0xF4, 0xF3));
    if (!m_current.isNull()) {
        p.drawPixmap(r, m_next.isNull() ? m_current : m_next);
        p.setOpacity(m_imageOpacity);
        p.drawPixmap(r, m_current);
        p.setOpacity(1.0);
    } else {
        p.setPen(QColor(0xB2, 0xB2, 0xB2));
        QFont f = font();
        f.setPixelSize(14);
        p.setFont(f);
        p.drawText(r, Qt::AlignCenter, m_previewAddresses.isEmpty() ? QStringLiteral("暂无预览") : QString());
    }
    // The subject's first character as a badge for the main subjects.
    const QString subject = m_record.subject;
    if (subject == QStringLiteral("语文") || subject == QStringLiteral("数学") || subject == QStringLiteral("英语")) {
        const QRect badge(8, 8, 30, 30);
        p.setPen(Qt::NoPen);
        p.setBrush(subjectColour(subject));
        p.drawRoundedRect(badge, 6, 6);
        p.setPen(Qt::white);
        QFont f = font();
        f.setPixelSize(16);
        f.setBold(true);
        p.setFont(f);
        p.drawText(badge, Qt::AlignCenter, subject.left(1));
    }
}

void bankcenterkid::setSelectorShown(bool shown)
{
    ui->pushButtonSelector->setVisible(shown);
    if (shown)
        ui->pushButtonSelector->raise();
}

void bankcenterkid::setSelectorChecked(bool checked)
{
    ui->pushButtonSelector->setChecked(checked);
}

void bankcenterkid::setSelectorEnabled(bool enabled)
{
    ui->pushButtonSelector->setEnabled(enabled);
}

bool bankcenterkid::selectorChecked() const
{
    return ui->pushButtonSelector->isChecked();
}

void bankcenterkid::on_pushButtonSelector_clicked(bool checked)
{
    emit select_item(checked, m_record);
}

void bankcenterkid::on_pushButton_Edit_clicked()
{
    // One download at a time: a second click would write the same file.
    if (m_editReply || m_record.fileSrc.isEmpty())
        return;
    const QString path = editPath(m_record);
    QDir().mkpath(QFileInfo(path).absolutePath());
    m_editFile.setFileName(path);
    if (!m_editFile.open(QIODevice::WriteOnly)) {
        ListMessage::show(0, QStringLiteral("无法保存文件 %1,错误字符:%2.")
                                 .arg(QFileInfo(path).fileName(), m_editFile.errorString()));
        return;
    }
    m_editReply = m_deckManager.get(QNetworkRequest(QUrl(BaseAddress::doc() + m_record.fileSrc)));
    ReplyWaiter::watch(m_editReply, Http_access::timeoutMs);
}

void bankcenterkid::replyFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_editReply)
        return;
    m_editReply = nullptr;
    const QString path = m_editFile.fileName();
    if (reply->error() != QNetworkReply::NoError) {
        m_editFile.close();
        m_editFile.remove();
        if (ReplyWaiter::timedOut(reply)) {
            ListMessage::show(0, QStringLiteral("课件下载失败：") + ReplyWaiter::timeoutText());
            return;
        }
        if (reply->error() == QNetworkReply::OperationCanceledError)
            return;
        QMessageBox::information(nullptr, QStringLiteral("HTTP"),
                                 QStringLiteral("课件请求失败 DownloadImg error code: %1. errorText:%2. HTTPscode:%3")
                                     .arg(int(reply->error()))
                                     .arg(reply->errorString())
                                     .arg(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt()));
        return;
    }
    m_editFile.write(reply->readAll());
    m_editFile.close();
    DocumentHost::openDownloaded(path);
    emit deckOpened(path);
}

void bankcenterkid::on_pushButton_share_clicked(bool checked)
{
    // The button changes only once the server agreed.
    ui->pushButton_share->setChecked(!checked);
    if (checked) {
        auto *dialog = new FormShareInfo;
        dialog->setData(m_record, 2);
        dialog->useCoursewareShareUrl();
        connect(dialog, &FormShareInfo::shootOkXD, this, &bankcenterkid::shootCancelInfo);
        dialog->show();
    } else {
        messageForm *m = ListMessage::show(2, QStringLiteral("确认要取消分享课件吗？"));
        connect(m, &messageForm::shootMessage, this, &bankcenterkid::shootCancelShare);
        connect(m, &messageForm::shootClose, this, &bankcenterkid::shootCancelShareClose);
    }
}

void bankcenterkid::shootCancelInfo(QString xd, QString name)
{
    m_record.isFee = QStringLiteral("1");
    m_record.xuedou = xd;
    m_record.name = name;
    ui->labelName->setText(shortName(name));
    ui->labelName->setToolTip(name);
    setShared(true);
}

void bankcenterkid::shootCancelShare()
{
    const QJsonObject body{{QStringLiteral("id"), m_record.id},
                           {QStringLiteral("isFee"), QStringLiteral("0")},
                           {QStringLiteral("isshare"), QStringLiteral("0")}};
    // The tile may be gone, or show another record, once the reply is in.
    QPointer<bankcenterkid> self(this);
    const QString id = m_record.id;
    const QString name = m_record.name;
    const bool ok = Http_access::instance()->postForSuccess(BaseAddress::api() + ApiPaths::fileClassShare, {}, body);
    if (!ok) {
        QMessageBox::information(nullptr, QStringLiteral("提示"), name + QStringLiteral("取消分享失败，检查网络重新尝试。"));
        return;
    }
    if (!self || m_record.id != id)
        return;
    m_record.isFee = QStringLiteral("0");
    setShared(false);
}

void bankcenterkid::shootCancelShareClose()
{
}

void bankcenterkid::on_pushButton_delete_clicked()
{
    messageForm *m = ListMessage::show(2, QStringLiteral("确认要删除该课件吗？"));
    connect(m, &messageForm::shootMessage, this, &bankcenterkid::shootMessage);
}

void bankcenterkid::shootMessage()
{
    const QJsonObject body{{QStringLiteral("id"), m_record.id}};
    // The tile may be gone, or show another record, once the reply is in.
    QPointer<bankcenterkid> self(this);
    const QString id = m_record.id;
    const QString name = m_record.name;
    const bool ok = Http_access::instance()->postForSuccess(BaseAddress::api() + ApiPaths::fileClassDelete, {}, body);
    if (!ok) {
        QMessageBox::information(nullptr, QStringLiteral("提示"), name + QStringLiteral("删除失败，检查网络重新尝试。"));
        return;
    }
    if (!self || m_record.id != id)
        return;
    hide();
    // A deleted deck can no longer be exported.
    if (selectorChecked()) {
        setSelectorChecked(false);
        emit select_item(false, m_record);
    }
}
