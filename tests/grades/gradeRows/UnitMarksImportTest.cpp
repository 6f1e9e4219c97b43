#include "GradeRowsFixture.h"

#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/ExternalTable.h"
#include "grades/GradeRows.h"
#include "grades/UnitMarksImport.h"
#include "support/RefusingTrigger.h"

#include <QFile>
#include <shapefil.h>

class UnitMarksImportTest : public GradeRowsFixture
{
protected:
    void SetUp() override
    {
        GradeRowsFixture::SetUp();
        ASSERT_EQ(grades::generateGradeRows(db(), false, m_reporter), core::RunOutcome::Completed);
    }

    struct SourceRow
    {
        double matricula;
        const char *disc;
        const char *turma;
        double nota1;
        double nota2;
        double recup; // negative: empty
    };
    // The marks file of a teacher's spreadsheet, as a dBase table.
    QString writeSource(const QList<SourceRow> &rows) const
    {
        const QString path = m_files.file(QStringLiteral("notas.dbf"));
        DBFHandle h = DBFCreateEx(QFile::encodeName(path).constData(), "LDID/87");
        DBFAddField(h, "MATRICULA", FTDouble, 10, 0);
        DBFAddField(h, "DISC", FTString, 2, 0);
        DBFAddField(h, "TURMA", FTString, 5, 0);
        DBFAddField(h, "NOTA1", FTDouble, 5, 1);
        DBFAddField(h, "NOTA2", FTDouble, 5, 1);
        DBFAddField(h, "RECUP", FTDouble, 5, 1);
        for (int i = 0; i < rows.size(); ++i) {
            const SourceRow &r = rows.at(i);
            DBFWriteDoubleAttribute(h, i, 0, r.matricula);
            DBFWriteStringAttribute(h, i, 1, r.disc);
            DBFWriteStringAttribute(h, i, 2, r.turma);
            DBFWriteDoubleAttribute(h, i, 3, r.nota1);
            DBFWriteDoubleAttribute(h, i, 4, r.nota2);
            if (r.recup < 0)
                DBFWriteNULLAttribute(h, i, 5);
            else
                DBFWriteDoubleAttribute(h, i, 5, r.recup);
        }
        DBFClose(h);
        return path;
    }
    int unitRowCount(int unit) const { return count(QStringLiteral("select count(*) from NotasUni%1").arg(unit)); }

    TempDir m_files;
};

TEST_F(UnitMarksImportTest, MatchingRowsGetTheMarksAndTheirAveragesOthersAreLeftAlone)
{
    setUnit(2, 2, "01", "NOTA3", 4.0); // a mark the source does not name is kept
    const auto source = data::openExternalTable(writeSource({{1, "01", "1G1A", 8.0, 9.0, -1},
                                                             {2, "01", "1G1A", 5.0, 6.0, 7.0},
                                                             {99, "01", "1G1A", 10.0, 10.0, -1},  // no such student
                                                             {1, "09", "1G1A", 10.0, 10.0, -1},   // no such subject
                                                             {6, "04", "1G1A", 10.0, 10.0, -1}})); // not its class
    ASSERT_TRUE(grades::missingKeyFields(*source).isEmpty());

    ASSERT_EQ(grades::importUnitMarks(db(), *source, 2, m_reporter), core::RunOutcome::Completed);

    EXPECT_DOUBLE_EQ(unitValue(2, 1, "01", "NOTA2").toDouble(), 9.0);
    EXPECT_DOUBLE_EQ(unitValue(2, 1, "01", "MEDIA").toDouble(), 8.5);
    EXPECT_EQ(unitValue(2, 1, "01", "RESULTADO").toString(), QStringLiteral("Na Média*"));
    EXPECT_DOUBLE_EQ(year(1, "01", "UND2").toDouble(), 8.5);
    // (5 + 6 + 4) / 3 = 5.0; recovery 7 gives 6.0.
    EXPECT_DOUBLE_EQ(unitValue(2, 2, "01", "NOTA3").toDouble(), 4.0);
    EXPECT_DOUBLE_EQ(unitValue(2, 2, "01", "MD_FINAL").toDouble(), 6.0);
    EXPECT_EQ(year(2, "01", "RESULTADO").toString(), QStringLiteral("Recuperação"));
    // Rows without a unit row change nothing and add nothing.
    EXPECT_EQ(unitRowCount(2), 11);
    EXPECT_TRUE(unitValue(2, 6, "04", "NOTA1").isNull());
    EXPECT_EQ(count(QStringLiteral("select count(*) from NotasUni2 where MATRICULA = 99")), 0);
    // Other units are untouched.
    EXPECT_TRUE(unitValue(1, 1, "01", "NOTA1").isNull());
}

TEST_F(UnitMarksImportTest, AnotherSchoolYearsUnitTableIsASourceToo)
{
    TempDir otherYear;
    {
        const data::Database other = data::createSchoolYear(otherYear.path(), QStringLiteral("2008"));
        other.exec(QStringLiteral("insert into NotasUni1 (MATRICULA, DISC, TURMA, UNIDADE, NOTA1, PONTOS1) "
                                  "values (5, '03', '1G1B', '1', 6.0, 0.5)"));
    }
    const auto source = data::openExternalTable(otherYear.file(QStringLiteral("Lumesco.db")), QStringLiteral("NotasUni1"));
    ASSERT_EQ(grades::importUnitMarks(db(), *source, 1, m_reporter), core::RunOutcome::Completed);
    EXPECT_DOUBLE_EQ(unitValue(1, 5, "03", "PONTOS1").toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(unitValue(1, 5, "03", "MEDIA").toDouble(), 6.5);
}

TEST_F(UnitMarksImportTest, AUnitTableInUseIsRefused)
{
    const auto source = data::openExternalTable(writeSource({{1, "01", "1G1A", 8.0, 9.0, -1}}));
    m_academic->tblNotasUni(3).open();
    EXPECT_EQ(grades::importUnitMarks(db(), *source, 3, m_reporter), core::RunOutcome::Failed);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{QString::fromUtf8(grades::kImportLockError)});
    m_academic->tblNotasUni(3).close();
    EXPECT_TRUE(unitValue(3, 1, "01", "NOTA1").isNull());
}

TEST_F(UnitMarksImportTest, ARowThatCannotBeSavedStopsTheImportAndUndoesIt)
{
    refuseWrites(db(), QStringLiteral("refuse_marks"), QStringLiteral("update"), QStringLiteral("NotasUni1"),
                 QStringLiteral("new.MATRICULA = 2"), QStringLiteral("recusado"));
    const auto source = data::openExternalTable(writeSource({{1, "01", "1G1A", 8.0, 9.0, -1}, {2, "01", "1G1A", 5.0, 6.0, -1}}));
    EXPECT_EQ(grades::importUnitMarks(db(), *source, 1, m_reporter), core::RunOutcome::Failed);
    ASSERT_EQ(m_reporter.notes().size(), 1);
    EXPECT_TRUE(m_reporter.notes().first().text.startsWith(QStringLiteral("Erro ao fazer post em tblAlunos no campo ")));
    EXPECT_TRUE(unitValue(1, 1, "01", "NOTA1").isNull()); // the first row is undone with the rest
    EXPECT_TRUE(year(1, "01", "UND1").isNull());
}

TEST_F(UnitMarksImportTest, ASourceWithoutTheKeyFieldsIsNamed)
{
    TempDir otherYear;
    data::createSchoolYear(otherYear.path(), QStringLiteral("2008"));
    const auto source = data::openExternalTable(otherYear.file(QStringLiteral("Alunos.DB")));
    EXPECT_EQ(grades::missingKeyFields(*source), QStringList{QStringLiteral("disc")});
}
