#pragma once

#include <QWidget>

namespace Ui {
class bankTop;
}

// The bar over the deck being edited: open a local deck, save it to the
// working file, export it, show the open file's name, and publish once the
// deck was saved or exported.
class bankTop : public QWidget
{
    Q_OBJECT

public:
    explicit bankTop(QWidget *parent = nullptr);
    ~bankTop() override;

public slots:
    void on_pushButton_open_clicked();
    void on_pushButton1_clicked();
    void on_pushButton2_clicked();
    void on_pushButton_FB_clicked();
    void shootCode(int code, QString str);
    void shootOk();
    void shootCancel();
    void mydestory();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showFileName(const QString &path);

    Ui::bankTop *ui;
    // A save is waiting for the office: open and save are refused meanwhile.
    bool m_saving = false;
};
