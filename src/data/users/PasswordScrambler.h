#pragma once

#include <QString>

namespace data {

// The reversible form in which older installations kept passwords: every character XORed,
// in turn, with each character of a fixed key. The same call scrambles and unscrambles.
// Kept only to recognise such passwords at log-on; new passwords are stored as hashes.
QString scramblePassword(const QString &text);

} // namespace data
