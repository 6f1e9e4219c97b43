#include "core/Clock.h"
#include "data/modules/ModuleFixture.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/store/ExternalTable.h"
#include "data/store/ServerAddress.h"
#include "data/store/Transaction.h"
#include "students/import/StudentImport.h"
#include "support/ChildProcess.h"
#include "support/RecordingReporter.h"
#include "support/TableHolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <shapefil.h>
#include <unistd.h>

using namespace students;

namespace {

// The store failing under the run at the fourth row (a full disk, a lost network).
class FailingReporter : public RecordingReporter
{
public:
    void step(int done, const QString &text) override
    {
        RecordingReporter::step(done, text);
        if (done == 4)
            throw data::StoreError(QStringLiteral("disco cheio"));
    }
};

// Notes whether the store was inside a transaction at each message: a box shown then would keep
// the whole year locked while it waits for the person.
class LockWatchingReporter : public RecordingReporter
{
public:
    explicit LockWatchingReporter(const data::Database &db) : m_db(db) {}
    void note(core::Severity severity, const QString &text, const QString &caption) override
    {
        RecordingReporter::note(severity, text, caption);
        m_notesInTransaction += m_db.inTransaction() ? 1 : 0;
    }
    int notesInTransaction() const { return m_notesInTransaction; }

private:
    data::Database m_db;
    int m_notesInTransaction = 0;
};

const QString kClearedLines[] = {
    QStringLiteral("Tabela de Carnês - Limpa - OK"),     QStringLiteral("Tabela de Notas - Limpa - OK"),
    QStringLiteral("Tabela de Unidae 1 - Limpa - OK"),   QStringLiteral("Tabela de Unidade 2 - Limpa - OK"),
    QStringLiteral("Tabela de Unidade 3 - Limpa - OK"),  QStringLiteral("Tabela de Unidade 4 - Limpa - OK"),
    QStringLiteral("Movimento Financeiro - OK")};

// Last year's register in a folder of its own, and a new year that already has a register,
// grades, charges and financial movement.
class StudentImport : public ModuleFixture
{
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        core::pinClock(QDateTime(QDate(2010, 1, 15), QTime(9, 0)));
        {
            const data::Database lastYear = data::createSchoolYear(m_lastYear.path(), QStringLiteral("2009"));
            data::Transaction fill(lastYear);
            const QList<std::pair<int, const char *>> students{
                {1, "1G1AM"}, {2, "1G8M"}, {3, "1G9T"}, {4, "2G3N"}, {5, "JD2A"}, {6, "MAT01"}};
            for (const auto &[number, schoolClass] : students)
                lastYear.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, CPF_PAI, DATANASC, MARCADO) "
                                             "values (:m, :n, :t, '123.456.789-00', '2001-02-03', 1)"),
                              {{QStringLiteral("m"), number},
                               {QStringLiteral("n"), QStringLiteral("ALUNO %1").arg(number)},
                               {QStringLiteral("t"), QString::fromLatin1(schoolClass)}});
            fill.commit();
        }
        data::Transaction fill(db());
        addStudent(900, QStringLiteral("ALUNO ANTIGO"), QStringLiteral("1G1A"), 1);
        addStudent(901, QStringLiteral("OUTRO ANTIGO"), QStringLiteral("1G1A"), 2);
        addDependents(900, QStringLiteral("ALUNO ANTIGO"), QStringLiteral("1G1A"), 1);
        exec(QStringLiteral("insert into MovFin (Data_MovFin, Valor_MovFin) values ('2010-01-05', 10)"));
        fill.commit();
    }
    void TearDown() override
    {
        m_source.reset();
        core::pinClock(QDateTime());
        ModuleFixture::TearDown();
    }

    data::Dataset &source(const QString &path = QString())
    {
        m_source = data::openExternalTable(path.isEmpty() ? m_lastYear.path() : path, QStringLiteral("ALUNOS"));
        return *m_source;
    }
    core::RunOutcome run(ImportChoices choices = {}) { return run(m_reporter, choices); }
    core::RunOutcome run(core::RunReporter &reporter, ImportChoices choices = {})
    {
        return importStudents(db(), m_source ? *m_source : source(), choices, reporter);
    }
    QString classOf(int matricula) const
    {
        return scalar(QStringLiteral("select TURMA from ALUNOS where MATRICULA = %1").arg(matricula)).toString();
    }
    int students() const { return count(QStringLiteral("select count(*) from ALUNOS")); }
    int rowsOfNewYear() const
    {
        int rows = 0;
        for (const char *table : {"Ccorrent", "NOTAS", "NotasUni1", "NotasUni2", "NotasUni3", "NotasUni4", "MovFin"})
            rows += count(QStringLiteral("select count(*) from %1").arg(QLatin1String(table)));
        return rows;
    }
    void expectOldRegisterWhole() const
    {
        EXPECT_EQ(students(), 2);
        EXPECT_EQ(classOf(900), QStringLiteral("1G1A"));
        EXPECT_EQ(count(QStringLiteral("select count(*) from NOTAS")), 2) << "grades untouched";
    }

    TempDir m_lastYear;
    std::unique_ptr<data::Dataset> m_source;
    RecordingReporter m_reporter;
};

} // namespace

TEST_F(StudentImport, PromotesEveryStudentAndEmptiesTheNewYearsTables)
{
    EXPECT_EQ(run(), core::RunOutcome::Completed);

    EXPECT_EQ(students(), 6) << "the old register is gone";
    EXPECT_EQ(classOf(1), QStringLiteral("1G2AM"));
    EXPECT_EQ(classOf(2), QStringLiteral("1G9M"));
    EXPECT_EQ(classOf(3), QStringLiteral("2G1T"));
    EXPECT_EQ(classOf(4), QStringLiteral("2G3N"));
    EXPECT_EQ(scalar(QStringLiteral("select SIT || ' ' || DATASIT from ALUNOS where MATRICULA = 4")).toString(),
              QStringLiteral("T 2010-01-15"));
    EXPECT_TRUE(scalar(QStringLiteral("select SIT from ALUNOS where MATRICULA = 1")).isNull());
    EXPECT_EQ(classOf(5), QStringLiteral("ALFA"));
    EXPECT_EQ(classOf(6), QStringLiteral("JD101"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from ALUNOS where CPF_PAI = '123.456.789-00' "
                                   "and DATANASC = '2001-02-03' and MARCADO = 1")),
              6)
        << "every field copied by position";

    EXPECT_EQ(rowsOfNewYear(), 0);
    QStringList expected{QStringLiteral("A importação foi concluída. O próximo passo\rserá limpar os dados das tabelas "
                                        "de Carnês, Movimento Financeiro e Notas.")};
    for (const QString &line : kClearedLines)
        expected += line;
    expected += QStringLiteral("Processo de Importação Concluído.");
    EXPECT_EQ(m_reporter.noteTexts(), expected);
    EXPECT_EQ(m_reporter.notes().first().caption, QStringLiteral("Concluir o processo de importação"));
    EXPECT_EQ(m_reporter.notes().last().caption, QStringLiteral("Operação Concluída"));
    ASSERT_EQ(m_reporter.stages().size(), 1);
    EXPECT_EQ(m_reporter.stages().first().total, 6);
    EXPECT_TRUE(m_reporter.stages().first().offersCancel);
    EXPECT_EQ(m_reporter.stepTexts().last(), QStringLiteral("Lendo: 6 de 6"));
}

// The tables are emptied in the import's own transaction (a crash between the two would leave
// the new register beside the old year's grades); a table that cannot be emptied is reported
// and the others are still cleared; every line is shown once the store is free again.
TEST_F(StudentImport, TheNewYearsTablesEmptyInTheImportsRunAndTheLinesComeAfterIt)
{
    exec(QStringLiteral("drop table NotasUni3"));
    LockWatchingReporter watching(db());
    EXPECT_EQ(run(watching), core::RunOutcome::Completed);
    EXPECT_EQ(students(), 6);
    for (const char *table : {"Ccorrent", "NOTAS", "NotasUni1", "NotasUni2", "NotasUni4", "MovFin"})
        EXPECT_EQ(count(QStringLiteral("select count(*) from %1").arg(QLatin1String(table))), 0) << table;
    EXPECT_EQ(watching.notesInTransaction(), 0);
    const QList<RecordingReporter::Note> notes = watching.notes();
    ASSERT_EQ(notes.size(), 9);
    EXPECT_EQ(notes.at(5).text, QStringLiteral("Erro ao limpar a tabela de Unidade3. Verifique se\rhá algum outro "
                                               "usuário na rede acessando o Lumesco."));
    EXPECT_EQ(notes.at(5).severity, core::Severity::Error);
    EXPECT_EQ(notes.at(5).caption, QStringLiteral("Erro na Operação"));
    EXPECT_EQ(notes.at(6).text, kClearedLines[5]);
    EXPECT_EQ(notes.last().text, QStringLiteral("Processo de Importação Concluído."));
}

TEST_F(StudentImport, EitherBoxMovesTheYoungestOnTheNewRules)
{
    EXPECT_EQ(run({true, {true, false}}), core::RunOutcome::Completed);
    EXPECT_EQ(classOf(1), QStringLiteral("1G3AM"));
    EXPECT_EQ(classOf(2), QStringLiteral("2G1M"));
    EXPECT_EQ(classOf(3), QStringLiteral("2G1T"));
    EXPECT_EQ(classOf(5), QStringLiteral("1G1A"));

    EXPECT_EQ(run({true, {false, true}}), core::RunOutcome::Completed);
    EXPECT_EQ(classOf(1), QStringLiteral("1G2AM"));
    EXPECT_EQ(classOf(5), QStringLiteral("1G1A"));
}

TEST_F(StudentImport, NotUpdatingTheClassesCopiesAndLeavesGradesAndChargesAlone)
{
    const int before = rowsOfNewYear();
    EXPECT_EQ(run({false, {}}), core::RunOutcome::Completed);
    EXPECT_EQ(students(), 6);
    EXPECT_EQ(classOf(1), QStringLiteral("1G1AM"));
    EXPECT_EQ(classOf(4), QStringLiteral("2G3N"));
    EXPECT_TRUE(scalar(QStringLiteral("select SIT from ALUNOS where MATRICULA = 4")).isNull());
    EXPECT_EQ(rowsOfNewYear(), before);
    EXPECT_TRUE(m_reporter.notes().isEmpty()) << "the dialog closes without a word";
}

TEST_F(StudentImport, AFailurePartWayLeavesTheOldRegisterWhole)
{
    FailingReporter failing;
    EXPECT_EQ(run(failing), core::RunOutcome::Failed);
    expectOldRegisterWhole();
    EXPECT_EQ(rowsOfNewYear(), 2 + 8 + 2 + 1);
    EXPECT_EQ(failing.noteTexts(), QStringList{QStringLiteral("A importação não pôde ser concluída:\rdisco cheio\r"
                                                            "O Cadastro de Alunos não foi alterado.")});

    // The register is free again: a second run goes through.
    EXPECT_EQ(run(), core::RunOutcome::Completed);
    EXPECT_EQ(students(), 6);
}

TEST_F(StudentImport, ACancelLeavesTheOldRegisterWhole)
{
    m_reporter.cancelAtStep(3);
    EXPECT_EQ(run(), core::RunOutcome::Cancelled);
    expectOldRegisterWhole();
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{QStringLiteral("Importação cancelada.\rO Cadastro de Alunos não foi alterado.")});
    EXPECT_EQ(m_reporter.outcome(), core::RunOutcome::Cancelled);
}

TEST_F(StudentImport, ARegisterInUseIsNotEmptied)
{
    data::Table elsewhere(db(), QStringLiteral("Alunos.DB"));
    elsewhere.open();
    EXPECT_TRUE(structureInUse(db()));
    EXPECT_EQ(run(), core::RunOutcome::Failed);
    expectOldRegisterWhole();
    ASSERT_EQ(m_reporter.notes().size(), 1);
    EXPECT_EQ(m_reporter.notes().first().text,
              QStringLiteral("Erro ao tentar apagar registros em ALUNOS.DB.\rNão será possível continuar."));
    EXPECT_EQ(m_reporter.notes().first().severity, core::Severity::Error);
    elsewhere.close();
    EXPECT_FALSE(structureInUse(db()));
}

// Another desk, a second run of this program, has the register open in its student window:
// the menu command refuses before the question, and a run started anyway (the other desk opened
// the window after the check) cannot have the register and changes nothing.
TEST_F(StudentImport, ARegisterOpenOnAnotherDeskIsRefusedAndNothingChanges)
{
    const QString place = m_lastYear.path();
    // The other desk starts where this one stands; this one leaves before the folder goes.
    struct Back { ~Back() { QDir::setCurrent(QDir::tempPath()); } } back;
    QDir::setCurrent(place);
    const pid_t desk = childprocess::start("StudentImportDesk.HoldsTheRegister", {m_location, place});
    QElapsedTimer waited;
    waited.start();
    while (!QFileInfo::exists(QDir(place).filePath("ready")) && waited.elapsed() < 20000)
        QThread::msleep(20);
    ASSERT_TRUE(QFileInfo::exists(QDir(place).filePath("ready")));
    const int before = rowsOfNewYear();

    EXPECT_FALSE(db().isTableOpen(QStringLiteral("Alunos.DB")));
    EXPECT_TRUE(db().isTableOpenElsewhere(QStringLiteral("Alunos.DB")));
    EXPECT_TRUE(structureInUse(db()));
    EXPECT_EQ(importRefusal().text, QStringLiteral("Esta operação não pode ser realizada\rse algum módulo estiver "
                                                   "sendo usado.\rFeche-o, e tente novamente."));

    EXPECT_EQ(run(), core::RunOutcome::Failed);
    ASSERT_EQ(m_reporter.notes().size(), 1);
    EXPECT_EQ(m_reporter.notes().first().text,
              QStringLiteral("Erro ao tentar apagar registros em ALUNOS.DB.\rNão será possível continuar."));
    EXPECT_EQ(m_reporter.notes().first().severity, core::Severity::Error);
    expectOldRegisterWhole();
    EXPECT_EQ(rowsOfNewYear(), before) << "grades, charges and cash movement untouched";
    // What the store said underneath, in the words the other windows show.
    {
        data::Table alunos(db(), QStringLiteral("Alunos.DB"));
        alunos.setExclusive(true);
        try {
            alunos.open();
            ADD_FAILURE() << "the register was had exclusively while another desk has it open";
        } catch (const data::StoreError &e) {
            EXPECT_EQ(e.message(), QStringLiteral("A tabela ALUNOS está sendo usada por outro usuário."));
        }
    }

    QFile(QDir(place).filePath("done")).open(QIODevice::WriteOnly);
    EXPECT_EQ(childprocess::wait(desk), 10) << "the other desk kept its window and closed it normally";
    // Once the other desk has closed the window, the same import goes through.
    EXPECT_FALSE(structureInUse(db()));
    m_reporter = RecordingReporter();
    EXPECT_EQ(run(), core::RunOutcome::Completed);
    EXPECT_EQ(students(), 6);
}

// A school on a server keeps last year on the same server: its address is a source, proposed
// by the dialog; the year itself, an address without a year and a year without tables are not.
static QString lastYearText(const data::ServerAddress &own)
{
    return own.withYear(own.year - 1);
}

TEST_F(StudentImport, LastYearOnTheServerIsASource)
{
    if (!testengine::onServer()) {
        EXPECT_EQ(data::previousServerYear(db()), QString()) << "a folder's last year is picked as a folder";
        return;
    }
    const data::ServerAddress own = data::ServerAddress::parse(m_location);
    EXPECT_EQ(data::ServerAddress::parse(data::previousServerYear(db())).year, own.year - 1);
    {
        ScriptedDialogs::Guard dialogs;
        EXPECT_EQ(data::askServerYearAddress(db()), QString()) << "given up";
        dialogs->answerText(QStringLiteral("  ") + lastYearText(own) + QStringLiteral(" "));
        EXPECT_EQ(data::askServerYearAddress(db()), lastYearText(own)) << "as typed, without blanks";
    }

    TempDir folder;
    const QString lastYear = testengine::yearLocation(folder.path());
    {
        const data::Database year = data::createSchoolYear(lastYear, QStringLiteral("2009"));
        year.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (1, 'ANA', '1G1AM'), (4, 'DANI', '2G3N')"));
    }
    m_source = openImportSource(db(), lastYear);
    EXPECT_TRUE(m_source->isReadOnly());
    EXPECT_EQ(run(), core::RunOutcome::Completed);
    EXPECT_EQ(students(), 2);
    EXPECT_EQ(classOf(1), QStringLiteral("1G2AM"));
    EXPECT_EQ(scalar(QStringLiteral("select SIT from ALUNOS where MATRICULA = 4")).toString(), QStringLiteral("T"));
    m_source.reset();
    EXPECT_EQ(data::Database::open(lastYear).scalar(QStringLiteral("select count(*) from ALUNOS")).toInt(), 2)
        << "the source is only read";

    for (const QString &refused : {m_location, own.withYear(0), own.withYear(own.year + 500)}) {
        try {
            openImportSource(db(), refused);
            ADD_FAILURE() << "taken as a source: " << refused.toStdString();
        } catch (const data::StoreError &) {
        }
    }
}

TEST(StudentImportDesk, HoldsTheRegister)
{
    const QStringList task = childprocess::task();
    if (task.size() != 2)
        GTEST_SKIP() << "runs only as the other desk of the import test";
    _exit(holdTableUntilDone(task[0], QStringLiteral("Alunos.DB"), task[1]));
}

TEST_F(StudentImport, OnlyAUserWithTheStudentsRightReplacesTheRegister)
{
    logOnAs(user(QStringLiteral("TESOURARIA"), {QStringLiteral("Carnes"), QStringLiteral("Tabelas")}));
    EXPECT_EQ(run(), core::RunOutcome::Failed);
    expectOldRegisterWhole();
}

TEST_F(StudentImport, TheModulesTablesCountAsInUse)
{
    EXPECT_FALSE(structureInUse(db()));
    for (data::Dataset *dataset : {static_cast<data::Dataset *>(&m_academic->tblNotas()),
                                   static_cast<data::Dataset *>(&m_academic->tblTabTurma()),
                                   static_cast<data::Dataset *>(&m_academic->tblDiscpl()),
                                   static_cast<data::Dataset *>(&m_academic->tblDiscTurma())}) {
        dataset->open();
        EXPECT_TRUE(structureInUse(db())) << dataset->displayName().toStdString();
        dataset->close();
    }
    m_academic->tblFuncionarios().open();
    EXPECT_FALSE(structureInUse(db())) << "the staff register is not the import's business";
}

// A dBase register: a field that does not fit is reported and left empty, a row that cannot be
// written (a repeated number) is skipped with a message, the rest comes in.
TEST_F(StudentImport, ADbaseRegisterIsCopiedByPosition)
{
    const QString path = m_lastYear.file(QStringLiteral("alunos.dbf"));
    DBFHandle h = DBFCreate(QFile::encodeName(path).constData());
    DBFAddField(h, "MATRICULA", FTDouble, 10, 0);
    DBFAddField(h, "ORD", FTInteger, 4, 0);
    DBFAddField(h, "NOME", FTString, 42, 0);
    DBFAddField(h, "TURMA", FTString, 5, 0);
    DBFAddField(h, "TURMA2", FTString, 5, 0);
    DBFAddField(h, "TM", FTString, 8, 0); // a text where the register keeps a number
    const QList<std::tuple<double, const char *, const char *, const char *>> rows{
        {10, "ANA", "1G1A", "3"}, {11, "BRUNO", "1G2A", "xx"}, {10, "REPETIDO", "1G1A", "1"}};
    int r = 0;
    for (const auto &[number, name, schoolClass, tm] : rows) {
        DBFWriteDoubleAttribute(h, r, 0, number);
        DBFWriteIntegerAttribute(h, r, 1, 0);
        DBFWriteStringAttribute(h, r, 2, name);
        DBFWriteStringAttribute(h, r, 3, schoolClass);
        DBFWriteNULLAttribute(h, r, 4);
        DBFWriteStringAttribute(h, r, 5, tm);
        ++r;
    }
    DBFClose(h);

    source(path);
    EXPECT_EQ(run({false, {}}), core::RunOutcome::Completed);
    EXPECT_EQ(students(), 2);
    EXPECT_EQ(scalar(QStringLiteral("select TM from ALUNOS where MATRICULA = 10")).toInt(), 3);
    EXPECT_TRUE(scalar(QStringLiteral("select TM from ALUNOS where MATRICULA = 11")).isNull());
    EXPECT_EQ(classOf(11), QStringLiteral("1G2A"));
    ASSERT_EQ(m_reporter.notes().size(), 2);
    EXPECT_EQ(m_reporter.notes().at(0).text, QStringLiteral("Erro ao fazer post em tblAlunos no campo TM"));
    EXPECT_TRUE(m_reporter.notes().at(1).text.startsWith(QStringLiteral("O registro 3 (10 - REPETIDO) não foi importado:\r")))
        << m_reporter.notes().at(1).text.toStdString();
}

TEST(ImportMessages, RefusalAndQuestion)
{
    EXPECT_EQ(importRefusal().text, QStringLiteral("Esta operação não pode ser realizada\rse algum módulo estiver "
                                                   "sendo usado.\rFeche-o, e tente novamente."));
    const core::Message question = importQuestion();
    EXPECT_EQ(question.buttons, core::Button::Yes | core::Button::No);
    EXPECT_EQ(question.defaultButton, core::Button::No);
    EXPECT_TRUE(question.text.endsWith(QStringLiteral("uma única vez.\rDesejar continuar?")));
}
