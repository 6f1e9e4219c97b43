// Receipts through the real library and termios port to zupri-sim on a pseudo-terminal, from
// the flows and from the command line, with what the simulated printer puts on paper.
#include "billing/receipt/SchoolWithCharges.h"
#include "billing/receipt/TicketPrintFlows.h"
#include "billing/receipt/ZupriTicketPrinter.h"
#include "data/users/PasswordHash.h"
#include "data/users/UsersTable.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"
#include "ticketprinter/library/SimulatorProcess.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <cstdlib>

namespace {

using Lines = std::vector<std::string>;

const QString kAuthentication = QStringLiteral("20070305 06032007 05032007  R$ 352,07");

// A line of the 40-column roll as the simulator shows it.
std::string onPaper(const QString &text)
{
    return "|" + text.leftJustified(40, u' ', true).toStdString() + "|";
}

// What a receipt puts on paper: the opening line feed, the lines, and the feeds past the
// tear bar (the first of the five ends the last line).
Lines printedReceipt(const QStringList &lines)
{
    Lines paper = {"[NORMAL]", "[COLS 40]", onPaper(QString())};
    for (const QString &line : lines)
        paper.push_back(onPaper(line));
    for (int feed = 0; feed < 4; ++feed)
        paper.push_back(onPaper(QString()));
    return paper;
}

class ReceiptOnSimulator : public testing::Test
{
protected:
    void SetUp() override { ::setenv("ZUPRI_COM1", m_printer.devicePath().c_str(), 1); }
    void TearDown() override { ::unsetenv("ZUPRI_COM1"); }

    SimulatorProcess m_printer;
};

struct CliRun
{
    int exitCode = -1;
    QStringList out;
    QString err;
};

CliRun runReceipt(const QString &programDir, const QStringList &arguments, const QString &com1)
{
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ZUPRI_COM1", com1);
    environment.insert("LUMESCO_TODAY", "2007-03-06");
    cli.setProcessEnvironment(environment);
    cli.start(LUMESCO_CLI_PATH, QStringList{"--program-dir", programDir, "receipt"} + arguments);
    cli.waitForFinished(60000);
    CliRun run;
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n');
    run.out.removeLast(); // after the final line break
    run.err = QString::fromUtf8(cli.readAllStandardError());
    return run;
}

class SchoolDir
{
public:
    SchoolDir()
    {
        createSchoolWithCharges(m_year);
        // The treasurer who signs the receipt logs on from the program folder's users table.
        data::setPasswordCost(data::PasswordCost::Minimal);
        qputenv("LUMESCO_TEST_CHEAP_PASSWORDS", "1"); // and in the command-line runs
        const data::UsersTable users(m_program.file(QStringLiteral("Data")));
        data::UserRecord treasurer;
        treasurer.userId = QStringLiteral("TESOURARIA");
        treasurer.rights.carnes = true;
        users.add(treasurer);
        users.setPassword(treasurer.userId, QStringLiteral("caixa"));
        data::Database::closeAll();
    }
    ~SchoolDir()
    {
        data::Database::closeAll();
        testengine::dropServerYears();
    }
    // The year's folder, or a server year of its own.
    QString path() const { return m_year; }
    QString programDir() const { return m_program.path(); }

private:
    TempDir m_dir;
    TempDir m_program;
    const QString m_year = testengine::yearLocation(m_dir.path());
};

} // namespace

TEST_F(ReceiptOnSimulator, FlowsPrintEveryLineOnTheRollInThePrintersCode)
{
    billing::ZupriTicketPrinter library;
    billing::TicketPrintFlows flows(library);
    flows.selectPort(0);
    ScriptedDialogs::Guard dialogs;
    const QStringList lines = {"Colegio Sao Joao", "", QString(55, u'x'), "Usuario : JOÃO"};
    ASSERT_TRUE(flows.printReceipt(lines));
    EXPECT_TRUE(dialogs->shown().isEmpty());
    EXPECT_EQ(m_printer.stop(),
              printedReceipt({"Colegio Sao Joao", "", QString(40, u'x'), "Usuario : JOÃO"}));
}

TEST_F(ReceiptOnSimulator, CommandLinePrintsAndAuthenticatesTheStoredCharge)
{
    const SchoolDir school;
    const CliRun run =
        runReceipt(school.programDir(),
                   {school.path(), "--key", "Matricula=1234", "--key", "Tipo=N", "--key",
                    "ParcelaNum=3", "--print", "--authenticate", "--user", "TESOURARIA",
                    "--password", "caixa"},
                   QString::fromStdString(m_printer.devicePath()));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_EQ(run.out.size(), 24 + 1);
    EXPECT_EQ(run.out.at(0), "Colegio Sao Joao");
    EXPECT_EQ(run.out.at(7), "Aluno: 1234 JOSE D'AVILA");
    EXPECT_EQ(run.out.at(8), "Resp : Maria Antonia");
    EXPECT_EQ(run.out.at(10), "Boleto No.: 20070305 TKKMKWKH");
    EXPECT_EQ(run.out.at(20), "Usuario      : TESOURARIA");
    EXPECT_EQ(run.out.at(24), kAuthentication);

    // The paper shows what the command printed, line for line.
    Lines expected = printedReceipt(run.out.mid(0, 24));
    expected.insert(expected.end(), {"[STATUS-LINE PAPER-SENSOR]", onPaper(kAuthentication),
                                     "[STATUS-LINE ON-LINE]", "[STATUS-LINE ON-LINE]"});
    EXPECT_EQ(m_printer.stop(), expected);
}

TEST(ReceiptCommandLine, UnpaidChargeIsRefusedAndNothingIsPrinted)
{
    const SchoolDir school;
    const CliRun run =
        runReceipt(school.programDir(),
                   {school.path(), "--key", "NossoNum=20070410", "--print", "--user", "TESOURARIA",
                    "--password", "caixa"},
                   "/nonexistent/com1");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains("É necessário fazer a baixa do pagamento primeiro!"))
        << run.err.toStdString();
}

TEST(ReceiptCommandLine, MissingPortIsReportedAsAFailure)
{
    const SchoolDir school;
    const CliRun run =
        runReceipt(school.programDir(),
                   {school.path(), "--key", "NossoNum=20070305", "--print", "--user", "TESOURARIA",
                    "--password", "caixa"},
                   "/nonexistent/com1");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.size(), 25);
    EXPECT_TRUE(run.err.contains("Não foi possível usar a porta COM 1 da impressora"))
        << run.err.toStdString();
}

TEST(ReceiptCommandLine, WrongPasswordIsRefusedBeforeAnythingIsRead)
{
    const SchoolDir school;
    const CliRun run = runReceipt(school.programDir(),
                                  {school.path(), "--key", "NossoNum=20070305", "--user",
                                   "TESOURARIA", "--password", "errada"},
                                  "/nonexistent/com1");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains("Senha não Confere!")) << run.err.toStdString();
}
