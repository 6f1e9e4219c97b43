#pragma once

#include "reports/sheets/AtaOptions.h"

#include <functional>

class QWidget;

// "&Gerar Arquivo" of the minutes' and the grade sheets' dialogs: the minutes written as a text
// file instead of printed. The dialogs live here and the export window in the export library,
// so the dialog is handed the export to run.
namespace reports {

// Runs the export of the classes and leavers choice of `options`; `classListText` is the text
// of the dialog's class list, which names the file.
using AtaFileExport = std::function<void(const AtaOptions &options, const QString &classListText, QWidget *parent)>;

// Asks whether to write the file and, on yes, runs `exportFile`. The dialog closes either way.
void askAndExport(const AtaFileExport &exportFile, const AtaOptions &options, const QString &classListText,
                  QWidget *parent);

} // namespace reports
