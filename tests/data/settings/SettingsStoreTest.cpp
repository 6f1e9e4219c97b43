#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/SettingsItems.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "support/QStringPrinting.h"
#include "support/RecordedLog.h"
#include "support/RefusingTrigger.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

using namespace data;

class SettingsStore : public ::testing::Test
{
protected:
    void TearDown() override
    {
        Database::closeAll();
        testengine::dropServerYears();
    }
    TempDir m_dir;
};

TEST_F(SettingsStore, EveryItemGoesToItsColumnAndComesBack)
{
    const Database db = createSchoolYear(testengine::yearLocation(m_dir.path()), QStringLiteral("2009"));
    Settings record = Settings::defaults(QStringLiteral("2009"));
    const QList<std::pair<const SettingsItem *, QString>> texts = {
        {&settingsItem(QStringLiteral("Estabel")), QStringLiteral("COLÉGIO D'ÁVILA")},
        {&settingsItem(QStringLiteral("Fone")), QStringLiteral("(71) 3245-6789")},
        {&settingsItem(QStringLiteral("Ano_Ref")), QStringLiteral("2010")},
        {&settingsItem(QStringLiteral("Juros")), QStringLiteral("0,033")},
        {&settingsItem(QStringLiteral("Uni_Media")), QStringLiteral("8")},
        {&settingsItem(QStringLiteral("Data_Venc")), QStringLiteral("5")},
        {&settingsItem(QStringLiteral("PesoUND3")), QStringLiteral("2")},
        {&settingsItem(QStringLiteral("Recup_Media")), QStringLiteral("True")},
        {&settingsItem(QStringLiteral("Arredondamento")), QStringLiteral("2")},
        {&settingsItem(QStringLiteral("Turma_Disc")), QStringLiteral("False")},
        {&settingsItem(QStringLiteral("Termo_Unidade")), QStringLiteral("BIMESTRE")}};
    ASSERT_TRUE(setSettingsTexts(record, texts));
    ASSERT_TRUE(saveSettings(db, record));

    Settings loaded;
    loadSettings(db, loaded);
    for (const SettingsItem &item : settingsItems()) {
        if (item.name != u"Juros") {
            EXPECT_EQ(item.text(loaded), item.text(record)) << item.name.toStdString();
        }
    }
    EXPECT_DOUBLE_EQ(loaded.Juros, 0.03); // the table keeps two decimals
    EXPECT_EQ(loaded.unitPassMark, 8.0);
    EXPECT_EQ(db.scalar(QStringLiteral("select Juros from Usuario")).toString(), QStringLiteral("0.03"));
    EXPECT_EQ(db.scalar(QStringLiteral("select ANO_REF from Usuario")).toInt(), 2010);
    EXPECT_EQ(db.scalar(QStringLiteral("select Version_Info from Usuario")).toString(),
              QStringLiteral("20090601"));
}

TEST_F(SettingsStore, AFailedSaveIsReportedAndLogged)
{
    const Database db = createSchoolYear(testengine::yearLocation(m_dir.path()), QStringLiteral("2009"));
    refuseWrites(db, QStringLiteral("travada"), QStringLiteral("update"), QStringLiteral("Usuario"), QString(),
                 QStringLiteral("tabela travada"));
    Settings record = Settings::defaults(QStringLiteral("2009"));
    record.Uni_Media = 9;
    RecordedLog log;
    const SettingsSaveResult result = saveSettings(db, record);
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.error.contains(QStringLiteral("tabela travada"))) << result.error.toStdString();
    EXPECT_EQ(record.Uni_Media, 9); // the record keeps its values
    ASSERT_EQ(log.warnings(QStringLiteral("lumesco.settings")).size(), 1);
    EXPECT_EQ(log.warnings(QStringLiteral("lumesco.settings")).first(),
              QStringLiteral("a configuração não foi gravada: ") + result.error);

    Settings stored;
    loadSettings(db, stored);
    EXPECT_EQ(stored.Uni_Media, 7);

    const core::Message box = settingsNotSavedMessage(result);
    EXPECT_EQ(box.text, QStringLiteral("Não foi possível gravar a configuração.\r") + result.error +
                            QStringLiteral("\rAs alterações valem apenas até o fim desta sessão."));
    EXPECT_EQ(box.caption, QStringLiteral("Erro"));
    EXPECT_EQ(box.icon, core::Icon::Error);
}

TEST_F(SettingsStore, SavingWithoutAnOpenSchoolYearFailsWithAReason)
{
    RecordedLog log;
    const SettingsSaveResult result = saveSettings();
    EXPECT_FALSE(result.saved());
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(log.warnings(QStringLiteral("lumesco.settings")).size(), 1);
}

TEST_F(SettingsStore, ValuesQuorvelIniRefusesComeBackWithTheSave)
{
    if (testengine::onServer())
        GTEST_SKIP() << "Quorvel.ini lies in a school year's folder; a server year has none";
    const Database db = createSchoolYear(testengine::yearLocation(m_dir.path()), QStringLiteral("2009"));
    m_dir.write(QStringLiteral("Quorvel.ini"), "[CCORRENT]\r\nJuros=0.050\r\n[NOTAS]\r\nUni_Media=8\r\n");
    Settings record = Settings::defaults(QStringLiteral("2009"));
    RecordedLog log;
    const SettingsSaveResult result = saveSettings(db, record, IniFileUse::Read);
    ASSERT_TRUE(result);
    ASSERT_EQ(result.iniNotes.size(), 1);
    EXPECT_TRUE(result.iniNotes.first().contains(QStringLiteral("Juros: 0.050")));
    EXPECT_EQ(log.warnings(QStringLiteral("lumesco.settings")), result.iniNotes);
    Settings stored;
    loadSettings(db, stored);
    EXPECT_DOUBLE_EQ(stored.Juros, 0.03);
    EXPECT_EQ(stored.Uni_Media, 8);
}
