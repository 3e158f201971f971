#pragma once

#include <QListWidget>

// The column of slide thumbnails beside the slide: click to show a slide,
// drag to reorder, Delete to remove the selected one.
class SlideStrip : public QListWidget
{
    Q_OBJECT

public:
    explicit SlideStrip(QWidget *parent = nullptr);

    void setSlideCount(int count);
    void setCurrentSlide(int index);
    void setThumbnail(int index, const QImage &image);
    // Hidden slides are drawn dimmed, their number struck through.
    void setHiddenSlides(const QList<int> &slides);
    bool isSlideHidden(int index) const;
    // Width of a thumbnail in device-independent pixels.
    int thumbnailWidth() const;
    void setAspect(double heightPerWidth);

signals:
    void slideActivated(int index);
    void deleteRequested(int index);
    void moveRequested(int from, int to);
    void menuRequested(int index, const QPoint &globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Where a drop at this point would put the dragged slide.
    int dropIndex(const QPoint &pos) const;
    void updateSizes();

    bool m_updating = false;
    double m_aspect = 9.0 / 16.0;
    int m_dragFrom = -1;
    QPoint m_pressPos;
    bool m_dragging = false;
    int m_dropIndex = -1;
};
