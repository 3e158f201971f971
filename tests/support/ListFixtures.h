#pragma once

#include "miciroInfo.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

// Replies, records and pictures shared by the list and library tests.
namespace ListFixtures {

// A successful reply carrying data.
inline QByteArray envelope(const QJsonObject &data)
{
    return QJsonDocument(QJsonObject{{"code", 1}, {"msg", "成功"}, {"data", data}}).toJson(QJsonDocument::Compact);
}

// A list reply in the envelope, with its total.
inline QByteArray reply(const QJsonArray &list, int total)
{
    return envelope({{"list", list}, {"total", total}});
}

// count records made by make(first), make(first + 1), ...
template <class Make>
QJsonArray records(int first, int count, Make make)
{
    QJsonArray out;
    for (int i = 0; i < count; ++i)
        out.append(make(first + i, QJsonObject{}));
    return out;
}

inline QJsonObject merged(QJsonObject base, const QJsonObject &extra)
{
    for (auto it = extra.begin(); it != extra.end(); ++it)
        base.insert(it.key(), it.value());
    return base;
}

inline QStringList idsOf(const QList<miciroInfo> &records)
{
    QStringList out;
    for (const miciroInfo &r : records)
        out << r.id;
    return out;
}

// A picture of one colour as PNG bytes.
inline QByteArray png(int width, int height, const QColor &colour = QColor("#03804B"))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

}
