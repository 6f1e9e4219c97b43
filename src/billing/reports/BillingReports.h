#pragma once

#include "billing/reports/BillingChoice.h"
#include "reports/ReportRegistry.h"

// The treasury's reports of the "Mensalidades" menu: defaulters by class and in alphabetical
// order, payments by class in a period and per student, forecast against realised revenue per
// student and per class. Each may also write its rows to a semicolon file ("--export").
namespace billing {

QList<reports::ReportEntry> billingReports();

// The answers of a report's parameters as the queries read them.
BillingChoice billingChoice(const reports::ReportValues &values);
// And back, for the dialog: only the parameters the report has are set.
void setBillingValues(reports::ReportValues &values, const BillingChoice &choice, const data::Database &db);

// "ALUNOS COM MENSALIDADES EM ABERTO", "ALUNOS COM "4-Viagem" EM ABERTO".
QString defaultersSubtitle(const QString &kind);
// "PAGAMENTOS GERAIS NO PERÍODO  (01/03/2007 - 31/03/2007)" and its kinds.
QString paymentsSubtitle(const BillingChoice &choice);

inline const QString kDefaultersFootnote = QStringLiteral(
    "* Descontos são ignorados no cálculo. Acrésimos de 2.0% de multa e juros diários  no período do vencimento até hoje.");

} // namespace billing
