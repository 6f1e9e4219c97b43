#include "LetterSchool.h"

#include "reports/records/ClassLists.h"

#include "support/QStringPrinting.h"

using namespace reports;

namespace {

class ClassListsTest : public LetterSchool
{
protected:
    void SetUp() override
    {
        LetterSchool::SetUp();
        addPerson(1, QStringLiteral("BRUNA"), QStringLiteral("1G5A"), QDate(2015, 3, 20));
        addPerson(2, QStringLiteral("ALICE"), QStringLiteral("1G5A"), QDate(2015, 3, 4));
        addPerson(3, QStringLiteral("DORA"), QStringLiteral("1G5A"), QDate(2015, 3, 9), QStringLiteral("D"));
        addPerson(4, QStringLiteral("CAIO"), QStringLiteral("1G4A"), QDate(2016, 3, 20));
        for (qint64 student : {1, 2, 3}) {
            addMarks(student, QStringLiteral("PO"), QStringLiteral("1G5A"), {});
            addMarks(student, QStringLiteral("MA"), QStringLiteral("1G5A"), {});
        }
        addMarks(4, QStringLiteral("PO"), QStringLiteral("1G4A"), {});
        // BRUNA takes PO again in 1G4A; CAIO takes MA in 1G5A.
        addMarks(1, QStringLiteral("PO"), QStringLiteral("1G4A"), {});
        addMarks(4, QStringLiteral("MA"), QStringLiteral("1G5A"), {});
    }

    Document print(ClassList list, const QString &classCode = QStringLiteral("1G5A"))
    {
        return classList(m_db, m_school, list, classCode);
    }
};

TEST_F(ClassListsTest, StudentListedAgainUnderTheOtherClassOfHisMarks)
{
    const Document document = print(ClassList::Students);
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("RELAÇÃO DE ALUNOS POR TURMA")));
    EXPECT_EQ(textsStarting(document, 0, QStringLiteral("TURMA: ")),
              (QStringList{"TURMA: 1G4A - 4º ANO A", "TURMA: 1G5A - 5º ANO A"}));
    // Under 1G4A only BRUNA, marked; CAIO is not of the chosen class. Under 1G5A, once each.
    const Item *again = findText(document, 0, QStringLiteral("BRUNA (*)"));
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->font.underline);
    const Item *own = findText(document, 0, QStringLiteral("BRUNA"));
    ASSERT_TRUE(own);
    EXPECT_FALSE(own->font.underline);
    EXPECT_GT(own->rect.y(), again->rect.y());
    EXPECT_FALSE(findText(document, 0, QStringLiteral("CAIO")));
    EXPECT_FALSE(findText(document, 0, QStringLiteral("DORA"))); // dropped out
    EXPECT_TRUE(findText(document, 0, QStringLiteral("(*) Regime de Dependência")));
}

TEST_F(ClassListsTest, RunningNumberStartsAgainAtEveryClass)
{
    const Document document = print(ClassList::Students);
    QStringList numbers;
    for (const QString &text : document.texts(0)) {
        if (text.endsWith(u'.') && text.size() <= 3)
            numbers << text;
    }
    // 1G4A: BRUNA; 1G5A: ALICE, BRUNA.
    EXPECT_EQ(numbers, (QStringList{"1.", "1.", "2."}));
    const Item *alice = findText(document, 0, QStringLiteral("ALICE"));
    const Item *bruna = findText(document, 0, QStringLiteral("BRUNA"));
    ASSERT_TRUE(alice && bruna);
    EXPECT_LT(alice->rect.y(), bruna->rect.y());
}

TEST_F(ClassListsTest, AttendanceSheetListsTheClassWithSignatureAndMarkColumns)
{
    const Document document = print(ClassList::Attendance);
    ASSERT_EQ(document.pageCount(), 1);
    for (const char *text : {"ATA DE PRESENÇA - DATA:_____/_____/____", "DISCIPLINA:____________________________",
                             "Assinatura", "Nota", "ALICE", "BRUNA"})
        EXPECT_TRUE(findText(document, 0, QString::fromUtf8(text))) << text;
    EXPECT_EQ(textsStarting(document, 0, QStringLiteral("TURMA: ")), QStringList{"TURMA: 1G5A - 5º ANO A"});
    EXPECT_FALSE(findText(document, 0, QStringLiteral("BRUNA (*)")));
}

TEST_F(ClassListsTest, IsolatedSubjectsListStudentsOfOtherClassesWithTheirOwnClass)
{
    const Document document = print(ClassList::Isolated);
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("ALUNOS COM DISCIPLINAS ISOLADAS")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("CAIO (*)")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("MATEMÁTICA")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("1G4A - 4º ANO A")));
    EXPECT_FALSE(findText(document, 0, QStringLiteral("ALICE")));

    const Document other = print(ClassList::Isolated, QStringLiteral("1G4A"));
    EXPECT_TRUE(findText(other, 0, QStringLiteral("BRUNA (*)")));
    EXPECT_TRUE(findText(other, 0, QStringLiteral("1G5A - 5º ANO A")));
}

TEST_F(ClassListsTest, AClassMustBeChosen)
{
    EXPECT_THROW(print(ClassList::Students, QString()), ReportParamError);
    EXPECT_TRUE(textsStarting(print(ClassList::Students, QStringLiteral("1G9A")), 0, QStringLiteral("TURMA:")).isEmpty());
}

} // namespace
