#include "backup/BackupRun.h"

#include "core/TextFile.h"
#include "support/QStringPrinting.h"
#include "support/RecordingReporter.h"
#include "support/TempDir.h"

#include <QDir>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace backup;

namespace {

// A status window that fails as soon as a file starts.
class ThrowingReporter : public RecordingReporter
{
public:
    void begin(const QString &title, int total, bool offersCancel) override
    {
        RecordingReporter::begin(title, total, offersCancel);
        if (!title.isEmpty())
            throw std::runtime_error("janela fechada");
    }
};

class BackupRunTest : public ::testing::Test
{
protected:
    BackupRunTest()
    {
        QByteArray big(600'000, Qt::Uninitialized);
        QRandomGenerator(3).fillRange(reinterpret_cast<quint32 *>(big.data()), big.size() / 4);
        m_dir.write("grande.bin", big);
        m_dir.write("Quorvel.ini", "[Geral]");
        m_zip.setArchiveName(m_dir.file("copia.Zip"));
    }
    QStringList files() const { return {m_dir.file("grande.bin"), m_dir.file("Quorvel.ini")}; }

    TempDir m_dir;
    TZipMaster m_zip;
    RecordingReporter m_reporter;
};

TEST_F(BackupRunTest, TheMemoGoesToTheReporterAndToTheLogBesideTheArchive)
{
    const RunResult result = runBackup(m_zip, files(), {false, false}, m_reporter);
    EXPECT_EQ(result.count, 2);
    EXPECT_EQ(result.memo, QStringList({"Preparando arquivo... " + m_dir.file("copia.Zip"),
                                        "  adicionando: grande.bin", "  adicionando: Quorvel.ini"}));
    EXPECT_EQ(m_reporter.noteTexts(), result.memo);
    // The bar counts kibibytes of the file started; a cleared label ends the batch.
    const auto &stages = m_reporter.stages();
    ASSERT_EQ(stages.size(), 4);
    EXPECT_EQ(stages[1].title, "grande.bin");
    EXPECT_EQ(stages[1].total, 586);
    EXPECT_TRUE(stages[1].offersCancel);
    EXPECT_EQ(stages[2].title, "Quorvel.ini");
    EXPECT_EQ(stages[3].title, QString());
    EXPECT_TRUE(m_reporter.steps().contains(586));
    EXPECT_EQ(m_reporter.outcome(), core::RunOutcome::Completed);
    EXPECT_EQ(m_dir.read("copia.log"),
              core::toWindows1252(result.memo.join("\r\n") + "\r\n"));
    EXPECT_EQ(backupCountText(result.count), "2 arquivos foram copiados no Back-Up");
}

TEST_F(BackupRunTest, CancelFromTheReporterStopsTheRunAndIsLogged)
{
    m_reporter.cancelAtStep(2);
    const RunResult result = runBackup(m_zip, files(), {}, m_reporter);
    EXPECT_EQ(result.count, 0);
    EXPECT_EQ(result.memo.last(), "Operação cancelada: nenhum arquivo foi gravado.");
    EXPECT_FALSE(QFileInfo::exists(m_dir.file("copia.Zip")));
    EXPECT_EQ(core::readTextLines(m_dir.file("copia.log")), result.memo);
    EXPECT_EQ(m_reporter.outcome(), core::RunOutcome::Cancelled);
}

TEST_F(BackupRunTest, AnExceptionOutOfAddIsLoggedAndTheRunStillEnds)
{
    ThrowingReporter failing;
    const RunResult result = runBackup(m_zip, files(), {}, failing);
    EXPECT_EQ(result.count, 0);
    EXPECT_EQ(result.memo.mid(result.memo.size() - 2),
              QStringList({"Error in Add; Fatal DLL Exception in mainunit", "janela fechada"}));
    EXPECT_EQ(result.outcome, core::RunOutcome::Failed);
    EXPECT_EQ(failing.outcome(), core::RunOutcome::Failed);
    EXPECT_FALSE(m_zip.busy());
    EXPECT_FALSE(QFileInfo::exists(m_dir.file("copia.Zip")));

    ASSERT_EQ(runBackup(m_zip, files(), {}, m_reporter).count, 2);
    ThrowingReporter failingRestore;
    const RunResult restore = runRestore(m_zip, m_dir.file("r"), {}, {}, failingRestore);
    EXPECT_EQ(restore.memo.first(), "Aguarde... preparando arquivo " + m_dir.file("copia.Zip"));
    EXPECT_EQ(restore.memo.mid(restore.memo.size() - 2),
              QStringList({"Error in Extract; Fatal DLL Exception in mainunit", "janela fechada"}));
    EXPECT_FALSE(QFileInfo::exists(m_dir.file("r/Quorvel.ini")));
    EXPECT_EQ(restoreCountText(3), "3 arquivos foram recuperados");
}

} // namespace
