#include "SearchableLibrary.h"

#include "ApiPaths.h"
#include "BaseAddress.h"
#include "CategoryButtons.h"
#include "HttpClassInput.h"
#include "PageWidget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QJsonObject>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

SearchableLibrary::SearchableLibrary(const QString &resSort, const QString &textColour, QWidget *parent)
    : QWidget(parent)
    , m_resSort(resSort)
    , m_textColour(textColour)
{
    setAttribute(Qt::WA_StyledBackground);
}

void SearchableLibrary::attach(QGridLayout *grid, QLineEdit *search, PageWidget *bar)
{
    m_grid = grid;
    m_search = search;
    m_bar = bar;

    // The search button sits inside the input at its right end.
    m_searchButton = new QPushButton(search);
    m_searchButton->setObjectName(QStringLiteral("pushButton_search"));
    m_searchButton->setFixedSize(21, 21);
    m_searchButton->setCursor(Qt::PointingHandCursor);
    m_searchButton->setIcon(QIcon(QStringLiteral(":/png4/helpcenter/search1B.png")));
    m_searchButton->setIconSize(QSize(21, 21));
    m_searchButton->setStyleSheet(QStringLiteral("QPushButton { border: none; background: transparent; }"));
    auto *row = new QHBoxLayout(search);
    row->setContentsMargins(0, 0, 10, 0);
    row->addStretch();
    row->addWidget(m_searchButton);
    search->setTextMargins(0, 0, 10 + 21, 0);
    connect(m_searchButton, &QPushButton::clicked, this, &SearchableLibrary::editSearch);

    m_bar->setMaxPage(1);
    connect(m_bar, &PageWidget::shootPage, this, &SearchableLibrary::shootPage);
}

int SearchableLibrary::pageCount(int total)
{
    return total / 10 + (total % 10 > 0 ? 1 : 0);
}

void SearchableLibrary::initialise()
{
    if (!m_categories.isEmpty())
        return;
    QList<LibraryItem> categories;
    QPointer<SearchableLibrary> self(this);
    HttpClassInput::instance()->fetchCategories(BaseAddress::api() + ApiPaths::resCategories, {},
                                                {{QStringLiteral("resSort"), m_resSort}}, categories);
    // The panel may have gone, or another call filled the grid, while this one waited.
    if (!self || !m_categories.isEmpty() || categories.isEmpty())
        return;
    m_categories = categories;
    // Full names on the buttons, in this library's text colour.
    m_buttons.fill(m_grid, this, m_categories, -1, this, SLOT(btn_click(bool)));
    QString style = CategoryButtons::styleSheet();
    style.replace(QStringLiteral("#323232"), m_textColour);
    for (QPushButton *b : m_buttons.buttons())
        b->setStyleSheet(style);
}

void SearchableLibrary::btn_click(bool istrue)
{
    const QString id = m_buttons.choose(qobject_cast<QPushButton *>(sender()), istrue);
    if (id.isEmpty())
        return;
    for (const LibraryItem &c : qAsConst(m_categories)) {
        if (c.id == id) {
            m_currentCategory = c.id;
            loadPage(QStringLiteral("1"), QStringLiteral("10"), m_currentCategory, QString());
            return;
        }
    }
}

void SearchableLibrary::editSearch()
{
    loadPage(QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("0"), m_search->text());
}

void SearchableLibrary::shootPage(int page)
{
    // Pages run over the search, not over the chosen category.
    loadPage(QString::number(page), QStringLiteral("10"), QStringLiteral("0"), m_search->text());
}

void SearchableLibrary::loadPage(const QString &pageNum, const QString &pageSize, const QString &categoryId,
                                 const QString &title)
{
    const int serial = ++m_loadSerial;
    m_records.clear();
    QList<LibraryItem> records;
    QPointer<SearchableLibrary> self(this);
    HttpClassInput::instance()->fetchResources(BaseAddress::api() + ApiPaths::resList, {},
                                               {{QStringLiteral("id"), categoryId},
                                                {QStringLiteral("pageNum"), pageNum},
                                                {QStringLiteral("pageSize"), pageSize},
                                                {QStringLiteral("resSort"), m_resSort},
                                                {QStringLiteral("title"), title}},
                                               records);
    // The panel may have gone, or a later load taken over, while this waited.
    if (!self || serial != m_loadSerial)
        return;
    m_records = records;
    showRecords(m_records.mid(0, TileCount));
    if (!m_records.isEmpty())
        m_bar->setMaxPage(qMax(1, pageCount(m_records.first().total)));
    update();
}
