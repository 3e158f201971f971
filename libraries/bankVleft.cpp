#include "bankVleft.h"
#include "ui_bankVleft.h"

bankVleft::bankVleft(QWidget *parent)
    : QWidget(parent), ui(new Ui::bankVleft)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    // The libraries behind these stay reachable through select_click.
    ui->pushButton_photo->hide();
    ui->pushButton_photo2->hide();
    ui->pushButton_shape->hide();
    ui->pushButton_video->hide();
}

bankVleft::~bankVleft()
{
    delete ui;
}

QList<QPushButton *> bankVleft::buttons() const
{
    return {ui->pushButton_editclass, ui->pushButton_myclass, ui->pushButton_photo, ui->pushButton_photo2,
            ui->pushButton_shape,     ui->pushButton_video,   ui->pushButton_mode};
}

void bankVleft::checkOnly(int view)
{
    const QList<QPushButton *> all = buttons();
    for (int i = 0; i < all.size(); ++i)
        all.at(i)->setChecked(i == view);
}

void bankVleft::clicked(int view, bool checked)
{
    if (!checked) {
        // A click on the checked button keeps it checked, and still brings
        // its view back if the page shows another one.
        buttons().at(view)->setChecked(true);
    } else {
        checkOnly(view);
    }
    emit select_click(view);
}

void bankVleft::selectMyClass()
{
    checkOnly(MyClass);
    emit select_click(MyClass);
}

void bankVleft::selectEditClass()
{
    checkOnly(EditClass);
}

void bankVleft::on_pushButton_editclass_clicked(bool checked) { clicked(EditClass, checked); }
void bankVleft::on_pushButton_myclass_clicked(bool checked) { clicked(MyClass, checked); }
void bankVleft::on_pushButton_photo_clicked(bool checked) { clicked(Photo, checked); }
void bankVleft::on_pushButton_photo2_clicked(bool checked) { clicked(Photo2, checked); }
void bankVleft::on_pushButton_shape_clicked(bool checked) { clicked(Shape, checked); }
void bankVleft::on_pushButton_video_clicked(bool checked) { clicked(Video, checked); }
void bankVleft::on_pushButton_mode_clicked(bool checked) { clicked(Mode, checked); }
