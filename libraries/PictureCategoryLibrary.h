#pragma once

#include <QList>
#include <QWidget>

#include "CategoryButtons.h"
#include "LibraryItem.h"

class PageWidget;
class QFlowLayout;
class QGridLayout;
class QLabelImags;

// The common body of the vector and shape libraries: platform pictures of
// one sort, by category, ten a page in a flow of fixed tiles. The forms of
// the two libraries hand their grid, tile area and paging bar to attach().
class PictureCategoryLibrary : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TileCount = 10;
    static constexpr int TileHeight = 120;

    // Loads the categories (once: later calls do nothing).
    void initialise();
    // Loads one page of a category; all three arguments as the server takes them.
    void loadPage(const QString &pageNum, const QString &pageSize, const QString &categoryId);

    QString resSort() const { return m_resSort; }
    QString currentCategory() const { return m_currentCategory; }
    const QList<LibraryItem> &categories() const { return m_categories; }
    const QList<LibraryItem> &records() const { return m_records; }
    const QList<QPushButton *> &categoryButtons() const { return m_buttons.buttons(); }
    QList<QLabelImags *> tiles() const;
    QFlowLayout *flowLayout() const { return m_flow; }
    PageWidget *pageBar() const { return m_bar; }

public slots:
    void shootPage(int page);
    void btn_click(bool bo);

protected:
    PictureCategoryLibrary(const QString &resSort, QWidget *parent);
    void attach(QGridLayout *grid, QWidget *tileArea, PageWidget *bar);

private:
    void clearTile(QLabelImags *tile);

    QString m_resSort;
    QString m_currentCategory = QStringLiteral("0");
    QList<LibraryItem> m_categories;
    QList<LibraryItem> m_records;
    CategoryButtons m_buttons;
    QGridLayout *m_grid = nullptr;
    QFlowLayout *m_flow = nullptr;
    PageWidget *m_bar = nullptr;
    int m_loadSerial = 0;
};
