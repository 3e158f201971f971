#pragma once

#include <QPixmap>
#include <QWidget>

// The enlarged picture of a help article over the dimmed window; a left
// click closes it.
class MyWidgets : public QWidget
{
    Q_OBJECT

public:
    explicit MyWidgets(const QPixmap &picture, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
};
