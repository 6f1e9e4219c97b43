#include "app/program/ProgramAssembly.h"

#include "app/ModuleServices.h"
#include "app/forms/MaintenanceCommands.h"
#include "app/forms/ReportCommands.h"
#include "app/forms/SessionCommands.h"
#include "app/forms/TfrmMain.h"
#include "backup/forms/BackupCommands.h"
#include "billing/forms/BillingCommands.h"
#include "cashbook/forms/CashBookCommands.h"
#include "data/bulk/BulkRun.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "export/forms/TfrmGerarArquivo.h"
#include "grades/forms/GradeCommands.h"
#include "students/forms/StudentCommands.h"

namespace app {

ProgramAssembly::ProgramAssembly()
    : m_window(std::make_unique<TfrmMain>()),
      m_academic(std::make_unique<data::TDataModule1>()),
      m_cashBook(std::make_unique<data::TdmTarnel>())
{
}

ProgramAssembly::~ProgramAssembly()
{
    // The hold reaches into the academic module, which goes with this program.
    data::BulkRun::setRefreshHold({});
}

std::unique_ptr<ProgramAssembly> assembleProgram()
{
    std::unique_ptr<ProgramAssembly> program(new ProgramAssembly);
    data::TDataModule1 *academic = program->m_academic.get();
    // Long runs hold the network refresh while they write.
    data::BulkRun::setRefreshHold([academic](bool hold) {
        hold ? academic->pauseRefresh() : academic->resumeRefresh();
    });

    // Each subsystem plugs its commands into the window with one installer.
    TfrmMain &window = *program->m_window;
    ModuleServices services{&window, academic, program->m_cashBook.get()};
    program->m_session = std::make_unique<SessionCommands>(window, services);
    SessionCommands *session = program->m_session.get();
    services.logOff = [session] { session->toggle().logOff(); };
    installMaintenanceCommands(window, services);
    installReportCommands(window, services);
    backup::installCommands(window, services);
    billing::installCommands(window, services);
    cashbook::installCommands(window, services);
    students::installCommands(window, services);
    grades::installCommands(window, services);
    exporting::installAtaDialogs();
    return program;
}

} // namespace app
