#include "cashbook/CashBookFixture.h"

#include "cashbook/TableExport.h"
#include "data/bulk/DatasetRows.h"
#include "data/store/Query.h"

using namespace cashbook;

namespace {

class TableExport : public CashBookFixture
{
protected:
    core::SemicolonTable rowsOf(ExportEntry entry, const Period &period = {})
    {
        data::Query query(db());
        selectEntryRows(query, entry, period);
        query.open();
        applyExportFormats(query);
        core::SemicolonTable table = data::semicolonRows(query);
        for (QString &name : table.fieldNames)
            name = name.toUpper(); // as the file writes them
        return table;
    }
    void addClass(const QString &code, const QString &description) const
    {
        exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values (:t, :d)"),
             {{QStringLiteral("t"), code}, {QStringLiteral("d"), description}});
    }
    void setSituation(int matricula, const QString &situation) const
    {
        exec(QStringLiteral("update ALUNOS set SIT = :s where MATRICULA = :m"),
             {{QStringLiteral("s"), situation}, {QStringLiteral("m"), matricula}});
    }
};

} // namespace

TEST_F(TableExport, EntriesAreNamedByNumberOrTextAndGiveTheirFileNames)
{
    EXPECT_EQ(exportEntryByName(QStringLiteral("01")), ExportEntry::AlunosPorTurma);
    EXPECT_EQ(exportEntryByName(QStringLiteral("3")), ExportEntry::MovimentacaoFinanceira);
    EXPECT_EQ(exportEntryByName(QStringLiteral("02-mensalidades")), ExportEntry::Mensalidades);
    EXPECT_EQ(exportEntryByName(QStringLiteral("03-MOVIMENTAÇÃO FINANCEIRA")), ExportEntry::MovimentacaoFinanceira);
    EXPECT_EQ(exportEntryByName(QStringLiteral("04-MENSALIDADES - VISÃO GERAL")), ExportEntry::VisaoGeral);
    EXPECT_FALSE(exportEntryByName(QStringLiteral("05")));
    EXPECT_FALSE(exportEntryByName(QStringLiteral("0")));
    EXPECT_FALSE(exportEntryByName(QStringLiteral("MENSALIDADES")));
    EXPECT_EQ(exportFileName(ExportEntry::MovimentacaoFinanceira), QStringLiteral("03-MOVIMENTAÇÃO FINANCEIRA .csv"));
    EXPECT_EQ(exportFileName(ExportEntry::AlunosPorTurma), QStringLiteral("01-ALUNOS POR TURMA.csv"));
    EXPECT_TRUE(asksForPeriod(ExportEntry::MovimentacaoFinanceira));
    EXPECT_FALSE(asksForPeriod(ExportEntry::Mensalidades));
    EXPECT_FALSE(loadsRows(ExportEntry::VisaoGeral));
}

TEST_F(TableExport, TheChargesAreWrittenWholeInNameOrderWithoutATitle)
{
    addCharge(3, QStringLiteral("CARLA"), 1);
    addCharge(1, QStringLiteral("ANA D'ÁVILA"), 2, QDate(2009, 2, 9));
    addCharge(2, QStringLiteral("BRUNO"), 1);
    exec(QStringLiteral("update Ccorrent set ParcelaValor = 1234.5 where Matricula = 1"));
    const core::SemicolonTable table = rowsOf(ExportEntry::Mensalidades);
    const auto fields = db().layout(QStringLiteral("Ccorrent")).fields;
    ASSERT_EQ(table.fieldNames.size(), fields.size());
    for (int i = 0; i < fields.size(); ++i)
        EXPECT_EQ(table.fieldNames.at(i), QString(fields.at(i).name).toUpper());
    ASSERT_EQ(table.rows.size(), 3);
    const int name = int(table.fieldNames.indexOf(QStringLiteral("NOME")));
    EXPECT_EQ(table.rows.at(0).at(name), QStringLiteral("ANA D'ÁVILA"));
    EXPECT_EQ(table.rows.at(1).at(name), QStringLiteral("BRUNO"));
    EXPECT_EQ(table.rows.at(2).at(name), QStringLiteral("CARLA"));
    EXPECT_EQ(table.rows.at(0).at(table.fieldNames.indexOf(QStringLiteral("PARCELAVALOR"))), QStringLiteral("1.234,50"));
    EXPECT_EQ(table.rows.at(0).at(table.fieldNames.indexOf(QStringLiteral("PGTODATA"))), QStringLiteral("09/02/2009"));
    EXPECT_EQ(table.rows.at(0).at(table.fieldNames.indexOf(QStringLiteral("PARCELADATA"))), QStringLiteral("10/02/2009"));
    const QStringList lines = core::semicolonLines(table);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("TURMA;MATRICULA;NOME;"))) << "no title line";
    EXPECT_EQ(lines.size(), 4);
}

TEST_F(TableExport, StudentsByClassLeaveOutThoseWhoLeft)
{
    addClass(QStringLiteral("1G1A"), QStringLiteral("1ª SÉRIE A"));
    addClass(QStringLiteral("MATA"), QStringLiteral("MATERNAL"));
    addStudent(1, QStringLiteral("ZÉLIA"), QStringLiteral("1G1A"), 1);
    addStudent(2, QStringLiteral("ANA"), QStringLiteral("MATA"), 1);
    addStudent(3, QStringLiteral("BIA"), QStringLiteral("1G1A"), 2);
    addStudent(4, QStringLiteral("DORA"), QStringLiteral("1G1A"), 3);
    addStudent(5, QStringLiteral("TITO"), QStringLiteral("1G1A"), 4);
    addStudent(6, QStringLiteral("BRUNA"), QStringLiteral("1G1A"), 5);
    setSituation(4, QStringLiteral("D"));
    setSituation(5, QStringLiteral("T"));
    setSituation(6, QStringLiteral("B"));
    const core::SemicolonTable table = rowsOf(ExportEntry::AlunosPorTurma);
    // The class description comes second under the same name, which the store tells apart.
    EXPECT_EQ(table.fieldNames,
              (QStringList{QStringLiteral("MATRICULA"), QStringLiteral("NOME"), QStringLiteral("TURMA"),
                           QStringLiteral("SIT"), QStringLiteral("TURMA_1"), QStringLiteral("DATANASC"),
                           QStringLiteral("SEXO"), QStringLiteral("NOME_PAI"), QStringLiteral("NOME_MAE"),
                           QStringLiteral("NOME_RESP")}));
    QStringList names;
    for (const QStringList &row : table.rows)
        names += row.at(1) + u'/' + row.at(4);
    EXPECT_EQ(names, (QStringList{QStringLiteral("BIA/1ª SÉRIE A"), QStringLiteral("BRUNA/1ª SÉRIE A"),
                                  QStringLiteral("ZÉLIA/1ª SÉRIE A"), QStringLiteral("ANA/MATERNAL")}));

    data::Query initial(db());
    selectInitialRows(initial);
    initial.open();
    EXPECT_TRUE(initial.hasField(QStringLiteral("TURMA_DESC")));
    EXPECT_EQ(initial.recordCount(), 6) << "before a choice, every student";
}

TEST_F(TableExport, MovementsOfThePeriodWithTheirGroupAndAccount)
{
    addChartOfAccounts();
    addMovement(QStringLiteral("1"), 2, 1, QDate(2009, 3, 9), 1500.75, QStringLiteral("LUZ"), QStringLiteral("123"));
    addMovement(QStringLiteral("0"), 1, 1, QDate(2009, 3, 2), 80, QStringLiteral("MENSALIDADE"));
    addMovement(QStringLiteral("1"), 1, 1, QDate(2009, 4, 1), 10, QStringLiteral("FORA DO PERÍODO"));
    addMovement(QStringLiteral("1"), 1, 9, QDate(2009, 3, 31), 5, QStringLiteral("CONTA REMOVIDA"));
    const core::SemicolonTable table =
        rowsOf(ExportEntry::MovimentacaoFinanceira, {QDate(2009, 3, 1), QDate(2009, 3, 31)});
    EXPECT_EQ(table.fieldNames,
              (QStringList{QStringLiteral("TIPO"), QStringLiteral("GRUPO"), QStringLiteral("GRUPO_DESC"),
                           QStringLiteral("CONTA"), QStringLiteral("CONTA_DESC"), QStringLiteral("DATA"),
                           QStringLiteral("CHEQUE"), QStringLiteral("VALOR"), QStringLiteral("DESCRICAO"),
                           QStringLiteral("NOTAFISCAL")}));
    ASSERT_EQ(table.rows.size(), 3);
    EXPECT_EQ(table.rows.at(0).join(u';'), QStringLiteral("0;1;MENSALIDADES;1;MENSALIDADES ESCOLARES;02/03/2009;;80,00;MENSALIDADE;"));
    EXPECT_EQ(table.rows.at(1).join(u';'), QStringLiteral("1;2;DESPESAS FIXAS;1;ENERGIA;09/03/2009;123;1.500,75;LUZ;"));
    EXPECT_EQ(table.rows.at(2).join(u';'), QStringLiteral("1;1;PESSOAL;9;;31/03/2009;;5,00;CONTA REMOVIDA;"));
}
