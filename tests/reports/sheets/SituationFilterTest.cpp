#include "CardSchool.h"

#include "reports/sheets/SituationFilter.h"

#include "data/store/Query.h"
#include "support/QStringPrinting.h"

using namespace reports;

namespace {

class SituationFilterTest : public CardSchool
{
protected:
    void SetUp() override
    {
        CardSchool::SetUp();
        student(1, "ANA", "1G5A", QVariant(), 0, "");
        student(2, "BIA", "1G5A", "D", 0, "");
        student(3, "CAIO", "1G4A", "T", 0, "");
        student(4, "DAVI", "1G5A", "", 30, "%");
        student(5, "EVA", "1G4A", "B", 0, "");
        student(6, "FABIO", "1G5A", "", 100, "%");
        student(7, "GIL", "1G4A", "X", 0, "");
    }

    void student(qint64 matricula, const char *name, const char *turma, const QVariant &sit, double abat,
                 const char *imp)
    {
        m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, SIT, ABAT, IMP) "
                                 "values (:m, :n, :t, :s, :a, :i)"),
                  {{"m", double(matricula)}, {"n", name}, {"t", turma}, {"s", sit}, {"a", abat}, {"i", imp}});
    }

    QStringList names(SituationChoice choice, const QString &typed = QString(), const QString &turma = QString())
    {
        const StudentFilter filter = studentFilter(choice, typed, turma);
        data::Query query(m_db);
        query.setSql(QStringLiteral("select NOME from ALUNOS where ") + filter.condition +
                     QStringLiteral(" order by NOME"));
        for (auto it = filter.params.constBegin(); it != filter.params.constEnd(); ++it)
            query.bind(it.key(), it.value());
        query.open();
        QStringList result;
        for (query.first(); !query.eof(); query.next())
            result << query.value(QStringLiteral("NOME")).toString();
        return result;
    }
};

TEST_F(SituationFilterTest, EachSituationTakesItsStudents)
{
    EXPECT_EQ(names(SituationChoice::Active), (QStringList{"ANA", "DAVI", "EVA", "FABIO", "GIL"}));
    EXPECT_EQ(names(SituationChoice::All).size(), 7);
    EXPECT_EQ(names(SituationChoice::DroppedOut), QStringList{"BIA"});
    EXPECT_EQ(names(SituationChoice::Transferred), QStringList{"CAIO"});
    EXPECT_EQ(names(SituationChoice::Discount), (QStringList{"DAVI", "FABIO"}));
    EXPECT_EQ(names(SituationChoice::Scholarship), (QStringList{"EVA", "FABIO"}));
    EXPECT_EQ(names(SituationChoice::Equal, QStringLiteral("X")), QStringList{"GIL"});
    EXPECT_EQ(situationCaptions().size(), 7);
}

TEST_F(SituationFilterTest, OneClassHoldsForEverySideOfTheCondition)
{
    // EVA holds a scholarship in 1G4A: she must not turn up in the list of 1G5A.
    EXPECT_EQ(names(SituationChoice::Scholarship, QString(), QStringLiteral("1G5A")), QStringList{"FABIO"});
    EXPECT_EQ(names(SituationChoice::Active, QString(), QStringLiteral("1G4A")), (QStringList{"EVA", "GIL"}));
}

TEST_F(SituationFilterTest, TheTypedCodeIsAValueNotPartOfTheStatement)
{
    EXPECT_TRUE(names(SituationChoice::Equal, QStringLiteral("X' OR '1'='1")).isEmpty());
    EXPECT_EQ(names(SituationChoice::Equal, QStringLiteral(" D ")), QStringList{"BIA"});
}

} // namespace
