#include "data/store/Database.h"

#include "data/store/Collation.h"
#include "data/store/DatabaseState.h"
#include "data/store/SqlText.h"
#include "data/store/SqliteApi.h"
#include "data/store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace data {

namespace {

using sqltext::quoteName;

struct Registry
{
    QHash<QString, QString> names; // upper-case name -> directory
    QHash<QString, std::shared_ptr<DatabaseState>> open; // absolute directory -> connection
};

Registry &registry()
{
    static Registry r;
    return r;
}

QString directoryKey(const QString &directory)
{
    const QFileInfo info(directory);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

QString typeLabel(const FieldDef &f)
{
    switch (f.type) {
    case FieldType::Text:
        return QStringLiteral("texto(%1)").arg(f.size);
    case FieldType::Float:
        return QStringLiteral("número");
    case FieldType::Short:
        return QStringLiteral("inteiro curto");
    case FieldType::Long:
        return QStringLiteral("inteiro");
    case FieldType::Money:
        return QStringLiteral("valor");
    case FieldType::Date:
        return QStringLiteral("data");
    case FieldType::Logical:
        return QStringLiteral("lógico");
    case FieldType::AutoIncrement:
        return QStringLiteral("autoincremento");
    case FieldType::Memo:
        return QStringLiteral("memo");
    }
    return {};
}

bool isSchemaChange(const QString &sql)
{
    static const QRegularExpression ddl(QStringLiteral("^\\s*(create|alter|drop)\\b"),
                                        QRegularExpression::CaseInsensitiveOption);
    return ddl.match(sql).hasMatch();
}

} // namespace

QString stemOf(const QString &fileName)
{
    QString name = QFileInfo(fileName).fileName();
    static const QRegularExpression extension(QStringLiteral("\\.(db|dbf)$"), QRegularExpression::CaseInsensitiveOption);
    name.remove(extension);
    return name;
}

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
    switch (f.type) {
    case FieldType::Text:
        return QStringLiteral("CHAR(%1) COLLATE %2").arg(f.size).arg(QLatin1String(collation::kName));
    case FieldType::Float:
        return QStringLiteral("FLOAT");
    case FieldType::Short:
        return QStringLiteral("SMALLINT");
    case FieldType::Long:
        return QStringLiteral("INTEGER");
    case FieldType::Money:
        return QStringLiteral("MONEY REAL");
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::Logical:
        return QStringLiteral("BOOLEAN");
    case FieldType::AutoIncrement:
        return QStringLiteral("AUTOINC INTEGER");
    case FieldType::Memo:
        return QStringLiteral("TEXT COLLATE %1").arg(QLatin1String(collation::kName));
    }
    return QStringLiteral("TEXT");
}

// ---------------------------------------------------------------------------------------------
// The connection

DatabaseState::DatabaseState(const QString &dir, Database::Access access)
    : readOnly(access == Database::Access::ReadOnly)
{
    const QDir d(dir);
    if (dir.isEmpty() || !d.exists())
        throw StoreError(QStringLiteral("O diretório de dados não existe: %1").arg(QDir::toNativeSeparators(dir)));
    directory = d.absolutePath();
    filePath = d.absoluteFilePath(QString::fromLatin1(kStoreFileName));
    if (readOnly && !QFileInfo::exists(filePath))
        throw StoreError(QStringLiteral("Não há tabelas deste programa em %1.").arg(QDir::toNativeSeparators(directory)));

    const sqlite::Api &api = sqlite::api();
    const QByteArray path = QFile::encodeName(filePath);
    const int flags = readOnly ? SQLITE_OPEN_READONLY : (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    const int rc = api.open_v2(path.constData(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString reason = handle ? QString::fromUtf8(api.errmsg(handle)) : QString();
        if (handle)
            api.close_v2(handle);
        handle = nullptr;
        throw StoreError(QStringLiteral("Não foi possível abrir o banco de dados %1: %2")
                             .arg(QDir::toNativeSeparators(filePath), reason));
    }
    try {
        // Several workstations share the file: wait for each other rather than fail at once.
        api.busy_timeout(handle, 10000);
        collation::registerOn(handle);
        // A school year's file is a few tens of megabytes: keeping its pages in memory spares a
        // bulk run (a year of fees, a recalculation) from spilling its changes to disk midway.
        runPlain(QStringLiteral("PRAGMA cache_size = -32768"));
        // A bulk run gives each row a savepoint; their undo records stay in memory instead of a
        // temporary file written to at every row.
        runPlain(QStringLiteral("PRAGMA temp_store = MEMORY"));
        runPlain(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (...) {
        api.close_v2(handle);
        handle = nullptr;
        throw;
    }
    locks = TableLocks::forDirectory(directory);
}

DatabaseState::~DatabaseState()
{
    m_cache.clear();
    if (handle) {
        if (!sqlite::api().get_autocommit(handle))
            sqlite::api().exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite::api().close_v2(handle);
    }
}

sqlite::Statement &DatabaseState::cached(const QString &sql)
{
    auto it = m_cache.find(sql);
    if (it != m_cache.end())
        return *it.value();
    auto statement = std::make_shared<sqlite::Statement>(handle, sql);
    if (m_cacheOrder.size() >= 100)
        m_cache.remove(m_cacheOrder.takeFirst());
    m_cache.insert(sql, statement);
    m_cacheOrder.append(sql);
    return *statement;
}

const QStringList &DatabaseState::rewritten(const QString &sql)
{
    auto it = m_rewritten.constFind(sql);
    if (it != m_rewritten.constEnd())
        return it.value();
    // A bounded memory: texts with values pasted in never come back.
    if (m_rewritten.size() >= 200)
        m_rewritten.clear();
    return m_rewritten.insert(sql, sqltext::rewrite(sql, [this](const FieldDef &f) { return dialect.columnType(f); }))
        .value();
}

int DatabaseState::run(const QString &sql, const SqlParams &params)
{
    const sqlite::Api &api = sqlite::api();
    const QStringList statements = rewritten(sql);
    const int before = api.total_changes(handle);
    auto runOne = [&](const QString &text) {
        sqlite::Statement &st = cached(text);
        st.reset();
        st.bindNamed(params);
        while (st.step()) {
        }
        st.reset();
    };
    if (statements.size() == 1) {
        runOne(statements.first());
    } else {
        // Several clauses of one statement stand or fall together.
        runKept(QStringLiteral("SAVEPOINT lumesco_statement"));
        try {
            for (const QString &s : statements)
                runOne(s);
        } catch (...) {
            runKept(QStringLiteral("ROLLBACK TO lumesco_statement"));
            runKept(QStringLiteral("RELEASE lumesco_statement"));
            if (isSchemaChange(sql))
                forgetLayouts();
            throw;
        }
        runKept(QStringLiteral("RELEASE lumesco_statement"));
    }
    if (isSchemaChange(sql))
        forgetLayouts();
    return api.total_changes(handle) - before;
}

void DatabaseState::runPlain(const QString &sql)
{
    sqlite::Statement st(handle, sql);
    while (st.step()) {
    }
}

void DatabaseState::runKept(const QString &sql)
{
    sqlite::Statement &st = cached(sql);
    st.reset();
    try {
        while (st.step()) {
        }
    } catch (...) {
        st.reset();
        throw;
    }
    st.reset();
}

QString DatabaseState::canonicalTable(const QString &tableOrFileName) const
{
    sqlite::Statement st(handle, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE"));
    st.bind(1, stemOf(tableOrFileName));
    return st.step() ? st.value(0, FieldType::Text).toString() : QString();
}

const TableDef &DatabaseState::layout(const QString &tableOrFileName)
{
    const QString key = stemOf(tableOrFileName).toUpper();
    auto it = m_layouts.find(key);
    if (it != m_layouts.end())
        return it.value();
    const QString table = canonicalTable(tableOrFileName);
    if (table.isEmpty())
        throw StoreError(QStringLiteral("A tabela %1 não existe em %2.")
                             .arg(tableOrFileName, QDir::toNativeSeparators(directory)));
    TableDef def;
    def.name = table;
    def.fileName = table;
    QMap<int, QString> keyFields;
    {
        sqlite::Statement st(handle, QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(table)));
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
        sqlite::Statement st(handle, QStringLiteral("PRAGMA index_list(%1)").arg(quoteName(table)));
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
        sqlite::Statement st(handle, QStringLiteral("PRAGMA index_xinfo(%1)").arg(quoteName(indexName)));
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
    return m_layouts.insert(key, def).value();
}

// ---------------------------------------------------------------------------------------------
// Database

void Database::defineName(const QString &name, const QString &directory)
{
    registry().names.insert(name.toUpper(), directory);
}

void Database::dropName(const QString &name)
{
    registry().names.remove(name.toUpper());
}

bool Database::nameExists(const QString &name)
{
    return registry().names.contains(name.toUpper());
}

QString Database::directoryOfName(const QString &name)
{
    return registry().names.value(name.toUpper());
}

Database Database::named(const QString &name)
{
    const auto it = registry().names.constFind(name.toUpper());
    if (it == registry().names.constEnd())
        throw StoreError(QStringLiteral("Banco de dados não definido: %1").arg(name));
    return open(it.value());
}

Database Database::open(const QString &directory, Access access)
{
    const QString key = directoryKey(directory);
    Registry &r = registry();
    // A writable connection serves readers too; two connections of one program to one file
    // would only wait for each other.
    if (auto it = r.open.constFind(key + QStringLiteral("|rw")); it != r.open.constEnd())
        return Database(it.value());
    const QString modeKey = key + (access == Access::ReadOnly ? QStringLiteral("|ro") : QStringLiteral("|rw"));
    if (auto it = r.open.constFind(modeKey); it != r.open.constEnd())
        return Database(it.value());
    auto state = std::make_shared<DatabaseState>(directory, access);
    r.open.insert(modeKey, state);
    return Database(state);
}

void Database::addPassword(const QString &)
{
}

void Database::removeAllPasswords()
{
}

void Database::closeAll()
{
    registry().open.clear();
    registry().names.clear();
}

DatabaseState &Database::state() const
{
    if (!m_state)
        throw StoreError(QStringLiteral("Banco de dados não aberto."));
    return *m_state;
}

QString Database::directory() const
{
    return state().directory;
}

QString Database::filePath() const
{
    return state().filePath;
}

bool Database::isReadOnly() const
{
    return state().readOnly;
}

const SqlDialect &Database::dialect() const
{
    return state().dialect;
}

int Database::exec(const QString &sql, const SqlParams &params) const
{
    return state().run(sql, params);
}

QVariant Database::scalar(const QString &sql, const SqlParams &params) const
{
    DatabaseState &s = state();
    sqlite::Statement st(s.handle, s.rewritten(sql).value(0));
    st.bindNamed(params);
    if (!st.step())
        return {};
    const QString declared = st.declaredType(0);
    return declared.isEmpty() ? st.rawValue(0) : st.value(0, sqltext::fieldFromType(QString(), declared).type);
}

QStringList Database::tableNames() const
{
    QStringList names;
    sqlite::Statement st(state().handle, QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    while (st.step())
        names.append(st.value(0, FieldType::Text).toString());
    return names;
}

bool Database::hasTable(const QString &tableOrFileName) const
{
    return !state().canonicalTable(tableOrFileName).isEmpty();
}

TableDef Database::layout(const QString &tableOrFileName) const
{
    return state().layout(tableOrFileName);
}

QString Database::tableNameFor(const QString &tableOrFileName) const
{
    const QString existing = state().canonicalTable(tableOrFileName);
    return existing.isEmpty() ? stemOf(tableOrFileName) : existing;
}

void Database::createTable(const TableDef &def) const
{
    DatabaseState &s = state();
    if (hasTable(def.name))
        throw StoreError(QStringLiteral("A tabela %1 já existe.").arg(def.name));
    QStringList columns;
    for (const FieldDef &f : def.fields)
        columns.append(quoteName(f.name) + u' ' + s.dialect.columnType(f) + (f.required ? QStringLiteral(" NOT NULL") : QString()));
    if (!def.primaryKey.isEmpty()) {
        QStringList keys;
        for (const QString &k : def.primaryKey)
            keys.append(quoteName(k));
        columns.append(QStringLiteral("PRIMARY KEY (%1)").arg(keys.join(QStringLiteral(", "))));
    }
    QStringList statements;
    statements.append(QStringLiteral("CREATE TABLE %1 (\n  %2\n)").arg(quoteName(def.name), columns.join(QStringLiteral(",\n  "))));
    for (const IndexDef &index : def.indexes) {
        QStringList parts;
        for (const QString &fieldName : index.fields) {
            const FieldDef *f = def.field(fieldName);
            if (!f)
                throw StoreError(QStringLiteral("O índice %1 da tabela %2 usa o campo inexistente %3.")
                                     .arg(index.name, def.name, fieldName));
            QString part = quoteName(f->name);
            if (index.caseInsensitive && (f->type == FieldType::Text || f->type == FieldType::Memo))
                part += QStringLiteral(" COLLATE %1").arg(QLatin1String(collation::kNameCaseInsensitive));
            if (index.descending)
                part += QStringLiteral(" DESC");
            parts.append(part);
        }
        statements.append(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                              .arg(quoteName(def.name + u'.' + index.name), quoteName(def.name), parts.join(QStringLiteral(", "))));
    }
    s.runPlain(QStringLiteral("SAVEPOINT lumesco_create"));
    try {
        for (const QString &sql : statements)
            s.runPlain(sql);
    } catch (...) {
        s.runPlain(QStringLiteral("ROLLBACK TO lumesco_create"));
        s.runPlain(QStringLiteral("RELEASE lumesco_create"));
        s.forgetLayouts();
        throw;
    }
    s.runPlain(QStringLiteral("RELEASE lumesco_create"));
    s.forgetLayouts();
}

void Database::dropTable(const QString &tableOrFileName) const
{
    DatabaseState &s = state();
    const QString table = s.canonicalTable(tableOrFileName);
    if (table.isEmpty())
        throw StoreError(QStringLiteral("A tabela %1 não existe.").arg(tableOrFileName));
    if (s.locks->isOpen(table))
        throw StoreError(QStringLiteral("A tabela %1 está aberta e não pode ser excluída.").arg(table));
    s.runPlain(QStringLiteral("DROP TABLE %1").arg(quoteName(table)));
    s.forgetLayouts();
}

QStringList Database::compareLayout(const TableDef &def) const
{
    QStringList differences;
    if (!hasTable(def.name))
        return {QStringLiteral("Tabela ausente: %1").arg(def.name)};
    const TableDef stored = layout(def.name);
    for (const FieldDef &want : def.fields) {
        const FieldDef *have = stored.field(want.name);
        if (!have) {
            differences.append(QStringLiteral("Campo ausente: %1").arg(want.name));
            continue;
        }
        if (have->type != want.type || (want.type == FieldType::Text && have->size != want.size))
            differences.append(QStringLiteral("Campo %1: %2, esperado %3").arg(want.name, typeLabel(*have), typeLabel(want)));
        if (have->required != want.required)
            differences.append(QStringLiteral("Campo %1: %2").arg(want.name, want.required ? QStringLiteral("deveria ser obrigatório") : QStringLiteral("não deveria ser obrigatório")));
    }
    for (const FieldDef &have : stored.fields)
        if (!def.field(have.name))
            differences.append(QStringLiteral("Campo a mais: %1").arg(have.name));
    auto sameFields = [](const QStringList &a, const QStringList &b) {
        return a.join(u';').compare(b.join(u';'), Qt::CaseInsensitive) == 0;
    };
    if (!sameFields(stored.primaryKey, def.primaryKey))
        differences.append(QStringLiteral("Chave primária: %1, esperada %2")
                               .arg(stored.primaryKey.join(u';'), def.primaryKey.join(u';')));
    for (const IndexDef &want : def.indexes) {
        const IndexDef *have = stored.index(want.name);
        if (!have)
            differences.append(QStringLiteral("Índice ausente: %1").arg(want.name));
        else if (!sameFields(have->fields, want.fields) || have->descending != want.descending
                 || have->caseInsensitive != want.caseInsensitive)
            differences.append(QStringLiteral("Índice %1: campos ou ordem diferentes").arg(want.name));
    }
    return differences;
}

QStringList Database::openTables() const
{
    return state().locks->openTables();
}

bool Database::isTableOpen(const QString &tableOrFileName) const
{
    return state().locks->isOpen(tableNameFor(tableOrFileName));
}

bool Database::isTableOpenElsewhere(const QString &tableOrFileName) const
{
    return state().locks->isOpenElsewhere(tableNameFor(tableOrFileName));
}

bool Database::inTransaction() const
{
    return !sqlite::api().get_autocommit(state().handle);
}

void *Database::nativeHandle() const
{
    return state().handle;
}

} // namespace data
