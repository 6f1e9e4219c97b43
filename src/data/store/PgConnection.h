#pragma once

#include "data/store/Engine.h"
#include "data/store/ServerAddress.h"
#include "data/store/SqlDialect.h"

#include <QHash>

#include <memory>

typedef struct pg_conn PGconn;
typedef struct pg_result PGresult;

namespace data {

class PgAppendQueue;

// PostgreSQL's pieces of SQL.
class PgDialect : public SqlDialect
{
public:
    QString year(const QString &dateExpression) const override;
    QString month(const QString &dateExpression) const override;
    QString day(const QString &dateExpression) const override;
    QString substring(const QString &expression, int from, int length) const override;
    QString boolean(bool value) const override;
    QString castInteger(const QString &expression) const override;
    QString columnType(const FieldDef &field) const override;
    QString returningRowId() const override { return QStringLiteral(" RETURNING rowid"); }
};

// A school year on a PostgreSQL server: one schema of the school's database. Names are folded
// to lower case as the server does; each table, column and index keeps the program's own name
// (and the column its type) in its comment, so layouts read back as they were made.
class PgConnection : public engine::Connection
{
public:
    PgConnection(const ServerAddress &address, bool readOnly);
    ~PgConnection() override;

    std::unique_ptr<engine::Statement> prepare(const QString &sql) override;
    const SqlDialect &dialect() const override { return m_dialect; }
    QStringList rewrite(const QString &sql) const override;

    bool inTransaction() const override;
    QString beginText() const override { return QStringLiteral("BEGIN"); }
    void rollbackOnClose() override;

    QStringList tableNames() override;
    QString canonicalTable(const QString &name) override;
    TableDef readLayout(const QString &canonicalTable) override;
    QStringList createTableStatements(const TableDef &def) const override;

    qint64 reserveRowId(const QString &table) override;

    std::shared_ptr<TableLocks> locks() override { return m_locks; }
    QString location() const override { return m_address.text; }
    QString filePath() const override { return m_address.text; }
    void *nativeHandle() const override { return m_conn; }

    const ServerAddress &address() const { return m_address; }
    // The connection, once a batch of appends sent in the background has gone (see PgAppendQueue).
    PGconn *handle() const;
    // A result column read straight from a table: its field as the store knows it (null when
    // the table is not one of this year's).
    const FieldDef *sourceField(unsigned tableOid, int column);
    void forgetColumns() { m_byOid.clear(); }
    // The savepoint that opened the transaction now open (lower case), if one did.
    const QString &openingSavepoint() const { return m_openingSavepoint; }
    void setOpeningSavepoint(const QString &name) { m_openingSavepoint = name; }
    QString nextStatementName();
    // The year's writer lock, taken by every outermost transaction until it ends: one writing
    // run at a time, as on a school-year file, so numbers read for new rows stay its own.
    QString writerLockText() const;
    // Runs a statement without parameters; throws StoreError on failure.
    void command(const QString &sql);
    // The rows of a catalogue query with text parameters, every value as text (empty when null).
    QList<QStringList> rows(const QString &sql, const QStringList &params);
    // Runs one statement inside the open transaction in a savepoint of its own, so that its
    // failure takes back only itself: the savepoint, the statement and the release go in one
    // round trip. `name` is the statement prepared on the server (empty: sent as text); with
    // `prepareNow` it is prepared under that name first, and `prepared` tells whether that
    // worked. Returns the statement's answer (the preparation's, when it could not be read).
    PGresult *runAlone(const QByteArray &serverSql, const char *const *values, int count, const QByteArray &name,
                       bool prepareNow, bool *prepared);

    // Savepoints and their releases inside a transaction wait to go with the next statement that
    // reaches the server: a row's savepoint, its statement and the release of the row before
    // cost one round trip, and a row that wrote nothing costs none.
    void deferSavepoint(const QString &name);
    void deferRelease(const QString &name); // cancels the savepoint when that is still waiting
    // Before a ROLLBACK TO: true when the savepoint is still waiting, so nothing was done since
    // (the savepoint itself stays, as after a rollback to it).
    bool rollBackWaiting(const QString &name);
    void dropWaitingControl() { m_waitingControl.clear(); }
    // Sends what waits, in one round trip; throws StoreError when the server refuses it.
    void sendWaitingControl();

    // A big load into an empty table: its plain (not unique) indexes are dropped before the first
    // full batch goes, and made again, once, before the next other statement (restoreIndexes,
    // run by every send of the appends): a sorted build costs far less than keeping them row by
    // row. Nothing happens when the table holds rows or another desk keeps it busy.
    void setIndexesAside(const QByteArray &table);
    // Throws StoreError when an index cannot be made again (the transaction then fails).
    void restoreIndexes();
    // The transaction is being rolled back: the dropped indexes come back with it.
    void forgetIndexesAside();

    // Appends held to go to the server together (see AppendBatch); calls nest.
    void holdAppends(bool hold);
    // True while appends are held and a transaction is open.
    bool holdsAppends() const;
    PgAppendQueue &appendQueue() { return *m_appends; }
    // The connection behind a Database's native handle; null for another engine's.
    static PgConnection *ofHandle(void *handle);

private:
    void ensureSchema(bool readOnly);
    // Runs `sql` in a savepoint of the open transaction; false (and undone) when it fails.
    bool attempt(const QString &sql);

    ServerAddress m_address;
    PGconn *m_conn = nullptr;
    PgDialect m_dialect;
    std::shared_ptr<TableLocks> m_locks;
    QHash<unsigned, QHash<int, FieldDef>> m_byOid; // table -> column number -> field
    quint64 m_statements = 0;
    QString m_openingSavepoint;
    std::unique_ptr<PgAppendQueue> m_appends;
    int m_holdingAppends = 0;
    QByteArrayList m_waitingControl; // SAVEPOINT / RELEASE texts, in order
    struct ReservedRowIds
    {
        QList<qint64> ids; // the last one first
        int nextBlock = 1024;
    };
    QHash<QString, ReservedRowIds> m_reservedRowIds; // by table: ids taken for held appends
    QByteArrayList m_indexesAside; // the statements that make them again
    QList<QByteArray> m_tablesLookedAt; // since the last restoreIndexes: looked at for setting aside
};

// The store's text for a failed result (null: the connection's last error), with the
// statement when there is one.
QString pgErrorText(PGconn *conn, const PGresult *result, const QString &sql = QString());

} // namespace data
