#include "FormTopPanel.h"
#include "ui_FormTopPanel.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "DictionaryLookup.h"
#include "FormTree2.h"
#include "Http_access.h"

#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <QTimer>
#include <QUrlQuery>

namespace {
const QString kPageSize = QStringLiteral("12");

}

FormTopPanel::FormTopPanel(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormTopPanel)
{
    ui->setupUi(this);
    ui->lineEdit->setPlaceholderText(QStringLiteral("关键词搜索"));
    connect(ui->comboBox_5, &myComboBox::clicked, this, &FormTopPanel::comboxclicked5);
    connect(ui->comboBox_6, &myComboBox::clicked, this, &FormTopPanel::comboxclicked6);
    loadLookups();
}

FormTopPanel::~FormTopPanel()
{
    delete ui;
}

QSize FormTopPanel::sizeHint() const
{
    return {QWidget::sizeHint().width(), 64};
}

void FormTopPanel::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &p, this);
}

void FormTopPanel::loadLookups()
{
    const int generation = ++m_loadGeneration;
    m_lookupsReady = false;
    for (QComboBox *c : {ui->comboBox_4, ui->comboBox_3, ui->comboBox_1}) {
        c->clear();
        c->setEnabled(false);
    }
    m_grades.clear();
    m_versions.clear();
    m_subjects.clear();
    m_volumes.clear();
    m_catalogue.clear();

    ui->comboBox_2->clear();
    ui->comboBox_2->addItems({QStringLiteral("类型"), QStringLiteral("课本微课"), QStringLiteral("教辅微课")});
    ui->comboBox_5->clear();
    ui->comboBox_5->addItem(QStringLiteral("册别"));
    ui->comboBox_6->clear();
    ui->comboBox_6->addItem(QStringLiteral("目录"));
    ui->comboBox_5->setEnabled(false);
    ui->comboBox_6->setEnabled(false);

    QTimer::singleShot(0, this, [this, generation] { fetchDictionaries(generation); });
}

void FormTopPanel::fetchDictionaries(int generation)
{
    QPointer<FormTopPanel> self(this);
    // A later load (a reset) takes over from one still waiting.
    if (!DictionaryLookup::fillSelectors({ui->comboBox_4, &m_grades}, {ui->comboBox_3, &m_versions},
                                         {ui->comboBox_1, &m_subjects},
                                         [self, generation] { return self && generation == self->m_loadGeneration; }))
        return;
    m_lookupsReady = true;
    updateTextbookSelectors();
    emit lookupsLoaded();
}

const DictItem *FormTopPanel::match(const QList<DictItem> &entries, const QComboBox *combo)
{
    return DictItem::lastWithLabel(entries, combo->currentText());
}

QJsonObject FormTopPanel::buildQuery(int pageNum) const
{
    QJsonObject o;
    if (!ui->lineEdit->text().isEmpty())
        o.insert(QStringLiteral("name"), ui->lineEdit->text());
    if (const DictItem *e = match(m_grades, ui->comboBox_4))
        o.insert(QStringLiteral("grade"), e->value);
    if (const DictItem *e = match(m_subjects, ui->comboBox_1))
        o.insert(QStringLiteral("subject"), e->value);
    if (const DictItem *e = match(m_versions, ui->comboBox_3))
        o.insert(QStringLiteral("codeVersiontypeid"), e->value);
    if (ui->comboBox_2->currentIndex() > 0)
        o.insert(QStringLiteral("smallDbType"), QString::number(ui->comboBox_2->currentIndex()));
    if (const DictItem *e = match(m_volumes, ui->comboBox_5))
        o.insert(QStringLiteral("resRegister"), e->id);
    const QString node = ui->comboBox_6->currentText();
    const TreeNode *picked = nullptr;
    for (const TreeNode &n : m_catalogue)
        if (!node.isEmpty() && n.name == node)
            picked = &n;
    if (picked)
        o.insert(QStringLiteral("refenencebooktreeid"), picked->id);
    o.insert(QStringLiteral("pageNum"), QString::number(pageNum));
    o.insert(QStringLiteral("pageSize"), kPageSize);
    return o;
}

int FormTopPanel::classlist() const
{
    return ui->pushButton_ding->isChecked() ? 2 : 1;
}

void FormTopPanel::collect_json_object(int num)
{
    emit shootJson_object(buildQuery(num), classlist(), 0);
}

void FormTopPanel::on_pushButton_search_clicked()
{
    emit shootJson_object(buildQuery(1), classlist(), 1);
}

void FormTopPanel::on_pushButton_clicked()
{
    loadLookups();
    ui->lineEdit->clear();
    emit shootJson_object(QJsonObject{{QStringLiteral("pageNum"), QStringLiteral("1")},
                                      {QStringLiteral("pageSize"), kPageSize}},
                          classlist(), 0);
}

void FormTopPanel::on_pushButton_myClass_clicked(bool checked)
{
    if (!checked) {
        ui->pushButton_myClass->setChecked(true);
        return;
    }
    ui->lineEdit->clear();
    ui->pushButton_ding->setChecked(false);
    emit shootJson_object(buildQuery(1), 1, 0);
}

void FormTopPanel::on_pushButton_ding_clicked(bool checked)
{
    if (!checked) {
        ui->pushButton_ding->setChecked(true);
        return;
    }
    ui->lineEdit->clear();
    ui->pushButton_myClass->setChecked(false);
    emit shootJson_object(buildQuery(1), 2, 0);
}

void FormTopPanel::showMyList()
{
    loadLookups();
    ui->pushButton_myClass->setChecked(true);
    on_pushButton_myClass_clicked(true);
}

void FormTopPanel::useMicroLectureLabels()
{
    ui->pushButton_myClass->setText(QStringLiteral("我的微课"));
    ui->pushButton_ding->setText(QStringLiteral("已订微课"));
}

QJsonObject FormTopPanel::textbookBody() const
{
    QJsonObject body;
    if (const DictItem *e = match(m_subjects, ui->comboBox_1))
        body.insert(QStringLiteral("subject"), e->value);
    if (const DictItem *e = match(m_versions, ui->comboBox_3))
        body.insert(QStringLiteral("version"), e->value);
    if (const DictItem *e = match(m_grades, ui->comboBox_4))
        body.insert(QStringLiteral("grades"), e->value);
    return body;
}

void FormTopPanel::comboxclicked5()
{
    m_volumes.clear();
    ui->comboBox_5->clear();
    QList<DictItem> volumes;
    QPointer<FormTopPanel> self(this);
    Http_access::instance()->fetchTextbooks(BaseAddress::api() + ApiPaths::textbookList, QUrlQuery(),
                                            textbookBody(), volumes);
    if (!self)
        return;
    m_volumes = volumes;
    ui->comboBox_5->clear();
    ui->comboBox_5->addItem(QStringLiteral("册别"));
    for (const DictItem &v : qAsConst(m_volumes))
        ui->comboBox_5->addItem(v.value);
}

void FormTopPanel::comboxclicked6()
{
    m_catalogue.clear();
    const DictItem *volume = match(m_volumes, ui->comboBox_5);
    if (!volume)
        return;
    QList<TreeNode> nodes;
    QPointer<FormTopPanel> self(this);
    Http_access::instance()->fetchTreeNodes(BaseAddress::api() + ApiPaths::catalogueTree, QUrlQuery(),
                                            QJsonObject{{QStringLiteral("twoVolumesId"), volume->id}}, nodes);
    if (!self || nodes.isEmpty())
        return;
    m_catalogue = nodes;
    auto *picker = new FormTree2;
    picker->setData(m_catalogue);
    connect(picker, &FormTree2::shootStr, this, &FormTopPanel::comBoxMLStr);
    picker->show();
}

void FormTopPanel::comBoxMLStr(QString str)
{
    ui->comboBox_6->clear();
    ui->comboBox_6->addItem(str);
    on_pushButton_search_clicked();
}

void FormTopPanel::updateTextbookSelectors()
{
    const bool all = ui->comboBox_1->currentIndex() > 0 && ui->comboBox_2->currentIndex() > 0
                     && ui->comboBox_3->currentIndex() > 0 && ui->comboBox_4->currentIndex() > 0;
    ui->comboBox_5->setEnabled(all);
    ui->comboBox_6->setEnabled(all);
}

void FormTopPanel::on_comboBox_1_currentIndexChanged(int) { updateTextbookSelectors(); }
void FormTopPanel::on_comboBox_2_currentIndexChanged(int) { updateTextbookSelectors(); }
void FormTopPanel::on_comboBox_3_currentIndexChanged(int) { updateTextbookSelectors(); }
void FormTopPanel::on_comboBox_4_currentIndexChanged(int) { updateTextbookSelectors(); }
void FormTopPanel::on_comboBox_5_currentIndexChanged(int) { updateTextbookSelectors(); }

void FormTopPanel::on_comboBox_1_activated(const QString &) { on_pushButton_search_clicked(); }
void FormTopPanel::on_comboBox_2_activated(const QString &) { on_pushButton_search_clicked(); }
void FormTopPanel::on_comboBox_3_activated(const QString &) { on_pushButton_search_clicked(); }
void FormTopPanel::on_comboBox_4_activated(const QString &) { on_pushButton_search_clicked(); }
void FormTopPanel::on_comboBox_5_activated(const QString &) { on_pushButton_search_clicked(); }
void FormTopPanel::on_comboBox_6_activated(const QString &) {}
void FormTopPanel::on_comboBox_1_currentTextChanged(const QString &) {}
void FormTopPanel::on_comboBox_1_currentIndexChanged(const QString &) {}
