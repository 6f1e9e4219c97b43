#pragma once

#include "data/store/Database.h"
#include "data/store/Dataset.h"

#include <QStringList>

namespace data {

// A statement against a database. A SELECT opens as a dataset (read-only, or editable in place
// when it is "select * from <one table> ..."); any other statement runs with execute().
//
//   Query q(db);
//   q.setSql("select * from Ccorrent where Matricula = :matricula order by ParcelaData");
//   q.bind("matricula", 1234);
//   q.open();
//
// Besides the engine's own SQL, statements may use "substring(x from 1 for 3)",
// "extract(month from x)", "ALTER TABLE t ADD a CHAR(10), DROP b, ..." with several clauses, and
// table file names in double quotes ("CONTA.DB"). Dates come back as QDate where the column is a
// date field.
class Query : public Dataset
{
    Q_OBJECT

public:
    explicit Query(const Database &db, QObject *parent = nullptr);
    Query(const QString &databaseName, QObject *parent = nullptr);
    ~Query() override;

    QString displayName() const override;

    // Changing the text closes the query and forgets the bound values.
    void setSql(const QString &sql);
    QString sql() const { return m_sql; }
    void bind(const QString &name, const QVariant &value); // "matricula" or ":matricula"
    void clearBindings();

    // Runs a statement that returns no rows; the number of rows it changed.
    int execute();

    // True once open when rows can be edited, inserted and deleted in place.
    bool isEditable() const { return m_editableTable.size() > 0; }
    QString editableTable() const { return m_editableTable; }

protected:
    void openSource(QList<DatasetField> &storedFields) override;
    void loadRows(std::vector<RowPtr> &rows) override;
    void writeInsert(Row &row) override;
    void writeUpdate(const Row &before, Row &row) override;
    void writeDelete(const Row &row) override;

private:
    Database database() const;

    Database m_db;
    QString m_databaseName;
    QString m_sql;
    SqlParams m_params;
    QString m_editableTable;
    TableDef m_layout;
    std::vector<RowPtr> m_pending; // rows read while opening
};

} // namespace data
