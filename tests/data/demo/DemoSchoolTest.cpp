#include "data/demo/DemoSchool.h"
#include "data/demo/Cpf.h"
#include "data/maintenance/IntegrityCheck.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"
#include "data/store/StoreError.h"
#include "support/RecordingReporter.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include "core/ProgramDirs.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

using namespace data;

TEST(Cpf, CheckDigitsFollowTheModuloElevenRule)
{
    EXPECT_EQ(demo::cpfFromBase(111444777), QStringLiteral("111.444.777-35"));
    EXPECT_EQ(demo::cpfFromBase(52998224), QStringLiteral("052.998.224-21"));
    EXPECT_TRUE(demo::isValidCpf("529.982.247-25"));
    EXPECT_FALSE(demo::isValidCpf("529.982.247-26"));
    EXPECT_FALSE(demo::isValidCpf("529.982.247"));
    EXPECT_EQ(demo::cnpjFromBase(11222333), QStringLiteral("11.222.333/0001-81"));
}

namespace {

// Every value of every table, one line a row, to compare two schools.
QStringList dump(const Database &db)
{
    QStringList lines;
    for (const char *table : {"Usuario", "Tabturma", "DISCPL", "Discturm", "ALUNOS", "Historic",
                              "Funcionarios", "DiscProf"}) {
        Query q(db);
        q.setSql(QStringLiteral("select * from %1 order by rowid").arg(QString::fromLatin1(table)));
        q.open();
        for (q.first(); !q.eof(); q.next()) {
            QStringList values;
            for (int f = 0; f < q.fieldCount(); ++f)
                values += q.asText(f);
            lines += QString::fromLatin1(table) + u':' + values.join(u';');
        }
    }
    return lines;
}

int count(const Database &db, const QString &sql)
{
    return db.scalar(sql).toInt();
}

} // namespace

class DemoSchool : public ::testing::Test
{
protected:
    void TearDown() override
    {
        core::programDirs().program = m_program;
        Database::closeAll();
        testengine::dropServerYears();
    }
    // The year made in `folder`, or a server year; a server year's photos go to the program's
    // folder, which stands here where a folder's photos go: beside the year's folder.
    Database year(const QString &folder, const QString &ano)
    {
        if (testengine::onServer())
            core::programDirs().program = QFileInfo(m_dir.file(folder)).path();
        return createSchoolYear(testengine::yearLocation(m_dir.file(folder)), ano);
    }
    const QString m_program = core::programDirs().program;
    TempDir m_dir;
    RecordingReporter m_reporter;
};

TEST_F(DemoSchool, IsALivingSchoolOfEveryGrade)
{
    const Database db = year("2009", "2009");
    const std::optional<demo::DemoSummary> summary = demo::fillDemoSchool(db, "2009", m_reporter);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->students, 300);
    // Progress by student, nothing to tell.
    EXPECT_EQ(m_reporter.steps().size(), 300);
    EXPECT_EQ(m_reporter.stepTexts().last(), QStringLiteral("Alunos: 300 de 300"));
    EXPECT_TRUE(m_reporter.notes().isEmpty());
    EXPECT_EQ(m_reporter.outcome(), core::RunOutcome::Completed);
    EXPECT_EQ(count(db, "select count(*) from ALUNOS"), 300);
    EXPECT_EQ(count(db, "select count(*) from Historic"), 300);

    Settings record;
    loadSettings(db, record);
    EXPECT_FALSE(record.Estabel.isEmpty());
    EXPECT_EQ(record.UF, QStringLiteral("BA"));
    EXPECT_EQ(record.Ano_Ref, QStringLiteral("2009"));

    for (const char *grade : {"MAT", "JD1", "JD2", "ALF", "1G1", "1G5", "1G9", "2G1", "2G3"}) {
        const QString g = QString::fromLatin1(grade);
        EXPECT_GE(
            count(db, "select count(*) from Tabturma where substring(TURMA from 1 for 3) = '" + g +
                          "' and Valor_Mensalidade > 0"),
            1)
            << grade;
        EXPECT_GE(count(db, "select count(*) from Discturm where SERIE = '" + g + "'"), 5) << grade;
        EXPECT_GE(count(db, "select count(*) from ALUNOS where substring(TURMA from 1 for 3) = '" +
                                g + "'"),
                  1)
            << grade;
    }
    EXPECT_GE(count(db, "select count(*) from Discturm where Consolidada = 1"), 3);
    for (const char *sit : {"B", "D", "I", "T"})
        EXPECT_GE(
            count(db, QStringLiteral("select count(*) from ALUNOS where SIT = '%1'").arg(sit)), 1)
            << sit;
    EXPECT_GT(count(db, "select count(*) from ALUNOS where SIT is null"), 250);
    EXPECT_GE(count(db, "select count(*) from Funcionarios where FUNCAO like 'PROF%'"), 5);
    EXPECT_EQ(count(db, "select count(*) from DiscProf d left join Funcionarios f on "
                        "d.MATRICULA = f.MATRICULA where f.MATRICULA is null"),
              0);
    // Every student has a class that exists, and a roll number unique in it.
    EXPECT_EQ(count(db, "select count(*) from ALUNOS a left join Tabturma t on a.TURMA = t.TURMA "
                        "where t.TURMA is null"),
              0);
    EXPECT_EQ(count(db, "select count(*) from (select TURMA, ESP from ALUNOS group by TURMA, ESP "
                        "having count(*) > 1)"),
              0);
}

TEST_F(DemoSchool, PeopleHaveValidCpfsAndCompleteRecords)
{
    const Database db = year("2009", "2009");
    demo::fillDemoSchool(db, "2009", m_reporter, {60, 7});
    Query q(db);
    q.setSql("select * from ALUNOS");
    q.open();
    ASSERT_EQ(q.recordCount(), 60);
    for (q.first(); !q.eof(); q.next()) {
        for (const char *field : {"CPF_PAI", "CPF_MAE", "CPF_RESP"})
            EXPECT_TRUE(demo::isValidCpf(q.asText(field))) << qPrintable(q.asText(field));
        for (const char *field : {"NOME", "NOME_PAI", "NOME_MAE", "NOME_RESP", "ENDERECO", "BAIRRO",
                                  "CEP", "FONE_RES", "DATANASC", "email_resp", "Vencimento"})
            EXPECT_FALSE(q.isBlank(field)) << field;
        EXPECT_EQ(q.asInteger("ORD"), q.asDate("DATANASC").month());
        EXPECT_TRUE(q.asText("NOME").endsWith(q.asText("NOME_PAI").section(u' ', -1)));
    }
}

TEST_F(DemoSchool, TheSameSeedGivesTheSameSchool)
{
    const Database a = year("a/2009", "2009");
    demo::fillDemoSchool(a, "2009", m_reporter, {40, 5});
    const Database b = year("b/2009", "2009");
    demo::fillDemoSchool(b, "2009", m_reporter, {40, 5});
    const Database c = year("c/2009", "2009");
    demo::fillDemoSchool(c, "2009", m_reporter, {40, 6});
    EXPECT_EQ(dump(a), dump(b));
    EXPECT_NE(dump(a), dump(c));
    EXPECT_EQ(m_dir.read("a/FOTOS/20090003.bmp"), m_dir.read("b/FOTOS/20090003.bmp"));
}

TEST_F(DemoSchool, FailsWholeOnAFilledSchoolYear)
{
    const Database db = year("2009", "2009");
    ASSERT_TRUE(demo::fillDemoSchool(db, "2009", m_reporter, {10, 1}));
    const QStringList before = dump(db);
    RecordingReporter again;
    EXPECT_FALSE(demo::fillDemoSchool(db, "2009", again, {10, 1})); // same keys again
    EXPECT_EQ(again.outcome(), core::RunOutcome::Failed);
    ASSERT_EQ(again.notes().size(), 1);
    EXPECT_EQ(again.notes().first().severity, core::Severity::Error);
    EXPECT_EQ(dump(db), before) << "whatever the run wrote before the failure is undone";
    EXPECT_THROW(demo::fillDemoSchool(db, "20x9", m_reporter), StoreError);
}

TEST_F(DemoSchool, PassesTheIntegrityChecksItCanPass)
{
    const Database db = year("2009", "2009");
    demo::fillDemoSchool(db, "2009", m_reporter, {50, 3});
    const IntegrityChecker checker(db);
    for (int check : {2, 3, 4, 5})
        EXPECT_EQ(checker.run(check)->recordCount(), 0) << check;
}

// What a newcomer tries first in the student register must be there to try.
TEST_F(DemoSchool, HoldsEveryKindOfStudentTheRegisterShows)
{
    const Database db = year("2026", "2026");
    const std::optional<demo::DemoSummary> summary = demo::fillDemoSchool(db, "2026", m_reporter);
    ASSERT_TRUE(summary);
    auto students = [&db](const QString &where) {
        return count(db, "select count(*) from ALUNOS where " + where);
    };
    // Leavers carry the date and the picker's line; scholarship holders the full discount.
    for (const auto &[sit, line] : {std::pair{"D", "D - Desistente"},
                                    {"T", "T - Transferido"},
                                    {"B", "B - Bolsista (100%)"}}) {
        const QString code = QString::fromLatin1(sit);
        EXPECT_GE(students("SIT = '" + code + "'"), 3) << sit;
        EXPECT_EQ(students("SIT = '" + code + "' and DATASIT is not null and OBSSIT = '" +
                           QString::fromUtf8(line) + "'"),
                  students("SIT = '" + code + "'"))
            << sit;
    }
    EXPECT_EQ(students("SIT = 'B' and ABAT = 100 and IMP = '%'"), students("SIT = 'B'"));
    EXPECT_EQ(students("SIT is null and IMP = '%' and ABAT >= 100"), 0);
    EXPECT_EQ(students("(SIT = 'B') OR ((ABAT = 100) AND (IMP = '%'))"), students("SIT = 'B'"))
        << "only scholarship holders are listed as such";
    // Discounts of both kinds, each with its reason, on students who still attend.
    for (const char *kind : {"%", "R"}) {
        const QString imp = QString::fromLatin1(kind);
        EXPECT_GE(students("IMP = '" + imp + "' and ABAT > 0 and MOTVABAT <> '' and SIT is null"),
                  5)
            << kind;
    }
    EXPECT_GE(students("CAST(marcado AS INTEGER) = 1"), 3);
    EXPECT_GT(students("CAST(marcado AS INTEGER) = 0"), 250);
    // Every month has birthdays, for the birthday list and the update of the day columns.
    EXPECT_EQ(students("DATANASC is null"), 0);
    EXPECT_EQ(count(db, "select count(distinct ORD) from ALUNOS"), 12);

    // History rows: every student one, some with dated notes of several lines.
    EXPECT_EQ(count(db, "select count(*) from Historic h join ALUNOS a on a.MATRICULA = "
                        "h.Matricula"),
              300);
    EXPECT_GE(count(db, "select count(*) from Historic where Historico like '%/2026 - %'"), 30);
    EXPECT_GE(
        db.scalar("select count(*) from Historic where Historico like :p", {{"p", QStringLiteral("%\n%")}}).toInt(), 5);
    EXPECT_GE(count(db, "select count(*) from Historic where Convenio_Medico <> ''"), 100);

    // Teachers and what they teach, in classes and subjects that exist.
    EXPECT_GE(count(db, "select count(distinct d.MATRICULA) from DiscProf d join Funcionarios f "
                        "on d.MATRICULA = f.MATRICULA where f.FUNCAO like 'PROF%'"),
              10);
    EXPECT_EQ(count(db, "select count(*) from DiscProf d left join Tabturma t on d.TURMA = t.TURMA "
                        "left join DISCPL s on d.DISCPL_COD = s.CODIGO "
                        "where t.TURMA is null or s.CODIGO is null"),
              0);
    EXPECT_EQ(summary->assignments, count(db, "select count(*) from DiscProf"));
}

TEST_F(DemoSchool, GivesTheFirstStudentOfEachClassAPhotoKeepingPhotosAlreadyThere)
{
    const QByteArray mine = "a real photo";
    ASSERT_TRUE(QDir().mkpath(m_dir.file("FOTOS")));
    m_dir.write("FOTOS/20260002.bmp", mine);
    const Database db = year("2026", "2026");
    const std::optional<demo::DemoSummary> summary =
        demo::fillDemoSchool(db, "2026", m_reporter, {100, 3});
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->photos, summary->classes - 1);
    EXPECT_EQ(m_dir.read("FOTOS/20260002.bmp"), mine);
    for (int n : {1, 3, summary->classes}) {
        const QString number = QString::number(20260000 + n);
        const QImage photo(m_dir.file("FOTOS/" + number + ".bmp"));
        EXPECT_EQ(photo.size(), QSize(90, 120)) << n;
        // The register shows the photo of the student with this enrolment, who is in a class.
        EXPECT_EQ(count(db, "select count(*) from ALUNOS where MATRICULA = " + number), 1);
    }
    EXPECT_FALSE(QFileInfo::exists(
        m_dir.file("FOTOS/" + QString::number(20260000 + summary->classes + 1) + ".bmp")));
}

TEST_F(DemoSchool, ATinySchoolGetsWhatFits)
{
    for (int size : {0, 1, 5}) {
        const QString year = QString::number(2020 + size);
        const Database db = this->year(year + "/" + year, year);
        const std::optional<demo::DemoSummary> summary =
            demo::fillDemoSchool(db, year, m_reporter, {size, 1});
        ASSERT_TRUE(summary) << size;
        EXPECT_EQ(summary->students, size);
        EXPECT_EQ(summary->photos, size);
    }
}
