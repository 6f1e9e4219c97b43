// The monthly-fee and other-charge generators on a stored school: due dates, who is charged,
// discounts, the overdue carry-over, the questions, the skip rules, the release of open rows and
// a run interrupted part-way.
#include "billing/generators/ChargeGenerators.h"
#include "billing/BillingSchool.h"
#include "support/ChildProcess.h"
#include "support/RecordingReporter.h"
#include "support/RefusingTrigger.h"
#include "support/ScriptedDialogs.h"

using namespace billing;

namespace {

class Generators : public BillingSchool
{
protected:
    GeneratorContext context() const { return {QStringLiteral("2007"), 0.03, 10, QDate(2007, 3, 20)}; }

    core::RunOutcome fees(const MonthlyFeeRequest &request)
    {
        m_reporter = RecordingReporter();
        return generateMonthlyFees(*m_charges, request, context(), m_reporter);
    }

    static MonthlyFeeRequest month(int m)
    {
        MonthlyFeeRequest r;
        r.month = m;
        return r;
    }

    QStringList dueDates() const
    {
        QStringList dates;
        data::Table t(m_db, QStringLiteral("Ccorrent.DB"));
        t.open();
        for (t.first(); !t.eof(); t.next())
            dates << QStringLiteral("%1:%2").arg(t.asInteger("Matricula")).arg(t.displayText("ParcelaData"));
        return dates;
    }

    ScriptedDialogs::Guard m_dialogs;
    RecordingReporter m_reporter;
};

} // namespace

TEST_F(Generators, FebruaryAndShortMonthsKeepTheDueDateInTheMonth)
{
    EXPECT_EQ(defaultDueDate(30, 2, 2007), QDate(2007, 2, 28));
    EXPECT_EQ(defaultDueDate(26, 2, 2008), QDate(2008, 2, 28));
    EXPECT_EQ(defaultDueDate(25, 2, 2007), QDate(2007, 2, 25));
    EXPECT_EQ(defaultDueDate(31, 4, 2007), QDate(2007, 4, 30));

    // Carla's own day is 30: 28/02 in February.
    EXPECT_EQ(fees(month(2)), core::RunOutcome::Completed);
    EXPECT_EQ(dueDates(), (QStringList{QStringLiteral("1:10/02/2007"), QStringLiteral("2:05/02/2007"),
                                       QStringLiteral("3:28/02/2007"), QStringLiteral("7:10/02/2007")}));
}

TEST_F(Generators, MonthlyRowsCarryFeeDiscountsKindAndOwner)
{
    MonthlyFeeRequest r = month(3);
    r.discount = QStringLiteral("5,0");
    r.discountPercent = true;
    ASSERT_EQ(fees(r), core::RunOutcome::Completed);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kCompletedMessage});

    data::Table t(m_db, QStringLiteral("Ccorrent.DB"));
    t.open();
    ASSERT_TRUE(t.locate(QStringLiteral("Matricula"), {2.0}));
    EXPECT_EQ(t.asText("Tipo"), QStringLiteral("N"));
    EXPECT_EQ(t.asInteger("ParcelaNum"), 3);
    EXPECT_EQ(t.displayText("ParcelaValor"), QStringLiteral("300,00"));
    EXPECT_EQ(t.displayText("DescontoFixo"), QStringLiteral("30,00"));    // 10 %
    EXPECT_EQ(t.displayText("DescontoEventual"), QStringLiteral("15,00")); // 5 % for all
    EXPECT_EQ(t.asText("NOME"), QStringLiteral("BRUNO D'ÁVILA"));
    EXPECT_EQ(t.asText("TURMA"), QStringLiteral("1G1A"));
    EXPECT_EQ(t.asText("USUARIO"), QStringLiteral("TESOURARIA"));
    EXPECT_EQ(t.asText("STATUS2"), QStringLiteral("0")); // released at the end of the run
    ASSERT_TRUE(t.locate(QStringLiteral("Matricula"), {3.0}));
    EXPECT_EQ(t.displayText("ParcelaValor"), QStringLiteral("412,50"));
    EXPECT_EQ(t.displayText("DescontoFixo"), QStringLiteral("25,50"));     // an amount
    EXPECT_EQ(t.displayText("DescontoEventual"), QStringLiteral("20,63")); // 5 % of 412,50
}

TEST_F(Generators, LeaversScholarsAndUnknownClassesAreNeverCharged)
{
    MonthlyFeeRequest r = month(1);
    r.students.kind = StudentSelection::Kind::List;
    r.students.numbers = {4, 5, 6, 1};
    ASSERT_EQ(fees(r), core::RunOutcome::Completed);
    EXPECT_EQ(dueDates(), QStringList{QStringLiteral("1:10/01/2007")});
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kCompletedMessage}); // no word on the missing class

    r.students.kind = StudentSelection::Kind::Class;
    r.students.classCode = QStringLiteral("2G1A");
    r.month = 2;
    ASSERT_EQ(fees(r), core::RunOutcome::Completed);
    EXPECT_EQ(count(QStringLiteral("ParcelaNum = 2")), 2);
}

TEST_F(Generators, StudentsWithoutADueDayGetTheSchoolsDay)
{
    fees(month(1));
    EXPECT_EQ(m_db.scalar(QStringLiteral("select VENCIMENTO from ALUNOS where MATRICULA = 7")).toString(),
              QStringLiteral("10"));
}

TEST_F(Generators, DueDateOptions)
{
    MonthlyFeeRequest r = month(5);
    r.dueDay = 15;
    r.otherDueDates = false;
    r.ignoreRegisterDate = true; // everybody on the typed day
    fees(r);
    EXPECT_EQ(count(QStringLiteral("ParcelaData = '2007-05-15'")), 4);

    m_db.exec(QStringLiteral("delete from CCORRENT"));
    r.ignoreRegisterDate = false; // neither option: only those whose day is the typed one
    r.dueDay = 10;
    fees(r);
    EXPECT_EQ(dueDates(), (QStringList{QStringLiteral("1:10/05/2007"), QStringLiteral("7:10/05/2007")}));
}

TEST_F(Generators, AMonthWithFeesIsRedoneOnlyWhenAskedYes)
{
    fees(month(4));
    const int first = count();

    m_dialogs->answer(core::Button::No);
    fees(month(4));
    EXPECT_EQ(count(), first);
    ASSERT_FALSE(m_dialogs->shown().isEmpty());
    EXPECT_EQ(m_dialogs->shown().last().text,
              QStringLiteral("Já há mensalidades lançadas para o mês abril. Deseja Refazer para este mês?"));
    EXPECT_EQ(m_dialogs->shown().last().caption, QStringLiteral("Atenção"));

    m_dialogs->answer(core::Button::Yes);
    fees(month(4));
    EXPECT_EQ(count(), 2 * first);
}

TEST_F(Generators, MalformedFineAsksBeforeUsingTheStandardOne)
{
    addCharge(1, QStringLiteral("N"), 1, QDate(2007, 3, 10), 100); // 10 days late on 20/03
    MonthlyFeeRequest r = month(4);
    r.fine = QStringLiteral("dois");
    r.overdue = true;
    r.students.kind = StudentSelection::Kind::List;
    r.students.numbers = {1};

    m_dialogs->answer(core::Button::No);
    EXPECT_EQ(fees(r), core::RunOutcome::Cancelled);
    EXPECT_EQ(m_dialogs->shown().last().text, kFineQuestion);
    EXPECT_EQ(count(), 1);

    m_dialogs->answer(core::Button::Yes);
    ASSERT_EQ(fees(r), core::RunOutcome::Completed);
    // 100 x 1,02 + 100 x 10 days x 0,03 % = 102,30 carried into April.
    EXPECT_EQ(m_db.scalar(QStringLiteral("select Acrescimos from CCORRENT where ParcelaNum = 4")).toDouble(), 102.3);
}

TEST_F(Generators, OpenRowsAreReleasedAtTheEnd)
{
    addCharge(1, QStringLiteral("N"), 1, QDate(2007, 1, 10), 100, QVariant(), QStringLiteral("2"));
    addCharge(1, QStringLiteral("N"), 2, QDate(2007, 2, 10), 100, QDate(2007, 2, 9), QStringLiteral("2"));
    fees(month(6));
    EXPECT_EQ(count(QStringLiteral("STATUS2 = '2'")), 1);
    EXPECT_EQ(count(QStringLiteral("STATUS2 = '2' and PgtoData is not null")), 1);

    // A release the table refuses: the month's rows stay, still held, and the closing message says so.
    refuseWrites(m_db, QStringLiteral("sem_liberar"), QStringLiteral("update of STATUS2"), QStringLiteral("CCORRENT"), {},
                 QStringLiteral("recusado"));
    fees(month(8));
    const int charged = count(QStringLiteral("ParcelaNum = 6"));
    EXPECT_EQ(count(QStringLiteral("ParcelaNum = 8")), charged);
    EXPECT_EQ(count(QStringLiteral("ParcelaNum = 8 and STATUS2 <> '0'")), charged);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kReleaseFailedMessage});
}

TEST_F(Generators, AnInterruptedRunLeavesTheChargeTableAsBefore)
{
    addCharge(2, QStringLiteral("0"), 1, QDate(2007, 1, 15), 50, QVariant(), QStringLiteral("2"));
    const QStringList before = dueDates();
    const QVariant statusBefore = m_db.scalar(QStringLiteral("select STATUS2 from CCORRENT"));

    m_reporter = RecordingReporter();
    m_reporter.cancelAtStep(30); // in June, five students a month
    EXPECT_EQ(generateMonthlyFees(*m_charges, MonthlyFeeRequest(), context(), m_reporter),
              core::RunOutcome::Cancelled);
    EXPECT_EQ(dueDates(), before);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList());
    EXPECT_EQ(m_charges->recordCount(), 1);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select VENCIMENTO from ALUNOS where MATRICULA = 7")).toString(), QString());
    Q_UNUSED(statusBefore);
}

TEST_F(Generators, FailedRowIsSkippedWithItsMessageAndTheRunGoesOn)
{
    m_charges->events.beforePost = [](data::Dataset &row) {
        if (row.asFloat("Matricula") == 2.0)
            throw data::StoreError(QStringLiteral("gravação recusada"));
    };
    m_reporter = RecordingReporter();
    EXPECT_EQ(generateMonthlyFees(*m_charges, month(7), context(), m_reporter), core::RunOutcome::Completed);
    EXPECT_EQ(m_reporter.noteTexts(),
              (QStringList{QStringLiteral("Erro ao gravar o registro para o aluno BRUNO D'ÁVILA\rpara a data 10/07/2007"),
                           kCompletedMessage}));
    EXPECT_EQ(count(), 3);
}

TEST_F(Generators, OtherChargesNumberEachStudentsRowsAndDescribeThem)
{
    addCharge(1, QStringLiteral("N"), 12, QDate(2007, 12, 10), 300);
    OtherChargeRequest r;
    r.due = QDate(2007, 8, 1);
    r.kindEntry = QStringLiteral("4-Viagem");
    r.value = QStringLiteral("1.250,00");
    r.description = QStringLiteral("Porto Seguro");
    r.discount = QStringLiteral("50");
    r.students.kind = StudentSelection::Kind::Class;
    r.students.classCode = QStringLiteral("1G1A");
    ASSERT_EQ(generateOtherCharges(*m_charges, r, m_reporter), core::RunOutcome::Completed);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kCompletedMessage});
    EXPECT_EQ(count(QStringLiteral("Tipo = '4'")), 2);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select ParcelaNum from CCORRENT where Tipo = '4' and Matricula = 1")).toInt(), 13);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select ParcelaNum from CCORRENT where Tipo = '4' and Matricula = 2")).toInt(), 1);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select Observacao from CCORRENT where Matricula = 2")).toString(),
              QStringLiteral("4-Viagem Porto Seguro"));
    EXPECT_EQ(m_db.scalar(QStringLiteral("select DescontoEventual from CCORRENT where Matricula = 2")).toDouble(), 50.0);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select Acrescimos from CCORRENT where Matricula = 2")).toDouble(), 0.0);

    r.value = QStringLiteral("12O");
    RecordingReporter refused;
    EXPECT_EQ(generateOtherCharges(*m_charges, r, refused), core::RunOutcome::Failed);
    EXPECT_EQ(count(QStringLiteral("Tipo = '4'")), 2);
}

// The other desk of the race below: a teacher's marks typed one by one into the grade table.
TEST(GeneratorsChild, Run)
{
    const QStringList task = childprocess::task();
    if (task.size() != 1)
        GTEST_SKIP() << "runs only as the second workstation of the race";
    try {
        const data::Database db = data::Database::open(task[0]);
        for (int m = 1; m <= 400; ++m)
            db.exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma, Nome) values (:m, '01', '1G1A', 'ALUNO')"),
                    {{QStringLiteral("m"), 1000 + m}});
        for (int m = 1; m <= 400; ++m)
            db.exec(QStringLiteral("update NOTAS set UND1 = :v where MATRICULA = :m and DISC = '01'"),
                    {{QStringLiteral("v"), 7.5}, {QStringLiteral("m"), 1000 + m}});
    } catch (const data::StoreError &) {
        _exit(20);
    }
    _exit(10);
}

TEST_F(Generators, AYearOfFeesRacingMarksTypedOnAnotherDeskLosesAndRepeatsNothing)
{
    if (!m_db.isServerYear())
        GTEST_SKIP() << "a shared file takes one writer at a time; this is the server's case";
    const pid_t other = childprocess::start("GeneratorsChild.Run", {m_db.directory()});
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(fees(month(m)), core::RunOutcome::Completed) << m;
    EXPECT_EQ(childprocess::wait(other), 10);
    // Four students are charged each month, once.
    EXPECT_EQ(count(QStringLiteral("Tipo = 'N'")), 48);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from (select distinct Matricula, ParcelaNum from CCORRENT "
                                         "where Tipo = 'N') as d")).toInt(),
              48);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from NOTAS where UND1 = 7.5")).toInt(), 400);
}
