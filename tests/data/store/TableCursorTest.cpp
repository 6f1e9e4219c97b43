#include "StoreFixture.h"

#include "core/Money.h"
#include "data/store/Query.h"
#include "data/store/Transaction.h"

using namespace data;

namespace {

class TableCursor : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        addAluno(30, QStringLiteral("ZÉLIA MOTA"), QStringLiteral("1G1A"));
        addAluno(10, QStringLiteral("ÁLVARO DIAS"), QStringLiteral("1G2A"), QStringLiteral("D"));
        addAluno(20, QStringLiteral("alberto lima"), QStringLiteral("1G1A"));
        addAluno(40, QStringLiteral("ANA D'ÁVILA"), QStringLiteral("1G2A"), QStringLiteral("T"));
    }
};

TEST_F(TableCursor, WalksInPrimaryOrderAndStopsAtBothEnds)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    EXPECT_EQ(t.tableName(), QStringLiteral("ALUNOS"));
    EXPECT_EQ(t.recordCount(), 4);
    EXPECT_EQ(column(t, QStringLiteral("MATRICULA")), QStringList({"10", "20", "30", "40"}));
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.asInteger("MATRICULA"), 40); // next at the end stays on the last row

    t.last();
    EXPECT_TRUE(t.eof());
    t.prior();
    EXPECT_EQ(t.asInteger("MATRICULA"), 30);
    t.first();
    t.prior();
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.recNo(), 0);
    t.moveTo(2);
    EXPECT_EQ(t.asText("NOME"), QStringLiteral("ZÉLIA MOTA"));
}

TEST_F(TableCursor, NamedIndexesOrderAlphabeticallyWithAccentsCaseAndDescending)
{
    Table t(m_db, QStringLiteral("alunos"));
    t.setIndexName(QStringLiteral("kNome"));
    t.open();
    // Accents sort with their letter; the case-insensitive index ignores case.
    EXPECT_EQ(column(t, QStringLiteral("NOME")),
              QStringList({"alberto lima", "ÁLVARO DIAS", "ANA D'ÁVILA", "ZÉLIA MOTA"}));

    t.setIndexName(QStringLiteral("KTURMA")); // index names are case-insensitive
    EXPECT_EQ(column(t, QStringLiteral("MATRICULA")), QStringList({"20", "30", "10", "40"}));
    EXPECT_EQ(t.indexFields(), QStringLiteral("TURMA;NOME"));

    t.setIndexName(QStringLiteral("kMatDesc"));
    EXPECT_EQ(column(t, QStringLiteral("MATRICULA")), QStringList({"40", "30", "20", "10"}));

    t.setIndexFields(QStringLiteral("SIT;MATRICULA"));
    EXPECT_EQ(column(t, QStringLiteral("MATRICULA")), QStringList({"20", "30", "10", "40"}));

    EXPECT_THROW(t.setIndexName(QStringLiteral("kNada")), StoreError);
    EXPECT_EQ(t.indexFields(), QStringLiteral("SIT;MATRICULA")); // a failed change keeps the order
}

TEST_F(TableCursor, ChangingTheOrderKeepsTheCurrentRow)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    t.moveTo(1); // 20
    t.setIndexName(QStringLiteral("kNome"));
    EXPECT_EQ(t.asInteger("MATRICULA"), 20);
    EXPECT_EQ(t.recNo(), 0);
}

TEST_F(TableCursor, FindKeySearchesTheCurrentIndexExactlyAndNearest)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    EXPECT_TRUE(t.findKey({30}));
    EXPECT_EQ(t.asText("NOME"), QStringLiteral("ZÉLIA MOTA"));
    EXPECT_FALSE(t.findKey({35}));
    EXPECT_EQ(t.asInteger("MATRICULA"), 30); // a failed search does not move

    t.setIndexName(QStringLiteral("kNome"));
    EXPECT_TRUE(t.findKey({QStringLiteral("ana d'ávila")})); // case-insensitive index
    EXPECT_EQ(t.asInteger("MATRICULA"), 40);

    t.setIndexName(QStringLiteral("kTurma"));
    EXPECT_TRUE(t.findKey({QStringLiteral("1G2A")})); // a leading part of the key
    EXPECT_EQ(t.asText("NOME"), QStringLiteral("ÁLVARO DIAS"));
    EXPECT_TRUE(t.findNearest({QStringLiteral("1G1B")}));
    EXPECT_EQ(t.asText("NOME"), QStringLiteral("ÁLVARO DIAS"));
    EXPECT_THROW(t.findKey({1, 2, 3}), StoreError);
}

TEST_F(TableCursor, RowsPostedOutOfOrderTakeTheirPlaceAndAreFoundAtOnce)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    {
        Transaction tx(m_db);
        for (int m : {25, 5, 35}) {
            ASSERT_FALSE(t.findKey({m}));
            t.append();
            t.setValue("MATRICULA", m);
            t.setText("NOME", QStringLiteral("NOVO %1").arg(m));
            t.setText("TURMA", QStringLiteral("1G1A"));
            t.post();
            ASSERT_TRUE(t.findKey({m}));
            EXPECT_EQ(t.asText("NOME"), QStringLiteral("NOVO %1").arg(m));
        }
        tx.commit();
    }
    EXPECT_EQ(column(t, QStringLiteral("MATRICULA")), QStringList({"5", "10", "20", "25", "30", "35", "40"}));
    t.findKey({25});
    EXPECT_EQ(t.recNo(), 3);
}

TEST_F(TableCursor, SearchesStayInsideTheFilterAndTheRange)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.setIndexName(QStringLiteral("kTurma"));
    t.setFilter(QStringLiteral("(SIT <> 'D') AND (SIT <> 'T')"));
    t.setFiltered(true);
    t.open();
    EXPECT_FALSE(t.findKey({QStringLiteral("1G2A")})); // only rows the filter leaves out hold it
    EXPECT_TRUE(t.findKey({QStringLiteral("1G1A"), QStringLiteral("ZÉLIA MOTA")}));
    EXPECT_FALSE(t.findNearest({QStringLiteral("1G1B")}));
    EXPECT_EQ(t.asInteger("MATRICULA"), 30); // nothing at or after: the last row

    t.setRange({QStringLiteral("1G1A"), QStringLiteral("B")}, {QStringLiteral("1G1A"), QStringLiteral("ZZ")});
    EXPECT_EQ(column(t, QStringLiteral("MATRICULA")), QStringList({"30"}));
    EXPECT_FALSE(t.findKey({QStringLiteral("1G1A"), QStringLiteral("alberto lima")}));
    EXPECT_TRUE(t.findNearest({QStringLiteral("1G1A"), QStringLiteral("A")}));
    EXPECT_EQ(t.asInteger("MATRICULA"), 30);
}

TEST_F(TableCursor, NamesThatAreSqlWordsOrHoldQuotesWorkEverywhere)
{
    TableDef def;
    def.name = QStringLiteral("GROUP");
    def.fields = {{QStringLiteral("ORDER"), FieldType::Long, 0, true},
                  {QStringLiteral("FROM"), FieldType::Text, 10},
                  {QStringLiteral("SAY \"HI\""), FieldType::Text, 10}};
    def.primaryKey = {QStringLiteral("ORDER")};
    def.indexes = {{QStringLiteral("kFrom"), {QStringLiteral("FROM")}}};
    m_db.createTable(def);
    EXPECT_TRUE(m_db.compareLayout(def).isEmpty());

    Table t(m_db, QStringLiteral("Group.DB"));
    t.setIndexName(QStringLiteral("kFrom"));
    t.open();
    for (int n : {2, 1}) {
        t.append();
        t.setValue("ORDER", n);
        t.setText("FROM", QStringLiteral("F%1").arg(n));
        t.setText(QStringLiteral("SAY \"HI\""), QStringLiteral("oi"));
        t.post();
    }
    EXPECT_EQ(column(t, QStringLiteral("ORDER")), QStringList({"1", "2"}));
    ASSERT_TRUE(t.findKey({QStringLiteral("F2")}));
    t.edit();
    t.setText("FROM", QStringLiteral("F0"));
    t.post();
    t.setFilter(QStringLiteral("FROM = 'F0'"));
    t.setFiltered(true);
    EXPECT_EQ(column(t, QStringLiteral("ORDER")), QStringList({"2"}));

    Query q(m_db);
    q.setSql(QStringLiteral("select * from \"GROUP\" where \"ORDER\" = 1"));
    q.open();
    ASSERT_TRUE(q.isEditable());
    q.edit();
    q.setText(QStringLiteral("SAY \"HI\""), QStringLiteral("olá"));
    q.post();
    EXPECT_EQ(m_db.scalar(QStringLiteral("select \"SAY \"\"HI\"\"\" from \"GROUP\" where \"ORDER\" = 1")).toString(),
              QStringLiteral("olá"));
    t.remove();
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from \"GROUP\"")).toInt(), 1);
}

TEST_F(TableCursor, RangeAndRefreshShowTheRowsOfTheDatabase)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.setIndexName(QStringLiteral("kTurma"));
    t.setRange({QStringLiteral("1G2A")}, {QStringLiteral("1G2A")});
    t.open();
    EXPECT_EQ(column(t, QStringLiteral("MATRICULA")), QStringList({"10", "40"}));

    addAluno(50, QStringLiteral("BRUNO"), QStringLiteral("1G2A"));
    EXPECT_EQ(t.recordCount(), 2); // read when opened
    t.first();
    t.next(); // on 40
    t.refresh();
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_EQ(t.asInteger("MATRICULA"), 40); // refresh keeps the row

    t.cancelRange();
    EXPECT_EQ(t.recordCount(), 5);
}

TEST_F(TableCursor, TypedAccessConvertsAndCutsTexts)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    t.append();
    t.setFloat("MATRICULA", 77);
    t.setText("NOME", QStringLiteral("MARIA"));
    t.setText("TURMA", QStringLiteral("1G1AMX")); // six characters into text(5)
    t.setText("DATANASC", QStringLiteral("05/03/2007"));
    t.setText("ABAT", QStringLiteral("12,5"));
    t.setText("MARCADO", QStringLiteral("True"));
    t.setText("ORD", QStringLiteral("3"));
    EXPECT_THROW(t.setText("DATANASC", QStringLiteral("31/02/2007")), StoreError);
    EXPECT_THROW(t.setText("ORD", QStringLiteral("abc")), StoreError);
    EXPECT_THROW(t.setInteger("ORD", 40000), StoreError);
    ASSERT_TRUE(t.post());

    Table again(m_db, QStringLiteral("Alunos.DB"));
    again.open();
    ASSERT_TRUE(again.findKey({77}));
    EXPECT_EQ(again.asText("TURMA"), QStringLiteral("1G1AM"));
    EXPECT_EQ(again.asDate("DATANASC"), QDate(2007, 3, 5));
    EXPECT_EQ(again.displayText("DATANASC"), QStringLiteral("05/03/2007"));
    EXPECT_DOUBLE_EQ(again.asFloat("ABAT"), 12.5);
    EXPECT_EQ(again.asText("ABAT"), QStringLiteral("12,5"));
    EXPECT_TRUE(again.asLogical("MARCADO"));
    EXPECT_EQ(again.asInteger("ORD"), 3);
    EXPECT_TRUE(again.isBlank("SIT"));
    EXPECT_FALSE(again.isBlank("NOME"));
    EXPECT_THROW(again.value("NADA"), StoreError);
}

TEST_F(TableCursor, MoneyFieldsHoldWholeCentavos)
{
    TableDef def;
    def.name = QStringLiteral("CAIXA");
    def.fields = {{QStringLiteral("N"), FieldType::Long}, {QStringLiteral("VALOR"), FieldType::Money}};
    m_db.createTable(def);
    Table t(m_db, QStringLiteral("Caixa.DB"));
    t.open();
    int n = 0;
    auto add = [&](const std::function<void()> &set) {
        t.append();
        t.setValue("N", ++n);
        set();
        t.post();
    };
    for (int i = 0; i < 1000; ++i)
        add([&] { t.setMoney("VALOR", core::Money::fromCentavos(10 + 10 * (i % 3))); });
    // Written any other way, an amount is still rounded to the centavo, half away from zero.
    add([&] { t.setFloat("VALOR", 0.1 + 0.2); });
    add([&] { t.setFloat("VALOR", 2.675); });
    add([&] { t.setText("VALOR", QStringLiteral("-1.234,565")); });

    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from caixa where valor * 100 <> round(valor * 100)")).toInt(), 0);
    core::Money total;
    for (t.first(); !t.eof(); t.next())
        if (t.asInteger("N") <= 1000)
            total += t.asMoney("VALOR");
    EXPECT_EQ(total.centavos(), 19990); // 334 x 0,10 + 333 x 0,20 + 333 x 0,30
    ASSERT_TRUE(t.locate(QStringLiteral("N"), {1001}));
    EXPECT_EQ(t.asFloat("VALOR"), 0.3);
    t.next();
    EXPECT_EQ(t.asMoney("VALOR").centavos(), 268);
    EXPECT_EQ(t.displayText("VALOR"), QStringLiteral("2,68"));
    t.next();
    EXPECT_EQ(t.asMoney("VALOR").centavos(), -123457);
}

TEST_F(TableCursor, EmptyTextIsStoredEmptyAndBookmarksComeBack)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    t.findKey({10});
    const qint64 mark = t.bookmark();
    t.edit();
    t.setText("SIT", QString());
    t.post();
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from alunos where sit is null")).toInt(), 3);
    t.first();
    EXPECT_TRUE(t.gotoBookmark(mark));
    EXPECT_EQ(t.asInteger("MATRICULA"), 10);
}

} // namespace
