#include "grades/forms/AveragesCommands.h"

#include "app/CommandHost.h"
#include "grades/UnitRowSave.h"
#include "grades/forms/GradeRunCommand.h"
#include "grades/forms/TfrmCalcNotas.h"
#include "grades/forms/TfrmCalcNotasConsolidadas.h"
#include "grades/forms/TfrmCalcPosicao.h"

namespace grades {

void installAverageCommands(app::CommandHost &host, const app::ModuleServices &services)
{
    installAverages(*services.academic);
    host.setMenuForm(QStringLiteral("mnuRecalcUnidades"), gradeRun<TfrmCalcNotas>(services));
    host.setMenuForm(QStringLiteral("mnuRecalcConsolidadas"), gradeRun<TfrmCalcNotasConsolidadas>(services));
    host.setMenuForm(QStringLiteral("mnuCalcColocacao"), gradeRun<TfrmCalcPosicao>(services, {.withRanking = true}));
}

} // namespace grades
