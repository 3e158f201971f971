#include "bankVLXzk.h"
#include "ui_bankVLXzk.h"

bankVLXzk::bankVLXzk(QWidget *parent)
    : PictureCategoryLibrary(QStringLiteral("3"), parent), ui(new Ui::bankVLXzk)
{
    ui->setupUi(this);
    attach(ui->gridLayoutBtn, ui->scrollAreaWidgetContents, ui->widget_page);
}

bankVLXzk::~bankVLXzk()
{
    delete ui;
}
