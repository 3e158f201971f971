#include "FormBankSLK.h"
#include "ui_FormBankSLK.h"

FormBankSLK::FormBankSLK(QWidget *parent)
    : PictureCategoryLibrary(QStringLiteral("2"), parent), ui(new Ui::FormBankSLK)
{
    ui->setupUi(this);
    attach(ui->gridLayoutBtn, ui->scrollAreaWidgetContents, ui->widget_page);
}

FormBankSLK::~FormBankSLK()
{
    delete ui;
}
