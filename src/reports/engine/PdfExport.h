#pragma once

#include "reports/engine/Document.h"

#include <QString>

namespace reports {

// Writes every page of the document to a PDF file. Returns false, with a message for the user
// in `error`, when the file cannot be written.
bool writePdf(const Document &document, const QString &path, QString *error = nullptr);

} // namespace reports
