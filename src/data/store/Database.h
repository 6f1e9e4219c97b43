#pragma once

#include "data/store/Schema.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <memory>

namespace data {

class SqlDialect;
class DatabaseState;

// The file that holds every table of one directory (a school year, or the users directory).
inline constexpr char kStoreFileName[] = "Lumesco.db";

// Named parameters of a statement: "matricula" (or ":matricula") -> value. QDate binds as a
// date, bool as a logical, an invalid QVariant as NULL.
using SqlParams = QVariantMap;

// One directory's tables. A light handle: copies share one connection, which stays open while
// any handle, table or query uses it. Names ("Quorvel", "Veradim", "verCaixa") are bound to
// directories for this process; every name bound to one directory shares the same connection.
class Database
{
public:
    enum class Access { ReadWrite, ReadOnly };

    Database() = default; // not connected; every operation throws

    // Named databases of this process (case-insensitive names).
    static void defineName(const QString &name, const QString &directory);
    static void dropName(const QString &name);
    static bool nameExists(const QString &name);
    static QString directoryOfName(const QString &name);
    // The database a name is bound to; throws StoreError for an unknown name.
    static Database named(const QString &name);

    // The tables of a directory, created empty when the directory holds none (ReadWrite) or
    // read as they are (ReadOnly: another school year's data for an import). A server year's
    // address ("postgresql://servidor/escola?ano=2026", see ServerAddress) opens that year.
    static Database open(const QString &directory, Access access = Access::ReadWrite);

    // Table passwords of the file-based stores this one replaces: kept so callers may
    // register them, but SQLite tables carry none, so they change nothing.
    static void addPassword(const QString &password);
    static void removeAllPasswords();

    // Closes every connection nobody uses any more and forgets all names (log-off, restore).
    static void closeAll();

    bool isValid() const { return m_state != nullptr; }
    bool isServerYear() const;
    QString directory() const;
    QString filePath() const;
    bool isReadOnly() const;
    const SqlDialect &dialect() const;

    // Runs one statement (any of those the program uses, see Query); returns the number of
    // rows it changed. Every statement commits at once unless a Transaction is open.
    int exec(const QString &sql, const SqlParams &params = {}) const;
    // First column of the first row of a query; invalid when it returns no row.
    QVariant scalar(const QString &sql, const SqlParams &params = {}) const;

    // Layout.
    QStringList tableNames() const;
    bool hasTable(const QString &tableOrFileName) const;
    // The table's layout as stored: fields with types, widths and required flags, primary
    // key and named indexes. Throws when the table does not exist.
    TableDef layout(const QString &tableOrFileName) const;
    // Creates the table with its primary key and indexes; throws when it exists.
    void createTable(const TableDef &def) const;
    void dropTable(const QString &tableOrFileName) const;
    // Differences between the stored layout and `def`, one readable line each; empty when
    // every field, width, key and index agrees.
    QStringList compareLayout(const TableDef &def) const;

    // The tables open in this process on this directory (upper-case names, sorted).
    QStringList openTables() const;
    bool isTableOpen(const QString &tableOrFileName) const;
    // True when another process (another workstation) has the table open.
    bool isTableOpenElsewhere(const QString &tableOrFileName) const;

    // The canonical table name for a file name: "Alunos.DB" -> "ALUNOS" when ALUNOS exists,
    // else the name without its extension.
    QString tableNameFor(const QString &tableOrFileName) const;

    bool inTransaction() const;

    // The engine's own connection (a sqlite3 * or a PGconn *), for code that must speak to it
    // directly.
    void *nativeHandle() const;

    bool operator==(const Database &other) const { return m_state == other.m_state; }

private:
    friend class DatabaseState;
    friend class Table;
    friend class Query;
    friend class Transaction;
    friend class Savepoint;
    explicit Database(std::shared_ptr<DatabaseState> state) : m_state(std::move(state)) {}
    DatabaseState &state() const;

    std::shared_ptr<DatabaseState> m_state;
};

} // namespace data
