#include "backup/zip/ZipDirectory.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <limits>

namespace backup {

namespace {

constexpr quint32 kLocalHeader = 0x04034B50;
constexpr quint32 kCentralHeader = 0x02014B50;
constexpr quint32 kEndOfCentralDirectory = 0x06054B50;
constexpr quint32 kSizeFromZip64 = 0xFFFFFFFF;
constexpr quint16 kZip64ExtraId = 0x0001;
constexpr quint16 kUtf8NameFlag = 0x0800;
constexpr quint16 kSizesAfterDataFlag = 0x0008;
constexpr quint32 kDataDescriptor = 0x08074B50;

struct Sizes
{
    qint64 compressed = 0;
    qint64 size = 0;
};

const char *errorText(int number)
{
    switch (number) {
    case 1:
        return "Error 1 reading Zip File";
    case 2:
        return "Error 2 reading Zip file";
    case 3:
        return "Error 3 reading Zip file";
    case 4:
        return "Error 4 reading Zip file";
    default:
        return "Error 5 reading Zip file";
    }
}

quint16 u16(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 u32(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

// The ZIP64 extra field holds the sizes whose header fields read 0xFFFFFFFF, uncompressed
// first, each eight bytes.
void readZip64Sizes(const QByteArray &extra, bool sizeMarked, bool compressedMarked,
                    ZipEntry &entry)
{
    int at = 0;
    while (at + 4 <= extra.size()) {
        const quint16 id = u16(extra, at);
        const int length = u16(extra, at + 2);
        const int data = at + 4;
        if (id == kZip64ExtraId) {
            int field = data;
            auto next = [&](qint64 &target) {
                if (field + 8 > data + length || field + 8 > extra.size())
                    return;
                const quint64 value = qFromLittleEndian<quint64>(extra.constData() + field);
                // No archive is that large; keeping it would make the walk go backwards.
                target = value > quint64(std::numeric_limits<qint64>::max())
                             ? std::numeric_limits<qint64>::max()
                             : qint64(value);
                field += 8;
            };
            if (sizeMarked)
                next(entry.size);
            if (compressedMarked)
                next(entry.compressedSize);
            return;
        }
        at = data + length;
    }
}

// An entry written as a stream (zip from a pipe, many phone and web tools) has zero sizes in
// its local header and the real ones after its data; only the central directory tells where
// that data ends. The sizes of such entries, by the offset of their local header; empty when
// the archive has no readable end record.
QHash<qint64, Sizes> streamedEntrySizes(QFile &file)
{
    QHash<qint64, Sizes> sizes;
    const qint64 tailSize = std::min<qint64>(file.size(), 22 + 0xFFFF);
    if (!file.seek(file.size() - tailSize))
        return sizes;
    const QByteArray tail = file.read(tailSize);
    int end = tail.size() - 22;
    while (end >= 0 && u32(tail, end) != kEndOfCentralDirectory)
        --end;
    if (end < 0)
        return sizes;
    const int count = u16(tail, end + 10);
    if (!file.seek(u32(tail, end + 16)))
        return sizes;
    for (int i = 0; i < count; ++i) {
        const QByteArray header = file.read(46);
        if (header.size() < 46 || u32(header, 0) != kCentralHeader)
            break;
        if (u16(header, 8) & kSizesAfterDataFlag)
            sizes.insert(u32(header, 42), {u32(header, 20), u32(header, 24)});
        const int rest = u16(header, 28) + u16(header, 30) + u16(header, 32);
        if (!file.seek(file.pos() + rest))
            break;
    }
    return sizes;
}

} // namespace

ZipReadError::ZipReadError(int number) : std::runtime_error(errorText(number)), m_number(number)
{
}

QDateTime ZipEntry::dateTime() const
{
    return fromDosDateTime(dosDate, dosTime);
}

QDateTime fromDosDateTime(quint16 date, quint16 time)
{
    const QDate day(1980 + (date >> 9), (date >> 5) & 0x0F, date & 0x1F);
    const QTime clock(time >> 11, (time >> 5) & 0x3F, (time & 0x1F) * 2);
    if (!day.isValid() || !clock.isValid())
        return QDateTime();
    return QDateTime(day, clock);
}

QString decodeEntryName(const QByteArray &raw, bool utf8Flag)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString asUtf8 = utf8(raw);
    if (utf8Flag)
        return asUtf8;
    bool ascii = true;
    for (char c : raw)
        ascii = ascii && uchar(c) < 0x80;
    if (ascii)
        return QString::fromLatin1(raw);
    // Archives written on Linux often carry UTF-8 names without the flag; bytes that form
    // valid multi-byte UTF-8 are almost never a DOS name.
    if (!utf8.hasError())
        return asUtf8;
    QStringDecoder dos("IBM850");
    return dos.isValid() ? dos(raw) : QString::fromLatin1(raw);
}

QList<ZipEntry> readZipDirectory(const QString &archivePath)
{
    QList<ZipEntry> entries;
    QFile file(archivePath);
    if (!file.exists())
        return entries;
    if (!file.open(QIODevice::ReadOnly))
        throw ZipReadError(1);
    const qint64 fileSize = file.size();
    const QHash<qint64, Sizes> streamed = streamedEntrySizes(file);
    file.seek(0);
    for (;;) {
        const QByteArray signature = file.read(4);
        if (signature.size() < 4)
            throw ZipReadError(1);
        const quint32 value = u32(signature, 0);
        if (value == kCentralHeader || value == kEndOfCentralDirectory)
            return entries;
        if (value != kLocalHeader)
            continue;

        const qint64 headerOffset = file.pos() - 4;
        const QByteArray header = file.read(26);
        if (header.size() < 26)
            throw ZipReadError(2);
        const quint16 flags = u16(header, 2);
        const int nameLength = u16(header, 22);
        const int extraLength = u16(header, 24);
        ZipEntry entry;
        entry.dosTime = u16(header, 6);
        entry.dosDate = u16(header, 8);
        const auto stream = (flags & kSizesAfterDataFlag) ? streamed.constFind(headerOffset) : streamed.constEnd();
        const bool sizesAfterData = stream != streamed.constEnd();
        const quint32 compressed = sizesAfterData ? quint32(stream->compressed) : u32(header, 14);
        const quint32 size = sizesAfterData ? quint32(stream->size) : u32(header, 18);
        entry.compressedSize = compressed;
        entry.size = size;
        entry.rawName = file.read(nameLength);
        if (entry.rawName.size() < nameLength)
            throw ZipReadError(2);
        entry.name = decodeEntryName(entry.rawName, flags & kUtf8NameFlag);

        // A ZIP64 entry's real sizes are only known from its extra field, so its data is
        // checked against the file's end when it is skipped.
        const bool zip64 = compressed == kSizeFromZip64 || size == kSizeFromZip64;
        if (!zip64 && fileSize - 22 < file.pos() + extraLength + compressed)
            throw ZipReadError(3);
        const QByteArray extra = file.read(extraLength);
        if (extra.size() < extraLength)
            throw ZipReadError(4);
        if (zip64)
            readZip64Sizes(extra, size == kSizeFromZip64, compressed == kSizeFromZip64, entry);
        if (entry.compressedSize > fileSize - file.pos() ||
            !file.seek(file.pos() + entry.compressedSize))
            throw ZipReadError(5);
        if (sizesAfterData) {
            // crc and both sizes, after an optional signature of their own
            const QByteArray first = file.peek(4);
            file.seek(file.pos() + (first.size() == 4 && u32(first, 0) == kDataDescriptor ? 16 : 12));
        }
        entries.append(entry);
    }
}

} // namespace backup
