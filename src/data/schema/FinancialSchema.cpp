#include "data/schema/FinancialSchema.h"

#include "data/schema/Fields.h"

namespace data::schema {

TableDef ccorrent()
{
    TableDef t;
    t.name = "Ccorrent";
    t.fileName = "Ccorrent.DB";
    t.fields = {text("TURMA", 5),       floating("Matricula", true),  text("NOME", 42),
                text("Tipo", 1),        shortInt("ParcelaNum", true), date("ParcelaData", true),
                money("ParcelaValor"),  money("DescontoFixo"),        money("DescontoEventual"),
                money("Acrescimos"),    floating("NossoNum"),         date("PgtoData"),
                money("PgtoValor"),     text("FORMAPGTO", 1),         text("STATUS", 1),
                text("Observacao", 42), text("USUARIO", 10),          text("STATUS2", 1)};
    // No unique key: a student may hold a fee and another charge under one instalment number.
    // The primary order keeps a student's rows together.
    t.indexes = {index(QString(), {"Matricula"}), nameIndex("kTurma", {"TURMA", "NOME"}),
                 nameIndex("kNome", {"NOME"}), index("nnndx", {"NossoNum"})};
    return t;
}

TableDef grupoConta()
{
    TableDef t;
    t.name = "GrupoConta";
    t.fileName = "GrupoConta.DB";
    t.fields = {text("Tipo_Grupo", 1), autoIncrement("CodGrupo_Grupo"),
                text("Descricao_Grupo", 50)};
    t.primaryKey = {"Tipo_Grupo", "CodGrupo_Grupo"};
    t.indexes = {nameIndex("iGrupoDesc", {"Descricao_Grupo"})};
    return t;
}

TableDef conta()
{
    TableDef t;
    t.name = "Conta";
    t.fileName = "Conta.DB";
    t.fields = {text("CodGrupo_Conta", 1),       longInt("CodGrupo_Grupo"),
                autoIncrement("CodConta_Conta"), text("Descricao_Conta", 50),
                floating("Meta_Conta"),          longInt("DATA_VENC")};
    t.primaryKey = {"CodGrupo_Conta", "CodGrupo_Grupo", "CodConta_Conta"};
    return t;
}

TableDef movFin()
{
    TableDef t;
    t.name = "MovFin";
    t.fileName = "MovFin.DB";
    t.fields = {text("CodGrupo_MovFin", 1),
                longInt("CodConta_MovFin"),
                date("Data_MovFin"),
                autoIncrement("CodMovFin_MovFin"),
                text("Mes", 2),
                text("Cheque_MovFin", 6),
                floating("Valor_MovFin"),
                longInt("CodBanco_MovFin"),
                text("Descricao_MovFin", 70),
                text("NotaFiscal_MovFin", 6),
                longInt("CodGrupo_Grupo")};
    // Entries of one account together; the entry number makes the key unique.
    t.primaryKey = {"CodGrupo_MovFin", "CodGrupo_Grupo", "CodConta_MovFin", "CodMovFin_MovFin"};
    // The other orders the cash reports read.
    t.indexes = {index("iContaData",
                       {"CodGrupo_MovFin", "CodGrupo_Grupo", "CodConta_MovFin", "Data_MovFin"}),
                 index("iTipoData", {"CodGrupo_MovFin", "Data_MovFin", "CodConta_MovFin"}),
                 index("iDataTipo", {"Data_MovFin", "CodGrupo_MovFin"})};
    return t;
}

TableDef bancos()
{
    TableDef t;
    t.name = "Bancos";
    t.fileName = "Bancos.db";
    t.fields = {autoIncrement("CodBanco_Bancos"), text("Descricao_Bancos", 60)};
    t.primaryKey = {"CodBanco_Bancos"};
    return t;
}

TableDef revenueWorkTable(const QString &name)
{
    TableDef t;
    t.name = name;
    t.fileName = name + ".db";
    t.fields = {text("Turma", 5),     floating("Matricula"), text("Nome", 42),
                longInt("MesVenc"),   longInt("DiaPago"),    longInt("MesPago"),
                floating("Previsto"), floating("Realizado")};
    return t;
}

QList<TableDef> financialTables()
{
    return {ccorrent(), grupoConta(), conta(), movFin(), bancos()};
}

QList<TableLink> financialLinks()
{
    return {
        {"GrupoConta",
         "Conta",
         {"Tipo_Grupo", "CodGrupo_Grupo"},
         {"CodGrupo_Conta", "CodGrupo_Grupo"},
         true},
        // MovFin follows the view of accounts with their groups (Conta joined with GrupoConta).
        {"Conta",
         "MovFin",
         {"CodGrupo_Conta", "CodGrupo_Grupo", "CodConta_Conta"},
         {"CodGrupo_MovFin", "CodGrupo_Grupo", "CodConta_MovFin"},
         true},
    };
}

} // namespace data::schema
