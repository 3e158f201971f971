#include "QxtSpanSlider.h"

#include "QxtSpanSliderPrivate.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionSlider>
#include <QStylePainter>

QxtSpanSlider::QxtSpanSlider(QWidget *parent)
    : QSlider(parent)
    , d(new QxtSpanSliderPrivate(this))
{
    init();
}

QxtSpanSlider::QxtSpanSlider(Qt::Orientation orientation, QWidget *parent)
    : QSlider(orientation, parent)
    , d(new QxtSpanSliderPrivate(this))
{
    init();
}

QxtSpanSlider::~QxtSpanSlider() = default;

void QxtSpanSlider::init()
{
    qRegisterMetaType<QxtSpanSlider::SpanHandle>();
    connect(this, &QAbstractSlider::rangeChanged, d, &QxtSpanSliderPrivate::updateRange);
    connect(this, &QAbstractSlider::sliderReleased, d, &QxtSpanSliderPrivate::movePressedHandle);
}

QxtSpanSlider::HandleMovementMode QxtSpanSlider::handleMovementMode() const
{
    return d->movement;
}

void QxtSpanSlider::setHandleMovementMode(HandleMovementMode mode)
{
    d->movement = mode;
}

int QxtSpanSlider::lowerValue() const
{
    return qMin(d->lower, d->upper);
}

int QxtSpanSlider::upperValue() const
{
    return qMax(d->lower, d->upper);
}

int QxtSpanSlider::lowerPosition() const
{
    return d->lowerPos;
}

int QxtSpanSlider::upperPosition() const
{
    return d->upperPos;
}

void QxtSpanSlider::setLowerValue(int lower)
{
    setSpan(lower, d->upper);
}

void QxtSpanSlider::setUpperValue(int upper)
{
    setSpan(d->lower, upper);
}

void QxtSpanSlider::setSpan(int lower, int upper)
{
    const int low = qBound(minimum(), qMin(lower, upper), maximum());
    const int upp = qBound(minimum(), qMax(lower, upper), maximum());
    // Compare with what the getters report: while handles swap roles the two
    // stored values can be out of order for a moment.
    const bool lowChanged = low != lowerValue();
    const bool uppChanged = upp != upperValue();
    if (!lowChanged && !uppChanged)
        return;
    d->lower = low;
    d->upper = upp;
    if (lowChanged) {
        d->lowerPos = low;
        emit lowerValueChanged(low);
    }
    if (uppChanged) {
        d->upperPos = upp;
        emit upperValueChanged(upp);
    }
    emit spanChanged(low, upp);
    update();
}

void QxtSpanSlider::setLowerPosition(int lower)
{
    if (d->lowerPos == lower)
        return;
    d->lowerPos = lower;
    if (!hasTracking())
        update();
    if (isSliderDown())
        emit lowerPositionChanged(lower);
    if (hasTracking() && !d->blockTracking)
        d->triggerAction(SliderMove, d->mainControl == LowerHandle);
}

void QxtSpanSlider::setUpperPosition(int upper)
{
    if (d->upperPos == upper)
        return;
    d->upperPos = upper;
    if (!hasTracking())
        update();
    if (isSliderDown())
        emit upperPositionChanged(upper);
    if (hasTracking() && !d->blockTracking)
        d->triggerAction(SliderMove, d->mainControl == UpperHandle);
}

void QxtSpanSlider::keyPressEvent(QKeyEvent *event)
{
    QSlider::keyPressEvent(event);

    bool main = true;
    SliderAction action = SliderNoAction;
    switch (event->key()) {
    case Qt::Key_Left:
        main = orientation() == Qt::Horizontal;
        action = !invertedAppearance() ? SliderSingleStepSub : SliderSingleStepAdd;
        break;
    case Qt::Key_Right:
        main = orientation() == Qt::Horizontal;
        action = !invertedAppearance() ? SliderSingleStepAdd : SliderSingleStepSub;
        break;
    case Qt::Key_Up:
        main = orientation() == Qt::Vertical;
        action = invertedControls() ? SliderSingleStepSub : SliderSingleStepAdd;
        break;
    case Qt::Key_Down:
        main = orientation() == Qt::Vertical;
        action = invertedControls() ? SliderSingleStepAdd : SliderSingleStepSub;
        break;
    case Qt::Key_Home:
        main = d->mainControl == LowerHandle;
        action = SliderToMinimum;
        break;
    case Qt::Key_End:
        main = d->mainControl == UpperHandle;
        action = SliderToMaximum;
        break;
    default:
        event->ignore();
        break;
    }
    if (action != SliderNoAction)
        d->triggerAction(action, main);
}

void QxtSpanSlider::mousePressEvent(QMouseEvent *event)
{
    if (minimum() == maximum() || (event->buttons() ^ event->button())) {
        event->ignore();
        return;
    }
    d->handleMousePress(event->pos(), d->upperPressed, d->upper, UpperHandle);
    if (d->upperPressed != QStyle::SC_SliderHandle)
        d->handleMousePress(event->pos(), d->lowerPressed, d->lower, LowerHandle);
    d->firstMovement = true;
    event->accept();
}

void QxtSpanSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (d->lowerPressed != QStyle::SC_SliderHandle && d->upperPressed != QStyle::SC_SliderHandle) {
        event->ignore();
        return;
    }

    QStyleOptionSlider opt;
    d->initStyleOption(&opt);
    const int m = style()->pixelMetric(QStyle::PM_MaximumDragDistance, &opt, this);
    int newPosition = d->pixelPosToRangeValue(d->pick(event->pos()) - d->offset);
    if (m >= 0) {
        const QRect r = rect().adjusted(-m, -m, m, m);
        if (!r.contains(event->pos()))
            newPosition = d->position;
    }

    // With both handles on one value, the first drag decides which one moves.
    if (d->firstMovement) {
        if (d->lower == d->upper) {
            if (newPosition < lowerValue()) {
                d->swapControls();
                d->firstMovement = false;
            }
        } else {
            d->firstMovement = false;
        }
    }

    if (d->lowerPressed == QStyle::SC_SliderHandle) {
        if (d->movement == NoCrossing)
            newPosition = qMin(newPosition, upperValue());
        else if (d->movement == NoOverlapping)
            newPosition = qMin(newPosition, upperValue() - 1);
        if (d->movement == FreeMovement && newPosition > d->upper) {
            d->swapControls();
            setUpperPosition(newPosition);
        } else {
            setLowerPosition(newPosition);
        }
    } else if (d->upperPressed == QStyle::SC_SliderHandle) {
        if (d->movement == NoCrossing)
            newPosition = qMax(newPosition, lowerValue());
        else if (d->movement == NoOverlapping)
            newPosition = qMax(newPosition, lowerValue() + 1);
        if (d->movement == FreeMovement && newPosition < d->lower) {
            d->swapControls();
            setLowerPosition(newPosition);
        } else {
            setUpperPosition(newPosition);
        }
    }
    event->accept();
}

void QxtSpanSlider::mouseReleaseEvent(QMouseEvent *event)
{
    QSlider::mouseReleaseEvent(event);
    setSliderDown(false);
    d->lowerPressed = QStyle::SC_None;
    d->upperPressed = QStyle::SC_None;
    update();
}

void QxtSpanSlider::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);

    // Groove and tick marks, without the base class's handle.
    QStyleOptionSlider opt;
    d->initStyleOption(&opt);
    opt.sliderValue = 0;
    opt.sliderPosition = 0;
    opt.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderTickmarks;
    painter.drawComplexControl(QStyle::CC_Slider, opt);

    // The span runs between the two handle centres.
    opt.sliderPosition = d->lowerPos;
    const QRect lr = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    const int lrv = d->pick(lr.center());
    opt.sliderPosition = d->upperPos;
    const QRect ur = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    const int urv = d->pick(ur.center());
    const int minv = qMin(lrv, urv);
    const int maxv = qMax(lrv, urv);
    const QPoint c = QRect(lr.center(), ur.center()).center();
    QRect spanRect;
    if (orientation() == Qt::Horizontal)
        spanRect = QRect(QPoint(minv, c.y() - 2), QPoint(maxv, c.y() + 1));
    else
        spanRect = QRect(QPoint(c.x() - 2, minv), QPoint(c.x() + 1, maxv));
    d->drawSpan(&painter, spanRect);

    // The last pressed handle lies on top.
    if (d->lastPressed == LowerHandle) {
        d->drawHandle(&painter, UpperHandle);
        d->drawHandle(&painter, LowerHandle);
    } else {
        d->drawHandle(&painter, LowerHandle);
        d->drawHandle(&painter, UpperHandle);
    }
}
