#pragma once

namespace app {
class CommandHost;
struct ModuleServices;
} // namespace app

namespace grades {

// The grade tables' menu entries: "Gerar Tabela de Notas", "Criar Nº de Ordem para Alunos na
// Turma" and "Importar Valores para Tabela de Notas", each refused while a module holds the
// tables; with them the averages' entries.
void installCommands(app::CommandHost &host, const app::ModuleServices &services);

} // namespace grades
