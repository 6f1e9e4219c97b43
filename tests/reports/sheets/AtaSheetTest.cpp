#include "CardSchool.h"

#include "reports/sheets/AtaSheet.h"

#include "support/QStringPrinting.h"

using namespace reports;

namespace {

// 1G5A with PO, MA (ordinary) and AR (conceptCell), all marked for the minutes.
class AtaSheetTest : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        m_db.exec(QStringLiteral("update Discturm set Imp_AtaFinal = 1, CHORA = 80"));
        m_db.exec(QStringLiteral("update DISCPL set DESC_RESUMO = substr(DESCRICAO, 1, 8)"));
        setting(QStringLiteral("UNI_MEDIA"), 7);
        setting(QStringLiteral("GER_MEDIA"), 6);
        setting(QStringLiteral("LIMITE_DEP"), 2);
        setting(QStringLiteral("NUM_CADASTRO"), QStringLiteral("12.345"));
    }

    void addStudentWith(qint64 matricula, const QString &name, double po, double ma, double ar,
                        const QString &sit = QString())
    {
        addStudent(matricula, name, QStringLiteral("1G5A"), QStringLiteral("M"), sit);
        addMarks(matricula, QStringLiteral("AR"), QStringLiteral("1G5A"), {{"MD_FINAL", ar}});
        addMarks(matricula, QStringLiteral("MA"), QStringLiteral("1G5A"), {{"MD_FINAL", ma}});
        addMarks(matricula, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"MD_FINAL", po}});
        rank(matricula, QStringLiteral("1G5A"));
    }

    Document minutes(AtaOptions options = {})
    {
        if (!options.lastDay.isValid())
            options.lastDay = QDate(2026, 12, 15);
        return ataSheet(m_db, m_school, options);
    }
};

// Position of the first text item of `page` reading `text`.
QPoint at(const Document &document, int page, const QString &text)
{
    const Item *item = findText(document, page, text);
    return item ? item->rect.topLeft() : QPoint(-1, -1);
}

TEST_F(AtaSheetTest, GridHeadingAndRowsSitAtTheirFixedPositions)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), 8, 7.5, 9.5);
    addStudentWith(2, QStringLiteral("BRUNO SOUZA"), 4, 5, 9);
    const Document document = minutes();
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_EQ(document.size, QSize(2970, 2100)); // landscape A4
    // Subjects in code order: AR, MA, PO.
    EXPECT_EQ(at(document, 0, QStringLiteral("ARTES")).y(), 500);
    EXPECT_EQ(at(document, 0, QStringLiteral("ARTES")).x(), 1200);
    EXPECT_EQ(at(document, 0, QStringLiteral("MATEMÁTI")).x(), 1400);
    EXPECT_EQ(at(document, 0, QStringLiteral("PORTUGUÊ")).x(), 1600);
    EXPECT_EQ(at(document, 0, QStringLiteral("RESULTADO")), QPoint(1900, 500));
    EXPECT_EQ(at(document, 0, QStringLiteral("80")).y(), 555);
    EXPECT_EQ(at(document, 0, QStringLiteral("ANA LIMA")), QPoint(130, 640));
    EXPECT_EQ(at(document, 0, QStringLiteral("BRUNO SOUZA")), QPoint(130, 640 + 79));
    const Item *number = findText(document, 0, QStringLiteral("2."));
    ASSERT_TRUE(number);
    EXPECT_EQ(number->rect.right() + 1, 100);
    EXPECT_EQ(number->align, Align::Right);
    // Ana: AR 9,5 is "A", MA 7,5, PO 8,0, each ending at its column.
    const Item *conceptCell = findText(document, 0, QStringLiteral("A"));
    ASSERT_TRUE(conceptCell);
    EXPECT_EQ(conceptCell->rect.right() + 1, 1330);
    EXPECT_EQ(findText(document, 0, QStringLiteral("8,0"))->rect.right() + 1, 1730);
    EXPECT_EQ(at(document, 0, QStringLiteral("APROVADO")), QPoint(1900, 640));
    // Bruno fails two ordinary subjects: red, and partial progression with a limit of 2.
    EXPECT_EQ(findText(document, 0, QStringLiteral("4,0"))->color, QColor(Qt::red));
    EXPECT_EQ(at(document, 0, QStringLiteral("PROG. PARCIAL")), QPoint(1900, 640 + 79));
}

TEST_F(AtaSheetTest, MoreFailuresThanTheLimitFailAndTheDialogTextsAreUsed)
{
    addStudentWith(1, QStringLiteral("CAIO"), 4, 5, 9);
    setting(QStringLiteral("LIMITE_DEP"), 1);
    AtaOptions options;
    options.texts.failed = QStringLiteral("RETIDO");
    const Document document = minutes(options);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("RETIDO")));
}

TEST_F(AtaSheetTest, LeaversShowDashesAndTheirSituationOrAreLeftOut)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), 8, 7.5, 9.5);
    addStudentWith(2, QStringLiteral("TIAGO"), 4, 5, 9, QStringLiteral("T"));
    EXPECT_FALSE(findText(minutes(), 0, QStringLiteral("TIAGO")));
    AtaOptions options;
    options.skipLeavers = false;
    const Document document = minutes(options);
    EXPECT_EQ(at(document, 0, QStringLiteral("TIAGO")).y(), 640 + 79);
    EXPECT_EQ(document.texts(0).count(QStringLiteral("---")), 3);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("TRANSF - 10/05/2026")));
    EXPECT_FALSE(findText(document, 0, QStringLiteral("4,0")));
}

TEST_F(AtaSheetTest, AMissingGradeRowLeavesItsCellBlankInsteadOfShiftingTheOthers)
{
    addStudent(1, QStringLiteral("ANA LIMA"), QStringLiteral("1G5A"), QStringLiteral("F"));
    addMarks(1, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"MD_FINAL", 8}});
    rank(1, QStringLiteral("1G5A"));
    const Document document = minutes();
    EXPECT_EQ(findText(document, 0, QStringLiteral("8,0"))->rect.right() + 1, 1730);
}

TEST_F(AtaSheetTest, ManyStudentsPageOnWithTheHeadingAndNumberingGoesOn)
{
    for (int i = 1; i <= 30; ++i)
        addStudentWith(i, QStringLiteral("ALUNO %1").arg(i, 2, 10, QLatin1Char('0')), 8, 8, 8);
    const Document document = minutes();
    ASSERT_EQ(document.pageCount(), 3);
    for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(at(document, page, QStringLiteral("RESULTADO")).y(), 500);
        EXPECT_TRUE(findText(document, page, QStringLiteral("Página  %1").arg(page + 1)));
        EXPECT_TRUE(findText(document, page, QStringLiteral("Diretor do Estabelecimento")));
    }
    // The second page starts again at the first row with the next running number.
    const int perPage = textsStarting(document, 0, QStringLiteral("ALUNO ")).size();
    EXPECT_GT(perPage, 10);
    EXPECT_EQ(at(document, 1, QStringLiteral("ALUNO %1").arg(perPage + 1, 2, 10, QLatin1Char('0'))).y(), 640);
    EXPECT_TRUE(findText(document, 1, QStringLiteral("%1.").arg(perPage + 1)));
    // Every row stays above the footer.
    for (const Item &item : document.pages.at(0).items) {
        if (item.text.startsWith(QStringLiteral("ALUNO "))) {
            EXPECT_LE(item.rect.bottom(), 2100 - 100 - 300);
        }
    }
}

TEST_F(AtaSheetTest, EachClassStartsAPageAndItsNumberingAgain)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), 8, 7.5, 9.5);
    addStudent(2, QStringLiteral("BETO"), QStringLiteral("1G4A"), QStringLiteral("M"));
    addMarks(2, QStringLiteral("PO"), QStringLiteral("1G4A"), {{"MD_FINAL", 7}});
    rank(2, QStringLiteral("1G4A"));
    const Document document = minutes();
    ASSERT_EQ(document.pageCount(), 2);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("1G4A 4º ANO A")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("1.")));
    EXPECT_TRUE(findText(document, 1, QStringLiteral("1G5A 5º ANO A")));
    EXPECT_TRUE(findText(document, 1, QStringLiteral("1.")));
    EXPECT_EQ(at(document, 1, QStringLiteral("ANA LIMA")).y(), 640);
}

TEST_F(AtaSheetTest, HeadingAndFooterTexts)
{
    addStudentWith(1, QStringLiteral("ANA LIMA"), 8, 7.5, 9.5);
    AtaOptions options;
    options.secretary = QStringLiteral("MARIA SILVA");
    options.director = QStringLiteral("JOSÉ SANTOS");
    const Document document = minutes(options);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("Cadastro Nº 12.345")));
    EXPECT_EQ(textsStarting(document, 0, QStringLiteral("Ata de Resultados Finais do Rendimento Escolar "
                                                         "Referente ao Ano Letivo de "))
                  .size(),
              1);
    EXPECT_TRUE(findText(document, 0,
                         QStringLiteral("Em 15 de dezembro de 2026, concluiu-se o processo de apuração dos "
                                        "resultados finais do rendimento escolar dos alunos acima relacionados.")));
    EXPECT_TRUE(findText(document, 0,
                         QStringLiteral("E, para constar, eu, MARIA SILVA, Secretário, lavrei a presente ata que vai "
                                        "assinada pelo Diretor deste estabelecimento.")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("JOSÉ SANTOS")));
}

TEST_F(AtaSheetTest, OtherUnitsTitleTheSheetAndPrintThatUnitsMarks)
{
    addStudent(1, QStringLiteral("ANA LIMA"), QStringLiteral("1G5A"), QStringLiteral("F"));
    addMarks(1, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"UND2", 5.5}, {"MD_FINAL", 8}});
    rank(1, QStringLiteral("1G5A"));
    AtaOptions options;
    options.unit = AtaUnit::Unit2;
    const Document document = minutes(options);
    EXPECT_EQ(document.title, QStringLiteral("QUADRO GERAL DE NOTAS - 2ª UNIDADE"));
    EXPECT_EQ(findText(document, 0, QStringLiteral("5,5"))->color, QColor(Qt::red));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("Recuperação")));
}

TEST_F(AtaSheetTest, ManySubjectsNarrowTheColumnsToKeepTheResultOnThePage)
{
    EXPECT_EQ(AtaGeometry::pitchFor(6, 2870), 200);
    const Tenths pitch = AtaGeometry::pitchFor(12, 2870);
    EXPECT_LT(pitch, 200);
    EXPECT_LE(AtaGeometry::resultX + pitch * 12 + AtaGeometry::resultWidth, 2870);
}

} // namespace
