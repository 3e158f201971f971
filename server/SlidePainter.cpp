#include "SlidePainter.h"

#include <QPainter>
#include <QTextOption>

QFont SlidePainter::font(qreal pixelSize, bool bold)
{
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QImage SlidePainter::paint(const DeckSlide &s, const QSize &size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(s.kind == DeckSlide::Blank ? QColor(Qt::white) : s.background);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF canvas(size);
    // Points in the deck are pixels at 960 x 540.
    const qreal scale = size.height() / 540.0;
    const QColor dark(0x33, 0x33, 0x33);
    auto box = [&](DeckWriter::Box b) { return DeckWriter::boxAt(b, canvas); };

    switch (s.kind) {
    case DeckSlide::Blank:
        break;
    case DeckSlide::Cover: {
        p.fillRect(box(DeckWriter::Box::CoverBand), s.accent);
        p.setPen(s.accent.darker(130));
        p.setFont(font(44 * scale, true));
        p.drawText(box(DeckWriter::Box::CoverTitle), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, s.title);
        p.setPen(dark);
        p.setFont(font(24 * scale));
        p.drawText(box(DeckWriter::Box::CoverSubtitle), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, s.subtitle);
        break;
    }
    case DeckSlide::Content: {
        p.fillRect(box(DeckWriter::Box::Band), s.accent);
        p.setPen(Qt::white);
        p.setFont(font(32 * scale, true));
        p.drawText(box(DeckWriter::Box::Title).adjusted(8 * scale, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, s.title);
        const bool picture = !s.picture.isEmpty();
        QRectF body = box(picture ? DeckWriter::Box::BodyBesidePicture : DeckWriter::Box::Body).adjusted(8 * scale, 6 * scale, 0, 0);
        p.setFont(font(24 * scale));
        qreal y = body.top();
        for (const QString &line : s.lines) {
            y += 12 * scale;
            p.setPen(Qt::NoPen);
            p.setBrush(s.accent);
            p.drawEllipse(QPointF(body.left() + 6 * scale, y + 17 * scale), 4 * scale, 4 * scale);
            const QRectF textBox(body.left() + 36 * scale, y, body.width() - 36 * scale, body.bottom() - y);
            p.setPen(dark);
            QRectF used;
            p.drawText(textBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, line, &used);
            y += used.height();
        }
        if (picture) {
            QImage pic;
            pic.loadFromData(s.picture);
            if (!pic.isNull())
                p.drawImage(box(DeckWriter::Box::Picture), pic);
        }
        break;
    }
    }
    return img;
}

QImage SlidePainter::cover(const QString &title, const QString &subtitle, const QColor &accent)
{
    DeckSlide s;
    s.kind = DeckSlide::Cover;
    s.title = title;
    s.subtitle = subtitle;
    s.accent = accent;
    s.background = QColor(0xF7, 0xFB, 0xF9);
    return paint(s);
}
