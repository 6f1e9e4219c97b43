#include "reports/forms/ReportRunner.h"

#include "reports/engine/forms/Printing.h"
#include "reports/forms/ReportOptionsDialog.h"

#include "core/Dialogs.h"
#include "core/forms/RunProgressDialog.h"
#include "data/settings/Settings.h"

#include <QApplication>
#include <QHash>

namespace reports {

namespace {

QHash<QString, ReportDialog> &ownDialogs()
{
    static QHash<QString, ReportDialog> dialogs;
    return dialogs;
}

// The hourglass while the tables are read.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

bool askValues(const ReportEntry &entry, ReportValues &values, const data::Database &db,
               QWidget *parent)
{
    if (const ReportDialog own = ownDialogs().value(entry.name))
        return own(entry, values, db, parent);
    if (entry.params.isEmpty())
        return true;
    ReportOptionsDialog dialog(entry.dialogCaption, values, db, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values = dialog.values();
    return true;
}

} // namespace

void setReportDialog(const QString &reportName, ReportDialog dialog)
{
    ownDialogs().insert(reportName, std::move(dialog));
}

void runReport(const ReportEntry &entry, const data::Database &db, QWidget *parent)
{
    ReportValues values(entry.params);
    const bool asks =
        entry.askAgain && (!entry.params.isEmpty() || ownDialogs().contains(entry.name));
    if (entry.prepare) {
        core::RunProgressDialog progress(parent);
        if (!entry.prepare(db, progress))
            return;
    }
    do {
        if (!askValues(entry, values, db, parent))
            return;
        Document document;
        try {
            const WaitCursor wait;
            document = entry.build({db, SchoolInfo::fromSettings(data::settings()), values});
        } catch (const ReportParamError &refusal) {
            // The answers cannot be printed (all classes where one is needed): another choice may.
            core::inform(refusal.message());
            continue;
        } catch (const data::StoreError &error) {
            core::showError(error.message());
            continue;
        }
        showPreview(document, parent);
    } while (asks);
}

} // namespace reports
