#pragma once

namespace app {
class CommandHost;
struct ModuleServices;
} // namespace app

namespace students {

// The "Tabelas" button (classes, subjects, staff, teachers) and the menu entry "Importar
// Cadastro de Alunos"; part of the subsystem's installCommands().
void installStructureCommands(app::CommandHost &host, const app::ModuleServices &services);

} // namespace students
