#include "CardSchool.h"

#include "reports/sheets/GeneralSheet.h"

#include "support/QStringPrinting.h"

using namespace reports;

namespace {

// 1G5A with AR (concept), MA and PO (ordinary); only MA is marked for the minutes.
class GeneralSheetTest : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        m_db.exec(QStringLiteral("update Discturm set CHORA = 80"));
        m_db.exec(QStringLiteral("update DISCPL set DESC_RESUMO = substr(DESCRICAO, 1, 8)"));
        setting(QStringLiteral("UNI_MEDIA"), 7);
        setting(QStringLiteral("GER_MEDIA"), 6);
        setting(QStringLiteral("LIMITE_DEP"), 2);
    }

    // The same mark in the first unit and after recovery, and 9 as the final average, so a cell
    // showing 9,0 read the wrong column.
    void addStudentWith(qint64 matricula, const QString &name, double ar, double ma, double po,
                        const QString &sit = QString())
    {
        addStudent(matricula, name, QStringLiteral("1G5A"), QStringLiteral("F"), sit);
        const auto marks = [](double mark) {
            return QVariantMap{{"UND1", mark}, {"MD_ANUAL", mark}, {"MD_RECUP", mark}, {"MD_FINAL", 9.0}};
        };
        addMarks(matricula, QStringLiteral("AR"), QStringLiteral("1G5A"), marks(ar));
        addMarks(matricula, QStringLiteral("MA"), QStringLiteral("1G5A"), marks(ma));
        addMarks(matricula, QStringLiteral("PO"), QStringLiteral("1G5A"), marks(po));
        rank(matricula, QStringLiteral("1G5A"));
    }

    Document sheet(AtaUnit unit, bool onlyConsolidated = false, bool skipLeavers = true)
    {
        return generalSheet(m_db, m_school, {QStringLiteral("1G5A"), unit, onlyConsolidated, skipLeavers});
    }
};

QPoint at(const Document &document, int page, const QString &text)
{
    const Item *item = findText(document, page, text);
    return item ? item->rect.topLeft() : QPoint(-1, -1);
}

int rightEdge(const Document &document, int page, const QString &text)
{
    const Item *item = findText(document, page, text);
    return item ? item->rect.right() + 1 : -1;
}

TEST_F(GeneralSheetTest, UnitMarksSitOnTheGridAndAFailureSendsToRecovery)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), 9.5, 7.5, 8);
    addStudentWith(2, QStringLiteral("BRUNO SOUZA"), 9, 5, 8);
    const Document document = sheet(AtaUnit::Unit1);
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_EQ(document.size, QSize(2970, 2100));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("QUADRO GERAL DE NOTAS - 1ª UNIDADE")));
    EXPECT_EQ(textsStarting(document, 0, QStringLiteral("TURMA: 1G5A")).size(), 1);
    EXPECT_EQ(at(document, 0, QStringLiteral("ARTES")), QPoint(1200, 400));
    EXPECT_EQ(at(document, 0, QStringLiteral("MATEMÁTI")).x(), 1400);
    EXPECT_EQ(at(document, 0, QStringLiteral("PORTUGUÊ")).x(), 1600);
    EXPECT_EQ(at(document, 0, QStringLiteral("RESULTADO")), QPoint(1900, 400));
    EXPECT_EQ(at(document, 0, QStringLiteral("80")).y(), 445);
    EXPECT_EQ(at(document, 0, QStringLiteral("ANA LIMA")), QPoint(130, 495));
    EXPECT_EQ(at(document, 0, QStringLiteral("BRUNO SOUZA")), QPoint(130, 495 + 79));
    EXPECT_EQ(rightEdge(document, 0, QStringLiteral("2.")), 100);
    // Ana: AR 9,5 is the concept "A", MA 7,5 and PO 8,0 end at their columns.
    EXPECT_EQ(rightEdge(document, 0, QStringLiteral("A")), 1330);
    EXPECT_EQ(rightEdge(document, 0, QStringLiteral("7,5")), 1530);
    EXPECT_EQ(rightEdge(document, 0, QStringLiteral("8,0")), 1730);
    EXPECT_EQ(at(document, 0, QStringLiteral("APROVADO")), QPoint(1900, 495));
    // Bruno's 5,0 is below the unit pass mark (7): red, and recovery.
    ASSERT_TRUE(findText(document, 0, QStringLiteral("5,0")));
    EXPECT_EQ(findText(document, 0, QStringLiteral("5,0"))->color, QColor(Qt::red));
    EXPECT_EQ(at(document, 0, QStringLiteral("Recuperação")), QPoint(1900, 495 + 79));
    EXPECT_FALSE(findText(document, 0, QStringLiteral("9,0"))); // the final average is not a unit's
}

TEST_F(GeneralSheetTest, FinalAverageReadsTheAverageAfterRecoveryAgainstTheYearMark)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), 9, 6.5, 6);    // 6,5 passes the year mark of 6
    addStudentWith(2, QStringLiteral("BRUNO SOUZA"), 9, 5, 4);   // two failures, limit 2
    const Document document = sheet(AtaUnit::Final);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("QUADRO GERAL DE NOTAS - MÉDIA FINAL")));
    EXPECT_EQ(findText(document, 0, QStringLiteral("6,5"))->color, QColor(Qt::black));
    EXPECT_EQ(at(document, 0, QStringLiteral("APROVADO")).y(), 495);
    EXPECT_EQ(at(document, 0, QStringLiteral("PROG.PARCIAL")).y(), 495 + 79);
    setting(QStringLiteral("LIMITE_DEP"), 1);
    EXPECT_EQ(at(sheet(AtaUnit::Final), 0, QStringLiteral("REPROVADO")).y(), 495 + 79);
    EXPECT_FALSE(findText(sheet(AtaUnit::Year), 0, QStringLiteral("REPROVADO"))); // the year recovers
}

TEST_F(GeneralSheetTest, ConsolidatedSubjectsAndLeavers)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), 9, 7.5, 8);
    addStudentWith(2, QStringLiteral("TIAGO"), 9, 5, 4, QStringLiteral("T"));
    const Document consolidated = sheet(AtaUnit::Unit1, true);
    // Only MA is marked: it takes the first column and the result follows it.
    EXPECT_EQ(at(consolidated, 0, QStringLiteral("MATEMÁTI")).x(), 1200);
    EXPECT_FALSE(findText(consolidated, 0, QStringLiteral("ARTES")));
    EXPECT_EQ(rightEdge(consolidated, 0, QStringLiteral("7,5")), 1330);
    EXPECT_EQ(at(consolidated, 0, QStringLiteral("RESULTADO")).x(), 1500);
    EXPECT_FALSE(findText(consolidated, 0, QStringLiteral("TIAGO")));

    const Document all = sheet(AtaUnit::Unit1, false, false);
    EXPECT_EQ(at(all, 0, QStringLiteral("TIAGO")).y(), 495 + 79);
    EXPECT_EQ(all.texts(0).count(QStringLiteral("---")), 3);
    EXPECT_TRUE(findText(all, 0, QStringLiteral("TRANSF - 10/05/2026")));
    EXPECT_FALSE(findText(all, 0, QStringLiteral("Recuperação")));
}

TEST(FaceCell, OnlyFailingOrdinaryMarksAndMissingMarksShow)
{
    EXPECT_EQ(faceCell(5, QStringLiteral("N"), 7).text, kSadFace);
    EXPECT_TRUE(faceCell(5, QStringLiteral("N"), 7).face);
    EXPECT_TRUE(faceCell(7, QStringLiteral("N"), 7).text.isEmpty());
    EXPECT_TRUE(faceCell(5, QStringLiteral("C"), 7).text.isEmpty()); // a concept gets no face
    EXPECT_EQ(faceCell(0, QStringLiteral("N"), 7).text, QStringLiteral("--"));
    EXPECT_TRUE(faceCell(0, QStringLiteral("N"), 7).secondCall);
    EXPECT_TRUE(faceCell(50, QStringLiteral("C"), 7).secondCall);
    EXPECT_EQ(faceCell(90, QStringLiteral("N"), 7).text, QStringLiteral("D"));
    EXPECT_FALSE(faceCell(90, QStringLiteral("N"), 7).secondCall);
}

TEST_F(GeneralSheetTest, FacesShowFailuresSecondCallsAndTheFlaggedStudentsMessage)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), 9, 8, 8);
    addStudentWith(2, QStringLiteral("BRUNO SOUZA"), 9, 5, 8);
    addStudentWith(3, QStringLiteral("CAIO DIAS"), 9, 0, 8);
    addStudentWith(4, QStringLiteral("DORA MELO"), 9, 5, 5);
    addStudentWith(5, QStringLiteral("ELI ROCHA"), 9, 5, 0);
    m_db.exec(QStringLiteral("update ALUNOS set MARCADO = 1 where MATRICULA = 4"));
    ReportValues values(generalParams(true));
    values.set(QStringLiteral("class"), QStringLiteral("1G5A"), m_db);
    values.set(QStringLiteral("unit"), QStringLiteral("1"), m_db);
    const GeneralSelection selection = generalSelection(values);
    ASSERT_TRUE(selection.faces);
    const Document document = generalSheet(m_db, m_school, selection);
    constexpr int row = 79;
    // Passing marks leave their cells empty.
    EXPECT_FALSE(findText(document, 0, QStringLiteral("8,0")));
    EXPECT_FALSE(findText(document, 0, QStringLiteral("A")));
    const QStringList faces = textsStarting(document, 0, kSadFace);
    EXPECT_EQ(faces.size(), 2); // Bruno's and Eli's MA; Dora is flagged
    const Item *face = findText(document, 0, kSadFace);
    ASSERT_TRUE(face);
    EXPECT_EQ(face->font.family, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(face->rect.right() + 1, 1530);
    EXPECT_EQ(face->rect.y(), 495 + row);
    EXPECT_EQ(at(document, 0, QStringLiteral("APROVADO")).y(), 495);
    EXPECT_EQ(at(document, 0, QStringLiteral("Recuperação")).y(), 495 + row);
    EXPECT_EQ(at(document, 0, QStringLiteral("--")).y(), 495 + 2 * row);
    EXPECT_EQ(at(document, 0, QStringLiteral("2ª Chamada")).y(), 495 + 2 * row);
    EXPECT_EQ(at(document, 0, QStringLiteral("PROCURAR A SECRETARIA")).y(), 495 + 3 * row);
    EXPECT_EQ(at(document, 0, QStringLiteral("Recuperação / 2ª Chamada")).y(), 495 + 4 * row);
}

TEST_F(GeneralSheetTest, DialogValuesBecomeTheSelection)
{
    ReportValues values(generalParams());
    GeneralSelection selection = generalSelection(values);
    EXPECT_EQ(selection.unit, AtaUnit::Final);
    EXPECT_TRUE(selection.skipLeavers);
    EXPECT_FALSE(selection.onlyConsolidated);
    values.set(QStringLiteral("class"), QStringLiteral("1G5A"), m_db);
    values.set(QStringLiteral("unit"), QStringLiteral("2"), m_db);
    values.set(QStringLiteral("only-consolidated"), QStringLiteral("S"), m_db);
    values.set(QStringLiteral("keep-leavers"), QStringLiteral("S"), m_db);
    selection = generalSelection(values);
    EXPECT_EQ(selection.classCode, QStringLiteral("1G5A"));
    EXPECT_EQ(selection.unit, AtaUnit::Unit2);
    EXPECT_TRUE(selection.onlyConsolidated);
    EXPECT_FALSE(selection.skipLeavers);
}

} // namespace
