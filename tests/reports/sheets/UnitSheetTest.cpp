#include "CardSchool.h"

#include "reports/sheets/UnitSheet.h"

#include "support/QStringPrinting.h"

using namespace reports;

namespace {

class UnitSheetTest : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        setting(QStringLiteral("UNI_MEDIA"), 7);
        addStudent(1001, QStringLiteral("BRUNO SOUZA"), QStringLiteral("1G5A"), QStringLiteral("M"));
        addStudent(1002, QStringLiteral("ANA LIMA"), QStringLiteral("1G5A"), QStringLiteral("F"));
        addStudent(1003, QStringLiteral("CAIO DIAS"), QStringLiteral("1G5A"), QStringLiteral("M"), QStringLiteral("T"));
        for (const auto &[matricula, disc, nota1] : {std::tuple{1001, "PO", 8.5}, {1002, "PO", 5.0}, {1001, "AR", 9.5},
                                                     {1002, "AR", 9.0}, {1003, "PO", 4.0}}) {
            m_db.exec(QStringLiteral("insert into NotasUni2 (TURMA, MATRICULA, DISC, UNIDADE, NOTA1, MEDIA, PONTOS1, "
                                     "FALTAS) values ('1G5A', :m, :d, '2', :n1, :n1, 16.5, 2)"),
                      {{"m", double(matricula)}, {"d", disc}, {"n1", nota1}});
        }
    }
};

TEST_F(UnitSheetTest, OnePagePerSubjectInCodeOrderWithTheStudentsByName)
{
    const Document document = unitSheet(m_db, m_school, QStringLiteral("1G5A"), 2);
    ASSERT_EQ(document.pageCount(), 2);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("DISCIPLINA: ARTES")));
    EXPECT_TRUE(findText(document, 1, QStringLiteral("DISCIPLINA: PORTUGUÊS")));
    const Item *ana = findText(document, 1, QStringLiteral("ANA LIMA"));
    const Item *bruno = findText(document, 1, QStringLiteral("BRUNO SOUZA"));
    ASSERT_TRUE(ana && bruno);
    EXPECT_LT(ana->rect.y(), bruno->rect.y());
    EXPECT_FALSE(findText(document, 1, QStringLiteral("CAIO DIAS"))); // transferred
    // Ana's 5,0 is below the unit pass mark, in the note and the average.
    EXPECT_EQ(textsStarting(document, 1, QStringLiteral("* 5,0")).size(), 2);
    EXPECT_EQ(textsStarting(document, 1, QStringLiteral("16,5")).size(), 2); // the points
}

TEST_F(UnitSheetTest, TheYearChoicesAndAMissingClassAreRefused)
{
    const ReportEntry entry = unitSheetEntry();
    ReportValues values(entry.params);
    const ReportInput noClass{m_db, m_school, values};
    EXPECT_THROW(entry.build(noClass), ReportParamError);
    values.set(QStringLiteral("class"), QStringLiteral("1G5A"), m_db);
    values.set(QStringLiteral("unit"), QStringLiteral("geral"), m_db);
    try {
        entry.build({m_db, m_school, values});
        ADD_FAILURE() << "the year was accepted";
    } catch (const ReportParamError &error) {
        EXPECT_EQ(error.message(), unitSheetRefusal());
    }
    values.set(QStringLiteral("unit"), QStringLiteral("2"), m_db);
    EXPECT_EQ(entry.build({m_db, m_school, values}).pageCount(), 2);
}

} // namespace
