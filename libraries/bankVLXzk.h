#pragma once

#include "PictureCategoryLibrary.h"

namespace Ui {
class bankVLXzk;
}

// The shape library ("形状库") beside the courseware editor.
class bankVLXzk : public PictureCategoryLibrary
{
    Q_OBJECT

public:
    explicit bankVLXzk(QWidget *parent = nullptr);
    ~bankVLXzk() override;

private:
    Ui::bankVLXzk *ui;
};
