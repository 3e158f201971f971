#pragma once

#include "QxtSpanSlider.h"

#include <QObject>
#include <QStyle>

class QPainter;
class QStyleOptionSlider;

// State and helpers of QxtSpanSlider.
class QxtSpanSliderPrivate : public QObject
{
    Q_OBJECT

public:
    explicit QxtSpanSliderPrivate(QxtSpanSlider *slider);

    void initStyleOption(QStyleOptionSlider *option,
                         QxtSpanSlider::SpanHandle handle = QxtSpanSlider::UpperHandle) const;
    int pick(const QPoint &pt) const;
    int pixelPosToRangeValue(int pos) const;
    void handleMousePress(const QPoint &pos, QStyle::SubControl &control, int value,
                          QxtSpanSlider::SpanHandle handle);
    void drawHandle(QPainter *painter, QxtSpanSlider::SpanHandle handle) const;
    void setupPainter(QPainter *painter, Qt::Orientation orientation, qreal x1, qreal y1, qreal x2,
                      qreal y2) const;
    void drawSpan(QPainter *painter, const QRect &rect) const;
    void triggerAction(QAbstractSlider::SliderAction action, bool main);
    void swapControls();
    // Commits both drawn positions as values.
    void commitPositions();

    int lower = 0;
    int upper = 0;
    int lowerPos = 0;
    int upperPos = 0;
    int offset = 0;
    int position = 0;
    QxtSpanSlider::SpanHandle lastPressed = QxtSpanSlider::NoHandle;
    QxtSpanSlider::SpanHandle mainControl = QxtSpanSlider::LowerHandle;
    QStyle::SubControl lowerPressed = QStyle::SC_None;
    QStyle::SubControl upperPressed = QStyle::SC_None;
    QxtSpanSlider::HandleMovementMode movement = QxtSpanSlider::FreeMovement;
    bool firstMovement = false;
    bool blockTracking = false;

public slots:
    void updateRange(int min, int max);
    void movePressedHandle();

private:
    QxtSpanSlider *q;
};
