// The edit state machine of a dataset: insert, edit, post, cancel and delete with their events,
// and where a posted row takes its place.

#include "data/store/Dataset.h"

#include "data/store/FieldValue.h"

namespace data {

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

// ---------------------------------------------------------------------------------------------
// Starting an edit

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
    m_editCalcStale = true;
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
    if (m_rows.empty())
        return append();
    ensureOrdered();
    if (!runBefore(events.beforeEdit))
        return false;
    const bool started = withErrorHandler(events.onEditError, [this] {
        ensureLoaded(m_rows.at(m_pos));
        m_edit = m_rows.at(m_pos);
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

// ---------------------------------------------------------------------------------------------
// Setting values

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
    row->values[index] = f.calculated ? value : fieldvalue::convertIn(f, value);
    if (f.calculated)
        return;
    m_modified = true;
    m_touched[size_t(index)] = true;
    if (events.onFieldChange)
        events.onFieldChange(*this, index);
    m_editCalcStale = true;
    if (m_pos >= 0 && m_state == DatasetState::Edit)
        emit rowChanged(m_pos);
}

void Dataset::setText(FieldRef field, const QString &text)
{
    setValue(field, QVariant(text));
}

// ---------------------------------------------------------------------------------------------
// Ending an edit

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
            writeUpdate(m_rows.at(m_pos), m_edit);
    });
    if (!written)
        return false;

    RowPtr row;
    bool orderChanged = false;
    if (inserting) {
        row = std::make_shared<Row>(std::move(m_edit));
    } else {
        row = m_rows.ptr(m_pos);
        for (int field : std::as_const(m_orderFields))
            if (row->values.value(field) != m_edit.values.value(field))
                orderChanged = true;
        row->values = std::move(m_edit.values);
    }
    m_edit = Row();
    m_state = DatasetState::Browse;
    m_modified = false;
    placePosted(row, inserting, orderChanged);
    if (inserting && canReloadValues()) {
        // In a long run of appends only the newest row stays in memory; the others are read
        // back from the source if they are visited again.
        if (const RowPtr previous = m_lastAppended.lock(); previous && previous != row)
            previous->values = QVariantList();
        m_lastAppended = row;
    }
    emit stateChanged();
    if (m_pos >= 0)
        calculate(m_rows.at(m_pos));
    if (events.afterPost)
        events.afterPost(*this);
    notifyDetails();
    return true;
}

// The posted row takes its place (or leaves the view) and the cursor follows it.
void Dataset::placePosted(const RowPtr &row, bool inserted, bool orderChanged)
{
    m_bof = m_eof = false;
    if (!rowInScope(*row) || !passesFilter(*row)) {
        // The row left the view (filter, range or master link): the cursor moves on.
        if (inserted) {
            if (!filtersAtSource())
                m_rows.keepOut(row);
            if (hasOrder() || m_insertAt < 0)
                m_pos = m_rows.size() - 1;
            else
                m_pos = std::min(m_insertAt, m_rows.size() - 1);
        } else {
            m_rows.takeOut(m_pos, !filtersAtSource());
            m_pos = std::min(m_pos, m_rows.size() - 1);
        }
        m_eof = m_rows.empty();
        emit reset();
        return;
    }
    if (inserted) {
        m_pos = placeNew(row, m_insertAt);
        if (!controlsDisabled())
            emit rowInserted(m_pos);
        return;
    }
    if (orderChanged && hasOrder()) {
        if (controlsDisabled() || m_rows.orderPending()) {
            m_rows.setOrderPending();
            return;
        }
        const int now = m_rows.reposition(m_pos, comparison());
        if (now != m_pos) {
            m_pos = now;
            emit reset();
            return;
        }
    }
    if (!controlsDisabled())
        emit rowChanged(m_pos);
}

// Puts a row new to the view in its place: in the order, or at `insertAt` (the end when -1)
// for datasets without one. Returns its position.
int Dataset::placeNew(const RowPtr &row, int insertAt)
{
    if (!hasOrder())
        return m_rows.insertAt(insertAt >= 0 ? insertAt : m_rows.size(), row);
    if (controlsDisabled() || m_rows.orderPending()) {
        const int at = m_rows.insertAt(m_rows.size(), row);
        m_rows.setOrderPending();
        return at;
    }
    return m_rows.insertInOrder(row, comparison());
}

void Dataset::placeOnRow(const RowPtr &row)
{
    int pos = m_rows.positionOf(row.get());
    if (pos < 0) {
        if (row->values.size() < m_fields.size())
            row->values.resize(m_fields.size());
        pos = placeNew(row, -1);
        if (!controlsDisabled())
            emit rowInserted(pos);
    }
    m_pos = pos;
    m_bof = m_eof = false;
    arrived();
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
    if (m_pos >= 0 && m_pos < m_rows.size()) {
        calculate(m_rows.at(m_pos));
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
    if (m_rows.empty())
        throw StoreError(QStringLiteral("Não há registro para excluir em %1.").arg(displayName()));
    if (!runBefore(events.beforeDelete))
        return false;
    if (m_pos < 0 || m_pos >= m_rows.size())
        return false; // the handler emptied the view
    const RowPtr row = m_rows.ptr(m_pos);
    if (!withErrorHandler(events.onDeleteError, [&] { writeDelete(*row); }))
        return false;
    const int pos = m_rows.positionOf(row.get());
    if (pos >= 0)
        m_rows.takeOut(pos, false);
    if (m_pos >= m_rows.size())
        m_pos = m_rows.size() - 1;
    m_eof = m_rows.empty();
    m_bof = m_pos <= 0;
    if (!controlsDisabled() && pos >= 0)
        emit rowRemoved(pos);
    if (events.afterDelete)
        events.afterDelete(*this);
    arrived();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Sources that take no changes

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

} // namespace data
