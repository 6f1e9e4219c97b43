#include "StoreFixture.h"

#include "data/store/Query.h"
#include "data/store/ServerAddress.h"
#include "data/store/SqliteApi.h"
#include "data/store/Transaction.h"

#include <algorithm>

#include <libpq-fe.h>

using namespace data;

namespace {

class Transactions : public StoreFixture
{
protected:
    void insert(double matricula)
    {
        m_db.exec(QStringLiteral("insert into alunos (matricula, nome, turma) values (:m, 'X', '1G1A')"),
                  {{QStringLiteral("m"), matricula}});
    }

    QString rows() const
    {
        Query q(m_db);
        q.setSql(QStringLiteral("select matricula from alunos order by matricula"));
        q.open();
        QStringList out;
        for (q.first(); !q.eof(); q.next())
            out.append(q.asText(0));
        return out.join(u',');
    }

    // A service that keeps its own work whole, as the row rules do.
    void addInItsOwnTransaction(double matricula, bool fail)
    {
        Transaction tx(m_db);
        insert(matricula);
        if (fail)
            throw StoreError(QStringLiteral("falhou"));
        tx.commit();
    }

    // Whether another workstation could start writing now.
    bool anotherWriterGetsIn()
    {
        if (m_db.isServerYear()) {
            const ServerAddress address = ServerAddress::parse(m_db.directory());
            PGconn *other = PQconnectdb(address.conninfo.constData());
            PQclear(PQexec(other, "BEGIN"));
            PGresult *r = PQexec(other, QStringLiteral("SELECT pg_try_advisory_xact_lock(hashtext('%1'))")
                                            .arg(address.schema).toUtf8().constData());
            const bool in = PQntuples(r) == 1 && PQgetvalue(r, 0, 0)[0] == 't';
            PQclear(r);
            PQfinish(other);
            return in;
        }
        const sqlite::Api &api = sqlite::api();
        sqlite3 *other = nullptr;
        const QByteArray path = m_db.filePath().toUtf8();
        EXPECT_EQ(api.open_v2(path.constData(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        const bool in = api.exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
        if (in)
            api.exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        api.close_v2(other);
        return in;
    }
};

TEST_F(Transactions, AnInnerTransactionIsASavepointOfTheOuterOne)
{
    Transaction outer(m_db);
    EXPECT_FALSE(outer.isNested());
    insert(1);
    {
        Transaction undone(m_db);
        EXPECT_TRUE(undone.isNested());
        insert(2);
    } // not committed: only its own row goes
    {
        Transaction kept(m_db);
        insert(3);
        kept.commit();
        EXPECT_FALSE(kept.isActive());
    }
    {
        Transaction undone(m_db);
        insert(4);
        undone.rollback();
        insert(5); // after its rollback, work belongs to the outer transaction again
    }
    EXPECT_TRUE(outer.isActive());
    outer.commit();
    EXPECT_EQ(rows(), QStringLiteral("1,3,5"));
    EXPECT_FALSE(m_db.inTransaction());
}

TEST_F(Transactions, RollingBackTheOuterOneUndoesWhatInnerOnesCommitted)
{
    {
        Transaction outer(m_db);
        insert(1);
        Transaction inner(m_db);
        insert(2);
        inner.commit();
    }
    EXPECT_EQ(rows(), QString());

    Transaction outer(m_db);
    Transaction inner(m_db);
    insert(3);
    // The outer one cannot end while an inner one is undecided.
    EXPECT_THROW(outer.commit(), StoreError);
    outer.rollback();
    EXPECT_FALSE(inner.isActive()); // ended with its outer one
    EXPECT_THROW(inner.commit(), StoreError);
    inner.rollback(); // nothing left to undo
    EXPECT_FALSE(m_db.inTransaction());
    EXPECT_EQ(rows(), QString());
    insert(4); // the connection is usable and commits at once again
    EXPECT_EQ(rows(), QStringLiteral("4"));
}

TEST_F(Transactions, AnExceptionUndoesOnlyTheWorkOfTheTransactionsItLeaves)
{
    addInItsOwnTransaction(1, false); // alone: a transaction of its own
    EXPECT_THROW(addInItsOwnTransaction(2, true), StoreError);
    EXPECT_EQ(rows(), QStringLiteral("1"));

    // A run that skips the rows that fail.
    {
        Transaction run(m_db);
        for (int m : {10, 11, 12, 13}) {
            try {
                addInItsOwnTransaction(m, m % 2 == 1);
            } catch (const StoreError &) {
            }
        }
        run.commit();
    }
    EXPECT_EQ(rows(), QStringLiteral("1,10,12"));

    // A run that stops at the first failure leaves nothing of itself.
    EXPECT_THROW(
        {
            Transaction run(m_db);
            addInItsOwnTransaction(20, false);
            addInItsOwnTransaction(21, true);
            run.commit();
        },
        StoreError);
    EXPECT_EQ(rows(), QStringLiteral("1,10,12"));
    EXPECT_FALSE(m_db.inTransaction());
}

TEST_F(Transactions, TheOutermostHoldsTheWriteLockFromItsStartAndPostsJoinIt)
{
    EXPECT_TRUE(anotherWriterGetsIn());
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    {
        Transaction outer(m_db);
        // Nothing written yet, and still no other workstation may start writing: a number
        // read now for a new row cannot be read by another before this commits.
        EXPECT_FALSE(anotherWriterGetsIn());
        {
            Transaction inner(m_db);
            t.append();
            t.setValue("MATRICULA", 7);
            t.setText("NOME", QStringLiteral("SETE"));
            t.setText("TURMA", QStringLiteral("1G1A"));
            t.post();
        } // the post is undone with the inner transaction
        EXPECT_FALSE(anotherWriterGetsIn());
        outer.commit();
    }
    EXPECT_TRUE(anotherWriterGetsIn());
    t.refresh();
    EXPECT_EQ(t.recordCount(), 0);
}

} // namespace

// Savepoints are named by their depth and their statements kept: names come back again and
// again, so each must still undo exactly its own work at any depth, however often reused.
TEST_F(Transactions, RowSavepointsAtEveryDepthUndoOnlyTheirOwnRowsWhenNamesAreReused)
{
    const QString before = rows();
    Transaction outer(m_db);
    for (int round = 0; round < 50; ++round) {
        Savepoint row(m_db);
        insert(1000 + round);
        {
            Savepoint inner(m_db);
            insert(5000 + round);
            {
                Transaction service(m_db); // a rule's own transaction inside the row
                insert(9000 + round);
                if (round % 3 == 0)
                    service.commit();
            }
            if (round % 2 == 0)
                inner.release();
            else
                inner.rollback();
        }
        if (round % 5 == 4)
            row.rollback();
        else
            row.release();
    }
    outer.commit();
    QStringList expected;
    for (int round = 0; round < 50; ++round) {
        if (round % 5 == 4)
            continue;
        expected << QString::number(1000 + round);
        if (round % 2 == 0)
            expected << QString::number(5000 + round);
        if (round % 2 == 0 && round % 3 == 0)
            expected << QString::number(9000 + round);
    }
    std::sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
    EXPECT_EQ(rows(), (before.isEmpty() ? QString() : before + u',') + expected.join(u','));
}

