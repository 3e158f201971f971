#pragma once

#include "PageWidgetBase.h"

// The compact paging bar of the resource libraries. A click on one of its
// buttons reports the chosen page with shootPage.
class PageWidget : public PageWidgetBase
{
    Q_OBJECT

public:
    explicit PageWidget(QWidget *parent = nullptr);

signals:
    void shootPage(int page);

public slots:
    void changePageNum(int currentPageNum) { PageWidgetBase::changePageNum(currentPageNum); }

protected:
    void pageChosen(int page) override { emit shootPage(page); }
};
