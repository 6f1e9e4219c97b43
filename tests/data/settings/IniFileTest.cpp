#include "data/settings/IniFile.h"
#include "data/settings/QuorvelIni.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using data::IniFile;

TEST(IniFile, FindsSectionsAndKeysRegardlessOfCase)
{
    const IniFile ini =
        IniFile::fromLines({"; comment", "[Notas]", " uni_media = 8 ", "Uni_Media=9",
                            "garbage line", "[REDE]", "Nome=\"COLÉGIO\"", "Outro='x'", "[Vazio]"});
    EXPECT_EQ(ini.readString("NOTAS", "Uni_Media", QString()), QStringLiteral("8")); // first wins
    EXPECT_EQ(ini.readString("REDE", "Nome", QString()), QStringLiteral("COLÉGIO"));
    EXPECT_EQ(ini.readString("rede", "OUTRO", QString()), QStringLiteral("x"));
    EXPECT_EQ(ini.readString("NOTAS", "Ger_Media", QStringLiteral("6")), QStringLiteral("6"));
    EXPECT_TRUE(ini.contains("notas", "uni_media"));
    EXPECT_FALSE(ini.contains("NOTAS", "Ger_Media"));
    EXPECT_FALSE(ini.contains("", "garbage line"));
}

TEST(QuorvelIni, EveryKeyOfTheFileReplacesItsItemOrItsDefault)
{
    TempDir dir;
    dir.write("Quorvel.ini", "[NOTAS]\r\nUni_Media=8\r\n");
    data::Settings record;
    record.Estabel = "COLÉGIO";
    record.Ger_Media = 5;
    record.Arredondamento = 2;
    record.Termo_Func = "PROFESSORES";
    ASSERT_TRUE(data::readQuorvelIni(dir.path(), record));
    EXPECT_EQ(record.Uni_Media, 8);
    EXPECT_EQ(record.Ger_Media, 6);
    EXPECT_EQ(record.Arredondamento, 0);
    EXPECT_EQ(record.Termo_Func, QStringLiteral("Funcionários"));
    EXPECT_DOUBLE_EQ(record.Juros, 0.03);
    EXPECT_TRUE(record.Turma_Disc);
    EXPECT_EQ(record.Estabel, QStringLiteral("COLÉGIO")); // the identity is not in the file
}

TEST(QuorvelIni, ReadsWindows1252TextsAndCutsTheTerms)
{
    TempDir dir;
    dir.write("QUORVEL.INI", "[CCORRENT]\r\nJuros=0,05\r\nData_Venc=5\r\n"
                             "[TERMOS]\r\nTermo_Func=Colaboradores da Escola\r\n"
                             "Termo_Unid=Bimestre e mais\r\nTermo_Recup=Reavalia\xe7\xe3o\r\n"
                             "[REDE]\r\nUsa_Rede=1\r\n[DISCIPLINAS]\r\nTurma_Disc=0\r\n"
                             "[NOTAS]\r\nRecup_Media=1\r\nPesoUND3=2\r\nLimite_Dep=0\r\n");
    data::Settings record;
    ASSERT_TRUE(data::readQuorvelIni(dir.path(), record));
    EXPECT_DOUBLE_EQ(record.Juros, 0.05);
    EXPECT_EQ(record.Data_Venc, 5);
    EXPECT_EQ(record.Termo_Func, QStringLiteral("Colaboradore"));
    EXPECT_EQ(record.Termo_Unidade, QStringLiteral("Bimestre e"));
    EXPECT_EQ(record.Termo_Recup, QStringLiteral("Reava"));
    EXPECT_TRUE(record.Usa_Rede);
    EXPECT_FALSE(record.Turma_Disc);
    EXPECT_TRUE(record.Recup_Media);
    EXPECT_EQ(record.PesoUND3, 2);
    EXPECT_EQ(record.Limite_Dep, 0);
}

TEST(QuorvelIni, AMissingFileLeavesTheRecordAlone)
{
    TempDir dir;
    data::Settings record;
    record.Uni_Media = 9;
    EXPECT_FALSE(data::readQuorvelIni(dir.path(), record).has_value());
    EXPECT_EQ(record.Uni_Media, 9);
}

// Such files hold the decimal comma: a point without a comma is refused, never read as
// thousands ("0.050" is not 50) nor guessed to be a decimal point.
TEST(QuorvelIni, AFineWithALonePointIsRefusedAndKeepsTheDefault)
{
    for (const char *typed : {"0.05", "0.050", "1.500"}) {
        data::Settings record;
        record.Juros = 7;
        const QStringList notes = data::applyQuorvelIni(
            IniFile::fromLines({"[CCORRENT]", QStringLiteral("Juros=%1").arg(QLatin1String(typed))}), record);
        EXPECT_DOUBLE_EQ(record.Juros, 0.03) << typed;
        ASSERT_EQ(notes.size(), 1) << typed;
        EXPECT_EQ(notes.first(),
                  QStringLiteral("Quorvel.ini, [CCORRENT]: valor inválido para Juros: %1 (o arquivo usa a "
                                 "vírgula decimal, por exemplo Juros=0,05). Vale o padrão 0,03.")
                      .arg(QLatin1String(typed)));
    }
    data::Settings record;
    EXPECT_TRUE(data::applyQuorvelIni(IniFile::fromLines({"[CCORRENT]", "Juros=1.500,25"}), record).isEmpty());
    EXPECT_DOUBLE_EQ(record.Juros, 1500.25);
}

TEST(QuorvelIni, ValuesThatDoNotFitGiveTheDefaultAndANote)
{
    data::Settings record;
    record.Unid_Aval = 2;
    record.Recup_Media = true;
    const QStringList notes = data::applyQuorvelIni(
        IniFile::fromLines({"[CCORRENT]", "Juros=muito", "Data_Venc=", "[NOTAS]", "Unid_Aval=7",
                            "Uni_Media=$1F", "Recup_Media=talvez", "Ger_Media=5"}),
        record);
    EXPECT_DOUBLE_EQ(record.Juros, 0.03);
    EXPECT_EQ(record.Data_Venc, 10); // empty: the default, no note
    EXPECT_EQ(record.Unid_Aval, 4);
    EXPECT_EQ(record.Uni_Media, 7);
    EXPECT_FALSE(record.Recup_Media);
    EXPECT_EQ(record.Ger_Media, 5);
    EXPECT_EQ(notes,
              QStringList({QStringLiteral("Quorvel.ini, [CCORRENT]: valor inválido para Juros: \"muito\" não é um número "
                                          "válido. Use a vírgula para os decimais (0,05) e o ponto só para os "
                                          "milhares (1.500,00). Vale o padrão 0,03."),
                           QStringLiteral("Quorvel.ini, [NOTAS]: valor inválido para Uni_Media: $1F (um número inteiro). "
                                          "Vale o padrão 7."),
                           QStringLiteral("Quorvel.ini, [NOTAS]: valor inválido para Unid_Aval: 7 (de 1 a 4). Vale o padrão 4."),
                           QStringLiteral("Quorvel.ini, [NOTAS]: valor inválido para Recup_Media: talvez (True ou False). "
                                          "Vale o padrão False.")}));
}
