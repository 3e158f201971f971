#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

// The loading bar of the login window: a figure walks along the bar while it
// fills in steps of 9 % and signals when it is full.
class LabelPaint : public QWidget
{
    Q_OBJECT

public:
    explicit LabelPaint(QWidget *parent = nullptr);

    void start(int stepMs);
    int percent() const { return m_percent; }
    bool isActive() const { return m_active; }

signals:
    void shootEnd();

public slots:
    void handleTimeout();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_active = false;
    int m_percent = 0;
    QTimer *m_timer = nullptr;
    QPixmap m_background;
    QPixmap m_fill;
    QPixmap m_figure;
};
