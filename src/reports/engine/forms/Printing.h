#pragma once

#include "reports/engine/Document.h"

class QPrinter;
class QWidget;

namespace reports {

// Shows the document in the modal preview window, from which the user prints or saves a PDF.
void showPreview(const Document &document, QWidget *parent = nullptr);

// Asks for the printer, copies and pages with the system's printer dialog, then prints.
// Returns false when the user cancels or printing fails (the failure has been shown).
bool printWithDialog(const Document &document, QWidget *parent = nullptr);

// Sends the document straight to the default printer, for the commands that skip the preview.
// Without a printer the user is told and nothing prints.
bool printDirect(const Document &document);

// Prints the printer's page range (all pages when none is set) on a printer already set up.
bool printDocument(const Document &document, QPrinter &printer);

// Makes Paper::Default the default printer's paper; the program calls it once at start.
void adoptDefaultPrinterPaper();

} // namespace reports
