#include "billing/forms/BillingReportCommands.h"

#include "app/CommandHost.h"
#include "app/ModuleServices.h"
#include "billing/reports/AnnualSpreadsheets.h"
#include "billing/reports/BillingReports.h"
#include "core/Shell.h"
#include "core/forms/RunProgressDialog.h"
#include "data/store/Database.h"
#include "reports/forms/ReportRunner.h"
#include "students/forms/TfrmDefinirTurma.h"
#include "students/structure/StructureLists.h"

#include <QDir>

namespace billing {

namespace {

bool hasParam(const reports::ReportEntry &entry, const char *name)
{
    for (const reports::ReportParam &param : entry.params) {
        if (param.name == QLatin1String(name))
            return true;
    }
    return false;
}

students::ClassChoice classChoiceOf(const BillingChoice &b)
{
    students::ClassChoice c;
    c.allClasses = b.classCode.isEmpty();
    c.classCode = b.classCode;
    c.amountsDue = b.amountsDue;
    c.periodFrom = b.from;
    c.periodTo = b.to;
    c.monthScope = b.upToMonth ? students::MonthScope::UpToMonth : students::MonthScope::OnlyMonth;
    c.month = b.month;
    c.exportToExcel = b.exportToExcel;
    c.chargeType = b.kind;
    c.includeUnpaid = b.includeUnpaid;
    return c;
}

BillingChoice billingChoiceOf(const students::ClassChoice &c)
{
    BillingChoice b;
    b.classCode = c.allClasses ? QString() : c.classCode;
    b.kind = c.chargeType;
    b.from = c.periodFrom;
    b.to = c.periodTo;
    b.month = c.month;
    b.upToMonth = c.monthScope == students::MonthScope::UpToMonth;
    b.includeUnpaid = c.includeUnpaid;
    b.amountsDue = c.amountsDue;
    b.exportToExcel = c.exportToExcel;
    return b;
}

} // namespace

bool askBillingChoice(const reports::ReportEntry &entry, reports::ReportValues &values, const data::Database &db,
                      QWidget *parent)
{
    students::ClassPickerParts parts;
    parts.amountsDue = hasParam(entry, "values");
    parts.period = hasParam(entry, "from");
    parts.monthPeriod = hasParam(entry, "month");
    parts.includeUnpaid = hasParam(entry, "include-unpaid");
    parts.exportToExcel = true;
    parts.chargeType = true;
    students::TfrmDefinirTurma picker(students::classLines(db), parts, parent);
    picker.setChoice(classChoiceOf(billingChoice(values)));
    if (picker.exec() != QDialog::Accepted)
        return false;
    setBillingValues(values, billingChoiceOf(picker.choice()), db);
    return true;
}

namespace {

void runSpreadsheet(AnnualSheet sheet, const app::ModuleServices &services)
{
    core::RunProgressDialog progress(services.mainWindow);
    QString path;
    writeAnnualSheet(services.database(), sheet, QDir::currentPath(), progress, &path);
    if (!path.isEmpty())
        services.shell().open(path);
}

} // namespace

void installBillingReportCommands(app::CommandHost &host, const app::ModuleServices &services)
{
    for (const reports::ReportEntry &entry : billingReports())
        reports::setReportDialog(entry.name, askBillingChoice);
    host.setMenuForm(QStringLiteral("mnuPlanilhaPagamentos"), [services](app::ModuleLauncher &launcher) {
        launcher.restoreCursor();
        runSpreadsheet(AnnualSheet::Payments, services);
    });
    host.setMenuForm(QStringLiteral("mnuPlanilhaMensalidades"), [services](app::ModuleLauncher &launcher) {
        launcher.restoreCursor();
        runSpreadsheet(AnnualSheet::MonthlyFees, services);
    });
}

} // namespace billing
