#pragma once

#include <QList>
#include <QWidget>

#include "CategoryButtons.h"
#include "LibraryItem.h"

namespace Ui {
class bankVLTpk;
}
class PageWidget;
class QLabelImags;
class QLabelImagsUp;
class bankPBLiu;

// The image library beside the courseware editor: the teacher's own
// pictures ("我的图库", with the upload tile first) and the platform's public
// pictures ("公共图库", by category or searched by title), each tab in a
// two-column waterfall, ten pictures a page.
class bankVLTpk : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TileCount = 10;
    static constexpr int TileWidth = 135;

    explicit bankVLTpk(QWidget *parent = nullptr);
    ~bankVLTpk() override;

    // One page of the teacher's own pictures.
    void loadOwnPage(const QString &pageNum, const QString &pageSize);
    // One page of public pictures of a category ("0": all).
    void loadPublicPage(const QString &pageNum, const QString &pageSize, const QString &categoryId);
    // The same, limited to pictures whose title holds the text.
    void searchPublicPage(const QString &pageNum, const QString &pageSize, const QString &categoryId,
                          const QString &title);
    // Loads the public categories (once: later calls do nothing).
    void initPublicCategories();

    QString currentCategory() const { return m_currentCategory; }
    const QList<LibraryItem> &records() const { return m_records; }
    const QList<QPushButton *> &categoryButtons() const { return m_buttons.buttons(); }
    bankPBLiu *ownContainer() const;
    bankPBLiu *publicContainer() const;
    QLabelImagsUp *uploadTile() const { return m_upload; }
    PageWidget *pageBar() const;

public slots:
    void shootPage(int page);
    void btn_click(bool istrue);
    void editSearch();
    void on_pushButton_clicked(bool checked);
    void on_pushButton_2_clicked(bool checked);

private:
    void loadPublic(const QString &pageNum, const QString &pageSize, const QString &categoryId, bool withTitle,
                    const QString &title);
    // Fills a container with tiles of the records (and cleared tiles up to
    // ten); false when a later load took over meanwhile.
    bool fillTiles(bankPBLiu *container, const QList<LibraryItem> &records, int kind, int serial);
    void setPageCount(const QList<LibraryItem> &records);

    Ui::bankVLTpk *ui;
    QLabelImagsUp *m_upload = nullptr;
    CategoryButtons m_buttons;
    QList<LibraryItem> m_categories;
    QList<LibraryItem> m_records;
    QString m_currentCategory = QStringLiteral("0");
    bool m_publicShown = false;
    int m_ownSerial = 0;
    int m_publicSerial = 0;
};
