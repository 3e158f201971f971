#include "GifWriter.h"

namespace {
const int kTransparent = 255;

void putShort(QByteArray &out, int v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}
}

GifWriter::GifWriter(int width, int height, int delayCentiseconds)
    : m_width(width), m_height(height), m_delay(delayCentiseconds)
{
    // Shades from the theme green to white: the spinner uses nothing else.
    for (int i = 0; i < 255; ++i) {
        const int r = 0x03 + (255 - 0x03) * i / 254;
        const int g = 0x80 + (255 - 0x80) * i / 254;
        const int b = 0x4B + (255 - 0x4B) * i / 254;
        m_palette.append(qRgb(r, g, b));
    }
    m_palette.append(qRgb(255, 255, 255));

    m_out.append("GIF89a");
    putShort(m_out, m_width);
    putShort(m_out, m_height);
    m_out.append(char(0xF7)); // global table of 256 colours
    m_out.append(char(0));
    m_out.append(char(0));
    for (QRgb c : m_palette) {
        m_out.append(char(qRed(c)));
        m_out.append(char(qGreen(c)));
        m_out.append(char(qBlue(c)));
    }
    // Netscape loop extension: loop for ever.
    m_out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
}

int GifWriter::paletteIndex(QRgb pixel) const
{
    if (qAlpha(pixel) < 128)
        return kTransparent;
    int best = 0;
    int bestDist = INT_MAX;
    for (int i = 0; i < kTransparent; ++i) {
        const QRgb c = m_palette.at(i);
        const int dr = qRed(c) - qRed(pixel);
        const int dg = qGreen(c) - qGreen(pixel);
        const int db = qBlue(c) - qBlue(pixel);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

// LZW with a clear code often enough that the code width stays at 9 bits:
// larger than necessary, but simple and valid for every decoder.
QByteArray GifWriter::lzwEncode(const QByteArray &indices) const
{
    const int clear = 256;
    const int end = 257;
    QByteArray bytes;
    quint32 acc = 0;
    int bits = 0;
    auto put = [&](int code) {
        acc |= quint32(code) << bits;
        bits += 9;
        while (bits >= 8) {
            bytes.append(char(acc & 0xff));
            acc >>= 8;
            bits -= 8;
        }
    };
    int sinceClear = 0;
    put(clear);
    for (char c : indices) {
        if (sinceClear == 250) {
            put(clear);
            sinceClear = 0;
        }
        put(uchar(c));
        ++sinceClear;
    }
    put(end);
    if (bits > 0)
        bytes.append(char(acc & 0xff));

    QByteArray blocks;
    blocks.append(char(8)); // minimum code size
    for (int i = 0; i < bytes.size(); i += 255) {
        const QByteArray chunk = bytes.mid(i, 255);
        blocks.append(char(chunk.size()));
        blocks.append(chunk);
    }
    blocks.append(char(0));
    return blocks;
}

void GifWriter::addFrame(const QImage &frame)
{
    const QImage img = frame.convertToFormat(QImage::Format_ARGB32).scaled(m_width, m_height);
    QByteArray indices;
    indices.reserve(m_width * m_height);
    for (int y = 0; y < m_height; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < m_width; ++x)
            indices.append(char(paletteIndex(line[x])));
    }
    // Graphic control: restore to background, transparent index.
    m_out.append("\x21\xF9\x04", 3);
    m_out.append(char(0x09));
    putShort(m_out, m_delay);
    m_out.append(char(kTransparent));
    m_out.append(char(0));
    // Image descriptor covering the whole canvas.
    m_out.append(char(0x2C));
    putShort(m_out, 0);
    putShort(m_out, 0);
    putShort(m_out, m_width);
    putShort(m_out, m_height);
    m_out.append(char(0));
    m_out.append(lzwEncode(indices));
}

QByteArray GifWriter::finish()
{
    m_out.append(char(0x3B));
    return m_out;
}
