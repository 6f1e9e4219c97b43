#include "data/settings/IniFile.h"
#include "data/settings/QuorvelIni.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using data::IniFile;

TEST(IniFile, FindsSectionsAndKeysRegardlessOfCase)
{
    const IniFile ini =
        IniFile::fromLines({"; comment", "[Notas]", " uni_media = 8 ", "Uni_Media=9",
                            "garbage line", "[REDE]", "Usa_Rede=1", "Nome=\"COLÉGIO\"", "[Vazio]"});
    EXPECT_EQ(ini.readInteger("NOTAS", "Uni_Media", 7), 8); // the first occurrence wins
    EXPECT_TRUE(ini.readBool("rede", "USA_REDE", false));
    EXPECT_EQ(ini.readString("REDE", "Nome", QString()), QStringLiteral("COLÉGIO"));
    EXPECT_TRUE(ini.contains("notas", "uni_media"));
    EXPECT_FALSE(ini.contains("NOTAS", "Ger_Media"));
    EXPECT_FALSE(ini.contains("", "garbage line"));
}

TEST(IniFile, FallsBackWhenAValueDoesNotConvert)
{
    const IniFile ini =
        IniFile::fromLines({"[N]", "a=x7", "b=", "c=$1F", "d=0", "e=True", "f=talvez", "g=-3"});
    EXPECT_EQ(ini.readInteger("N", "a", 7), 7);
    EXPECT_EQ(ini.readInteger("N", "b", 7), 7);
    EXPECT_EQ(ini.readInteger("N", "c", 7), 31);
    EXPECT_EQ(ini.readInteger("N", "g", 7), -3);
    EXPECT_EQ(ini.readInteger("N", "missing", 7), 7);
    EXPECT_FALSE(ini.readBool("N", "d", true));
    EXPECT_TRUE(ini.readBool("N", "e", false));
    EXPECT_TRUE(ini.readBool("N", "f", true));
    EXPECT_FALSE(ini.readBool("N", "f", false));
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
    EXPECT_FALSE(data::readQuorvelIni(dir.path(), record));
    EXPECT_EQ(record.Uni_Media, 9);
}

TEST(QuorvelIni, AFineWithAPointIsUnderstoodAndGarbageGivesTheDefault)
{
    data::Settings record;
    data::applyQuorvelIni(IniFile::fromLines({"[CCORRENT]", "Juros=0.05"}), record);
    EXPECT_DOUBLE_EQ(record.Juros, 0.05);
    data::applyQuorvelIni(IniFile::fromLines({"[CCORRENT]", "Juros=muito"}), record);
    EXPECT_DOUBLE_EQ(record.Juros, 0.03);
}
