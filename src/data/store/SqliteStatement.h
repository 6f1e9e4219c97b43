#pragma once

#include "data/store/Engine.h"

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace data::sqlite {

// One prepared statement, reused with new values; finalised on destruction.
class Statement : public engine::Statement
{
public:
    Statement(sqlite3 *db, const QString &sql);
    ~Statement() override;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    const QString &sql() const override { return m_sql; }

    void bind(int position, const QVariant &value) override;
    void bindNamed(const SqlParams &params) override;
    bool step() override;
    void reset() override;

    int columnCount() const override;
    QString columnName(int column) const override;
    QString declaredType(int column) const override;
    bool isNull(int column) const override;
    QVariant value(int column, FieldType type) const override;
    QVariant rawValue(int column) const override;
    qint64 int64(int column) const override;
    const char *utf8(int column, int *length) const override;
    qint64 insertedId() const override;
    int changes() const override;

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
