#include "data/store/SqliteStatement.h"

#include "data/store/SqliteApi.h"
#include "data/store/StoreError.h"

#include <QDate>
#include <QDateTime>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace data::sqlite {

QString errorText(sqlite3 *db, int code, const QString &sql)
{
    const Api &a = api();
    const int extended = db ? a.extended_errcode(db) : code;
    const QString engine = db ? QString::fromUtf8(a.errmsg(db)) : QString();
    QString text;
    switch (extended & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        text = QStringLiteral("O banco de dados está sendo usado por outra estação. Tente novamente em instantes.");
        break;
    case SQLITE_READONLY:
        text = QStringLiteral("O banco de dados está aberto somente para leitura.");
        break;
    case SQLITE_CONSTRAINT:
        if (extended == SQLITE_CONSTRAINT_PRIMARYKEY || extended == SQLITE_CONSTRAINT_UNIQUE)
            text = QStringLiteral("Chave duplicada: já existe um registro com esta chave (%1).").arg(engine);
        else if (extended == SQLITE_CONSTRAINT_NOTNULL)
            text = QStringLiteral("Campo obrigatório sem valor (%1).").arg(engine);
        else
            text = QStringLiteral("Registro recusado pelo banco de dados (%1).").arg(engine);
        break;
    case SQLITE_FULL:
        text = QStringLiteral("Não há espaço em disco para gravar os dados.");
        break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        text = QStringLiteral("O arquivo do banco de dados está danificado ou não é um banco de dados.");
        break;
    default:
        text = QStringLiteral("Erro no banco de dados: %1").arg(engine);
    }
    if (!sql.isEmpty())
        text += QStringLiteral("\nInstrução: ") + sql.trimmed();
    return text;
}

Statement::Statement(sqlite3 *db, const QString &sql) : m_db(db), m_sql(sql), m_utf8(sql.toUtf8())
{
    const char *tail = nullptr;
    const int rc = api().prepare_v2(db, m_utf8.constData(), int(m_utf8.size()), &m_stmt, &tail);
    if (rc != SQLITE_OK)
        throw StoreError(errorText(db, rc, sql));
    if (!m_stmt)
        throw StoreError(QStringLiteral("Instrução SQL vazia."));
    if (tail && !QByteArray(tail).trimmed().isEmpty() && QByteArray(tail).trimmed() != ";") {
        api().finalize(m_stmt);
        m_stmt = nullptr;
        throw StoreError(QStringLiteral("Apenas uma instrução SQL de cada vez.\nInstrução: ") + sql.trimmed());
    }
}

Statement::~Statement()
{
    if (m_stmt)
        api().finalize(m_stmt);
}

void Statement::fail(int code) const
{
    throw StoreError(errorText(m_db, code, m_sql));
}

void Statement::bind(int position, const QVariant &value)
{
    const Api &a = api();
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = a.bind_null(m_stmt, position);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = a.bind_int64(m_stmt, position, value.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
            rc = a.bind_int64(m_stmt, position, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = a.bind_double(m_stmt, position, value.toDouble());
            break;
        case QMetaType::QDate: {
            const QDate d = value.toDate();
            if (!d.isValid()) {
                rc = a.bind_null(m_stmt, position);
            } else {
                // "yyyy-mm-dd" written directly: a bulk run binds a date in every row, and
                // building a QString for it is a good share of an insert.
                char iso[16];
                const int year = d.year();
                int n = 0;
                if (year >= 1000 && year <= 9999) {
                    n = std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", year, d.month(), d.day());
                } else {
                    const QByteArray text = d.toString(Qt::ISODate).toLatin1();
                    n = int(std::min<qsizetype>(text.size(), qsizetype(sizeof iso - 1)));
                    std::memcpy(iso, text.constData(), size_t(n));
                }
                rc = a.bind_text(m_stmt, position, iso, n, SQLITE_TRANSIENT);
            }
            break;
        }
        case QMetaType::QDateTime: {
            const QByteArray iso = value.toDateTime().toString(Qt::ISODate).toLatin1();
            rc = a.bind_text(m_stmt, position, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = a.bind_text(m_stmt, position, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        fail(rc);
}

void Statement::bindNamed(const SqlParams &params)
{
    const Api &a = api();
    const int count = a.bind_parameter_count(m_stmt);
    for (int i = 1; i <= count; ++i) {
        const char *rawName = a.bind_parameter_name(m_stmt, i);
        if (!rawName)
            throw StoreError(QStringLiteral("Parâmetro sem nome na instrução SQL.\nInstrução: ") + m_sql.trimmed());
        const QVariant *value = engine::namedValue(params, QString::fromUtf8(rawName + 1));
        if (!value)
            throw StoreError(QStringLiteral("Parâmetro sem valor: %1\nInstrução: %2")
                                 .arg(QString::fromUtf8(rawName), m_sql.trimmed()));
        bind(i, *value);
    }
}

bool Statement::step()
{
    const int rc = api().step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    api().reset(m_stmt);
    fail(rc);
}

void Statement::reset()
{
    api().reset(m_stmt);
}

qint64 Statement::insertedId() const
{
    return api().last_insert_rowid(m_db);
}

int Statement::changes() const
{
    return api().stmt_readonly(m_stmt) ? 0 : api().changes(m_db);
}

int Statement::columnCount() const
{
    return api().column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(api().column_name(m_stmt, column));
}

QString Statement::declaredType(int column) const
{
    return QString::fromUtf8(api().column_decltype(m_stmt, column));
}

bool Statement::isNull(int column) const
{
    return api().column_type(m_stmt, column) == SQLITE_NULL;
}

qint64 Statement::int64(int column) const
{
    return api().column_int64(m_stmt, column);
}

const char *Statement::utf8(int column, int *length) const
{
    const Api &a = api();
    const auto *text = reinterpret_cast<const char *>(a.column_text(m_stmt, column));
    *length = text ? a.column_bytes(m_stmt, column) : 0;
    return text;
}

namespace {

QString columnText(const Api &a, sqlite3_stmt *stmt, int column)
{
    const auto *text = reinterpret_cast<const char *>(a.column_text(stmt, column));
    return QString::fromUtf8(text, a.column_bytes(stmt, column));
}

} // namespace

QVariant Statement::value(int column, FieldType type) const
{
    const Api &a = api();
    const int kind = a.column_type(m_stmt, column);
    if (kind == SQLITE_NULL)
        return {};
    switch (type) {
    case FieldType::Text:
    case FieldType::Memo: {
        QString text = columnText(a, m_stmt, column);
        if (text.isEmpty())
            return {};
        return text;
    }
    case FieldType::Float:
    case FieldType::Money:
        if (kind == SQLITE_TEXT) {
            bool ok = false;
            const double d = columnText(a, m_stmt, column).trimmed().toDouble(&ok);
            return ok ? QVariant(d) : QVariant();
        }
        return a.column_double(m_stmt, column);
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoIncrement:
        if (kind == SQLITE_FLOAT)
            return int(qRound64(a.column_double(m_stmt, column)));
        return int(a.column_int64(m_stmt, column));
    case FieldType::Date: {
        if (kind != SQLITE_TEXT)
            return {};
        const QString text = columnText(a, m_stmt, column);
        const QDate d = QDate::fromString(text.left(10), Qt::ISODate);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Logical:
        if (kind == SQLITE_TEXT) {
            const QString text = columnText(a, m_stmt, column).trimmed().toLower();
            return text == u"true" || text == u"t" || text == u"1" || text == u"s" || text == u"sim";
        }
        return a.column_int64(m_stmt, column) != 0;
    }
    return {};
}

QVariant Statement::rawValue(int column) const
{
    const Api &a = api();
    switch (a.column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return qint64(a.column_int64(m_stmt, column));
    case SQLITE_FLOAT:
        return a.column_double(m_stmt, column);
    default:
        return columnText(a, m_stmt, column);
    }
}

} // namespace data::sqlite
