#include "PictureCategoryLibrary.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "HttpClassInput.h"
#include "PageWidget.h"
#include "QFlowLayout.h"
#include "QLabelImags.h"

#include <QDebug>
#include <QGridLayout>
#include <QJsonObject>
#include <QPointer>
#include <QPushButton>

PictureCategoryLibrary::PictureCategoryLibrary(const QString &resSort, QWidget *parent)
    : QWidget(parent), m_resSort(resSort)
{
    setAttribute(Qt::WA_StyledBackground);
}

void PictureCategoryLibrary::attach(QGridLayout *grid, QWidget *tileArea, PageWidget *bar)
{
    m_grid = grid;
    m_bar = bar;
    m_flow = new QFlowLayout(tileArea, -1);
    m_flow->setContentsMargins(25, 21, 9, 9);
    for (int i = 0; i < TileCount; ++i) {
        auto *tile = new QLabelImags(tileArea);
        clearTile(tile);
        m_flow->addWidget(tile);
    }
    m_bar->setMaxPage(1);
    connect(m_bar, &PageWidget::shootPage, this, &PictureCategoryLibrary::shootPage);
}

QList<QLabelImags *> PictureCategoryLibrary::tiles() const
{
    QList<QLabelImags *> out;
    for (int i = 0; i < m_flow->count(); ++i)
        if (auto *t = qobject_cast<QLabelImags *>(m_flow->itemAt(i)->widget()))
            out << t;
    return out;
}

void PictureCategoryLibrary::clearTile(QLabelImags *tile)
{
    tile->showPicture(QPixmap());
    tile->setInfo(QString(), QLabelImags::Library);
    tile->setPictureUrl(QString());
    tile->setFixedSize(0, TileHeight);
}

void PictureCategoryLibrary::initialise()
{
    if (!m_categories.isEmpty())
        return;
    QList<LibraryItem> categories;
    QPointer<PictureCategoryLibrary> self(this);
    HttpClassInput::instance()->fetchCategories(BaseAddress::api() + ApiPaths::resCategories, {},
                                                {{QStringLiteral("resSort"), m_resSort}}, categories);
    // A second call may have filled the grid while this one waited.
    if (!self || !m_categories.isEmpty())
        return;
    m_categories = categories;
    m_buttons.fill(m_grid, this, m_categories, 4, this, SLOT(btn_click(bool)));
}

void PictureCategoryLibrary::btn_click(bool bo)
{
    const QString id = m_buttons.choose(qobject_cast<QPushButton *>(sender()), bo);
    if (id.isEmpty())
        return;
    for (const LibraryItem &c : qAsConst(m_categories)) {
        if (c.id == id) {
            m_currentCategory = c.id;
            loadPage(QStringLiteral("1"), QStringLiteral("10"), m_currentCategory);
            return;
        }
    }
}

void PictureCategoryLibrary::shootPage(int page)
{
    loadPage(QString::number(page), QStringLiteral("10"), m_currentCategory);
}

void PictureCategoryLibrary::loadPage(const QString &pageNum, const QString &pageSize, const QString &categoryId)
{
    if (m_categories.isEmpty())
        return;
    const int serial = ++m_loadSerial;
    m_records.clear();
    QList<LibraryItem> records;
    QPointer<PictureCategoryLibrary> self(this);
    HttpClassInput::instance()->fetchResources(BaseAddress::api() + ApiPaths::resList, {},
                                               {{QStringLiteral("id"), categoryId},
                                                {QStringLiteral("pageNum"), pageNum},
                                                {QStringLiteral("pageSize"), pageSize},
                                                {QStringLiteral("resSort"), m_resSort}},
                                               records);
    if (!self || serial != m_loadSerial)
        return; // a later load took over while this one waited
    m_records = records;
    const QList<QLabelImags *> all = tiles();
    // A reply of any size fills one page of tiles; its pictures come side by side.
    const QList<LibraryItem> shown = records.mid(0, all.size());
    QStringList addresses;
    for (const LibraryItem &r : shown)
        addresses << BaseAddress::doc() + r.resFile;
    const QList<QPixmap> pictures = HttpClassInput::instance()->downloadImages(addresses);
    if (!self || serial != m_loadSerial)
        return;
    int i = 0;
    for (; i < shown.size(); ++i) {
        QLabelImags *tile = all.at(i);
        const QPixmap picture = pictures.value(i);
        tile->setInfo(shown.at(i).id, QLabelImags::Library);
        tile->setPictureUrl(BaseAddress::doc() + shown.at(i).resFile);
        tile->setFixedSize(QLabelImags::scaledWidth(picture.size(), TileHeight), TileHeight);
        tile->showPicture(picture);
    }
    for (; i < all.size(); ++i)
        clearTile(all.at(i));
    if (!records.isEmpty()) {
        const int total = records.first().total;
        m_bar->setMaxPage(qMax(1, total / 10 + (total % 10 > 0 ? 1 : 0)));
    }
}
