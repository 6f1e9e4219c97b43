#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

// What the class picker (`TfrmDefinirTurma`, and its twin `TfrmDefinirBolsa`) offers its
// callers, the reports and billing runs: which optional parts to show, and what was chosen.
namespace students {

// "JANEIRO" .. "DEZEMBRO".
QStringList monthNames();

enum class MonthScope
{
    OnlyMonth, // "Apenas para o MÊS"
    UpToMonth, // "Até o MÊS"
};

// The optional parts a caller shows before opening the picker; none by default.
struct ClassPickerParts
{
    bool amountsDue = false;    // "Imprima Valores Devidos"
    bool period = false;        // "No Período:" .. "A"
    bool monthPeriod = false;   // "Defina o período abaixo" with the month list
    bool exportToExcel = false; // "Exportar para MS Excel"
    bool chargeType = false;    // "Tipo Cobrança:"
    bool includeUnpaid = false; // "Incluir Mensalidades não Pagas"
    std::function<void()> configure; // "C&onfigurar": the caller's report set-up; none: hidden
};

struct ClassChoice
{
    bool allClasses = true;
    QString classCode; // empty with allClasses
    bool amountsDue = false;
    QDate periodFrom;
    QDate periodTo;
    MonthScope monthScope = MonthScope::OnlyMonth;
    int month = 1; // 1..12
    bool exportToExcel = false;
    bool includeUnpaid = false;
    QString chargeType = QStringLiteral("Todos"); // the "Tipo Cobrança:" entry
    QString chargeFilter; // the filter of that entry, for the charge table

    // "Todas as Turmas", or "Apenas a Turma" with a class picked: the choice can be taken.
    bool isComplete() const { return allClasses || !classCode.isEmpty(); }
};

} // namespace students
