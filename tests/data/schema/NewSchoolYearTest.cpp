#include "ExpectedLayouts.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/schema/SchoolYearSchema.h"
#include "data/schema/SettingsSchema.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

using namespace data;

class NewSchoolYear : public ::testing::Test
{
protected:
    void TearDown() override
    {
        Database::closeAll();
        testengine::dropServerYears();
    }
    QString year(const QString &folder) { return testengine::yearLocation(m_dir.file(folder)); }
    TempDir m_dir;
};

TEST_F(NewSchoolYear, GetsEveryTableWithExactFieldsKeysAndIndexes)
{
    const Database db = createSchoolYear(year("2009"), "2009");
    for (const TableDef &def : schema::schoolYearTables()) {
        ASSERT_TRUE(db.hasTable(def.fileName)) << qPrintable(def.fileName);
        EXPECT_EQ(layoutText(db.layout(def.name)), expectedLayouts().value(def.name.toUpper()))
            << qPrintable(def.name);
        EXPECT_EQ(db.compareLayout(def), QStringList()) << qPrintable(def.name);
    }
    EXPECT_EQ(db.scalar("select count(*) from Usuario").toInt(), 1);
    EXPECT_EQ(db.scalar("select count(*) from ALUNOS").toInt(), 0);
}

TEST_F(NewSchoolYear, StartsWithDefaultSettingsForItsYear)
{
    const Database db = createSchoolYear(year("2009"), "2009");
    Settings record;
    record.Uni_Media = 9;
    loadSettings(db, record);
    EXPECT_EQ(record.Ano_Ref, QStringLiteral("2009"));
    EXPECT_EQ(record.Uni_Media, 7);
    EXPECT_EQ(record.Termo_Func, QStringLiteral("Funcionários"));
    EXPECT_TRUE(record.Estabel.isEmpty());
    EXPECT_EQ(db.scalar("select Version_Info from Usuario").toString(), QStringLiteral("20090601"));
}

TEST_F(NewSchoolYear, ReadsQuorvelIniWhenTheDirectoryHasOne)
{
    if (testengine::onServer())
        GTEST_SKIP() << "Quorvel.ini lies in a school year's folder; a server year has none";
    m_dir.write("Quorvel.ini",
                "[NOTAS]\r\nUni_Media=8\r\n[TERMOS]\r\nTermo_Func=Colaboradores\r\n");
    const Database db = createSchoolYear(m_dir.path(), "2010");
    Settings record;
    loadSettings(db, record);
    EXPECT_EQ(record.Uni_Media, 8);
    EXPECT_EQ(record.Ger_Media, 6);
    EXPECT_EQ(record.Termo_Func, QStringLiteral("Colaboradore"));
    EXPECT_EQ(record.Ano_Ref, QStringLiteral("2010"));
}

TEST_F(NewSchoolYear, CreatesOnlyWhatIsMissing)
{
    const Database db = createSchoolYear(year("2009"), "2009");
    db.exec("insert into ALUNOS (MATRICULA, NOME, TURMA) values (1, 'ANA', '1G1A')");
    db.dropTable("Bancos");
    EXPECT_EQ(createMissingTables(db, "2009"), QStringList{"Bancos"});
    EXPECT_EQ(db.scalar("select count(*) from ALUNOS").toInt(), 1);
    EXPECT_EQ(db.scalar("select count(*) from Usuario").toInt(), 1);
}

TEST_F(NewSchoolYear, OpeningADirectoryWithoutASchoolYearIsRefused)
{
    const QString place = year("2009");
    EXPECT_THROW(openSchoolYear(place), StoreError);
    createSchoolYear(place, "2009");
    EXPECT_NO_THROW(openSchoolYear(place));
}

TEST_F(NewSchoolYear, UsersTableStartsWithOneSupervisorWithoutPassword)
{
    const QString place = year("usuarios"); // a place of its own, also on a server
    EXPECT_TRUE(ensureUsersTable(place));
    EXPECT_FALSE(ensureUsersTable(place));
    const Database db = Database::open(place);
    EXPECT_EQ(db.compareLayout(schema::usuarios()), QStringList());
    EXPECT_EQ(db.scalar("select count(*) from Usuarios").toInt(), 1);
    EXPECT_EQ(
        db.scalar("select UserID from Usuarios where Supervisor = 1 and Caixa = 1").toString(),
        QStringLiteral("SUPERVISOR"));
    EXPECT_TRUE(db.scalar("select Password from Usuarios").isNull());
}
