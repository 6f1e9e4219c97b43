#include "StoreFixture.h"

using namespace data;

namespace {

class Events : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        addAluno(1, QStringLiteral("ANA"), QStringLiteral("1G1A"));
        addAluno(2, QStringLiteral("BIA"), QStringLiteral("1G1A"));
    }

    // Records every event of `t` into m_log.
    void trace(Dataset &t)
    {
        auto log = [this](const char *name) { return [this, name](Dataset &) { m_log.append(QString::fromLatin1(name)); }; };
        t.events.beforeInsert = log("beforeInsert");
        t.events.onNewRecord = log("onNewRecord");
        t.events.afterInsert = log("afterInsert");
        t.events.beforeEdit = log("beforeEdit");
        t.events.afterEdit = log("afterEdit");
        t.events.beforePost = log("beforePost");
        t.events.afterPost = log("afterPost");
        t.events.beforeCancel = log("beforeCancel");
        t.events.afterCancel = log("afterCancel");
        t.events.beforeDelete = log("beforeDelete");
        t.events.afterDelete = log("afterDelete");
    }

    QStringList m_log;
};

TEST_F(Events, RunInTheirOrderForInsertEditCancelAndDelete)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    trace(t);
    t.append();
    t.setValue("MATRICULA", 3);
    t.setText("NOME", QStringLiteral("CAIO"));
    t.setText("TURMA", QStringLiteral("1G1A"));
    t.post();
    t.edit();
    t.setText("NOME", QStringLiteral("CAIO LIMA"));
    t.post();
    t.edit();
    t.cancel();
    t.remove();
    EXPECT_EQ(m_log, QStringList({"beforeInsert", "onNewRecord", "afterInsert", "beforePost", "afterPost",
                                  "beforeEdit", "afterEdit", "beforePost", "afterPost", "beforeEdit", "afterEdit",
                                  "beforeCancel", "afterCancel", "beforeDelete", "afterDelete"}));
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from alunos")).toInt(), 2);
}

TEST_F(Events, AbortInABeforeHandlerStopsSilently)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    t.events.beforeEdit = [](Dataset &ds) {
        if (ds.asInteger("MATRICULA") == 1)
            throw Abort();
    };
    t.events.beforePost = [](Dataset &ds) {
        if (ds.asText("NOME") == u"RECUSADO")
            throw Abort();
    };
    t.first();
    EXPECT_FALSE(t.edit());
    EXPECT_EQ(t.state(), DatasetState::Browse);

    t.next();
    ASSERT_TRUE(t.edit());
    t.setText("NOME", QStringLiteral("RECUSADO"));
    EXPECT_FALSE(t.post());
    EXPECT_EQ(t.state(), DatasetState::Edit); // the row is still being edited
    EXPECT_THROW(t.first(), Abort);          // moving posts, and the post is refused again
    t.cancel();
    EXPECT_EQ(m_db.scalar(QStringLiteral("select nome from alunos where matricula = 2")).toString(), QStringLiteral("BIA"));
}

TEST_F(Events, ABeforeDeleteErrorReachesTheCallerAndKeepsTheRow)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    t.events.beforeDelete = [](Dataset &) { throw StoreError(QStringLiteral("Exclusão cancelada!")); };
    try {
        t.remove();
        FAIL() << "no error";
    } catch (const StoreError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Exclusão cancelada!"));
    }
    EXPECT_EQ(t.recordCount(), 2);
}

TEST_F(Events, PostErrorHandlerChoosesFailAbortOrRetry)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    int calls = 0;
    ErrorAction choice = ErrorAction::Abort;
    QString seen;
    t.events.onPostError = [&](Dataset &ds, const StoreError &e, ErrorAction &action) {
        ++calls;
        seen = e.message();
        action = choice;
        if (choice == ErrorAction::Retry)
            ds.setValue("MATRICULA", 9); // mend the key, then try again
    };
    auto duplicate = [&] {
        t.append();
        t.setValue("MATRICULA", 1); // taken
        t.setText("NOME", QStringLiteral("DUPLA"));
        t.setText("TURMA", QStringLiteral("1G1A"));
    };
    duplicate();
    EXPECT_FALSE(t.post());
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(seen.startsWith(QStringLiteral("Chave duplicada"))) << seen.toStdString();
    EXPECT_EQ(t.state(), DatasetState::Insert);
    t.cancel();

    choice = ErrorAction::Fail;
    duplicate();
    EXPECT_THROW(t.post(), StoreError);
    t.cancel();

    choice = ErrorAction::Retry;
    duplicate();
    EXPECT_TRUE(t.post());
    EXPECT_EQ(m_db.scalar(QStringLiteral("select nome from alunos where matricula = 9")).toString(), QStringLiteral("DUPLA"));
}

TEST_F(Events, RequiredFieldsAndReadOnlyTablesAreRefusedWithAMessage)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    t.append();
    t.setValue("MATRICULA", 5);
    try {
        t.post();
        FAIL() << "posted without NOME";
    } catch (const StoreError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("O campo NOME deve ter um valor."));
    }
    t.cancel();
    EXPECT_THROW(t.setText("NOME", QStringLiteral("X")), StoreError); // not editing

    Table ro(m_db, QStringLiteral("Alunos.DB"));
    ro.setReadOnly(true);
    ro.open();
    for (auto attempt : std::initializer_list<std::function<void()>>{[&] { ro.edit(); }, [&] { ro.append(); }, [&] { ro.remove(); }}) {
        try {
            attempt();
            FAIL() << "a read-only table accepted a change";
        } catch (const StoreError &e) {
            EXPECT_EQ(e.message(), QStringLiteral("A tabela ALUNOS está aberta somente para leitura; não é possível alterá-la."));
        }
    }
}

TEST_F(Events, CalculatedFieldsAreFilledOnEveryReadAndWhileEditing)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.addCalculatedField(QStringLiteral("cRotulo"), FieldType::Text, 30);
    int runs = 0;
    t.events.onCalcFields = [&](Dataset &ds) {
        ++runs;
        ds.setValue("cRotulo", ds.asText("TURMA") + u'-' + ds.asText("NOME"));
    };
    t.open();
    EXPECT_EQ(t.asText("cRotulo"), QStringLiteral("1G1A-ANA"));
    t.next();
    EXPECT_EQ(t.asText("cRotulo"), QStringLiteral("1G1A-BIA"));
    EXPECT_EQ(t.displayTextAt(0, t.fieldIndex("cRotulo")), QStringLiteral("1G1A-ANA"));
    t.edit();
    t.setText("NOME", QStringLiteral("BEATRIZ"));
    EXPECT_EQ(t.asText("cRotulo"), QStringLiteral("1G1A-BEATRIZ"));
    t.post();
    EXPECT_EQ(t.asText("cRotulo"), QStringLiteral("1G1A-BEATRIZ"));
    EXPECT_GE(runs, 4);
    EXPECT_THROW(t.addCalculatedField(QStringLiteral("x"), FieldType::Text), StoreError); // only while closed

    // While editing, the row is calculated once when read, whatever the number of values set;
    // the grid's cell of the row in edit shows the new value too.
    t.first();
    t.edit();
    runs = 0;
    t.setText("NOME", QStringLiteral("A"));
    t.setText("NOME", QStringLiteral("AN"));
    t.setText("NOME", QStringLiteral("ANITA"));
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(t.displayTextAt(0, t.fieldIndex("cRotulo")), QStringLiteral("1G1A-ANITA"));
    EXPECT_EQ(t.asText("cRotulo"), QStringLiteral("1G1A-ANITA"));
    EXPECT_EQ(runs, 1);
    t.cancel();
    EXPECT_EQ(t.asText("cRotulo"), QStringLiteral("1G1A-ANA"));

    // A new row: calculated from what has been set when it is read, before and after the post.
    t.append();
    t.setText("TURMA", QStringLiteral("2G1A"));
    EXPECT_EQ(t.asText("cRotulo"), QStringLiteral("2G1A-"));
    t.setText("NOME", QStringLiteral("CAIO"));
    t.setFloat("MATRICULA", 99);
    EXPECT_EQ(t.asText("cRotulo"), QStringLiteral("2G1A-CAIO"));
    t.post();
    EXPECT_EQ(t.asText("cRotulo"), QStringLiteral("2G1A-CAIO"));
}

TEST_F(Events, MovingWhileEditingPostsAModifiedRowAndDropsAnUntouchedNewOne)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    t.edit();
    t.setText("NOME", QStringLiteral("ANA MARIA"));
    t.next();
    EXPECT_EQ(m_db.scalar(QStringLiteral("select nome from alunos where matricula = 1")).toString(), QStringLiteral("ANA MARIA"));
    t.append();
    t.first();
    EXPECT_EQ(t.recordCount(), 2);
}

} // namespace
