#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>

#include <thread>

typedef struct pg_conn PGconn;

namespace data {

class PgConnection;

// The appends a bulk run holds back to send to the server together (see AppendBatch): each
// append otherwise costs a round trip. The rows of one INSERT text go as one COPY, or, when they
// are few, as one pipeline of INSERTs; a batch the server refuses is taken back and its rows
// sent again one at a time, so each good row is written and the refused one reports the error
// its own INSERT would have given.
//
// A batch that is full goes in the background: while the server writes it (and keeps its
// indexes), the program builds the next one. Until that send has ended nothing else may use the
// connection, so every use of it waits first (PgConnection::handle and the connection's own
// calls); a refusal found there is dealt with by the next send.
class PgAppendQueue
{
public:
    explicit PgAppendQueue(PgConnection &connection) : m_connection(connection) {}
    ~PgAppendQueue() { wait(); }
    PgAppendQueue(const PgAppendQueue &) = delete;
    PgAppendQueue &operator=(const PgAppendQueue &) = delete;

    // An INSERT whose values are all marks, as the server reads it (`insertSql`), the same as a
    // COPY (`copySql`), with its bound values (`nulls` marks the empty ones).
    void hold(const QByteArray &copySql, const QByteArray &insertSql, const QString &sql, const QByteArrayList &values,
              const QList<bool> &nulls);
    bool isEmpty() const { return m_groups.isEmpty(); }
    // Sends what is held (nothing when empty). Throws StoreError with the first refused row's
    // message once every row has had its chance.
    void send();
    // Forgets what is held: the transaction (or the savepoint) it belonged to is being undone.
    void drop(bool wholeTransaction);
    // Waits for a batch sent in the background, if one is on its way. Never throws: the rows a
    // refused batch held are sent again by the next send().
    void wait();
    bool isSending() const { return m_worker.joinable(); }

private:
    struct Group
    {
        QByteArray copySql;
        QByteArray insertSql;
        QString sql;
        QByteArray lines; // the rows in COPY's text form
        qsizetype rows = 0;
    };

    // Sends what is held while the program goes on.
    void sendInBackground();
    // Sends again, one row at a time, the batches the server refused in the background; throws
    // StoreError with the first refused row's message.
    void resendRefused();
    // Sends one group whole; false when the server refused it (already taken back). Runs on the
    // background thread too, so it touches nothing but `conn` and the group.
    static bool sendWhole(PGconn *conn, const Group &group);
    static bool sendByCopy(PGconn *conn, const Group &group);
    static bool sendByPipeline(PGconn *conn, const Group &group);
    // Sends the rows one at a time; the first refused row's message, empty when none was.
    QString sendEachAlone(const Group &group);
    // Sends the groups (whole first, when `wholeFirst`), a refused one row by row; the first
    // refused row's message.
    QString sendGroups(const QList<Group> &groups, bool wholeFirst);

    PgConnection &m_connection;
    QList<Group> m_groups;
    qsizetype m_heldRows = 0;
    qsizetype m_heldBytes = 0;
    bool m_sending = false;
    std::thread m_worker;
    QList<Group> m_refused; // written by the background send, read after it has ended
};

} // namespace data
