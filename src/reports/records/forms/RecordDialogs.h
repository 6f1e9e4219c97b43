#pragma once

// Gives "Ficha Individual" its own "Defina " in place of the generic options dialog. Called
// once when the main window installs the report commands.
namespace reports {

void installRecordDialogs();

} // namespace reports
