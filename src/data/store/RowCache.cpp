#include "data/store/RowCache.h"

#include <algorithm>

namespace data {

void RowCache::assign(std::vector<RowPtr> rows, const std::function<bool(DatasetRow &)> &inView)
{
    clear();
    m_view.reserve(rows.size());
    for (RowPtr &row : rows) {
        if (inView(*row)) {
            row->hint = int(m_view.size());
            m_view.push_back(std::move(row));
        } else {
            m_keptOut.push_back(std::move(row));
        }
    }
}

void RowCache::clear()
{
    m_view.clear();
    m_keptOut.clear();
    m_byId.clear();
    m_byIdBuilt = false;
    m_orderPending = false;
}

int RowCache::positionOf(const DatasetRow *row) const
{
    const int hint = row->hint;
    if (hint >= 0 && hint < size() && m_view[size_t(hint)].get() == row)
        return hint;
    // Positions moved (an insert, a delete, a sort): number them again once.
    for (int i = 0; i < size(); ++i)
        m_view[size_t(i)]->hint = i;
    const int now = row->hint;
    return now >= 0 && now < size() && m_view[size_t(now)].get() == row ? now : -1;
}

RowCache::RowPtr RowCache::findById(qint64 id) const
{
    return byId().value(id);
}

std::vector<RowCache::RowPtr> RowCache::all() const
{
    std::vector<RowPtr> rows = m_view;
    rows.insert(rows.end(), m_keptOut.begin(), m_keptOut.end());
    return rows;
}

const QHash<qint64, RowCache::RowPtr> &RowCache::byId() const
{
    if (!m_byIdBuilt) {
        m_byId.clear();
        m_byId.reserve(qsizetype(m_view.size() + m_keptOut.size()));
        for (const RowPtr &row : m_view)
            m_byId.insert(row->id, row);
        for (const RowPtr &row : m_keptOut)
            m_byId.insert(row->id, row);
        m_byIdBuilt = true;
    }
    return m_byId;
}

void RowCache::index(const RowPtr &row)
{
    if (m_byIdBuilt)
        m_byId.insert(row->id, row);
}

int RowCache::insertAt(int position, RowPtr row)
{
    position = std::clamp(position, 0, size());
    row->hint = position;
    index(row);
    m_view.insert(m_view.begin() + position, std::move(row));
    return position;
}

int RowCache::insertInOrder(RowPtr row, const Compare &compare)
{
    // Runs of new rows mostly arrive in order: the end is tried first.
    int low = 0;
    int high = size();
    if (high > 0 && compare(*row, *m_view.back()) < 0) {
        --high;
        while (low < high) {
            const int middle = (low + high) / 2;
            if (compare(*row, *m_view[size_t(middle)]) < 0)
                high = middle;
            else
                low = middle + 1;
        }
    } else {
        low = high;
    }
    return insertAt(low, std::move(row));
}

int RowCache::reposition(int position, const Compare &compare)
{
    DatasetRow &row = at(position);
    const bool afterPrevious = position == 0 || compare(*m_view[size_t(position - 1)], row) <= 0;
    const bool beforeNext = position + 1 == size() || compare(row, *m_view[size_t(position + 1)]) <= 0;
    if (afterPrevious && beforeNext)
        return position;
    RowPtr moving = m_view[size_t(position)];
    m_view.erase(m_view.begin() + position);
    return insertInOrder(std::move(moving), compare);
}

void RowCache::takeOut(int position, bool keep)
{
    RowPtr row = m_view[size_t(position)];
    m_view.erase(m_view.begin() + position);
    if (keep)
        m_keptOut.push_back(std::move(row));
    else if (m_byIdBuilt)
        m_byId.remove(row->id);
}

void RowCache::keepOut(RowPtr row)
{
    index(row);
    m_keptOut.push_back(std::move(row));
}

void RowCache::sort(const std::function<void(std::vector<RowPtr> &)> &sorter)
{
    sorter(m_view);
    for (int i = 0; i < size(); ++i)
        m_view[size_t(i)]->hint = i;
    m_orderPending = false;
}

} // namespace data
