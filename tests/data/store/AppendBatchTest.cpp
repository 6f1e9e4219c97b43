#include "StoreFixture.h"

#include "data/bulk/BulkRun.h"
#include "data/store/AppendBatch.h"
#include "data/store/Query.h"
#include "data/store/Transaction.h"
#include "support/RecordingReporter.h"

using namespace data;

// Appends held in bulk: on a server year they go together, on a file as ever; either way every
// row lands exactly as posted, a refused row fails the run, and an undo takes the held rows too.
namespace {

class AppendBatches : public StoreFixture
{
protected:
    void appendAluno(Table &t, int matricula, const QString &nome)
    {
        t.append();
        t.setValue("MATRICULA", matricula);
        t.setText("NOME", nome);
        t.setText("TURMA", QStringLiteral("1G1A"));
        t.post();
    }

    int count(const QString &table) const { return m_db.scalar(QStringLiteral("select count(*) from ") + table).toInt(); }

    QString rowText(int matricula) const
    {
        Query q(m_db);
        q.setSql(QStringLiteral("select nome, sit, datanasc, abat, ord from alunos where matricula = :m"));
        q.bind(QStringLiteral("m"), matricula);
        q.open();
        QStringList out;
        for (int c = 0; c < 5; ++c)
            out.append(q.isBlank(c) ? QStringLiteral("<nulo>") : q.asText(c));
        return out.join(u'|');
    }
};

// Values the server's bulk path must carry untouched: separators, line breaks, backslashes,
// accents, empty values, dates, fractions and logicals; both a batch big enough to be copied
// and one of a few rows.
TEST_F(AppendBatches, rowsLandExactlyAsPosted)
{
    for (const int rows : {3, 200}) {
        m_db.exec(QStringLiteral("delete from alunos"));
        Transaction tx(m_db);
        AppendBatch batch(m_db);
        Table t(m_db, QStringLiteral("Alunos.DB"));
        t.open();
        for (int i = 1; i <= rows; ++i) {
            t.append();
            t.setValue("MATRICULA", i);
            t.setText("NOME", i == 1 ? QStringLiteral("JOÃO\tDA\\SILVA\nFILHO \\N") : QStringLiteral("ALUNO %1").arg(i));
            t.setText("TURMA", QStringLiteral("1G1A"));
            if (i == 2) {
                t.setText("SIT", QStringLiteral("T"));
                t.setValue("DATANASC", QDate(2011, 2, 28));
                t.setValue("ABAT", 12.345);
                t.setValue("ORD", 7);
                t.setValue("MARCADO", true);
            }
            t.post();
        }
        // A statement of the run reads what was held.
        EXPECT_EQ(count(QStringLiteral("alunos")), rows);
        tx.commit();
        EXPECT_EQ(count(QStringLiteral("alunos")), rows);
        EXPECT_EQ(rowText(1).toStdString(), QStringLiteral("JOÃO\tDA\\SILVA\nFILHO \\N|<nulo>|<nulo>|<nulo>|<nulo>").toStdString());
        EXPECT_EQ(rowText(2).toStdString(), "ALUNO 2|T|28/02/2011|12,345|7") << rows;
        EXPECT_EQ(m_db.scalar(QStringLiteral("select marcado from alunos where matricula = 2")).toInt(), 1);
        EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from alunos where marcado is null")).toInt(), rows - 1);
        EXPECT_EQ(rowText(rows).toStdString(), QStringLiteral("ALUNO %1|<nulo>|<nulo>|<nulo>|<nulo>").arg(rows).toStdString());
    }
}

// A row appended in the batch is the same row afterwards: edited and deleted through the
// dataset, in the run and after it.
TEST_F(AppendBatches, heldRowsCanBeEditedAndDeleted)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    {
        Transaction tx(m_db);
        AppendBatch batch(m_db);
        for (int i = 1; i <= 100; ++i)
            appendAluno(t, i, QStringLiteral("ALUNO %1").arg(i));
        ASSERT_TRUE(t.locate(QStringLiteral("MATRICULA"), {50}));
        t.edit();
        t.setText("NOME", QStringLiteral("EDITADO NA CARGA"));
        t.post();
        tx.commit();
    }
    t.refresh();
    ASSERT_TRUE(t.locate(QStringLiteral("MATRICULA"), {51}));
    t.edit();
    t.setText("NOME", QStringLiteral("EDITADO DEPOIS"));
    t.post();
    ASSERT_TRUE(t.locate(QStringLiteral("MATRICULA"), {52}));
    t.remove();
    EXPECT_EQ(count(QStringLiteral("alunos")), 99);
    EXPECT_EQ(rowText(50).section(u'|', 0, 0).toStdString(), QStringLiteral("EDITADO NA CARGA").toStdString());
    EXPECT_EQ(rowText(51).section(u'|', 0, 0).toStdString(), QStringLiteral("EDITADO DEPOIS").toStdString());
    // Later appends outside a batch number on after the held ones.
    appendAluno(t, 1000, QStringLiteral("DEPOIS"));
    EXPECT_EQ(m_db.scalar(QStringLiteral("select max(rowid) from alunos")).toLongLong(),
              m_db.scalar(QStringLiteral("select rowid from alunos where matricula = 1000")).toLongLong());
}

// A refused row fails the run (at its post on a file, at the next statement on a server) with
// the store's message for it, and the undone run leaves nothing; the good rows of a batch that
// held a refused one are written when the caller goes on.
TEST_F(AppendBatches, aRefusedRowFailsTheRun)
{
    addAluno(7, QStringLiteral("JÁ EXISTE"), QStringLiteral("1G1A"));
    QString message;
    try {
        Transaction tx(m_db);
        AppendBatch batch(m_db);
        Table t(m_db, QStringLiteral("Alunos.DB"));
        t.open();
        for (int i = 1; i <= 100; ++i)
            appendAluno(t, i, QStringLiteral("ALUNO %1").arg(i));
        batch.send();
        tx.commit();
    } catch (const StoreError &e) {
        message = e.message();
    }
    EXPECT_TRUE(message.contains(QStringLiteral("Chave duplicada")) || message.contains(QStringLiteral("UNIQUE"))) << qPrintable(message);
    EXPECT_EQ(count(QStringLiteral("alunos")), 1);

    if (!m_db.isServerYear())
        return;
    Transaction tx(m_db);
    {
        AppendBatch batch(m_db);
        // Rows sent again one by one carry their values untouched, empty ones too.
        for (int i = 1; i <= 60; ++i)
            m_db.exec(QStringLiteral("insert into notas (matricula, disc, turma) values (:m, :d, :t)"),
                      {{QStringLiteral("m"), i == 30 ? 29 : i}, {QStringLiteral("d"), i == 2 ? QVariant() : QStringLiteral("01")},
                       {QStringLiteral("t"), i == 1 ? QStringLiteral("1G\t\\N\n\\") : QStringLiteral("1G1A")}});
        EXPECT_THROW(batch.send(), StoreError); // the 30th row repeats the 29th's key
    }
    tx.commit();
    EXPECT_EQ(count(QStringLiteral("notas")), 59);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select turma from notas where matricula = 1")).toString().toStdString(), "1G\t\\N\n\\");
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from notas where disc is null")).toInt(), 1);
}

// A run of many thousand rows: full batches go to the server while the next ones are made, so
// whatever comes next (a read, a refusal, an undo) must meet every row sent before it, in order.
TEST_F(AppendBatches, longRunsKeepEveryRowInOrder)
{
    constexpr int kRows = 12000; // several full batches, and several blocks of row ids
    // A load into an empty table may drop its plain indexes for the while; they come back.
    const auto indexes = [&](const QString &table) {
        const QString sql = m_db.isServerYear()
            ? QStringLiteral("select string_agg(indexdef, ' ' order by indexname) from pg_indexes "
                             "where schemaname = current_schema() and tablename = '%1'")
            : QStringLiteral("select group_concat(sql, ' ') from (select sql from sqlite_master "
                             "where type = 'index' and tbl_name = '%1' collate nocase order by name)");
        return m_db.scalar(sql.arg(table)).toString().toStdString();
    };
    const std::string alunosIndexes = indexes(QStringLiteral("alunos"));
    const std::string notasIndexes = indexes(QStringLiteral("notas"));
    ASSERT_NE(alunosIndexes, "");
    auto insertNota = [&](int matricula) {
        m_db.exec(QStringLiteral("insert into notas (matricula, disc, turma) values (:m, :d, :t)"),
                  {{QStringLiteral("m"), matricula}, {QStringLiteral("d"), QStringLiteral("01")}, {QStringLiteral("t"), QStringLiteral("1G1A")}});
    };
    {
        Transaction tx(m_db);
        AppendBatch batch(m_db);
        Table t(m_db, QStringLiteral("Alunos.DB"));
        t.open();
        for (int i = 1; i <= kRows; ++i)
            appendAluno(t, i, QStringLiteral("ALUNO %1").arg(i));
        EXPECT_EQ(count(QStringLiteral("alunos")), kRows);
        // The dataset knows each of its rows by the id the server keeps.
        ASSERT_TRUE(t.locate(QStringLiteral("MATRICULA"), {kRows - 3}));
        t.edit();
        t.setText("NOME", QStringLiteral("EDITADO"));
        t.post();
        tx.commit();
    }
    EXPECT_EQ(indexes(QStringLiteral("alunos")), alunosIndexes);
    EXPECT_EQ(rowText(kRows - 3).section(u'|', 0, 0).toStdString(), "EDITADO");
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(distinct rowid) from alunos")).toInt(), kRows);
    // Row ids follow the order the rows were posted in.
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from alunos a join alunos b on b.matricula = a.matricula + 1 "
                                         "where b.rowid < a.rowid"))
                  .toInt(),
              0);

    // A refused row in the first full batch: reported while the run goes on.
    QString message;
    {
        Transaction tx(m_db);
        {
            AppendBatch batch(m_db);
            try {
                for (int i = 1; i <= kRows; ++i)
                    insertNota(i == 2500 ? 2499 : i);
                batch.send();
            } catch (const StoreError &e) {
                message = e.message();
            }
        }
        tx.commit();
    }
    EXPECT_TRUE(message.contains(QStringLiteral("Chave duplicada")) || message.contains(QStringLiteral("UNIQUE"))) << qPrintable(message);
    // A file stops at the refused row; a server reports it a batch later, having written the
    // good rows of the refused batch.
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from notas where matricula <= 5000")).toInt(), m_db.isServerYear() ? 4999 : 2499);

    // Undone while a batch is on its way: nothing stays.
    m_db.exec(QStringLiteral("delete from notas"));
    {
        Transaction undone(m_db);
        AppendBatch batch(m_db);
        for (int i = 1; i <= kRows / 2 + 10; ++i)
            insertNota(i);
        undone.rollback();
    }
    EXPECT_EQ(count(QStringLiteral("notas")), 0);
    EXPECT_EQ(indexes(QStringLiteral("notas")), notasIndexes);
}

// Undoing a savepoint or the whole run drops what was held since, without sending it.
TEST_F(AppendBatches, undoDropsHeldRows)
{
    Transaction tx(m_db);
    AppendBatch batch(m_db);
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    appendAluno(t, 1, QStringLiteral("FICA"));
    {
        Savepoint row(m_db);
        for (int i = 2; i <= 50; ++i)
            appendAluno(t, i, QStringLiteral("DESFEITO"));
        row.rollback();
    }
    {
        Savepoint row(m_db);
        appendAluno(t, 60, QStringLiteral("FICA TAMBÉM"));
        row.release();
    }
    tx.commit();
    EXPECT_EQ(count(QStringLiteral("alunos")), 2);

    {
        Transaction undone(m_db);
        AppendBatch again(m_db);
        for (int i = 100; i <= 150; ++i)
            appendAluno(t, i, QStringLiteral("DESFEITO"));
        undone.rollback();
    }
    EXPECT_EQ(count(QStringLiteral("alunos")), 2);
}

// A row of a bulk run that may fail alone still fails alone in a batch: its release sends what
// it appended, so the refusal is its own, and rows that did nothing cost nothing.
TEST_F(AppendBatches, rowsThatMayFailAloneStayAlone)
{
    addAluno(5, QStringLiteral("JÁ EXISTE"), QStringLiteral("1G1A"));
    RecordingReporter reporter;
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    BulkRun run(m_db, reporter, {.datasets = {&t}});
    int refused = 0;
    const core::RunOutcome outcome = run.run([&](BulkRun &r) {
        AppendBatch batch(m_db);
        for (int i = 1; i <= 10; ++i) {
            r.row([&] { appendAluno(t, i, QStringLiteral("ALUNO %1").arg(i)); }, [&](const StoreError &) {
                ++refused;
                t.cancel();
            });
            r.row([] {}); // a row with nothing to write
        }
    });
    EXPECT_EQ(outcome, core::RunOutcome::Completed);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(count(QStringLiteral("alunos")), 10);
    EXPECT_EQ(rowText(5).section(u'|', 0, 0).toStdString(), "JÁ EXISTE");
}

} // namespace
