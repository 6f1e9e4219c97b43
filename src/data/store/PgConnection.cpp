#include "data/store/PgConnection.h"

#include "data/store/PgAppendQueue.h"
#include "data/store/PgSqlText.h"
#include "data/store/PgStatement.h"
#include "data/store/SqlText.h"
#include "data/store/StoreError.h"
#include "data/store/TableLocks.h"

#include <QMap>
#include <QMutex>
#include <QVarLengthArray>

#include <libpq-fe.h>

#include <algorithm>
#include <utility>

namespace data {

namespace {

using sqltext::quoteName;
using pgsql::folded;
using pgsql::literal;
using pgsql::unquoted;

// The live connections by their native handle, for AppendBatch to find its own.
QMutex liveMutex;
QHash<void *, PgConnection *> live;

quint32 fnv(const QString &text)
{
    quint32 hash = 2166136261u;
    for (QChar c : text) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return hash;
}

// Advisory locks of the server, one pair of keys (school year, table) per table; the server
// drops them when the connection ends, however it ends.
class PgTableLocks : public TableLocks
{
public:
    explicit PgTableLocks(PgConnection &connection)
        : m_connection(connection), m_year(fnv(connection.address().schema))
    {
    }

    bool isOpenElsewhere(const QString &table) const override
    {
        return ask(QStringLiteral("SELECT count(*) FROM pg_locks WHERE locktype = 'advisory' "
                                  "AND database = (SELECT oid FROM pg_database WHERE datname = current_database()) "
                                  "AND classid = $1 AND objid = $2 AND objsubid = 2 AND pid <> pg_backend_pid()"),
                   QString::number(m_year), QString::number(fnv(table.toUpper())))
            != u"0";
    }

protected:
    bool lockOne(const QString &table, Kind kind) override
    {
        const QString key1 = QString::number(qint32(m_year));
        const QString key2 = QString::number(qint32(fnv(table)));
        if (kind == Kind::None) {
            const Kind held = m_held.take(table);
            ask(held == Kind::Exclusive ? QStringLiteral("SELECT pg_advisory_unlock($1, $2)")
                                        : QStringLiteral("SELECT pg_advisory_unlock_shared($1, $2)"),
                key1, key2);
            return true;
        }
        const bool taken = ask(kind == Kind::Exclusive ? QStringLiteral("SELECT pg_try_advisory_lock($1, $2)")
                                                       : QStringLiteral("SELECT pg_try_advisory_lock_shared($1, $2)"),
                               key1, key2)
            == u"t";
        if (taken)
            m_held.insert(table, kind);
        return taken;
    }

private:
    QString ask(const QString &sql, const QString &a, const QString &b) const
    {
        return m_connection.rows(sql, {a, b}).value(0).value(0);
    }

    PgConnection &m_connection;
    quint32 m_year;
    QHash<QString, Kind> m_held;
};

// The unique constraint that holds a table's key.
QString keyName(const QString &table)
{
    return folded(table + QStringLiteral("_chave"));
}

void ignoreNotice(void *, const char *)
{
}

} // namespace

// ---------------------------------------------------------------------------------------------
// PostgreSQL's dialect

QString PgDialect::year(const QString &e) const
{
    return QStringLiteral("CAST(EXTRACT(YEAR FROM %1) AS INTEGER)").arg(e);
}

QString PgDialect::month(const QString &e) const
{
    return QStringLiteral("CAST(EXTRACT(MONTH FROM %1) AS INTEGER)").arg(e);
}

QString PgDialect::day(const QString &e) const
{
    return QStringLiteral("CAST(EXTRACT(DAY FROM %1) AS INTEGER)").arg(e);
}

QString PgDialect::substring(const QString &e, int from, int length) const
{
    return QStringLiteral("substr(CAST(%1 AS TEXT), %2, %3)").arg(e).arg(from).arg(length);
}

QString PgDialect::boolean(bool value) const
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString PgDialect::castInteger(const QString &e) const
{
    // Cut toward zero, as SQLite does, where the server would round; as wide as SQLite's integers.
    return QStringLiteral("CAST(trunc(CAST(%1 AS DOUBLE PRECISION)) AS BIGINT)").arg(e);
}

QString PgDialect::columnType(const FieldDef &f) const
{
    // Texts are not cut by the server: the store cuts them to their width, and a statement
    // that writes a longer one keeps it, as the file-based store does.
    switch (f.type) {
    case FieldType::Text:
    case FieldType::Memo:
        return QStringLiteral("TEXT COLLATE ptbr");
    case FieldType::Float:
    case FieldType::Money:
        return QStringLiteral("DOUBLE PRECISION");
    case FieldType::Short:
        return QStringLiteral("SMALLINT");
    case FieldType::Long:
    case FieldType::AutoIncrement:
        return QStringLiteral("INTEGER");
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::Logical:
        return QStringLiteral("SMALLINT"); // 0/1, as the program's statements write them
    }
    return QStringLiteral("TEXT");
}

QString pgErrorText(PGconn *conn, const PGresult *result, const QString &sql)
{
    const QString engine = QString::fromUtf8(result ? PQresultErrorMessage(result) : PQerrorMessage(conn)).trimmed();
    const QByteArray state = result ? QByteArray(PQresultErrorField(result, PG_DIAG_SQLSTATE)) : QByteArray();
    QString text;
    if (state == "23505")
        text = QStringLiteral("Chave duplicada: já existe um registro com esta chave (%1).").arg(engine);
    else if (state == "23502")
        text = QStringLiteral("Campo obrigatório sem valor (%1).").arg(engine);
    else if (state.startsWith("23"))
        text = QStringLiteral("Registro recusado pelo banco de dados (%1).").arg(engine);
    else if (state == "55P03" || state == "40P01" || state == "40001")
        text = QStringLiteral("O banco de dados está sendo usado por outra estação. Tente novamente em instantes.");
    else if (state == "25006")
        text = QStringLiteral("O banco de dados está aberto somente para leitura.");
    else if (state == "53100")
        text = QStringLiteral("Não há espaço em disco para gravar os dados.");
    else if (state.startsWith("08") || PQstatus(conn) != CONNECTION_OK)
        text = QStringLiteral("A conexão com o servidor de banco de dados foi perdida: %1").arg(engine);
    else
        text = QStringLiteral("Erro no banco de dados: %1").arg(engine);
    if (!sql.isEmpty())
        text += QStringLiteral("\nInstrução: ") + sql.trimmed();
    return text;
}

// ---------------------------------------------------------------------------------------------
// The connection

PgConnection::PgConnection(const ServerAddress &address, bool readOnly)
    : m_address(address), m_appends(std::make_unique<PgAppendQueue>(*this))
{
    m_conn = PQconnectdb(m_address.conninfo.constData());
    if (PQstatus(m_conn) != CONNECTION_OK) {
        const QString reason = QString::fromUtf8(PQerrorMessage(m_conn)).trimmed();
        PQfinish(m_conn);
        m_conn = nullptr;
        throw StoreError(QStringLiteral("Não foi possível conectar ao servidor de banco de dados %1: %2").arg(m_address.text, reason));
    }
    PQsetNoticeProcessor(m_conn, ignoreNotice, nullptr);
    try {
        PQsetClientEncoding(m_conn, "UTF8");
        // Several workstations share the year: wait for each other rather than fail at once.
        command(QStringLiteral("SET lock_timeout = '10s'"));
        command(QStringLiteral("SET datestyle = 'ISO, YMD'"));
        command(QStringLiteral("SET extra_float_digits = 3"));
        // A grid of a whole table sorts in memory rather than on disk.
        command(QStringLiteral("SET work_mem = '64MB'"));
        ensureSchema(readOnly);
        command(QStringLiteral("SET search_path TO %1").arg(quoteName(m_address.schema)));
        if (readOnly)
            command(QStringLiteral("SET default_transaction_read_only = on"));
    } catch (...) {
        PQfinish(m_conn);
        m_conn = nullptr;
        throw;
    }
    m_locks = std::make_shared<PgTableLocks>(*this);
    const QMutexLocker locker(&liveMutex);
    live.insert(m_conn, this);
}

PgConnection::~PgConnection()
{
    m_locks.reset();
    m_appends->wait();
    if (m_conn) {
        const QMutexLocker locker(&liveMutex);
        live.remove(m_conn);
        PQfinish(m_conn);
    }
}

PgConnection *PgConnection::ofHandle(void *handle)
{
    const QMutexLocker locker(&liveMutex);
    return live.value(handle);
}

PGconn *PgConnection::handle() const
{
    m_appends->wait();
    return m_conn;
}

void PgConnection::command(const QString &sql)
{
    m_appends->send();
    sendWaitingControl();
    PGresult *r = PQexec(m_conn, sql.toUtf8().constData());
    const ExecStatusType status = PQresultStatus(r);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const QString text = pgErrorText(m_conn, r, sql);
        PQclear(r);
        throw StoreError(text);
    }
    PQclear(r);
}

bool PgConnection::attempt(const QString &sql)
{
    command(QStringLiteral("SAVEPOINT lumesco_attempt"));
    try {
        command(sql);
    } catch (const StoreError &) {
        command(QStringLiteral("ROLLBACK TO lumesco_attempt"));
        return false;
    }
    command(QStringLiteral("RELEASE lumesco_attempt"));
    return true;
}

PGresult *PgConnection::runAlone(const QByteArray &serverSql, const char *const *values, int count, const QByteArray &name,
                                 bool prepareNow, bool *prepared)
{
    if (prepared)
        *prepared = false;
    m_appends->wait();
    if (PQenterPipelineMode(m_conn) != 1)
        return PQmakeEmptyPGresult(m_conn, PGRES_FATAL_ERROR);
    // The savepoints waiting, SAVEPOINT, [PREPARE,] the statement, RELEASE: one round trip.
    const QByteArrayList waiting = std::exchange(m_waitingControl, {});
    for (const QByteArray &control : waiting)
        PQsendQueryParams(m_conn, control.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0);
    PQsendQueryParams(m_conn, "SAVEPOINT lumesco_statement", 0, nullptr, nullptr, nullptr, nullptr, 0);
    if (prepareNow)
        PQsendPrepare(m_conn, name.constData(), serverSql.constData(), count, nullptr);
    if (name.isEmpty())
        PQsendQueryParams(m_conn, serverSql.constData(), count, nullptr, values, nullptr, nullptr, 0);
    else
        PQsendQueryPrepared(m_conn, name.constData(), count, values, nullptr, nullptr, 0);
    PQsendQueryParams(m_conn, "RELEASE lumesco_statement", 0, nullptr, nullptr, nullptr, nullptr, 0);
    PQpipelineSync(m_conn);
    // Each answer ends with a null; the sync point ends them all. The first result of each
    // query is kept.
    const int first = int(waiting.size());
    const int queries = first + (prepareNow ? 4 : 3);
    QVarLengthArray<PGresult *, 8> answers(queries);
    std::fill(answers.begin(), answers.end(), nullptr);
    int query = 0;
    for (int nulls = 0; nulls < queries + 8;) {
        PGresult *r = PQgetResult(m_conn);
        if (!r) {
            ++query;
            ++nulls;
            continue;
        }
        if (PQresultStatus(r) == PGRES_PIPELINE_SYNC) {
            PQclear(r);
            break;
        }
        if (query < queries && !answers[query])
            answers[query] = r;
        else
            PQclear(r);
    }
    PQexitPipelineMode(m_conn);
    auto ok = [](const PGresult *r) {
        const ExecStatusType status = r ? PQresultStatus(r) : PGRES_FATAL_ERROR;
        return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    };
    PGresult *answer = answers[queries - 2];
    if (prepareNow) {
        if (ok(answers[first + 1])) {
            if (prepared)
                *prepared = true;
        } else {
            // The statement could not be read: its error is the answer.
            answer = answers[first + 1];
        }
    }
    bool started = true;
    for (int q = 0; q < first; ++q) {
        if (!ok(answers[q])) {
            answer = answers[q]; // a savepoint that waited was refused: nothing else ran
            started = false;
            break;
        }
    }
    for (int q = 0; q < queries; ++q)
        if (answers[q] != answer)
            PQclear(answers[q]);
    if (!ok(answer) && started && PQtransactionStatus(m_conn) == PQTRANS_INERROR)
        PQclear(PQexec(m_conn, "ROLLBACK TO lumesco_statement; RELEASE lumesco_statement"));
    return answer;
}

void PgConnection::deferSavepoint(const QString &name)
{
    m_waitingControl.append("SAVEPOINT " + name.toUtf8());
}

void PgConnection::deferRelease(const QString &name)
{
    const QByteArray savepoint = "SAVEPOINT " + name.toUtf8();
    if (!m_waitingControl.isEmpty() && m_waitingControl.last() == savepoint)
        m_waitingControl.removeLast();
    else
        m_waitingControl.append("RELEASE " + name.toUtf8());
}

bool PgConnection::rollBackWaiting(const QString &name)
{
    const qsizetype at = m_waitingControl.lastIndexOf("SAVEPOINT " + name.toUtf8());
    if (at < 0) {
        // It reached the server before what waits now, which it would undo anyway.
        m_waitingControl.clear();
        return false;
    }
    m_waitingControl.resize(at + 1);
    return true;
}

void PgConnection::sendWaitingControl()
{
    if (m_waitingControl.isEmpty())
        return;
    const QByteArray texts = std::exchange(m_waitingControl, {}).join("; ");
    PGresult *r = PQexec(handle(), texts.constData());
    if (PQresultStatus(r) != PGRES_COMMAND_OK) {
        const QString text = pgErrorText(m_conn, r, QString::fromUtf8(texts));
        PQclear(r);
        throw StoreError(text);
    }
    PQclear(r);
}

// Catalogue queries and locks: they read nothing that held appends could change, so those
// keep waiting.
QList<QStringList> PgConnection::rows(const QString &sql, const QStringList &params)
{
    m_appends->wait();
    QByteArrayList texts;
    for (const QString &p : params)
        texts.append(p.toUtf8());
    QList<const char *> values;
    for (const QByteArray &t : texts)
        values.append(t.constData());
    PGresult *r = PQexecParams(m_conn, sql.toUtf8().constData(), int(values.size()), nullptr, values.constData(),
                               nullptr, nullptr, 0);
    if (PQresultStatus(r) != PGRES_TUPLES_OK) {
        const QString text = pgErrorText(m_conn, r, sql);
        PQclear(r);
        throw StoreError(text);
    }
    QList<QStringList> out;
    for (int row = 0; row < PQntuples(r); ++row) {
        QStringList line;
        for (int c = 0; c < PQnfields(r); ++c)
            line.append(PQgetisnull(r, row, c) ? QString() : QString::fromUtf8(PQgetvalue(r, row, c)));
        out.append(line);
    }
    PQclear(r);
    return out;
}

void PgConnection::ensureSchema(bool readOnly)
{
    const QString schema = quoteName(m_address.schema);
    const QString exists = QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = $1");
    if (!rows(exists, {m_address.schema}).isEmpty())
        return;
    command(QStringLiteral("BEGIN"));
    try {
        // Two workstations opening a new year at once make it once.
        command(writerLockText());
        if (rows(exists, {m_address.schema}).isEmpty()) {
            if (readOnly)
                throw StoreError(QStringLiteral("Não há tabelas deste programa em %1.").arg(m_address.text));
            command(QStringLiteral("CREATE SCHEMA %1").arg(schema));
            // Portuguese alphabetical order: ICU where the server has it, else its pt_BR locale.
            if (!attempt(QStringLiteral("CREATE COLLATION %1.ptbr (provider = icu, locale = 'pt-BR-u-kf-upper')").arg(schema))
                && !attempt(QStringLiteral("CREATE COLLATION %1.ptbr (locale = 'pt_BR.UTF-8')").arg(schema)))
                command(QStringLiteral("CREATE COLLATION %1.ptbr FROM pg_catalog.\"C\"").arg(schema));
            if (!attempt(QStringLiteral("CREATE COLLATION %1.ptbr_ci (provider = icu, locale = 'pt-BR-u-ks-level2', "
                                        "deterministic = false)")
                             .arg(schema)))
                command(QStringLiteral("CREATE COLLATION %1.ptbr_ci FROM %1.ptbr").arg(schema));
            // group_concat, as SQLite has it: support staff type it in their checks.
            command(QStringLiteral("CREATE FUNCTION %1.lumesco_concat(list text, value anyelement, separator text) "
                                   "RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN value IS NULL THEN list "
                                   "WHEN list IS NULL THEN CAST(value AS text) "
                                   "ELSE list || separator || CAST(value AS text) END $$")
                        .arg(schema));
            command(QStringLiteral("CREATE FUNCTION %1.lumesco_concat(list text, value anyelement) RETURNS text "
                                   "LANGUAGE sql IMMUTABLE AS $$ SELECT %1.lumesco_concat(list, value, ',') $$")
                        .arg(schema));
            command(QStringLiteral("CREATE AGGREGATE %1.group_concat(anyelement, text) (SFUNC = %1.lumesco_concat, STYPE = text)").arg(schema));
            command(QStringLiteral("CREATE AGGREGATE %1.group_concat(anyelement) (SFUNC = %1.lumesco_concat, STYPE = text)").arg(schema));
        }
        command(QStringLiteral("COMMIT"));
    } catch (...) {
        PQclear(PQexec(m_conn, "ROLLBACK"));
        throw;
    }
}

std::unique_ptr<engine::Statement> PgConnection::prepare(const QString &sql)
{
    return std::make_unique<PgStatement>(*this, sql);
}

QStringList PgConnection::rewrite(const QString &sql) const
{
    QList<FieldDef> added;
    const QStringList statements = sqltext::rewrite(
        sql,
        [&](const FieldDef &f) {
            added.append(f);
            return m_dialect.columnType(f);
        },
        true);
    QStringList out;
    for (const QString &statement : statements) {
        if (const QStringList created = pgsql::createTableAsStore(statement, m_dialect); !created.isEmpty()) {
            out.append(created);
            continue;
        }
        out.append(statement); // the statement folds its names as it is prepared
        if (added.isEmpty())
            continue;
        // A column added to a table keeps the program's name and type in its comment.
        QStringList words;
        for (const sqltext::Token &t : sqltext::tokenize(statement))
            if (t.kind != sqltext::TokenKind::Space)
                words.append(t.text);
        if (words.size() < 6 || words[0].compare(u"ALTER", Qt::CaseInsensitive) != 0
            || words[3].compare(u"ADD", Qt::CaseInsensitive) != 0 || words[4].compare(u"COLUMN", Qt::CaseInsensitive) != 0)
            continue;
        for (const FieldDef &f : added) {
            if (unquoted(f.name).compare(unquoted(words[5]), Qt::CaseInsensitive) != 0)
                continue;
            FieldDef named = f;
            named.name = unquoted(f.name);
            out.append(QStringLiteral("COMMENT ON COLUMN %1.%2 IS %3")
                           .arg(folded(unquoted(words[2])), folded(named.name),
                                literal(named.name + u'|' + sqltext::typeText(named))));
            break;
        }
    }
    return out;
}

bool PgConnection::inTransaction() const
{
    return PQtransactionStatus(handle()) != PQTRANS_IDLE;
}

void PgConnection::rollbackOnClose()
{
    m_appends->drop(true);
    m_waitingControl.clear();
    if (m_conn && inTransaction())
        PQclear(PQexec(m_conn, "ROLLBACK"));
}

QStringList PgConnection::tableNames()
{
    QStringList names;
    for (const QStringList &row : rows(QStringLiteral("SELECT c.relname, obj_description(c.oid, 'pg_class') FROM pg_class c "
                                                      "JOIN pg_namespace n ON n.oid = c.relnamespace "
                                                      "WHERE n.nspname = $1 AND c.relkind = 'r'"),
                                       {m_address.schema}))
        names.append(row[1].isEmpty() ? row[0] : row[1]);
    std::sort(names.begin(), names.end());
    return names;
}

QString PgConnection::canonicalTable(const QString &name)
{
    const auto found = rows(QStringLiteral("SELECT c.relname, obj_description(c.oid, 'pg_class') FROM pg_class c "
                                           "JOIN pg_namespace n ON n.oid = c.relnamespace "
                                           "WHERE n.nspname = $1 AND c.relname = $2 AND c.relkind = 'r'"),
                            {m_address.schema, name.toLower()});
    if (found.isEmpty())
        return {};
    return found[0][1].isEmpty() ? found[0][0] : found[0][1];
}

TableDef PgConnection::readLayout(const QString &table)
{
    TableDef def;
    def.name = table;
    def.fileName = table;
    const auto oids = rows(QStringLiteral("SELECT c.oid FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                                          "WHERE n.nspname = $1 AND c.relname = $2 AND c.relkind = 'r'"),
                           {m_address.schema, table.toLower()});
    if (oids.isEmpty())
        throw StoreError(QStringLiteral("A tabela %1 não existe em %2.").arg(table, m_address.text));
    const QString oid = oids[0][0];
    QHash<int, FieldDef> byNumber;
    for (const QStringList &row : rows(QStringLiteral("SELECT a.attnum, a.attname, col_description(a.attrelid, a.attnum), "
                                                      "format_type(a.atttypid, a.atttypmod), a.attnotnull "
                                                      "FROM pg_attribute a WHERE a.attrelid = $1 AND a.attnum > 0 "
                                                      "AND NOT a.attisdropped ORDER BY a.attnum"),
                                       {oid})) {
        if (row[1] == u"rowid")
            continue;
        const int split = row[2].indexOf(u'|');
        FieldDef f = split > 0 ? sqltext::fieldFromType(row[2].left(split), row[2].mid(split + 1))
                               : sqltext::fieldFromType(row[1], row[3]); // a table the store did not make
        f.required = row[4] == u"t";
        byNumber.insert(row[0].toInt(), f);
        def.fields.append(f);
    }
    for (const QStringList &row : rows(QStringLiteral("SELECT k.attnum FROM pg_index i JOIN pg_class ic ON ic.oid = i.indexrelid "
                                                      "CROSS JOIN LATERAL unnest(i.indkey) WITH ORDINALITY AS k(attnum, ord) "
                                                      "WHERE i.indrelid = $1 AND (i.indisprimary OR ic.relname = $2) ORDER BY k.ord"),
                                       {oid, unquoted(keyName(table))}))
        def.primaryKey.append(byNumber.value(row[0].toInt()).name);
    QMap<QString, IndexDef> indexes;
    for (const QStringList &row : rows(QStringLiteral("SELECT ic.relname, obj_description(ic.oid, 'pg_class'), k.attnum, "
                                                      "i.indoption[CAST(k.ord AS integer) - 1] & 1, co.collname "
                                                      "FROM pg_index i JOIN pg_class ic ON ic.oid = i.indexrelid "
                                                      "CROSS JOIN LATERAL unnest(i.indkey) WITH ORDINALITY AS k(attnum, ord) "
                                                      "LEFT JOIN pg_collation co ON co.oid = i.indcollation[CAST(k.ord AS integer) - 1] "
                                                      "WHERE i.indrelid = $1 AND NOT i.indisprimary AND NOT i.indisunique "
                                                      "ORDER BY ic.relname, k.ord"),
                                       {oid})) {
        IndexDef &index = indexes[row[0]];
        if (index.name.isEmpty()) {
            const QString prefix = table.toLower() + u'.';
            index.name = !row[1].isEmpty() ? row[1] : row[0].startsWith(prefix) ? row[0].mid(prefix.size()) : row[0];
            index.descending = true;
        }
        index.fields.append(byNumber.value(row[2].toInt()).name);
        index.descending = index.descending && row[3] == u"1";
        index.caseInsensitive = index.caseInsensitive || row[4] == u"ptbr_ci";
    }
    for (const IndexDef &index : indexes)
        def.indexes.append(index);
    std::sort(def.indexes.begin(), def.indexes.end(),
              [](const IndexDef &a, const IndexDef &b) { return a.name.compare(b.name, Qt::CaseInsensitive) < 0; });
    m_byOid.insert(oid.toUInt(), byNumber);
    return def;
}

QStringList PgConnection::createTableStatements(const TableDef &def) const
{
    QStringList statements = sqltext::createTable(def, [this](const FieldDef &f) { return m_dialect.columnType(f); },
                                                  {QLatin1String(pgsql::kRowIdColumn)}, true);
    // The key as a unique constraint: its fields may stay empty, as in a school-year file, where
    // the server's PRIMARY KEY would refuse the row.
    statements[0].replace(QStringLiteral("PRIMARY KEY ("), QStringLiteral("CONSTRAINT %1 UNIQUE (").arg(keyName(def.name)));
    const QString table = folded(def.name);
    statements.append(QStringLiteral("COMMENT ON TABLE %1 IS %2").arg(table, literal(def.name)));
    for (const FieldDef &f : def.fields)
        statements.append(QStringLiteral("COMMENT ON COLUMN %1.%2 IS %3")
                              .arg(table, folded(f.name), literal(f.name + u'|' + sqltext::typeText(f))));
    for (const IndexDef &index : def.indexes)
        statements.append(QStringLiteral("COMMENT ON INDEX %1 IS %2").arg(folded(def.name + u'.' + index.name), literal(index.name)));
    return statements;
}

const FieldDef *PgConnection::sourceField(unsigned tableOid, int column)
{
    auto it = m_byOid.find(tableOid);
    if (it == m_byOid.end()) {
        const auto found = rows(QStringLiteral("SELECT c.relname, obj_description(c.oid, 'pg_class') FROM pg_class c "
                                               "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE c.oid = $1 AND n.nspname = $2"),
                                {QString::number(tableOid), m_address.schema});
        if (found.isEmpty()) {
            it = m_byOid.insert(tableOid, {});
        } else {
            readLayout(found[0][1].isEmpty() ? found[0][0] : found[0][1]);
            it = m_byOid.find(tableOid);
        }
    }
    auto field = it->find(column);
    return field == it->end() ? nullptr : &field.value();
}

QString PgConnection::writerLockText() const
{
    return QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(%1))").arg(literal(m_address.schema));
}

QString PgConnection::nextStatementName()
{
    return QStringLiteral("lumesco_%1").arg(++m_statements);
}

} // namespace data
