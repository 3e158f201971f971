#pragma once

#include <QTimer>
#include "DimmedOverlay.h"

namespace Ui {
class messageForm;
}

// The in-window message and confirmation dialog: a dimmed layer over an area
// with a card holding a text and one (type 0) or two (types 1, 2) buttons.
// It deletes itself when a button or key closes it.
class messageForm : public DimmedOverlay
{
    Q_OBJECT

public:
    explicit messageForm(int type, QWidget *parent = nullptr);
    ~messageForm() override;

    void setMessage(const QString &text);
    void useSmallText();
    void startAutoClose();
    QString message() const;

signals:
    void shootMessage();
    void shootClose();

public slots:
    void on_pushButtonOK_clicked();
    void on_pushButton_Cancle_clicked();
    void timeout();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Ui::messageForm *ui;
    int type;
    QTimer autoClose;
};
