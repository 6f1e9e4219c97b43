#pragma once

#include <QString>
#include <QVariant>

namespace reports {

// How a field's value prints: numbers through the display mask (or plainly without one),
// dates as dd/mm/yyyy, everything else as its text; empty values print nothing.
QString displayText(const QVariant &value, const QString &mask = QString());

} // namespace reports
