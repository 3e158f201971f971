#include "FormmicroInfo.h"
#include "DictionaryLookup.h"
#include "ui_FormmicroInfo.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "CurrentUser.h"
#include "FormAnimation.h"
#include "FormFaBuChenggong.h"
#include "FormTree.h"
#include "FormTree2.h"
#include "FormUpClassMessage.h"
#include "FormVideoCenter.h"
#include "Http_access.h"
#include "MicroDialogs.h"
#include "PublishUpload.h"
#include "QTAVPlayer.h"
#include "Widgetmain.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QUrlQuery>

FormmicroInfo::FormmicroInfo(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::FormmicroInfo)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    connect(ui->comboBox_5, &myComboBox::clicked, this, &FormmicroInfo::comboxclicked5);
    loadLookups();
}

FormmicroInfo::~FormmicroInfo()
{
    delete ui;
}

// Lookups ----------------------------------------------------------------------

void FormmicroInfo::loadLookups()
{
    const int generation = ++m_loadGeneration;
    m_lookupsReady = false;
    for (QComboBox *c : {ui->comboBox_4, ui->comboBox_3, ui->comboBox_1}) {
        c->clear();
        c->setEnabled(false);
    }
    gradeEntries.clear();
    versionEntries.clear();
    subjectEntries.clear();

    ui->comboBox_2->clear();
    ui->comboBox_5->clear();
    ui->toolButtonML->setText(QStringLiteral("目录"));
    ui->comboBox_2->addItems({QStringLiteral("类型"), QStringLiteral("课本微课"), QStringLiteral("教辅微课")});
    ui->comboBox_5->addItem(QStringLiteral("册别"));
    ui->toolButtonML->setText(QStringLiteral("目录"));
    ui->comboBox_5->setEnabled(false);
    ui->toolButtonML->setEnabled(false);
    ui->toolButtonZS->setEnabled(false);

    // After the constructor or reset has returned: the page is built and
    // shown without waiting for three requests.
    QTimer::singleShot(0, this, [this, generation] { fetchDictionaries(generation); });
}

void FormmicroInfo::fetchDictionaries(int generation)
{
    QPointer<FormmicroInfo> self(this);
    // A later load (a reset) takes over from one still waiting.
    if (!DictionaryLookup::fillSelectors({ui->comboBox_4, &gradeEntries}, {ui->comboBox_3, &versionEntries},
                                         {ui->comboBox_1, &subjectEntries},
                                         [self, generation] { return self && generation == self->m_loadGeneration; }))
        return;
    m_lookupsReady = true;
    emit lookupsLoaded();
}

void FormmicroInfo::resetMetadata()
{
    ui->comboBox_5->setEnabled(ui->comboBox_1->currentIndex() > 0 && ui->comboBox_2->currentIndex() > 0
                               && ui->comboBox_3->currentIndex() > 0 && ui->comboBox_4->currentIndex() > 0);
    volumeEntries.clear();
    ui->comboBox_5->clear();
    ui->comboBox_5->addItem(QStringLiteral("册别"));
    clearTreeChoices();
}

void FormmicroInfo::clearTreeChoices()
{
    ui->toolButtonZS->setText(QStringLiteral("知识点"));
    ui->toolButtonML->setText(QStringLiteral("目录"));
    // The ids go with the text that showed them.
    knowledgePointIds.clear();
}

void FormmicroInfo::resetPublishForm()
{
    volumeEntries.clear();
    catalogueNodes.clear();
    knowledgeNodes.clear();
    loadLookups();
    knowledgePointIds.clear();
    ui->toolButtonML->setText(QStringLiteral("目录"));
    ui->toolButtonZS->setText(QStringLiteral("知识点"));
}

void FormmicroInfo::on_comboBox_1_currentIndexChanged(int) { resetMetadata(); }
void FormmicroInfo::on_comboBox_2_currentIndexChanged(int) { resetMetadata(); }
void FormmicroInfo::on_comboBox_3_currentIndexChanged(int) { resetMetadata(); }
void FormmicroInfo::on_comboBox_4_currentIndexChanged(int) { resetMetadata(); }

void FormmicroInfo::on_comboBox_5_currentIndexChanged(int index)
{
    ui->toolButtonML->setEnabled(index >= 1);
    ui->toolButtonZS->setEnabled(index >= 1);
    clearTreeChoices();
}

void FormmicroInfo::comboxclicked5()
{
    volumeEntries.clear();
    {
        const QSignalBlocker quiet(ui->comboBox_5);
        ui->comboBox_5->clear();
    }
    QJsonObject body;
    if (const DictItem *s = DictItem::lastWithLabel(subjectEntries, ui->comboBox_1->currentText()))
        body.insert(QStringLiteral("subject"), s->value);
    if (const DictItem *v = DictItem::lastWithLabel(versionEntries, ui->comboBox_3->currentText()))
        body.insert(QStringLiteral("version"), v->value);
    if (const DictItem *g = DictItem::lastWithLabel(gradeEntries, ui->comboBox_4->currentText()))
        body.insert(QStringLiteral("grades"), g->value);
    QPointer<FormmicroInfo> self(this);
    QList<DictItem> volumes;
    Http_access::instance()->fetchTextbooks(BaseAddress::api() + ApiPaths::textbookList, QUrlQuery(), body, volumes);
    if (!self)
        return;
    volumeEntries = volumes;
    {
        const QSignalBlocker quiet(ui->comboBox_5);
        ui->comboBox_5->clear();
        ui->comboBox_5->addItem(QStringLiteral("册别"));
        for (const DictItem &v : qAsConst(volumeEntries))
            ui->comboBox_5->addItem(v.value);
    }
    on_comboBox_5_currentIndexChanged(ui->comboBox_5->currentIndex());
}

QString FormmicroInfo::volumeId() const
{
    const DictItem *v = DictItem::lastWithLabel(volumeEntries, ui->comboBox_5->currentText());
    return v ? v->id : QString();
}

// Pickers ------------------------------------------------------------------------

void FormmicroInfo::on_toolButtonML_clicked()
{
    catalogueNodes.clear();
    QPointer<FormmicroInfo> self(this);
    QList<TreeNode> nodes;
    Http_access::instance()->fetchTreeNodes(BaseAddress::api() + ApiPaths::catalogueTree, QUrlQuery(),
                                            QJsonObject{{QStringLiteral("twoVolumesId"), volumeId()}}, nodes);
    if (!self || nodes.isEmpty())
        return;
    catalogueNodes = nodes;
    auto *picker = new FormTree2;
    picker->setData(catalogueNodes);
    connect(picker, &FormTree2::shootStr, this, &FormmicroInfo::comBoxMLStr);
    picker->show();
}

void FormmicroInfo::comBoxMLStr(QString str)
{
    ui->toolButtonML->setText(str);
}

void FormmicroInfo::on_toolButtonZS_clicked()
{
    knowledgeNodes.clear();
    QPointer<FormmicroInfo> self(this);
    QList<TreeNode> nodes;
    Http_access::instance()->fetchTreeNodes(BaseAddress::api() + ApiPaths::knowledgeTree, QUrlQuery(),
                                            QJsonObject{{QStringLiteral("refenencebookId"), volumeId()}}, nodes);
    if (!self)
        return;
    if (nodes.isEmpty()) {
        MicroDialogs::showMessage(QStringLiteral("该单元或目录内暂无知识点选择."), this);
        return;
    }
    knowledgeNodes = nodes;
    auto *picker = new FormTree;
    picker->setData(knowledgeNodes);
    connect(picker, &FormTree::shootStr, this, &FormmicroInfo::comBoxZSStr);
    picker->show();
}

void FormmicroInfo::comBoxZSStr(QStringList strlname, QStringList strlid)
{
    knowledgePointIds = strlid;
    QString text;
    for (const QString &name : qAsConst(strlname)) {
        text += name + QLatin1Char(',');
        if (text.size() > 14) {
            text = text.left(14) + QStringLiteral("...");
            break;
        }
    }
    ui->toolButtonZS->setText(text);
}

// Publishing -----------------------------------------------------------------------

void FormmicroInfo::outputUpload()
{
    if (m_publishing)
        return;
    if (!videoPage || !videoPage->hasPlayableVideo()) {
        MicroDialogs::showMessage(QStringLiteral("请先新建视频在进行微课发布"), this);
        return;
    }
    if (!videoPage->hasLectureName()) {
        MicroDialogs::showMessage(QStringLiteral("请填写微课名称."), this);
        return;
    }
    if (ui->comboBox_5->currentIndex() <= 0) {
        MicroDialogs::showMessage(QStringLiteral("请先填写完整微课信息\n在进行微课发布"), this);
        return;
    }
    auto *confirm = new FormUpClassMessage;
    confirm->show();
    confirm->showPublishInfo({ui->comboBox_1->currentText(), ui->comboBox_2->currentText(),
                              ui->comboBox_3->currentText(), ui->comboBox_4->currentText(),
                              ui->comboBox_5->currentText(), ui->toolButtonML->text(), ui->toolButtonZS->text()});
    connect(confirm, &FormUpClassMessage::shootUpload, this, &FormmicroInfo::UploadConfirm);
    m_confirm = confirm;
}

QJsonObject FormmicroInfo::record(const QStringList &lstr) const
{
    QJsonObject r;
    r.insert(QStringLiteral("applystatus"), QStringLiteral("0"));
    r.insert(QStringLiteral("smallDbType"), ui->comboBox_2->currentIndex());
    if (const DictItem *s = DictItem::lastWithLabel(subjectEntries, ui->comboBox_1->currentText()))
        r.insert(QStringLiteral("subject"), s->value);
    if (const DictItem *v = DictItem::lastWithLabel(versionEntries, ui->comboBox_3->currentText()))
        r.insert(QStringLiteral("codeVersiontypeid"), v->value);
    if (const DictItem *g = DictItem::lastWithLabel(gradeEntries, ui->comboBox_4->currentText()))
        r.insert(QStringLiteral("grade"), g->value);
    if (const DictItem *b = DictItem::lastWithLabel(volumeEntries, ui->comboBox_5->currentText()))
        r.insert(QStringLiteral("resRegister"), b->id);
    const TreeNode *node = nullptr;
    for (const TreeNode &n : catalogueNodes)
        if (n.name == ui->toolButtonML->text())
            node = &n;
    if (node)
        r.insert(QStringLiteral("refenencebooktreeid"), node->id);
    r.insert(QStringLiteral("name"), lstr.value(0));
    r.insert(QStringLiteral("intro"), lstr.value(1));
    r.insert(QStringLiteral("xuedou"), lstr.value(2));
    r.insert(QStringLiteral("isFee"), lstr.value(3));
    r.insert(QStringLiteral("isshare"), lstr.value(3));
    r.insert(QStringLiteral("schoolid"), CurrentUser::companyId);
    r.insert(QStringLiteral("duration"), videoDurationText);
    r.insert(QStringLiteral("codechapter"), knowledgePointIds.join(QLatin1Char(',')));
    return r;
}

void FormmicroInfo::hideBusy()
{
    if (FormAnimation *overlay = FormAnimation::instance())
        overlay->hideBusy();
}

void FormmicroInfo::UploadConfirm(QStringList lstr)
{
    if (m_publishing || lstr.size() < 4) {
        hideBusy();
        return;
    }
    m_publishing = true;
    QPointer<FormmicroInfo> self(this);
    QJsonObject r = record(lstr);
    // Whatever stops the publish brings the dialog back, filled as it was.
    auto giveBack = [this](const QString &text) {
        if (!text.isEmpty())
            MicroDialogs::showMessage(text, this);
        hideBusy();
        if (m_confirm)
            m_confirm->reopen();
        m_publishing = false;
    };

    QString file = savedVideoPath;
    const PublishUpload::Choice choice = PublishUpload::ask(file, true, this);
    if (!self)
        return;
    if (choice == PublishUpload::Cancel) {
        giveBack(QString());
        return;
    }
    if (choice == PublishUpload::Shrink) {
        bool cancelled = false;
        const QString target = videoPage ? videoPage->saveFilePath() : savedVideoPath;
        file = PublishUpload::shrink(savedVideoPath,
                                     QFileInfo(target).absoluteDir().filePath(QStringLiteral("tempv-50m.mp4")),
                                     &cancelled);
        if (!self)
            return;
        if (file.isEmpty()) {
            giveBack(cancelled ? QString() : QStringLiteral("视频压缩失败，请重新尝试。"));
            return;
        }
        // Still too large (a very long video): the teacher decides again.
        if (PublishUpload::ask(file, false, this) != PublishUpload::Upload) {
            if (self)
                giveBack(QString());
            return;
        }
    }

    bool cancelled = false;
    const QString stored = PublishUpload::upload(BaseAddress::api() + ApiPaths::fileUpload, file,
                                                 QStringLiteral("video/mp4"), &cancelled);
    if (!self)
        return;
    if (stored.isEmpty()) {
        giveBack(cancelled ? QStringLiteral("视频上传已取消") : QStringLiteral("视频上传失败"));
        return;
    }
    r.insert(QStringLiteral("fileSrc"), stored);
    const bool saved = Http_access::instance()->saveRecord(BaseAddress::api() + ApiPaths::smallClassSave,
                                                           QUrlQuery(), r);
    if (!self)
        return;
    if (!saved) {
        // The video is on the server, but no record points at it yet.
        qDebug() << "micro-lecture record not saved:" << Http_access::instance()->msg;
        giveBack(QStringLiteral("微课信息保存失败，检查网络重新尝试。"));
        return;
    }
    auto *done = new FormFaBuChenggong;
    done->setAttribute(Qt::WA_DeleteOnClose);
    done->setPublishInfo(lstr.value(0), lstr.value(2), QStringLiteral("1"), QStringLiteral("微课"));
    done->show();
    done->setGeometry(MicroDialogs::contentArea(this));
    connect(done, &FormFaBuChenggong::shootback, this, &FormmicroInfo::close_OK);
    hideBusy();
    m_publishing = false;
}

void FormmicroInfo::close_OK()
{
    if (Widgetmain *main = Http_access::instance()->mainWindow)
        main->refreshMicroLecturePage();
    close();
}
