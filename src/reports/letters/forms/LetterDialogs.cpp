#include "reports/letters/forms/LetterDialogs.h"

#include "reports/forms/ReportRunner.h"
#include "reports/forms/TfrmDefinirSituacao.h"
#include "reports/letters/forms/TfrmAvisoInadimplencia.h"
#include "reports/letters/forms/TfrmConfigEtiquetas.h"
#include "reports/letters/forms/TfrmEtiquetasAniversario.h"

namespace reports {

namespace {

bool askSituationLabels(const ReportEntry &, ReportValues &values, const data::Database &db, QWidget *parent)
{
    LabelSelection previous;
    parseSituation(values.text(QStringLiteral("situation")), previous);
    LabelSettings settings = labelSettings(values);
    TfrmDefinirSituacao dialog(db, parent);
    dialog.setChoice(values.text(QStringLiteral("class")), previous.situation, previous.situationCode);
    dialog.addCommand(labelSettingsButton(settings, &dialog));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values.set(QStringLiteral("class"), dialog.classCode(), db);
    values.set(QStringLiteral("situation"), situationWord(dialog.situation(), dialog.typedCode()), db);
    setLabelSettings(values, settings, db);
    return true;
}

bool askBirthdayLabels(const ReportEntry &, ReportValues &values, const data::Database &db, QWidget *parent)
{
    TfrmEtiquetasAniversario dialog(db, values.month(QStringLiteral("birth-month")), values.text(QStringLiteral("class")),
                                    labelSettings(values), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    values.set(QStringLiteral("birth-month"), QString::number(dialog.month()), db);
    values.set(QStringLiteral("class"), dialog.classCode(), db);
    setLabelSettings(values, dialog.settings(), db);
    return true;
}

bool askNotice(const ReportEntry &, ReportValues &values, const data::Database &db, QWidget *parent)
{
    TfrmAvisoInadimplencia dialog(db, values, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.store(values, db);
    return true;
}

} // namespace

void installLetterDialogs()
{
    setReportDialog(QStringLiteral("etiquetas"), askSituationLabels);
    setReportDialog(QStringLiteral("etiquetas-aniversariantes"), askBirthdayLabels);
    setReportDialog(QStringLiteral("aviso"), askNotice);
}

} // namespace reports
