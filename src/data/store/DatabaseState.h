#pragma once

#include "data/store/Database.h"
#include "data/store/SqlDialect.h"
#include "data/store/Engine.h"
#include "data/store/TableLocks.h"

#include <QHash>
#include <memory>

namespace data {

// The shared state behind Database handles: one connection to one school year (a directory's
// file or a server year).
class DatabaseState
{
public:
    DatabaseState(std::unique_ptr<engine::Connection> connection, bool readOnly);
    ~DatabaseState();

    std::unique_ptr<engine::Connection> connection;
    QString directory; // the connection's location
    QString filePath;
    bool readOnly = false;
    const SqlDialect &dialect;
    std::shared_ptr<TableLocks> locks;
    int rowSavepoints = 0; // row savepoints open now (they nest; each depth has its name)
    // The Transaction objects open on this connection, outermost first, by serial number:
    // an inner one whose outer one already ended finds itself gone and has nothing to undo.
    QList<quint64> transactions;
    quint64 transactionSerial = 0;

    // A prepared statement kept for reuse (row rules run the same statements again and again).
    engine::Statement &cached(const QString &sql);
    std::unique_ptr<engine::Statement> prepare(const QString &sql) { return connection->prepare(sql); }
    // The statement text as the engine takes it (the store's rewrites, one text per clause);
    // kept, since row rules and bulk runs send the same texts again and again.
    const QStringList &rewritten(const QString &sql);
    // Runs the statement text (after the store's rewrites); the number of rows changed.
    int run(const QString &sql, const SqlParams &params);
    void runPlain(const QString &sql); // internal statements without parameters
    // The same for the few texts that come back all the time (transactions and savepoints,
    // named by their depth), kept prepared.
    void runKept(const QString &sql);

    QString canonicalTable(const QString &tableOrFileName) const; // empty when absent
    const TableDef &layout(const QString &tableOrFileName);
    void forgetLayouts() { m_layouts.clear(); }

private:
    QHash<QString, std::shared_ptr<engine::Statement>> m_cache;
    QList<QString> m_cacheOrder;
    QHash<QString, QStringList> m_rewritten;
    QHash<QString, TableDef> m_layouts;
};

// "Alunos.DB" -> "Alunos"; a path keeps only its file name.
QString stemOf(const QString &fileName);

} // namespace data
