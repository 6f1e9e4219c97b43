#include "data/schema/AcademicSchema.h"

#include "data/schema/Fields.h"

namespace data::schema {

namespace {

// Father, mother and responsible person share one set of six items with the same widths.
QList<FieldDef> personFields(const QString &name, const QString &id, const QString &cpf,
                             const QString &profession, const QString &workplace,
                             const QString &religion)
{
    return {text(name, 42),       text(id, 15),        text(cpf, 14),
            text(profession, 20), text(workplace, 42), text(religion, 20)};
}

QList<FieldDef> addressFields()
{
    return {text("ENDERECO", 42), text("BAIRRO", 20), text("CIDADE", 20), text("CEP", 9)};
}

} // namespace

TableDef alunos()
{
    TableDef t;
    t.name = "ALUNOS";
    t.fileName = "Alunos.DB";
    t.fields = {floating("MATRICULA", true),
                shortInt("ORD"),
                text("NOME", 42, true),
                text("TURMA", 5, true),
                text("TURMA2", 5),
                shortInt("TM"),
                text("SEXO", 1),
                date("DATANASC"),
                text("NACIONAL", 20)};
    t.fields += personFields("NOME_PAI", "ID_PAI", "CPF_PAI", "PROF_PAI", "LOCTRABPAI", "RELIGPAI");
    t.fields += personFields("NOME_MAE", "ID_MAE", "CPF_MAE", "PROF_MAE", "LOCTRABMAE", "RELIGMAE");
    t.fields +=
        personFields("NOME_RESP", "ID_RESP", "CPF_RESP", "PROF_RESP", "LOCTRBRESP", "RELIGRESP");
    t.fields += addressFields();
    t.fields += {text("FONE_REC", 16),     text("FONE_RES", 16),    text("FONE_COM1", 16),
                 text("FONE_COM2", 16),    text("RAMAL1", 4),       text("RAMAL2", 4),
                 text("SIT", 2),           date("DATASIT"),         text("OBSSIT", 30),
                 floating("ABAT"),         text("MOTVABAT", 27),    text("OBS", 28),
                 text("IMP", 1),           shortInt("ESP"),         text("EstadoCivil", 20),
                 text("Vencimento", 2),    text("email_resp", 50),  logical("UsarPiscina"),
                 text("celular_resp", 16), text("celular_pai", 16), text("celular_mae", 16),
                 text("TIPO_SANG", 3),     text("COR_PELE", 16),    text("CN_NUM", 20),
                 text("CN_MUNNASC", 20),   date("CN_DTEMISS"),      text("CN_UFCART", 2),
                 text("CN_CART", 30),      text("CN_FOLHA", 10),    text("CN_LIVRO", 10),
                 logical("MARCADO")};
    t.primaryKey = {"MATRICULA"};
    // ORD and TM hold the month and day of birth, so kAniversario lists birthdays in calendar
    // order.
    t.indexes = {nameIndex("kTurma", {"TURMA", "NOME"}), nameIndex("kNome", {"NOME"}),
                 index("kTurmaOrdem", {"TURMA", "ESP"}), nameIndex("kPai", {"NOME_PAI"}),
                 nameIndex("kMAe", {"NOME_MAE"}),        nameIndex("kResp", {"NOME_RESP"}),
                 index("kAniversario", {"ORD", "TM"}),   nameIndex("kEndereco", {"ENDERECO"})};
    return t;
}

TableDef tabturma()
{
    TableDef t;
    t.name = "Tabturma";
    t.fileName = "Tabturma.DB";
    t.fields = {text("TURMA", 5),          text("DESCRICAO", 30), shortInt("TM"),
                shortInt("ULTIMO"),        shortInt("AUX"),       text("AUX2", 1),
                money("Valor_Mensalidade")};
    t.primaryKey = {"TURMA"};
    return t;
}

TableDef discpl()
{
    TableDef t;
    t.name = "DISCPL";
    t.fileName = "DISCPL.DB";
    t.fields = {text("CODIGO", 2), text("DESCRICAO", 25), text("TIPO", 1), text("ORDEM", 2),
                text("DESC_RESUMO", 8)};
    t.primaryKey = {"CODIGO"};
    return t;
}

TableDef discturm()
{
    TableDef t;
    t.name = "Discturm";
    t.fileName = "Discturm.DB";
    t.fields = {text("SERIE", 3),     text("CODIGO", 2),      shortInt("CHORA"),
                text("REP_FALTA", 1), logical("Consolidada"), logical("Imp_AtaFinal"),
                longInt("PESO")};
    t.primaryKey = {"SERIE", "CODIGO"};
    return t;
}

TableDef notas()
{
    TableDef t;
    t.name = "NOTAS";
    t.fileName = "NOTAS.DB";
    t.fields = {floating("MATRICULA"), text("DISC", 2)};
    for (int u = 1; u <= 4; ++u)
        t.fields += floating(QStringLiteral("UND%1").arg(u));
    for (int u = 1; u <= 4; ++u)
        t.fields += shortInt(QStringLiteral("FLT%1").arg(u));
    t.fields +=
        {floating("MD_ANUAL"), shortInt("FALTAS"),  floating("PFINAL"),   text("Turma", 5),
         text("Nome", 42),     shortInt("Esp"),     floating("MD_FINAL"), floating("RECUP"),
         floating("MD_RECUP"), text("CONCEITO", 3), text("SIT", 2),       text("RESULTADO", 20)};
    t.primaryKey = {"MATRICULA", "DISC", "Turma"};
    // kTurmaNome keeps each student's subjects together for the report cards.
    t.indexes = {nameIndex("kTurma", {"Turma", "Nome"}),
                 nameIndex("kTurmaNome", {"Turma", "Nome", "MATRICULA", "DISC"}),
                 index("kTurmaOrdem", {"Turma", "Esp"})};
    return t;
}

TableDef notasUni(int unit)
{
    TableDef t;
    t.name = QStringLiteral("NotasUni%1").arg(unit);
    t.fileName = QStringLiteral("NotasUni%1.DB").arg(unit);
    t.fields = {text("TURMA", 5), floating("MATRICULA"), text("NOME", 42), text("DISC", 2),
                text("UNIDADE", 1)};
    for (int n = 1; n <= 5; ++n)
        t.fields += floating(QStringLiteral("NOTA%1").arg(n));
    t.fields += {floating("MEDIA"),   floating("RECUP"),   floating("MD_FINAL"),
                 floating("PONTOS1"), floating("PONTOS2"), shortInt("FALTAS"),
                 shortInt("Esp"),     text("SIT", 2),      text("RESULTADO", 20)};
    t.primaryKey = {"MATRICULA", "DISC", "TURMA", "UNIDADE"};
    t.indexes = {nameIndex("kTurma", {"TURMA", "NOME"}), index("kTurmaOrdem", {"TURMA", "Esp"})};
    return t;
}

TableDef historic()
{
    TableDef t;
    t.name = "Historic";
    t.fileName = "Historic.db";
    t.fields = {floating("Matricula"), text("Convenio_Medico", 20),
                text("Pediatra", 40),  text("Telefone", 8),
                text("Ramal", 4),      text("Horario_Atendimento", 8),
                text("Alergias", 60),  memo("Historico")};
    t.primaryKey = {"Matricula"};
    return t;
}

TableDef funcionarios()
{
    TableDef t;
    t.name = "Funcionarios";
    t.fileName = "Funcionarios.DB";
    t.fields = {floating("MATRICULA"), text("NOME", 42),     text("SEXO", 1),
                date("DATANASC"),      text("NACIONAL", 20), text("ID", 15),
                text("CPF", 14),       text("FUNCAO", 20),   text("RELIGIAO", 20)};
    t.fields += addressFields();
    t.fields += {text("FONE_REC", 8), text("FONE_RES", 8), text("RAMAL1", 4),  text("RAMAL2", 4),
                 text("SIT", 2),      date("DATASIT"),     text("OBSSIT", 30), text("OBS", 60),
                 shortInt("ORD"),     shortInt("DIA_ANIV")};
    t.primaryKey = {"MATRICULA"};
    t.indexes = {index("kAniversario", {"ORD", "DIA_ANIV"})};
    return t;
}

TableDef discProf()
{
    TableDef t;
    t.name = "DiscProf";
    t.fileName = "DiscProf.db";
    t.fields = {floating("MATRICULA"), text("NOME", 42), text("DISCPL_COD", 2), text("TURMA", 5)};
    // A teacher is assigned a subject in a class once; a repeated assignment is refused.
    t.primaryKey = {"MATRICULA", "DISCPL_COD", "TURMA"};
    return t;
}

TableDef posicao()
{
    TableDef t;
    t.name = "posicao";
    t.fileName = "posicao.db";
    t.fields = {floating("MATRICULA"), text("NOME", 42), text("TURMA", 5)};
    for (int u = 1; u <= 4; ++u)
        t.fields += floating(QStringLiteral("PONTOS%1").arg(u));
    t.fields += floating("PONTOST");
    for (int u = 1; u <= 4; ++u)
        t.fields += shortInt(QStringLiteral("Pos%1").arg(u));
    t.fields += {shortInt("Postotal"), text("GRUPO", 3), shortInt("Posicao")};
    t.primaryKey = {"MATRICULA"};
    // Points are stored negated: ascending order puts the best student first.
    t.indexes = {index("kPontos1", {"TURMA", "PONTOS1"}), index("kPontos2", {"TURMA", "PONTOS2"}),
                 index("kPontos3", {"TURMA", "PONTOS3"}), index("kPontos4", {"TURMA", "PONTOS4"}),
                 index("kPontosT", {"TURMA", "PONTOST"}), index("kPtGeral1", {"PONTOS1"}),
                 index("kPtgeral2", {"PONTOS2"}),         index("kPtgeral3", {"PONTOS3"}),
                 index("kPtgeral4", {"PONTOS4"}),         index("kPtGeralT", {"PONTOST"})};
    return t;
}

TableDef tbConsol()
{
    TableDef t;
    t.name = "tbConsol";
    t.fileName = "tbConsol.db";
    t.fields = {text("serie", 3), text("codigo", 2), logical("consolidada")};
    return t;
}

QList<TableDef> academicTables()
{
    return {alunos(),       tabturma(),  discpl(),    discturm(),  notas(),
            notasUni(1),    notasUni(2), notasUni(3), notasUni(4), historic(),
            funcionarios(), discProf(),  posicao()};
}

QList<TableLink> academicLinks()
{
    QList<TableLink> links = {
        {"ALUNOS", "Historic", {"MATRICULA"}, {"Matricula"}, true},
        {"ALUNOS", "Ccorrent", {"MATRICULA"}, {"Matricula"}, true},
        {"Ccorrent", "ALUNOS", {"Matricula"}, {"MATRICULA"}, true},
        {"Tabturma", "ALUNOS", {"TURMA"}, {"TURMA"}, false},
        {"Tabturma", "NOTAS", {"TURMA"}, {"Turma"}, false},
        {"DISCPL", "Discturm", {"CODIGO"}, {"CODIGO"}, false},
        {"ALUNOS", "NOTAS", {"MATRICULA"}, {"MATRICULA"}, false},
        {"NOTAS", "ALUNOS", {"MATRICULA"}, {"MATRICULA"}, false},
    };
    for (int u = 1; u <= 4; ++u) {
        const QString unitTable = QStringLiteral("NotasUni%1").arg(u);
        links += {"Tabturma", unitTable, {"TURMA"}, {"TURMA"}, false};
        links += {"DISCPL", unitTable, {"CODIGO"}, {"DISC"}, false};
        links += {"ALUNOS", unitTable, {"MATRICULA"}, {"MATRICULA"}, false};
    }
    return links;
}

} // namespace data::schema
