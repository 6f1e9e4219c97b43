#include "StoreFixture.h"

#include "data/store/Query.h"
#include "data/store/SqlDialect.h"
#include "data/store/Transaction.h"

using namespace data;

namespace {

class Sql : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        addAluno(1, QStringLiteral("ANA"), QStringLiteral("1G1AM"), QString(), QDate(2000, 3, 5));
        addAluno(2, QStringLiteral("BIA D'ÁVILA"), QStringLiteral("1G1AM"), QStringLiteral("B"), QDate(2001, 11, 20));
        addAluno(3, QStringLiteral("CAIO"), QStringLiteral("2G3BT"), QStringLiteral("T"));
        m_db.exec(QStringLiteral("create table ccorrent (Matricula float, Turma char(5), Nome char(42), Tipo char(1), "
                                 "ParcelaData date, ParcelaValor money, PgtoData date, Status char(1))"));
        const char *charges[] = {"1, '1G1AM', 'ANA', 'N', '2007-02-10', 100, '2007-02-09', NULL",
                                 "1, '1G1AM', 'ANA', 'N', '2007-03-10', 100, NULL, NULL",
                                 "2, '1G1AM', 'BIA', 'N', '2007-03-10', 80.5, NULL, NULL",
                                 "9, '1G1AM', 'NINGUEM', 'N', '2007-03-10', 50, NULL, NULL"};
        for (const char *c : charges)
            m_db.exec(QStringLiteral("insert into ccorrent values (%1)").arg(QString::fromUtf8(c)));
        m_db.exec(QStringLiteral("insert into notas (matricula, disc, turma, nome) values (1, '01', '1G1AM', 'ANA'), (7, '01', '1G1AM', 'SEM ALUNO')"));
    }

    QList<QStringList> rows(const QString &sql, const SqlParams &params = {})
    {
        Query q(m_db);
        q.setSql(sql);
        for (auto it = params.begin(); it != params.end(); ++it)
            q.bind(it.key(), it.value());
        q.open();
        QList<QStringList> out;
        for (q.first(); !q.eof(); q.next()) {
            QStringList row;
            for (int f = 0; f < q.fieldCount(); ++f)
                row.append(q.asText(f));
            out.append(row);
        }
        return out;
    }
};

TEST_F(Sql, JoinsGroupingAndTheIntegrityChecksQueries)
{
    // Active students without grade rows, as the integrity check asks.
    EXPECT_EQ(rows(QStringLiteral("select a.Turma, a.Matricula, a.Nome, a.Sit from alunos a left join notas b on a.matricula = b.matricula "
                                  "where (b.matricula is null) and ((a.sit <> 'T') and (a.sit <> 'D') or (a.sit is null)) order by a.Turma, a.Nome ")),
              QList<QStringList>({{"1G1AM", "2", "BIA D'ÁVILA", "B"}}));
    // Fee rows of scholarship students.
    EXPECT_EQ(rows(QStringLiteral("select a.Matricula, a.Nome, a.sit as Sit_Aluno, b.status as Sit_Cobranca  , b.ParcelaData, b.ParcelaValor "
                                  "from alunos a inner join Ccorrent b on  a.matricula = b.matricula where ((a.sit ='B') ) Order by a.nome, b.ParcelaData")),
              QList<QStringList>({{"2", "BIA D'ÁVILA", "B", "", "10/03/2007", "80,5"}}));
    // Charges without a student, and their removal through a subselect with an alias.
    EXPECT_EQ(rows(QStringLiteral("select a.Turma, a.Matricula, a.Nome, a.Status as Sit_Cobranca from CCorrent a left join alunos b "
                                  "on a.matricula = b.matricula where (b.matricula is null)  order by a.Turma, a.Nome ")).size(), 1);
    EXPECT_EQ(m_db.exec(QStringLiteral("delete from ccorrent c where c.matricula in(select a.Matricula from CCorrent a left join alunos b "
                                       "on a.matricula = b.matricula where (b.matricula is null))")), 1);
    EXPECT_EQ(m_db.exec(QStringLiteral("delete from notas c where c.matricula in(select a.Matricula from notas a left join alunos b "
                                       "on a.matricula = b.matricula where (b.matricula is null))")), 1);

    EXPECT_EQ(rows(QStringLiteral("select Turma, count(*) as N, sum(ParcelaValor) as Total from ccorrent group by Turma order by Turma")),
              QList<QStringList>({{"1G1AM", "3", "280,5"}}));
    EXPECT_EQ(rows(QStringLiteral("select distinct Tipo from ccorrent")), QList<QStringList>({{"N"}}));
}

// Rows made from a query go in in the order asked, and a key that exists is left as it is.
TEST_F(Sql, AnOrderedInsertFromASelectSkipsTheKeysThatExist)
{
    EXPECT_EQ(m_db.exec(QStringLiteral("insert into notas (matricula, disc, turma, nome) select a.matricula, '01', a.turma, "
                                       "a.nome from alunos a where coalesce(a.sit, '') <> 'T' order by a.nome desc, "
                                       "a.matricula on conflict do nothing")),
              1);
    EXPECT_EQ(rows(QStringLiteral("select matricula, nome from notas where disc = '01' order by matricula")),
              QList<QStringList>({{"1", "ANA"}, {"2", "BIA D'ÁVILA"}, {"7", "SEM ALUNO"}}));
}

TEST_F(Sql, StandardFunctionsOfTheProgramsStatementsAndTheDialectHelpers)
{
    EXPECT_EQ(rows(QStringLiteral("select substring(alunos.turma from 1 for 3) as Serie, extract(month from DataNasc) as Mes, "
                                  "extract(day from DataNasc) as Dia, cast(Matricula as integer) as M from alunos where matricula = 2")),
              QList<QStringList>({{"1G1", "11", "20", "2"}}));
    const SqlDialect &d = m_db.dialect();
    const QString sql = QStringLiteral("select %1, %2, %3, %4, %5 from alunos where matricula = 1")
                            .arg(d.substring(QStringLiteral("turma"), 4, 2), d.month(QStringLiteral("datanasc")), d.day(QStringLiteral("datanasc")),
                                 d.year(QStringLiteral("datanasc")), d.castInteger(QStringLiteral("2.7")));
    EXPECT_EQ(rows(sql), QList<QStringList>({{"AM", "3", "5", "2000", "2"}}));
    m_db.exec(QStringLiteral("update alunos set marcado = %1").arg(d.boolean(true)));
    EXPECT_EQ(rows(QStringLiteral("select TURMA, MATRICULA, NOME, MARCADO from Alunos where CAST(marcado AS INTEGER) = 1")).size(), 3);
    EXPECT_EQ(m_db.exec(QStringLiteral("update alunos set marcado = false where matricula in (select matricula from ccorrent where Tipo = 'N')")), 2);
}

TEST_F(Sql, NamedParametersBindQuotesAndDates)
{
    const auto found = rows(QStringLiteral("select matricula from alunos where nome = :nome and datanasc < :d"),
                            {{QStringLiteral("nome"), QStringLiteral("BIA D'ÁVILA")}, {QStringLiteral(":d"), QDate(2002, 1, 1)}});
    EXPECT_EQ(found, QList<QStringList>({{"2"}}));
    Query q(m_db);
    q.setSql(QStringLiteral("select ParcelaData from ccorrent where matricula = :matricula order by ParcelaData"));
    q.bind(QStringLiteral("matricula"), 1);
    q.open();
    EXPECT_EQ(q.value(0).typeId(), QMetaType::QDate);
    EXPECT_EQ(q.asDate(0), QDate(2007, 2, 10));
    q.setSql(QStringLiteral("select * from alunos where matricula = :falta"));
    EXPECT_THROW(q.open(), StoreError);
    EXPECT_THROW(m_db.exec(QStringLiteral("selec * from alunos")), StoreError);
}

TEST_F(Sql, DefinitionStatementsAndMultiClauseAlterTable)
{
    m_db.exec(QStringLiteral("CREATE TABLE RelatPagamentos (Turma char(5), Matricula float, MesVenc integer, Previsto float)"));
    EXPECT_EQ(m_db.exec(QStringLiteral("insert into RelatPagamentos (Turma, Matricula, MesVenc, Previsto) "
                                       "select Turma, Matricula, extract(month from ParcelaData), ParcelaValor from ccorrent where Tipo = 'N'")), 4);
    m_db.exec(QStringLiteral("CREATE INDEX iTurma ON RelatPagamentos (Turma)"));
    m_db.exec(QStringLiteral("alter table notas add SIT CHAR(2)"));
    m_db.exec(QStringLiteral("alter table alunos Drop Imp, Add Estabel Char(60), add Recup_Media Boolean, add PesoUND1 INTEGER, "
                             "ADD CN_DTEMISS DATE, ADD CN_LIVRO CHAR (10)"));
    m_db.exec(QStringLiteral("ALTER TABLE \"NOTAS.DB\" ADD DATA_VENC INTEGER "));
    const TableDef alunos = m_db.layout(QStringLiteral("Alunos.DB"));
    EXPECT_EQ(alunos.field(QStringLiteral("IMP")), nullptr);
    ASSERT_NE(alunos.field(QStringLiteral("Estabel")), nullptr);
    EXPECT_EQ(alunos.field(QStringLiteral("Estabel"))->type, FieldType::Text);
    EXPECT_EQ(alunos.field(QStringLiteral("Estabel"))->size, 60);
    EXPECT_EQ(alunos.field(QStringLiteral("Recup_Media"))->type, FieldType::Logical);
    EXPECT_EQ(alunos.field(QStringLiteral("PesoUND1"))->type, FieldType::Long);
    EXPECT_EQ(alunos.field(QStringLiteral("CN_DTEMISS"))->type, FieldType::Date);
    EXPECT_EQ(alunos.field(QStringLiteral("CN_LIVRO"))->size, 10);
    EXPECT_NE(m_db.layout(QStringLiteral("notas")).field(QStringLiteral("DATA_VENC")), nullptr);
    // A clause that fails undoes the others (the column exists already).
    EXPECT_THROW(m_db.exec(QStringLiteral("alter table notas add RESULTADO CHAR(20), add SIT CHAR(2)")), StoreError);
    EXPECT_EQ(m_db.layout(QStringLiteral("notas")).field(QStringLiteral("RESULTADO")), nullptr);
    m_db.exec(QStringLiteral("DROP TABLE RelatPagamentos"));
    EXPECT_FALSE(m_db.hasTable(QStringLiteral("RelatPagamentos")));
}

TEST_F(Sql, SelectStarOverOneTableIsEditableInPlace)
{
    Query q(m_db);
    q.setSql(QStringLiteral("select * from alunos where turma = :t order by nome"));
    q.bind(QStringLiteral("t"), QStringLiteral("1G1AM"));
    q.open();
    ASSERT_TRUE(q.isEditable());
    EXPECT_EQ(q.recordCount(), 2);
    q.last();
    q.edit();
    q.setText("NOME", QStringLiteral("BIANCA"));
    q.post();
    EXPECT_EQ(m_db.scalar(QStringLiteral("select nome from alunos where matricula = 2")).toString(), QStringLiteral("BIANCA"));
    q.append();
    q.setValue("MATRICULA", 4);
    q.setText("NOME", QStringLiteral("DORA"));
    q.setText("TURMA", QStringLiteral("1G1AM"));
    q.post();
    q.first();
    q.remove();
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from alunos")).toInt(), 3);
    EXPECT_EQ(m_db.scalar(QStringLiteral("select min(matricula) from alunos")).toInt(), 2);

    Query joined(m_db);
    joined.setSql(QStringLiteral("select a.nome, b.tipo from alunos a inner join ccorrent b on a.matricula = b.matricula"));
    joined.open();
    EXPECT_FALSE(joined.isEditable());
    EXPECT_THROW(joined.edit(), StoreError);
}

TEST_F(Sql, TransactionsAndSavepointsUndoWhatFailed)
{
    {
        Transaction tx(m_db);
        m_db.exec(QStringLiteral("update alunos set turma = '3G1AM'"));
    } // not committed
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from alunos where turma = '3G1AM'")).toInt(), 0);

    Transaction tx(m_db);
    for (int m : {10, 1, 11}) { // 1 exists: only that row fails
        Savepoint row(m_db);
        try {
            m_db.exec(QStringLiteral("update alunos set ord = 1 where matricula = 2"));
            m_db.exec(QStringLiteral("insert into alunos (matricula, nome, turma) values (:m, 'X', 'Y')"), {{QStringLiteral("m"), m}});
            row.release();
        } catch (const StoreError &) {
        }
    }
    tx.commit();
    EXPECT_EQ(m_db.scalar(QStringLiteral("select count(*) from alunos")).toInt(), 5);
}

// Columns are named alike on every engine: an expression without a name by its own text, a
// plain column by the program's spelling, a named one by its name.
TEST_F(Sql, ColumnsAreNamedAsWritten)
{
    addAluno(99, QStringLiteral("ANA"), QStringLiteral("1G1A"));
    Query q(m_db);
    q.setSql(QStringLiteral("select distinct count(*), max(nome), a.Nome, a.turma t, coalesce(sit, 'A') as situacao, "
                            "case when abat > 0 then 1 else 0 end, matricula + 1, (select count(*) from notas) "
                            "from alunos a where matricula = 99 group by a.nome, a.turma, sit, abat, matricula order by 2"));
    q.open();
    QStringList names;
    for (const DatasetField &f : q.fields())
        names.append(f.name);
    EXPECT_EQ(names.join(u'|').toStdString(),
              "count(*)|max(nome)|NOME|t|situacao|case when abat > 0 then 1 else 0 end|matricula + 1|(select count(*) from notas)");
    EXPECT_EQ(q.asInteger("count(*)"), 1);
    EXPECT_EQ(q.asText("max(nome)"), QStringLiteral("ANA"));
}

} // namespace

