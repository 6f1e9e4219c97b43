#include "CardSchool.h"

#include "reports/sheets/SubjectSheet.h"

#include "support/QStringPrinting.h"

using namespace reports;

namespace {

class SubjectSheetTest : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        setting(QStringLiteral("UNI_MEDIA"), 7);
        setting(QStringLiteral("GER_MEDIA"), 6);
    }

    void addStudentWith(qint64 matricula, const QString &name, const QString &ownClass, double unit1,
                        const QString &sit = QString())
    {
        addStudent(matricula, name, ownClass, QStringLiteral("F"), sit);
        addMarks(matricula, QStringLiteral("MA"), QStringLiteral("1G5A"),
                 {{"UND1", unit1}, {"FLT1", 3}, {"UND2", 8.0}, {"MD_ANUAL", 7.5}, {"MD_FINAL", 7.5}});
        addMarks(matricula, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"UND1", 1.5}});
        rank(matricula, QStringLiteral("1G5A"));
    }

    Document sheet(bool skipLeavers = true)
    {
        return subjectSheet(m_db, m_school, {QStringLiteral("1G5A"), QStringLiteral("MA"), skipLeavers});
    }
};

TEST(SubjectSheetPoints, SumOfTheUnitsOrDashesForCodes)
{
    EXPECT_EQ(pointsText({5, 8, 0, 0}), QStringLiteral("13,0"));
    EXPECT_EQ(pointsText({90, 8, 7, 0}), QStringLiteral("---")); // an exemption code is no mark
    EXPECT_EQ(pointsText({25, 25, 25, 25}), QStringLiteral("100,0"));
}

TEST_F(SubjectSheetTest, OneLinePerStudentOfTheSubjectWithTheUnitsAndAverages)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), QStringLiteral("1G5A"), 5);
    addStudentWith(2, QStringLiteral("BIA REIS"), QStringLiteral("1G5A"), 9);
    const Document document = sheet();
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_EQ(document.size, QSize(2970, 2100));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("BOLETIM: MATEMÁTICA")));
    const Item *ana = findText(document, 0, QStringLiteral("ANA LIMA"));
    const Item *bia = findText(document, 0, QStringLiteral("BIA REIS"));
    ASSERT_TRUE(ana && bia);
    EXPECT_LT(ana->rect.y(), bia->rect.y());
    EXPECT_EQ(ana->color, QColor(Qt::black));
    // Only MA's rows: PO's 1,5 stays out.
    EXPECT_TRUE(textsStarting(document, 0, QStringLiteral("1,5")).isEmpty());
    // Ana's first unit is below the pass mark, marked by the mark-cell rule.
    const QStringList low = textsStarting(document, 0, QStringLiteral("* 5,0"));
    EXPECT_EQ(low.size(), 1);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("13,0"))); // points 5 + 8
    EXPECT_TRUE(findText(document, 0, QStringLiteral("17,0")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("*Nome do Aluno em Vermelho para Desistente ou Transferido")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("(*) Regime de Dependência")));
}

TEST_F(SubjectSheetTest, LeaversInRedAndPendingSubjectsMarked)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), QStringLiteral("1G5A"), 8, QStringLiteral("T"));
    addStudentWith(2, QStringLiteral("CAIO DIAS"), QStringLiteral("1G9A"), 8);
    EXPECT_FALSE(findText(sheet(), 0, QStringLiteral("ANA LIMA")));
    const Document document = sheet(false);
    const Item *leaver = findText(document, 0, QStringLiteral("ANA LIMA"));
    ASSERT_TRUE(leaver);
    EXPECT_EQ(leaver->color, QColor(Qt::red));
    const Item *pending = findText(document, 0, QStringLiteral("CAIO DIAS (*)"));
    ASSERT_TRUE(pending);
    EXPECT_TRUE(pending->font.underline);
}

TEST_F(SubjectSheetTest, ClassAndSubjectAreRequired)
{
    ReportValues values(subjectParams());
    EXPECT_THROW(subjectSelection(values), ReportParamError);
    values.set(QStringLiteral("class"), QStringLiteral("1G5A"), m_db);
    values.set(QStringLiteral("subject"), QStringLiteral("MA"), m_db);
    EXPECT_EQ(subjectSelection(values).subject, QStringLiteral("MA"));
}

} // namespace
