#pragma once

#include "core/Money.h"
#include "data/store/RowCache.h"
#include "data/store/Schema.h"
#include "data/store/StoreError.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace data {

class Dataset;
class FilterExpression;

// A field of a dataset: a stored column, or a calculated one filled by onCalcFields.
struct DatasetField
{
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // characters, for Text
    bool required = false;
    bool calculated = false;
    QString displayFormat; // number mask ("0.0", "###,##0.00"); empty: the type's default
};

// A field by name (case-insensitive) or by position. Positions, from fieldIndex(), save the
// name lookup in long loops.
class FieldRef
{
public:
    FieldRef(const QString &name) : m_name(name) {}
    FieldRef(const char *name) : m_utf8(name) {} // meant for literals, used during the call
    FieldRef(int index) : m_index(index) {}

    bool isIndex() const { return m_index >= 0; }
    int index() const { return m_index; }
    QString name() const { return m_utf8 ? QString::fromUtf8(m_utf8) : m_name; }
    // A name given as text ("NOME"): looked up without building a QString.
    const char *utf8() const { return m_utf8; }

private:
    QString m_name;
    const char *m_utf8 = nullptr;
    int m_index = -1;
};

enum class DatasetState { Inactive, Browse, Edit, Insert };

// What an error handler decides: Fail raises the error, Abort stops silently (the operation
// returns false and the row stays as it was), Retry tries again.
enum class ErrorAction { Fail, Abort, Retry };

struct LocateOptions
{
    bool caseInsensitive = false;
    bool partialKey = false; // a text value matches the beginning of the field
};

// Row rules attach here. A before-handler may throw Abort (silent stop) or StoreError (stop
// with a message for the caller).
struct DatasetEvents
{
    using Handler = std::function<void(Dataset &)>;
    using ErrorHandler = std::function<void(Dataset &, const StoreError &, ErrorAction &)>;

    Handler beforeInsert, onNewRecord, afterInsert;
    Handler beforeEdit, afterEdit;
    Handler beforePost, afterPost;
    Handler beforeCancel, afterCancel;
    Handler beforeDelete, afterDelete;
    Handler afterScroll;
    // Fills the calculated fields of the row being read (setValue on them); runs whenever a row
    // is read: on every move, after every post, and on every field change while editing.
    Handler onCalcFields;
    std::function<void(Dataset &, int field)> onFieldChange;
    ErrorHandler onPostError, onEditError, onDeleteError;
};

// What tables, queries, in-memory tables and imported files share: a cursor over rows in an
// order, typed field access, editing with events, the filter language, calculated fields.
//
// Rows are read when the dataset opens and on refresh(); changes made elsewhere show after a
// refresh. Moving the cursor while editing posts the row first.
//
// A posted row takes its place in the order at once, and the cursor follows it. Reading (values,
// display texts, recNo) never moves a row, so a grid may paint at any time. While grids are
// detached (disableControls), posted rows wait at the end of the view and take their places at
// enableControls or at the next move of the cursor: a long run does not re-sort after each post.
class Dataset : public QObject
{
    Q_OBJECT

public:
    ~Dataset() override;

    // Life.
    void open();
    void close();
    bool isOpen() const { return m_state != DatasetState::Inactive; }
    DatasetState state() const { return m_state; }
    bool isEditing() const { return m_state == DatasetState::Edit || m_state == DatasetState::Insert; }
    virtual bool isReadOnly() const { return m_readOnly; }
    // How messages name the dataset ("ALUNOS").
    virtual QString displayName() const = 0;

    // Fields.
    const QList<DatasetField> &fields() const { return m_fields; }
    int fieldCount() const { return int(m_fields.size()); }
    int fieldIndex(const QString &name) const; // -1 when absent
    int fieldIndex(const char *name) const;
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }
    const DatasetField &field(FieldRef field) const;
    // Adds a calculated field; only while closed.
    void addCalculatedField(const QString &name, FieldType type, int size = 0);
    void setDisplayFormat(FieldRef field, const QString &mask);

    // Cursor.
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return m_rows.empty(); }
    int recordCount() const { return m_rows.size(); }
    int recNo() const; // 0-based position in the current order, -1 when empty
    void moveTo(int position);
    // Re-reads the rows from their source, keeping the cursor on the same row when it is
    // still there.
    void refresh();
    // First row (in the current order) whose fields (";"-separated) equal the values.
    bool locate(const QString &fieldNames, const QVariantList &values, LocateOptions options = {});
    // The current row's identity, to come back to it later; 0 when there is none.
    qint64 bookmark() const;
    bool gotoBookmark(qint64 bookmark);

    // Records. Each returns false when a handler aborted it.
    bool append();
    bool insert(); // as append for ordered datasets; before the current row otherwise
    bool edit();
    bool post();
    void cancel();
    bool remove();
    bool isModified() const { return m_modified; }
    // Posts or cancels (unmodified) a pending edit, as moving the cursor does.
    void checkBrowseMode();

    // Values of the current row (of the row being edited while editing).
    QVariant value(FieldRef field) const; // null QVariant when empty
    QString asText(FieldRef field) const; // text as stored; other types as their display text
    qint64 asInteger(FieldRef field) const;
    double asFloat(FieldRef field) const;
    core::Money asMoney(FieldRef field) const; // rounded to the centavo
    QDate asDate(FieldRef field) const;
    bool asLogical(FieldRef field) const;
    // Null, or an empty text.
    bool isBlank(FieldRef field) const;
    // dd/mm/yyyy, decimal comma, the field's display mask.
    QString displayText(FieldRef field) const;

    // Setting a value needs Edit or Insert state (calculated fields: any time). Texts are cut to
    // the field's width; an empty text stores as empty (null); money keeps whole centavos.
    void setValue(FieldRef field, const QVariant &value);
    // Parses by the field's type: "7,5", "1.500,25", "05/03/2007", "True"/"Sim"; an empty text
    // clears. Numbers are read as core::parseNumber reads them ("0.050" and "1.5" are refused).
    void setText(FieldRef field, const QString &text);
    void setInteger(FieldRef field, qint64 value) { setValue(field, value); }
    void setFloat(FieldRef field, double value) { setValue(field, value); }
    void setMoney(FieldRef field, core::Money value) { setValue(field, value.toDouble()); }
    void setDate(FieldRef field, const QDate &value) { setValue(field, value); }
    void setLogical(FieldRef field, bool value) { setValue(field, value); }
    void clear(FieldRef field) { setValue(field, QVariant()); }

    // Any row in view by position, for grids and reports (calculated fields included).
    QVariant valueAt(int position, int field) const;
    QString displayTextAt(int position, int field) const;

    // The filter language: "(SIT <> 'D') AND (SIT <> 'T')", "(pgtoData = Null)",
    // "(ParcelaData < '05/03/2007')", "not(Descricao_Conta = null)". A malformed expression
    // throws StoreError here; a field the dataset lacks throws when the filter is applied.
    void setFilter(const QString &expression);
    QString filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }

    // Grids stop following the dataset until the matching enableControls (long walks).
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_controlsDisabled > 0; }

    // Detail datasets following this one (master-detail links); see Table::setMaster.
    void addDetail(Dataset *detail);
    void removeDetail(Dataset *detail);

    DatasetEvents events;

signals:
    void reset();                 // opened, closed, reloaded or reordered
    void rowChanged(int position);
    void rowInserted(int position);
    void rowRemoved(int position);
    void currentChanged(int position);
    void stateChanged();

protected:
    using Row = DatasetRow;
    using RowPtr = RowCache::RowPtr;

    explicit Dataset(QObject *parent = nullptr);

    // What a kind of dataset provides.
    virtual void openSource(QList<DatasetField> &storedFields) = 0; // fields, in order
    virtual void closeSource() {}
    // Every row of the source in the current order. When filtersAtSource(), only the rows
    // that pass the filter (and any range).
    virtual void loadRows(std::vector<RowPtr> &rows) = 0;
    virtual bool filtersAtSource() const { return false; }
    // Writes; the defaults refuse (read-only sources).
    virtual void writeInsert(Row &row);
    virtual void writeUpdate(const Row &before, Row &row);
    virtual void writeDelete(const Row &row);
    // True when the rows keep an order of their own (an index): posted rows then take their
    // place by compareRows(). False: the order of arrival.
    virtual bool hasOrder() const { return false; }
    // Negative, zero or positive as `a` comes before, with or after `b` in the order; rows that
    // are equal in the order fields come in the order of their ids. Values are loaded.
    virtual int compareRows(const Row &a, const Row &b) const;
    // Puts many rows in order at once (a pending order); the default sorts by compareRows().
    virtual void sortRows(std::vector<RowPtr> &rows);
    // Positions of the fields that decide the order: a post that changes one reorders.
    virtual QList<int> orderFieldPositions() const { return {}; }
    // Fills a new row (defaults, link fields of a master).
    virtual void initNewRow(Row &row);
    // Reads a row's values again from the source (rows posted in a long run are let go from
    // memory and read back when needed); false when the source cannot.
    virtual bool reloadValues(Row &) { return false; }
    virtual bool canReloadValues() const { return false; }
    // False when a posted row no longer belongs in view (range, master link).
    virtual bool rowInScope(const Row &row) const;
    // Called when a master of this dataset moved.
    virtual void masterChanged() {}

    // Shared helpers for subclasses.
    void setReadOnlyFlag(bool readOnly) { m_readOnly = readOnly; }
    void reload(bool keepPosition);
    void requireClosed(const char *what) const;
    void requireOpen() const;
    void requireWritable() const;
    bool passesFilter(const Row &row) const;
    const FilterExpression *filterExpression() const { return m_filtered ? m_filterExpr.get() : nullptr; }
    int resolve(const FieldRef &field) const;
    RowPtr findRowById(qint64 id) const { return m_rows.findById(id); }
    void ensureLoaded(Row &row) const;
    void placeOnRow(const RowPtr &row); // makes `row` current (inserting it into view if absent)
    std::vector<RowPtr> allRows() const { return m_rows.all(); } // in view and filtered out
    void notifyDetails();
    // Fields set since the edit began (a write need look at no others).
    const std::vector<bool> &touchedFields() const { return m_touched; }

private:
    const Row *readRow() const;
    Row *writeRow(int field);
    void arrived();
    void ensureOrdered();
    RowCache::Compare comparison();
    int placeNew(const RowPtr &row, int insertAt);
    void placePosted(const RowPtr &row, bool inserted, bool orderChanged);
    void calculate(Row &row) const;
    const Row &editRowCalculated() const;
    void rebuildFieldIndex();
    bool runBefore(const DatasetEvents::Handler &handler);
    void checkRequired() const;
    [[noreturn]] void refuseWrite() const;
    template<typename Op>
    bool withErrorHandler(const DatasetEvents::ErrorHandler &handler, Op op);

    QList<DatasetField> m_fields;
    QList<DatasetField> m_calcFields; // declared while closed
    QHash<QString, int> m_fieldIndex;      // upper-case name -> position
    QHash<QString, int> m_fieldIndexExact; // name as declared -> position
    QHash<quint64, int> m_fieldIndexAscii; // hash of the upper-case ASCII name -> position
    RowCache m_rows;
    std::weak_ptr<Row> m_lastAppended;
    int m_pos = -1;
    bool m_eof = true;
    bool m_bof = true;
    DatasetState m_state = DatasetState::Inactive;
    bool m_readOnly = false;
    bool m_modified = false;
    Row m_edit;         // the row being edited or inserted
    // Its calculated fields are filled when next read, not at every value set: a run that sets
    // ten fields of thousands of rows would otherwise calculate each row ten times.
    mutable bool m_editCalcStale = false;
    int m_insertAt = -1; // view position for insert() on unordered datasets
    QList<int> m_orderFields; // taken when an edit starts
    std::vector<bool> m_touched;
    mutable Row *m_calcRow = nullptr; // the row onCalcFields is filling
    QString m_filterText;
    std::shared_ptr<FilterExpression> m_filterExpr;
    bool m_filtered = false;
    int m_controlsDisabled = 0;
    QList<QPointer<Dataset>> m_details;
};

} // namespace data
