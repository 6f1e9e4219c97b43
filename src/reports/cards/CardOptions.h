#pragma once

#include "reports/ReportValues.h"

#include <QList>
#include <QString>

// What the report-card options dialog ("Defina ") asks, shared by the dialog, the command line
// ("lumesco-cli report boletim --class 1G5A --unit anual ...") and the card layouts.
namespace reports {

enum class CardScope { AllClasses, OneClass, Students };

// "Imprimir Resultado Parcial/Final ".
enum class CardResult {
    None,    // "Não imprimir (se não tem notas de TODOS os Bimestres)"
    Partial, // "Resultado Parcial (indica alunos aptos à recuperação)"
    Final,   // "Resultado Final (necessário ter as Notas Finais)"
};

// The current unit: 1 to 4, then the year ("Média Anual"), the latest.
constexpr int kAnnualUnit = 5;

struct CardOptions
{
    CardScope scope = CardScope::AllClasses;
    QString classCode;
    QList<qint64> students; // enrolment numbers
    bool skipLeavers = true;
    bool photo = false;
    bool onlyConsolidated = false;
    bool skipRecovery = false;
    bool hideAbsences = false;
    CardResult result = CardResult::Partial;
    int recoveryLimit = -1; // -1: no limit
    QString message1;
    QString message2;
    int currentUnit = 1; // 1..4 or kAnnualUnit
    bool positions = false; // "Utilize a definição acima para a CLASSIFICAÇÃO"
    int positionLimit = 50;
    bool lawNotAdapted = false; // "Imprima texto relativo à Lei 11.274/2006"
    bool lawAdapted = false;    // "Já estou enquadrado à Lei 11.274/2006"
    bool noGrid = false;

    // The dialog's hidden final-average flag: ticked by "Resultado Parcial" only.
    bool partialResult() const { return result == CardResult::Partial; }
};

// The parameters of "boletim", named as the command line takes them: class, student (one or
// more enrolment numbers, separated by commas or blanks), photo, unit (1..4 or "anual"),
// result (none, parcial, final), recovery-limit, positions, position-limit, only-consolidated,
// skip-recovery, hide-absences, keep-leavers, law-not-adapted, law-adapted, no-grid, message1,
// message2.
QList<ReportParam> cardParams();

// The options the answers stand for; throws ReportParamError for a value out of its range, an
// enrolment number that is not a number, or both law texts at once.
CardOptions cardOptions(const ReportValues &values);

// The answers that stand for `options` (the dialog hands its choices over this way).
void setCardValues(ReportValues &values, const CardOptions &options, const data::Database &db);

} // namespace reports
