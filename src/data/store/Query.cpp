#include "data/store/Query.h"

#include "data/store/DatabaseState.h"
#include "data/store/FieldValue.h"
#include "data/store/SqlText.h"

#include <QSet>

namespace data {

namespace {

using sqltext::quoteName;

// The kind of a column without a declared type (an expression): what its values are.
FieldType typeOfValues(const std::vector<std::shared_ptr<QVariantList>> &rows, int column)
{
    bool sawInteger = false;
    for (const auto &row : rows) {
        const QVariant &v = row->at(column);
        switch (v.typeId()) {
        case QMetaType::QString:
            return FieldType::Text;
        case QMetaType::Double:
            return FieldType::Float;
        case QMetaType::LongLong:
            sawInteger = true;
            break;
        default:
            break;
        }
    }
    return sawInteger ? FieldType::Long : FieldType::Text;
}

QVariant typed(const QVariant &raw, FieldType type)
{
    if (raw.isNull())
        return {};
    switch (type) {
    case FieldType::Long:
    case FieldType::Short:
    case FieldType::AutoIncrement: {
        const qint64 v = raw.toLongLong();
        return v >= INT_MIN && v <= INT_MAX ? QVariant(int(v)) : QVariant(v);
    }
    case FieldType::Float:
    case FieldType::Money:
        return raw.toDouble();
    default: {
        const QString text = raw.toString();
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    }
}

} // namespace

Query::Query(const Database &db, QObject *parent) : Dataset(parent), m_db(db) {}

Query::Query(const QString &databaseName, QObject *parent) : Dataset(parent), m_databaseName(databaseName) {}

Query::~Query()
{
    close();
}

QString Query::displayName() const
{
    return m_editableTable.isEmpty() ? QStringLiteral("consulta") : m_editableTable.toUpper();
}

Database Query::database() const
{
    if (!m_databaseName.isEmpty())
        return Database::named(m_databaseName);
    if (!m_db.isValid())
        throw StoreError(QStringLiteral("Consulta sem banco de dados."));
    return m_db;
}

void Query::setSql(const QString &sql)
{
    close();
    m_sql = sql;
    m_params.clear();
}

void Query::bind(const QString &name, const QVariant &value)
{
    m_params.insert(name.startsWith(u':') ? name.mid(1) : name, value);
}

void Query::clearBindings()
{
    m_params.clear();
}

int Query::execute()
{
    return database().exec(m_sql, m_params);
}

void Query::openSource(QList<DatasetField> &storedFields)
{
    const Database db = database();
    DatabaseState &s = db.state();
    m_editableTable.clear();
    m_layout = TableDef();
    const QStringList statements = s.rewritten(m_sql);
    if (statements.size() != 1)
        throw StoreError(QStringLiteral("A consulta deve ser uma única instrução SELECT.\nInstrução: ") + m_sql.trimmed());
    QString sql = statements.first();

    // "select * from <table>": carry the row id so rows can be changed in place.
    QString alias;
    const QString table = sqltext::singleTableSelectAll(sql, &alias);
    if (!table.isEmpty() && !s.canonicalTable(table).isEmpty()) {
        m_layout = s.layout(table);
        m_editableTable = m_layout.name;
        QList<sqltext::Token> tokens = sqltext::tokenize(sql);
        for (sqltext::Token &t : tokens) {
            if (t.kind == sqltext::TokenKind::Symbol && t.text == u"*") {
                t.text = QStringLiteral("%1.rowid, %1.*").arg(quoteName(alias));
                break;
            }
        }
        sql = sqltext::join(tokens);
    }
    setReadOnlyFlag(m_editableTable.isEmpty() || s.readOnly);

    const auto statement = s.prepare(sql);
    engine::Statement &st = *statement;
    st.bindNamed(m_params);
    const int skip = m_editableTable.isEmpty() ? 0 : 1;
    const int columns = st.columnCount() - skip;
    QList<std::optional<FieldType>> declared;
    QSet<QString> used;
    for (int c = 0; c < columns; ++c) {
        DatasetField field;
        field.name = st.columnName(c + skip);
        // Two columns of one name (a.turma, b.turma) stay apart: TURMA, TURMA_1.
        QString unique = field.name;
        for (int n = 1; used.contains(unique.toUpper()); ++n)
            unique = field.name + u'_' + QString::number(n);
        used.insert(unique.toUpper());
        field.name = unique;
        const QString type = st.declaredType(c + skip);
        if (!type.isEmpty()) {
            const FieldDef def = sqltext::fieldFromType(field.name, type);
            field.type = def.type;
            field.size = def.size;
            declared.append(def.type);
        } else {
            declared.append(std::nullopt);
        }
        storedFields.append(field);
    }
    if (!m_editableTable.isEmpty())
        for (int c = 0; c < columns && c < m_layout.fields.size(); ++c)
            storedFields[c].required = m_layout.fields[c].required;

    // Read the rows now: columns without a declared type take the type of their values.
    std::vector<std::shared_ptr<QVariantList>> raw;
    std::vector<qint64> ids;
    while (st.step()) {
        auto values = std::make_shared<QVariantList>();
        values->reserve(columns);
        for (int c = 0; c < columns; ++c)
            values->append(declared[c] ? st.value(c + skip, *declared[c]) : st.rawValue(c + skip));
        raw.push_back(values);
        ids.push_back(skip ? st.int64(0) : qint64(ids.size() + 1));
    }
    for (int c = 0; c < columns; ++c)
        if (!declared[c])
            storedFields[c].type = typeOfValues(raw, c);
    m_pending.clear();
    for (size_t r = 0; r < raw.size(); ++r) {
        auto row = std::make_shared<Row>();
        row->id = ids[r];
        row->values = *raw[r];
        for (int c = 0; c < columns; ++c)
            if (!declared[c])
                row->values[c] = typed(row->values[c], storedFields[c].type);
        m_pending.push_back(std::move(row));
    }
}

void Query::loadRows(std::vector<RowPtr> &rows)
{
    if (m_pending.empty() && isOpen()) {
        // A refresh: run the statement again with the same fields.
        QList<DatasetField> ignored;
        const QList<DatasetField> kept = fields();
        openSource(ignored);
        for (const RowPtr &row : m_pending)
            for (int c = 0; c < ignored.size() && c < kept.size(); ++c)
                if (ignored[c].type != kept[c].type)
                    row->values[c] = fieldvalue::convertIn(kept[c], row->values[c]);
    }
    rows.swap(m_pending);
    m_pending.clear();
}

void Query::writeInsert(Row &row)
{
    const Database db = database();
    QStringList columns, marks;
    SqlParams params;
    for (int i = 0; i < m_layout.fields.size(); ++i) {
        columns.append(quoteName(m_layout.fields[i].name));
        marks.append(QStringLiteral(":p%1").arg(i));
        params.insert(QStringLiteral("p%1").arg(i), row.values.value(i));
    }
    DatabaseState &s = db.state();
    const auto st = s.prepare(s.rewritten(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)%4")
                                              .arg(quoteName(m_editableTable), columns.join(u','), marks.join(u','),
                                                   s.dialect.returningRowId()))
                                  .value(0));
    st->bindNamed(params);
    st->step();
    row.id = st->insertedId();
}

void Query::writeUpdate(const Row &before, Row &row)
{
    const Database db = database();
    QStringList sets;
    SqlParams params;
    for (int i = 0; i < m_layout.fields.size(); ++i) {
        if (before.values.value(i) == row.values.value(i) && before.values.value(i).isNull() == row.values.value(i).isNull())
            continue;
        sets.append(QStringLiteral("%1 = :p%2").arg(quoteName(m_layout.fields[i].name)).arg(i));
        params.insert(QStringLiteral("p%1").arg(i), row.values.value(i));
    }
    if (sets.isEmpty())
        return;
    params.insert(QStringLiteral("lumesco_rowid"), before.id);
    const int changed = db.state().run(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = :lumesco_rowid")
                                           .arg(quoteName(m_editableTable), sets.join(QStringLiteral(", "))),
                                       params);
    if (changed == 0)
        throw StoreError(QStringLiteral("O registro de %1 foi excluído por outro usuário; atualize a consulta.").arg(displayName()));
}

void Query::writeDelete(const Row &row)
{
    database().state().run(QStringLiteral("DELETE FROM %1 WHERE rowid = :lumesco_rowid").arg(quoteName(m_editableTable)),
                           {{QStringLiteral("lumesco_rowid"), row.id}});
}

} // namespace data
