#pragma once

#include <QComboBox>

// A combo box that reports a left-button press with clicked() before its
// popup opens, so the owner can refill it first.
class myComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit myComboBox(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
