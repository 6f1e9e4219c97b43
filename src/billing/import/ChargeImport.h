#pragma once

#include "core/RunReporter.h"

#include <QString>
#include <functional>

namespace data {
class Database;
class Dataset;
class TDataModule1;
} // namespace data

// "Importar Valores de Carnês Emitidos": charge rows, or only the banks' slip numbers, brought
// into the charge table from a table file (a dBase file, or another school year's table).
namespace billing {

struct ChargeImportResult
{
    core::RunOutcome outcome = core::RunOutcome::Completed;
    int read = 0;
    int total = 0;
    int written = 0;
};

// The two counters as the window shows them while importing.
QString readCounterText(int read, int total);  // "Lendo: 3 de 10"
QString writtenCounterText(int written);       // "Gravados: 2"; "gravados: ..." before the first

// Full import (`bankOnly` false): every source row whose student (first column) and
// instalment (second column) the charge table lacks becomes a charge row, column i of the
// source into column i of the charge table. Bank import: the slip number (the first 11
// characters of `noss_nr_dv`) goes into the student's (`matricula`) first monthly fee due in
// the month of `vencimento` (ddmmyy). Asks its question through the dialog service; tells
// every message through `reporter`. The charge table must not be open elsewhere.
// `counters` is told the counts after every source row.
ChargeImportResult importCharges(const data::Database &db, data::Dataset &source, bool bankOnly,
                                 core::RunReporter &reporter,
                                 const std::function<void(const ChargeImportResult &)> &counters = {});

// True while the billing window or a student or structure window holds one of the tables the
// import needs closed (here or on another workstation).
bool chargeImportTablesInUse(data::TDataModule1 &module);

// The bank's fields a source must have for the bank import; empty when it has them all.
QStringList missingBankFields(const data::Dataset &source);

inline const QString kImportTablesInUse = QStringLiteral(
    "Esta operação não pode ser realizada\rse algum módulo estiver sendo usado.\rFeche-o, e tente novamente.");
inline const QString kImportOpenError = QStringLiteral(
    "Erro ao tentar abrir a tabela. Verifique se\reste é um arquivo válido ou se já não está sendo usado.");
inline const QString kImportCheckNotice =
    QStringLiteral(" Certifique-se se os dados abaixo pertecem a Tabela de Carnês, e clique Iniciar  ");
inline const QString kImportLockError =
    QStringLiteral("Erro ao tentar acessar registros em CCorrent.DB.\rNão será possível continuar.");
inline const QString kImportFullQuestion = QStringLiteral(
    "O arquivo CCorrent.db já possui dados.\rSe for lido um registro com MATRICUAL e\rPARCELA já existentes, este "
    "será ignorado.\rDeseja continuar?");
inline const QString kImportBankQuestion = QStringLiteral(
    "Você indicou que deseja atualizar CCorrent.db\ra partir de um arquivo gerado pelo sistema do \rBanco do "
    "Brasil. Para isto, é necessário que já\rtenham sido geradas as mensalidades do mês a que\rse refiram, para "
    "apenas importar o NOSSO Nº\rVocê deseja continuar ?");
inline const QString kImportRowSaveError = QStringLiteral("Erro ao gravar registro em CCorrent.db.");

} // namespace billing
