#include "CardSchool.h"

#include "export/AtaExport.h"

#include "core/TextFile.h"
#include "support/QStringPrinting.h"

#include <QFile>

namespace {

// 1G5A and 1G4A with PO, MA (ordinary) and AR (concept); pass marks 7 (unit) and 6 (final).
class AtaExportTest : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        setting(QStringLiteral("UNI_MEDIA"), 7);
        setting(QStringLiteral("GER_MEDIA"), 6);
        setting(QStringLiteral("LIMITE_DEP"), 2);
    }

    void addStudentWith(qint64 matricula, const QString &name, double ar, double ma, double po,
                        const QString &turma = QStringLiteral("1G5A"), bool ranked = true)
    {
        addStudent(matricula, name, turma, QStringLiteral("M"));
        addMarks(matricula, QStringLiteral("AR"), turma, {{"MD_RECUP", ar}});
        addMarks(matricula, QStringLiteral("MA"), turma, {{"MD_RECUP", ma}});
        addMarks(matricula, QStringLiteral("PO"), turma, {{"MD_RECUP", po}});
        if (ranked)
            rank(matricula, turma);
    }

    QStringList lines(const QString &classCode = QString())
    {
        reports::AtaSelection selection;
        selection.classCode = classCode;
        selection.onlyMarked = false;
        return exporting::ataExportLines(m_db, selection, QDate(2026, 12, 20));
    }
};

TEST_F(AtaExportTest, TheFileOfASmallSchoolByteForByte)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), 9.5, 7, 8);
    addStudentWith(2, QStringLiteral("BRUNO SOUZA"), 5, 4, 0);
    const QString path = m_dir.file(QStringLiteral("ata.csv"));
    ASSERT_TRUE(core::writeTextLines(path, lines()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray expected = QByteArray(";Lumesco;20/12/2026\r\n") +
                                ";Ata de Resultados Finais do Rendimento Escolar Referente ao Ano Letivo de 2026\r\n" +
                                ";Turma: 1G5A - 5\xba ANO A\r\n" +
                                "Ordem;Matricula;Nome do Aluno;ARTES;MATEM\xc1TICA;PORTUGU\xcaS;RESULTADO\r\n" +
                                "1.;1;ANA LIMA;9,5;7,0;8,0;APROVADO\r\n" +
                                // AR 5,0 is a concept "C"; PO 0,0 does not count as failed.
                                "2.;2;BRUNO SOUZA;C;4,0;0,0;PROG. PARCIAL\r\n";
    EXPECT_EQ(file.readAll(), expected);
}

TEST_F(AtaExportTest, FailedOrdinarySubjectsAgainstTheDependencyLimit)
{
    addStudentWith(1, QStringLiteral("ANA"), 8, 5, 5.5);
    addStudentWith(2, QStringLiteral("BIA"), 8, 5, 8);
    EXPECT_TRUE(lines().at(4).endsWith(QStringLiteral(";PROG. PARCIAL")));
    setting(QStringLiteral("LIMITE_DEP"), 1);
    EXPECT_TRUE(lines().at(4).endsWith(QStringLiteral(";REPROVADO")));
    setting(QStringLiteral("LIMITE_DEP"), 0);
    EXPECT_TRUE(lines().at(5).endsWith(QStringLiteral(";REPROVADO")));
}

TEST_F(AtaExportTest, ClassesInOrderEachNumberedFromOneAndUnrankedClassesLeftOut)
{
    addStudentWith(1, QStringLiteral("ANA"), 8, 8, 8);
    addStudentWith(2, QStringLiteral("CAIO"), 8, 8, 8, QStringLiteral("1G4A"));
    addStudentWith(3, QStringLiteral("DIANA"), 8, 8, 8, QStringLiteral("1G9A"), false);
    const QStringList all = lines();
    ASSERT_EQ(all.size(), 1 + 2 * 4);
    EXPECT_EQ(all.at(2), QStringLiteral(";Turma: 1G4A - 4º ANO A"));
    EXPECT_TRUE(all.at(4).startsWith(QStringLiteral("1.;2;CAIO;")));
    EXPECT_EQ(all.at(6), QStringLiteral(";Turma: 1G5A - 5º ANO A"));
    EXPECT_TRUE(all.at(8).startsWith(QStringLiteral("1.;1;ANA;")));
    EXPECT_EQ(lines(QStringLiteral("1G4A")).size(), 1 + 4);
}

TEST_F(AtaExportTest, AMissingSubjectRowLeavesItsCellEmpty)
{
    addStudent(1, QStringLiteral("ANA"), QStringLiteral("1G5A"), QStringLiteral("F"));
    addMarks(1, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"MD_RECUP", 8}});
    rank(1, QStringLiteral("1G5A"));
    EXPECT_EQ(lines().at(4), QStringLiteral("1.;1;ANA;;;8,0;APROVADO"));
}

TEST_F(AtaExportTest, LeaversAreLeftOutUnlessAsked)
{
    addStudentWith(1, QStringLiteral("ANA"), 8, 8, 8);
    addStudent(2, QStringLiteral("TIAGO"), QStringLiteral("1G5A"), QStringLiteral("M"), QStringLiteral("T"));
    addMarks(2, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"MD_RECUP", 8}});
    rank(2, QStringLiteral("1G5A"));
    EXPECT_EQ(lines().size(), 5);
    reports::AtaSelection selection;
    selection.skipLeavers = false;
    selection.onlyMarked = false;
    EXPECT_EQ(exporting::ataExportLines(m_db, selection, QDate(2026, 12, 20)).size(), 6);
    EXPECT_EQ(exporting::ataExportFileName(QStringLiteral("Todas as Turmas")), QStringLiteral("ATA_FINAL-Todas as Turmas"));
}

} // namespace
