#include "CardSchool.h"

#include "reports/sheets/ResultSheet.h"

#include "support/QStringPrinting.h"

using namespace reports;

namespace {

constexpr int kFirstRow = 495;
constexpr int kRow = 79;

// 1G5A teaches AR (concept), MA and PO: their columns end at 1330, 1530 and 1730 and the result
// starts at 1900. Uni_Media 7, Ger_Media 6, Limite_Dep 1.
class ResultSheetTest : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        m_db.exec(QStringLiteral("update DISCPL set DESC_RESUMO = substr(DESCRICAO, 1, 8)"));
        setting(QStringLiteral("UNI_MEDIA"), 7);
        setting(QStringLiteral("GER_MEDIA"), 6);
        setting(QStringLiteral("LIMITE_DEP"), 1);
    }

    void addYear(qint64 matricula, const QString &name, const QList<std::tuple<const char *, double, double>> &marks,
                 const QString &turma = QStringLiteral("1G5A"))
    {
        addStudent(matricula, name, turma, QStringLiteral("F"));
        for (const auto &[disc, average, final] : marks)
            addMarks(matricula, QString::fromLatin1(disc), turma, {{"MD_ANUAL", average}, {"MD_FINAL", final}});
    }

    Document sheet(ResultType type, AtaUnit unit, const QString &subject = QString())
    {
        return resultSheet(m_db, m_school, {type, unit, QString(), subject, false});
    }
};

const Item *item(const Document &document, int page, const QString &text)
{
    static const Item none;
    const Item *found = findText(document, page, text);
    EXPECT_TRUE(found) << text.toStdString();
    return found ? found : &none;
}

TEST_F(ResultSheetTest, TheListSitsOnTheGeneralSheetsGridWithAResultColumn)
{
    addYear(1, QStringLiteral("ANA LIMA"), {{"PO", 5.0, 6.0}, {"AR", 5.0, 9.5}, {"MA", 8.0, 8.0}});
    const Document document = sheet(ResultType::ApprovedAfterRecovery, AtaUnit::Final);
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_EQ(document.size, QSize(2970, 2100));
    item(document, 0, QStringLiteral("APROVADOS APÓS RECUPERAÇÃO: Média Final"));
    item(document, 0, QStringLiteral("TURMA: 1G5A 5º ANO A"));
    EXPECT_EQ(item(document, 0, QStringLiteral("Nome do Aluno"))->rect.topLeft(), QPoint(130, 400));
    EXPECT_EQ(item(document, 0, QStringLiteral("ARTES"))->rect.topLeft(), QPoint(1200, 400));
    EXPECT_EQ(item(document, 0, QStringLiteral("PORTUGUÊ"))->rect.x(), 1600);
    EXPECT_EQ(item(document, 0, QStringLiteral("RESULTADO"))->rect.topLeft(), QPoint(1900, 400));
    EXPECT_EQ(item(document, 0, QStringLiteral("1."))->rect.right() + 1, 100);
    EXPECT_EQ(item(document, 0, QStringLiteral("ANA LIMA"))->rect.topLeft(), QPoint(130, kFirstRow));
    // After recovery: AR 9,5 is the concept "A", PO 6,0 passes the year mark; MA was not in
    // recovery and its column stays empty.
    EXPECT_EQ(item(document, 0, QStringLiteral("A"))->rect.right() + 1, 1330);
    const Item *po = item(document, 0, QStringLiteral("6,0"));
    EXPECT_EQ(po->rect.right() + 1, 1730);
    EXPECT_EQ(po->rect.y(), kFirstRow);
    EXPECT_EQ(po->color, QColor(Qt::black));
    EXPECT_FALSE(findText(document, 0, QStringLiteral("8,0")));
    EXPECT_FALSE(findText(document, 0, QStringLiteral("5,0"))); // the average before recovery
    EXPECT_EQ(item(document, 0, QStringLiteral("APROVADO"))->rect.topLeft(), QPoint(1900, kFirstRow));
}

TEST_F(ResultSheetTest, OneLinePerStudentInNameOrderAndAPagePerClass)
{
    // Bruno is listed for AR, Ana for PO: the rows come subject by subject, the lines by name.
    addYear(1, QStringLiteral("BRUNO SOUZA"), {{"AR", 5.0, 5.0}, {"PO", 8.0, 8.0}});
    addYear(2, QStringLiteral("ANA LIMA"), {{"AR", 8.0, 8.0}, {"PO", 5.5, 5.5}, {"MA", 4.0, 4.0}});
    addYear(3, QStringLiteral("CAIO DIAS"), {{"PO", 6.0, 6.0}}, QStringLiteral("1G4A"));
    const Document document = sheet(ResultType::Recovery, AtaUnit::Year);
    ASSERT_EQ(document.pageCount(), 2);
    // 1G4A first, by class code; its numbering starts at 1 again on 1G5A's page.
    EXPECT_EQ(item(document, 0, QStringLiteral("CAIO DIAS"))->rect.y(), kFirstRow);
    EXPECT_EQ(item(document, 1, QStringLiteral("ANA LIMA"))->rect.y(), kFirstRow);
    EXPECT_EQ(item(document, 1, QStringLiteral("BRUNO SOUZA"))->rect.y(), kFirstRow + kRow);
    EXPECT_EQ(item(document, 1, QStringLiteral("2."))->rect.y(), kFirstRow + kRow);
    // Ana's two recoveries share her line, in red.
    const Item *ma = item(document, 1, QStringLiteral("4,0"));
    EXPECT_EQ(ma->rect.right() + 1, 1530);
    EXPECT_EQ(ma->rect.y(), kFirstRow);
    EXPECT_EQ(ma->color, QColor(Qt::red));
    EXPECT_EQ(item(document, 1, QStringLiteral("5,5"))->rect.y(), kFirstRow);
    EXPECT_EQ(document.texts(1).count(QStringLiteral("Recuperação")), 2);
    EXPECT_EQ(item(document, 1, QStringLiteral("C"))->rect.y(), kFirstRow + kRow); // Bruno's AR
}

TEST_F(ResultSheetTest, BelowAfterTheFinalExamCountsEverySubjectAgainstTheDependencyLimit)
{
    addYear(1, QStringLiteral("ANA LIMA"), {{"PO", 5.0, 4.0}, {"MA", 8.0, 8.0}});
    addYear(2, QStringLiteral("BRUNO SOUZA"), {{"PO", 5.0, 4.0}, {"MA", 5.0, 5.0}});
    const Document document = sheet(ResultType::BelowAfterRecovery, AtaUnit::Final);
    EXPECT_EQ(item(document, 0, QStringLiteral("PROG.PARCIAL"))->rect.y(), kFirstRow);
    EXPECT_EQ(item(document, 0, QStringLiteral("REPROVADO"))->rect.y(), kFirstRow + kRow);

    // Listing PO alone still fails Bruno on his two subjects; the one column moves the result.
    const Document po = sheet(ResultType::BelowAfterRecovery, AtaUnit::Final, QStringLiteral("PO"));
    EXPECT_EQ(item(po, 0, QStringLiteral("RESULTADO"))->rect.x(), 1500);
    EXPECT_EQ(item(po, 0, QStringLiteral("REPROVADO"))->rect.topLeft(), QPoint(1500, kFirstRow + kRow));
    EXPECT_FALSE(findText(po, 0, QStringLiteral("5,0")));
    EXPECT_FALSE(findText(po, 0, QStringLiteral("MATEMÁTI")));
}

TEST_F(ResultSheetTest, UnitListsReadTheUnitTable)
{
    addStudent(1, QStringLiteral("ANA LIMA"), QStringLiteral("1G5A"), QStringLiteral("F"));
    for (const auto &[disc, media, final] : {std::tuple{"PO", 5.0, 7.0}, {"MA", 5.0, 6.5}}) {
        m_db.exec(QStringLiteral("insert into NotasUni2 (TURMA, MATRICULA, DISC, UNIDADE, MEDIA, MD_FINAL) "
                                 "values ('1G5A', 1, :d, '2', :m, :f)"),
                  {{"d", disc}, {"m", media}, {"f", final}});
    }
    const Document below = sheet(ResultType::BelowAfterRecovery, AtaUnit::Unit2);
    item(below, 0, QStringLiteral("ABAIXO DA MÉDIA: 2ª Unidade"));
    // The unit's recovery is read against the unit mark (7): 6,5 is red, and still recovery.
    const Item *ma = item(below, 0, QStringLiteral("6,5"));
    EXPECT_EQ(ma->rect.right() + 1, 1530);
    EXPECT_EQ(ma->color, QColor(Qt::red));
    EXPECT_FALSE(findText(below, 0, QStringLiteral("7,0")));
    EXPECT_EQ(item(below, 0, QStringLiteral("Recuperação"))->rect.y(), kFirstRow);

    const Document approved = sheet(ResultType::ApprovedAfterRecovery, AtaUnit::Unit2);
    EXPECT_EQ(item(approved, 0, QStringLiteral("7,0"))->rect.right() + 1, 1730);
    EXPECT_EQ(item(approved, 0, QStringLiteral("7,0"))->color, QColor(Qt::black));
    item(approved, 0, QStringLiteral("APROVADO"));
}

TEST_F(ResultSheetTest, TheYearChoiceOfTheAnalysesListsEveryRowWithTheSheetsResult)
{
    addYear(1, QStringLiteral("ANA LIMA"), {{"PO", 9.0, 9.0}, {"MA", 5.0, 7.0}});
    const Document year = sheet(ResultType::YearPoints, AtaUnit::Year);
    item(year, 0, QStringLiteral("SOMA DE PONTOS NO ANO Média Geral"));
    EXPECT_EQ(item(year, 0, QStringLiteral("5,0"))->color, QColor(Qt::red));
    item(year, 0, QStringLiteral("9,0"));
    item(year, 0, QStringLiteral("Recuperação"));
    const Document final = sheet(ResultType::MinimumMark, AtaUnit::Final);
    item(final, 0, QStringLiteral("7,0"));
    item(final, 0, QStringLiteral("APROVADO"));
}

TEST_F(ResultSheetTest, AnEmptyOutcomePrintsAnEmptyList)
{
    const Document document = sheet(ResultType::Recovery, AtaUnit::Unit3);
    EXPECT_EQ(document.pageCount(), 1);
    item(document, 0, QStringLiteral("ALUNOS EM RECUPERAÇÃO: 3ª Unidade"));
}

TEST_F(ResultSheetTest, DialogValuesBecomeTheSelection)
{
    ReportValues values(resultParams());
    values.set(QStringLiteral("type"), QStringLiteral("3"), m_db);
    values.set(QStringLiteral("unit"), QStringLiteral("final"), m_db);
    values.set(QStringLiteral("subject"), QStringLiteral("PO"), m_db);
    const ResultSelection selection = resultSelection(values);
    EXPECT_EQ(selection.type, ResultType::ApprovedAfterRecovery);
    EXPECT_EQ(selection.unit, AtaUnit::Final);
    EXPECT_EQ(selection.subject, QStringLiteral("PO"));
    EXPECT_TRUE(selection.classCode.isEmpty());
}

} // namespace
