#include "ExpectedLayouts.h"
#include "data/schema/AcademicSchema.h"
#include "data/schema/FinancialSchema.h"
#include "data/schema/SchoolYearSchema.h"
#include "data/schema/SettingsSchema.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace data;

TEST(Schema, EveryTableOfASchoolYearHasItsExactFields)
{
    QSet<QString> seen;
    for (const TableDef &table : schema::schoolYearTables()) {
        const QString key = table.name.toUpper();
        EXPECT_FALSE(seen.contains(key)) << qPrintable(key);
        seen.insert(key);
        ASSERT_TRUE(expectedLayouts().contains(key)) << qPrintable(key);
        EXPECT_EQ(layoutText(table), expectedLayouts().value(key)) << qPrintable(key);
    }
    EXPECT_EQ(seen.size(), expectedLayouts().size());
}

TEST(Schema, KeysIndexesAndLinksNameFieldsOfTheirTables)
{
    QList<TableDef> all = schema::schoolYearTables() + schema::workingTables();
    all += schema::usuarios();
    for (const TableDef &table : all) {
        QSet<QString> indexNames;
        for (const FieldDef &f : table.fields)
            EXPECT_EQ(f.type == FieldType::Text, f.size > 0)
                << qPrintable(table.name + "." + f.name);
        for (const QString &field : table.primaryKey)
            EXPECT_TRUE(table.field(field)) << qPrintable(table.name + "." + field);
        for (const IndexDef &index : table.indexes) {
            EXPECT_FALSE(indexNames.contains(index.name.toUpper())) << qPrintable(index.name);
            indexNames.insert(index.name.toUpper());
            EXPECT_FALSE(index.fields.isEmpty());
            for (const QString &field : index.fields)
                EXPECT_TRUE(table.field(field))
                    << qPrintable(table.name + "." + index.name + "." + field);
        }
    }
    for (const schema::TableLink &link : schema::schoolYearLinks()) {
        const TableDef *master = schema::findTable(link.master);
        const TableDef *detail = schema::findTable(link.detail);
        ASSERT_TRUE(master && detail) << qPrintable(link.master + " -> " + link.detail);
        ASSERT_EQ(link.masterFields.size(), link.detailFields.size());
        for (int i = 0; i < link.masterFields.size(); ++i) {
            EXPECT_TRUE(master->field(link.masterFields.at(i)));
            EXPECT_TRUE(detail->field(link.detailFields.at(i)));
        }
    }
}

TEST(Schema, IndexesReadInTheOrdersTheScreensAndRunsNeed)
{
    auto fields = [](const TableDef &t, const QString &index) {
        const IndexDef *i = t.index(index);
        return i ? i->fields.join(u';').toUpper() : QStringLiteral("<none>");
    };
    const TableDef alunos = schema::alunos();
    EXPECT_EQ(alunos.primaryKey, QStringList{"MATRICULA"});
    EXPECT_EQ(fields(alunos, "kTurma"), "TURMA;NOME");
    EXPECT_EQ(fields(alunos, "kNome"), "NOME");
    EXPECT_EQ(fields(alunos, "kTurmaOrdem"), "TURMA;ESP");
    EXPECT_EQ(fields(alunos, "kAniversario"), "ORD;TM");
    for (const char *index : {"kPai", "kMAe", "kResp", "kEndereco"})
        EXPECT_NE(fields(alunos, index), "<none>") << index;

    const TableDef notas = schema::notas();
    EXPECT_EQ(QStringList(notas.primaryKey).join(u';').toUpper(), "MATRICULA;DISC;TURMA");
    EXPECT_EQ(fields(notas, "kTurma"), "TURMA;NOME");
    EXPECT_EQ(fields(notas, "kTurmaOrdem"), "TURMA;ESP");
    EXPECT_TRUE(fields(notas, "kTurmaNome").startsWith("TURMA;NOME"));
    for (int u = 1; u <= 4; ++u) {
        const TableDef unit = schema::notasUni(u);
        EXPECT_EQ(unit.fileName, QStringLiteral("NotasUni%1.DB").arg(u));
        EXPECT_EQ(QStringList(unit.primaryKey).join(u';').toUpper(),
                  "MATRICULA;DISC;TURMA;UNIDADE");
        EXPECT_EQ(fields(unit, "kTurmaOrdem"), "TURMA;ESP");
    }

    // Ranking: by class then points for the class places, by points alone across classes.
    const TableDef posicao = schema::posicao();
    for (const char *suffix : {"1", "2", "3", "4", "T"}) {
        EXPECT_EQ(fields(posicao, QStringLiteral("kPontos") + suffix),
                  QStringLiteral("TURMA;PONTOS") + suffix);
        EXPECT_EQ(fields(posicao, QStringLiteral("kPtGeral") + suffix),
                  QStringLiteral("PONTOS") + suffix);
    }
    EXPECT_TRUE(posicao.index("kPtgeral2")); // the names as the ranking run spells them

    const TableDef ccorrent = schema::ccorrent();
    EXPECT_TRUE(ccorrent.primaryKey.isEmpty()); // a student may hold two charges with one number
    EXPECT_EQ(fields(ccorrent, ""), "MATRICULA");
    EXPECT_EQ(fields(ccorrent, "nnndx"), "NOSSONUM");
    EXPECT_EQ(fields(schema::grupoConta(), "iGrupoDesc"), "DESCRICAO_GRUPO");
    EXPECT_EQ(schema::discturm().primaryKey, (QStringList{"SERIE", "CODIGO"}));
    EXPECT_EQ(schema::discProf().primaryKey.size(), 3); // a repeated assignment is refused
}

TEST(Schema, FindsTablesByNameOrFileNameInAnyCase)
{
    EXPECT_EQ(schema::findTable("alunos.db")->name, QStringLiteral("ALUNOS"));
    EXPECT_EQ(schema::findTable("NOTASUNI3")->fileName, QStringLiteral("NotasUni3.DB"));
    EXPECT_EQ(schema::findTable("Usuarios.DB")->name, QStringLiteral("Usuarios"));
    EXPECT_EQ(schema::findTable("usuario")->name, QStringLiteral("Usuario"));
    EXPECT_EQ(layoutText(*schema::findTable("tbConsol.db")), "serie:T3 codigo:T2 consolidada:B");
    EXPECT_EQ(layoutText(*schema::findTable("RelatMensalidades")),
              "Turma:T5 Matricula:F Nome:T42 MesVenc:L DiaPago:L MesPago:L Previsto:F Realizado:F");
    EXPECT_EQ(layoutText(schema::usuarios()),
              "UserID:T10 Password:T100 Alunos:B Notas:B Caixa:B Carnes:B Backup:B Tabelas:B "
              "CriarUsuer:B Supervisor:B");
    EXPECT_EQ(schema::findTable("Fotos.DB"), nullptr);
}
