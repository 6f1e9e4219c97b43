#pragma once

#include "billing/booklets/BookletOutput.h"
#include "billing/slips/BoletoChoices.h"
#include "core/RunReporter.h"

#include <QDate>
#include <optional>

namespace data {
class Database;
}

// The fee booklets on the bank's forms: every charge row of the chosen students due in the
// chosen months, whatever its kind, gets the next control number ("Nosso Nº") and is printed,
// two slips a sheet, in class order. The numbers are stored in the run's transaction as each
// slip is printed: a failure drops the print job and the numbers together, so no slip reaches
// the paper without its number stored and no number is stored for a slip never printed.
namespace billing {

struct BookletContext
{
    QDate today;
    QString schoolState; // UF of the settings, printed after the city
};

struct BookletRunResult
{
    core::RunOutcome outcome = core::RunOutcome::Completed;
    int slips = 0;          // rows numbered (and printed, when printing)
    int sheets = 0;         // sheets begun
    qint64 lastNumber = 0;  // the last number given; the first number - 1 when none
    bool stopped = false;   // "Cance&lar" pressed: the run ended after the current student
};

// The first number typed ("Informe o nº de controle inicial"): digits only, above zero, at
// most 11 significant digits. nullopt otherwise.
std::optional<qint64> bookletFirstNumber(const QString &text);

// The largest control number: the bank's field holds 11 digits.
inline constexpr qint64 kLargestBookletNumber = 99999999999LL;

// Runs the booklets. `output` null prints nothing ("Criar Registro Sem Usar a Impressora").
// Asks "Posicione o formulário na impressora" through the dialog service before anything is
// written; tells every message of the run through `reporter`. "Cance&lar" is the reporter's
// cancel: it is seen between students.
BookletRunResult runBooklets(const data::Database &db, const BoletoChoices &choices, const BookletContext &context,
                             BookletOutput *output, core::RunReporter &reporter);

// The slips the run would print, without numbering anything: the preview before printing.
// Empty when nothing is selected.
QList<BookletSlip> bookletPreview(const data::Database &db, const BoletoChoices &choices, const BookletContext &context);

// Draws the given slips two a sheet through `output` (the preview).
bool drawBookletSheets(const QList<BookletSlip> &slips, const BoletoChoices &choices, BookletOutput &output);

inline const QString kNothingToPrint = QStringLiteral("Nada há para imprimir");
inline const QString kNothingForClass = QStringLiteral("Nada há para imprimir para esta Turma.");
inline const QString kSelectionError = QStringLiteral("Erro na definição dos registros. Tente novamente.");
inline const QString kPositionForm = QStringLiteral("Posicione o formulário na impressora");
inline const QString kNumberNotStored = QStringLiteral("Erro ao Atualizar Arquivo. NossoNúmero não foi gravado.");
inline const QString kPrintDone = QStringLiteral("Impressão foi concluída");
inline const QString kPrintDoneCaption = QStringLiteral("Fim de Impressão");
inline const QString kPrintInterrupted = QStringLiteral(" Impresão Interrompida!");

} // namespace billing
