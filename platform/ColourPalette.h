#pragma once

#include <QColor>
#include <QWidget>

// The colours a teacher picks text and highlight colours from: a row of
// greys and the ten standard Office colours, with "无" for no colour where
// it applies.
class ColourPalette : public QWidget
{
    Q_OBJECT

public:
    explicit ColourPalette(bool withNone, QWidget *parent = nullptr);
    static QList<QColor> colours();
    QSize sizeHint() const override;
    QPoint swatchCentre(const QColor &colour) const;

signals:
    // An invalid colour means none.
    void picked(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int swatchAt(const QPoint &pos) const;
    QRect swatchRect(int index) const;
    QRect noneRect() const;

    bool m_withNone;
    int m_hover = -1;
};
