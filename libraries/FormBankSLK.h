#pragma once

#include "PictureCategoryLibrary.h"

namespace Ui {
class FormBankSLK;
}

// The vector library ("矢量库") beside the courseware editor.
class FormBankSLK : public PictureCategoryLibrary
{
    Q_OBJECT

public:
    explicit FormBankSLK(QWidget *parent = nullptr);
    ~FormBankSLK() override;

private:
    Ui::FormBankSLK *ui;
};
