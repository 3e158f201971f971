#include "DemoArt.h"

#include "SlidePainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace {
const QColor Green(0x03, 0x80, 0x4B);

QPolygonF poly(std::initializer_list<QPointF> points)
{
    return QPolygonF(QVector<QPointF>(points));
}

void sky(QPainter &p, const QRect &r, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void hills(QPainter &p, int w, int h, int base, const QColor &color, int phase)
{
    QPainterPath path(QPointF(0, h));
    for (int x = 0; x <= w; x += 8)
        path.lineTo(x, base - 40 * qSin((x + phase) / 90.0) - 20 * qSin((x + phase * 2) / 37.0));
    path.lineTo(w, h);
    path.closeSubpath();
    p.fillPath(path, color);
}

void caption(QPainter &p, const QRect &r, const QString &text)
{
    p.setFont(SlidePainter::font(20, true));
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(r.adjusted(18, 0, 0, -14), Qt::AlignLeft | Qt::AlignBottom, text);
    p.setPen(Qt::white);
    p.drawText(r.adjusted(16, 0, 0, -16), Qt::AlignLeft | Qt::AlignBottom, text);
}

QPainterPath star(const QPointF &c, qreal outer, qreal inner, int points)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / points;
        const qreal r = i % 2 ? inner : outer;
        const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPainterPath polygon(const QPointF &c, qreal r, int sides, qreal rotation = -M_PI / 2)
{
    QPainterPath path;
    for (int i = 0; i < sides; ++i) {
        const qreal a = rotation + i * 2 * M_PI / sides;
        const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

QPainterPath arrow(const QPointF &from, const QPointF &to, qreal width)
{
    const QLineF line(from, to);
    const qreal head = width * 2.2;
    QLineF unit = line.unitVector();
    const QPointF d = unit.p2() - unit.p1();
    const QPointF n(-d.y(), d.x());
    const QPointF neck = to - d * head;
    QPainterPath path(from + n * width / 2);
    path.lineTo(neck + n * width / 2);
    path.lineTo(neck + n * width * 1.3);
    path.lineTo(to);
    path.lineTo(neck - n * width * 1.3);
    path.lineTo(neck - n * width / 2);
    path.lineTo(from - n * width / 2);
    path.closeSubpath();
    return path;
}

QImage transparent(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

void animal(QPainter &p, int kind, const QPointF &c)
{
    const QColor fur[] = {QColor(0xF2, 0x99, 0x4A), QColor(0xF2, 0xC9, 0x4C), QColor(0x27, 0xAE, 0x60),
                          QColor(0xA0, 0x6B, 0x3B), QColor(0x33, 0x33, 0x33), QColor(0xEB, 0x57, 0x57)};
    const QColor col = fur[kind % 6];
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawEllipse(c + QPointF(0, 40), 90, 60);
    p.drawEllipse(c + QPointF(0, -40), 62, 56);
    // Ears, then a face.
    p.drawPolygon(poly({c + QPointF(-55, -70), c + QPointF(-30, -130), c + QPointF(-12, -85)}));
    p.drawPolygon(poly({c + QPointF(55, -70), c + QPointF(30, -130), c + QPointF(12, -85)}));
    p.setBrush(Qt::white);
    p.drawEllipse(c + QPointF(-22, -50), 13, 15);
    p.drawEllipse(c + QPointF(22, -50), 13, 15);
    p.setBrush(QColor(0x22, 0x22, 0x22));
    p.drawEllipse(c + QPointF(-20, -48), 6, 8);
    p.drawEllipse(c + QPointF(24, -48), 6, 8);
    p.setBrush(QColor(0xFF, 0x8A, 0x8A));
    p.drawEllipse(c + QPointF(0, -25), 8, 6);
}

void building(QPainter &p, int w, int h, int seed)
{
    const QRect body(w / 2 - 170, h - 230, 340, 170);
    p.fillRect(body, QColor(0xF4, 0xE3, 0xC3));
    p.fillRect(QRect(body.left() - 10, body.top() - 24, body.width() + 20, 26), QColor(0xC0, 0x39, 0x2B));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 6; ++col)
            p.fillRect(QRect(body.left() + 22 + col * 52, body.top() + 18 + row * 48, 30, 28),
                       (row + col + seed) % 4 == 0 ? QColor(0xFF, 0xE0, 0x82) : QColor(0x7F, 0xB3, 0xD5));
    p.fillRect(QRect(w / 2 - 22, h - 110, 44, 50), QColor(0x8D, 0x5A, 0x3B));
    // Flag pole and flag.
    p.fillRect(QRect(80, h - 270, 5, 210), QColor(0x99, 0x99, 0x99));
    p.fillRect(QRect(85, h - 270, 70, 46), QColor(0xDE, 0x29, 0x10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xDE, 0x00));
    p.drawPath(star(QPointF(102, h - 252), 9, 4, 5));
}

void lantern(QPainter &p, const QPointF &c, qreal s)
{
    p.setPen(QPen(QColor(0xF2, 0xC9, 0x4C), 2));
    p.drawLine(c + QPointF(0, -60 * s), c + QPointF(0, -38 * s));
    p.setPen(Qt::NoPen);
    QRadialGradient g(c, 45 * s);
    g.setColorAt(0, QColor(0xFF, 0x5A, 0x3C));
    g.setColorAt(1, QColor(0xB7, 0x1C, 0x1C));
    p.setBrush(g);
    p.drawEllipse(c, 45 * s, 38 * s);
    p.setBrush(QColor(0xF2, 0xC9, 0x4C));
    p.drawRect(QRectF(c.x() - 16 * s, c.y() - 42 * s, 32 * s, 8 * s));
    p.drawRect(QRectF(c.x() - 16 * s, c.y() + 34 * s, 32 * s, 8 * s));
    p.setPen(QPen(QColor(0xF2, 0xC9, 0x4C), 2));
    for (int i = -2; i <= 2; ++i)
        p.drawLine(c + QPointF(i * 5 * s, 42 * s), c + QPointF(i * 5 * s, 66 * s));
}
}

QImage DemoArt::photo(int art, const QString &title)
{
    const int w = 640, h = 400;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const int category = art / 6;
    const int index = art % 6;
    const QRect all(0, 0, w, h);
    switch (category) {
    case 0: { // landscapes
        static const QColor tops[6] = {QColor(0x87, 0xCE, 0xEB), QColor(0xFF, 0x9A, 0x62), QColor(0x4F, 0xB3, 0xF6),
                                       QColor(0xF6, 0xC1, 0x6B), QColor(0xB8, 0xD8, 0xF0), QColor(0x0B, 0x1D, 0x3A)};
        sky(p, all, tops[index], tops[index].lighter(140));
        p.setPen(Qt::NoPen);
        if (index == 5) {
            p.setBrush(Qt::white);
            for (int i = 0; i < 60; ++i)
                p.drawEllipse(QPointF((i * 97) % w, (i * 53) % 220), 1.5, 1.5);
            p.setBrush(QColor(0xFF, 0xF5, 0xC0));
            p.drawEllipse(QPointF(520, 80), 30, 30);
        } else {
            p.setBrush(QColor(0xFF, 0xE0, 0x66));
            p.drawEllipse(QPointF(120 + index * 70, 90), 40, 40);
        }
        static const QColor lands[6] = {QColor(0x6A, 0xBE, 0x5A), QColor(0x5B, 0x6C, 0x8F), QColor(0xF3, 0xD9, 0x9B),
                                        QColor(0xC0, 0x6A, 0x2B), QColor(0xFF, 0xFF, 0xFF), QColor(0x1F, 0x4D, 0x2E)};
        hills(p, w, h, 250, lands[index].darker(120), index * 40);
        hills(p, w, h, 300, lands[index], index * 70 + 100);
        if (index == 1 || index == 2) {
            p.fillRect(QRect(0, 320, w, 80), QColor(0x3F, 0x8E, 0xD6));
            p.fillRect(QRect(0, 320, w, 4), QColor(0xFF, 0xFF, 0xFF, 120));
        }
        break;
    }
    case 1: { // animals
        static const QColor grounds[6] = {QColor(0xFD, 0xE2, 0xE4), QColor(0xF6, 0xE2, 0xB3), QColor(0xCD, 0xEB, 0xC5),
                                          QColor(0xD7, 0xEF, 0xD0), QColor(0xDC, 0xEE, 0xFB), QColor(0xFF, 0xF1, 0xD6)};
        sky(p, all, grounds[index].lighter(105), grounds[index].darker(108));
        hills(p, w, h, 320, grounds[index].darker(125), index * 50);
        animal(p, index, QPointF(w / 2, 210));
        break;
    }
    case 2: // school
        sky(p, all, QColor(0x9F, 0xD3, 0xF5), QColor(0xE8, 0xF6, 0xFF));
        p.fillRect(QRect(0, h - 60, w, 60), index % 2 ? QColor(0xC8, 0x5A, 0x3C) : QColor(0x7C, 0xB3, 0x42));
        building(p, w, h, index);
        break;
    default: { // festivals
        sky(p, all, QColor(0x1A, 0x12, 0x3C), QColor(0x5E, 0x1E, 0x3C));
        p.setPen(Qt::NoPen);
        if (index == 1) {
            p.setBrush(QColor(0xFF, 0xF3, 0xB0));
            p.drawEllipse(QPointF(w / 2, 150), 80, 80);
        } else if (index == 4) {
            for (int f = 0; f < 3; ++f) {
                const QPointF c(150 + f * 170, 110 + (f % 2) * 50);
                p.setPen(QPen(QColor::fromHsv((f * 110 + 20) % 360, 200, 255), 3));
                for (int i = 0; i < 16; ++i) {
                    const qreal a = i * M_PI / 8;
                    p.drawLine(c + QPointF(14 * qCos(a), 14 * qSin(a)), c + QPointF(60 * qCos(a), 60 * qSin(a)));
                }
            }
        }
        for (int i = 0; i < 4; ++i)
            lantern(p, QPointF(110 + i * 140, 250 + (i % 2) * 30 - (index == 1 ? 0 : 40)), index == 1 ? 0.6 : 0.9);
        break;
    }
    }
    caption(p, all, title);
    return img;
}

QImage DemoArt::vector(int art)
{
    QImage img = transparent(320, 320);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QPointF c(160, 160);
    static const QColor palette[5] = {QColor(0x2F, 0x80, 0xED), QColor(0xF2, 0x99, 0x4A), QColor(0x27, 0xAE, 0x60),
                                      QColor(0x9B, 0x51, 0xE0), QColor(0xEB, 0x57, 0x57)};
    const QColor col = palette[art % 5];
    switch (art) {
    case 0: // book
        p.setBrush(col);
        p.drawRoundedRect(QRectF(50, 80, 105, 160), 8, 8);
        p.drawRoundedRect(QRectF(165, 80, 105, 160), 8, 8);
        p.setBrush(Qt::white);
        for (int i = 0; i < 4; ++i) {
            p.drawRect(QRectF(68, 110 + i * 28, 70, 6));
            p.drawRect(QRectF(183, 110 + i * 28, 70, 6));
        }
        break;
    case 1: // pencil
        p.translate(c);
        p.rotate(-45);
        p.setBrush(col);
        p.drawRect(QRectF(-110, -22, 170, 44));
        p.setBrush(QColor(0xF5, 0xD0, 0xA9));
        p.drawPolygon(poly({QPointF(60, -22), QPointF(110, 0), QPointF(60, 22)}));
        p.setBrush(QColor(0x33, 0x33, 0x33));
        p.drawPolygon(poly({QPointF(95, -7), QPointF(110, 0), QPointF(95, 7)}));
        p.setBrush(QColor(0xFF, 0x8A, 0x8A));
        p.drawRect(QRectF(-135, -22, 25, 44));
        break;
    case 2: // globe
        p.setBrush(QColor(0x4F, 0xB3, 0xF6));
        p.drawEllipse(c, 100, 100);
        p.setBrush(QColor(0x27, 0xAE, 0x60));
        p.drawEllipse(QPointF(120, 130), 40, 28);
        p.drawEllipse(QPointF(200, 190), 34, 46);
        p.setPen(QPen(QColor(0x8D, 0x5A, 0x3B), 10));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(48, 48, 224, 224), 200 * 16, 140 * 16);
        break;
    case 3: { // beaker
        QPainterPath glass;
        glass.moveTo(110, 60);
        glass.lineTo(110, 150);
        glass.lineTo(60, 260);
        glass.lineTo(260, 260);
        glass.lineTo(210, 150);
        glass.lineTo(210, 60);
        glass.closeSubpath();
        p.setBrush(QColor(0xE0, 0xF0, 0xFF));
        p.setPen(QPen(QColor(0x55, 0x77, 0x99), 6));
        p.drawPath(glass);
        p.setPen(Qt::NoPen);
        p.setBrush(col);
        p.drawPolygon(poly({QPointF(88, 200), QPointF(232, 200), QPointF(257, 256), QPointF(63, 256)}));
        break;
    }
    case 4: // ruler
        p.setBrush(QColor(0xF2, 0xC9, 0x4C));
        p.drawRoundedRect(QRectF(20, 120, 280, 80), 6, 6);
        p.setPen(QPen(QColor(0x55, 0x44, 0x22), 3));
        for (int i = 0; i <= 13; ++i)
            p.drawLine(QPointF(35 + i * 19.5, 120), QPointF(35 + i * 19.5, i % 2 ? 140 : 158));
        break;
    case 5: // sun
        p.setBrush(QColor(0xFF, 0xC8, 0x3D));
        p.drawPath(star(c, 140, 95, 12));
        p.setBrush(QColor(0xFF, 0xA7, 0x26));
        p.drawEllipse(c, 80, 80);
        break;
    case 6: // cloud
        p.setBrush(QColor(0x9E, 0xC9, 0xF0));
        p.drawEllipse(QPointF(110, 180), 60, 50);
        p.drawEllipse(QPointF(170, 140), 75, 70);
        p.drawEllipse(QPointF(230, 185), 55, 45);
        p.drawRoundedRect(QRectF(70, 180, 210, 50), 25, 25);
        break;
    case 7: // tree
        p.setBrush(QColor(0x8D, 0x5A, 0x3B));
        p.drawRect(QRectF(145, 190, 30, 100));
        p.setBrush(QColor(0x27, 0xAE, 0x60));
        p.drawEllipse(QPointF(160, 130), 95, 90);
        break;
    case 8: // house
        p.setBrush(QColor(0xEB, 0x57, 0x57));
        p.drawPolygon(poly({QPointF(40, 150), QPointF(160, 50), QPointF(280, 150)}));
        p.setBrush(QColor(0xF6, 0xE7, 0xC8));
        p.drawRect(QRectF(70, 150, 180, 130));
        p.setBrush(QColor(0x8D, 0x5A, 0x3B));
        p.drawRect(QRectF(140, 200, 40, 80));
        p.setBrush(QColor(0x7F, 0xB3, 0xD5));
        p.drawRect(QRectF(90, 175, 35, 35));
        break;
    case 9: // balloon
        p.setPen(QPen(QColor(0x66, 0x66, 0x66), 3));
        p.drawLine(QPointF(160, 215), QPointF(150, 300));
        p.setPen(Qt::NoPen);
        p.setBrush(col);
        p.drawEllipse(QPointF(160, 130), 80, 95);
        break;
    default: { // arrows
        p.setBrush(col);
        const int kind = art - 10;
        if (kind == 0)
            p.drawPath(arrow(QPointF(40, 160), QPointF(280, 160), 50));
        else if (kind == 2)
            p.drawPath(arrow(QPointF(160, 160), QPointF(290, 160), 40).united(arrow(QPointF(170, 160), QPointF(30, 160), 40)));
        else if (kind == 3)
            p.drawPath(arrow(QPointF(60, 270), QPointF(260, 60), 44));
        else {
            QPainterPath ring;
            ring.addEllipse(c, 110, 110);
            QPainterPath hole;
            hole.addEllipse(c, 70, 70);
            QPainterPath cut;
            cut.addRect(QRectF(160, 0, 160, 160));
            p.drawPath(ring.subtracted(hole).subtracted(kind == 1 ? cut : QPainterPath()));
            p.drawPolygon(poly({QPointF(160, 20), QPointF(230, 50), QPointF(160, 110)}));
        }
        break;
    }
    }
    return img;
}

QImage DemoArt::shape(int art)
{
    QImage img = transparent(320, 320);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fill = QColor::fromHsv((art * 47) % 360, 150, 235);
    p.setPen(QPen(fill.darker(140), 6));
    p.setBrush(fill);
    const QPointF c(160, 160);
    QPainterPath path;
    switch (art) {
    case 0: path.addRect(QRectF(40, 80, 240, 160)); break;
    case 1: path.addRoundedRect(QRectF(40, 80, 240, 160), 36, 36); break;
    case 2: path.addEllipse(c, 120, 120); break;
    case 3: path = polygon(c + QPointF(0, 20), 135, 3); break;
    case 4: path = polygon(c, 130, 4); break;
    case 5: path = star(c, 135, 55, 5); break;
    case 6: path = star(c, 135, 80, 8); break;
    case 7: path = star(c, 140, 80, 12); break;
    case 8:
        path.moveTo(40, 100);
        path.cubicTo(120, 40, 200, 160, 280, 100);
        path.lineTo(280, 220);
        path.cubicTo(200, 280, 120, 160, 40, 220);
        path.closeSubpath();
        break;
    case 9:
        path.moveTo(20, 110);
        path.lineTo(300, 110);
        path.lineTo(270, 160);
        path.lineTo(300, 210);
        path.lineTo(20, 210);
        path.lineTo(50, 160);
        path.closeSubpath();
        break;
    case 10:
        path.addRect(QRectF(30, 60, 260, 150));
        path.moveTo(90, 205);
        path.lineTo(70, 280);
        path.lineTo(150, 205);
        path = path.simplified();
        break;
    case 11:
        path.addEllipse(QRectF(30, 50, 260, 170));
        path.moveTo(100, 200);
        path.lineTo(70, 285);
        path.lineTo(150, 215);
        path = path.simplified();
        break;
    case 12:
        for (int i = 0; i < 7; ++i)
            path.addEllipse(c + QPointF(95 * qCos(i * 2 * M_PI / 7), 60 * qSin(i * 2 * M_PI / 7)), 55, 48);
        path = path.simplified();
        break;
    case 13:
        path.addEllipse(QRectF(40, 40, 240, 160));
        path.addEllipse(QRectF(90, 215, 36, 28));
        path.addEllipse(QRectF(60, 258, 20, 16));
        break;
    default:
        path.addRect(QRectF(20, 60, 200, 150));
        path.addPath(arrow(QPointF(200, 135), QPointF(305, 135), 40));
        path = path.simplified();
        break;
    }
    p.drawPath(path);
    return img;
}

QImage DemoArt::helpPicture(const QString &caption, int seed)
{
    const int w = 640, h = 400;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(0xF2, 0xF2, 0xF2));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 0, w, 44), Green);
    p.setPen(Qt::white);
    p.setFont(SlidePainter::font(16, true));
    p.drawText(QRect(16, 0, 300, 44), Qt::AlignVCenter, QStringLiteral("Lumexa智慧课堂云编辑器"));
    static const QStringList tabs = {QStringLiteral("习题录入"), QStringLiteral("课件录入"), QStringLiteral("微课录入"),
                                     QStringLiteral("多端互动")};
    p.setFont(SlidePainter::font(13));
    for (int i = 0; i < tabs.size(); ++i) {
        if (i == seed % 4)
            p.fillRect(QRect(300 + i * 80, 8, 72, 28), Green.lighter(130));
        p.drawText(QRect(300 + i * 80, 8, 72, 28), Qt::AlignCenter, tabs.at(i));
    }
    p.fillRect(QRect(0, 44, 90, h - 44), QColor(0xE6, 0xE6, 0xE6));
    for (int i = 0; i < 5; ++i)
        p.fillRect(QRect(20, 70 + i * 60, 50, 40), i == seed % 5 ? Green : QColor(0xC8, 0xC8, 0xC8));
    for (int i = 0; i < 6; ++i) {
        const QRect card(110 + (i % 3) * 175, 70 + (i / 3) * 150, 160, 130);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(card, 6, 6);
        p.setBrush(QColor::fromHsv((seed * 40 + i * 30) % 360, 60, 230));
        p.drawRoundedRect(card.adjusted(8, 8, -8, -50), 4, 4);
        p.setBrush(QColor(0xBB, 0xBB, 0xBB));
        p.drawRect(card.adjusted(8, 88, -60, -30));
    }
    // The numbered hint points at the part the article talks about.
    const QPointF spot(180 + (seed * 97) % 380, 120 + (seed * 53) % 200);
    p.setPen(QPen(QColor(0xFC, 0x4E, 0x4E), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(spot, 46, 34);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFC, 0x4E, 0x4E));
    p.drawEllipse(spot + QPointF(40, -34), 16, 16);
    p.setPen(Qt::white);
    p.setFont(SlidePainter::font(16, true));
    p.drawText(QRectF(spot.x() + 24, spot.y() - 50, 32, 32), Qt::AlignCenter, QString::number(seed % 9 + 1));
    p.fillRect(QRect(0, h - 40, w, 40), QColor(0, 0, 0, 150));
    p.setPen(Qt::white);
    p.setFont(SlidePainter::font(15));
    p.drawText(QRect(16, h - 40, w - 32, 40), Qt::AlignVCenter, caption);
    return img;
}

QImage DemoArt::titleCard(const QString &title, const QString &subtitle)
{
    QImage img = transparent(640, 360);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 250, 640, 84), QColor(0, 0, 0, 150));
    p.fillRect(QRect(0, 250, 8, 84), Green);
    p.setPen(Qt::white);
    p.setFont(SlidePainter::font(28, true));
    p.drawText(QRect(24, 254, 600, 44), Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setFont(SlidePainter::font(16));
    p.setPen(QColor(0xDD, 0xDD, 0xDD));
    p.drawText(QRect(24, 296, 600, 32), Qt::AlignLeft | Qt::AlignVCenter, subtitle);
    p.setFont(SlidePainter::font(14, true));
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QRect(0, 12, 624, 24), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Lumexa 微课"));
    return img;
}
