#pragma once

#include <QStringView>

// Alphabetical order of Portuguese texts, the same in the database's indexes and in memory:
// letters first compare without accents and case ("ÁLVARO" among the A's, "ç" as "c"), then
// with accents, then exactly. The case-insensitive variant stops before the exact step, so
// "silva" equals "SILVA".
namespace data::collation {

inline constexpr char kName[] = "PTBR";
inline constexpr char kNameCaseInsensitive[] = "PTBR_CI";

int compare(QStringView a, QStringView b, bool caseInsensitive = false);
int compareUtf8(const char *a, int aLength, const char *b, int bLength, bool caseInsensitive);

// Registers both collations on a SQLite connection (a sqlite3 *); throws StoreError on failure.
void registerOn(void *connection);

} // namespace data::collation
