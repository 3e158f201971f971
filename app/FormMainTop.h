#pragma once

#include <QPointer>
#include <QWidget>

namespace Ui {
class FormMainTop;
}
class QPushButton;
class Widgetmain;

// The bar across the top of the main window: logo, the four module buttons,
// the teacher's name, logout, help, minimise and close.
class FormMainTop : public QWidget
{
    Q_OBJECT

public:
    explicit FormMainTop(QWidget *parent = nullptr);
    ~FormMainTop() override;

    void setMainWindow(Widgetmain *window) { mainWindow = window; }
    void setUserName(const QString &name);
    void resetToFirstModule();
    QString userNameText() const;

public slots:
    void on_pushButton_clicked(bool checked);
    void on_pushButton_2_clicked(bool checked);
    void on_pushButton_3_clicked(bool checked);
    void on_pushButton_4_clicked(bool checked);
    void on_pushButton_Outlog_clicked(bool checked);
    void on_pushButton_Help_clicked();
    void on_pushButton_Minim_clicked();
    void on_pushButton_X_clicked();
    void shootClose();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void moduleClicked(int index, bool checked);
    QList<QPushButton *> moduleButtons() const;

    Ui::FormMainTop *ui;
    QPointer<Widgetmain> mainWindow;
    int pendingAction = 0;
};
