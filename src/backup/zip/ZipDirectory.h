#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <stdexcept>

// The table of contents of a zip archive, read from its local headers in file order.
namespace backup {

struct ZipEntry
{
    QString name;        // decoded (see decodeEntryName)
    QByteArray rawName;  // as stored
    qint64 compressedSize = 0;
    qint64 size = 0;
    quint16 dosDate = 0;
    quint16 dosTime = 0;

    QDateTime dateTime() const;
};

// One of the five texts "Error N reading Zip File" of a damaged archive.
class ZipReadError : public std::runtime_error
{
public:
    explicit ZipReadError(int number);
    int number() const { return m_number; }
    QString message() const { return QString::fromLatin1(what()); }

private:
    int m_number;
};

// Walks the local headers from the start of the file: a signature that is neither a local
// header nor the start of the central directory is skipped four bytes at a time. A missing
// file gives an empty list; a damaged one throws ZipReadError. Sizes kept in a ZIP64 extra
// field (archives beyond 4 GiB) are read from it; an entry written as a stream (sizes after its
// data) takes them from the central directory; names longer than 255 bytes are kept whole.
QList<ZipEntry> readZipDirectory(const QString &archivePath);

// A DOS date and time as stored in zip headers; invalid when the fields are out of range.
QDateTime fromDosDateTime(quint16 date, quint16 time);

// An entry name as text: UTF-8 when the entry says so (or the bytes can only be UTF-8),
// otherwise the DOS code page of Brazilian Windows (850).
QString decodeEntryName(const QByteArray &raw, bool utf8Flag);

} // namespace backup
