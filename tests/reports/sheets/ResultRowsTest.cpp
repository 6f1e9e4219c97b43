#include "CardSchool.h"

#include "reports/sheets/ResultSheet.h"

#include "support/QStringPrinting.h"

using namespace reports;

namespace {

// 1G5A with PO, MA and AR (MA alone flagged for the minutes) and 1G4A; Uni_Media 7, Ger_Media 6.
class ResultRowsTest : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        setting(QStringLiteral("UNI_MEDIA"), 7);
        setting(QStringLiteral("GER_MEDIA"), 6);
    }

    void addYear(qint64 matricula, const QString &disc, double average, double final,
                 const QString &turma = QStringLiteral("1G5A"))
    {
        addMarks(matricula, disc, turma, {{"MD_ANUAL", average}, {"MD_FINAL", final}});
    }

    void addUnit(int unit, qint64 matricula, const QString &disc, double average, double final)
    {
        m_db.exec(QStringLiteral("insert into NotasUni%1 (TURMA, MATRICULA, DISC, UNIDADE, MEDIA, MD_FINAL) "
                                 "values ('1G5A', :m, :d, :u, :media, :final)")
                      .arg(unit),
                  {{"m", double(matricula)},
                   {"d", disc},
                   {"u", QString::number(unit)},
                   {"media", average},
                   {"final", final}});
    }

    // "name/subject" of each row of the outcome.
    QStringList listed(ResultType type, AtaUnit unit, const QString &classCode = QString(),
                       const QString &subject = QString(), bool onlyConsolidated = false)
    {
        QStringList names;
        for (const ResultRow &row :
             readResultRows(m_db, {type, unit, classCode, subject, onlyConsolidated}, 7, 6))
            names << row.name + QLatin1Char('/') + row.subject;
        return names;
    }
};

TEST_F(ResultRowsTest, YearOutcomesCompareTheYearAverageWithTheUnitMarkAndTheFinalOneWithTheYearMark)
{
    addStudent(1, QStringLiteral("ANA"), QStringLiteral("1G5A"), QStringLiteral("F"));
    addYear(1, QStringLiteral("PO"), 7.0, 7.0);  // exactly the unit pass mark: approved
    addYear(1, QStringLiteral("MA"), 5.0, 6.0);  // final exam reaches the year mark
    addYear(1, QStringLiteral("AR"), 6.9, 5.9);  // still below after it
    for (AtaUnit unit : {AtaUnit::Year, AtaUnit::Final}) {
        EXPECT_EQ(listed(ResultType::ApprovedByAverage, unit), QStringList{"ANA/PO"});
        EXPECT_EQ(listed(ResultType::Recovery, unit), (QStringList{"ANA/AR", "ANA/MA"}));
        EXPECT_EQ(listed(ResultType::ApprovedAfterRecovery, unit), QStringList{"ANA/MA"});
        EXPECT_EQ(listed(ResultType::BelowAfterRecovery, unit), QStringList{"ANA/AR"});
    }
}

TEST_F(ResultRowsTest, UnitOutcomesReadTheUnitTableWithTheUnitMarkOnBothSides)
{
    addStudent(1, QStringLiteral("ANA"), QStringLiteral("1G5A"), QStringLiteral("F"));
    addUnit(2, 1, QStringLiteral("PO"), 5.0, 7.0); // recovery reaches the unit mark
    addUnit(2, 1, QStringLiteral("MA"), 5.0, 6.5); // 6.5 passes the year mark but not the unit one
    addUnit(2, 1, QStringLiteral("AR"), 8.0, 8.0);
    addYear(1, QStringLiteral("PO"), 9, 9); // the year's marks play no part in a unit's lists
    EXPECT_EQ(listed(ResultType::ApprovedAfterRecovery, AtaUnit::Unit2), QStringList{"ANA/PO"});
    EXPECT_EQ(listed(ResultType::BelowAfterRecovery, AtaUnit::Unit2), QStringList{"ANA/MA"});
    EXPECT_EQ(listed(ResultType::ApprovedByAverage, AtaUnit::Unit2), QStringList{"ANA/AR"});
    EXPECT_TRUE(listed(ResultType::Recovery, AtaUnit::Unit1).isEmpty());
}

TEST_F(ResultRowsTest, LeaversAreListedNowhereAndAnEmptySituationStays)
{
    addStudent(1, QStringLiteral("ANA"), QStringLiteral("1G5A"), QStringLiteral("F"));
    addStudent(2, QStringLiteral("BIA"), QStringLiteral("1G5A"), QStringLiteral("F"), QStringLiteral("T"));
    addStudent(3, QStringLiteral("CAIO"), QStringLiteral("1G5A"), QStringLiteral("M"), QStringLiteral("D"));
    m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (4, 'DAVI', '1G5A')")); // SIT null
    for (qint64 m : {1, 2, 3, 4})
        addYear(m, QStringLiteral("PO"), 8, 8);
    EXPECT_EQ(listed(ResultType::ApprovedByAverage, AtaUnit::Year), (QStringList{"ANA/PO", "DAVI/PO"}));
}

TEST_F(ResultRowsTest, ClassSubjectAndConsolidatedChoicesNarrowTheRowsInClassSubjectNameOrder)
{
    addStudent(1, QStringLiteral("BRUNO"), QStringLiteral("1G5A"), QStringLiteral("M"));
    addStudent(2, QStringLiteral("ANA"), QStringLiteral("1G5A"), QStringLiteral("F"));
    addStudent(3, QStringLiteral("CAIO"), QStringLiteral("1G4A"), QStringLiteral("M"));
    for (qint64 m : {1, 2}) {
        addYear(m, QStringLiteral("PO"), 8, 8);
        addYear(m, QStringLiteral("MA"), 8, 8);
    }
    addYear(3, QStringLiteral("PO"), 8, 8, QStringLiteral("1G4A"));
    EXPECT_EQ(listed(ResultType::ApprovedByAverage, AtaUnit::Year),
              (QStringList{"CAIO/PO", "ANA/MA", "BRUNO/MA", "ANA/PO", "BRUNO/PO"}));
    EXPECT_EQ(listed(ResultType::ApprovedByAverage, AtaUnit::Year, QStringLiteral("1G5A"), QStringLiteral("PO")),
              (QStringList{"ANA/PO", "BRUNO/PO"}));
    EXPECT_EQ(listed(ResultType::ApprovedByAverage, AtaUnit::Year, QString(), QString(), true),
              (QStringList{"ANA/MA", "BRUNO/MA"}));
    // A typed code is a value, never part of the statement.
    EXPECT_TRUE(listed(ResultType::ApprovedByAverage, AtaUnit::Year, QStringLiteral("1' or '1'='1")).isEmpty());
}

// Namesakes of one class and subject: in the order of their numbers on every engine, not in the
// order the rows happen to be kept.
TEST_F(ResultRowsTest, NamesakesComeInTheOrderOfTheirNumbers)
{
    for (qint64 m : {9, 7, 8}) {
        addStudent(m, QStringLiteral("ANA"), QStringLiteral("1G5A"), QStringLiteral("F"));
        addYear(m, QStringLiteral("PO"), 8, 8);
    }
    QList<qint64> numbers;
    for (const ResultRow &row : readResultRows(m_db, {ResultType::ApprovedByAverage, AtaUnit::Year, {}, {}, false}, 7, 6))
        numbers << row.matricula;
    EXPECT_EQ(numbers, (QList<qint64>{7, 8, 9}));
}

} // namespace
