#pragma once

#include <QHash>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

namespace data {

// One row of a dataset as its source gave it.
struct DatasetRow
{
    qint64 id = 0;       // the surrogate row id (tables), or a running number
    QVariantList values; // empty while let go from memory (read back when needed)
    int hint = -1;       // last known position in view
};

// The rows a dataset holds: those in view, in the dataset's order, and those a filter applied
// in memory keeps out; an index by id, built on the first search by id and then kept.
//
// The view is in order except while an order is pending: rows posted while grids were detached
// wait at the end until sort() runs, so a long run does not re-sort after every post.
class RowCache
{
public:
    using RowPtr = std::shared_ptr<DatasetRow>;
    // Negative, zero or positive as `a` comes before, with or after `b`.
    using Compare = std::function<int(DatasetRow &a, DatasetRow &b)>;

    // Takes the rows of a (re)load, in their order: those `inView` accepts make the view.
    void assign(std::vector<RowPtr> rows, const std::function<bool(DatasetRow &)> &inView);
    void clear();

    int size() const { return int(m_view.size()); }
    bool empty() const { return m_view.empty(); }
    DatasetRow &at(int position) const { return *m_view[size_t(position)]; }
    const RowPtr &ptr(int position) const { return m_view[size_t(position)]; }
    int positionOf(const DatasetRow *row) const; // -1 when not in view
    RowPtr findById(qint64 id) const;            // in view or kept out
    std::vector<RowPtr> all() const;             // in view, then kept out

    // A new row at a position of the view; the position it took.
    int insertAt(int position, RowPtr row);
    // A new row at its place in the order (after the rows it equals).
    int insertInOrder(RowPtr row, const Compare &compare);
    // The row at `position` changed its order fields: it moves to its new place, returned.
    int reposition(int position, const Compare &compare);
    // Takes the row at `position` out of view, keeping it among the rows kept out or, when
    // `keep` is false, forgetting it.
    void takeOut(int position, bool keep);
    // A new row that does not belong in view, kept out.
    void keepOut(RowPtr row);

    bool orderPending() const { return m_orderPending; }
    void setOrderPending() { m_orderPending = m_view.size() > 1; }
    // Puts the view in order with `sorter` and ends a pending order.
    void sort(const std::function<void(std::vector<RowPtr> &)> &sorter);

private:
    const QHash<qint64, RowPtr> &byId() const;
    void index(const RowPtr &row);

    std::vector<RowPtr> m_view;
    std::vector<RowPtr> m_keptOut;
    mutable QHash<qint64, RowPtr> m_byId;
    mutable bool m_byIdBuilt = false;
    bool m_orderPending = false;
};

} // namespace data
