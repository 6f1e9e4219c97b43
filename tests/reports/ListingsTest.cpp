#include "reports/ReportRegistry.h"
#include "reports/TableListings.h"

#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace reports;

namespace {

const SchoolInfo kSchool{{}, {}, {}, {}, {}, QStringLiteral("Lumesco v 2010.01.21\nCrédito")};

class Listings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path()); // no logo.bmp here
        m_db = data::createSchoolYear(testengine::yearLocation(m_dir.file(QStringLiteral("Data2010"))),
                                      QStringLiteral("2010"));
        for (const auto &[code, name, kind] :
             {std::tuple{"PO", "PORTUGUÊS", "N"}, {"AR", "ARTES", "C"}, {"MA", "MATEMÁTICA", "N"}}) {
            m_db.exec(QStringLiteral("insert into DISCPL (CODIGO, DESCRICAO, TIPO) values (:c, :d, :t)"),
                      {{"c", code}, {"d", QString::fromUtf8(name)}, {"t", kind}});
        }
        for (const auto &[code, name, fee] :
             {std::tuple{"1G2A", "2ª SÉRIE - TURMA A", 1234.5}, {"1G1B", "1ª SÉRIE B - TURMA B", 300.0},
              {"1G1A", "1ª SÉRIE - TURMA A", 300.0}, {"MATA", "MATERNAL", 0.0}}) {
            m_db.exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO, Valor_Mensalidade) "
                                     "values (:t, :d, :v)"),
                      {{"t", code}, {"d", QString::fromUtf8(name)}, {"v", fee}});
        }
        for (const auto &[grade, code, consolidated] :
             {std::tuple{"1G2", "PO", false}, {"1G1", "PO", false}, {"1G1", "MA", true},
              {"1G1", "AR", false}, {"2G1", "XX", false}}) {
            m_db.exec(QStringLiteral("insert into Discturm (SERIE, CODIGO, Consolidada) "
                                     "values (:s, :c, :k)"),
                      {{"s", grade}, {"c", code}, {"k", consolidated}});
        }
    }
    void TearDown() override
    {
        QDir::setCurrent(m_previous);
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    // The texts of the first page below the page header (which has logo, title, date, page
    // and captions), without the footer line.
    QStringList body(Listing listing)
    {
        const Document document = tableListing(listing, m_db, kSchool);
        EXPECT_EQ(document.pageCount(), 1);
        QStringList texts = document.texts(0);
        EXPECT_EQ(texts.first(), listingTitle(listing));
        EXPECT_EQ(texts.takeLast(), QStringLiteral("Crédito"));
        EXPECT_EQ(texts.takeLast(), QStringLiteral("Lumesco v 2010.01.21"));
        return texts.mid(6);
    }

    TempDir m_dir;
    QString m_previous;
    data::Database m_db;
};

} // namespace

TEST_F(Listings, SubjectsInCodeOrder)
{
    const Document document = tableListing(Listing::Disciplinas, m_db, kSchool);
    EXPECT_EQ(document.title, QStringLiteral("TABELA DE DISCIPLINAS"));
    EXPECT_EQ(document.texts(0).mid(3, 3),
              (QStringList{QStringLiteral("Código"), QStringLiteral("Disciplina"),
                           QStringLiteral("Nota/Conceito")}));
    EXPECT_EQ(body(Listing::Disciplinas),
              (QStringList{QStringLiteral("AR"), QStringLiteral("ARTES"), QStringLiteral("C"),
                           QStringLiteral("MA"), QStringLiteral("MATEMÁTICA"), QStringLiteral("N"),
                           QStringLiteral("PO"), QStringLiteral("PORTUGUÊS"), QStringLiteral("N")}));
}

TEST_F(Listings, ClassesWithTheirMonthlyFee)
{
    const Document document = tableListing(Listing::Turmas, m_db, kSchool);
    EXPECT_EQ(document.texts(0).mid(3, 3),
              (QStringList{QStringLiteral("Código"), QStringLiteral("Turma"),
                           QStringLiteral("Mensalidade")}));
    EXPECT_EQ(body(Listing::Turmas),
              (QStringList{QStringLiteral("1G1A"), QStringLiteral("1ª SÉRIE - TURMA A"),
                           QStringLiteral("300,00"), QStringLiteral("1G1B"),
                           QStringLiteral("1ª SÉRIE B - TURMA B"), QStringLiteral("300,00"),
                           QStringLiteral("1G2A"), QStringLiteral("2ª SÉRIE - TURMA A"),
                           QStringLiteral("1.234,50"), QStringLiteral("MATA"),
                           QStringLiteral("MATERNAL"), QStringLiteral("0,00")}));
    const QStringList dump = document.dumpLines();
    EXPECT_TRUE(dump.filter(QStringLiteral("\t1.234,50")).first().contains(QStringLiteral(" right")));
}

TEST_F(Listings, SubjectsOfEachGradeUnderTheGradeHeading)
{
    EXPECT_EQ(body(Listing::DisciplinasTurma),
              (QStringList{// heading: the last class of the grade, less its last seven characters
                           QStringLiteral("1G1"), QStringLiteral("1ª SÉRIE B - "),
                           QStringLiteral("AR"), QStringLiteral("ARTES"), QStringLiteral("1G1"),
                           QStringLiteral("MA"), QStringLiteral("MATEMÁTICA (Consolidada)"),
                           QStringLiteral("1G1"), QStringLiteral("PO"), QStringLiteral("PORTUGUÊS"),
                           QStringLiteral("1G1"), QStringLiteral("1G2"), QStringLiteral("2ª SÉRIE - "),
                           QStringLiteral("PO"), QStringLiteral("PORTUGUÊS"), QStringLiteral("1G2"),
                           // a grade without classes, a subject missing from the catalogue
                           QStringLiteral("2G1"), QString(), QStringLiteral("XX"), QString(),
                           QStringLiteral("2G1")}));
}

TEST(GradeHeading, LastClassOfTheGradeLessItsLastSevenCharacters)
{
    const QList<QPair<QString, QString>> classes{{QStringLiteral("1G1A"), QStringLiteral("PRIMEIRA - TURMA A")},
                                                 {QStringLiteral("1G2A"), QStringLiteral("SEGUNDA - TURMA A")},
                                                 {QStringLiteral("1G1B"), QStringLiteral("1ª SÉRIE X TURMA B")},
                                                 {QStringLiteral("ALFA"), QStringLiteral("ALF")}};
    EXPECT_EQ(gradeDescription(classes, QStringLiteral("1G1")), QStringLiteral("1ª SÉRIE X "));
    EXPECT_EQ(gradeDescription(classes, QStringLiteral("1G2")), QStringLiteral("SEGUNDA - "));
    EXPECT_EQ(gradeDescription(classes, QStringLiteral("ALF")), QString());
    EXPECT_EQ(gradeDescription(classes, QStringLiteral("2G1")), QString());
}

TEST_F(Listings, TheRegistryBuildsEachListingByItsName)
{
    ReportRegistry registry;
    registry.add(tableListingReports());
    EXPECT_EQ(registry.names(), (QStringList{QStringLiteral("disciplinas"), QStringLiteral("turmas"),
                                             QStringLiteral("disciplinas-turma")}));
    const ReportEntry *classes = registry.forMenuEntry(QStringLiteral("mnuTurmasMensalidade"));
    ASSERT_TRUE(classes);
    EXPECT_EQ(classes, registry.find(QStringLiteral("turmas")));
    EXPECT_EQ(classes->build({m_db, kSchool, ReportValues(classes->params)}).title,
              QStringLiteral("TABELA DE TURMAS / MENSALIDADES"));
    EXPECT_FALSE(registry.find(QStringLiteral("boletim")));
    EXPECT_THROW(registry.add(*classes), std::logic_error) << "a name is registered once";
}

TEST_F(Listings, AMissingTableIsTheStoresError)
{
    m_db.dropTable(QStringLiteral("DISCPL"));
    EXPECT_THROW(tableListing(Listing::Disciplinas, m_db, kSchool), data::StoreError);
}
