#pragma once

#include "data/store/Engine.h"

#include <QByteArrayList>
#include <QList>

typedef struct pg_result PGresult;

namespace data {

class PgConnection;

// One statement on a server year. Marks ("?", "?1", ":name") become the server's "$n"; values
// go as text for the server to read in the column's type. A statement run once goes in one
// round trip; one run again is prepared on the server and reused. The rows of a result arrive
// together and are read from memory.
class PgStatement : public engine::Statement
{
public:
    PgStatement(PgConnection &connection, const QString &sql);
    ~PgStatement() override;

    const QString &sql() const override { return m_sql; }
    void bind(int position, const QVariant &value) override;
    void bindNamed(const SqlParams &params) override;
    bool step() override;
    void reset() override;

    int columnCount() const override;
    QString columnName(int column) const override;
    QString declaredType(int column) const override;
    bool isNull(int column) const override;
    QVariant value(int column, FieldType type) const override;
    QVariant rawValue(int column) const override;
    qint64 int64(int column) const override;
    const char *utf8(int column, int *length) const override;
    qint64 insertedId() const override;
    int changes() const override;

private:
    void execute() const;
    // Inside a transaction a savepoint, its release and a rollback to one still waiting go with
    // the next statement (see PgConnection::deferSavepoint); true when this one waits.
    bool deferControl() const;
    // Runs the statement in a savepoint of its own (prepared first as `prepareAs`, if named).
    PGresult *runAlone(const char *const *values, int count, const QByteArray &prepareAs);
    const FieldDef *sourceField(int column) const;
    int resultColumn(int column) const { return m_visible.value(column, column); }
    QString text(int column) const;

    PgConnection &m_connection;
    QString m_sql;
    QByteArray m_serverSql;
    QStringList m_names; // ":name" marks by their number (empty for "?" marks)
    QByteArrayList m_values;
    QList<bool> m_nulls;
    int m_explicitRowIds = 0; // "rowid" columns the statement asks for by name
    // Transaction control: the server takes savepoints only inside a transaction, where the
    // program (as SQLite does) also opens one outside: the outermost savepoint begins it and
    // its release commits it.
    enum class Control { None, Begin, Savepoint, Release, RollbackTo, End } m_control = Control::None;
    QString m_savepoint;
    bool m_undoes = false;    // ROLLBACK [TO ...]: appends held since are dropped, not sent
    QByteArray m_copySql;     // an append that may be held and sent by COPY (see copyFor)
    mutable bool m_held = false; // this run waits to go with the next statement
    QByteArray m_prepared;    // the server's name for it, once prepared
    int m_runs = 0;
    mutable PGresult *m_result = nullptr;
    mutable QList<int> m_visible; // result columns shown (a table's own row id stays hidden)
    int m_row = -1;
};

} // namespace data
