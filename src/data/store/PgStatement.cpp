#include "data/store/PgStatement.h"

#include "data/store/PgAppendQueue.h"
#include "data/store/PgConnection.h"
#include "data/store/PgSqlText.h"
#include "data/store/SqlText.h"
#include "data/store/StoreError.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>

#include <libpq-fe.h>

namespace data {

namespace {

// The server's type numbers the store reads as numbers.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701, kNumeric = 1700;

QByteArray textOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float: {
        // The shortest text that reads back as the same number; whole numbers (registration
        // numbers, counts) the quick way.
        const double number = value.toDouble();
        if (std::abs(number) < 1e15 && number == std::trunc(number))
            return QByteArray::number(qint64(number));
        return QByteArray::number(number, 'g', QLocale::FloatingPointShortest);
    }
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate).toLatin1();
    case QMetaType::QDateTime:
        return value.toDateTime().toString(Qt::ISODate).toLatin1();
    default:
        return value.toString().toUtf8();
    }
}

// "insert into T (a, b) values ($1, $2)": the same rows as "COPY T (a, b) FROM STDIN" takes them,
// so appends held in bulk may go that way. Empty for any other statement.
QByteArray copyFor(const QStringList &words, int parameters)
{
    if (parameters == 0 || words.size() < 8 || words[0] != u"insert" || words[1] != u"into" || words[3] != u"(")
        return {};
    QStringList columns;
    qsizetype i = 4;
    for (; i + 1 < words.size(); i += 2) {
        columns.append(words[i]);
        if (words[i + 1] == u")")
            break;
        if (words[i + 1] != u",")
            return {};
    }
    i += 2;
    if (columns.size() != parameters || i + 1 >= words.size() || words[i] != u"values" || words[i + 1] != u"(")
        return {};
    i += 2;
    for (int n = 1; n <= parameters; ++n, i += 2) {
        if (i + 1 >= words.size() || words[i] != u'$' + QString::number(n) || words[i + 1] != (n == parameters ? u")" : u","))
            return {};
    }
    if (i != words.size())
        return {};
    return QStringLiteral("COPY %1 (%2) FROM STDIN").arg(words[2], columns.join(QStringLiteral(", "))).toUtf8();
}

} // namespace

PgStatement::PgStatement(PgConnection &connection, const QString &sql) : m_connection(connection), m_sql(sql)
{
    const pgsql::ServerStatement server = pgsql::toServer(sql);
    m_serverSql = server.text;
    m_names = server.names;
    m_explicitRowIds = server.explicitRowIds;
    m_values.resize(server.parameters);
    m_nulls = QList<bool>(server.parameters, true);
    const QStringList &words = server.words;
    if (words.size() == 2 && words[0] == u"savepoint") {
        m_control = Control::Savepoint;
        m_savepoint = words[1];
    } else if (!words.isEmpty() && words[0] == u"release") {
        m_control = Control::Release;
        m_savepoint = words.last();
    } else if (words.size() == 1 && words[0] == u"begin") {
        m_control = Control::Begin;
    } else if (words.size() == 1 && (words[0] == u"commit" || words[0] == u"rollback" || words[0] == u"end")) {
        m_control = Control::End;
    } else if (!words.isEmpty() && words[0] == u"rollback") {
        m_control = Control::RollbackTo;
        m_savepoint = words.last();
    }
    if (server.schemaChange)
        m_runs = -1; // never prepared: the layout it changes would change under it
    m_copySql = copyFor(words, server.parameters);
    m_undoes = !words.isEmpty() && words[0] == u"rollback";
}

PgStatement::~PgStatement()
{
    reset();
    if (!m_prepared.isEmpty() && m_connection.handle())
        PQclear(PQexec(m_connection.handle(), QByteArray("DEALLOCATE " + m_prepared).constData()));
}

void PgStatement::bind(int position, const QVariant &value)
{
    if (position < 1 || position > m_values.size())
        throw StoreError(QStringLiteral("Parâmetro %1 inexistente na instrução SQL.\nInstrução: %2").arg(position).arg(m_sql.trimmed()));
    const bool null = !value.isValid() || value.isNull()
        || (value.typeId() == QMetaType::QDate && !value.toDate().isValid());
    m_nulls[position - 1] = null;
    m_values[position - 1] = null ? QByteArray() : textOf(value);
}

void PgStatement::bindNamed(const SqlParams &params)
{
    for (qsizetype n = 0; n < m_names.size(); ++n) {
        const QVariant *value = engine::namedValue(params, m_names[n]);
        if (!value)
            throw StoreError(QStringLiteral("Parâmetro sem valor: :%1\nInstrução: %2").arg(m_names[n], m_sql.trimmed()));
        bind(int(n) + 1, *value);
    }
}

bool PgStatement::deferControl() const
{
    if (PQtransactionStatus(m_connection.handle()) != PQTRANS_INTRANS)
        return false;
    switch (m_control) {
    case Control::Savepoint:
        m_connection.deferSavepoint(m_savepoint);
        break;
    case Control::Release:
        if (m_savepoint == m_connection.openingSavepoint()) {
            m_connection.dropWaitingControl(); // the commit ends them all
            return false;
        }
        m_connection.deferRelease(m_savepoint);
        break;
    case Control::RollbackTo:
        if (!m_connection.rollBackWaiting(m_savepoint))
            return false;
        break;
    case Control::End:
        m_connection.dropWaitingControl();
        return false;
    case Control::Begin:
    case Control::None:
        return false;
    }
    m_held = true;
    return true;
}

void PgStatement::execute() const
{
    auto *self = const_cast<PgStatement *>(this);
    if (m_held)
        return;
    // A bulk run's appends wait to go together; anything else sends them first, unless it
    // undoes them.
    PgAppendQueue &appends = m_connection.appendQueue();
    if (!m_copySql.isEmpty() && m_connection.holdsAppends()) {
        appends.hold(m_copySql, m_serverSql, m_sql, m_values, m_nulls);
        self->m_held = true;
        return;
    }
    if (m_undoes)
        appends.drop(m_control == Control::End);
    else
        appends.send();
    PGconn *conn = m_connection.handle();
    if (deferControl())
        return;
    const int count = int(m_values.size());
    QVarLengthArray<const char *, 32> values(count);
    for (int i = 0; i < count; ++i)
        values[i] = m_nulls[i] ? nullptr : m_values[i].constData();
    PGresult *result = nullptr;
    QByteArray control;
    switch (m_control) {
    case Control::Begin:
        m_connection.setOpeningSavepoint({});
        break;
    case Control::Savepoint:
        if (!m_connection.inTransaction()) {
            m_connection.command(QStringLiteral("BEGIN"));
            m_connection.setOpeningSavepoint(m_savepoint);
        }
        break;
    case Control::Release:
        if (m_savepoint == m_connection.openingSavepoint()) {
            control = QByteArrayLiteral("COMMIT");
            m_connection.setOpeningSavepoint({});
        }
        break;
    case Control::End:
        m_connection.setOpeningSavepoint({});
        break;
    case Control::RollbackTo:
    case Control::None:
        break;
    }
    // Inside a transaction a failed statement is taken back alone, as SQLite does, and the
    // transaction goes on: the statement runs in a savepoint of its own, sent with it in one
    // round trip.
    const bool alone = control.isEmpty() && m_control == Control::None && PQtransactionStatus(conn) == PQTRANS_INTRANS;
    // A statement run again is prepared on the server (its second run), then reused.
    const bool prepareNow = m_runs > 0 && m_prepared.isEmpty();
    const QByteArray name = prepareNow ? m_connection.nextStatementName().toLatin1() : m_prepared;
    if (!control.isEmpty()) {
        result = PQexec(conn, control.constData());
    } else if (alone) {
        result = self->runAlone(values.constData(), count, prepareNow ? name : QByteArray());
    } else {
        if (prepareNow) {
            PGresult *prepared = PQprepare(conn, name.constData(), m_serverSql.constData(), count, nullptr);
            if (PQresultStatus(prepared) != PGRES_COMMAND_OK) {
                const QString text = pgErrorText(conn, prepared, m_sql);
                PQclear(prepared);
                throw StoreError(text);
            }
            PQclear(prepared);
            self->m_prepared = name;
        }
        result = name.isEmpty() ? PQexecParams(conn, m_serverSql.constData(), count, nullptr, values.constData(), nullptr, nullptr, 0)
                                : PQexecPrepared(conn, name.constData(), count, values.constData(), nullptr, nullptr, 0);
    }
    if (m_runs >= 0)
        ++self->m_runs;
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        const QString text = pgErrorText(conn, result, m_sql);
        PQclear(result);
        throw StoreError(text);
    }
    if (m_runs < 0)
        m_connection.forgetColumns();
    if (m_control == Control::Begin) {
        try {
            m_connection.command(m_connection.writerLockText());
        } catch (...) {
            PQclear(result);
            PQclear(PQexec(conn, "ROLLBACK"));
            throw;
        }
    }
    m_result = result;
    self->m_row = -1;
    // The table's own row id, brought by a "*", is not one of the program's columns.
    m_visible.clear();
    int explicitLeft = m_explicitRowIds;
    const int fields = PQnfields(result);
    for (int c = 0; c < fields; ++c) {
        const bool rowId = PQftable(result, c) != InvalidOid && qstrcmp(PQfname(result, c), "rowid") == 0;
        if (rowId && explicitLeft-- <= 0)
            continue;
        m_visible.append(c);
    }
}

PGresult *PgStatement::runAlone(const char *const *values, int count, const QByteArray &prepareAs)
{
    bool prepared = false;
    PGresult *answer = m_connection.runAlone(m_serverSql, values, count, prepareAs.isEmpty() ? m_prepared : prepareAs,
                                             !prepareAs.isEmpty(), &prepared);
    if (prepared)
        m_prepared = prepareAs;
    return answer;
}

bool PgStatement::step()
{
    if (!m_result)
        execute();
    if (m_held)
        return false;
    ++m_row;
    return m_row < PQntuples(m_result);
}

void PgStatement::reset()
{
    if (m_result)
        PQclear(m_result);
    m_result = nullptr;
    m_held = false;
    m_row = -1;
}

int PgStatement::columnCount() const
{
    if (!m_result)
        execute();
    if (m_held)
        return 0;
    return int(m_visible.size());
}

const FieldDef *PgStatement::sourceField(int column) const
{
    if (!m_result)
        execute();
    if (m_held)
        return nullptr;
    const int c = resultColumn(column);
    const Oid table = PQftable(m_result, c);
    return table == InvalidOid ? nullptr : m_connection.sourceField(table, PQftablecol(m_result, c));
}

QString PgStatement::columnName(int column) const
{
    // The server folds names to lower case: a column read straight from a table gets the
    // program's spelling back, unless the statement gave it another name.
    const QString name = QString::fromUtf8(PQfname(m_result, resultColumn(column)));
    if (const FieldDef *f = sourceField(column); f && f->name.compare(name, Qt::CaseInsensitive) == 0)
        return f->name;
    return name;
}

QString PgStatement::declaredType(int column) const
{
    const FieldDef *f = sourceField(column);
    return f ? sqltext::typeText(*f) : QString();
}

bool PgStatement::isNull(int column) const
{
    return PQgetisnull(m_result, m_row, resultColumn(column));
}

QString PgStatement::text(int column) const
{
    const int c = resultColumn(column);
    return QString::fromUtf8(PQgetvalue(m_result, m_row, c), PQgetlength(m_result, m_row, c));
}

QVariant PgStatement::value(int column, FieldType type) const
{
    const int c = resultColumn(column);
    if (PQgetisnull(m_result, m_row, c))
        return {};
    // The server's text for numbers and dates is fixed (no locale): read straight from it.
    const char *raw = PQgetvalue(m_result, m_row, c);
    const char *end = raw + PQgetlength(m_result, m_row, c);
    switch (type) {
    case FieldType::Text:
    case FieldType::Memo: {
        QString t = QString::fromUtf8(raw, end - raw);
        return t.isEmpty() ? QVariant() : QVariant(t);
    }
    case FieldType::Float:
    case FieldType::Money: {
        double d = 0;
        return std::from_chars(raw, end, d).ec == std::errc() ? QVariant(d) : QVariant();
    }
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoIncrement: {
        qint64 v = 0;
        if (const auto r = std::from_chars(raw, end, v); r.ec == std::errc() && r.ptr == end)
            return int(v);
        double d = 0;
        return std::from_chars(raw, end, d).ec == std::errc() ? QVariant(int(qRound64(d))) : QVariant();
    }
    case FieldType::Date: {
        int y = 0, m = 0, d = 0;
        if (end - raw >= 10 && raw[4] == '-' && raw[7] == '-' && std::from_chars(raw, raw + 4, y).ec == std::errc()
            && std::from_chars(raw + 5, raw + 7, m).ec == std::errc() && std::from_chars(raw + 8, raw + 10, d).ec == std::errc()) {
            const QDate date(y, m, d);
            return date.isValid() ? QVariant(date) : QVariant();
        }
        return {};
    }
    case FieldType::Logical: {
        const QByteArray t = QByteArray(raw, end - raw).trimmed().toLower();
        return t == "t" || t == "true" || t == "1" || t == "s" || t == "sim";
    }
    }
    return {};
}

QVariant PgStatement::rawValue(int column) const
{
    if (isNull(column))
        return {};
    const char *raw = PQgetvalue(m_result, m_row, resultColumn(column));
    switch (PQftype(m_result, resultColumn(column))) {
    case kInt2:
    case kInt4:
    case kInt8:
        return QByteArray(raw).toLongLong();
    case kBool:
        return qint64(raw[0] == 't' ? 1 : 0);
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return QByteArray(raw).toDouble();
    default:
        return text(column);
    }
}

qint64 PgStatement::int64(int column) const
{
    if (isNull(column))
        return 0;
    const QByteArray raw(PQgetvalue(m_result, m_row, resultColumn(column)));
    bool ok = false;
    const qint64 v = raw.toLongLong(&ok);
    return ok ? v : qRound64(raw.toDouble());
}

const char *PgStatement::utf8(int column, int *length) const
{
    const int c = resultColumn(column);
    if (PQgetisnull(m_result, m_row, c)) {
        *length = 0;
        return nullptr;
    }
    *length = PQgetlength(m_result, m_row, c);
    return PQgetvalue(m_result, m_row, c);
}

qint64 PgStatement::insertedId() const
{
    if (!m_result || PQntuples(m_result) == 0 || PQnfields(m_result) == 0)
        return 0;
    return QByteArray(PQgetvalue(m_result, 0, 0)).toLongLong();
}

int PgStatement::changes() const
{
    if (m_held)
        return m_copySql.isEmpty() ? 0 : 1;
    if (!m_result)
        return 0;
    return QByteArray(PQcmdTuples(m_result)).toInt();
}

} // namespace data
