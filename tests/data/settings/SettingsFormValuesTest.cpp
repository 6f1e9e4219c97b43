#include "data/settings/SettingsFormValues.h"
#include "data/settings/SettingsItems.h"

#include <gtest/gtest.h>

using data::Settings;
using data::SettingsFormValues;

TEST(SettingsFormValues, ShowsTheRecordAndReadsItBackUnchanged)
{
    Settings record = Settings::defaults("2009");
    record.Estabel = "COLÉGIO D'ÁVILA";
    record.Juros = 0.033;
    const SettingsFormValues values = SettingsFormValues::from(record);
    EXPECT_EQ(values.juros, QStringLiteral("0,03")); // shown with two decimals
    EXPECT_EQ(values.anoRef, QStringLiteral("2009"));
    Settings read = Settings::defaults("2009");
    ASSERT_TRUE(values.readInto(read));
    EXPECT_EQ(read.Estabel, record.Estabel);
    EXPECT_DOUBLE_EQ(read.Juros, 0.03);
    EXPECT_EQ(data::settingsItems(read).mid(1),
              data::settingsItems(Settings::defaults("2009")).mid(1));
}

TEST(SettingsFormValues, StopsAtTheFirstFieldThatDoesNotConvert)
{
    Settings record = Settings::defaults("2009");
    SettingsFormValues values = SettingsFormValues::from(record);
    values.fone = "3245-6789";
    values.juros = "0,10";
    values.uniMedia = "8";
    values.peso1 = "x"; // fails here
    values.peso2 = "3"; // never read
    values.dataVenc = "5";
    EXPECT_FALSE(values.readInto(record));
    EXPECT_EQ(record.Fone, QStringLiteral("3245-6789"));
    EXPECT_DOUBLE_EQ(record.Juros, 0.10);
    EXPECT_EQ(record.Uni_Media, 8);
    EXPECT_EQ(record.Peso_1, 1);
    EXPECT_EQ(record.Peso_2, 1);
    EXPECT_EQ(record.Data_Venc, 10);
}

TEST(SettingsFormValues, RefusesValuesThatWouldBreakTheSave)
{
    const Settings base = Settings::defaults("2009");
    auto refused = [&](auto change) {
        SettingsFormValues values = SettingsFormValues::from(base);
        change(values);
        Settings record = base;
        return !values.readInto(record);
    };
    EXPECT_TRUE(refused([](SettingsFormValues &v) { v.juros = "abc"; }));
    EXPECT_TRUE(refused([](SettingsFormValues &v) { v.anoRef = "20a9"; }));
    EXPECT_TRUE(refused([](SettingsFormValues &v) { v.unidAval = "5"; }));
    EXPECT_TRUE(refused([](SettingsFormValues &v) { v.unidAval = "0"; }));
    EXPECT_TRUE(refused([](SettingsFormValues &v) { v.pesoUnd[3] = ""; }));
    EXPECT_FALSE(refused([](SettingsFormValues &v) { v.unidAval = " 3 "; }));
    EXPECT_FALSE(refused([](SettingsFormValues &v) { v.limiteDep = "0"; }));
}

TEST(SettingsFormValues, CutsTextsToTheirLimits)
{
    Settings record = Settings::defaults("2009");
    SettingsFormValues values = SettingsFormValues::from(record);
    values.municipio = QString(40, u'M');
    values.termoRecup = "RECUPERAÇÃO";
    ASSERT_TRUE(values.readInto(record));
    EXPECT_EQ(record.Municipio.size(), 30);
    EXPECT_EQ(record.Termo_Recup, QStringLiteral("RECUP"));
}

TEST(SettingsItems, ListsAndSetsItemsByName)
{
    Settings record = Settings::defaults("2009");
    const auto items = data::settingsItems(record);
    ASSERT_EQ(items.size(), 27);
    EXPECT_EQ(items.first().first, QStringLiteral("Estabel"));
    EXPECT_EQ(items.at(8), qMakePair(QStringLiteral("Juros"), QStringLiteral("0,03")));
    EXPECT_EQ(items.last(), qMakePair(QStringLiteral("Turma_Disc"), QStringLiteral("True")));

    QString error;
    EXPECT_TRUE(data::setSettingsItem(record, "juros", "0,05", &error));
    EXPECT_DOUBLE_EQ(record.Juros, 0.05);
    EXPECT_TRUE(data::setSettingsItem(record, "Usa_Rede", "Sim", &error));
    EXPECT_TRUE(record.Usa_Rede);
    EXPECT_TRUE(data::setSettingsItem(record, "UF", "BAHIA", &error));
    EXPECT_EQ(record.UF, QStringLiteral("BA"));
    EXPECT_FALSE(data::setSettingsItem(record, "Uni_Media", "sete", &error));
    EXPECT_EQ(error, QStringLiteral("valor inválido para Uni_Media: sete"));
    EXPECT_FALSE(data::setSettingsItem(record, "Cor", "azul", &error));
    EXPECT_EQ(error, QStringLiteral("item de configuração desconhecido: Cor"));
}
