#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>

namespace data {

class PgConnection;

// The appends a bulk run holds back to send to the server together (see AppendBatch): each
// append otherwise costs a round trip. The rows of one INSERT text go as one COPY, or, when they
// are few, as one pipeline of INSERTs; a batch the server refuses is taken back and its rows
// sent again one at a time, so each good row is written and the refused one reports the error
// its own INSERT would have given.
class PgAppendQueue
{
public:
    explicit PgAppendQueue(PgConnection &connection) : m_connection(connection) {}

    // An INSERT whose values are all marks, as the server reads it (`insertSql`), the same as a
    // COPY (`copySql`), with its bound values (`nulls` marks the empty ones).
    void hold(const QByteArray &copySql, const QByteArray &insertSql, const QString &sql, const QByteArrayList &values,
              const QList<bool> &nulls);
    bool isEmpty() const { return m_groups.isEmpty(); }
    // Sends what is held (nothing when empty). Throws StoreError with the first refused row's
    // message once every row has had its chance.
    void send();
    // Forgets what is held: the transaction or savepoint it belonged to is being undone.
    void drop();

private:
    struct Row
    {
        QByteArrayList values;
        QList<bool> nulls;
    };
    struct Group
    {
        QByteArray copySql;
        QByteArray insertSql;
        QString sql;
        QByteArray lines; // the rows in COPY's text form
        QList<Row> rows;
    };

    // Sends one group whole; false when the server refused it (already taken back).
    bool sendWhole(const Group &group);
    bool sendByCopy(const Group &group);
    bool sendByPipeline(const Group &group);
    // Sends the rows one at a time; the first refused row's message, empty when none was.
    QString sendEachAlone(const Group &group);

    PgConnection &m_connection;
    QList<Group> m_groups;
    qsizetype m_heldRows = 0;
    qsizetype m_heldBytes = 0;
    bool m_sending = false;
};

} // namespace data
