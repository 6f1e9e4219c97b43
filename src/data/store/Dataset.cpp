#include "data/store/Dataset.h"

#include "core/Formats.h"
#include "data/store/Collation.h"
#include "data/store/Filter.h"

#include <algorithm>
#include <cmath>

namespace data {

namespace {

bool isIntegerType(FieldType t)
{
    return t == FieldType::Short || t == FieldType::Long || t == FieldType::AutoIncrement;
}

std::optional<double> parseNumberText(const QString &text)
{
    const QString t = text.trimmed();
    if (auto n = core::parseNumber(t))
        return n;
    bool ok = false;
    const double d = t.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

std::optional<bool> parseLogical(const QString &text)
{
    const QString t = text.trimmed().toLower();
    if (t == u"true" || t == u"t" || t == u"1" || t == u"s" || t == u"sim" || t == u"verdadeiro")
        return true;
    if (t == u"false" || t == u"f" || t == u"0" || t == u"n" || t == u"não" || t == u"nao" || t == u"falso")
        return false;
    return std::nullopt;
}

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
        m_view.clear();
        m_filteredOut.clear();
        m_byId.clear();
        m_byIdBuilt = false;
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
    m_view.clear();
    m_filteredOut.clear();
    m_byId.clear();
    m_byIdBuilt = false;
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

QVariant Dataset::convertIn(const DatasetField &field, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    const bool isText = value.typeId() == QMetaType::QString;
    const QString text = isText ? value.toString() : QString();
    auto invalid = [&](const QString &what) -> StoreError {
        return StoreError(QStringLiteral("'%1' não é %2 válido(a) para o campo %3.").arg(value.toString(), what, field.name));
    };
    switch (field.type) {
    case FieldType::Text:
    case FieldType::Memo: {
        QString s;
        if (value.typeId() == QMetaType::QDate)
            s = core::formatDate(value.toDate());
        else if (value.typeId() == QMetaType::Double)
            s = core::formatPlain(value.toDouble());
        else
            s = value.toString();
        if (field.type == FieldType::Text && field.size > 0 && s.size() > field.size)
            s.truncate(field.size);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Float:
    case FieldType::Money:
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoIncrement: {
        double number = 0;
        if (isText) {
            if (text.trimmed().isEmpty())
                return {};
            const auto parsed = parseNumberText(text);
            if (!parsed)
                throw invalid(QStringLiteral("um número"));
            number = *parsed;
        } else if (value.typeId() == QMetaType::Bool) {
            number = value.toBool() ? 1 : 0;
        } else {
            bool ok = false;
            number = value.toDouble(&ok);
            if (!ok)
                throw invalid(QStringLiteral("um número"));
        }
        if (!isIntegerType(field.type))
            return number;
        const qint64 whole = qRound64(number);
        const qint64 limit = field.type == FieldType::Short ? 32767 : 2147483647;
        if (whole > limit || whole < -limit - 1)
            throw StoreError(QStringLiteral("O valor %1 está fora do intervalo do campo %2.").arg(whole).arg(field.name));
        return int(whole);
    }
    case FieldType::Date: {
        if (value.typeId() == QMetaType::QDate)
            return value.toDate().isValid() ? value : QVariant();
        if (value.typeId() == QMetaType::QDateTime)
            return value.toDateTime().date();
        const QString t = value.toString().trimmed();
        if (t.isEmpty())
            return {};
        if (auto d = core::parseDate(t); d && d->isValid())
            return *d;
        const QDate iso = QDate::fromString(t.left(10), Qt::ISODate);
        if (iso.isValid())
            return iso;
        throw StoreError(QStringLiteral("'%1' não é uma data válida para o campo %2.").arg(t, field.name));
    }
    case FieldType::Logical: {
        if (value.typeId() == QMetaType::Bool)
            return value;
        if (isText) {
            if (text.trimmed().isEmpty())
                return {};
            const auto b = parseLogical(text);
            if (!b)
                throw invalid(QStringLiteral("um valor lógico"));
            return *b;
        }
        return value.toDouble() != 0;
    }
    }
    return value;
}

QString Dataset::formatValue(const DatasetField &field, const QVariant &value, bool display)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (field.type) {
    case FieldType::Text:
    case FieldType::Memo:
        return value.toString();
    case FieldType::Date:
        return core::formatDate(value.toDate());
    case FieldType::Logical:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoIncrement:
        if (display && !field.displayFormat.isEmpty())
            return core::formatNumber(value.toDouble(), field.displayFormat);
        return QString::number(value.toLongLong());
    case FieldType::Float:
    case FieldType::Money:
        if (display && !field.displayFormat.isEmpty())
            return core::formatNumber(value.toDouble(), field.displayFormat);
        if (display && field.type == FieldType::Money)
            return core::formatMoney(value.toDouble());
        return core::formatPlain(value.toDouble());
    }
    return value.toString();
}

// ---------------------------------------------------------------------------------------------
// Reading values

const Dataset::Row *Dataset::readRow() const
{
    if (m_calcRow)
        return m_calcRow;
    if (isEditing())
        return &m_edit;
    if (m_pos >= 0 && m_pos < int(m_view.size())) {
        Row *row = m_view[m_pos].get();
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
    return row ? formatValue(m_fields[index], row->values.value(index), false) : QString();
}

QString Dataset::displayText(FieldRef field) const
{
    const int index = resolve(field);
    const Row *row = readRow();
    return row ? formatValue(m_fields[index], row->values.value(index), true) : QString();
}

qint64 Dataset::asInteger(FieldRef field) const
{
    const QVariant v = value(field);
    switch (v.typeId()) {
    case QMetaType::Double:
        return qRound64(v.toDouble());
    case QMetaType::QString:
        return qRound64(parseNumberText(v.toString()).value_or(0));
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
        return parseNumberText(v.toString()).value_or(0);
    if (v.typeId() == QMetaType::QDate)
        return 0;
    return v.toDouble();
}

double Dataset::asMoney(FieldRef field) const
{
    return asFloat(field);
}

QDate Dataset::asDate(FieldRef field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QString)
        return core::parseDate(v.toString()).value_or(QDate());
    return {};
}

bool Dataset::asLogical(FieldRef field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QString)
        return parseLogical(v.toString()).value_or(false);
    return v.toBool();
}

bool Dataset::isBlank(FieldRef field) const
{
    const QVariant v = value(field);
    return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

QVariant Dataset::valueAt(int position, int field) const
{
    if (position < 0 || position >= int(m_view.size()) || field < 0 || field >= m_fields.size())
        return {};
    const_cast<Dataset *>(this)->ensureOrdered();
    if (position == m_pos && isEditing() && m_state == DatasetState::Edit)
        return m_edit.values.value(field);
    Row &row = *m_view[position];
    ensureLoaded(row);
    if (m_fields[field].calculated && position != m_pos)
        calculate(row);
    return row.values.value(field);
}

QString Dataset::displayTextAt(int position, int field) const
{
    if (field < 0 || field >= m_fields.size())
        return {};
    return formatValue(m_fields[field], valueAt(position, field), true);
}

// ---------------------------------------------------------------------------------------------
// Writing values

Dataset::Row *Dataset::writeRow(int field)
{
    if (m_fields[field].calculated) {
        if (m_calcRow)
            return m_calcRow;
        if (isEditing())
            return &m_edit;
        return const_cast<Row *>(readRow());
    }
    if (!isEditing()) {
        requireWritable();
        throw StoreError(QStringLiteral("A tabela %1 não está em modo de edição ou inclusão.").arg(displayName()));
    }
    return &m_edit;
}

void Dataset::setValue(FieldRef field, const QVariant &value)
{
    const int index = resolve(field);
    Row *row = writeRow(index);
    if (!row)
        return;
    const DatasetField &f = m_fields[index];
    row->values[index] = f.calculated ? value : convertIn(f, value);
    if (f.calculated)
        return;
    m_modified = true;
    m_touched[size_t(index)] = true;
    if (events.onFieldChange)
        events.onFieldChange(*this, index);
    calculate(m_edit);
    if (m_pos >= 0 && m_state == DatasetState::Edit)
        emit rowChanged(m_pos);
}

void Dataset::setText(FieldRef field, const QString &text)
{
    setValue(field, QVariant(text));
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
    if (!m_orderDirty)
        return;
    const RowPtr current = m_pos >= 0 && m_pos < int(m_view.size()) ? m_view[m_pos] : nullptr;
    sortRows(m_view);
    m_orderDirty = false;
    m_pos = current ? positionOf(current.get()) : (m_view.empty() ? -1 : 0);
    emit reset();
}

void Dataset::sortRows(std::vector<RowPtr> &) {}

int Dataset::positionOf(const Row *row) const
{
    const int hint = row->hint;
    if (hint >= 0 && hint < int(m_view.size()) && m_view[hint].get() == row)
        return hint;
    // Positions moved (a delete, a sort): number them again once.
    for (int i = 0; i < int(m_view.size()); ++i)
        m_view[i]->hint = i;
    const int now = row->hint;
    return now >= 0 && now < int(m_view.size()) && m_view[now].get() == row ? now : -1;
}

void Dataset::arrived()
{
    if (m_pos >= 0 && m_pos < int(m_view.size()) && events.onCalcFields) {
        ensureLoaded(*m_view[m_pos]);
        calculate(*m_view[m_pos]);
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
    m_pos = m_view.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_view.empty();
    arrived();
}

void Dataset::last()
{
    requireOpen();
    checkBrowseMode();
    ensureOrdered();
    m_pos = int(m_view.size()) - 1;
    m_eof = true;
    m_bof = m_view.empty();
    arrived();
}

void Dataset::next()
{
    requireOpen();
    checkBrowseMode();
    ensureOrdered();
    if (m_pos + 1 < int(m_view.size())) {
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
    const_cast<Dataset *>(this)->ensureOrdered();
    return m_pos;
}

void Dataset::moveTo(int position)
{
    requireOpen();
    checkBrowseMode();
    ensureOrdered();
    if (m_view.empty())
        return;
    m_pos = std::clamp(position, 0, int(m_view.size()) - 1);
    m_bof = m_eof = false;
    arrived();
}

void Dataset::reload(bool keepPosition)
{
    const qint64 keepId = keepPosition ? bookmark() : 0;
    const int oldPos = m_pos;
    std::vector<RowPtr> rows;
    loadRows(rows);
    m_view.clear();
    m_filteredOut.clear();
    m_byId.clear();
    m_byIdBuilt = false;
    m_view.reserve(rows.size());
    const FilterExpression *localFilter = filtersAtSource() ? nullptr : filterExpression();
    const int width = int(m_fields.size());
    for (RowPtr &row : rows) {
        if (row->values.size() < width)
            row->values.resize(width);
        if (localFilter && !passesFilter(*row)) {
            m_filteredOut.push_back(std::move(row));
        } else {
            row->hint = int(m_view.size());
            m_view.push_back(std::move(row));
        }
    }
    m_orderDirty = false;
    int pos = m_view.empty() ? -1 : 0;
    if (keepPosition && !m_view.empty()) {
        pos = std::clamp(oldPos, 0, int(m_view.size()) - 1);
        for (int i = 0; i < int(m_view.size()); ++i) {
            if (m_view[i]->id == keepId) {
                pos = i;
                break;
            }
        }
    }
    m_pos = pos;
    m_bof = m_pos <= 0;
    m_eof = m_view.empty();
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
        wanted.append(f.type == FieldType::Text || f.type == FieldType::Memo ? QVariant(values[i].toString()) : convertIn(f, values[i]));
    }
    for (int pos = 0; pos < int(m_view.size()); ++pos) {
        ensureLoaded(*m_view[pos]);
        const Row &row = *m_view[pos];
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
    if (m_pos < 0 || m_pos >= int(m_view.size()))
        return 0;
    return m_view[m_pos]->id;
}

bool Dataset::gotoBookmark(qint64 bookmark)
{
    requireOpen();
    checkBrowseMode();
    ensureOrdered();
    const RowPtr row = byId().value(bookmark);
    const int pos = row ? positionOf(row.get()) : -1;
    if (pos < 0)
        return false;
    m_pos = pos;
    m_bof = m_eof = false;
    arrived();
    return true;
}

std::vector<Dataset::RowPtr> Dataset::allRows() const
{
    std::vector<RowPtr> rows = m_view;
    rows.insert(rows.end(), m_filteredOut.begin(), m_filteredOut.end());
    return rows;
}

Dataset::RowPtr Dataset::findRowById(qint64 id) const
{
    return byId().value(id);
}

const QHash<qint64, Dataset::RowPtr> &Dataset::byId() const
{
    if (!m_byIdBuilt) {
        m_byId.clear();
        m_byId.reserve(qsizetype(m_view.size() + m_filteredOut.size()));
        for (const RowPtr &row : m_view)
            m_byId.insert(row->id, row);
        for (const RowPtr &row : m_filteredOut)
            m_byId.insert(row->id, row);
        m_byIdBuilt = true;
    }
    return m_byId;
}

void Dataset::indexRow(const RowPtr &row)
{
    if (m_byIdBuilt)
        m_byId.insert(row->id, row);
}

void Dataset::unindexRow(qint64 id)
{
    if (m_byIdBuilt)
        m_byId.remove(id);
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

void Dataset::placeOnRow(const RowPtr &row)
{
    int pos = positionOf(row.get());
    if (pos < 0) {
        if (row->values.size() < m_fields.size())
            row->values.resize(m_fields.size());
        m_view.push_back(row);
        indexRow(row);
        m_orderDirty = hasOrder();
        pos = int(m_view.size()) - 1;
        row->hint = pos;
        if (!controlsDisabled())
            emit rowInserted(pos);
    }
    m_pos = pos;
    m_bof = m_eof = false;
    arrived();
}

// ---------------------------------------------------------------------------------------------
// Records

bool Dataset::runBefore(const DatasetEvents::Handler &handler)
{
    if (!handler)
        return true;
    try {
        handler(*this);
    } catch (const Abort &) {
        return false;
    }
    return true;
}

template<typename Op>
bool Dataset::withErrorHandler(const DatasetEvents::ErrorHandler &handler, Op op)
{
    for (;;) {
        try {
            op();
            return true;
        } catch (const Abort &) {
            return false;
        } catch (const StoreError &error) {
            if (!handler)
                throw;
            ErrorAction action = ErrorAction::Fail;
            handler(*this, error, action);
            if (action == ErrorAction::Fail)
                throw;
            if (action == ErrorAction::Abort)
                return false;
        }
    }
}

void Dataset::checkBrowseMode()
{
    if (!isEditing())
        return;
    if (m_modified) {
        if (!post())
            throw Abort();
    } else {
        cancel();
    }
}

void Dataset::initNewRow(Row &) {}

bool Dataset::rowInScope(const Row &) const
{
    return true;
}

bool Dataset::passesFilter(const Row &row) const
{
    const FilterExpression *f = filterExpression();
    if (!f)
        return true;
    if (!m_calcFields.isEmpty() && events.onCalcFields)
        calculate(const_cast<Row &>(row));
    return f->matches(row.values);
}

bool Dataset::append()
{
    requireWritable();
    checkBrowseMode();
    if (!runBefore(events.beforeInsert))
        return false;
    m_edit = Row();
    m_edit.values.resize(m_fields.size());
    m_insertAt = -1;
    initNewRow(m_edit);
    m_touched.assign(size_t(m_fields.size()), false);
    m_state = DatasetState::Insert;
    if (events.onNewRecord) {
        try {
            events.onNewRecord(*this);
        } catch (...) {
            m_state = DatasetState::Browse;
            m_edit = Row();
            throw;
        }
    }
    m_modified = false;
    calculate(m_edit);
    emit stateChanged();
    if (events.afterInsert)
        events.afterInsert(*this);
    return true;
}

bool Dataset::insert()
{
    const int at = m_pos;
    if (!append())
        return false;
    if (!hasOrder())
        m_insertAt = at < 0 ? 0 : at;
    return true;
}

bool Dataset::edit()
{
    requireWritable();
    if (isEditing())
        return true;
    if (m_view.empty())
        return append();
    ensureOrdered();
    if (!runBefore(events.beforeEdit))
        return false;
    const bool started = withErrorHandler(events.onEditError, [this] {
        ensureLoaded(*m_view[m_pos]);
        m_edit = *m_view[m_pos];
        m_orderFields = orderFieldPositions();
    });
    if (!started)
        return false;
    m_state = DatasetState::Edit;
    m_modified = false;
    m_touched.assign(size_t(m_fields.size()), false);
    emit stateChanged();
    if (events.afterEdit)
        events.afterEdit(*this);
    return true;
}

void Dataset::checkRequired() const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        const DatasetField &f = m_fields[i];
        if (f.required && !f.calculated && f.type != FieldType::AutoIncrement && m_edit.values.value(i).isNull())
            throw StoreError(QStringLiteral("O campo %1 deve ter um valor.").arg(f.name));
    }
}

bool Dataset::post()
{
    requireOpen();
    if (!isEditing())
        return true;
    if (!runBefore(events.beforePost))
        return false;
    const bool inserting = m_state == DatasetState::Insert;
    const bool written = withErrorHandler(events.onPostError, [&] {
        checkRequired();
        if (inserting)
            writeInsert(m_edit);
        else
            writeUpdate(*m_view[m_pos], m_edit);
    });
    if (!written)
        return false;

    int pos = m_pos;
    if (inserting) {
        RowPtr row = std::make_shared<Row>(std::move(m_edit));
        indexRow(row);
        // In a long run of appends only the newest row stays in memory; the others are read
        // back from the source if they are visited again.
        if (canReloadValues()) {
            if (const RowPtr previous = m_lastAppended.lock(); previous && previous != row)
                previous->values = QVariantList();
            m_lastAppended = row;
        }
        if (!hasOrder() && m_insertAt >= 0 && m_insertAt <= int(m_view.size())) {
            pos = m_insertAt;
            m_view.insert(m_view.begin() + pos, row);
        } else {
            pos = int(m_view.size());
            row->hint = pos;
            m_view.push_back(row);
            m_orderDirty = m_orderDirty || (hasOrder() && m_view.size() > 1);
        }
    } else {
        Row &row = *m_view[pos];
        for (int field : std::as_const(m_orderFields))
            if (row.values.value(field) != m_edit.values.value(field))
                m_orderDirty = true;
        row.values = std::move(m_edit.values);
    }
    m_edit = Row();
    m_state = DatasetState::Browse;
    m_modified = false;
    m_pos = pos;
    m_bof = m_eof = false;

    const Row &row = *m_view[pos];
    if (!rowInScope(row) || !passesFilter(row)) {
        // The row left the view (filter, range or master link): the cursor moves on.
        RowPtr gone = m_view[pos];
        m_view.erase(m_view.begin() + pos);
        if (filtersAtSource())
            unindexRow(gone->id);
        else
            m_filteredOut.push_back(gone);
        if (m_pos >= int(m_view.size()))
            m_pos = int(m_view.size()) - 1;
        m_eof = m_view.empty();
        emit reset();
    } else if (!controlsDisabled()) {
        if (inserting)
            emit rowInserted(pos);
        else
            emit rowChanged(pos);
    }
    emit stateChanged();
    if (m_pos >= 0)
        calculate(*m_view[m_pos]);
    if (events.afterPost)
        events.afterPost(*this);
    notifyDetails();
    return true;
}

void Dataset::cancel()
{
    if (!isEditing())
        return;
    if (events.beforeCancel)
        events.beforeCancel(*this);
    m_state = DatasetState::Browse;
    m_edit = Row();
    m_modified = false;
    emit stateChanged();
    if (m_pos >= 0 && m_pos < int(m_view.size())) {
        calculate(*m_view[m_pos]);
        if (!controlsDisabled())
            emit rowChanged(m_pos);
    }
    if (events.afterCancel)
        events.afterCancel(*this);
}

bool Dataset::remove()
{
    requireWritable();
    if (m_state == DatasetState::Insert) {
        cancel();
        return true;
    }
    if (m_state == DatasetState::Edit)
        cancel();
    ensureOrdered();
    if (m_view.empty())
        throw StoreError(QStringLiteral("Não há registro para excluir em %1.").arg(displayName()));
    if (!runBefore(events.beforeDelete))
        return false;
    if (m_pos < 0 || m_pos >= int(m_view.size()))
        return false; // the handler emptied the view
    const RowPtr row = m_view[m_pos];
    if (!withErrorHandler(events.onDeleteError, [&] { writeDelete(*row); }))
        return false;
    const int pos = positionOf(row.get());
    if (pos >= 0)
        m_view.erase(m_view.begin() + pos);
    unindexRow(row->id);
    if (m_pos >= int(m_view.size()))
        m_pos = int(m_view.size()) - 1;
    m_eof = m_view.empty();
    m_bof = m_pos <= 0;
    if (!controlsDisabled() && pos >= 0)
        emit rowRemoved(pos);
    if (events.afterDelete)
        events.afterDelete(*this);
    arrived();
    return true;
}

void Dataset::refuseWrite() const
{
    requireWritable();
    throw StoreError(QStringLiteral("A tabela %1 não aceita alterações.").arg(displayName()));
}

void Dataset::writeInsert(Row &)
{
    refuseWrite();
}

void Dataset::writeUpdate(const Row &, Row &)
{
    refuseWrite();
}

void Dataset::writeDelete(const Row &)
{
    refuseWrite();
}

// ---------------------------------------------------------------------------------------------
// Filter

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
