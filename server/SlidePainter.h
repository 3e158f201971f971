#pragma once

#include "DeckWriter.h"

#include <QImage>

// Paints the picture of a generated slide: the same boxes, colours and texts
// that the deck writer puts into the .pptx.
class SlidePainter
{
public:
    static QImage paint(const DeckSlide &slide, const QSize &size = QSize(960, 540));
    // A cover for a deck whose slides we cannot render.
    static QImage cover(const QString &title, const QString &subtitle, const QColor &accent = QColor(0x03, 0x80, 0x4B));
    static QFont font(qreal pixelSize, bool bold = false);
};
