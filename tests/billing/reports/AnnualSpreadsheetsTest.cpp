#include "billing/BillingSchool.h"
#include "billing/reports/AnnualSpreadsheets.h"
#include "core/TextFile.h"
#include "support/RecordingReporter.h"

using namespace billing;

namespace {

class AnnualSheets : public BillingSchool
{
protected:
    void SetUp() override
    {
        BillingSchool::SetUp();
        // ANA: fees of March and May (May paid twice in parts), a book in March; CARLA: one fee.
        addCharge(1, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300, QDate(2007, 3, 9), QStringLiteral("0"), 0, 0, 0, 300);
        addCharge(1, QStringLiteral("N"), 5, QDate(2007, 5, 10), 300, QDate(2007, 5, 12), QStringLiteral("0"), 0, 0, 0, 306);
        addCharge(1, QStringLiteral("2"), 3, QDate(2007, 3, 20), 45.5);
        addCharge(3, QStringLiteral("N"), 3, QDate(2007, 3, 10), 412.5);
        m_db.exec(QStringLiteral("update CCORRENT set TURMA = '2G1A', NOME = 'CARLA' where Matricula = 3"));
        m_db.exec(QStringLiteral("update CCORRENT set NOME = 'ANA' where Matricula = 1"));
    }

    QStringList run(AnnualSheet sheet, RecordingReporter &reporter)
    {
        QString path;
        writeAnnualSheet(m_db, sheet, m_dir.path(), reporter, &path);
        if (path.isEmpty())
            return {};
        EXPECT_EQ(path, m_dir.file(annualSheetFileName(sheet)));
        return *core::readTextLines(path);
    }
};

QString months(const QString &march, const QString &may)
{
    QString cells;
    for (int m = 1; m <= 12; ++m)
        cells += m == 3 ? march : m == 5 ? may : QStringLiteral(";;");
    return cells;
}

} // namespace

TEST_F(AnnualSheets, PaymentsSheetPutsEachMonthUnderItsHeading)
{
    RecordingReporter reporter;
    const QStringList lines = run(AnnualSheet::Payments, reporter);
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines.at(0), QStringLiteral(";1G1A"));
    EXPECT_EQ(lines.at(1), QStringLiteral("Ordem;Turma;Nome;Venc.;Abatimento;janeiro;;fevereiro;;março;;abril;;maio;;"
                                          "junho;;julho;;agosto;;setembro;;outubro;;novembro;;dezembro;;Total"));
    EXPECT_EQ(lines.at(2), QStringLiteral(";;;.;;") + QStringLiteral("Previsto;Realizado;").repeated(12) +
                               QStringLiteral("Previsto;Realizado"));
    EXPECT_EQ(lines.at(3), QStringLiteral("1;1G1A;1 - ANA;10;0;") + months(QStringLiteral("345,50;300,00;"),
                                                                           QStringLiteral("300,00;306,00;")) +
                               QStringLiteral("645,50;606,00"));
    EXPECT_EQ(lines.at(4), QString());
    EXPECT_EQ(lines.at(5), QStringLiteral(";2G1A"));
    EXPECT_EQ(lines.at(8), QStringLiteral("1;2G1A;3 - CARLA;30;25,5;") + months(QStringLiteral("412,50;0,00;"), QStringLiteral(";;")) +
                               QStringLiteral("412,50;0,00"));
    EXPECT_EQ(lines.at(9), QString());
    // The first run finds no working table to drop, and says so.
    EXPECT_EQ(reporter.noteTexts(),
              QStringList({QStringLiteral("Erro ao excluir tabela temporária.\rSe for a primeira vez que usa esta rotina, ignore esta mesnagem."),
                           kSpreadsheetDoneMessage}));
    EXPECT_EQ(reporter.outcome(), core::RunOutcome::Completed);
}

TEST_F(AnnualSheets, RunningTwiceReplacesTheWorkingTable)
{
    RecordingReporter first;
    run(AnnualSheet::MonthlyFees, first);
    addCharge(3, QStringLiteral("N"), 5, QDate(2007, 5, 10), 412.5, QDate(2007, 5, 2), QStringLiteral("0"), 0, 0, 0, 412.5);
    m_db.exec(QStringLiteral("update CCORRENT set TURMA = '2G1A', NOME = 'CARLA' where Matricula = 3"));
    RecordingReporter second;
    const QStringList lines = run(AnnualSheet::MonthlyFees, second);
    EXPECT_EQ(second.noteTexts(), QStringList({kSpreadsheetDoneMessage}));
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from RelatMensalidades")).toInt(), 4); // the book is not a fee
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines.at(2), QStringLiteral(";;;.;;") + QStringLiteral("Pago em;Valor;").repeated(12) +
                               QStringLiteral("Previsto;Realizado"));
    EXPECT_EQ(lines.at(3), QStringLiteral("1;1G1A;1 - ANA;10;0;") + months(QStringLiteral("9/3;300,00;"), QStringLiteral("12/5;306,00;")) +
                               QStringLiteral("600,00;606,00"));
    EXPECT_EQ(lines.at(8), QStringLiteral("1;2G1A;3 - CARLA;30;25,5;") + months(QStringLiteral(";0,00;"), QStringLiteral("2/5;412,50;")) +
                               QStringLiteral("825,00;412,50"));
}

TEST_F(AnnualSheets, AFileThatCannotBeWrittenEndsTheRunWithItsReason)
{
    RecordingReporter reporter;
    QString path;
    writeAnnualSheet(m_db, AnnualSheet::Payments, m_dir.file(QStringLiteral("nao-existe")), reporter, &path);
    EXPECT_TRUE(path.isEmpty());
    EXPECT_EQ(reporter.outcome(), core::RunOutcome::Failed);
    EXPECT_TRUE(reporter.noteTexts().last().startsWith(QStringLiteral("Não foi possível gravar")));
}
