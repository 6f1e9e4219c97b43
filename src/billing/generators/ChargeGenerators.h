#pragma once

#include "billing/generators/StudentSelection.h"
#include "core/RunReporter.h"

#include <QDate>
#include <QString>
#include <functional>

namespace data {
class Table;
}

// The two generators of charge rows: the monthly fees of the year ("Gerar Mensalidades") and one
// other charge per student ("Calcular Outros Valores"). Each run writes through the charge table
// with its row rules, in one transaction: a row that fails is undone alone and reported, and a
// run stopped part-way (cancelled, or the program killed) leaves the table as it was.
namespace billing {

// What the generators' windows show while a run goes: the student and month being written and
// the place among the months and among the students (two progress bars).
struct GeneratorProgress
{
    int month = 0;
    int monthIndex = 0; // 1-based
    int months = 0;
    qint64 matricula = 0;
    int studentIndex = 0; // 1-based
    int students = 0;
};
using ProgressShown = std::function<void(const GeneratorProgress &)>;

struct MonthlyFeeRequest
{
    StudentSelection students;
    int month = 0;    // 1..12; 0: every month
    int dueDay = 10;  // "Vencimento" (from the setting Data_Venc)
    QString fine = QStringLiteral("2,0");         // "Valor da Multa por Atraso % "
    QString discount = QStringLiteral("0,0");     // occasional discount for all
    bool discountPercent = false;                 // "%"
    bool otherDueDates = true;       // "Calcule também para os outros vencimentos"
    bool overdue = false;            // "Calcule também Valores Atrasados"
    bool ignoreRegisterDate = false; // "Desconsidere a data do Cadastro"
};

// The school's part: the year of the due dates, the daily interest and the default due day
// (settings Juros and Data_Venc), and today for the overdue carry-over.
struct GeneratorContext
{
    QString schoolYear;
    double juros = 0.03;
    int defaultDueDay = 10;
    QDate today;
};

// The default due date of a month: the due day in the month of the school year; in February a
// day of 26 or more becomes 28, and a day the month lacks becomes its last day.
QDate defaultDueDate(int day, int month, int year);

// The fine factor of a fine text ("2,0" -> 1,02); nullopt when it is not a number.
std::optional<double> fineFactor(const QString &fineText);

// "Gerar Mensalidades". Asks (through the dialog service) whether to go on with the standard
// fine when the fine is not a number and whether to redo each month that already has fees,
// before anything is written; then writes the rows and, at the end, releases the open rows.
// `ccorrent` is an open charge table with the row rules attached; a window showing it reads it
// again afterwards (the run leaves it as the rows were written, before the release).
core::RunOutcome generateMonthlyFees(data::Table &ccorrent, const MonthlyFeeRequest &request,
                                     const GeneratorContext &context, core::RunReporter &reporter,
                                     const ProgressShown &progress = {});

struct OtherChargeRequest
{
    StudentSelection students;
    QDate due;                 // "Cobrança a vencer em"
    QString kindEntry;         // "2-Livros"
    QString value = QStringLiteral("0,00"); // "Valor da Cobrança"
    QString description;       // "Descrição Auxiliar " (up to 30 characters)
    QString fine = QStringLiteral("2,0");
    QString discount = QStringLiteral("0,0");
    bool discountPercent = false;
};

// The kinds "Calcular Outros Valores" offers: "0-Matrícula" .. "9-Outras Taxas".
QStringList otherChargeKinds();

// "Calcular Outros Valores"; `ccorrent` as for the monthly fees.
core::RunOutcome generateOtherCharges(data::Table &ccorrent, const OtherChargeRequest &request,
                                      core::RunReporter &reporter, const ProgressShown &progress = {});

inline const QString kFineQuestion =
    QStringLiteral("Erro no valor da Multa. Continuo com valor padrão 2,0%?");
inline const QString kCompletedMessage = QStringLiteral("Rotina completada com sucesso");
inline const QString kReleaseFailedMessage =
    QStringLiteral("Rotina completada com erro ao atualizar Status2");
// "Já há mensalidades lançadas para o mês março. Deseja Refazer para este mês?"
QString redoQuestion(int month);

} // namespace billing
