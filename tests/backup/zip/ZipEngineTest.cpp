#include "backup/zip/ZipDirectory.h"
#include "backup/zip/ZipFixture.h"

#include "support/QStringPrinting.h"
#include "support/ScriptedDialogs.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

using namespace backup;

namespace {

QByteArray noise(int size, quint32 seed = 7)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

QStringList entryNames(const TZipMaster &zip)
{
    QStringList names;
    for (const ZipEntry &entry : zip.entries())
        names.append(entry.name);
    return names;
}

// An archive written straight with libzip, with names the program itself never writes.
void writeRawArchive(const QString &path, const QList<QPair<QByteArray, QByteArray>> &entries,
                     const QByteArray &symlinkName = QByteArray())
{
    int error = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto &[name, data] : entries) {
        zip_source_t *source = zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_RAW);
        if (name == symlinkName)
            zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(S_IFLNK | 0777) << 16);
    }
    zip_close(archive);
}

class ZipEngineTest : public ::testing::Test, public ZipFixture
{
};

TEST_F(ZipEngineTest, BackupAndRestoreGiveTheSameBytesWithNamesRelativeToTheDataDirectory)
{
    write("Data/Lumesco.db.txt", QByteArray("alunos\r\n").repeated(5000));
    write("Data/Quorvel.ini", "[Geral]\r\nJuros=0,05\r\n");
    write("Data/FOTOS/20260001.bmp", noise(200'000));
    write("Data/vazio.txt", QByteArray());
    ASSERT_EQ(add({"Lumesco.db.txt", "Quorvel.ini", "FOTOS", "vazio.txt"}, {true, true}), 4);
    EXPECT_EQ(entryNames(zip), QStringList({"Lumesco.db.txt", "Quorvel.ini", "FOTOS/20260001.bmp",
                                            "vazio.txt"}))
        << "the table of contents is read again after Add";
    EXPECT_LT(zip.entries()[0].compressedSize, zip.entries()[0].size / 20) << "level 9";
    EXPECT_TRUE(zip.fileSpecs().isEmpty());

    ASSERT_EQ(extract(path("restaurado"), {}, {true, true}), 4);
    EXPECT_EQ(tree(path("restaurado")), tree(dataDir()));
    // Without "Expandir diretórios" every file lands in the destination itself.
    ASSERT_EQ(extract(path("plano"), {"fotos/20260001.BMP"}), 1) << "names match in any case";
    EXPECT_EQ(read("plano/20260001.bmp"), read("Data/FOTOS/20260001.bmp"));
}

TEST_F(ZipEngineTest, DirectoryNamesAndRecursionFollowTheOptions)
{
    write("Data/a.txt", "a");
    write("Data/sub/b.txt", "b");
    write("outra/c.txt", "c");
    ASSERT_EQ(add({"a.txt", path("outra/c.txt"), "sub"}, {false, false}), 3);
    EXPECT_EQ(entryNames(zip), QStringList({"a.txt", "c.txt", "b.txt"}));

    zip.startNewArchive(archive());
    ASSERT_EQ(add({"a.txt", path("outra/c.txt")}, {true, false}), 2);
    // Outside the data directory a name keeps its whole path, without the root.
    EXPECT_EQ(entryNames(zip),
              QStringList({"a.txt", QDir::cleanPath(path("outra/c.txt")).mid(1)}));

    zip.startNewArchive(archive());
    ASSERT_EQ(add({"*.txt"}, {true, true}), 2) << "a pattern with Recurse Dirs";
    EXPECT_EQ(entryNames(zip), QStringList({"a.txt", "sub/b.txt"}));
    zip.startNewArchive(archive());
    ASSERT_EQ(add({"*.txt"}, {true, false}), 1);

    QFile::remove(archive());
    zip.startNewArchive(archive());
    EXPECT_EQ(add({"a.txt", "falta.txt"}), 1);
    EXPECT_TRUE(messages.contains("0|  aviso: nenhum arquivo encontrado para " +
                                  QDir::toNativeSeparators(path("Data/falta.txt"))));
    QFile::remove(archive());
    zip.startNewArchive(archive());
    EXPECT_EQ(add({"falta.txt"}), 0);
    EXPECT_EQ(messages.last(), "0|Nenhum arquivo para compactar.");
    EXPECT_FALSE(QFileInfo::exists(archive()));
}

TEST_F(ZipEngineTest, TheCallbackReportsEachFileItsBlocksAndTheEndOfTheBatch)
{
    write("Data/grande.bin", noise(300'000));
    write("Data/pequeno.txt", "abc");
    ASSERT_EQ(add({"grande.bin", "pequeno.txt"}), 2);
    ASSERT_GE(progress.size(), 4);
    EXPECT_EQ(progress.first(), QStringLiteral("1 grande.bin 300000"));
    EXPECT_TRUE(progress.contains(QStringLiteral("2 300000")));
    EXPECT_TRUE(progress.contains(QStringLiteral("1 pequeno.txt 3")));
    EXPECT_EQ(progress.last(), QStringLiteral("3"));
    EXPECT_TRUE(messages.contains(QStringLiteral("0|  adicionando: grande.bin")));
    // Blocks of one file come in order and grow.
    qint64 last = 0;
    for (const QString &event : progress) {
        if (!event.startsWith(QStringLiteral("2 ")))
            continue;
        const qint64 done = event.mid(2).toLongLong();
        EXPECT_GT(done, last);
        last = done == 300000 ? 0 : done;
    }
}

TEST_F(ZipEngineTest, RefusalsAndABusyComponent)
{
    zip.setArchiveName(archive());
    zip.add();
    EXPECT_EQ(messages, QStringList({"1|Error - no files to zip"}));
    TZipMaster unnamed;
    QStringList refused;
    unnamed.events().message = [&](int, const QString &text) { refused.append(text); };
    unnamed.fileSpecs() = QStringList{"a.txt"};
    unnamed.add();
    EXPECT_EQ(refused, QStringList({"Error - no zip file specified"}));

    // A second operation asked for from the callback of a running one is refused.
    write("Data/a.txt", "a");
    bool busySeen = false;
    zip.events().progress = [&](ZipAction, const QString &, qint64) {
        busySeen = busySeen || zip.busy();
        zip.extract();
    };
    EXPECT_EQ(add({"a.txt"}), 1);
    EXPECT_TRUE(busySeen);
    EXPECT_FALSE(zip.busy());
    EXPECT_TRUE(messages.filter(QStringLiteral("recuperando")).isEmpty())
        << "the nested Extract did not run";
}

TEST_F(ZipEngineTest, CancelDuringAddLeavesNoArchiveAndKeepsAnOldOneWhole)
{
    write("Data/grande.bin", noise(2'000'000));
    write("Data/outro.bin", noise(500'000, 3));
    stopWhen = [this] { return progress.size() == 3; };
    EXPECT_EQ(add({"grande.bin", "outro.bin"}), 0);
    EXPECT_TRUE(messages.contains(
        QStringLiteral("0|Operação cancelada: nenhum arquivo foi gravado.")));
    EXPECT_TRUE(QDir(backupDir()).isEmpty()) << "no archive and no temporary file";

    stopWhen = [] { return false; };
    ASSERT_EQ(add({"outro.bin"}), 1);
    const QByteArray before = read("BACKUP/copia.zip");
    stopWhen = [this] { return progress.size() == 3; };
    progress.clear();
    zip.startNewArchive(archive());
    EXPECT_EQ(add({"grande.bin"}), 0);
    EXPECT_EQ(read("BACKUP/copia.zip"), before) << "\"Sim\" in \"&Novo\" lost no backup";
    EXPECT_EQ(QDir(backupDir()).entryList(QDir::Files), QStringList({"copia.zip"}));
}

TEST_F(ZipEngineTest, AddUpdatesAnArchiveAndANewOneReplacesIt)
{
    write("Data/a.txt", "1");
    write("Data/b.txt", "2");
    ASSERT_EQ(add({"a.txt"}), 1);
    write("Data/a.txt", "um");
    ASSERT_EQ(add({"a.txt", "b.txt"}), 2);
    EXPECT_EQ(entryNames(zip), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(zip.entries()[0].size, 2) << "the entry was replaced";
    zip.startNewArchive(archive());
    EXPECT_TRUE(zip.entries().isEmpty());
    ASSERT_EQ(add({"b.txt"}), 1);
    EXPECT_EQ(entryNames(zip), QStringList({"b.txt"}));
}

TEST_F(ZipEngineTest, RestoreOptionsOverwriteAndSelectedEntries)
{
    write("Data/a.txt", "novo a");
    write("Data/b.txt", "novo b");
    ASSERT_EQ(add({"a.txt", "b.txt"}), 2);
    write("destino/a.txt", "velho a");
    EXPECT_EQ(extract(path("destino"), {}, {false, false}), 1);
    EXPECT_EQ(read("destino/a.txt"), "velho a") << "\"Sobrescrever\" Não";
    EXPECT_EQ(read("destino/b.txt"), "novo b");
    EXPECT_TRUE(messages.contains(QStringLiteral("0|  mantido: a.txt (já existe)")));

    messages.clear();
    EXPECT_EQ(extract(path("destino"), {"a.txt", "c.txt"}), 1);
    EXPECT_EQ(read("destino/a.txt"), "novo a");
    EXPECT_TRUE(messages.contains(QStringLiteral("0|  aviso: c.txt não está no arquivo ZIP")));
    EXPECT_EQ(extract(path("criado/agora")), 2) << "a missing destination is created";
}

TEST_F(ZipEngineTest, EntriesThatWouldLeaveTheDestinationAreRefused)
{
    writeRawArchive(archive(), {{"../fora.txt", "x"},
                                {"/absoluto.txt", "x"},
                                {"C:\\WINDOWS\\win.ini", "x"},
                                {"sub/../../fora2.txt", "x"},
                                {"link", "/etc/passwd"},
                                {"sub\\bom.txt", "bom"}},
                    "link");
    zip.setArchiveName(archive());
    ASSERT_EQ(extract(path("dest/alvo"), {}, {true, true}), 1);
    EXPECT_EQ(tree(path("dest")), (QMap<QString, QByteArray>{{"alvo/sub/bom.txt", "bom"}}));
    EXPECT_EQ(messages.filter(QStringLiteral("Recusado")).size(), 5);
    EXPECT_TRUE(messages.contains(
        QStringLiteral("%1|Recusado: ../fora.txt (nome fora da pasta de destino ou vínculo "
                       "simbólico)")
            .arg(ZIP_ER_INVAL)));

    // A folder of the destination that is a link to elsewhere is not followed either.
    QDir().mkpath(path("elsewhere"));
    QDir().mkpath(path("dest2"));
    QFile::link(path("elsewhere"), path("dest2/sub"));
    EXPECT_EQ(extract(path("dest2"), {"sub\\bom.txt"}, {true, true}), 0);
    EXPECT_TRUE(QDir(path("elsewhere")).isEmpty());
}

TEST_F(ZipEngineTest, AccentedNamesComeBackFromUtf8AndFromTheDosCodePage)
{
    QStringEncoder dos("IBM850");
    writeRawArchive(archive(), {{dos(QStringLiteral("AVALIAÇÃO.txt")), "dos"}});
    zip.setArchiveName(archive());
    ASSERT_EQ(extract(path("dos")), 1);
    EXPECT_EQ(read(QStringLiteral("dos/AVALIAÇÃO.txt")), "dos");

    write(QStringLiteral("Data/PROMOÇÃO 2º ANO.txt"), "utf8");
    zip.startNewArchive(archive());
    ASSERT_EQ(add({QStringLiteral("PROMOÇÃO 2º ANO.txt")}), 1);
    EXPECT_EQ(entryNames(zip), QStringList({QStringLiteral("PROMOÇÃO 2º ANO.txt")}));
    ASSERT_EQ(extract(path("utf8")), 1);
    EXPECT_EQ(read(QStringLiteral("utf8/PROMOÇÃO 2º ANO.txt")), "utf8");
}

TEST_F(ZipEngineTest, ADamagedOrCancelledRestoreChangesNothing)
{
    write("Data/a.txt", noise(100'000, 1));
    write("Data/b.txt", noise(100'000, 2));
    ASSERT_EQ(add({"a.txt", "b.txt"}), 2);
    const QByteArray good = read("BACKUP/copia.zip");
    write("destino/a.txt", "velho a");
    write("destino/b.txt", "velho b");
    const auto old = tree(path("destino"));

    // Cut short: the archive cannot be read at all.
    write("BACKUP/copia.zip", good.left(good.size() / 2));
    EXPECT_EQ(extract(path("destino")), 0);
    EXPECT_EQ(tree(path("destino")), old);
    EXPECT_TRUE(messages.last().startsWith(QStringLiteral("%1|Não foi possível ler o arquivo ZIP")
                                               .arg(ZIP_ER_NOZIP)))
        << messages.last().toStdString();

    // Damaged inside the second entry: the first one, already good, is not written either.
    QByteArray damaged = good;
    const qsizetype second = damaged.indexOf("PK\x03\x04", 10);
    damaged[second + 30 + 5 + 5000] = char(damaged[second + 30 + 5 + 5000] ^ 0x55);
    write("BACKUP/copia.zip", damaged);
    EXPECT_EQ(extract(path("destino")), 0);
    EXPECT_EQ(tree(path("destino")), old);
    EXPECT_TRUE(messages.contains(QStringLiteral(
        "0|Nenhum arquivo foi recuperado: os arquivos do destino ficaram como estavam.")));

    write("BACKUP/copia.zip", good);
    progress.clear();
    stopWhen = [this] { return progress.filter(QStringLiteral("1 b.txt")).size() == 1; };
    EXPECT_EQ(extract(path("destino")), 0);
    EXPECT_EQ(tree(path("destino")), old) << "no temporary file left behind either";
}

TEST_F(ZipEngineTest, AnEngineFailureIsShownAsFatal)
{
    ScriptedDialogs::Guard dialogs;
    write("Data/quebrado.db", QByteArray("SQLite format 3\0", 16) + QByteArray(4000, 'x'));
    EXPECT_EQ(add({"quebrado.db"}), 0);
    EXPECT_EQ(dialogs->texts(), QStringList({"Fatal DLL Error: abort exception"}));
    EXPECT_FALSE(QFileInfo::exists(archive()));
    EXPECT_FALSE(zip.busy());
}

} // namespace
