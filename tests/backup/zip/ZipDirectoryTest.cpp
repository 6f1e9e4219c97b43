#include "backup/zip/ZipDirectory.h"
#include "backup/zip/ZipBytes.h"

#include "support/QStringPrinting.h"
#include "support/TempDir.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace backup;

namespace {

constexpr quint16 kDate20260109 = ((2026 - 1980) << 9) | (1 << 5) | 9;
constexpr quint16 kTime202514 = (20 << 11) | (25 << 5) | 7;

class ZipDirectoryTest : public ::testing::Test
{
protected:
    QList<ZipEntry> read(const QByteArray &bytes)
    {
        return readZipDirectory(m_dir.write(QStringLiteral("a.zip"), bytes));
    }
    // The text of the error the bytes raise, or "" when they read.
    QString errorOf(const QByteArray &bytes)
    {
        try {
            read(bytes);
        } catch (const ZipReadError &e) {
            return e.message();
        }
        return QString();
    }
    TempDir m_dir;
};

TEST_F(ZipDirectoryTest, ReadsEveryLocalHeaderInFileOrderUpToTheCentralDirectory)
{
    LocalHeader first{"LUMESCO.DB", QByteArray(100, 'x'), 0, kTime202514, kDate20260109};
    first.size = 4000;
    const LocalHeader second{"Quorvel.ini", "[Geral]\r\n"};
    const QList<ZipEntry> entries =
        read(localHeader(first) + localHeader(second) + directoryEnd());
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].name, QStringLiteral("LUMESCO.DB"));
    EXPECT_EQ(entries[0].compressedSize, 100);
    EXPECT_EQ(entries[0].size, 4000);
    EXPECT_EQ(entries[0].dateTime(), QDateTime(QDate(2026, 1, 9), QTime(20, 25, 14)));
    EXPECT_EQ(entries[1].name, QStringLiteral("Quorvel.ini"));
    EXPECT_EQ(entries[1].size, 9);
}

TEST_F(ZipDirectoryTest, AMissingArchiveHasNoEntries)
{
    EXPECT_TRUE(readZipDirectory(m_dir.file(QStringLiteral("nenhum.zip"))).isEmpty());
}

TEST_F(ZipDirectoryTest, UnknownBytesAreSkippedFourAtATime)
{
    const QByteArray entry = localHeader({"A.DB", "abc"}) + directoryEnd();
    // Eight bytes of junk keep the header on a four-byte step: it is found.
    ASSERT_EQ(read(QByteArray(8, '\x11') + entry).size(), 1);
    // Six bytes put it between two steps: the scan walks past every signature to the end.
    EXPECT_EQ(errorOf(QByteArray(6, '\x11') + entry), QStringLiteral("Error 1 reading Zip File"));
    EXPECT_EQ(errorOf("Isto não é um arquivo zip, é um texto qualquer."),
              QStringLiteral("Error 1 reading Zip File"));
    EXPECT_EQ(errorOf(QByteArray()), QStringLiteral("Error 1 reading Zip File"));
}

TEST_F(ZipDirectoryTest, DamagedArchivesRaiseTheirFiveErrors)
{
    const QByteArray whole = localHeader({"ALUNOS.DB", QByteArray(50, 'd')});
    // 1: the file ends before a signature is found (here: zeros after the entry).
    EXPECT_EQ(errorOf(whole + QByteArray(22, '\0')), QStringLiteral("Error 1 reading Zip File"));
    // 2: the header, or the name after it, is cut short.
    EXPECT_EQ(errorOf(whole.left(20)), QStringLiteral("Error 2 reading Zip file"));
    LocalHeader longName{"ALUNOS.DB", ""};
    longName.nameLengthField = 200;
    EXPECT_EQ(errorOf(localHeader(longName)), QStringLiteral("Error 2 reading Zip file"));
    // 3: the sizes in the header run into the last 22 bytes, where the end record must be.
    EXPECT_EQ(errorOf(whole), QStringLiteral("Error 3 reading Zip file"));
    LocalHeader tooBig{"ALUNOS.DB", QByteArray(50, 'd')};
    tooBig.compressedSize = 5000;
    EXPECT_EQ(errorOf(localHeader(tooBig) + directoryEnd()),
              QStringLiteral("Error 3 reading Zip file"));
    // 4: the extra field holding the real sizes of a large entry is cut short.
    LocalHeader zip64{"GRANDE.DB", QByteArray(), 0, 0, 0, zip64Extra(10, 10)};
    zip64.compressedSize = zip64.size = 0xFFFFFFFF;
    EXPECT_EQ(errorOf(localHeader(zip64).left(30 + 9 + 10)),
              QStringLiteral("Error 4 reading Zip file"));
    // 5: the data the extra field announces is not there.
    zip64.extra = zip64Extra(10000, 10000);
    EXPECT_EQ(errorOf(localHeader(zip64) + QByteArray(100, 'd') + directoryEnd()),
              QStringLiteral("Error 5 reading Zip file"));
}

TEST_F(ZipDirectoryTest, EntriesBeyondFourGibibytesTakeTheirSizesFromTheZip64Field)
{
    const QByteArray data(64, 'z');
    LocalHeader big{"ANUAL.DB", data, 0, 0, 0, zip64Extra(5'000'000'000ULL, quint64(data.size()))};
    big.compressedSize = big.size = 0xFFFFFFFF;
    const QList<ZipEntry> entries =
        read(localHeader(big) + localHeader({"DEPOIS.DB", "x"}) + directoryEnd());
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].size, 5'000'000'000LL);
    EXPECT_EQ(entries[0].compressedSize, data.size());
    EXPECT_EQ(entries[1].name, QStringLiteral("DEPOIS.DB"));
}

TEST_F(ZipDirectoryTest, EntriesWrittenAsAStreamTakeTheirSizesFromTheCentralDirectory)
{
    // The data holds a local header signature of its own: walking into it would list a
    // phantom entry.
    const QByteArray data = QByteArray("abcd") + QByteArray::fromHex("504b0304") + QByteArray(40, 'z');
    LocalHeader streamed{"ALUNOS.DB", data, 0x0008};
    streamed.compressedSize = 0;
    streamed.size = 0;
    QByteArray bytes = localHeader(streamed);
    for (const bool signature : {true, false}) {
        QByteArray archive = bytes;
        if (signature)
            put32(archive, 0x08074B50);
        put32(archive, 0x12345678);
        put32(archive, quint32(data.size()));
        put32(archive, 900);
        const quint32 second = quint32(archive.size());
        archive += localHeader({"Quorvel.ini", "[Geral]\r\n"});
        const quint32 directory = quint32(archive.size());
        const QByteArray central = centralHeader("ALUNOS.DB", 0x0008, quint32(data.size()), 900, 0) +
                                   centralHeader("Quorvel.ini", 0, 9, 9, second);
        archive += central + endRecord(2, quint32(central.size()), directory);

        const QList<ZipEntry> entries = read(archive);
        ASSERT_EQ(entries.size(), 2) << "descriptor signature " << signature;
        EXPECT_EQ(entries[0].name, QStringLiteral("ALUNOS.DB"));
        EXPECT_EQ(entries[0].compressedSize, data.size());
        EXPECT_EQ(entries[0].size, 900);
        EXPECT_EQ(entries[1].name, QStringLiteral("Quorvel.ini"));
        EXPECT_EQ(entries[1].size, 9);
    }
}

TEST_F(ZipDirectoryTest, NamesInUtf8OrTheDosCodePageAndLongerThan255Bytes)
{
    const QString accented = QStringLiteral("AVALIAÇÃO/notas ç.db");
    QStringEncoder dos("IBM850");
    const QByteArray dosName = dos(accented);
    LocalHeader flagged{accented.toUtf8(), "1"};
    flagged.flags = 0x0800;
    const QByteArray longName(300, 'n');
    const QList<ZipEntry> entries =
        read(localHeader(flagged) + localHeader({dosName, "2"}) +
             localHeader({accented.toUtf8(), "3"}) + localHeader({longName, "4"}) +
             localHeader({"ULTIMO", "5"}) + directoryEnd());
    ASSERT_EQ(entries.size(), 5);
    EXPECT_EQ(entries[0].name, accented);
    EXPECT_EQ(entries[1].name, accented) << "the DOS code page of Brazilian Windows";
    EXPECT_EQ(entries[1].rawName, dosName);
    EXPECT_EQ(entries[2].name, accented) << "UTF-8 written without the flag";
    EXPECT_EQ(entries[3].name, QString::fromLatin1(longName));
    EXPECT_EQ(entries[4].name, QStringLiteral("ULTIMO"));
}

TEST(DosDateTime, FieldsOutOfRangeGiveNoDate)
{
    EXPECT_EQ(fromDosDateTime(kDate20260109, 0), QDateTime(QDate(2026, 1, 9), QTime(0, 0)));
    EXPECT_FALSE(fromDosDateTime(0, 0).isValid()) << "month 0";
    EXPECT_FALSE(fromDosDateTime(kDate20260109, 24 << 11).isValid());
}

} // namespace
