#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// Writes a zip archive in memory: what an Office package needs (no
// encryption, no zip64, ASCII entry names).
class ZipWriter
{
public:
    // Entries that do not shrink are stored instead of deflated.
    void addFile(const QString &name, const QByteArray &data, bool compress = true);
    QByteArray archive() const;

    static quint32 crc32(const QByteArray &data);
    // Raw deflate stream (no zlib header or trailer).
    static QByteArray deflateRaw(const QByteArray &data);

private:
    struct Entry
    {
        QByteArray name;
        QByteArray payload;
        quint32 crc = 0;
        quint32 size = 0;
        quint16 method = 0;
        quint32 offset = 0;
    };
    QVector<Entry> m_entries;
};
