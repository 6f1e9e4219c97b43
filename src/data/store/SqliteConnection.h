#pragma once

#include "data/store/Engine.h"
#include "data/store/SqlDialect.h"

struct sqlite3;

namespace data {

// SQLite's pieces of SQL.
class SqliteDialect : public SqlDialect
{
public:
    QString year(const QString &dateExpression) const override;
    QString month(const QString &dateExpression) const override;
    QString day(const QString &dateExpression) const override;
    QString substring(const QString &expression, int from, int length) const override;
    QString boolean(bool value) const override;
    QString castInteger(const QString &expression) const override;
    QString columnType(const FieldDef &field) const override;
    QString returningRowId() const override { return {}; }
};

// A directory's tables in one SQLite file ("Lumesco.db"), shared by the workstations that
// open the directory.
class SqliteConnection : public engine::Connection
{
public:
    SqliteConnection(const QString &directory, bool readOnly);
    ~SqliteConnection() override;

    std::unique_ptr<engine::Statement> prepare(const QString &sql) override;
    const SqlDialect &dialect() const override { return m_dialect; }
    QStringList rewrite(const QString &sql) const override;

    bool inTransaction() const override;
    QString beginText() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    void rollbackOnClose() override;

    QStringList tableNames() override;
    QString canonicalTable(const QString &name) override;
    TableDef readLayout(const QString &canonicalTable) override;
    QStringList createTableStatements(const TableDef &def) const override;

    std::shared_ptr<TableLocks> locks() override { return m_locks; }
    QString location() const override { return m_directory; }
    QString filePath() const override { return m_filePath; }
    void *nativeHandle() const override { return m_handle; }

private:
    void runPlain(const char *sql);

    QString m_directory;
    QString m_filePath;
    sqlite3 *m_handle = nullptr;
    SqliteDialect m_dialect;
    std::shared_ptr<TableLocks> m_locks;
};

} // namespace data
