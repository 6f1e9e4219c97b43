#include "data/store/SqliteConnection.h"

#include "data/store/Collation.h"
#include "data/store/SqlText.h"
#include "data/store/SqliteApi.h"
#include "data/store/SqliteStatement.h"
#include "data/store/StoreError.h"
#include "data/store/TableLocks.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

namespace data {

using sqltext::quoteName;

// ---------------------------------------------------------------------------------------------
// SQLite's dialect

QString SqliteDialect::year(const QString &e) const
{
    return QStringLiteral("CAST(strftime('%Y', %1) AS INTEGER)").arg(e);
}

QString SqliteDialect::month(const QString &e) const
{
    return QStringLiteral("CAST(strftime('%m', %1) AS INTEGER)").arg(e);
}

QString SqliteDialect::day(const QString &e) const
{
    return QStringLiteral("CAST(strftime('%d', %1) AS INTEGER)").arg(e);
}

QString SqliteDialect::substring(const QString &e, int from, int length) const
{
    return QStringLiteral("substr(%1, %2, %3)").arg(e).arg(from).arg(length);
}

QString SqliteDialect::boolean(bool value) const
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString SqliteDialect::castInteger(const QString &e) const
{
    return QStringLiteral("CAST(%1 AS INTEGER)").arg(e);
}

QString SqliteDialect::columnType(const FieldDef &f) const
{
    // The declared types keep the field's type readable from the file, and give SQLite the
    // storage it needs (texts compare in Portuguese alphabetical order).
    const QString type = sqltext::typeText(f);
    if (f.type == FieldType::Text || f.type == FieldType::Memo)
        return type + QStringLiteral(" COLLATE ") + QLatin1String(collation::kName);
    return type;
}

// ---------------------------------------------------------------------------------------------
// The connection

SqliteConnection::SqliteConnection(const QString &dir, bool readOnly)
{
    const QDir d(dir);
    if (dir.isEmpty() || !d.exists())
        throw StoreError(QStringLiteral("O diretório de dados não existe: %1").arg(QDir::toNativeSeparators(dir)));
    m_directory = d.absolutePath();
    m_filePath = d.absoluteFilePath(QString::fromLatin1(kStoreFileName));
    if (readOnly && !QFileInfo::exists(m_filePath))
        throw StoreError(QStringLiteral("Não há tabelas deste programa em %1.").arg(QDir::toNativeSeparators(m_directory)));

    const sqlite::Api &api = sqlite::api();
    const QByteArray path = QFile::encodeName(m_filePath);
    const int flags = readOnly ? SQLITE_OPEN_READONLY : (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    const int rc = api.open_v2(path.constData(), &m_handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = m_handle ? QString::fromUtf8(api.errmsg(m_handle)) : QString();
        if (m_handle)
            api.close_v2(m_handle);
        m_handle = nullptr;
        throw StoreError(QStringLiteral("Não foi possível abrir o banco de dados %1: %2")
                             .arg(QDir::toNativeSeparators(m_filePath), reason));
    }
    try {
        // Several workstations share the file: wait for each other rather than fail at once.
        api.busy_timeout(m_handle, 10000);
        collation::registerOn(m_handle);
        // A school year's file is a few tens of megabytes: keeping its pages in memory spares a
        // bulk run (a year of fees, a recalculation) from spilling its changes to disk midway.
        runPlain("PRAGMA cache_size = -32768");
        // A bulk run gives each row a savepoint; their undo records stay in memory instead of a
        // temporary file written to at every row.
        runPlain("PRAGMA temp_store = MEMORY");
        runPlain("SELECT count(*) FROM sqlite_master");
    } catch (...) {
        api.close_v2(m_handle);
        m_handle = nullptr;
        throw;
    }
    m_locks = TableLocks::forDirectory(m_directory);
}

SqliteConnection::~SqliteConnection()
{
    if (m_handle)
        sqlite::api().close_v2(m_handle);
}

void SqliteConnection::runPlain(const char *sql)
{
    sqlite::Statement st(m_handle, QString::fromLatin1(sql));
    while (st.step()) {
    }
}

std::unique_ptr<engine::Statement> SqliteConnection::prepare(const QString &sql)
{
    return std::make_unique<sqlite::Statement>(m_handle, sql);
}

QStringList SqliteConnection::rewrite(const QString &sql) const
{
    return sqltext::rewrite(sql, [this](const FieldDef &f) { return m_dialect.columnType(f); });
}

bool SqliteConnection::inTransaction() const
{
    return !sqlite::api().get_autocommit(m_handle);
}

void SqliteConnection::rollbackOnClose()
{
    if (m_handle && inTransaction())
        sqlite::api().exec(m_handle, "ROLLBACK", nullptr, nullptr, nullptr);
}

QStringList SqliteConnection::tableNames()
{
    QStringList names;
    sqlite::Statement st(m_handle, QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    while (st.step())
        names.append(st.value(0, FieldType::Text).toString());
    return names;
}

QString SqliteConnection::canonicalTable(const QString &name)
{
    sqlite::Statement st(m_handle, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE"));
    st.bind(1, name);
    return st.step() ? st.value(0, FieldType::Text).toString() : QString();
}

TableDef SqliteConnection::readLayout(const QString &table)
{
    TableDef def;
    def.name = table;
    def.fileName = table;
    QMap<int, QString> keyFields;
    {
        sqlite::Statement st(m_handle, QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(table)));
        while (st.step()) {
            FieldDef f = sqltext::fieldFromType(st.value(1, FieldType::Text).toString(),
                                                st.value(2, FieldType::Text).toString());
            f.required = st.int64(3) != 0;
            if (const int pk = int(st.int64(5)); pk > 0)
                keyFields.insert(pk, f.name);
            def.fields.append(f);
        }
    }
    def.primaryKey = keyFields.values();
    QStringList indexNames;
    {
        sqlite::Statement st(m_handle, QStringLiteral("PRAGMA index_list(%1)").arg(quoteName(table)));
        while (st.step())
            if (st.value(3, FieldType::Text).toString() == u"c")
                indexNames.append(st.value(1, FieldType::Text).toString());
    }
    indexNames.sort(Qt::CaseInsensitive);
    for (const QString &indexName : indexNames) {
        IndexDef index;
        // The store names its indexes "<table>.<name>"; others keep the name they were given.
        index.name = indexName.startsWith(table + u'.', Qt::CaseInsensitive) ? indexName.mid(table.size() + 1) : indexName;
        bool allDescending = true;
        bool anyCaseInsensitive = false;
        sqlite::Statement st(m_handle, QStringLiteral("PRAGMA index_xinfo(%1)").arg(quoteName(indexName)));
        while (st.step()) {
            if (st.int64(5) == 0)
                continue; // the row id that ends every index
            index.fields.append(st.value(2, FieldType::Text).toString());
            allDescending = allDescending && st.int64(3) != 0;
            const QString coll = st.value(4, FieldType::Text).toString();
            anyCaseInsensitive = anyCaseInsensitive
                || coll.compare(QLatin1String(collation::kNameCaseInsensitive), Qt::CaseInsensitive) == 0
                || coll.compare(u"NOCASE", Qt::CaseInsensitive) == 0;
        }
        index.descending = allDescending && !index.fields.isEmpty();
        index.caseInsensitive = anyCaseInsensitive;
        def.indexes.append(index);
    }
    return def;
}

QStringList SqliteConnection::createTableStatements(const TableDef &def) const
{
    return sqltext::createTable(def, [this](const FieldDef &f) { return m_dialect.columnType(f); });
}

} // namespace data
