#include "data/store/Database.h"

#include "data/store/DatabaseState.h"
#include "data/store/SqlText.h"
#include "data/store/PgConnection.h"
#include "data/store/ServerAddress.h"
#include "data/store/SqliteConnection.h"
#include "data/store/StoreError.h"
#include "data/store/UnusedConnection.h"

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
    if (ServerAddress::isServerAddress(directory))
        return ServerAddress::parse(directory).text;
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
// The connection

DatabaseState::DatabaseState(std::unique_ptr<engine::Connection> c, bool ro)
    : connection(std::move(c)), directory(connection->location()), filePath(connection->filePath()), readOnly(ro),
      dialect(connection->dialect()), locks(connection->locks())
{
}

DatabaseState::~DatabaseState()
{
    m_cache.clear();
    connection->rollbackOnClose();
}

engine::Statement &DatabaseState::cached(const QString &sql)
{
    auto it = m_cache.find(sql);
    if (it != m_cache.end())
        return *it.value();
    std::shared_ptr<engine::Statement> statement = connection->prepare(sql);
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
    return m_rewritten.insert(sql, connection->rewrite(sql)).value();
}

int DatabaseState::run(const QString &sql, const SqlParams &params)
{
    const QStringList statements = rewritten(sql);
    int changed = 0;
    auto runOne = [&](const QString &text) {
        engine::Statement &st = cached(text);
        st.reset();
        st.bindNamed(params);
        while (st.step()) {
        }
        changed += st.changes();
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
    return changed;
}

void DatabaseState::runPlain(const QString &sql)
{
    const auto st = connection->prepare(sql);
    while (st->step()) {
    }
}

void DatabaseState::runKept(const QString &sql)
{
    engine::Statement &st = cached(sql);
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
    return connection->canonicalTable(stemOf(tableOrFileName));
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
    return m_layouts.insert(key, connection->readLayout(table)).value();
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
    const bool readOnly = access == Access::ReadOnly;
    std::unique_ptr<engine::Connection> connection;
    if (ServerAddress::isServerAddress(directory))
        connection = std::make_unique<PgConnection>(ServerAddress::parse(directory), readOnly);
    else
        connection = std::make_unique<SqliteConnection>(directory, readOnly);
    auto state = std::make_shared<DatabaseState>(std::move(connection), readOnly);
    r.open.insert(modeKey, state);
    return Database(state);
}

void Database::addPassword(const QString &)
{
}

void Database::removeAllPasswords()
{
}

bool closeUnusedConnection(const QString &directory)
{
    const QString key = directoryKey(directory);
    Registry &r = registry();
    const QStringList keys{key + QStringLiteral("|rw"), key + QStringLiteral("|ro")};
    for (const QString &k : keys)
        if (const auto it = r.open.constFind(k); it != r.open.constEnd() && it.value().use_count() > 1)
            return false;
    for (const QString &k : keys)
        r.open.remove(k);
    return true;
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

bool Database::isServerYear() const
{
    return ServerAddress::isServerAddress(state().directory);
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
    const auto st = s.prepare(s.rewritten(sql).value(0));
    st->bindNamed(params);
    if (!st->step())
        return {};
    const QString declared = st->declaredType(0);
    return declared.isEmpty() ? st->rawValue(0) : st->value(0, sqltext::fieldFromType(QString(), declared).type);
}

QStringList Database::tableNames() const
{
    return state().connection->tableNames();
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
    const QStringList statements = s.connection->createTableStatements(def);
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
    return state().connection->inTransaction();
}

void *Database::nativeHandle() const
{
    return state().connection->nativeHandle();
}

} // namespace data
