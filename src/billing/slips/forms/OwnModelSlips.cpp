#include "billing/slips/forms/OwnModelSlips.h"

#include "billing/slips/SlipReport.h"
#include "billing/slips/forms/TfrmPrepararBoleto.h"
#include "core/Dialogs.h"
#include "core/forms/RunProgressDialog.h"
#include "data/settings/SettingsStore.h"
#include "data/store/StoreError.h"
#include "reports/engine/forms/Printing.h"

namespace billing {

void printOwnModelSlips(QWidget *parent, const BoletoChoices &choices)
{
    try {
        TfrmPrepararBoleto dialog(data::Database::named(QString::fromLatin1(data::kMainDatabaseName)), choices, parent);
        dialog.exec();
    } catch (const data::StoreError &e) {
        // No school year is open.
        core::showError(e.message());
    }
}

void reprintPaidCharge(QWidget *parent, const data::Database &db, qint64 matricula, const QDate &due,
                       const QDate &paidOn)
{
    core::RunProgressDialog progress(parent);
    try {
        reprintPaidSlip(db, matricula, due, paidOn, progress, [parent](const reports::Document &document) {
            reports::showPreview(document, parent);
            return true;
        });
    } catch (const data::StoreError &e) {
        core::showError(e.message());
    }
}

} // namespace billing
