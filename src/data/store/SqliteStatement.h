#pragma once

#include "data/store/Database.h"
#include "data/store/Schema.h"

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace data::sqlite {

// One prepared statement, reused with new values; finalised on destruction.
class Statement
{
public:
    Statement(sqlite3 *db, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    const QString &sql() const { return m_sql; }

    void bind(int position, const QVariant &value); // 1-based
    // Binds every ":name" of the statement from `params`; a name without a value is an error.
    void bindNamed(const SqlParams &params);
    // Runs to the next row: true when a row is there, false when the statement is done.
    bool step();
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    QString declaredType(int column) const;
    bool isNull(int column) const;
    // The column as the field type reads it (QString, double, int, QDate, bool; null when empty).
    QVariant value(int column, FieldType type) const;
    // The column as the engine holds it (text, integer or float).
    QVariant rawValue(int column) const;
    qint64 int64(int column) const;
    // The column's text as the engine holds it (UTF-8), valid until the next step; null when
    // the column is empty (NULL).
    const char *utf8(int column, int *length) const;

    sqlite3 *connection() const { return m_db; }

private:
    [[noreturn]] void fail(int code) const;

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_sql;
    QByteArray m_utf8;
};

// The store's text for an engine failure, with the statement when there is one.
QString errorText(sqlite3 *db, int code, const QString &sql = QString());

} // namespace data::sqlite
