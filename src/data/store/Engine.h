#pragma once

#include "data/store/Database.h"
#include "data/store/Schema.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace data {

class SqlDialect;
class TableLocks;

// What the store asks of a database engine: a connection that prepares statements, reads the
// stored layout and says where it stands. The store's datasets, queries and transactions are
// written once over these; SQLite (a file per school year) and PostgreSQL (a server year) are
// the two implementations.
namespace engine {

// The value `params` holds for the mark ":name" (keys written with or without the colon, in any
// case); null when it holds none.
inline const QVariant *namedValue(const SqlParams &params, QStringView name)
{
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        QStringView key = it.key();
        if (key.startsWith(u':'))
            key = key.mid(1);
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return &it.value();
    }
    return nullptr;
}

// One prepared statement, reused with new values.
class Statement
{
public:
    virtual ~Statement() = default;

    virtual const QString &sql() const = 0;
    virtual void bind(int position, const QVariant &value) = 0; // 1-based; "?" marks in order
    // Binds every ":name" of the statement from `params`; a name without a value is an error.
    virtual void bindNamed(const SqlParams &params) = 0;
    // Runs to the next row: true when a row is there, false when the statement is done.
    virtual bool step() = 0;
    virtual void reset() = 0;

    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    // The store's type text of a column read straight from a table ("CHAR(42)", "DATE",
    // "MONEY REAL"); empty for an expression.
    virtual QString declaredType(int column) const = 0;
    virtual bool isNull(int column) const = 0;
    // The column as the field type reads it (QString, double, int, QDate, bool; null when empty).
    virtual QVariant value(int column, FieldType type) const = 0;
    // The column as the engine holds it (text, integer or float).
    virtual QVariant rawValue(int column) const = 0;
    virtual qint64 int64(int column) const = 0;
    // The column's text (UTF-8), valid until the next step; null when the column is empty.
    virtual const char *utf8(int column, int *length) const = 0;

    // After a step of an INSERT: the row id of the new row.
    virtual qint64 insertedId() const = 0;
    // After a write has run: the number of rows it changed.
    virtual int changes() const = 0;
};

class Connection
{
public:
    virtual ~Connection() = default;

    virtual std::unique_ptr<Statement> prepare(const QString &sql) = 0;
    virtual const SqlDialect &dialect() const = 0;
    // The statement texts the engine runs for one statement of the program's SQL (the store's
    // rewrites; an ALTER TABLE of several clauses gives one text per clause).
    virtual QStringList rewrite(const QString &sql) const = 0;

    // Inside a transaction a failed statement is taken back alone and the transaction goes on
    // (SQLite does this itself; the server engine gives each statement a savepoint).
    virtual bool inTransaction() const = 0;
    // The statement that opens an outermost transaction holding the write lock.
    virtual QString beginText() const = 0;
    virtual void rollbackOnClose() = 0;

    virtual QStringList tableNames() = 0;
    virtual QString canonicalTable(const QString &name) = 0; // empty when absent
    virtual TableDef readLayout(const QString &canonicalTable) = 0;
    // The statements that create a table as the store lays it out (the caller runs them in one
    // savepoint).
    virtual QStringList createTableStatements(const TableDef &def) const = 0;

    // The row id a new row of `table` takes when its append is held to go with others (see
    // AppendBatch); 0 when the engine writes each append at once and reports its id.
    virtual qint64 reserveRowId(const QString &table)
    {
        Q_UNUSED(table);
        return 0;
    }

    virtual std::shared_ptr<TableLocks> locks() = 0;
    // Where the tables live, as the user names it: a directory, or a server year's address.
    virtual QString location() const = 0;
    virtual QString filePath() const = 0;
    virtual void *nativeHandle() const = 0;
};

} // namespace engine

} // namespace data
