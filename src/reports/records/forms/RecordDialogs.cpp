#include "reports/records/forms/RecordDialogs.h"

#include "reports/forms/ReportRunner.h"
#include "reports/records/forms/TfrmFichaIndividual.h"

namespace reports {

void installRecordDialogs()
{
    setReportDialog(QStringLiteral("ficha-individual"),
                    [](const ReportEntry &, ReportValues &values, const data::Database &db, QWidget *parent) {
                        TfrmFichaIndividual dialog(db, recordChoice(values), parent);
                        if (dialog.exec() != QDialog::Accepted)
                            return false;
                        setRecordValues(values, dialog.choice(), db);
                        return true;
                    });
    setReportDialog(QStringLiteral("ficha-aluno"),
                    [](const ReportEntry &, ReportValues &values, const data::Database &db, QWidget *parent) {
                        TfrmFichaAluno dialog(db, studentFormChoice(values), parent);
                        if (dialog.exec() != QDialog::Accepted)
                            return false;
                        setStudentFormValues(values, dialog.choice(), db);
                        return true;
                    });
}

} // namespace reports
