#include "bankVLTpk.h"
#include "ui_bankVLTpk.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "CurrentUser.h"
#include "HttpClassInput.h"
#include "PageWidget.h"
#include "QLabelImags.h"
#include "QLabelImagsUp.h"
#include "bankPBLiu.h"

#include <QHBoxLayout>
#include <QJsonObject>
#include <QPointer>
#include <QUrlQuery>

namespace {
const QString ActiveLine = QStringLiteral("background-color: #03804B; border: none;");
const QString IdleLine = QStringLiteral("background-color: rgba(180, 180, 180, 0.8); border: none;");
}

bankVLTpk::bankVLTpk(QWidget *parent)
    : QWidget(parent), ui(new Ui::bankVLTpk)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    ui->lineEdit->setTextMargins(1, 0, 10, 0);
    // The search button sits inside the input at its right end.
    auto *inside = new QHBoxLayout(ui->lineEdit);
    inside->setContentsMargins(0, 0, 6, 0);
    inside->addStretch();
    inside->addWidget(ui->pushButton_search);
    connect(ui->pushButton_search, &QPushButton::clicked, this, &bankVLTpk::editSearch);
    ui->frame_Public->hide();
    ui->stackedWidget->setCurrentIndex(0);

    m_upload = new QLabelImagsUp;
    ui->widget_own->addTile(m_upload);
    ui->widget_page->setMaxPage(1);
    connect(ui->widget_page, &PageWidget::shootPage, this, &bankVLTpk::shootPage);
}

bankVLTpk::~bankVLTpk()
{
    delete ui;
}

bankPBLiu *bankVLTpk::ownContainer() const
{
    return ui->widget_own;
}

bankPBLiu *bankVLTpk::publicContainer() const
{
    return ui->widget_public;
}

PageWidget *bankVLTpk::pageBar() const
{
    return ui->widget_page;
}

void bankVLTpk::setPageCount(const QList<LibraryItem> &records)
{
    if (records.isEmpty())
        return;
    const int total = records.first().total;
    ui->widget_page->setMaxPage(qMax(1, total / 10 + (total % 10 > 0 ? 1 : 0)));
}

bool bankVLTpk::fillTiles(bankPBLiu *container, const QList<LibraryItem> &records, int kind, int serial)
{
    const int &current = kind == QLabelImags::Own ? m_ownSerial : m_publicSerial;
    QPointer<bankVLTpk> self(this);
    // A reply of any size fills one page of tiles; its pictures come side by side.
    const QList<LibraryItem> shown = records.mid(0, TileCount);
    QStringList addresses;
    for (const LibraryItem &r : shown)
        addresses << BaseAddress::doc() + r.resFile;
    const QList<QPixmap> pictures = HttpClassInput::instance()->downloadImages(addresses);
    if (!self || serial != current)
        return false;
    int added = 0;
    for (const LibraryItem &r : shown) {
        const QPixmap picture = pictures.value(added);
        auto *tile = new QLabelImags;
        tile->setInfo(r.id, kind);
        tile->setPictureUrl(BaseAddress::doc() + r.resFile);
        tile->setFixedSize(TileWidth, QLabelImags::scaledHeight(picture.size(), TileWidth));
        tile->showPicture(picture);
        container->addTile(tile);
        ++added;
    }
    for (; added < TileCount; ++added) {
        auto *tile = new QLabelImags;
        tile->setInfo(QString(), kind);
        tile->setPictureUrl(QString());
        tile->setFixedSize(TileWidth, 0);
        container->addTile(tile);
    }
    return true;
}

void bankVLTpk::loadOwnPage(const QString &pageNum, const QString &pageSize)
{
    const int serial = ++m_ownSerial;
    ui->widget_own->clearAllButFirst();
    m_records.clear();
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("pageNum"), pageNum);
    query.addQueryItem(QStringLiteral("pageSize"), pageSize);
    const QJsonObject body{{QStringLiteral("creatorId"), CurrentUser::id}, {QStringLiteral("fileLibType"), 2}};
    QList<LibraryItem> records;
    QPointer<bankVLTpk> self(this);
    HttpClassInput::instance()->fetchOwnFiles(BaseAddress::api() + ApiPaths::fileList, query, body, records);
    if (!self || serial != m_ownSerial)
        return;
    m_records = records;
    if (fillTiles(ui->widget_own, records, QLabelImags::Own, serial))
        setPageCount(records);
}

void bankVLTpk::loadPublicPage(const QString &pageNum, const QString &pageSize, const QString &categoryId)
{
    loadPublic(pageNum, pageSize, categoryId, false, QString());
}

void bankVLTpk::searchPublicPage(const QString &pageNum, const QString &pageSize, const QString &categoryId,
                                 const QString &title)
{
    loadPublic(pageNum, pageSize, categoryId, true, title);
}

void bankVLTpk::loadPublic(const QString &pageNum, const QString &pageSize, const QString &categoryId,
                           bool withTitle, const QString &title)
{
    const int serial = ++m_publicSerial;
    ui->widget_public->clearAll();
    m_records.clear();
    QJsonObject body{{QStringLiteral("id"), categoryId},
                     {QStringLiteral("pageNum"), pageNum},
                     {QStringLiteral("pageSize"), pageSize},
                     {QStringLiteral("resSort"), QStringLiteral("1")}};
    if (withTitle)
        body.insert(QStringLiteral("title"), title);
    QList<LibraryItem> records;
    QPointer<bankVLTpk> self(this);
    HttpClassInput::instance()->fetchResources(BaseAddress::api() + ApiPaths::resList, {}, body, records);
    if (!self || serial != m_publicSerial)
        return;
    m_records = records;
    if (fillTiles(ui->widget_public, records, QLabelImags::Library, serial))
        setPageCount(records);
}

void bankVLTpk::initPublicCategories()
{
    if (!m_categories.isEmpty())
        return;
    QList<LibraryItem> categories;
    QPointer<bankVLTpk> self(this);
    HttpClassInput::instance()->fetchCategories(BaseAddress::api() + ApiPaths::resCategories, {},
                                                {{QStringLiteral("resSort"), QStringLiteral("1")}}, categories);
    if (!self || !m_categories.isEmpty())
        return; // a second call filled the grid while this one waited
    m_categories = categories;
    m_buttons.fill(ui->gridLayoutBtn, ui->widget_btn, m_categories, -1, this, SLOT(btn_click(bool)));
}

void bankVLTpk::shootPage(int page)
{
    if (ui->pushButton->isChecked())
        loadOwnPage(QString::number(page), QStringLiteral("10"));
    else
        loadPublicPage(QString::number(page), QStringLiteral("10"), m_currentCategory);
}

void bankVLTpk::btn_click(bool istrue)
{
    const QString id = m_buttons.choose(qobject_cast<QPushButton *>(sender()), istrue);
    if (id.isEmpty())
        return;
    m_currentCategory = id;
    loadPublicPage(QStringLiteral("1"), QStringLiteral("10"), m_currentCategory);
}

void bankVLTpk::editSearch()
{
    searchPublicPage(QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("0"), ui->lineEdit->text());
}

void bankVLTpk::on_pushButton_clicked(bool checked)
{
    if (!checked) {
        ui->pushButton->setChecked(true);
        return;
    }
    ui->frame_Public->hide();
    ui->pushButton_2->setChecked(false);
    ui->line1->setStyleSheet(ActiveLine);
    ui->line2->setStyleSheet(IdleLine);
    ui->stackedWidget->setCurrentIndex(0);
}

void bankVLTpk::on_pushButton_2_clicked(bool checked)
{
    if (!checked) {
        ui->pushButton_2->setChecked(true);
        return;
    }
    ui->frame_Public->show();
    ui->pushButton->setChecked(false);
    ui->line2->setStyleSheet(ActiveLine);
    ui->line1->setStyleSheet(IdleLine);
    ui->stackedWidget->setCurrentIndex(1);
    initPublicCategories();
    if (!m_publicShown) {
        m_publicShown = true;
        loadPublicPage(QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("0"));
    }
}
