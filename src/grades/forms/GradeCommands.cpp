#include "grades/forms/GradeCommands.h"

#include "app/CommandHost.h"
#include "grades/UnitMarksImport.h"
#include "grades/forms/AveragesCommands.h"
#include "grades/forms/GradeRunCommand.h"
#include "grades/forms/TfrmCriarOrdem.h"
#include "grades/forms/TfrmGerarNotas.h"
#include "grades/forms/TfrmImportarNotas.h"

namespace grades {

void installCommands(app::CommandHost &host, const app::ModuleServices &services)
{
    installAverageCommands(host, services);
    host.setMenuForm(QStringLiteral("mnuGerarNotas"), gradeRun<TfrmGerarNotas>(services));
    host.setMenuForm(QStringLiteral("mnuCriarNumOrdem"), gradeRun<TfrmCriarOrdem>(services));
    host.setMenuForm(QStringLiteral("mnuImportarNotas"),
                     gradeRun<TfrmImportarNotas>(services, {.refusal = kImportRefusal, .question = kImportQuestion}));
}

} // namespace grades
