#include "LetterSchool.h"

#include "reports/records/IndividualRecord.h"

#include "core/Clock.h"
#include "core/Formats.h"
#include "support/QStringPrinting.h"

using namespace reports;

namespace {

class IndividualRecordTest : public LetterSchool
{
protected:
    void SetUp() override
    {
        LetterSchool::SetUp();
        m_db.exec(QStringLiteral("update Discturm set CHORA = 80 where SERIE = '1G5' and CODIGO = 'PO'"));
        addPerson(1, QStringLiteral("ANA"), QStringLiteral("1G5A"), QDate(2015, 3, 20));
        setColumn(1, QStringLiteral("NOME_PAI"), QStringLiteral("JOSÉ"));
        setColumn(1, QStringLiteral("NOME_MAE"), QStringLiteral("MARIA"));
    }

    // Every subject, whatever its place in the final minutes.
    static RecordChoice everySubject()
    {
        RecordChoice choice;
        choice.consolidated = false;
        return choice;
    }

    Document print(const RecordChoice &choice) { return individualRecord(m_db, m_school, choice); }
};

TEST_F(IndividualRecordTest, FourUnitLayoutPrintsTheUnitsTheYearAndTheWorkload)
{
    addMarks(1, QStringLiteral("PO"), QStringLiteral("1G5A"),
             {{"UND1", 8}, {"UND2", 7.5}, {"UND3", 9}, {"UND4", 8}, {"MD_ANUAL", 8.1}, {"MD_FINAL", 8.1}});
    addMarks(1, QStringLiteral("AR"), QStringLiteral("1G5A"), {{"UND1", 9}});
    const Document document = print(everySubject());
    ASSERT_EQ(document.pageCount(), 1);
    for (const char *caption : {"Unid 1", "Unid 4", "Média", "P.Final", "Md.Final", "C.Hor", "FICHA INDIVIDUAL",
                                "JOSÉ", "MARIA", "20/03/2015", "RUA ANA - BROTAS - SALVADOR"})
        EXPECT_TRUE(findText(document, 0, QString::fromUtf8(caption))) << caption;
    EXPECT_FALSE(findText(document, 0, QStringLiteral("Recup.Final")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("7,5")));
    // PO has a workload in the grade; AR has none.
    EXPECT_TRUE(findText(document, 0, QStringLiteral("80")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("---")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("SALVADOR, ") + core::longDate(core::today())));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("Responsável pela Informação")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("Diretor")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("** Disciplina Consolidada")));
}

TEST_F(IndividualRecordTest, TwoUnitLayoutHasTheFinalRecoveryColumns)
{
    setting(QStringLiteral("UNID_AVAL"), 2);
    addMarks(1, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"UND1", 8}, {"UND2", 7}, {"RECUP", 6.5}});
    const Document document = print(everySubject());
    for (const char *caption : {"Unid 1", "Unid 2", "Recup.Final", "Md.Recup.Final", "C.Hor"})
        EXPECT_TRUE(findText(document, 0, QString::fromUtf8(caption))) << caption;
    EXPECT_FALSE(findText(document, 0, QStringLiteral("Unid 3")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("* 6,5 *"))); // below the unit pass mark

    // A recovery of 0 was not taken: a dash, not a failed mark.
    m_db.exec(QStringLiteral("update NOTAS set RECUP = 0"));
    const Document notTaken = print(everySubject());
    EXPECT_FALSE(findText(notTaken, 0, QStringLiteral("* 0,0 *")));
    EXPECT_TRUE(findText(notTaken, 0, QStringLiteral("--")));
}

TEST_F(IndividualRecordTest, ResultLineCountsFailedSubjectsAgainstTheDependencyLimit)
{
    setting(QStringLiteral("LIMITE_DEP"), 1);
    addPerson(2, QStringLiteral("BETO"), QStringLiteral("1G5A"), QDate(2015, 1, 1));
    m_db.exec(QStringLiteral("update ALUNOS set SEXO = 'M' where MATRICULA = 2"));
    addPerson(3, QStringLiteral("CAIO"), QStringLiteral("1G5A"), QDate(2015, 1, 1), QStringLiteral("T"));
    m_db.exec(QStringLiteral("update ALUNOS set SEXO = 'M' where MATRICULA = 3"));
    // ANA fails one subject: within the limit. BETO fails two. CAIO passes and was transferred.
    addMarks(1, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"UND1", 3}, {"MD_FINAL", 4}, {"PFINAL", 4}});
    addMarks(1, QStringLiteral("MA"), QStringLiteral("1G5A"), {{"UND1", 8}, {"MD_FINAL", 8}});
    addMarks(2, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"UND1", 3}, {"MD_FINAL", 4}, {"PFINAL", 4}});
    addMarks(2, QStringLiteral("MA"), QStringLiteral("1G5A"), {{"UND1", 3}, {"MD_FINAL", 4}, {"PFINAL", 4}});
    addMarks(3, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"UND1", 8}, {"MD_FINAL", 8}});
    const Document document = print(everySubject());
    ASSERT_EQ(document.pageCount(), 3);
    EXPECT_EQ(textsStarting(document, 0, QStringLiteral("Resultado Final")),
              QStringList{QStringLiteral("Resultado Final: (DEPENDÊNCIA) APROVADA")});
    EXPECT_EQ(textsStarting(document, 1, QStringLiteral("Resultado Final")),
              QStringList{QStringLiteral("Resultado Final: REPROVADO")});
    // The count starts again for every student.
    EXPECT_EQ(textsStarting(document, 2, QStringLiteral("Resultado Final")),
              QStringList{QStringLiteral("Resultado Final: APROVADO TRANSFERÊNCIA EM: 10/05/2026 - MUDOU DE CIDADE")});
}

TEST_F(IndividualRecordTest, NoMarksOptionSkipsSubjectsWithoutUnitMarks)
{
    addMarks(1, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"UND4", 7}});
    addMarks(1, QStringLiteral("AR"), QStringLiteral("1G5A"), {{"MD_FINAL", 9}});
    RecordChoice choice = everySubject();
    EXPECT_TRUE(findText(print(choice), 0, QStringLiteral("ARTES")));
    choice.skipEmptySubjects = true;
    const Document skipped = print(choice);
    EXPECT_TRUE(findText(skipped, 0, QStringLiteral("PORTUGUÊS")));
    EXPECT_FALSE(findText(skipped, 0, QStringLiteral("ARTES")));

    // The two-unit layout looks at its two units only.
    setting(QStringLiteral("UNID_AVAL"), 2);
    EXPECT_FALSE(findText(print(choice), 0, QStringLiteral("PORTUGUÊS")));
}

TEST_F(IndividualRecordTest, SubjectCellMarksConsolidatedAndDependencySubjects)
{
    addMarks(1, QStringLiteral("MA"), QStringLiteral("1G5A"), {{"UND1", 8}});
    addMarks(1, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"UND1", 8}});
    addMarks(1, QStringLiteral("PO"), QStringLiteral("1G4A"), {{"UND1", 6}});
    const Document all = print(everySubject());
    ASSERT_EQ(all.pageCount(), 1); // the dependency row belongs to the student's page
    EXPECT_TRUE(findText(all, 0, QStringLiteral("MATEMÁTICA **")));
    EXPECT_TRUE(findText(all, 0, QStringLiteral("PORTUGUÊS(Dep.)")));
    EXPECT_TRUE(findText(all, 0, QStringLiteral("PORTUGUÊS")));

    // With the consolidated option only the subjects of the final minutes print.
    const Document consolidated = print(RecordChoice{});
    EXPECT_TRUE(findText(consolidated, 0, QStringLiteral("MATEMÁTICA **")));
    EXPECT_FALSE(findText(consolidated, 0, QStringLiteral("PORTUGUÊS")));
}

TEST_F(IndividualRecordTest, ScopeTakesAClassOrAStudentAsBoundValues)
{
    addPerson(2, QStringLiteral("BIA"), QStringLiteral("1G4A"), QDate(2016, 1, 1));
    addMarks(1, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"UND1", 8}});
    addMarks(2, QStringLiteral("PO"), QStringLiteral("1G4A"), {{"UND1", 8}});
    RecordChoice choice = everySubject();
    EXPECT_EQ(print(choice).pageCount(), 2);
    choice.classCode = QStringLiteral("1G4A");
    const Document oneClass = print(choice);
    ASSERT_EQ(oneClass.pageCount(), 1);
    EXPECT_TRUE(findText(oneClass, 0, QStringLiteral("BIA")));
    choice.classCode = QStringLiteral("X' or '1'='1");
    EXPECT_FALSE(recordStatement(choice, true).sql.contains(QStringLiteral("'1'='1")));
    EXPECT_TRUE(textsStarting(print(choice), 0, QStringLiteral("Resultado Final")).isEmpty());
    choice.classCode.clear();
    choice.student = 1;
    const Document oneStudent = print(choice);
    ASSERT_EQ(oneStudent.pageCount(), 1);
    EXPECT_TRUE(findText(oneStudent, 0, QStringLiteral("ANA")));
}

TEST_F(IndividualRecordTest, ClassListOffersClassesWithMarksFirst)
{
    EXPECT_EQ(recordClassEntries(m_db).size(), 3); // no marks yet: every class
    addMarks(1, QStringLiteral("PO"), QStringLiteral("1G5A"), {{"UND1", 8}});
    const QList<ParamChoice> entries = recordClassEntries(m_db);
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries.at(0).value, QStringLiteral("1G5A"));
}

} // namespace
