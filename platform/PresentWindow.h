#pragma once

#include <QHash>
#include <QImage>
#include <QWidget>

// The slide show: one full-screen window showing each slide rendered at the
// screen's own resolution. Keys and clicks step through the slides; Esc
// ends the show and reports the slide shown last.
class PresentWindow : public QWidget
{
    Q_OBJECT

public:
    PresentWindow(int slides, int first, QWidget *parent = nullptr);

    int currentSlide() const { return m_current; }
    // The rendered size slides are asked for, in device pixels.
    QSize renderSize() const;
    enum Screen { Slide, Black, White };
    Screen screen() const { return m_screen; }

public slots:
    // A rendered slide from the office.
    // pixels: the size it was asked for, the image keeps the slide's shape.
    void setSlideImage(int slide, const QImage &image, const QSize &pixels);
    void go(int slide);

signals:
    // The window needs these slides rendered at renderSize().
    void renderRequested(int slide, const QSize &pixels);
    void ended(int lastSlide);
    // A slide reached the screen.
    void slideShown(int slide);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void request(int slide);
    void finish();

    int m_slides;
    int m_current;
    Screen m_screen = Slide;
    QString m_typed;
    QHash<int, QImage> m_images;
    QSize m_renderedFor;
    bool m_painted = false;
    bool m_ended = false;
};
