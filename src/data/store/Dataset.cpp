#include "data/store/Dataset.h"

#include "core/Formats.h"
#include "data/store/Collation.h"
#include "data/store/FieldValue.h"
#include "data/store/Filter.h"

#include <algorithm>

namespace data {

namespace {

// Restores a pointer on leaving a scope, also when an exception passes.
template<typename T>
class Restore
{
public:
    Restore(T &slot, T value) : m_slot(slot), m_old(slot) { slot = value; }
    ~Restore() { m_slot = m_old; }

private:
    T &m_slot;
    T m_old;
};

} // namespace

Dataset::Dataset(QObject *parent) : QObject(parent) {}

Dataset::~Dataset() = default;

// ---------------------------------------------------------------------------------------------
// Life

void Dataset::open()
{
    if (isOpen())
        return;
    QList<DatasetField> fields;
    openSource(fields);
    for (DatasetField &calc : m_calcFields)
        fields.append(calc);
    m_fields = fields;
    rebuildFieldIndex();
    m_state = DatasetState::Browse;
    try {
        if (m_filtered && m_filterExpr)
            m_filterExpr->prepare(m_fields);
        reload(false);
    } catch (...) {
        m_state = DatasetState::Inactive;
        m_rows.clear();
        closeSource();
        throw;
    }
    emit stateChanged();
}

void Dataset::close()
{
    if (!isOpen())
        return;
    if (isEditing()) {
        m_state = DatasetState::Browse;
        m_edit = Row();
    }
    closeSource();
    m_state = DatasetState::Inactive;
    m_rows.clear();
    m_pos = -1;
    m_eof = m_bof = true;
    m_modified = false;
    emit reset();
    emit stateChanged();
    notifyDetails();
}

void Dataset::requireClosed(const char *what) const
{
    if (isOpen())
        throw StoreError(QStringLiteral("%1: feche a tabela %2 antes.").arg(QString::fromUtf8(what), displayName()));
}

void Dataset::requireOpen() const
{
    if (!isOpen())
        throw StoreError(QStringLiteral("A tabela %1 não está aberta.").arg(displayName()));
}

void Dataset::requireWritable() const
{
    requireOpen();
    if (isReadOnly())
        throw StoreError(QStringLiteral("A tabela %1 está aberta somente para leitura; não é possível alterá-la.")
                             .arg(displayName()));
}

// ---------------------------------------------------------------------------------------------
// Fields

namespace {

// FNV-1a of a name in upper case; only for ASCII names (field names are).
template<typename Char>
quint64 asciiNameHash(const Char *name, qsizetype length)
{
    quint64 hash = 1469598103934665603ULL;
    for (qsizetype i = 0; i < length; ++i) {
        unsigned c = unsigned(name[i]);
        if (c >= 'a' && c <= 'z')
            c -= 32;
        hash = (hash ^ c) * 1099511628211ULL;
    }
    return hash;
}

bool sameAsciiName(const QString &field, const char *name)
{
    qsizetype i = 0;
    for (; name[i]; ++i) {
        if (i >= field.size())
            return false;
        const char16_t a = field.at(i).unicode();
        const unsigned char b = static_cast<unsigned char>(name[i]);
        const char16_t ua = a >= 'a' && a <= 'z' ? a - 32 : a;
        const char16_t ub = b >= 'a' && b <= 'z' ? b - 32 : b;
        if (ua != ub)
            return false;
    }
    return i == field.size();
}

} // namespace

void Dataset::rebuildFieldIndex()
{
    m_fieldIndex.clear();
    m_fieldIndexExact.clear();
    m_fieldIndexAscii.clear();
    for (int i = 0; i < m_fields.size(); ++i) {
        const QString &name = m_fields[i].name;
        m_fieldIndex.insert(name.toUpper(), i);
        m_fieldIndexExact.insert(name, i);
        m_fieldIndexAscii.insert(asciiNameHash(name.utf16(), name.size()), i);
    }
}

int Dataset::fieldIndex(const char *name) const
{
    const auto it = m_fieldIndexAscii.constFind(asciiNameHash(name, qsizetype(strlen(name))));
    if (it != m_fieldIndexAscii.constEnd() && sameAsciiName(m_fields[it.value()].name, name))
        return it.value();
    return fieldIndex(QString::fromUtf8(name));
}

int Dataset::fieldIndex(const QString &name) const
{
    if (auto it = m_fieldIndexExact.constFind(name); it != m_fieldIndexExact.constEnd())
        return it.value();
    return m_fieldIndex.value(name.toUpper(), -1);
}

int Dataset::resolve(const FieldRef &field) const
{
    if (field.isIndex()) {
        if (field.index() >= m_fields.size())
            throw StoreError(QStringLiteral("Campo %1 inexistente em %2.").arg(field.index()).arg(displayName()));
        return field.index();
    }
    const int index = field.utf8() ? fieldIndex(field.utf8()) : fieldIndex(field.name());
    if (index < 0) {
        if (!isOpen())
            throw StoreError(QStringLiteral("A tabela %1 não está aberta.").arg(displayName()));
        throw StoreError(QStringLiteral("Campo %1 não encontrado em %2.").arg(field.name(), displayName()));
    }
    return index;
}

const DatasetField &Dataset::field(FieldRef field) const
{
    return m_fields[resolve(field)];
}

void Dataset::addCalculatedField(const QString &name, FieldType type, int size)
{
    requireClosed("Campo calculado");
    DatasetField f;
    f.name = name;
    f.type = type;
    f.size = size;
    f.calculated = true;
    m_calcFields.append(f);
}

void Dataset::setDisplayFormat(FieldRef field, const QString &mask)
{
    if (field.isIndex() || isOpen()) {
        m_fields[resolve(field)].displayFormat = mask;
        emit reset();
        return;
    }
    const QString name = field.name();
    for (DatasetField &f : m_calcFields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            f.displayFormat = mask;
}

// ---------------------------------------------------------------------------------------------
// Reading values

const Dataset::Row *Dataset::readRow() const
{
    if (m_calcRow)
        return m_calcRow;
    if (isEditing())
        return &editRowCalculated();
    if (m_pos >= 0 && m_pos < m_rows.size()) {
        Row *row = &m_rows.at(m_pos);
        ensureLoaded(*row);
        return row;
    }
    return nullptr;
}

QVariant Dataset::value(FieldRef field) const
{
    const int index = resolve(field);
    const Row *row = readRow();
    return row ? row->values.value(index) : QVariant();
}

QString Dataset::asText(FieldRef field) const
{
    const int index = resolve(field);
    const Row *row = readRow();
    return row ? fieldvalue::format(m_fields[index], row->values.value(index), false) : QString();
}

QString Dataset::displayText(FieldRef field) const
{
    const int index = resolve(field);
    const Row *row = readRow();
    return row ? fieldvalue::format(m_fields[index], row->values.value(index), true) : QString();
}

qint64 Dataset::asInteger(FieldRef field) const
{
    const QVariant v = value(field);
    switch (v.typeId()) {
    case QMetaType::Double:
        return qRound64(v.toDouble());
    case QMetaType::QString:
        return qRound64(core::parseNumber(v.toString()).value_or(0));
    case QMetaType::QDate:
        return 0;
    default:
        return v.toLongLong();
    }
}

double Dataset::asFloat(FieldRef field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QString)
        return core::parseNumber(v.toString()).value_or(0);
    if (v.typeId() == QMetaType::QDate)
        return 0;
    return v.toDouble();
}

core::Money Dataset::asMoney(FieldRef field) const
{
    return core::Money::fromDouble(asFloat(field));
}

QDate Dataset::asDate(FieldRef field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QString)
        return fieldvalue::parseDate(v.toString()).value_or(QDate());
    return {};
}

bool Dataset::asLogical(FieldRef field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QString)
        return fieldvalue::parseLogical(v.toString()).value_or(false);
    return v.toBool();
}

bool Dataset::isBlank(FieldRef field) const
{
    const QVariant v = value(field);
    return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

QVariant Dataset::valueAt(int position, int field) const
{
    if (position < 0 || position >= m_rows.size() || field < 0 || field >= m_fields.size())
        return {};
    if (position == m_pos && m_state == DatasetState::Edit)
        return editRowCalculated().values.value(field);
    Row &row = m_rows.at(position);
    ensureLoaded(row);
    if (m_fields[field].calculated && position != m_pos)
        calculate(row);
    return row.values.value(field);
}

QString Dataset::displayTextAt(int position, int field) const
{
    if (field < 0 || field >= m_fields.size())
        return {};
    return fieldvalue::format(m_fields[field], valueAt(position, field), true);
}

const Dataset::Row &Dataset::editRowCalculated() const
{
    if (m_editCalcStale) {
        m_editCalcStale = false;
        calculate(const_cast<Row &>(m_edit));
    }
    return m_edit;
}

void Dataset::calculate(Row &row) const
{
    if (!events.onCalcFields || m_calcFields.isEmpty())
        return;
    ensureLoaded(row);
    for (int i = int(m_fields.size() - m_calcFields.size()); i < m_fields.size(); ++i)
        row.values[i] = QVariant();
    Restore<Row *> guard(m_calcRow, &row);
    events.onCalcFields(*const_cast<Dataset *>(this));
}

// ---------------------------------------------------------------------------------------------
// Cursor

void Dataset::ensureOrdered()
{
    if (!m_rows.orderPending())
        return;
    const RowPtr current = m_pos >= 0 && m_pos < m_rows.size() ? m_rows.ptr(m_pos) : nullptr;
    m_rows.sort([this](std::vector<RowPtr> &rows) { sortRows(rows); });
    m_pos = current ? m_rows.positionOf(current.get()) : (m_rows.empty() ? -1 : 0);
    emit reset();
}

int Dataset::compareRows(const Row &a, const Row &b) const
{
    return a.id < b.id ? -1 : a.id > b.id ? 1 : 0;
}

void Dataset::sortRows(std::vector<RowPtr> &rows)
{
    for (const RowPtr &row : rows)
        ensureLoaded(*row);
    std::stable_sort(rows.begin(), rows.end(), [this](const RowPtr &a, const RowPtr &b) { return compareRows(*a, *b) < 0; });
}

RowCache::Compare Dataset::comparison()
{
    return [this](Row &a, Row &b) {
        ensureLoaded(a);
        ensureLoaded(b);
        return compareRows(a, b);
    };
}

void Dataset::arrived()
{
    if (m_pos >= 0 && m_pos < m_rows.size() && events.onCalcFields) {
        ensureLoaded(m_rows.at(m_pos));
        calculate(m_rows.at(m_pos));
    }
    if (!controlsDisabled())
        emit currentChanged(m_pos);
    if (events.afterScroll)
        events.afterScroll(*this);
    notifyDetails();
}

void Dataset::first()
{
    requireOpen();
    checkBrowseMode();
    ensureOrdered();
    m_pos = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    arrived();
}

void Dataset::last()
{
    requireOpen();
    checkBrowseMode();
    ensureOrdered();
    m_pos = m_rows.size() - 1;
    m_eof = true;
    m_bof = m_rows.empty();
    arrived();
}

void Dataset::next()
{
    requireOpen();
    checkBrowseMode();
    ensureOrdered();
    if (m_pos + 1 < m_rows.size()) {
        ++m_pos;
        m_bof = m_eof = false;
        arrived();
    } else {
        m_eof = true;
    }
}

void Dataset::prior()
{
    requireOpen();
    checkBrowseMode();
    ensureOrdered();
    if (m_pos > 0) {
        --m_pos;
        m_bof = m_eof = false;
        arrived();
    } else {
        m_bof = true;
    }
}

int Dataset::recNo() const
{
    return m_pos;
}

void Dataset::moveTo(int position)
{
    requireOpen();
    checkBrowseMode();
    ensureOrdered();
    if (m_rows.empty())
        return;
    m_pos = std::clamp(position, 0, m_rows.size() - 1);
    m_bof = m_eof = false;
    arrived();
}

void Dataset::reload(bool keepPosition)
{
    const qint64 keepId = keepPosition ? bookmark() : 0;
    const int oldPos = m_pos;
    std::vector<RowPtr> rows;
    loadRows(rows);
    const FilterExpression *localFilter = filtersAtSource() ? nullptr : filterExpression();
    const int width = int(m_fields.size());
    m_rows.assign(std::move(rows), [&](Row &row) {
        if (row.values.size() < width)
            row.values.resize(width);
        return !localFilter || passesFilter(row);
    });
    int pos = m_rows.empty() ? -1 : 0;
    if (keepPosition && !m_rows.empty()) {
        pos = std::clamp(oldPos, 0, m_rows.size() - 1);
        for (int i = 0; i < m_rows.size(); ++i) {
            if (m_rows.at(i).id == keepId) {
                pos = i;
                break;
            }
        }
    }
    m_pos = pos;
    m_bof = m_pos <= 0;
    m_eof = m_rows.empty();
    emit reset();
    arrived();
}

void Dataset::refresh()
{
    requireOpen();
    checkBrowseMode();
    reload(true);
}

bool Dataset::locate(const QString &fieldNames, const QVariantList &values, LocateOptions options)
{
    requireOpen();
    checkBrowseMode();
    ensureOrdered();
    const QStringList names = fieldNames.split(u';', Qt::SkipEmptyParts);
    if (names.size() != values.size())
        throw StoreError(QStringLiteral("Busca em %1: %2 campos e %3 valores.").arg(displayName()).arg(names.size()).arg(values.size()));
    QList<int> indexes;
    QVariantList wanted;
    for (int i = 0; i < names.size(); ++i) {
        const int index = resolve(names[i].trimmed());
        indexes.append(index);
        const DatasetField &f = m_fields[index];
        wanted.append(fieldvalue::isTextType(f.type) ? QVariant(values[i].toString()) : fieldvalue::convertIn(f, values[i]));
    }
    for (int pos = 0; pos < m_rows.size(); ++pos) {
        Row &row = m_rows.at(pos);
        ensureLoaded(row);
        bool all = true;
        for (int k = 0; k < indexes.size() && all; ++k) {
            const DatasetField &f = m_fields[indexes[k]];
            const QVariant &have = row.values.value(indexes[k]);
            if (f.type == FieldType::Text || f.type == FieldType::Memo) {
                QString a = have.toString();
                const QString b = wanted[k].toString();
                if (options.partialKey)
                    a = a.left(b.size());
                all = options.caseInsensitive ? collation::compare(a, b, true) == 0 : a == b;
            } else if (have.isNull() || wanted[k].isNull()) {
                all = have.isNull() && wanted[k].isNull();
            } else if (f.type == FieldType::Date) {
                all = have.toDate() == wanted[k].toDate();
            } else if (f.type == FieldType::Logical) {
                all = have.toBool() == wanted[k].toBool();
            } else {
                all = have.toDouble() == wanted[k].toDouble();
            }
        }
        if (all) {
            m_pos = pos;
            m_bof = m_eof = false;
            arrived();
            return true;
        }
    }
    return false;
}

qint64 Dataset::bookmark() const
{
    if (m_pos < 0 || m_pos >= m_rows.size())
        return 0;
    return m_rows.at(m_pos).id;
}

bool Dataset::gotoBookmark(qint64 bookmark)
{
    requireOpen();
    checkBrowseMode();
    ensureOrdered();
    const RowPtr row = m_rows.findById(bookmark);
    const int pos = row ? m_rows.positionOf(row.get()) : -1;
    if (pos < 0)
        return false;
    m_pos = pos;
    m_bof = m_eof = false;
    arrived();
    return true;
}

void Dataset::ensureLoaded(Row &row) const
{
    if (!row.values.isEmpty() || m_fields.isEmpty())
        return;
    if (!const_cast<Dataset *>(this)->reloadValues(row) || row.values.isEmpty())
        row.values.fill(QVariant(), m_fields.size());
    if (row.values.size() < m_fields.size())
        row.values.resize(m_fields.size());
}

// ---------------------------------------------------------------------------------------------
// Filter

bool Dataset::passesFilter(const Row &row) const
{
    const FilterExpression *f = filterExpression();
    if (!f)
        return true;
    if (!m_calcFields.isEmpty() && events.onCalcFields)
        calculate(const_cast<Row &>(row));
    return f->matches(row.values);
}

void Dataset::setFilter(const QString &expression)
{
    std::shared_ptr<FilterExpression> parsed;
    if (!expression.trimmed().isEmpty())
        parsed = FilterExpression::parse(expression);
    const QString oldText = m_filterText;
    const std::shared_ptr<FilterExpression> oldExpr = m_filterExpr;
    m_filterText = parsed ? expression : QString();
    m_filterExpr = parsed;
    if (!isOpen() || !m_filtered)
        return;
    try {
        checkBrowseMode();
        if (m_filterExpr)
            m_filterExpr->prepare(m_fields);
        reload(false);
    } catch (const StoreError &) {
        m_filterText = oldText;
        m_filterExpr = oldExpr;
        reload(false);
        throw;
    }
}

void Dataset::setFiltered(bool on)
{
    if (on == m_filtered)
        return;
    m_filtered = on;
    if (!isOpen())
        return;
    try {
        checkBrowseMode();
        if (on && m_filterExpr)
            m_filterExpr->prepare(m_fields);
        reload(false);
    } catch (const StoreError &) {
        m_filtered = !on;
        reload(false);
        throw;
    }
}

// ---------------------------------------------------------------------------------------------
// Grids and details

void Dataset::disableControls()
{
    ++m_controlsDisabled;
}

void Dataset::enableControls()
{
    if (m_controlsDisabled > 0 && --m_controlsDisabled == 0) {
        if (isOpen())
            ensureOrdered();
        emit reset();
        emit currentChanged(m_pos);
    }
}

void Dataset::addDetail(Dataset *detail)
{
    if (detail && !m_details.contains(detail))
        m_details.append(detail);
}

void Dataset::removeDetail(Dataset *detail)
{
    m_details.removeAll(detail);
}

void Dataset::notifyDetails()
{
    m_details.removeAll(nullptr);
    for (const QPointer<Dataset> &detail : std::as_const(m_details))
        if (detail)
            detail->masterChanged();
}

} // namespace data
