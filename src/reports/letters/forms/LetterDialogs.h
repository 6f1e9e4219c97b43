#pragma once

// Gives the labels and the notice their own dialogs (the declaration's is the register's
// "Informe o CPF") in place of the generic
// options dialog. Called once when the main window installs the report commands.
namespace reports {

void installLetterDialogs();

} // namespace reports
