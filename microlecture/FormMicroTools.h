#pragma once

#include <QUrl>
#include <QWidget>

namespace Ui {
class FormMicroTools;
}

// The tools panel of the micro-lecture page: cards of outside tools that
// open their web sites in the default browser.
class FormMicroTools : public QWidget
{
    Q_OBJECT

public:
    explicit FormMicroTools(QWidget *parent = nullptr);
    ~FormMicroTools() override;

    // The web site of card 1 to 4.
    static QUrl toolAddress(int card);

public slots:
    void on_toolButton_1_clicked();
    void on_toolButton_2_clicked();
    void on_toolButton_3_clicked();
    void on_toolButton_4_clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Ui::FormMicroTools *ui;
};
