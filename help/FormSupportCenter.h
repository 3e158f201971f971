#pragma once

#include "HelpItem.h"

#include "DimmedOverlay.h"

#include <QJsonObject>

namespace Ui {
class FormSupportCenter;
}
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// The help centre: three tabs of help articles, loaded on first use, with a
// search in the current tab.
class FormSupportCenter : public DimmedOverlay
{
    Q_OBJECT

public:
    explicit FormSupportCenter(QWidget *parent = nullptr);
    ~FormSupportCenter() override;

    QLineEdit *searchField() const { return m_search; }
    // Articles shown per list; a longer list ends in a note to search.
    static constexpr int MaxArticles = 30;
    // The articles shown in a tab (0 exercise, 1 courseware, 2 micro-lecture).
    int articleCount(int tab) const;

signals:
    void shootVideo(QString address);

public slots:
    void clickedBtn(bool bo);
    void on_pushButtonX_clicked();
    void on_pushButton_XT_clicked(bool checked);
    void on_pushButton_KJ_clicked(bool checked);
    void on_pushButton_WK_clicked(bool checked);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Tab
    {
        QPushButton *button;
        QVBoxLayout *layout;
        QString resType;
        QList<HelpItem> items;
        bool notLoaded = true;
    };
    void tabClicked(int index, bool checked);
    // Fetches a tab's articles and shows them; false when the request failed.
    bool load(int index, const QJsonObject &body);
    void fill(int index, const QList<HelpItem> &items);
    void clearArticles(int index);

    Ui::FormSupportCenter *ui;
    QLineEdit *m_search;
    QList<Tab> m_tabs;
};
