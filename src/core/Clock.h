#pragma once

#include <QDate>
#include <QDateTime>

// The one source of today's date and the current time. LUMESCO_TODAY=YYYY-MM-DD and
// LUMESCO_NOW=YYYY-MM-DDTHH:MM:SS pin it (program, command line and tests alike).
namespace core {

QDate today();
QDateTime now();

// Pins the clock from code (tests); an invalid value unpins it.
void pinClock(const QDateTime &moment);

} // namespace core
