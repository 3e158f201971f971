#pragma once

#include <QMovie>
#include <QWidget>

namespace Ui {
class FormAnimation;
}

// The busy overlay ("保存中...") shown over the content area while a long
// operation runs. One instance, owned by the main window.
class FormAnimation : public QWidget
{
    Q_OBJECT

public:
    explicit FormAnimation(QWidget *parent = nullptr);
    ~FormAnimation() override;

    // The process-wide overlay; null until the main window made it.
    static FormAnimation *instance();
    // Shows or hides the process-wide overlay when there is one.
    static void showBusyOverlay();
    static void hideBusyOverlay();

    void showBusy();
    void hideBusy();
    void placeBusy(int x, int y);
    void replaceBusy();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void centrePicture();
    void putTextUnderPicture();

    Ui::FormAnimation *ui;
    QMovie movie;
    int placedX = 0;
    int placedY = 0;
};
