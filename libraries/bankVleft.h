#pragma once

#include <QList>
#include <QWidget>

namespace Ui {
class bankVleft;
}
class QPushButton;

// The menu along the left edge of the courseware page. Its buttons choose
// the page's view; exactly one is checked. It only reports the choice.
class bankVleft : public QWidget
{
    Q_OBJECT

public:
    // Views, as reported by select_click.
    enum View { EditClass = 0, MyClass, Photo, Photo2, Shape, Video, Mode };

    explicit bankVleft(QWidget *parent = nullptr);
    ~bankVleft() override;

    // Marks the my-courseware entry and reports view 1.
    void selectMyClass();
    // Marks the edit entry without reporting (the page already shows the deck).
    void selectEditClass();
    // The buttons in view order.
    QList<QPushButton *> buttons() const;

signals:
    void select_click(int view);

public slots:
    void on_pushButton_editclass_clicked(bool checked);
    void on_pushButton_myclass_clicked(bool checked);
    void on_pushButton_photo_clicked(bool checked);
    void on_pushButton_photo2_clicked(bool checked);
    void on_pushButton_shape_clicked(bool checked);
    void on_pushButton_video_clicked(bool checked);
    void on_pushButton_mode_clicked(bool checked);

private:
    // Radio behaviour of a click on the button of view v.
    void clicked(int view, bool checked);
    void checkOnly(int view);

    Ui::bankVleft *ui;
};
