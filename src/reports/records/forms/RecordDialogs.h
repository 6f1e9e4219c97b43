#pragma once

// Gives "Ficha Individual" and "Ficha de Aluno" their own dialogs in place of the generic options
// dialog. Called once when the main window installs the report commands.
namespace reports {

void installRecordDialogs();

} // namespace reports
