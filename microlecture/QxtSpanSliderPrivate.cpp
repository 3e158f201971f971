#include "QxtSpanSliderPrivate.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QStylePainter>

QxtSpanSliderPrivate::QxtSpanSliderPrivate(QxtSpanSlider *slider)
    : QObject(slider)
    , q(slider)
{
}

void QxtSpanSliderPrivate::initStyleOption(QStyleOptionSlider *option,
                                           QxtSpanSlider::SpanHandle handle) const
{
    q->sliderStyleOption(option);
    option->sliderPosition = (handle == QxtSpanSlider::LowerHandle ? lowerPos : upperPos);
    option->sliderValue = (handle == QxtSpanSlider::LowerHandle ? lower : upper);
}

int QxtSpanSliderPrivate::pick(const QPoint &pt) const
{
    return q->orientation() == Qt::Horizontal ? pt.x() : pt.y();
}

int QxtSpanSliderPrivate::pixelPosToRangeValue(int pos) const
{
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect gr = q->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, q);
    const QRect sr = q->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, q);
    int sliderMin, sliderMax;
    if (q->orientation() == Qt::Horizontal) {
        sliderMin = gr.x();
        sliderMax = gr.right() - sr.width() + 1;
    } else {
        sliderMin = gr.y();
        sliderMax = gr.bottom() - sr.height() + 1;
    }
    return QStyle::sliderValueFromPosition(q->minimum(), q->maximum(), pos - sliderMin,
                                           sliderMax - sliderMin, opt.upsideDown);
}

void QxtSpanSliderPrivate::handleMousePress(const QPoint &pos, QStyle::SubControl &control, int value,
                                            QxtSpanSlider::SpanHandle handle)
{
    QStyleOptionSlider opt;
    initStyleOption(&opt, handle);
    const QStyle::SubControl oldControl = control;
    control = q->style()->hitTestComplexControl(QStyle::CC_Slider, &opt, pos, q);
    const QRect sr = q->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, q);
    if (control == QStyle::SC_SliderHandle) {
        position = value;
        offset = pick(pos - sr.topLeft());
        lastPressed = handle;
        q->setSliderDown(true);
        emit q->sliderPressed(handle);
    }
    if (control != oldControl)
        q->update(sr);
}

void QxtSpanSliderPrivate::setupPainter(QPainter *painter, Qt::Orientation orientation, qreal x1,
                                        qreal y1, qreal x2, qreal y2) const
{
    const QColor highlight = q->palette().color(QPalette::Highlight);
    QLinearGradient gradient(x1, y1, x2, y2);
    gradient.setColorAt(0, highlight.darker(120));
    gradient.setColorAt(1, highlight.lighter(108));
    painter->setBrush(gradient);
    const QColor outline = orientation == Qt::Horizontal ? highlight.darker(130) : highlight.darker(150);
    painter->setPen(QPen(outline, 0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
}

void QxtSpanSliderPrivate::drawSpan(QPainter *painter, const QRect &rect) const
{
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    QRect groove = q->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, q);
    painter->setPen(QPen(q->palette().color(QPalette::Dark).lighter(110), 0));
    if (opt.orientation == Qt::Horizontal) {
        groove.adjust(0, 0, -1, 0);
        setupPainter(painter, opt.orientation, groove.center().x(), groove.top(), groove.center().x(),
                     groove.bottom());
    } else {
        groove.adjust(0, 0, 0, -1);
        setupPainter(painter, opt.orientation, groove.left(), groove.center().y(), groove.right(),
                     groove.center().y());
    }
    painter->drawRect(rect.intersected(groove));
}

void QxtSpanSliderPrivate::drawHandle(QPainter *painter, QxtSpanSlider::SpanHandle handle) const
{
    QStyleOptionSlider opt;
    initStyleOption(&opt, handle);
    opt.subControls = QStyle::SC_SliderHandle;
    const QStyle::SubControl pressed = (handle == QxtSpanSlider::LowerHandle ? lowerPressed : upperPressed);
    if (pressed == QStyle::SC_SliderHandle) {
        opt.activeSubControls = pressed;
        opt.state |= QStyle::State_Sunken;
    }
    q->style()->drawComplexControl(QStyle::CC_Slider, &opt, painter, q);
}

void QxtSpanSliderPrivate::triggerAction(QAbstractSlider::SliderAction action, bool main)
{
    int value = 0;
    bool moveNothing = false;
    bool moveUpper = false;
    const int min = q->minimum();
    const int max = q->maximum();
    const QxtSpanSlider::SpanHandle other =
        (mainControl == QxtSpanSlider::LowerHandle ? QxtSpanSlider::UpperHandle : QxtSpanSlider::LowerHandle);
    const bool upperMoves = (main ? mainControl : other) == QxtSpanSlider::UpperHandle;

    blockTracking = true;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        moveUpper = upperMoves;
        value = qBound(min, (moveUpper ? upper : lower) + q->singleStep(), max);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        moveUpper = upperMoves;
        value = qBound(min, (moveUpper ? upper : lower) - q->singleStep(), max);
        break;
    case QAbstractSlider::SliderToMinimum:
        moveUpper = upperMoves;
        value = min;
        break;
    case QAbstractSlider::SliderToMaximum:
        moveUpper = upperMoves;
        value = max;
        break;
    case QAbstractSlider::SliderMove:
    case QAbstractSlider::SliderNoAction:
        moveNothing = true;
        break;
    default:
        qWarning("QxtSpanSliderPrivate::triggerAction: Unknown action");
        moveNothing = true;
        break;
    }

    if (!moveNothing && !moveUpper) {
        if (movement == QxtSpanSlider::NoCrossing)
            value = qMin(value, upper);
        else if (movement == QxtSpanSlider::NoOverlapping)
            value = qMin(value, upper - 1);
        if (movement == QxtSpanSlider::FreeMovement && value > upper) {
            swapControls();
            q->setUpperPosition(value);
        } else {
            q->setLowerPosition(value);
        }
    } else if (!moveNothing) {
        if (movement == QxtSpanSlider::NoCrossing)
            value = qMax(value, lower);
        else if (movement == QxtSpanSlider::NoOverlapping)
            value = qMax(value, lower + 1);
        if (movement == QxtSpanSlider::FreeMovement && value < lower) {
            swapControls();
            q->setLowerPosition(value);
        } else {
            q->setUpperPosition(value);
        }
    }
    blockTracking = false;
    commitPositions();
}

void QxtSpanSliderPrivate::commitPositions()
{
    // Both at once: after a swap the two values are briefly out of order, and
    // committing one at a time would drop the position just set.
    q->setSpan(lowerPos, upperPos);
}

void QxtSpanSliderPrivate::swapControls()
{
    // Positions travel with the values, so each handle stays where it is drawn.
    qSwap(lower, upper);
    qSwap(lowerPos, upperPos);
    qSwap(lowerPressed, upperPressed);
    lastPressed = (lastPressed == QxtSpanSlider::LowerHandle ? QxtSpanSlider::UpperHandle
                                                             : QxtSpanSlider::LowerHandle);
    mainControl = (mainControl == QxtSpanSlider::LowerHandle ? QxtSpanSlider::UpperHandle
                                                             : QxtSpanSlider::LowerHandle);
}

void QxtSpanSliderPrivate::updateRange(int, int)
{
    // setSpan clamps the values to the new range.
    q->setSpan(lower, upper);
}

void QxtSpanSliderPrivate::movePressedHandle()
{
    switch (lastPressed) {
    case QxtSpanSlider::LowerHandle:
        if (lowerPos != lower)
            triggerAction(QAbstractSlider::SliderMove, mainControl == QxtSpanSlider::LowerHandle);
        break;
    case QxtSpanSlider::UpperHandle:
        if (upperPos != upper)
            triggerAction(QAbstractSlider::SliderMove, mainControl == QxtSpanSlider::UpperHandle);
        break;
    default:
        break;
    }
}
