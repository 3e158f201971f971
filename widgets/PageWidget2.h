#pragma once

#include "PageWidgetBase.h"

// The full paging bar of the own-resource lists, with a jump-to-page input.
// Reports every change of the current page with currentPageChanged.
class PageWidget2 : public PageWidgetBase
{
    Q_OBJECT

public:
    explicit PageWidget2(QWidget *parent = nullptr);
};
