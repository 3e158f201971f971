#include "PageWidget2.h"

namespace {
PageWidgetBase::Face fullFace()
{
    PageWidgetBase::Face f;
    f.firstText = QStringLiteral("第一页");
    f.lastText = QStringLiteral("最后一页");
    f.showPreviousNext = true;
    f.placeJumpRow = true;
    f.jumpLeadText = QStringLiteral("第");
    f.jumpTrailText = QStringLiteral("页");
    f.leadingStretch = true;
    f.buttonStretch = 0;
    f.spacing = 9;
    f.margin = 0;
    f.reportEverySetting = false;
    f.styleSheet = QStringLiteral(
        "QPushButton { font: 14px \"微软雅黑\"; padding-left: 2px; padding-right: 2px; color: black;"
        " border: none; background: transparent; min-height: 24px; }"
        "QPushButton:hover { border-bottom: 1px solid #4D4D4D; }"
        "QPushButton:checked { color: white; background: #4D4D4D; border-radius: 2px; }"
        "QPushButton:disabled { color: grey; }"
        "QLabel { color: #4D4D4D; }"
        "QLabel#warningLabel { color: #FC4E4E; }"
        "QLineEdit { font: 14px \"微软雅黑\"; border: 1px solid #C8C8C8; border-radius: 2px;"
        " background: white; min-height: 22px; }");
    return f;
}
}

PageWidget2::PageWidget2(QWidget *parent)
    : PageWidgetBase(fullFace(), parent)
{
}
