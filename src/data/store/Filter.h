#pragma once

#include "data/store/Dataset.h"

#include <QString>
#include <QVariantList>
#include <memory>

namespace data {

// The filter language of the datasets, parsed once:
//   expression := term { OR term }        term := factor { AND factor }
//   factor     := NOT factor | "(" expression ")" | operand [ op operand ]
//   op         := = <> < > <= >=          operand := field | 'text' | number | NULL | TRUE | FALSE
// Field names are case-insensitive; texts use '' for a quote. Paradox rules: an empty text
// field equals '' (and NULL); "<> NULL" and "<> ''" mean "not empty"; a quoted dd/mm/yyyy
// compared with a date field is a date; a quoted number compared with a number field is a
// number; 1/0 and 'True'/'False' compare with logical fields; a number may use a decimal
// comma. A bare field is true when it is not empty (logical: when true).
class FilterExpression
{
public:
    ~FilterExpression();
    // Throws StoreError naming the position of a syntax error.
    static std::unique_ptr<FilterExpression> parse(const QString &text);

    const QString &text() const { return m_text; }

    // Binds field names to `fields` and literals to the fields' types; throws StoreError for
    // a field that is missing or a literal that does not fit (an invalid date).
    void prepare(const QList<DatasetField> &fields);

    // SQL condition over the prepared fields' names with "?" placeholders whose values are
    // appended to `values`.
    QString toSql(QVariantList &values) const;
    // The same condition evaluated on a row of values, in the order of the prepared fields.
    bool matches(const QVariantList &values) const;

    struct Node;

private:
    FilterExpression() = default;
    QString m_text;
    std::unique_ptr<Node> m_root;
};

} // namespace data
