#pragma once

#include <QDate>
#include <QString>
#include <optional>

// Brazilian number and date conventions used by every screen, report and file of the program:
// thousands point, decimal comma, dates as dd/mm/yyyy.
namespace core {

inline constexpr QChar kThousandsSeparator = u'.';
inline constexpr QChar kDecimalSeparator = u',';
inline constexpr QChar kDateSeparator = u'/';

// The one reader of typed numbers, for boxes, filters, files and the command line:
// "1.234,56" -> 1234.56; "-3,5" -> -3.5; blanks around are ignored. Thousands points are
// optional but must sit every three digits after a lead group that is not zero, so "1.500" is
// 1500 while "0.050" and "1.5" (a point used as a decimal point) are refused rather than read
// as fifty or fifteen. Returns nullopt for empty or malformed text.
std::optional<double> parseNumber(const QString &text);

// Whole numbers only ("1.234" -> 1234), by the same rules; nullopt otherwise.
std::optional<qint64> parseInteger(const QString &text);

// What to tell someone whose number was refused.
QString invalidNumberMessage(const QString &text);

// Decimal places a display mask prints ("###,##0.00" -> 2, "0.0#" -> 2, "0" -> 0).
int maskDecimals(const QString &mask);

// Formats with a display mask in the style of the masks printed by the reports:
// '0' a required digit, '#' an optional digit, ',' in the integer part asks for thousands
// points, '.' places the decimal comma; other characters are copied (quoted text too);
// up to three sections "positive;negative;zero". Rounds half away from zero on the value as
// typed (15 significant digits), so 2,675 shows as 2,68 with "0.00".
QString formatNumber(double value, const QString &mask);

// Shortest natural text: "1234,5", "-3", "0,25"; used where no mask is given.
QString formatPlain(double value);

// Money with the usual "###,##0.00" mask.
QString formatMoney(double value);

// dd/mm/yyyy; empty for an invalid (null) date.
QString formatDate(const QDate &date);
// dd/mm/yyyy hh:mm:ss
QString formatDateTime(const QDateTime &dateTime);

// Accepts d/m/yyyy, dd/mm/yyyy and dd/mm/yy (two-digit years fall in the current century).
std::optional<QDate> parseDate(const QString &text);

enum class LetterCase { Lower, Capitalised, Upper };

// 1..12 -> "janeiro" .. "dezembro" (or "Janeiro", "JANEIRO"); empty outside the range.
QString monthName(int month, LetterCase letterCase = LetterCase::Lower);

// "05 de março de 2007"
QString longDate(const QDate &date, LetterCase monthCase = LetterCase::Lower);

// Removes blanks at both ends, as the text boxes do before storing.
QString trimmed(const QString &text);

} // namespace core
