#pragma once

#include "data/store/Dataset.h"

namespace data {

// A table in memory only, with the same cursor and field operations as the stored ones.
//
//   MemTable t;
//   t.addField("NOME", FieldType::Text, 30);
//   t.open();
//   t.append(); t.setText("NOME", "ANA"); t.post();
class MemTable : public Dataset
{
    Q_OBJECT

public:
    explicit MemTable(QObject *parent = nullptr);
    explicit MemTable(const QString &name, QObject *parent = nullptr);
    ~MemTable() override;

    QString displayName() const override;

    // Fields, while closed.
    void addField(const QString &name, FieldType type, int size = 0, bool required = false);
    void setFields(const QList<FieldDef> &fields);

    // Keeps the rows ordered by these fields (";"-separated, a field may end in " DESC");
    // empty: order of arrival.
    void setIndexFields(const QString &fieldList);

    // The rows live while the table is open; closing forgets them.
    void emptyTable();

protected:
    void openSource(QList<DatasetField> &storedFields) override;
    void loadRows(std::vector<RowPtr> &rows) override;
    void writeInsert(Row &row) override;
    void writeUpdate(const Row &before, Row &row) override;
    void writeDelete(const Row &row) override;
    bool hasOrder() const override { return !m_sortFields.isEmpty(); }
    int compareRows(const Row &a, const Row &b) const override;
    QList<int> orderFieldPositions() const override;

private:
    struct SortField
    {
        int field;
        bool descending;
    };
    QList<SortField> sortFields() const;

    QString m_name;
    QList<FieldDef> m_defs;
    QStringList m_sortFields;
    QList<SortField> m_keys; // m_sortFields resolved, while open
    qint64 m_nextId = 1;
};

} // namespace data
