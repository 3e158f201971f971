#pragma once

#include <QImage>
#include <QWidget>

// Paints the frames of libmpv's software renderer.
class SoftwareVideoWidget : public QWidget
{
    Q_OBJECT

public:
    explicit SoftwareVideoWidget(QWidget *parent = nullptr);

    void setFrame(const QImage &frame);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_frame;
};
