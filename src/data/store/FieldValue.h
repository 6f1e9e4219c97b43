#pragma once

#include "data/store/Schema.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

namespace data {

struct DatasetField;

// How the store reads values into a field's type and writes them back as text. Datasets and
// the filter language share it, so a value typed in a grid and the same value written in a
// filter mean the same thing.
namespace fieldvalue {

bool isTextType(FieldType type);
bool isIntegerType(FieldType type);
bool isNumberType(FieldType type); // integers, floats and money

// "True"/"False", "Sim"/"Não", "S"/"N", "T"/"F", "1"/"0"; nullopt for anything else.
std::optional<bool> parseLogical(const QString &text);
// dd/mm/yyyy (also d/m/yy) or ISO yyyy-mm-dd; nullopt for an impossible date.
std::optional<QDate> parseDate(const QString &text);

// A value in the field's type: texts cut to the field's width, an empty text null, money
// rounded to the centavo, numbers in texts read by core::parseNumber. Throws StoreError when it
// does not fit ("abc" or "0.050" for a number, an impossible date, 40000 for a short).
QVariant convertIn(const DatasetField &field, const QVariant &value);

// Orders two values of a field as an index does: empty first, texts alphabetically (see
// Collation.h), dates by date, numbers and logicals by value.
int compare(FieldType type, const QVariant &a, const QVariant &b, bool caseInsensitive = false);

// The value as text: as stored (display false) or as shown (display true: the field's
// display mask, money with two decimals). Empty for null.
QString format(const DatasetField &field, const QVariant &value, bool display);

} // namespace fieldvalue
} // namespace data
