#include "bankupinfo.h"
#include "ui_bankupinfo.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "CurrentUser.h"
#include "DictionaryLookup.h"
#include "DocumentHost.h"
#include "FormAnimation.h"
#include "FormFaBuChenggong.h"
#include "FormTree.h"
#include "FormTree2.h"
#include "Http_access.h"
#include "PublishUpload.h"
#include "QTAVPlayer.h"
#include "Widgetmain.h"
#include "messageForm.h"

#include <QPointer>
#include <QRegularExpressionValidator>
#include <QUrlQuery>

bankupinfo::bankupinfo(QWidget *parent)
    : DimmedOverlay(parent), ui(new Ui::bankupinfo)
{
    ui->setupUi(this);
    setCard(ui->widget_bg);
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    ui->lineEdit_XD->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[1-9][0-9][0-9]")), this));
    setGeometry(contentRect.isValid() ? contentRect : QRect(0, 0, 1200, 760));
    connect(ui->comboBox_5, &myComboBox::clicked, this, &bankupinfo::comboxclicked5);

    loadDictionary(QStringLiteral("sys_office_grade"), ui->comboBox_4, QStringLiteral("年级"), gradeEntries);
    loadDictionary(QStringLiteral("CODE_VERSIONTYPE"), ui->comboBox_3, QStringLiteral("版本"), versionEntries);
    loadDictionary(QStringLiteral("sys_subject_type"), ui->comboBox_1, QStringLiteral("科目"), subjectEntries);

    ui->comboBox_2->addItems({QStringLiteral("类型"), QStringLiteral("课本课件"), QStringLiteral("教辅课件")});
    ui->comboBox_5->addItem(QStringLiteral("册别"));
    ui->toolButtonML->setText(QStringLiteral("目录"));
    ui->comboBox_5->setEnabled(false);
    ui->toolButtonML->setEnabled(false);
    ui->toolButtonZS->setEnabled(false);
}

bankupinfo::~bankupinfo()
{
    delete ui;
}

void bankupinfo::loadDictionary(const QString &type, QComboBox *combo, const QString &placeholder,
                                QList<DictItem> &entries)
{
    const QSignalBlocker quiet(combo);
    entries = DictionaryLookup::fetch(type);
    DictionaryLookup::fill(combo, placeholder, entries);
}

void bankupinfo::updateVolumeEnabling()
{
    ui->comboBox_5->setEnabled(ui->comboBox_1->currentIndex() > 0 && ui->comboBox_2->currentIndex() > 0
                               && ui->comboBox_3->currentIndex() > 0 && ui->comboBox_4->currentIndex() > 0);
}

void bankupinfo::on_comboBox_1_currentIndexChanged(int) { updateVolumeEnabling(); }
void bankupinfo::on_comboBox_2_currentIndexChanged(int) { updateVolumeEnabling(); }
void bankupinfo::on_comboBox_3_currentIndexChanged(int) { updateVolumeEnabling(); }
void bankupinfo::on_comboBox_4_currentIndexChanged(int) { updateVolumeEnabling(); }

void bankupinfo::on_comboBox_5_currentIndexChanged(int index)
{
    ui->toolButtonML->setEnabled(index >= 1);
    ui->toolButtonZS->setEnabled(index >= 1);
}

void bankupinfo::on_pushButton_private_clicked(bool checked)
{
    if (!checked)
        return;
    ui->pushButton_pbulic->setChecked(false);
    ui->lineEdit_XD->setEnabled(false);
}

void bankupinfo::on_pushButton_pbulic_clicked(bool checked)
{
    if (!checked)
        return;
    ui->pushButton_private->setChecked(false);
    ui->lineEdit_XD->setEnabled(true);
}

void bankupinfo::comboxclicked5()
{
    textbookEntries.clear();
    const QSignalBlocker quiet(ui->comboBox_5);
    ui->comboBox_5->clear();
    QJsonObject body;
    if (const DictItem *s = DictItem::lastWithLabel(subjectEntries, ui->comboBox_1->currentText()))
        body.insert("subject", s->value);
    if (const DictItem *v = DictItem::lastWithLabel(versionEntries, ui->comboBox_3->currentText()))
        body.insert("version", v->value);
    if (const DictItem *g = DictItem::lastWithLabel(gradeEntries, ui->comboBox_4->currentText()))
        body.insert("grades", g->value);
    // Into a local first: the form may be closed, and gone, while this waits.
    QPointer<bankupinfo> self(this);
    QList<DictItem> volumes;
    Http_access::instance()->fetchTextbooks(BaseAddress::api() + ApiPaths::textbookList, {}, body, volumes);
    if (!self)
        return;
    textbookEntries = volumes;
    ui->comboBox_5->addItem(QStringLiteral("册别"));
    for (const DictItem &t : textbookEntries)
        ui->comboBox_5->addItem(t.value);
    on_comboBox_5_currentIndexChanged(ui->comboBox_5->currentIndex());
}

QString bankupinfo::textbookId() const
{
    const DictItem *t = DictItem::lastWithLabel(textbookEntries, ui->comboBox_5->currentText());
    return t ? t->id : QString();
}

void bankupinfo::on_toolButtonML_clicked()
{
    catalogueNodes.clear();
    QPointer<bankupinfo> self(this);
    QList<TreeNode> nodes;
    Http_access::instance()->fetchTreeNodes(BaseAddress::api() + ApiPaths::catalogueTree, {},
                                            {{"twoVolumesId", textbookId()}}, nodes);
    if (!self || nodes.isEmpty())
        return;
    catalogueNodes = nodes;
    auto *picker = new FormTree2;
    picker->setData(catalogueNodes);
    connect(picker, &FormTree2::shootStr, this, &bankupinfo::comBoxMLStr);
    picker->show();
}

void bankupinfo::comBoxMLStr(QString str)
{
    ui->toolButtonML->setText(str);
}

void bankupinfo::on_toolButtonZS_clicked()
{
    knowledgeNodes.clear();
    QPointer<bankupinfo> self(this);
    QList<TreeNode> nodes;
    Http_access::instance()->fetchTreeNodes(BaseAddress::api() + ApiPaths::knowledgeTree, {},
                                            {{"refenencebookId", textbookId()}}, nodes);
    if (!self || nodes.isEmpty())
        return;
    knowledgeNodes = nodes;
    auto *picker = new FormTree;
    picker->setData(knowledgeNodes);
    connect(picker, &FormTree::shootStr, this, &bankupinfo::comBoxZSStr);
    picker->show();
}

void bankupinfo::comBoxZSStr(QStringList strlname, QStringList strlid)
{
    selectedKnowledgeIds = strlid;
    QString text;
    for (const QString &name : strlname) {
        text += name + QLatin1Char(',');
        if (text.size() > 14) {
            text = text.left(14) + QStringLiteral("...");
            break;
        }
    }
    ui->toolButtonZS->setText(text);
}

void bankupinfo::showMessage(const QString &text)
{
    auto *m = new messageForm(0, nullptr);
    m->setMessage(text);
    m->show();
    m->setGeometry(contentRect);
}

void bankupinfo::on_pushButton_OK_clicked()
{
    const bool complete = ui->comboBox_5->currentIndex() > 0 && !ui->lineEditName->text().isEmpty()
                          && (!ui->lineEdit_XD->text().isEmpty() || !ui->pushButton_pbulic->isChecked());
    if (!complete) {
        showMessage(QStringLiteral("请先填写完整课件信息\n在进行课件发布"));
        return;
    }
    emit shootOk();
    UploadConfirm();
}

QJsonObject bankupinfo::record() const
{
    const QString fee = ui->pushButton_pbulic->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    QJsonObject r;
    r.insert("applystatus", "0");
    r.insert("smallDbType", ui->comboBox_2->currentIndex());
    const DictItem *subject = DictItem::lastWithLabel(subjectEntries, ui->comboBox_1->currentText());
    const DictItem *version = DictItem::lastWithLabel(versionEntries, ui->comboBox_3->currentText());
    const DictItem *grade = DictItem::lastWithLabel(gradeEntries, ui->comboBox_4->currentText());
    const DictItem *book = DictItem::lastWithLabel(textbookEntries, ui->comboBox_5->currentText());
    if (subject)
        r.insert("subject", subject->value);
    if (version)
        r.insert("codeVersiontypeid", version->value);
    if (grade)
        r.insert("grade", grade->value);
    if (book)
        r.insert("resRegister", book->id);
    const TreeNode *node = nullptr;
    for (const TreeNode &n : catalogueNodes)
        if (n.name == ui->toolButtonML->text())
            node = &n;
    if (node)
        r.insert("refenencebooktreeid", node->id);
    r.insert("name", ui->lineEditName->text());
    r.insert("xuedou", ui->lineEdit_XD->text());
    r.insert("isFee", fee);
    r.insert("isshare", fee);
    r.insert("schoolid", CurrentUser::companyId);
    r.insert("duration", videoDurationText);
    r.insert("codechapter", selectedKnowledgeIds.join(QLatin1Char(',')));
    return r;
}

void bankupinfo::UploadConfirm()
{
    hide();
    FormAnimation::showBusyOverlay();
    // Whatever stops the publish brings the form back, filled as it was.
    auto giveBack = [this](const QString &text) {
        FormAnimation::hideBusyOverlay();
        show();
        if (!text.isEmpty())
            showMessage(text);
    };
    if (PublishUpload::ask(currentDocumentPath, false, this) != PublishUpload::Upload) {
        giveBack(QString());
        return;
    }
    QJsonObject r = record();
    QPointer<bankupinfo> self(this);
    bool cancelled = false;
    const QString stored = PublishUpload::upload(BaseAddress::api() + ApiPaths::fileUpload, currentDocumentPath,
                                                 QStringLiteral("application/vnd.ms-powerpoint"), &cancelled);
    if (!self) {
        FormAnimation::hideBusyOverlay();
        return;
    }
    if (stored.isEmpty()) {
        giveBack(cancelled ? QStringLiteral("课件上传已取消") : QStringLiteral("课件上传失败"));
        return;
    }
    r.insert("fileSrc", stored);
    const bool saved = Http_access::instance()->saveRecord(BaseAddress::api() + ApiPaths::fileClassSave, {}, r);
    if (!self) {
        FormAnimation::hideBusyOverlay();
        return;
    }
    if (!saved) {
        // The deck is on the server but no record points at it yet.
        giveBack(QStringLiteral("课件信息保存失败，检查网络重新尝试。"));
        return;
    }
    FormAnimation::hideBusyOverlay();
    auto *done = new FormFaBuChenggong;
    done->setAttribute(Qt::WA_DeleteOnClose);
    done->setPublishInfo(ui->lineEditName->text(), ui->lineEdit_XD->text(), QStringLiteral("1"),
                         QStringLiteral("课件"));
    done->show();
    done->setGeometry(contentRect);
    connect(done, &FormFaBuChenggong::shootback, this, &bankupinfo::close_OK);
}

void bankupinfo::close_OK()
{
    if (Widgetmain *main = Http_access::instance()->mainWindow)
        main->refreshCoursewarePage();
    close();
    deleteLater();
}

void bankupinfo::on_pushButtonX_clicked()
{
    emit shootCancel();
    close();
}


