#include "CardSchool.h"

#include "reports/sheets/GeneralSheet.h"
#include "reports/sheets/ResultSheet.h"
#include "reports/sheets/SubjectSheet.h"
#include "reports/sheets/UnitSheet.h"

#include "data/store/Transaction.h"
#include "support/QStringPrinting.h"

using namespace reports;

namespace {

constexpr int kStudents = 40;
constexpr int kGridFirstRow = 495;
constexpr int kGridRow = 79;

// A class of 1G5A with more students than one page holds: "ALUNO 01" to "ALUNO 40", each with
// a Portuguese mark of its own (6,0 + 0,1 per student, passing), a failing 5,0 in Mathematics
// and 9,0 in Arts, in the year, the first unit and the second unit's table.
class SheetPagingTest : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        m_db.exec(QStringLiteral("update DISCPL set DESC_RESUMO = substr(DESCRICAO, 1, 8)"));
        setting(QStringLiteral("UNI_MEDIA"), 7);
        setting(QStringLiteral("GER_MEDIA"), 6);
        data::Transaction seeding(m_db);
        for (int i = 1; i <= kStudents; ++i) {
            addStudent(i, name(i), QStringLiteral("1G5A"), QStringLiteral("F"));
            for (const auto &[disc, mark] : {std::pair{"PO", poMark(i)}, {"MA", 5.0}, {"AR", 9.0}}) {
                addMarks(i, QString::fromLatin1(disc), QStringLiteral("1G5A"),
                         {{"UND1", mark}, {"MD_ANUAL", mark}, {"MD_RECUP", mark}, {"MD_FINAL", mark}});
                m_db.exec(QStringLiteral("insert into NotasUni2 (TURMA, MATRICULA, DISC, UNIDADE, NOTA1, MEDIA) "
                                         "values ('1G5A', :m, :d, '2', :n, :n)"),
                          {{"m", double(i)}, {"d", disc}, {"n", mark}});
            }
            rank(i, QStringLiteral("1G5A"));
        }
        seeding.commit();
    }

    static QString name(int i) { return QStringLiteral("ALUNO %1").arg(i, 2, 10, QLatin1Char('0')); }
    static double poMark(int i) { return 6.0 + 0.1 * (i - 1); }
    static QString poText(int i) { return QString::number(poMark(i), 'f', 1).replace(u'.', u','); }

    // The students' names on each page, in the order laid out.
    static QList<QStringList> namesByPage(const Document &document)
    {
        QList<QStringList> pages;
        for (int page = 0; page < document.pageCount(); ++page)
            pages << textsStarting(document, page, QStringLiteral("ALUNO "));
        return pages;
    }

    // Every student once, in name order, over more than one page, every page ending above its
    // footer line.
    void expectEveryStudentOnceInOrder(const Document &document)
    {
        ASSERT_GE(document.pageCount(), 2);
        QStringList all;
        for (const QStringList &page : namesByPage(document)) {
            EXPECT_FALSE(page.isEmpty());
            all += page;
        }
        QStringList expected;
        for (int i = 1; i <= kStudents; ++i)
            expected << name(i);
        EXPECT_EQ(all, expected);
        for (int page = 0; page < document.pageCount(); ++page) {
            const Item *footer = findText(document, page, QStringLiteral("Lumesco"));
            ASSERT_TRUE(footer) << page;
            const Item *last = findText(document, page, namesByPage(document).at(page).last());
            EXPECT_LE(last->rect.bottom(), footer->rect.y()) << page;
        }
    }

    // On the grid sheets: the headings and the class line again on the second page, where the
    // numbering and the rows go on from the first page's last student at the first row.
    void expectGridContinues(const Document &document, const QString &title)
    {
        expectEveryStudentOnceInOrder(document);
        const int onFirst = int(namesByPage(document).at(0).size());
        for (int page = 0; page < 2; ++page) {
            EXPECT_TRUE(findText(document, page, title)) << page;
            EXPECT_TRUE(findText(document, page, QStringLiteral("TURMA: 1G5A 5º ANO A"))) << page;
            const Item *heading = findText(document, page, QStringLiteral("Nome do Aluno"));
            ASSERT_TRUE(heading) << page;
            EXPECT_EQ(heading->rect.topLeft(), QPoint(130, 400));
            const Item *result = findText(document, page, QStringLiteral("RESULTADO"));
            ASSERT_TRUE(result) << page;
            EXPECT_EQ(result->rect.topLeft(), QPoint(1900, 400));
        }
        const Item *lastOfFirst = findText(document, 0, name(onFirst));
        EXPECT_EQ(lastOfFirst->rect.y(), kGridFirstRow + (onFirst - 1) * kGridRow);
        const Item *next = findText(document, 1, name(onFirst + 1));
        ASSERT_TRUE(next);
        EXPECT_EQ(next->rect.topLeft(), QPoint(130, kGridFirstRow));
        const Item *number = findText(document, 1, QString::number(onFirst + 1) + QLatin1Char('.'));
        ASSERT_TRUE(number);
        EXPECT_EQ(number->rect.y(), kGridFirstRow);
        EXPECT_EQ(number->rect.right() + 1, 100);
        EXPECT_EQ(findText(document, 1, QStringLiteral("1.")), nullptr);
    }
};

TEST_F(SheetPagingTest, TheGeneralSheetGoesOnWithTheMarksOnTheirRows)
{
    const Document document = generalSheet(m_db, m_school, {QStringLiteral("1G5A"), AtaUnit::Unit1, false, true});
    expectGridContinues(document, QStringLiteral("QUADRO GERAL DE NOTAS - 1ª UNIDADE"));
    const int next = int(namesByPage(document).at(0).size()) + 1;
    const Item *mark = findText(document, 1, poText(next));
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->rect.y(), kGridFirstRow);
    EXPECT_EQ(mark->rect.right() + 1, 1730);
    EXPECT_EQ(document.texts(0).count(QStringLiteral("Recuperação")), next - 1);
}

TEST_F(SheetPagingTest, TheFacesSheetGoesOnWithAFacePerRow)
{
    GeneralSelection selection{QStringLiteral("1G5A"), AtaUnit::Unit1, false, true};
    selection.faces = true;
    const Document document = generalSheet(m_db, m_school, selection);
    expectGridContinues(document, QStringLiteral("QUADRO GERAL DE NOTAS - 1ª UNIDADE"));
    // Every row has its face in Mathematics; the passing marks leave their cells empty.
    for (int page = 0; page < document.pageCount(); ++page) {
        QList<int> rows;
        for (const Item &item : document.pages.at(page).items) {
            if (item.text == kSadFace && item.rect.right() + 1 == 1530)
                rows << item.rect.y();
        }
        ASSERT_EQ(rows.size(), namesByPage(document).at(page).size()) << page;
        EXPECT_EQ(rows.first(), kGridFirstRow) << page;
        EXPECT_EQ(rows.last(), kGridFirstRow + (rows.size() - 1) * kGridRow) << page;
        EXPECT_TRUE(textsStarting(document, page, QStringLiteral("7,")).isEmpty()) << page;
    }
}

TEST_F(SheetPagingTest, TheOutcomeListGoesOnUnderItsHeading)
{
    const Document document =
        resultSheet(m_db, m_school, {ResultType::Recovery, AtaUnit::Year, QStringLiteral("1G5A"), {}, false});
    expectGridContinues(document, QStringLiteral("ALUNOS EM RECUPERAÇÃO: Média Geral"));
    const Item *mark = findText(document, 1, QStringLiteral("5,0"));
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->rect.topLeft().y(), kGridFirstRow);
    EXPECT_EQ(mark->rect.right() + 1, 1530);
    EXPECT_FALSE(findText(document, 1, poText(1))); // passing marks are not in recovery
}

TEST_F(SheetPagingTest, TheYearPointsGoOnWithTheirHeadings)
{
    const Document document =
        resultSheet(m_db, m_school, {ResultType::YearPoints, AtaUnit::Unit1, QStringLiteral("1G5A"), {}, false});
    expectEveryStudentOnceInOrder(document);
    const int onFirst = int(namesByPage(document).at(0).size());
    const Item *heading = findText(document, 0, QStringLiteral("Nome do Aluno"));
    const Item *headingAgain = findText(document, 1, QStringLiteral("Nome do Aluno"));
    ASSERT_TRUE(heading && headingAgain);
    EXPECT_EQ(headingAgain->rect.topLeft(), heading->rect.topLeft());
    EXPECT_TRUE(findText(document, 1, QStringLiteral("SOMA DE PONTOS NO ANO")));
    const Item *first = findText(document, 0, name(1));
    const Item *number = findText(document, 1, QString::number(onFirst + 1) + QLatin1Char('.'));
    ASSERT_TRUE(first && number);
    EXPECT_EQ(number->rect.y(), first->rect.y());
}

// The banded sheets: the captions again on every page at the same place, the rows starting
// under them, the notes only after the last row.
TEST_F(SheetPagingTest, TheSubjectSheetRepeatsItsCaptionsOnEveryPage)
{
    const Document document = subjectSheet(m_db, m_school, {QStringLiteral("1G5A"), QStringLiteral("PO"), true});
    expectEveryStudentOnceInOrder(document);
    const Item *caption = findText(document, 0, QStringLiteral("Nome do Aluno"));
    const Item *first = findText(document, 0, name(1));
    ASSERT_TRUE(caption && first);
    const int onFirst = int(namesByPage(document).at(0).size());
    const Item *captionAgain = findText(document, 1, QStringLiteral("Nome do Aluno"));
    const Item *next = findText(document, 1, name(onFirst + 1));
    ASSERT_TRUE(captionAgain && next);
    EXPECT_EQ(captionAgain->rect.topLeft(), caption->rect.topLeft());
    EXPECT_EQ(next->rect.y(), first->rect.y());
    EXPECT_TRUE(findText(document, 1, QStringLiteral("TURMA: 1G5A")));
    const Item *mark = findText(document, 1, poText(onFirst + 1));
    ASSERT_TRUE(mark);
    EXPECT_EQ(mark->rect.y(), next->rect.y());
    const int last = document.pageCount() - 1;
    EXPECT_FALSE(findText(document, 0, QStringLiteral("(*) Regime de Dependência")));
    EXPECT_TRUE(findText(document, last, QStringLiteral("(*) Regime de Dependência")));
}

TEST_F(SheetPagingTest, TheUnitSheetRepeatsTheSubjectAndItsCaptionsOnEveryPage)
{
    const Document document = unitSheet(m_db, m_school, QStringLiteral("1G5A"), 2);
    // Two subjects (the consolidated one has no unit rows of its own), each over more than one
    // page, each starting on a page of its own.
    ASSERT_GE(document.pageCount(), 4);
    QStringList subjects;
    for (int page = 0; page < document.pageCount(); ++page) {
        const QStringList subject = textsStarting(document, page, QStringLiteral("DISCIPLINA: "));
        ASSERT_EQ(subject.size(), 1) << page;
        subjects << subject.first();
        EXPECT_TRUE(findText(document, page, QStringLiteral("Nome do Aluno"))) << page;
    }
    EXPECT_EQ(subjects.removeDuplicates(), document.pageCount() - 2);
    EXPECT_EQ(subjects, (QStringList{"DISCIPLINA: ARTES", "DISCIPLINA: PORTUGUÊS"}));

    // Portuguese: its students once each, in order, its marks on their rows.
    int firstPage = 0;
    while (!findText(document, firstPage, QStringLiteral("DISCIPLINA: PORTUGUÊS")))
        ++firstPage;
    const int onFirst = int(textsStarting(document, firstPage, QStringLiteral("ALUNO ")).size());
    const Item *caption = findText(document, firstPage, QStringLiteral("Nome do Aluno"));
    const Item *captionAgain = findText(document, firstPage + 1, QStringLiteral("Nome do Aluno"));
    EXPECT_EQ(captionAgain->rect.topLeft(), caption->rect.topLeft());
    const Item *first = findText(document, firstPage, name(1));
    const Item *next = findText(document, firstPage + 1, name(onFirst + 1));
    ASSERT_TRUE(first && next);
    EXPECT_EQ(next->rect.y(), first->rect.y());
    EXPECT_EQ(textsStarting(document, firstPage + 1, poText(onFirst + 1)).size(), 2); // the note and the average
    QStringList portuguese;
    for (int page = firstPage; page < document.pageCount(); ++page)
        portuguese += textsStarting(document, page, QStringLiteral("ALUNO "));
    EXPECT_EQ(portuguese.size(), kStudents);
    EXPECT_EQ(portuguese.first(), name(1));
    EXPECT_EQ(portuguese.last(), name(kStudents));
}

} // namespace
