#include "CardSchool.h"

#include "reports/sheets/AnalysisCells.h"
#include "reports/sheets/ResultSheet.h"

#include "support/QStringPrinting.h"

using namespace reports;

namespace {

const AnalysisMarks kFourUnits{{7, 6, 2}, 4, 1, 1};

TEST(AnalysisCells, PointsOverTheAssessedUnits)
{
    EXPECT_EQ(pointsCell(20, QStringLiteral("N"), kFourUnits).text, QStringLiteral("20,0"));
    EXPECT_TRUE(pointsCell(20, QStringLiteral("N"), kFourUnits).red);   // below 7 x 4
    EXPECT_FALSE(pointsCell(28, QStringLiteral("N"), kFourUnits).red);
    EXPECT_EQ(pointsCell(360, QStringLiteral("N"), kFourUnits).text, QStringLiteral("D")); // four 90s
    EXPECT_EQ(pointsCell(100, QStringLiteral("N"), kFourUnits).text, QStringLiteral("F"));
    EXPECT_EQ(pointsCell(36, QStringLiteral("C"), kFourUnits).text, QStringLiteral("A"));
    EXPECT_EQ(pointsCell(28, QStringLiteral("C"), kFourUnits).text, QStringLiteral("B"));
    EXPECT_EQ(pointsCell(27.9, QStringLiteral("C"), kFourUnits).text, QStringLiteral("C"));
    EXPECT_EQ(pointsCell(0, QStringLiteral("N"), kFourUnits).text, QStringLiteral("--"));
    // With two units assessed the thresholds halve.
    const AnalysisMarks twoUnits{{7, 6, 2}, 2, 1, 1};
    EXPECT_EQ(pointsCell(15, QStringLiteral("N"), twoUnits).text, QStringLiteral("15,0"));
    EXPECT_FALSE(pointsCell(15, QStringLiteral("N"), twoUnits).red);
    EXPECT_EQ(pointsCell(40, QStringLiteral("N"), twoUnits).text, QStringLiteral("F"));
    EXPECT_EQ(pointsCell(180, QStringLiteral("N"), twoUnits).text, QStringLiteral("D"));
}

TEST(AnalysisCells, MinimumExaminationMark)
{
    const AtaCell needed = minimumMarkCell(20, kFourUnits); // average 5: (2 x 6 - 5) / 1
    EXPECT_EQ(needed.text, QStringLiteral("7,0"));
    EXPECT_TRUE(needed.red);
    EXPECT_TRUE(minimumMarkCell(28, kFourUnits).text.isEmpty()); // average 7 needs no examination
    EXPECT_FALSE(minimumMarkCell(28, kFourUnits).red);
    // Average 0: 12 is needed, and 12 x 1/2 reaches the year mark itself.
    EXPECT_EQ(minimumMarkCell(0, kFourUnits).text, QStringLiteral("---"));
    EXPECT_FALSE(minimumMarkCell(0, kFourUnits).red);
    // No weight for the examination: no mark of it can help, and nothing divides by zero.
    EXPECT_EQ(minimumMarkCell(20, {{7, 6, 2}, 4, 1, 0}).text, QStringLiteral("---"));
}

class AnalysisSheetTest : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        setting(QStringLiteral("UNI_MEDIA"), 7);
        setting(QStringLiteral("GER_MEDIA"), 6);
        setting(QStringLiteral("UNID_AVAL"), 4);
        setting(QStringLiteral("PESO_1"), 1);
        setting(QStringLiteral("PESO_2"), 1);
        m_db.exec(QStringLiteral("update DISCPL set DESC_RESUMO = substr(DESCRICAO, 1, 8)"));
    }

    void addStudentWith(qint64 matricula, const QString &name, double po, double ar, const QString &sit = {})
    {
        addStudent(matricula, name, QStringLiteral("1G5A"), QStringLiteral("F"), sit);
        addMarks(matricula, QStringLiteral("AR"), QStringLiteral("1G5A"),
                 {{"UND1", ar}, {"UND2", ar}, {"UND3", ar}, {"UND4", ar}});
        addMarks(matricula, QStringLiteral("PO"), QStringLiteral("1G5A"),
                 {{"UND1", po}, {"UND2", po}, {"UND3", po}, {"UND4", po}});
        rank(matricula, QStringLiteral("1G5A"));
    }

    Document sheet(ResultType type)
    {
        return resultSheet(m_db, m_school, {type, AtaUnit::Unit1, QStringLiteral("1G5A"), {}, false});
    }
};

TEST_F(AnalysisSheetTest, UnitChoiceOfTheAnalysesPrintsOneLinePerStudentWithACellPerSubject)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), 5, 9);
    addStudentWith(2, QStringLiteral("BIA REIS"), 8, 9, QStringLiteral("T"));
    const Document points = sheet(ResultType::YearPoints);
    ASSERT_EQ(points.pageCount(), 1);
    EXPECT_NE(findText(points, 0, QStringLiteral("SOMA DE PONTOS NO ANO")), nullptr);
    EXPECT_NE(findText(points, 0, QStringLiteral("1.")), nullptr);
    const Item *sum = findText(points, 0, QStringLiteral("20,0"));
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->color, QColor(Qt::red));
    const Item *letter = findText(points, 0, QStringLiteral("A")); // concept subject, S 36
    ASSERT_NE(letter, nullptr);
    EXPECT_LT(letter->rect.x(), sum->rect.x()); // AR's column comes before PO's
    EXPECT_EQ(textsStarting(points, 0, QStringLiteral("---")).size(), 2); // the transferred student

    const Document minimum = sheet(ResultType::MinimumMark);
    const Item *needed = findText(minimum, 0, QStringLiteral("7,0"));
    ASSERT_NE(needed, nullptr);
    EXPECT_EQ(needed->color, QColor(Qt::red));
    EXPECT_EQ(needed->rect.y(), sum->rect.y());
}

TEST_F(AnalysisSheetTest, YearChoiceOfTheAnalysesListsTheYearRowsWithoutAnOutcome)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), 5, 9);
    addMarks(1, QStringLiteral("MA"), QStringLiteral("1G5A"), {{"MD_ANUAL", 9.0}});
    EXPECT_EQ(readResultRows(m_db, {ResultType::MinimumMark, AtaUnit::Year, {}, {}, false}, 7, 6).size(), 3);
}

} // namespace
