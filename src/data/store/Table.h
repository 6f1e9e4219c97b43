#pragma once

#include "data/store/Database.h"
#include "data/store/Dataset.h"

#include <optional>

namespace data::engine {
class Statement;
}

namespace data::sqltext {
struct SelectStatement;
}

namespace data {

// A stored table opened by its file name ("Alunos.DB" -> ALUNOS) in a database:
//
//   Table alunos(Database::named("Quorvel"), "Alunos.DB");
//   alunos.setIndexName("kNome");
//   alunos.setFilter("(SIT <> 'D') AND (SIT <> 'T')");
//   alunos.setFiltered(true);
//   alunos.open();
//   for (alunos.first(); !alunos.eof(); alunos.next()) ... alunos.asText("NOME") ...
//
// Every post, edit and delete is written (and, outside a Transaction, committed) at once.
class Table : public Dataset
{
    Q_OBJECT

public:
    Table(const Database &db, const QString &fileName, QObject *parent = nullptr);
    // The database by its name ("Quorvel"), looked up when the table opens.
    Table(const QString &databaseName, const QString &fileName, QObject *parent = nullptr);
    ~Table() override;

    QString displayName() const override;
    QString tableName() const; // as stored ("ALUNOS"); the file name's stem before opening
    Database database() const;
    const TableDef &layout() const { return m_layout; }

    // Before opening.
    void setReadOnly(bool readOnly);
    // Opening fails when the table is open anywhere else (this process or another
    // workstation), and while it is open nobody else may open it.
    void setExclusive(bool exclusive);
    bool isExclusive() const { return m_exclusive; }

    // The order: a named index ("kTurma"), a field list ("Data_MovFin;CodGrupo_MovFin") or the
    // primary key (empty). May change while open.
    void setIndexName(const QString &indexName);
    void setIndexFields(const QString &fieldList);
    QString indexName() const { return m_indexName; }
    QString indexFields() const; // the fields of the current order, ";"-separated

    // Exact search on the leading fields of the current order; the cursor goes to the first
    // match in that order. Nearest: the first row at or after the values.
    bool findKey(const QVariantList &values);
    bool findNearest(const QVariantList &values);

    // Only the rows whose leading fields of the current order lie between the two keys.
    void setRange(const QVariantList &from, const QVariantList &to);
    void cancelRange();

    // Master-detail: only the rows whose `detailFields` equal the master's `masterFields`
    // (";"-separated, same count), following the master as it moves. New rows get the link
    // values. A null master removes the link.
    void setMaster(Dataset *master, const QString &detailFields, const QString &masterFields);

    // Deletes every row of the table (not only those in view).
    void emptyTable();

protected:
    void openSource(QList<DatasetField> &storedFields) override;
    void closeSource() override;
    void loadRows(std::vector<RowPtr> &rows) override;
    bool filtersAtSource() const override { return true; }
    void writeInsert(Row &row) override;
    void writeUpdate(const Row &before, Row &row) override;
    void writeDelete(const Row &row) override;
    bool hasOrder() const override { return true; }
    int compareRows(const Row &a, const Row &b) const override;
    void sortRows(std::vector<RowPtr> &rows) override;
    QList<int> orderFieldPositions() const override;
    void initNewRow(Row &row) override;
    bool rowInScope(const Row &row) const override;
    void masterChanged() override;
    bool reloadValues(Row &row) override;
    bool canReloadValues() const override { return true; }

private:
    struct OrderField
    {
        int field;
        bool descending;
        bool caseInsensitive;
    };
    struct Statements;

    void resolveDatabase();
    QList<OrderField> computeOrder() const;
    const QList<OrderField> &orderFields() const { return m_order; }
    void setOrder(const QList<OrderField> &order);
    void reorder(const QString &oldName, const QString &oldList, bool oldUse);
    std::optional<QVariantList> linkValues() const;
    sqltext::SelectStatement buildSelection(bool idsOnly) const;
    QString orderTerm(const OrderField &o) const;
    void keyCondition(sqltext::SelectStatement &sel, const QVariantList &key, const char *op) const;
    struct CodeCache;
    void decodeRow(const engine::Statement &st, Row &row, CodeCache *codes) const;
    RowPtr fetch(qint64 id);
    bool seek(const QVariantList &values, bool exact);

    Database m_db;
    QString m_databaseName;
    QString m_fileName;
    TableDef m_layout;
    QString m_indexName;
    QString m_indexFieldList;
    bool m_useFieldList = false;
    QList<OrderField> m_order; // the fields of the current order, while open
    QList<int> m_orderPositions;
    bool m_exclusive = false;
    bool m_requestedReadOnly = false;
    bool m_lockHeld = false;
    QVariantList m_rangeFrom;
    QVariantList m_rangeTo;
    bool m_hasRange = false;
    QPointer<Dataset> m_master;
    QStringList m_detailFields;
    QStringList m_masterFields;
    std::unique_ptr<Statements> m_statements;
};

} // namespace data
