#include "PageWidget.h"

namespace {
PageWidgetBase::Face compactFace()
{
    PageWidgetBase::Face f;
    f.firstText = QStringLiteral("首页");
    f.lastText = QStringLiteral("尾页");
    f.showPreviousNext = false;
    f.placeJumpRow = false;
    f.jumpLeadText = QStringLiteral("Go");
    f.jumpTrailText = QStringLiteral("Page");
    f.leadingStretch = false;
    f.buttonStretch = 1;
    f.spacing = 2;
    f.margin = 2;
    f.reportEverySetting = true;
    f.styleSheet = QStringLiteral(
        "QPushButton { font: 15px \"微软雅黑\"; padding-left: 5px; padding-right: 5px; color: black;"
        " border: none; background: transparent; }"
        "QPushButton:hover { border-bottom: 1px solid black; }"
        "QPushButton:checked, QPushButton:disabled { color: grey; }");
    return f;
}
}

PageWidget::PageWidget(QWidget *parent)
    : PageWidgetBase(compactFace(), parent)
{
}
