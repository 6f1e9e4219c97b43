#include "ModuleFixture.h"

#include "data/store/Query.h"
#include "support/RecordedLog.h"

using namespace data;

namespace {

class CashBook : public ModuleFixture
{
protected:
    Table &groups() { return m_cashBook->taGrupoConta(); }
    Table &accounts() { return m_cashBook->taConta(); }
    void addGroup(int kind, const QString &name)
    {
        m_cashBook->setGroupKind(kind);
        ASSERT_TRUE(groups().append());
        groups().setText("Descricao_Grupo", name);
        ASSERT_TRUE(groups().post());
    }
    void addAccount(const QString &name, const QString &dueDay = QString())
    {
        ASSERT_TRUE(accounts().append());
        accounts().setText("Descricao_Conta", name);
        accounts().setText("DATA_VENC", dueDay);
        ASSERT_TRUE(accounts().post());
    }
};

} // namespace

TEST_F(CashBook, GroupsAreNumberedWithinTheirKind)
{
    groups().open();
    addGroup(1, QStringLiteral("PESSOAL"));
    EXPECT_EQ(groups().asText("Tipo_Grupo"), QStringLiteral("1"));
    EXPECT_EQ(groups().asInteger("CodGrupo_Grupo"), 1);
    EXPECT_EQ(groups().asText("cTipo_Grupo"), QStringLiteral("DESPESA"));
    addGroup(1, QStringLiteral("MANUTENÇÃO"));
    EXPECT_EQ(groups().asInteger("CodGrupo_Grupo"), 2);
    addGroup(0, QStringLiteral("MENSALIDADES"));
    EXPECT_EQ(groups().asInteger("CodGrupo_Grupo"), 1);
    EXPECT_EQ(groups().asText("cTipo_Grupo"), QStringLiteral("RECEITA"));
}

TEST_F(CashBook, AccountsAreNumberedWithinTheirGroupAndKeepADueDay)
{
    groups().open();
    accounts().open();
    addGroup(1, QStringLiteral("PESSOAL"));
    addAccount(QStringLiteral("SALÁRIOS"), QStringLiteral("0"));
    EXPECT_EQ(accounts().asInteger("CodConta_Conta"), 1);
    EXPECT_EQ(accounts().asText("CodGrupo_Conta"), QStringLiteral("1"));
    EXPECT_EQ(accounts().asText("cTipo"), QStringLiteral("Despesa"));
    EXPECT_TRUE(m_dialogs->shown().isEmpty()) << "a due day of 0 is accepted";

    addAccount(QStringLiteral("FÉRIAS"), QStringLiteral("32"));
    EXPECT_EQ(accounts().asInteger("CodConta_Conta"), 2);
    EXPECT_EQ(m_dialogs->last().text, QStringLiteral("Valor deve estar entre '01' e '31'."));
    EXPECT_EQ(accounts().asInteger("DATA_VENC"), 1);
    EXPECT_EQ(accounts().displayText("DATA_VENC"), QStringLiteral("01"));

    addGroup(1, QStringLiteral("IMPOSTOS"));
    addAccount(QStringLiteral("ISS"));
    EXPECT_EQ(accounts().asInteger("CodConta_Conta"), 1) << "numbering starts again in another group";
    EXPECT_EQ(accounts().asInteger("CodGrupo_Grupo"), 2);
}

TEST_F(CashBook, AnEntryIsFiledUnderTheAccountChosenInTheList)
{
    exec(QStringLiteral("insert into GrupoConta (Tipo_Grupo, CodGrupo_Grupo, Descricao_Grupo) values ('0', 1, 'RECEITAS'), ('1', 1, 'DESPESAS')"));
    exec(QStringLiteral("insert into Conta (CodGrupo_Conta, CodGrupo_Grupo, CodConta_Conta, Descricao_Conta) values ('0', 1, 1, 'TAXAS'), ('1', 1, 4, 'LUZ')"));
    Query &view = m_cashBook->qryContas();
    view.open();
    ASSERT_TRUE(view.locate(QStringLiteral("DESCRICAO_CONTA"), {QStringLiteral("LUZ")}));
    Table &entries = m_cashBook->taMovFin();
    entries.open();
    ASSERT_TRUE(entries.append());
    entries.setText("CodGrupo_MovFin", QStringLiteral("0"));
    entries.setText("CodConta_MovFin", QStringLiteral("1"));
    entries.setText("Valor_MovFin", QStringLiteral("1.234,50"));
    entries.setText("Data_MovFin", QStringLiteral("05/03/2009"));
    ASSERT_TRUE(entries.post());
    EXPECT_EQ(scalar(QStringLiteral("select CodGrupo_MovFin || '/' || CodGrupo_Grupo || '/' || CodConta_MovFin from MovFin")).toString(),
              QStringLiteral("1/1/4"));
    EXPECT_EQ(entries.displayText("Valor_MovFin"), QStringLiteral("1.234,50"));
}

TEST_F(CashBook, AFailedSaveIsCancelledWithTheModulesMessageAndTheReasonIsLogged)
{
    const RecordedLog log;
    exec(QStringLiteral("insert into Bancos (CodBanco_Bancos, Descricao_Bancos) values (1, 'BANCO A')"));
    Table &banks = m_cashBook->taBancos();
    banks.open();
    ASSERT_TRUE(banks.append());
    banks.setText("CodBanco_Bancos", QStringLiteral("1"));
    banks.setText("Descricao_Bancos", QStringLiteral("REPETIDO"));
    EXPECT_FALSE(banks.post());
    EXPECT_FALSE(banks.isEditing());
    EXPECT_EQ(m_dialogs->last().text, QStringLiteral("Ocorreu erro na gravação, operação cancelada"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from Bancos")), 1);
    const QStringList logged = log.warnings(QStringLiteral("lumesco.billing"));
    ASSERT_EQ(logged.size(), 1);
    EXPECT_TRUE(logged.first().startsWith(QStringLiteral("\"taBancos\""))) << logged.first().toStdString();
    EXPECT_FALSE(db().inTransaction());
}

TEST_F(CashBook, TheNumberIsTakenAgainWhenTheRowIsSaved)
{
    groups().open();
    accounts().open();
    addGroup(0, QStringLiteral("MENSALIDADES"));
    m_cashBook->setGroupKind(0);
    ASSERT_TRUE(groups().append());
    EXPECT_EQ(groups().asInteger("CodGrupo_Grupo"), 2) << "the number shown while the row is typed";
    // Meanwhile another workstation saves a group of the same kind, and an account of group 1.
    exec(QStringLiteral("insert into GrupoConta (Tipo_Grupo, CodGrupo_Grupo, Descricao_Grupo) values ('0', 2, 'TAXAS')"));
    groups().setText("Descricao_Grupo", QStringLiteral("EVENTOS"));
    ASSERT_TRUE(groups().post());
    EXPECT_EQ(scalar(QStringLiteral("select CodGrupo_Grupo from GrupoConta where Descricao_Grupo = 'EVENTOS'")).toInt(), 3);
    EXPECT_FALSE(db().inTransaction());

    ASSERT_TRUE(groups().locate(QStringLiteral("Descricao_Grupo"), {QStringLiteral("MENSALIDADES")}));
    ASSERT_TRUE(accounts().append());
    exec(QStringLiteral("insert into Conta (CodGrupo_Conta, CodGrupo_Grupo, CodConta_Conta, Descricao_Conta) values ('0', 1, 1, 'OUTRA')"));
    accounts().setText("Descricao_Conta", QStringLiteral("MATRÍCULAS"));
    ASSERT_TRUE(accounts().post());
    EXPECT_EQ(accounts().asInteger("CodConta_Conta"), 2);
    EXPECT_TRUE(m_dialogs->shown().isEmpty()) << m_dialogs->texts().join(u'|').toStdString();
}

TEST_F(CashBook, EntriesAreNumberedInTheOrderTheyAreSaved)
{
    exec(QStringLiteral("insert into GrupoConta (Tipo_Grupo, CodGrupo_Grupo, Descricao_Grupo) values ('1', 1, 'DESPESAS')"));
    exec(QStringLiteral("insert into Conta (CodGrupo_Conta, CodGrupo_Grupo, CodConta_Conta, Descricao_Conta) values ('1', 1, 1, 'LUZ')"));
    m_cashBook->qryContas().open();
    Table &entries = m_cashBook->taMovFin();
    entries.open();
    for (const char *amount : {"10,00", "20,00"}) {
        ASSERT_TRUE(entries.append());
        entries.setText("Valor_MovFin", QString::fromLatin1(amount));
        ASSERT_TRUE(entries.post());
    }
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(CodMovFin_MovFin, ',') from (select CodMovFin_MovFin from MovFin order by Valor_MovFin)")).toString(),
              QStringLiteral("1,2"));
}
