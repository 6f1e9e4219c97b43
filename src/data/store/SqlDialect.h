#pragma once

#include "data/store/Schema.h"

#include <QString>

namespace data {

// The few pieces of SQL that differ between engines. Statements that need them are built with
// these helpers so that another engine is one more implementation of this class:
//   "select ... where " + d.month("ParcelaData") + " = :mes"
class SqlDialect
{
public:
    virtual ~SqlDialect() = default;

    virtual QString year(const QString &dateExpression) const = 0;  // integer
    virtual QString month(const QString &dateExpression) const = 0; // integer 1..12
    virtual QString day(const QString &dateExpression) const = 0;   // integer 1..31
    // Characters from `from` (1-based), at most `length` of them.
    virtual QString substring(const QString &expression, int from, int length) const = 0;
    virtual QString boolean(bool value) const = 0;
    virtual QString castInteger(const QString &expression) const = 0;
    // Column type for a field in CREATE TABLE / ALTER TABLE ADD.
    virtual QString columnType(const FieldDef &field) const = 0;
    // What ends an INSERT so that its step gives the new row's id (empty where the engine
    // tells it apart).
    virtual QString returningRowId() const = 0;
};

} // namespace data
