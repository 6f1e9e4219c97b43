#pragma once

#include "reports/ReportRegistry.h"
#include "reports/letters/ParentCpf.h"

#include "core/Money.h"

#include <optional>

// "DECLARAÇÃO ": the yearly statement, for a parent's income-tax return, of the fees paid for
// the students whose father, mother or responsible person holds one CPF.
namespace reports {

struct Dependant
{
    QString matricula;
    QString nome;
    core::Money paid; // every amount paid on the student's current account
};

struct TaxStatement
{
    QString declarantName;
    QString cpf;
    QList<Dependant> dependants; // by name
    core::Money total;
};

// Every student whose declarant's CPF is `cpf` (as typed, blanks at the ends ignored);
// std::nullopt when there is none. Throws StoreError.
std::optional<TaxStatement> taxStatement(const data::Database &db, Declarant declarant, const QString &cpf);

// An amount as the statement prints it, guarded by asterisks: "R$***0,00", "R$*450,00",
// "R$3.600,00".
QString guardedAmount(core::Money amount);

// The text the school keeps in "declara.txt" in the program folder; the file is written with
// the default text when it is missing, and never overwritten here. Only the printed lines.
QStringList declarationText(const data::Settings &settings);

Document taxStatementReport(const SchoolInfo &school, const data::Settings &settings, const TaxStatement &statement,
                            const QStringList &text);

// "pai", "mae" or "resp", as "--as" takes them.
QString declarantWord(Declarant declarant);

// "declaracao-ir" ("&q. Declaração para o Imposto de Renda"): --cpf, --as pai|mae|resp, and
// the text (declara.txt when empty).
ReportEntry taxStatementEntry();

} // namespace reports
