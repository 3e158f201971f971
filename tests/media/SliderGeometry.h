#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>

// Where a slider's handle is drawn for a value, and a mouse drag that goes
// through the widget's own event handlers as a user's would.
namespace SliderGeometry {

inline QRect handleRect(const QSlider *s, int value)
{
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.subControls = QStyle::SC_None;
    opt.activeSubControls = QStyle::SC_None;
    opt.orientation = s->orientation();
    opt.maximum = s->maximum();
    opt.minimum = s->minimum();
    opt.tickPosition = s->tickPosition();
    opt.tickInterval = s->tickInterval();
    opt.upsideDown = s->orientation() == Qt::Horizontal
                         ? (s->invertedAppearance() != (opt.direction == Qt::RightToLeft))
                         : !s->invertedAppearance();
    opt.direction = Qt::LeftToRight;
    opt.sliderPosition = value;
    opt.sliderValue = value;
    opt.singleStep = s->singleStep();
    opt.pageStep = s->pageStep();
    if (s->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    return s->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, s);
}

inline void drag(QWidget *w, const QPoint &from, const QPoint &to, int steps = 8)
{
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= steps; ++i) {
        const QPoint p = from + (to - from) * i / steps;
        QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, to);
}

}
