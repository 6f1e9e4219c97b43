#pragma once

#include "reports/engine/Document.h"

#include <QImage>
#include <QStringList>

// Reads the codes of a picture back with zbarimg, as a scanner would: "CODABAR:A123B",
// "QR-Code:000201...".
QStringList decodeSymbols(const QImage &image);

// A page of the document as the printer would draw it, at `dpi`.
QImage renderPage(const reports::Document &document, int pageIndex, int dpi);
