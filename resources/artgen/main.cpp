// Build-time generator of the resource bundle: renders every SVG under the
// art folder to a PNG of the same relative path, paints the busy spinner as
// an animated GIF, copies the toolkit translation and writes the .qrc file.
#include "GifWriter.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtMath>
#include <cstdio>

namespace {

bool writeIfChanged(const QString &path, const QByteArray &data)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == data)
        return true;
    existing.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write(data) == data.size();
}

QByteArray renderSvg(const QString &svgPath)
{
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid())
        return {};
    const QSize size = renderer.defaultSize();
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    renderer.render(&p);
    p.end();
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return png;
}

// The busy overlay's spinner: twelve dots in the theme green whose
// brightness runs round the circle.
QByteArray paintSpinner()
{
    const int side = 120;
    const int frames = 12;
    GifWriter gif(side, side, 8);
    for (int f = 0; f < frames; ++f) {
        QImage img(side, side, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(side / 2.0, side / 2.0);
        for (int i = 0; i < frames; ++i) {
            const int age = (f - i + frames) % frames;
            QColor c(0x03, 0x80, 0x4B);
            c = c.lighter(100 + age * 12);
            p.setBrush(c);
            p.setPen(Qt::NoPen);
            const qreal angle = i * 2 * M_PI / frames;
            const qreal r = 9 - age * 0.45;
            p.drawEllipse(QPointF(40 * qCos(angle), 40 * qSin(angle)), r, r);
        }
        p.end();
        gif.addFrame(img);
    }
    return gif.finish();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: lumexa-artgen ART_DIR OUT_DIR QTBASE_ZH_QM\n");
        return 2;
    }
    const QDir art(QString::fromLocal8Bit(argv[1]));
    const QString out = QString::fromLocal8Bit(argv[2]);
    QStringList entries;
    bool ok = true;

    QDirIterator it(art.absolutePath(), {"*.svg"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString svg = it.next();
        QString rel = art.relativeFilePath(svg);
        rel.chop(4);
        rel += ".png";
        const QByteArray png = renderSvg(svg);
        if (png.isEmpty() || !writeIfChanged(out + "/" + rel, png)) {
            std::fprintf(stderr, "cannot render %s\n", qPrintable(svg));
            ok = false;
            continue;
        }
        entries << rel;
    }

    if (writeIfChanged(out + "/gif/gif/move03.gif", paintSpinner()))
        entries << "gif/gif/move03.gif";
    else
        ok = false;

    QFile qm(QString::fromLocal8Bit(argv[3]));
    if (qm.open(QIODevice::ReadOnly) && writeIfChanged(out + "/png/qt_zh_CN.qm", qm.readAll()))
        entries << "png/qt_zh_CN.qm";
    else
        ok = false;

    entries.sort();
    QByteArray qrc = "<RCC>\n  <qresource prefix=\"/\">\n";
    for (const QString &e : entries)
        qrc += "    <file>" + e.toUtf8() + "</file>\n";
    qrc += "  </qresource>\n</RCC>\n";
    // Always rewrite the index so that its time stamp satisfies the build.
    QFile index(out + "/bundle.qrc");
    if (!index.open(QIODevice::WriteOnly) || index.write(qrc) != qrc.size())
        ok = false;
    return ok ? 0 : 1;
}
