#pragma once

#include <QByteArray>
#include <QtEndian>

// Hand-made zip structures for the table-of-contents reader: the bytes a damaged or unusual
// archive holds, without any zip library in between.
struct LocalHeader
{
    QByteArray name;
    QByteArray data;           // stored as is (method 0)
    quint16 flags = 0;
    quint16 dosTime = 0;
    quint16 dosDate = 0;
    QByteArray extra;
    qint64 compressedSize = -1; // -1: the data's size
    qint64 size = -1;
    int nameLengthField = -1;   // -1: the name's length
    int extraLengthField = -1;  // -1: the extra field's length
};

inline void put16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

inline void put32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

inline void put64(QByteArray &out, quint64 value)
{
    char bytes[8];
    qToLittleEndian(value, bytes);
    out.append(bytes, 8);
}

inline QByteArray localHeader(const LocalHeader &h)
{
    QByteArray out;
    put32(out, 0x04034B50);
    put16(out, 20);
    put16(out, h.flags);
    put16(out, 0);
    put16(out, h.dosTime);
    put16(out, h.dosDate);
    put32(out, 0);
    put32(out, quint32(h.compressedSize < 0 ? h.data.size() : h.compressedSize));
    put32(out, quint32(h.size < 0 ? h.data.size() : h.size));
    put16(out, quint16(h.nameLengthField < 0 ? h.name.size() : h.nameLengthField));
    put16(out, quint16(h.extraLengthField < 0 ? h.extra.size() : h.extraLengthField));
    out += h.name;
    out += h.extra;
    out += h.data;
    return out;
}

// The start of a central directory and an end record: enough for the reader to stop.
inline QByteArray directoryEnd()
{
    QByteArray out;
    put32(out, 0x02014B50);
    out += QByteArray(42, '\0');
    put32(out, 0x06054B50);
    out += QByteArray(18, '\0');
    return out;
}

inline QByteArray zip64Extra(quint64 size, quint64 compressed)
{
    QByteArray out;
    put16(out, 0x0001);
    put16(out, 16);
    put64(out, size);
    put64(out, compressed);
    return out;
}

// A full central directory entry and end record, for archives whose local headers do not say
// everything (entries written as a stream).
inline QByteArray centralHeader(const QByteArray &name, quint16 flags, quint32 compressed, quint32 size,
                                quint32 localOffset)
{
    QByteArray out;
    put32(out, 0x02014B50);
    put16(out, 20);
    put16(out, 20);
    put16(out, flags);
    out += QByteArray(10, '\0'); // method, time, date, crc
    put32(out, compressed);
    put32(out, size);
    put16(out, quint16(name.size()));
    out += QByteArray(12, '\0'); // extra and comment lengths, disk, attributes
    put32(out, localOffset);
    return out + name;
}

inline QByteArray endRecord(quint16 count, quint32 directorySize, quint32 directoryOffset)
{
    QByteArray out;
    put32(out, 0x06054B50);
    put32(out, 0);
    put16(out, count);
    put16(out, count);
    put32(out, directorySize);
    put32(out, directoryOffset);
    put16(out, 0);
    return out;
}
