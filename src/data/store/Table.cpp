#include "data/store/Table.h"

#include "data/store/Collation.h"
#include "data/store/DatabaseState.h"
#include "data/store/FieldValue.h"
#include "data/store/Filter.h"
#include "data/store/SqlText.h"

#include <QSet>
#include <QVarLengthArray>

#include <string>
#include <unordered_map>

namespace data {

namespace {

using fieldvalue::convertIn;
using fieldvalue::isTextType;
using sqltext::quoteName;

void bindAll(engine::Statement &st, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        st.bind(i + 1, values[i]);
}

} // namespace

struct Table::Statements
{
    std::unique_ptr<engine::Statement> insert;
    std::unique_ptr<engine::Statement> insertWithId; // for appends held in bulk (AppendBatch)
    std::unordered_map<std::string, std::unique_ptr<engine::Statement>> updates; // by the changed columns
    std::unique_ptr<engine::Statement> remove;
    std::unique_ptr<engine::Statement> fetch;
};

Table::Table(const Database &db, const QString &fileName, QObject *parent)
    : Dataset(parent), m_db(db), m_fileName(fileName)
{
}

Table::Table(const QString &databaseName, const QString &fileName, QObject *parent)
    : Dataset(parent), m_databaseName(databaseName), m_fileName(fileName)
{
}

Table::~Table()
{
    if (m_master)
        m_master->removeDetail(this);
    close();
}

QString Table::displayName() const
{
    return tableName().toUpper();
}

QString Table::tableName() const
{
    return m_layout.name.isEmpty() ? stemOf(m_fileName) : m_layout.name;
}

Database Table::database() const
{
    return m_db;
}

void Table::resolveDatabase()
{
    if (!m_databaseName.isEmpty())
        m_db = Database::named(m_databaseName);
    if (!m_db.isValid())
        throw StoreError(QStringLiteral("Banco de dados não definido para a tabela %1.").arg(m_fileName));
}

void Table::setReadOnly(bool readOnly)
{
    requireClosed("Somente leitura");
    m_requestedReadOnly = readOnly;
}

void Table::setExclusive(bool exclusive)
{
    requireClosed("Uso exclusivo");
    m_exclusive = exclusive;
}

// ---------------------------------------------------------------------------------------------
// Opening

void Table::openSource(QList<DatasetField> &storedFields)
{
    resolveDatabase();
    DatabaseState &s = m_db.state();
    m_layout = s.layout(m_fileName);
    if (m_exclusive)
        s.locks->acquireExclusive(m_layout.name);
    else
        s.locks->acquireShared(m_layout.name);
    m_lockHeld = true;
    setReadOnlyFlag(m_requestedReadOnly || s.readOnly);
    for (const FieldDef &f : m_layout.fields) {
        DatasetField field;
        field.name = f.name;
        field.type = f.type;
        field.size = f.size;
        field.required = f.required;
        storedFields.append(field);
    }
    m_statements = std::make_unique<Statements>();
    try {
        setOrder(computeOrder()); // an unknown index fails the opening
    } catch (...) {
        closeSource();
        throw;
    }
}

void Table::closeSource()
{
    m_statements.reset();
    if (m_lockHeld) {
        m_db.state().locks->release(m_layout.name, m_exclusive);
        m_lockHeld = false;
    }
}

// ---------------------------------------------------------------------------------------------
// Order, range, link

QList<Table::OrderField> Table::computeOrder() const
{
    QList<OrderField> order;
    auto fieldPosition = [&](const QString &name) {
        for (int i = 0; i < m_layout.fields.size(); ++i)
            if (m_layout.fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        throw StoreError(QStringLiteral("Campo %1 não encontrado em %2.").arg(name, displayName()));
    };
    if (m_useFieldList) {
        for (QString part : m_indexFieldList.split(u';', Qt::SkipEmptyParts)) {
            part = part.trimmed();
            bool descending = false;
            if (part.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive)) {
                descending = true;
                part.chop(5);
            }
            order.append({fieldPosition(part.trimmed()), descending, false});
        }
        return order;
    }
    if (m_indexName.isEmpty()) {
        for (const QString &k : m_layout.primaryKey)
            order.append({fieldPosition(k), false, false});
        return order;
    }
    const IndexDef *index = m_layout.index(m_indexName);
    if (!index)
        throw StoreError(QStringLiteral("Índice %1 não encontrado na tabela %2.").arg(m_indexName, displayName()));
    for (const QString &f : index->fields)
        order.append({fieldPosition(f), index->descending, index->caseInsensitive});
    return order;
}

QString Table::indexFields() const
{
    QStringList names;
    for (const OrderField &o : computeOrder())
        names.append(m_layout.fields[o.field].name);
    return names.join(u';');
}

QList<int> Table::orderFieldPositions() const
{
    return m_orderPositions;
}

void Table::setOrder(const QList<OrderField> &order)
{
    m_order = order;
    m_orderPositions.clear();
    for (const OrderField &o : order)
        m_orderPositions.append(o.field);
}

void Table::setIndexName(const QString &indexName)
{
    const QString oldName = m_indexName;
    const bool oldList = m_useFieldList;
    m_indexName = indexName.trimmed();
    m_useFieldList = false;
    reorder(oldName, m_indexFieldList, oldList);
}

void Table::setIndexFields(const QString &fieldList)
{
    const QString oldList = m_indexFieldList;
    const bool oldUse = m_useFieldList;
    m_indexFieldList = fieldList;
    m_useFieldList = !fieldList.trimmed().isEmpty();
    if (!m_useFieldList)
        m_indexName.clear();
    reorder(m_indexName, oldList, oldUse);
}

void Table::reorder(const QString &oldName, const QString &oldList, bool oldUse)
{
    if (!isOpen())
        return;
    try {
        checkBrowseMode();
        setOrder(computeOrder());
        reload(true);
    } catch (...) {
        m_indexName = oldName;
        m_indexFieldList = oldList;
        m_useFieldList = oldUse;
        setOrder(computeOrder());
        throw;
    }
}

void Table::setRange(const QVariantList &from, const QVariantList &to)
{
    m_rangeFrom = from;
    m_rangeTo = to;
    m_hasRange = true;
    if (isOpen()) {
        checkBrowseMode();
        reload(false);
    }
}

void Table::cancelRange()
{
    if (!m_hasRange)
        return;
    m_hasRange = false;
    m_rangeFrom.clear();
    m_rangeTo.clear();
    if (isOpen()) {
        checkBrowseMode();
        reload(true);
    }
}

void Table::setMaster(Dataset *master, const QString &detailFields, const QString &masterFields)
{
    if (m_master)
        m_master->removeDetail(this);
    m_master = master;
    m_detailFields = detailFields.split(u';', Qt::SkipEmptyParts);
    m_masterFields = masterFields.split(u';', Qt::SkipEmptyParts);
    for (QString &f : m_detailFields)
        f = f.trimmed();
    for (QString &f : m_masterFields)
        f = f.trimmed();
    if (master && m_detailFields.size() != m_masterFields.size())
        throw StoreError(QStringLiteral("Ligação de %1: %2 campos de detalhe e %3 do mestre.")
                             .arg(displayName()).arg(m_detailFields.size()).arg(m_masterFields.size()));
    if (master)
        master->addDetail(this);
    if (isOpen()) {
        checkBrowseMode();
        reload(false);
    }
}

void Table::masterChanged()
{
    if (!isOpen() || !m_master)
        return;
    checkBrowseMode();
    reload(false);
}

// The master's values in the detail fields' types; nullopt when the master has no row.
std::optional<QVariantList> Table::linkValues() const
{
    if (!m_master || !m_master->isOpen() || (m_master->isEmpty() && !m_master->isEditing()))
        return std::nullopt;
    QVariantList values;
    for (int i = 0; i < m_detailFields.size(); ++i) {
        const DatasetField &f = fields()[resolve(m_detailFields[i])];
        values.append(convertIn(f, m_master->value(m_masterFields[i])));
    }
    return values;
}

// The current rows' statement: the filter, range and master link as conditions, in the order.
sqltext::SelectStatement Table::buildSelection(bool idsOnly) const
{
    sqltext::SelectStatement sel;
    sel.columns.append(QStringLiteral("rowid"));
    if (!idsOnly)
        for (const FieldDef &f : m_layout.fields)
            sel.columns.append(quoteName(f.name));
    sel.from = quoteName(m_layout.name);
    if (const FilterExpression *filter = filterExpression()) {
        QVariantList values;
        const QString condition = filter->toSql(values);
        sel.where(condition, values);
    }
    if (m_hasRange) {
        keyCondition(sel, m_rangeFrom, ">=");
        keyCondition(sel, m_rangeTo, "<=");
    }
    if (m_master) {
        const auto link = linkValues();
        if (!link) {
            sel.where(QStringLiteral("1 = 0"));
        } else {
            for (int i = 0; i < m_detailFields.size(); ++i) {
                if (link->at(i).isNull())
                    sel.where(QStringLiteral("1 = 0"));
                else
                    sel.where(QStringLiteral("%1 = ?").arg(quoteName(fields()[resolve(m_detailFields[i])].name)), {link->at(i)});
            }
        }
    }
    for (const OrderField &o : orderFields())
        sel.orderBy.append(orderTerm(o) + (o.descending ? QStringLiteral(" DESC") : QString()));
    sel.orderBy.append(QStringLiteral("rowid"));
    return sel;
}

// A field of the order as SQL, in the collation of its index.
QString Table::orderTerm(const OrderField &o) const
{
    const DatasetField &f = fields()[o.field];
    QString term = quoteName(f.name);
    if (o.caseInsensitive && isTextType(f.type))
        term += QStringLiteral(" COLLATE %1").arg(QLatin1String(collation::kNameCaseInsensitive));
    return term;
}

// The leading fields of the order compared with `key` as one row value: "(A, B) >= (?, ?)".
void Table::keyCondition(sqltext::SelectStatement &sel, const QVariantList &key, const char *op) const
{
    const QList<OrderField> &order = orderFields();
    QStringList names, marks;
    QVariantList values;
    for (int i = 0; i < key.size() && i < order.size(); ++i) {
        names.append(orderTerm(order[i]));
        marks.append(QStringLiteral("?"));
        values.append(convertIn(fields()[order[i].field], key[i]));
    }
    if (!names.isEmpty())
        sel.where(QStringLiteral("(%1) %2 (%3)").arg(names.join(u','), QLatin1String(op), marks.join(u',')), values);
}

// ---------------------------------------------------------------------------------------------
// Reading

// Short codes (classes, subjects, situations) repeat on every row: one text each is enough.
struct Table::CodeCache
{
    std::unordered_map<std::string, QVariant> texts;
};

void Table::decodeRow(const engine::Statement &st, Row &row, CodeCache *codes) const
{
    const int count = int(m_layout.fields.size());
    row.id = st.int64(0);
    row.values.reserve(fieldCount());
    for (int i = 0; i < count; ++i) {
        const FieldDef &f = m_layout.fields[i];
        if (codes && f.type == FieldType::Text && f.size <= 8) {
            int length = 0;
            const char *text = st.utf8(i + 1, &length);
            if (!text || length == 0) {
                row.values.append(QVariant());
                continue;
            }
            const std::string key(text, size_t(length));
            auto it = codes->texts.find(key);
            if (it == codes->texts.end())
                it = codes->texts.emplace(key, QVariant(QString::fromUtf8(text, length))).first;
            row.values.append(it->second);
            continue;
        }
        row.values.append(st.value(i + 1, f.type));
    }
}

void Table::loadRows(std::vector<RowPtr> &rows)
{
    const sqltext::SelectStatement sel = buildSelection(false);
    const auto statement = m_db.state().prepare(sel.toSql());
    engine::Statement &st = *statement;
    bindAll(st, sel.values);
    CodeCache codes;
    while (st.step()) {
        auto row = std::make_shared<Row>();
        decodeRow(st, *row, &codes);
        rows.push_back(std::move(row));
    }
}

void Table::sortRows(std::vector<RowPtr> &rows)
{
    // The database knows the order (collations, descending keys): ask it for the ids.
    const sqltext::SelectStatement sel = buildSelection(true);
    const auto statement = m_db.state().prepare(sel.toSql());
    engine::Statement &st = *statement;
    bindAll(st, sel.values);
    QHash<qint64, RowPtr> byId;
    byId.reserve(qsizetype(rows.size()));
    for (const RowPtr &row : rows)
        byId.insert(row->id, row);
    std::vector<RowPtr> sorted;
    sorted.reserve(rows.size());
    while (st.step()) {
        auto it = byId.find(st.int64(0));
        if (it != byId.end()) {
            sorted.push_back(it.value());
            byId.erase(it);
        }
    }
    // Rows the database no longer shows (deleted by another workstation) stay at the end.
    for (const RowPtr &row : rows)
        if (byId.contains(row->id))
            sorted.push_back(row);
    rows.swap(sorted);
}

int Table::compareRows(const Row &a, const Row &b) const
{
    for (const OrderField &o : orderFields()) {
        const DatasetField &f = fields()[o.field];
        const int c = fieldvalue::compare(f.type, a.values.value(o.field), b.values.value(o.field), o.caseInsensitive);
        if (c != 0)
            return o.descending ? -c : c;
    }
    return Dataset::compareRows(a, b);
}

bool Table::rowInScope(const Row &row) const
{
    const QList<OrderField> &order = orderFields();
    if (m_hasRange) {
        auto compareKey = [&](const QVariantList &key) {
            for (int i = 0; i < key.size() && i < order.size(); ++i) {
                const DatasetField &f = fields()[order[i].field];
                const int c = fieldvalue::compare(f.type, row.values.value(order[i].field), convertIn(f, key[i]), order[i].caseInsensitive);
                if (c != 0)
                    return c;
            }
            return 0;
        };
        if (compareKey(m_rangeFrom) < 0 || compareKey(m_rangeTo) > 0)
            return false;
    }
    if (m_master) {
        const auto link = linkValues();
        if (!link)
            return false;
        for (int i = 0; i < m_detailFields.size(); ++i) {
            const int field = resolve(m_detailFields[i]);
            if (link->at(i).isNull() || fieldvalue::compare(fields()[field].type, row.values.value(field), link->at(i), false) != 0)
                return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Searching

bool Table::findKey(const QVariantList &values)
{
    return seek(values, true);
}

bool Table::findNearest(const QVariantList &values)
{
    return seek(values, false);
}

bool Table::seek(const QVariantList &values, bool exact)
{
    requireOpen();
    checkBrowseMode();
    const QList<OrderField> &order = orderFields();
    if (values.isEmpty() || values.size() > order.size())
        throw StoreError(QStringLiteral("Busca em %1: %2 valores para um índice de %3 campos.")
                             .arg(displayName()).arg(values.size()).arg(order.size()));
    // The key joins the filter, range and link conditions of the current rows.
    sqltext::SelectStatement sel = buildSelection(true);
    if (exact) {
        for (int i = 0; i < values.size(); ++i) {
            const QString name = orderTerm(order[i]);
            const QVariant key = convertIn(fields()[order[i].field], values[i]);
            if (key.isNull())
                sel.where(name + QStringLiteral(" IS NULL"));
            else
                sel.where(name + QStringLiteral(" = ?"), {key});
        }
    } else {
        keyCondition(sel, values, order[values.size() - 1].descending ? "<=" : ">=");
    }
    sel.limit = 1;
    const auto statement = m_db.state().prepare(sel.toSql());
    engine::Statement &st = *statement;
    bindAll(st, sel.values);
    if (!st.step()) {
        if (!exact && !isEmpty())
            last();
        return false;
    }
    const qint64 id = st.int64(0);
    RowPtr row = findRowById(id);
    if (!row) {
        // Added by another workstation or a statement since the rows were read.
        row = fetch(id);
        if (!row)
            return false;
    }
    placeOnRow(row);
    return true;
}

Dataset::RowPtr Table::fetch(qint64 id)
{
    if (!m_statements->fetch) {
        QStringList columns{QStringLiteral("rowid")};
        for (const FieldDef &f : m_layout.fields)
            columns.append(quoteName(f.name));
        m_statements->fetch = m_db.state().prepare(
            QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(columns.join(QStringLiteral(", ")), quoteName(m_layout.name)));
    }
    engine::Statement &st = *m_statements->fetch;
    st.reset();
    st.bind(1, id);
    if (!st.step()) {
        st.reset();
        return nullptr;
    }
    auto row = std::make_shared<Row>();
    decodeRow(st, *row, nullptr);
    st.reset();
    return row;
}

bool Table::reloadValues(Row &row)
{
    const RowPtr fresh = fetch(row.id);
    if (!fresh)
        return false;
    row.values = fresh->values;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Writing

void Table::initNewRow(Row &row)
{
    if (const auto link = linkValues())
        for (int i = 0; i < m_detailFields.size(); ++i)
            row.values[resolve(m_detailFields[i])] = link->at(i);
}

void Table::writeInsert(Row &row)
{
    DatabaseState &s = m_db.state();
    const int count = int(m_layout.fields.size());
    for (int i = 0; i < count; ++i) {
        if (m_layout.fields[i].type == FieldType::AutoIncrement && row.values[i].isNull()) {
            const auto next = s.prepare(QStringLiteral("SELECT COALESCE(MAX(%1), 0) + 1 FROM %2")
                                            .arg(quoteName(m_layout.fields[i].name), quoteName(m_layout.name)));
            next->step();
            row.values[i] = int(next->int64(0));
        }
    }
    // A held append cannot report the id the server gives: it takes one reserved for it.
    const qint64 reservedId = s.connection->reserveRowId(m_layout.name);
    std::unique_ptr<engine::Statement> &insert = reservedId ? m_statements->insertWithId : m_statements->insert;
    if (!insert) {
        QStringList columns, marks;
        for (const FieldDef &f : m_layout.fields) {
            columns.append(quoteName(f.name));
            marks.append(QStringLiteral("?"));
        }
        if (reservedId) {
            columns.append(QStringLiteral("rowid"));
            marks.append(QStringLiteral("?"));
        }
        insert = s.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)%4")
                               .arg(quoteName(m_layout.name), columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")),
                                    reservedId ? QString() : s.dialect.returningRowId()));
    }
    engine::Statement &st = *insert;
    for (int i = 0; i < count; ++i)
        st.bind(i + 1, row.values[i]);
    if (reservedId)
        st.bind(count + 1, reservedId);
    st.step();
    row.id = reservedId ? reservedId : st.insertedId();
    st.reset();
}

void Table::writeUpdate(const Row &before, Row &row)
{
    DatabaseState &s = m_db.state();
    const int count = int(m_layout.fields.size());
    QVarLengthArray<int, 32> changed;
    std::string key; // one character per changed column: short keys need no allocation
    const std::vector<bool> &touched = touchedFields();
    for (int i = 0; i < count; ++i) {
        if (i < int(touched.size()) && !touched[size_t(i)])
            continue;
        const QVariant &a = before.values[i];
        const QVariant &b = row.values[i];
        if (a.isNull() != b.isNull() || a != b) {
            changed.append(i);
            key += char(1 + i % 255);
            key += char(1 + i / 255);
        }
    }
    if (changed.isEmpty())
        return;
    // On a server several workstations edit the same rows at once: the row is written only
    // while the fields being changed still hold what this one read, so a second save of the
    // same fee does not silently undo the first.
    const bool checkBefore = m_db.isServerYear();
    auto it = m_statements->updates.find(key);
    if (it == m_statements->updates.end()) {
        QStringList sets, unchanged;
        for (int i : changed) {
            const FieldDef &f = m_layout.fields[i];
            sets.append(quoteName(f.name) + QStringLiteral(" = ?"));
            unchanged.append(isTextType(f.type) ? QStringLiteral(" AND COALESCE(%1, '') = COALESCE(?, '')").arg(quoteName(f.name))
                                                : QStringLiteral(" AND %1 IS NOT DISTINCT FROM ?").arg(quoteName(f.name)));
        }
        it = m_statements->updates
                 .emplace(key, s.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                                             .arg(quoteName(m_layout.name), sets.join(QStringLiteral(", ")),
                                                  checkBefore ? unchanged.join(QString()) : QString())))
                 .first;
    }
    engine::Statement &st = *it->second;
    int position = 1;
    for (int i : changed)
        st.bind(position++, row.values[i]);
    st.bind(position++, before.id);
    if (checkBefore)
        for (int i : changed)
            st.bind(position++, before.values[i]);
    st.step();
    const int changedRows = st.changes();
    st.reset();
    if (changedRows == 0)
        throw StoreError(checkBefore ? QStringLiteral("O registro de %1 foi alterado ou excluído por outro usuário; atualize a tabela.").arg(displayName())
                                     : QStringLiteral("O registro de %1 foi excluído por outro usuário; atualize a tabela.").arg(displayName()));
}

void Table::writeDelete(const Row &row)
{
    DatabaseState &s = m_db.state();
    if (!m_statements->remove)
        m_statements->remove = s.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoteName(m_layout.name)));
    engine::Statement &st = *m_statements->remove;
    st.bind(1, row.id);
    st.step();
    st.reset();
}

void Table::emptyTable()
{
    requireWritable();
    checkBrowseMode();
    m_db.state().runPlain(QStringLiteral("DELETE FROM %1").arg(quoteName(m_layout.name)));
    reload(false);
}

} // namespace data
