#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include "CategoryButtons.h"
#include "LibraryItem.h"

class PageWidget;
class QGridLayout;
class QLineEdit;
class QPushButton;

// The body shared by the template and video libraries: platform resources
// of one sort by category, with a title search and a paging bar, ten tiles a
// page. The forms hand their category grid, search input and paging bar to
// attach(); the tiles are theirs (showRecords).
class SearchableLibrary : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TileCount = 10;

    // Loads the categories; later calls do nothing once they are there.
    void initialise();
    // Loads one page: page number, page size, category id and title filter,
    // all as the server takes them.
    void loadPage(const QString &pageNum, const QString &pageSize, const QString &categoryId,
                  const QString &title);

    // Pages for a query of total records, ten a page.
    static int pageCount(int total);

    QString resSort() const { return m_resSort; }
    QString currentCategory() const { return m_currentCategory; }
    const QList<LibraryItem> &categories() const { return m_categories; }
    const QList<LibraryItem> &records() const { return m_records; }
    const QList<QPushButton *> &categoryButtons() const { return m_buttons.buttons(); }
    QLineEdit *searchInput() const { return m_search; }
    QPushButton *searchButton() const { return m_searchButton; }
    PageWidget *pageBar() const { return m_bar; }

public slots:
    void shootPage(int page);
    void btn_click(bool istrue);
    void editSearch();

protected:
    // textColour: the category buttons' text colour.
    SearchableLibrary(const QString &resSort, const QString &textColour, QWidget *parent);
    void attach(QGridLayout *grid, QLineEdit *search, PageWidget *bar);
    // Fills the tiles with the records of the page just loaded (none when the
    // request failed or found nothing).
    virtual void showRecords(const QList<LibraryItem> &records) = 0;

private:
    QString m_resSort;
    QString m_textColour;
    QString m_currentCategory = QStringLiteral("0");
    QList<LibraryItem> m_categories;
    QList<LibraryItem> m_records;
    CategoryButtons m_buttons;
    QGridLayout *m_grid = nullptr;
    QLineEdit *m_search = nullptr;
    QPushButton *m_searchButton = nullptr;
    PageWidget *m_bar = nullptr;
    int m_loadSerial = 0;
};
