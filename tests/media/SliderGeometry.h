#pragma once

#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

// Where a slider's handle is drawn for a value.
namespace SliderGeometry {

inline QRect handleRect(const QSlider *s, int value)
{
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.orientation = s->orientation();
    opt.maximum = s->maximum();
    opt.minimum = s->minimum();
    opt.tickPosition = s->tickPosition();
    opt.upsideDown = s->orientation() == Qt::Horizontal
                         ? (s->invertedAppearance() != (opt.direction == Qt::RightToLeft))
                         : !s->invertedAppearance();
    opt.direction = Qt::LeftToRight;
    opt.sliderPosition = value;
    if (s->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    return s->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, s);
}

}
