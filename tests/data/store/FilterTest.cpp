#include "StoreFixture.h"

#include "data/store/MemTable.h"
#include "data/store/Query.h"

using namespace data;

namespace {

// One table with every field the program's filters name, and five rows that tell the filters
// apart: empty texts (null and ''), empty numbers and dates, names with a quote.
const QList<FieldDef> kFields = {
    {"ID", FieldType::Long},         {"TIPO", FieldType::Text, 1},         {"MATRICULA", FieldType::Float},
    {"TURMA", FieldType::Text, 5},   {"NOME", FieldType::Text, 42},        {"SIT", FieldType::Text, 2},
    {"PARCELADATA", FieldType::Date}, {"PGTODATA", FieldType::Date},       {"DESCONTOFIXO", FieldType::Money},
    {"STATUS2", FieldType::Text, 1}, {"MES", FieldType::Short},            {"IMP_ATAFINAL", FieldType::Logical},
    {"ABAT", FieldType::Float},      {"IMP", FieldType::Text, 1},          {"ORD", FieldType::Short},
    {"GRUPO", FieldType::Text, 3},   {"POSICAO", FieldType::Short},        {"MD_ANUAL", FieldType::Float},
    {"DISC", FieldType::Text, 2},    {"CODGRUPO_CONTA", FieldType::Text, 1}, {"DESCRICAO_CONTA", FieldType::Text, 50},
    {"DATA_MOVFIN", FieldType::Date}};

const char *kRows[] = {
    "1, 'N', 1, '1G1A', 'ANA', NULL, '2007-03-05', NULL, 0, '0', 3, 1, 0, NULL, 3, '1G1', 1, 8.0, '01', '0', 'Mensalidades', '2007-03-01'",
    "2, '0', 2, '1G1A', 'BIA', 'B', '2007-02-10', '2007-03-02', 10, '2', 2, 0, 100, '%', 5, '1G2', 3, 6.5, '02', '1', NULL, '2007-03-31'",
    "3, 'N', 3, '1G2A', 'CAIO D''ÁVILA', 'D', '2007-04-01', NULL, NULL, NULL, 4, NULL, 20, 'R', 3, '2G1', 2, NULL, '01', '0', 'Água', '2007-04-01'",
    "4, '1', 4, '2G1A', NULL, 'T', '2007-03-31', '2007-03-31', 0, '1', 12, 1, NULL, NULL, NULL, '1G9', 5, 4.0, '03', '1', 'Luz', '2007-02-28'",
    "5, 'N', 5, NULL, 'EDU', '', NULL, NULL, 5, '0', 1, 0, 0, '%', 11, NULL, NULL, 7.0, NULL, NULL, NULL, NULL",
};

struct Case
{
    const char *filter;
    QList<int> ids;
};

// The filters as the program builds them, each with the rows it must keep.
const Case kCases[] = {
    {"((SIT <> 'D') AND (SIT <> 'T'))", {1, 2, 5}},
    {" (ORD = 3)", {1, 3}},
    {"(SIT = 'D')", {3}},
    {"(SIT = 'T')", {4}},
    {"(SIT = 'B')", {2}},
    {"((SIT <> 'D') AND (SIT <> 'T')) AND  (ABAT > 0)", {2}},
    {"(SIT = 'B') OR ((ABAT = 100) AND (IMP = '%'))", {2}},
    {"((SIT <> 'D') AND (SIT <> 'T')) AND (Turma = '1G1A')", {1, 2}},
    {"(Sit <> 'D') and (Sit <> 'T') ", {1, 2, 5}},
    {"(SIT<>'D') AND (SIT<>'T')", {1, 2, 5}},
    {"(SIT <> 'T') AND (SIT<>'D') AND (Turma = '1G1A') and (disc = '01') and MD_anual < 8,5", {1}},
    {"(grupo = '1G1') ", {1}},
    {"((grupo='1G1') OR (GRUPO='1G2') OR (GRUPO='1G3') OR (GRUPO='1G4')) ", {1, 2}},
    {"((grupo='1G5') OR (GRUPO='1G6') OR (GRUPO='1G7') OR (GRUPO='1G8') OR (GRUPO='1G9'))", {4}},
    {"((grupo='2G1') OR (GRUPO='2G2') OR (GRUPO='2G3'))  and (posicao <= 5)", {3}},
    {"(SIT<>'*') ", {1, 2, 3, 4, 5}},
    {"(NOME<>NULL) AND (TURMA='1G1A') AND (DISC='01') AND (MD_ANUAL >= 7)", {1}},
    {"(NOME<>NULL)", {1, 2, 3, 5}},
    {"(TURMA<>'')  ", {1, 2, 3, 4}},
    {"( (Matricula = 1 ) or (Matricula = 3 ))", {1, 3}},
    {"((TURMA<>'')   and (IMP_ATAFINAL = 1))", {1, 4}},
    {"((NOME<>NULL) AND (TURMA='1G1A') and (imp_ataFinal = 1))", {1}},
    {"(NOME<>NULL) and (IMP_ATAFINAL  = 1) ", {1}},
    {"TURMA='1G2A'", {3}},
    {"MATRICULA='2'", {2}},
    {"(Tipo = 'N') and (pgtoData = Null) and (ParcelaData < '01/04/2007') and (TURMA='1G1A')", {1}},
    {"(TIPO <> 'Z')", {1, 2, 3, 4, 5}},
    {"(Tipo = 'N' )", {1, 3, 5}},
    {"(Tipo = '0') ", {2}},
    {"(TIPO <> '1')", {1, 2, 3, 5}},
    {"(TIPO <> 'Z') and ParcelaData = '05/03/2007'", {1}},
    {"(Tipo = 'N' ) and PgtoData = null", {1, 3, 5}},
    {"(TIPO <> 'Z') and (DescontoFixo > 0)", {2, 5}},
    {"(TIPO <> 'Z') and ((PgtoData >= '01/03/2007') and (PgtoData <= '31/03/2007'))", {2, 4}},
    {"(TIPO <> 'Z')and ((ParcelaData >= '01/03/2007') and (ParcelaData < '01/04/2007'))", {1, 4}},
    {"(TIPO <> 'Z') and (MATRICULA = 3)", {3}},
    {"(TIPO <> 'Z') and (status2 <> '2')", {1, 3, 4, 5}},
    {"(MES >= 1) and (MES <= 3) and   (TIPO='N') and   (sit<>'D') and (sit<>'T') and (sit<>'B')", {1, 5}},
    {"(Matricula = 1) and (ParcelaData = '05/03/2007') ", {1}},
    {"(sit<>'D') and (sit<>'T') and (sit<>'B') and (Turma = '1G1A')", {1}},
    {"(sit<>'D') and (sit<>'T') and (sit<>'B') and ((Matricula = 1 ) or (Matricula = 5 ))", {1, 5}},
    {"PGTODATA <> NULL", {2, 4}},
    {"codGrupo_Conta = '0'", {1, 3}},
    {"(DATA_MOVFIN >= '01/03/2007') and (DATA_MOVFIN <= '31/03/2007')", {1, 2}},
    {"not(Descricao_Conta = null)", {1, 3, 4}},
    {"NOME = 'CAIO D''ÁVILA'", {3}},
    {"(DescontoFixo = 0)", {1, 4}},
    {"(ABAT <> 0)", {2, 3, 4}},
    {"IMP_ATAFINAL = False", {2, 3, 5}},
    {"(SIT = NULL) OR (SIT = '')", {1, 5}},
    {"NOT (SIT > 'A') AND ID < 3", {1}},
};

QList<int> ids(Dataset &ds)
{
    QList<int> out;
    for (ds.first(); !ds.eof(); ds.next())
        out.append(int(ds.asInteger("ID")));
    std::sort(out.begin(), out.end());
    return out;
}

class Filters : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        TableDef def;
        def.name = QStringLiteral("FILTRO");
        def.fields = kFields;
        def.primaryKey = {QStringLiteral("ID")};
        m_db.createTable(def);
        for (const char *row : kRows)
            m_db.exec(QStringLiteral("insert into filtro values (%1)").arg(QString::fromUtf8(row)));
        // The same rows in memory, where the filter is evaluated without SQL.
        m_mem.setFields(kFields);
        m_mem.open();
        Query all(m_db);
        all.setSql(QStringLiteral("select * from filtro"));
        all.open();
        for (all.first(); !all.eof(); all.next()) {
            m_mem.append();
            for (int f = 0; f < all.fieldCount(); ++f)
                m_mem.setValue(f, all.value(f));
            m_mem.post();
        }
    }

    MemTable m_mem;
};

TEST_F(Filters, EveryFilterOfTheProgramKeepsTheRightRowsInTablesAndInMemory)
{
    Table table(m_db, QStringLiteral("FILTRO.DB"));
    table.open();
    table.setFiltered(true);
    m_mem.setFiltered(true);
    for (const Case &c : kCases) {
        const QString filter = QString::fromUtf8(c.filter);
        table.setFilter(filter);
        m_mem.setFilter(filter);
        EXPECT_EQ(ids(table), c.ids) << "table: " << c.filter;
        EXPECT_EQ(ids(m_mem), c.ids) << "memory: " << c.filter;
    }
    table.setFilter(QString());
    EXPECT_EQ(table.recordCount(), 5);
}

TEST_F(Filters, ANumberMeansTheSameInAFilterAsTypedInAField)
{
    Table t(m_db, QStringLiteral("Filtro.DB"));
    t.open();
    const std::pair<const char *, double> numbers[] = {{"1.500", 1500}, {"1.500,25", 1500.25}, {"0,05", 0.05}, {"-3", -3}};
    for (const auto &[text, value] : numbers) {
        const QString typed = QString::fromLatin1(text);
        for (Dataset *ds : {static_cast<Dataset *>(&t), static_cast<Dataset *>(&m_mem)}) {
            ds->setFiltered(false);
            ASSERT_TRUE(ds->locate(QStringLiteral("ID"), {2}));
            ds->edit();
            ds->setText("ABAT", typed);
            ds->post();
            EXPECT_DOUBLE_EQ(ds->asFloat("ABAT"), value) << text;
            for (const QString &filter : {QStringLiteral("(ABAT = %1)"), QStringLiteral("(ABAT = '%1')")}) {
                ds->setFilter(filter.arg(typed));
                ds->setFiltered(true);
                EXPECT_EQ(ids(*ds), QList<int>({2})) << qPrintable(filter.arg(typed));
            }
        }
    }
}

TEST_F(Filters, APointUsedAsADecimalPointIsRefusedInFieldsAndFiltersAlike)
{
    Table t(m_db, QStringLiteral("Filtro.DB"));
    t.open();
    for (Dataset *ds : {static_cast<Dataset *>(&t), static_cast<Dataset *>(&m_mem)}) {
        ds->first();
        ds->edit();
        for (const char *text : {"0.050", "1.5", "1.50"}) {
            try {
                ds->setText("ABAT", QString::fromLatin1(text));
                ADD_FAILURE() << text << " was read as " << ds->asFloat("ABAT");
            } catch (const StoreError &e) {
                EXPECT_TRUE(e.message().startsWith(QStringLiteral("Campo ABAT: \"%1\" não é um número válido.").arg(QString::fromLatin1(text))))
                    << qPrintable(e.message());
                EXPECT_TRUE(e.message().contains(QStringLiteral("vírgula"))) << qPrintable(e.message());
            }
        }
        ds->cancel();
        ds->setFiltered(true);
        const QString filter = ds->filter();
        for (const QString &bad : {QStringLiteral("(ABAT = 0.050)"), QStringLiteral("(ABAT = '0.050')")}) {
            try {
                ds->setFilter(bad);
                ADD_FAILURE() << qPrintable(bad) << " was accepted";
            } catch (const StoreError &e) {
                EXPECT_TRUE(e.message().contains(QStringLiteral("\"0.050\" não é um número válido"))) << qPrintable(e.message());
            }
            EXPECT_EQ(ds->filter(), filter); // the filter in force stays
        }
    }
}

TEST_F(Filters, AFilterSetBeforeOpeningAppliesWhenFiltered)
{
    Table table(m_db, QStringLiteral("FILTRO.DB"));
    table.setFilter(QStringLiteral("(SIT <> 'D') AND (SIT <> 'T')"));
    table.open();
    EXPECT_EQ(table.recordCount(), 5);
    table.setFiltered(true);
    EXPECT_EQ(table.recordCount(), 3);
    table.setFiltered(false);
    EXPECT_EQ(table.recordCount(), 5);
}

TEST_F(Filters, MalformedFiltersAreClearErrorsAndLeaveTheOldFilter)
{
    Table table(m_db, QStringLiteral("FILTRO.DB"));
    table.open();
    table.setFiltered(true);
    table.setFilter(QStringLiteral("(SIT = 'D')"));
    const char *bad[] = {"(SIT = 'D'", "SIT = ", "SIT == 'D'", "SIT = 'D", "AND SIT = 'D'", "SIT = 'D' OR", "SIT # 1", "()"};
    for (const char *text : bad) {
        try {
            table.setFilter(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted: " << text;
        } catch (const StoreError &e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Filtro inválido"))) << e.message().toStdString();
        }
    }
    for (const char *text : {"NADA = 1", "ParcelaData < '31/02/2007'", "MES = 'três'", "IMP_ATAFINAL = 'talvez'"})
        EXPECT_THROW(table.setFilter(QString::fromUtf8(text)), StoreError) << text;
    EXPECT_EQ(table.filter(), QStringLiteral("(SIT = 'D')"));
    EXPECT_EQ(ids(table), QList<int>({3}));
}

TEST_F(Filters, APostedRowThatNoLongerMatchesLeavesTheView)
{
    Table table(m_db, QStringLiteral("FILTRO.DB"));
    table.setFilter(QStringLiteral("(SIT <> 'D') AND (SIT <> 'T')"));
    table.setFiltered(true);
    table.open();
    ASSERT_EQ(table.recordCount(), 3);
    table.first();
    table.edit();
    table.setText("SIT", QStringLiteral("D"));
    table.post();
    EXPECT_EQ(table.recordCount(), 2);
    EXPECT_EQ(table.asInteger("ID"), 2);
}

} // namespace
