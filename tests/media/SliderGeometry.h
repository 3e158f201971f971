#pragma once

#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

// Where a slider's handle is drawn for a value (sliders left to right, as
// the editing page has them).
namespace SliderGeometry {

inline QRect handleRect(const QSlider *s, int value)
{
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.orientation = s->orientation();
    opt.state |= QStyle::State_Horizontal;
    opt.minimum = s->minimum();
    opt.maximum = s->maximum();
    opt.sliderPosition = value;
    return s->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, s);
}

}
