#pragma once

#include "reports/MarkCell.h"
#include "reports/engine/Report.h"

// A mark field of the teachers' banded sheets, printed by the mark-cell rule; the row's TIPO
// and PFINAL fields feed the rule.
namespace reports {

void addMarkField(Band &band, const QString &field, const QRect &rect, MarkColumn column, const PassMarks &passMarks);

} // namespace reports
