#include "ZipWriter.h"

#include <QtEndian>

namespace {
void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// 1 January 2024, 12:00: fixed so that the same content gives the same bytes.
constexpr quint16 kDosTime = 12 << 11;
constexpr quint16 kDosDate = ((2024 - 1980) << 9) | (1 << 5) | 1;
}

quint32 ZipWriter::crc32(const QByteArray &data)
{
    static quint32 table[256];
    static bool ready = false;
    if (!ready) {
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        ready = true;
    }
    quint32 crc = 0xFFFFFFFFu;
    for (const char ch : data)
        crc = table[(crc ^ quint8(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QByteArray ZipWriter::deflateRaw(const QByteArray &data)
{
    // qCompress gives a 4-byte length, a 2-byte zlib header, the deflate
    // stream and a 4-byte Adler-32 checksum.
    const QByteArray z = qCompress(data, 6);
    if (z.size() < 10)
        return QByteArray();
    return z.mid(6, z.size() - 10);
}

void ZipWriter::addFile(const QString &name, const QByteArray &data, bool compress)
{
    Entry e;
    e.name = name.toUtf8();
    e.crc = crc32(data);
    e.size = quint32(data.size());
    if (compress && !data.isEmpty()) {
        const QByteArray packed = deflateRaw(data);
        if (!packed.isEmpty() && packed.size() < data.size()) {
            e.payload = packed;
            e.method = 8;
        }
    }
    if (e.method == 0)
        e.payload = data;
    m_entries.append(e);
}

QByteArray ZipWriter::archive() const
{
    QByteArray out;
    QVector<quint32> offsets;
    for (const Entry &e : m_entries) {
        offsets.append(quint32(out.size()));
        put32(out, 0x04034b50);
        put16(out, 20);
        put16(out, 0);
        put16(out, e.method);
        put16(out, kDosTime);
        put16(out, kDosDate);
        put32(out, e.crc);
        put32(out, quint32(e.payload.size()));
        put32(out, e.size);
        put16(out, quint16(e.name.size()));
        put16(out, 0);
        out.append(e.name);
        out.append(e.payload);
    }
    const quint32 directoryStart = quint32(out.size());
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry &e = m_entries.at(i);
        put32(out, 0x02014b50);
        put16(out, 20);
        put16(out, 20);
        put16(out, 0);
        put16(out, e.method);
        put16(out, kDosTime);
        put16(out, kDosDate);
        put32(out, e.crc);
        put32(out, quint32(e.payload.size()));
        put32(out, e.size);
        put16(out, quint16(e.name.size()));
        put16(out, 0);
        put16(out, 0);
        put16(out, 0);
        put16(out, 0);
        put32(out, 0);
        put32(out, offsets.at(i));
        out.append(e.name);
    }
    const quint32 directorySize = quint32(out.size()) - directoryStart;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint16(m_entries.size()));
    put16(out, quint16(m_entries.size()));
    put32(out, directorySize);
    put32(out, directoryStart);
    put16(out, 0);
    return out;
}
