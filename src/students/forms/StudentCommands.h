#pragma once

#include "app/ModuleServices.h"

namespace app {
class CommandHost;
}

// The commands of the students subsystem in the main window: the "Alunos" button with the
// student register, and "Atualizar DIA e MÊS de Aniversário".
namespace students {

void installCommands(app::CommandHost &host, const app::ModuleServices &services);

} // namespace students
