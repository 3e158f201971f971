#include "EditIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>
#include <functional>

namespace {

const QColor Ink(0x33, 0x33, 0x33);
const QColor Accent(0x03, 0x80, 0x4B);

void lines(QPainter &p, double x, double right, const QList<double> &ys)
{
    for (double y : ys)
        p.drawLine(QPointF(x, y), QPointF(right, y));
}

void letter(QPainter &p, const QString &text, bool bold, bool italic, double size = 13)
{
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(int(size));
    f.setBold(bold);
    f.setItalic(italic);
    p.setFont(f);
    p.drawText(QRectF(0, 0, 20, 17), Qt::AlignCenter, text);
}

QPainterPath star(QPointF c, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? inner : outer;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
        i ? path.lineTo(pt) : path.moveTo(pt);
    }
    path.closeSubpath();
    return path;
}

void slideFrame(QPainter &p, QRectF r)
{
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setBrush(Qt::NoBrush);
}

void draw(QPainter &p, const QString &n, const QColor &colour)
{
    QPen pen(Ink, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    if (n == QLatin1String("undo") || n == QLatin1String("redo")) {
        if (n == QLatin1String("redo"))
            p.setTransform(QTransform(-1, 0, 0, 1, 20, 0), true);
        QPainterPath path;
        path.moveTo(5, 8);
        path.lineTo(12, 8);
        path.cubicTo(18, 8, 18, 16, 12, 16);
        path.lineTo(7, 16);
        p.drawPath(path);
        p.drawPolyline(QPolygonF({{8, 4.5}, {4.5, 8}, {8, 11.5}}));
    } else if (n == QLatin1String("bold")) {
        letter(p, QStringLiteral("B"), true, false);
    } else if (n == QLatin1String("italic")) {
        letter(p, QStringLiteral("I"), false, true);
    } else if (n == QLatin1String("underline")) {
        letter(p, QStringLiteral("U"), false, false);
        p.drawLine(QPointF(5, 17.5), QPointF(15, 17.5));
    } else if (n == QLatin1String("strike")) {
        letter(p, QStringLiteral("S"), false, false);
        p.drawLine(QPointF(4, 9), QPointF(16, 9));
    } else if (n == QLatin1String("colour")) {
        letter(p, QStringLiteral("A"), false, false, 12);
        p.fillRect(QRectF(3, 15.5, 14, 3.5), colour.isValid() ? colour : Qt::red);
    } else if (n == QLatin1String("highlight")) {
        QPainterPath pen2;
        pen2.moveTo(7, 12);
        pen2.lineTo(13, 3);
        pen2.lineTo(16, 5);
        pen2.lineTo(10, 14);
        pen2.closeSubpath();
        p.drawPath(pen2);
        p.drawLine(QPointF(7, 12), QPointF(6, 14.5));
        p.fillRect(QRectF(3, 15.5, 14, 3.5), colour.isValid() ? colour : Qt::yellow);
    } else if (n == QLatin1String("left")) {
        lines(p, 3, 17, {4, 12});
        lines(p, 3, 12, {8, 16});
    } else if (n == QLatin1String("centre")) {
        lines(p, 3, 17, {4, 12});
        lines(p, 6, 14, {8, 16});
    } else if (n == QLatin1String("right")) {
        lines(p, 3, 17, {4, 12});
        lines(p, 8, 17, {8, 16});
    } else if (n == QLatin1String("justify")) {
        lines(p, 3, 17, {4, 8, 12, 16});
    } else if (n == QLatin1String("bullets")) {
        p.setBrush(Ink);
        for (double y : {4.0, 10.0, 16.0})
            p.drawEllipse(QPointF(4, y), 1.3, 1.3);
        lines(p, 8, 17, {4, 10, 16});
    } else if (n == QLatin1String("numbering")) {
        QFont f;
        f.setPixelSize(6);
        p.setFont(f);
        for (int i = 0; i < 3; ++i)
            p.drawText(QRectF(1, 1 + i * 6, 6, 6), Qt::AlignCenter, QString::number(i + 1));
        lines(p, 8, 17, {4, 10, 16});
    } else if (n == QLatin1String("indent") || n == QLatin1String("outdent")) {
        lines(p, 3, 17, {3, 17});
        lines(p, 10, 17, {8, 12});
        if (n == QLatin1String("indent"))
            p.drawPolyline(QPolygonF({{3, 7}, {6, 10}, {3, 13}}));
        else
            p.drawPolyline(QPolygonF({{7, 7}, {4, 10}, {7, 13}}));
    } else if (n == QLatin1String("spacing")) {
        lines(p, 9, 18, {4, 10, 16});
        p.drawLine(QPointF(4, 3), QPointF(4, 17));
        p.drawPolyline(QPolygonF({{2, 5}, {4, 3}, {6, 5}}));
        p.drawPolyline(QPolygonF({{2, 15}, {4, 17}, {6, 15}}));
    } else if (n == QLatin1String("textbox")) {
        p.setPen(QPen(Ink, 1, Qt::DashLine));
        p.drawRect(QRectF(2, 3, 16, 14));
        p.setPen(pen);
        letter(p, QStringLiteral("A"), false, false, 11);
    } else if (n == QLatin1String("rect") || n == QLatin1String("shapes")) {
        p.drawRect(QRectF(3, 5, 14, 10));
    } else if (n == QLatin1String("roundrect")) {
        p.drawRoundedRect(QRectF(3, 5, 14, 10), 3, 3);
    } else if (n == QLatin1String("ellipse")) {
        p.drawEllipse(QRectF(2.5, 5, 15, 10));
    } else if (n == QLatin1String("triangle")) {
        p.drawPolygon(QPolygonF({{10, 3}, {17.5, 16}, {2.5, 16}}));
    } else if (n == QLatin1String("arrow")) {
        p.drawPolygon(QPolygonF({{2, 7}, {11, 7}, {11, 3.5}, {18, 10}, {11, 16.5}, {11, 13}, {2, 13}}));
    } else if (n == QLatin1String("line")) {
        p.drawLine(QPointF(3, 17), QPointF(17, 3));
    } else if (n == QLatin1String("star")) {
        p.drawPath(star(QPointF(10, 10.5), 8, 3.4));
    } else if (n == QLatin1String("callout")) {
        p.drawPolygon(QPolygonF({{3, 3}, {17, 3}, {17, 12}, {10, 12}, {6, 17}, {7, 12}, {3, 12}}));
    } else if (n == QLatin1String("table")) {
        p.drawRect(QRectF(2.5, 3.5, 15, 13));
        lines(p, 2.5, 17.5, {7.8, 12.1});
        p.drawLine(QPointF(7.5, 3.5), QPointF(7.5, 16.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(12.5, 16.5));
    } else if (n == QLatin1String("picture")) {
        p.drawRect(QRectF(2.5, 3.5, 15, 13));
        p.drawPolyline(QPolygonF({{2.5, 15}, {8, 9}, {12, 13}, {14, 11}, {17.5, 14.5}}));
        p.drawEllipse(QPointF(13.5, 7.5), 1.5, 1.5);
    } else if (n == QLatin1String("newslide")) {
        slideFrame(p, QRectF(2.5, 4.5, 13, 10));
        p.setPen(QPen(Accent, 2));
        p.drawLine(QPointF(15, 11), QPointF(15, 19));
        p.drawLine(QPointF(11, 15), QPointF(19, 15));
    } else if (n == QLatin1String("duplicate")) {
        slideFrame(p, QRectF(6.5, 7.5, 11, 8.5));
        slideFrame(p, QRectF(2.5, 3.5, 11, 8.5));
    } else if (n == QLatin1String("present")) {
        p.drawRect(QRectF(2, 3, 16, 11));
        p.drawLine(QPointF(10, 14), QPointF(10, 17));
        p.drawLine(QPointF(6, 17.5), QPointF(14, 17.5));
        p.setBrush(Accent);
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({{8, 5.5}, {13.5, 8.5}, {8, 11.5}}));
    }
}

QIcon fromDrawing(int side, const std::function<void(QPainter &)> &paint)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(side * scale, side * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        paint(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon EditIcons::icon(const QString &name, const QColor &colour)
{
    return fromDrawing(20, [&](QPainter &p) { draw(p, name, colour); });
}

QIcon EditIcons::layout(const QString &name)
{
    // 48 x 27, a 16:9 slide with grey blocks where its placeholders are.
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(48 * scale, 28 * scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        p.setPen(QPen(QColor(0x99, 0x99, 0x99), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(0.5, 0.5, 47, 27));
        const QColor block(0xC8, 0xC8, 0xC8);
        if (name == QLatin1String("title")) {
            p.fillRect(QRectF(6, 8, 36, 6), block);
            p.fillRect(QRectF(12, 17, 24, 3), block);
        } else if (name == QLatin1String("content")) {
            p.fillRect(QRectF(5, 3, 38, 5), block);
            p.fillRect(QRectF(5, 10, 38, 14), block.lighter(110));
        } else if (name == QLatin1String("titleonly")) {
            p.fillRect(QRectF(5, 3, 38, 5), block);
        } else if (name == QLatin1String("two")) {
            p.fillRect(QRectF(5, 3, 38, 5), block);
            p.fillRect(QRectF(5, 10, 18, 14), block.lighter(110));
            p.fillRect(QRectF(25, 10, 18, 14), block.lighter(110));
        }
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
