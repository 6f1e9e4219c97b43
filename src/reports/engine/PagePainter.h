#pragma once

#include "reports/engine/Document.h"

#include <QPainter>
#include <QRectF>

namespace reports {

// Draws one page of a document into `target` (device coordinates of the painter's device):
// the same code draws the preview, the printer's pages and PDF files. The painter's state is
// left as it was found.
void paintPage(QPainter &painter, const Document &document, int pageIndex, const QRectF &target);

// Draws the page at its real size with the paper's top-left corner at the device's origin.
void paintPageFullSize(QPainter &painter, const Document &document, int pageIndex);

} // namespace reports
