#pragma once

#include <QByteArray>
#include <QImage>
#include <QVector>

// Writes an animated, looping GIF from frames of equal size. Colours are
// mapped to shades of the theme green; transparent pixels stay transparent.
class GifWriter
{
public:
    GifWriter(int width, int height, int delayCentiseconds);
    void addFrame(const QImage &frame);
    QByteArray finish();

private:
    int paletteIndex(QRgb pixel) const;
    QByteArray lzwEncode(const QByteArray &indices) const;

    int m_width;
    int m_height;
    int m_delay;
    QVector<QRgb> m_palette;
    QByteArray m_out;
};
