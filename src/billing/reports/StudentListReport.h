#pragma once

#include "billing/reports/BillingReportPage.h"
#include "billing/reports/ChargeLines.h"
#include "reports/engine/Document.h"

#include <functional>

// The compact lists: one line per student with the class, the instalment numbers joined by
// " - " and, when asked, the student's amount; the total of all students at the end.
namespace billing {

struct StudentListLayout
{
    QString title;
    QString subtitle;
    QString amountCaption;                                 // "Valor Atualizado", "Valor Pago"
    std::function<core::Money(const ChargeLine &)> amount; // summed per student
    bool showAmounts = false;                              // "Imprima Valores Devidos"
};

struct StudentListLine
{
    qint64 matricula = 0;
    QString nome;
    QString turma;
    QString parcelas; // "3 - 4 - 5"
    core::Money amount;
};

// The charge rows folded into one line per student, in the rows' order.
QList<StudentListLine> studentListLines(const QList<ChargeLine> &lines,
                                        const std::function<core::Money(const ChargeLine &)> &amount);

reports::Document studentListReport(const QList<ChargeLine> &lines, const StudentListLayout &layout,
                                    const reports::SchoolInfo &school);

} // namespace billing
