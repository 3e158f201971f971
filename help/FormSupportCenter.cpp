#include "FormSupportCenter.h"
#include "ui_FormSupportCenter.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "FormSupportKids.h"
#include "Http_access.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

FormSupportCenter::FormSupportCenter(QWidget *parent)
    : DimmedOverlay(parent), ui(new Ui::FormSupportCenter)
{
    ui->setupUi(this);
    setCard(ui->widget_bg);
    setWindowModality(Qt::ApplicationModal);
    m_tabs = {{ui->pushButton_XT, ui->verticalLayoutPage1, QStringLiteral("1"), {}, true},
              {ui->pushButton_KJ, ui->verticalLayoutPage2, QStringLiteral("2"), {}, true},
              {ui->pushButton_WK, ui->verticalLayoutPage3, QStringLiteral("3"), {}, true}};

    m_search = new QLineEdit(ui->widget_bg);
    m_search->setObjectName(QStringLiteral("lineEdit_search"));
    m_search->setMinimumHeight(31);
    m_search->setTextMargins(15, 0, 10, 0);
    m_search->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #CCCCCC; border-radius: 16px; font: 14px \"微软雅黑\"; }"));
    m_search->setGeometry(0, 0, 260, 32);
    m_search->setPlaceholderText(QStringLiteral("请输入要搜索的内容."));
    auto *searchButton = new QPushButton(m_search);
    searchButton->setObjectName(QStringLiteral("pushButton_search"));
    searchButton->setFixedSize(14, 14);
    searchButton->setIcon(QIcon(QStringLiteral(":/png4/helpcenter/search1B.png")));
    searchButton->setCursor(Qt::PointingHandCursor);
    searchButton->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; } QPushButton:hover { background: #EEEEEE; }"));
    auto *row = new QHBoxLayout(m_search);
    row->setDirection(QBoxLayout::RightToLeft);
    row->setContentsMargins(0, 0, 10, 0);
    row->addWidget(searchButton);
    row->addSpacerItem(new QSpacerItem(150, 10, QSizePolicy::Expanding));
    connect(searchButton, &QPushButton::clicked, this, &FormSupportCenter::clickedBtn);
    connect(m_search, &QLineEdit::returnPressed, this, [this] { clickedBtn(false); });

    setWindowFlags(Qt::WindowFlags(0x813));

    ui->pushButton_XT->setChecked(true);
    on_pushButton_XT_clicked(true);
    ui->stackedWidget->setCurrentIndex(0);
}

FormSupportCenter::~FormSupportCenter()
{
    delete ui;
}

int FormSupportCenter::articleCount(int tab) const
{
    QVBoxLayout *layout = m_tabs.value(tab).layout;
    int n = 0;
    for (int i = 0; layout && i < layout->count(); ++i)
        n += qobject_cast<FormSupportKids *>(layout->itemAt(i)->widget()) ? 1 : 0;
    return n;
}

bool FormSupportCenter::load(int index, const QJsonObject &body)
{
    // The list goes into a local first: the window may be closed, and gone,
    // while the request waits.
    QPointer<FormSupportCenter> self(this);
    QList<HelpItem> items;
    const bool ok = Http_access::instance()->fetchHelpItems(BaseAddress::api() + ApiPaths::helpList, {}, body, items);
    if (!self)
        return false;
    m_tabs[index].items = items;
    if (ok)
        fill(index, items);
    return ok;
}

void FormSupportCenter::on_pushButton_XT_clicked(bool checked) { tabClicked(0, checked); }
void FormSupportCenter::on_pushButton_KJ_clicked(bool checked) { tabClicked(1, checked); }
void FormSupportCenter::on_pushButton_WK_clicked(bool checked) { tabClicked(2, checked); }

void FormSupportCenter::tabClicked(int index, bool checked)
{
    Tab &tab = m_tabs[index];
    if (!checked) {
        // The active tab stays active and keeps its articles.
        tab.button->setChecked(true);
        return;
    }
    ui->stackedWidget->setCurrentIndex(index);
    for (int i = 0; i < m_tabs.size(); ++i)
        if (i != index)
            m_tabs[i].button->setChecked(false);
    if (!tab.notLoaded)
        return;
    tab.notLoaded = false;
    tab.items.clear();
    load(index, QJsonObject{{"resType", tab.resType}, {"type", "1"}});
}

void FormSupportCenter::clickedBtn(bool)
{
    int index = 0;
    while (index < m_tabs.size() - 1 && !m_tabs[index].button->isChecked())
        ++index;
    clearArticles(index);
    m_tabs[index].items.clear();
    load(index, QJsonObject{{"resType", m_tabs[index].resType}, {"title", m_search->text()}, {"type", "1"}});
}

void FormSupportCenter::fill(int index, const QList<HelpItem> &items)
{
    // A list of any length shows a readable first part; a search finds the rest.
    for (const HelpItem &item : items.mid(0, MaxArticles)) {
        auto *article = new FormSupportKids;
        article->setItem(item);
        connect(article, &FormSupportKids::shootVideo, this, &FormSupportCenter::shootVideo);
        m_tabs[index].layout->addWidget(article);
    }
    if (items.size() > MaxArticles) {
        auto *more = new QLabel(QStringLiteral("共%1条，仅显示前%2条，请搜索查找其余内容。").arg(items.size()).arg(MaxArticles));
        more->setObjectName(QStringLiteral("label_more"));
        more->setAlignment(Qt::AlignCenter);
        more->setStyleSheet(QStringLiteral("color: #666666; font: 14px \"微软雅黑\"; padding: 12px;"));
        m_tabs[index].layout->addWidget(more);
    }
}

void FormSupportCenter::clearArticles(int index)
{
    QVBoxLayout *layout = m_tabs[index].layout;
    while (QLayoutItem *item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

void FormSupportCenter::on_pushButtonX_clicked()
{
    for (Tab &tab : m_tabs)
        tab.items.clear();
    close();
    deleteLater();
}

void FormSupportCenter::resizeEvent(QResizeEvent *event)
{
    QWidget *bg = ui->widget_bg;
    bg->resize(qMin(1000, width() - 40), qMin(660, height() - 40));
    DimmedOverlay::resizeEvent(event); // centres the card
    ui->widget->resize(bg->width(), ui->widget->height());
    ui->pushButtonX->move(bg->width() - 45, 12);
    ui->stackedWidget->resize(bg->width() - 40, bg->height() - ui->stackedWidget->y() - 20);
    m_search->move(bg->width() - m_search->width() - 24, 72);
}

