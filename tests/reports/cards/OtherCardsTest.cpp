#include "CardSchool.h"

#include "reports/cards/TableBoundCard.h"
#include "reports/cards/UnitMarksCard.h"

#include "support/QStringPrinting.h"

using namespace reports;

namespace {

class OtherCards : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        addStudent(1001, QStringLiteral("ANA LIMA"), QStringLiteral("1G5A"), QStringLiteral("F"));
        addStudent(1002, QStringLiteral("BRUNO SOUZA"), QStringLiteral("1G5A"), QStringLiteral("M"), QStringLiteral("D"));
        for (const auto &[matricula, disc, nota1, media] :
             {std::tuple{1001, "PO", 90.0, 8.0}, {1001, "MA", 5.0, 6.5}, {1001, "AR", 9.5, 9.0}, {1002, "PO", 7.0, 7.0}}) {
            m_db.exec(QStringLiteral("insert into NotasUni2 (TURMA, MATRICULA, DISC, UNIDADE, NOTA1, NOTA2, MEDIA, "
                                     "PONTOS1, FALTAS) values ('1G5A', :m, :d, '2', :n1, 0, :md, 16.5, 2)"),
                      {{"m", double(matricula)}, {"d", disc}, {"n1", nota1}, {"md", media}});
        }
    }
};

TEST_F(OtherCards, UnitCardPrintsEveryPartialMarkOfTheUnitWithoutConsolidatedSubjects)
{
    const Document document =
        unitMarksCard(m_db, m_school, {QStringLiteral("1G5A"), std::nullopt, 2});
    EXPECT_EQ(document.title, QStringLiteral("Notas da Unidade por Turma e Disciplina"));
    ASSERT_EQ(document.pageCount(), 1); // Bruno dropped out
    EXPECT_TRUE(findText(document, 0, QStringLiteral("BOLETIM COM TODAS AS NOTAS(Unid 2)")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("5ª Nota")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("Recup")));
    EXPECT_FALSE(findText(document, 0, QStringLiteral("MATEMÁTICA"))); // consolidated in 1G5
    const QStringList texts = document.texts(0);
    const qsizetype row = texts.indexOf(QStringLiteral("PORTUGUÊS"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(texts.mid(row + 1, 8),
              (QStringList{QStringLiteral("D"), QStringLiteral("* 0,0 *"), QString(), QString(), QString(),
                           QStringLiteral("16,5"), QStringLiteral("8,0"), QStringLiteral("2")}));
    EXPECT_EQ(texts.at(texts.indexOf(QStringLiteral("ARTES")) + 1), QStringLiteral("A"));
}

TEST_F(OtherCards, UnitCardRefusesAllClassesAndTakesOneStudent)
{
    try {
        unitMarksCard(m_db, m_school, {QString(), std::nullopt, 1});
        ADD_FAILURE() << "all classes were accepted";
    } catch (const ReportParamError &e) {
        EXPECT_EQ(e.message(), unitCardRefusal());
    }
    const ReportEntry entry = unitMarksCardEntry();
    ReportValues values(entry.params);
    values.set(QStringLiteral("student"), QStringLiteral("1001"), m_db);
    values.set(QStringLiteral("unit"), QStringLiteral("2"), m_db);
    const Document document = entry.build({m_db, m_school, values});
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("ANA LIMA")));
    values.set(QStringLiteral("unit"), QStringLiteral("3"), m_db);
    EXPECT_EQ(entry.build({m_db, m_school, values}).pageCount(), 1); // no rows: an empty page
}

TEST_F(OtherCards, TableBoundCardWorksOutItsAverages)
{
    EXPECT_DOUBLE_EQ(tableCardAnnualAverage({8, 7, 6.5, 5}), 6.6);  // 6,625 -> 6,6
    EXPECT_DOUBLE_EQ(tableCardAnnualAverage({8, 7, 7, 5}), 6.8);    // 6,75 -> 6,8
    EXPECT_DOUBLE_EQ(tableCardFinalAverage(6.6, 8, 7), 7.3);
    EXPECT_DOUBLE_EQ(tableCardFinalAverage(7.5, 0, 7), 7.5);
    EXPECT_EQ(tableCardTotalPoints({8, 7, 6.5, 5}), QStringLiteral("26,5"));
    EXPECT_EQ(tableCardTotalPoints({90, 7, 6.5, 5}), QStringLiteral("---"));

    addMarks(1001, QStringLiteral("PO"), QStringLiteral("1G5A"),
             {{"UND1", 8}, {"UND2", 7}, {"UND3", 6.5}, {"UND4", 5}, {"FLT1", 1}, {"FLT3", 2}, {"PFINAL", 8}});
    addMarks(1002, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"UND1", 0}});
    const Document document = tableBoundCard(m_db, m_school, {QStringLiteral("1G5A"), std::nullopt});
    EXPECT_EQ(document.title, QStringLiteral("Boletim"));
    ASSERT_EQ(document.pageCount(), 2);
    const QStringList texts = document.texts(0);
    const qsizetype row = texts.indexOf(QStringLiteral("PORTUGUÊS"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(texts.mid(row + 1, 9),
              (QStringList{QStringLiteral("8,0"), QStringLiteral("7,0"), QStringLiteral("* 6,5 *"), QStringLiteral("* 5,0 *"),
                           QStringLiteral("3"), QStringLiteral("* 6,6 *"), QStringLiteral("8,0"), QStringLiteral("7,3"),
                           QStringLiteral("26,5")}));
    EXPECT_TRUE(findText(document, 1, QStringLiteral("0,0")));
    EXPECT_EQ(tableBoundCard(m_db, m_school, {QString(), 1002}).pageCount(), 1);
}

} // namespace
