#include "reports/forms/AcademicReportDialogs.h"

#include "reports/forms/ReportRunner.h"
#include "reports/forms/TfrmDefinirTurmaNotas.h"
#include "reports/forms/TfrmOpcoesBoletim.h"

namespace reports {

void installAcademicReportDialogs()
{
    setReportDialog(QStringLiteral("boletim"),
                    [](const ReportEntry &, ReportValues &values, const data::Database &db, QWidget *parent) {
                        TfrmOpcoesBoletim dialog(db, cardOptions(values), parent);
                        if (dialog.exec() != QDialog::Accepted)
                            return false;
                        setCardValues(values, dialog.options(), db);
                        return true;
                    });
    setReportDialog(QStringLiteral("resultados"),
                    [](const ReportEntry &, ReportValues &values, const data::Database &db, QWidget *parent) {
                        TfrmDefinirTurmaNotas dialog(db, values, {}, parent);
                        if (dialog.exec() != QDialog::Accepted)
                            return false;
                        values = dialog.values();
                        return true;
                    });
}

} // namespace reports
