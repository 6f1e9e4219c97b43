#pragma once

#include "billing/slips/SlipRows.h"
#include "billing/slips/SlipTexts.h"
#include "core/RunReporter.h"
#include "reports/engine/Document.h"

#include <QDate>
#include <QList>
#include <functional>

namespace data {
class Database;
struct Settings;
} // namespace data

// The own-model slip report (TfrmQrBoleto): one slip a charge, the family's stub "VIA DO ALUNO" at the left and
// the treasury's "VIA DA TESOURARIA" at the right with the barcode of the slip number and, when
// the school has a PIX key, a PIX QR code with its "copia e cola" text.
namespace billing {

struct SlipSchool
{
    QString name;
    QString address;
    QString city;
    QString state;
    QString telephone;
    QString taxNumber;
    QString credit; // the line crediting the program's maker
    QString pixKey;
    QString pixReceiver;
    QString pixCity;

    static SlipSchool fromSettings(const data::Settings &settings);
};

// The slips of `rows` as the report prints them; writes nothing.
reports::Document slipDocument(const QList<SlipRow> &rows, const SlipRunTexts &texts, const SlipSchool &school,
                               const QDate &issued);

// Receives the laid-out slips (preview, printer, PDF); false when they were not printed.
using SlipOutput = std::function<bool(const reports::Document &document)>;

enum class SlipRunResult { Printed, NoRows, NotPrinted };

// A print run: stores every slip number in its charge row, lays the slips out and hands them to
// `output`, all in one transaction kept only when the output took the slips. A slip number that
// cannot be stored is noted as a warning ("Erro ao gravar campo nosso_número em CCorrent.db") and
// its slip still prints. No rows: the information "Não há registros para o mês informado." and
// nothing else.
SlipRunResult runSlips(const data::Database &db, const QList<SlipRow> &rows, const SlipRunTexts &texts,
                       const SlipSchool &school, core::RunReporter &reporter, const SlipOutput &output);

// The run of "Imprimir Boletos": its rows, texts and the school of the settings table.
SlipRunResult printSlips(const data::Database &db, const BoletoChoices &choices, core::RunReporter &reporter,
                         const SlipOutput &output);

// The reprint of a paid charge of the student register: `matricula`'s charge due on `due`, paid
// on `paidOn`. An empty payment date refuses ("É necessário fazer a baixa do pagamento
// primeiro!") with nothing else done.
SlipRunResult reprintPaidSlip(const data::Database &db, qint64 matricula, const QDate &due, const QDate &paidOn,
                              core::RunReporter &reporter, const SlipOutput &output);

} // namespace billing
