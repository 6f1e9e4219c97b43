#include "OldLayout.h"
#include "core/Session.h"
#include "data/maintenance/AcademicStartup.h"
#include "data/maintenance/CashBookStartup.h"
#include "data/maintenance/LayoutUpgrade.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/schema/SchoolYearSchema.h"
#include "data/settings/SettingsStore.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace data;

namespace {

// What differs from the current layout, field by field and index by index (column order aside).
QStringList differences(const Database &db)
{
    QStringList found;
    for (const TableDef &def : schema::schoolYearTables()) {
        const TableDef stored = db.layout(def.name);
        for (const FieldDef &f : def.fields) {
            const FieldDef *have = stored.field(f.name);
            if (!have)
                found += def.name + "." + f.name + " missing";
            else if (have->type != f.type || have->size != f.size)
                found += def.name + "." + f.name + " differs";
        }
        if (stored.fields.size() != def.fields.size())
            found += def.name + " has extra fields";
        for (const IndexDef &i : def.indexes) {
            if (!i.name.isEmpty() && !stored.index(i.name))
                found += def.name + "." + i.name + " missing";
        }
    }
    return found;
}

QList<int> expectedFirstRun()
{
    return {1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9, 9, 9, 10, 11, 11, 11, 11, 11, 12, 13, 14, 15, 16};
}

class Upgrade : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dataDir = m_dir.file("2008");
        core::session().schoolYear = "2008";
        core::session().dataDir = m_dataDir;
    }
    void TearDown() override
    {
        Database::closeAll();
        settings() = Settings::defaults(QString());
    }

    // A log-on's start-up: academic steps, the cash book, then the settings load.
    AcademicStartupResult logOn()
    {
        AcademicStartupResult result = runAcademicStartup(m_dataDir);
        runCashBookStartup(Database::named("Quorvel"));
        loadSettings();
        return result;
    }

    void fillOldData(const Database &db)
    {
        db.exec("insert into Usuario (Estabel, Endereco, Municipio, CGC, FONE, ANO_REF, UF, "
                "NUM_CADASTRO, Juros, UNI_MEDIA, GER_MEDIA, DATA_VENC, PESO_1, PESO_2, UNID_AVAL, "
                "LIMITE_DEP) values (:e, 'RUA CHILE, 10', 'SALVADOR', '12.345.678/0001-95', "
                "'3245-6789', 2008, 'BA', '2918', 0.05, 7, 5, 15, 2, 1, 3, 1)",
                {{"e", QStringLiteral("COLÉGIO D'ÁVILA")}});
        db.exec("insert into Discturm (SERIE, CODIGO) values ('1G1', 'PO'), ('1G1', 'MA')");
        db.exec("insert into ALUNOS (MATRICULA, NOME, TURMA) values (1, 'ANA', '1G1A'), "
                "(2, 'BETO', '1G1A')");
        db.exec("insert into NOTAS (MATRICULA, DISC, Turma) values (1, 'PO', '1G1A')");
        db.exec("insert into Ccorrent (Matricula, ParcelaNum, ParcelaData, PgtoData) values "
                "(1, 1, '2008-02-10', '2008-02-08'), (1, 2, '2008-03-10', null)");
    }

    QString text(const Database &db, const QString &sql) { return db.scalar(sql).toString(); }

    TempDir m_dir;
    QString m_dataDir;
};

} // namespace

TEST_F(Upgrade, BringsAnOldSchoolYearToTheCurrentLayoutWithItsSideEffects)
{
    const Database db = createOldSchoolYear(m_dataDir);
    fillOldData(db);
    m_dir.write("2008/Quorvel.ini", "[NOTAS]\r\nUni_Media=8\r\n");

    const AcademicStartupResult result = logOn();
    EXPECT_EQ(result.statusText, "Localização da Base de dados: " + m_dataDir);
    EXPECT_TRUE(result.createdTables.isEmpty());
    EXPECT_EQ(result.upgradeSteps, expectedFirstRun());
    EXPECT_EQ(differences(db), QStringList());

    // Settings: identity kept across the column change, the file read, the rest kept or defaulted.
    EXPECT_EQ(text(db, "select Estabel from Usuario"), QStringLiteral("COLÉGIO D'ÁVILA"));
    EXPECT_EQ(text(db, "select Version_Info from Usuario"), "20090601");
    const Settings &s = settings();
    EXPECT_EQ(s.Estabel, QStringLiteral("COLÉGIO D'ÁVILA"));
    EXPECT_EQ(s.Municipio, "SALVADOR");
    EXPECT_EQ(s.Fone, "3245-6789");
    EXPECT_EQ(s.Ano_Ref, "2008");
    EXPECT_EQ(s.Uni_Media, 8);
    EXPECT_EQ(s.Ger_Media, 6); // the file gives its default for every key it lacks
    EXPECT_EQ(s.Unid_Aval, 4);
    EXPECT_DOUBLE_EQ(s.Juros, 0.03);
    EXPECT_EQ(s.Termo_Func, QStringLiteral("Funcionários"));
    EXPECT_EQ(s.PesoUND4, 1);

    // The columns added and filled on the way.
    EXPECT_EQ(db.scalar("select count(*) from Discturm where Consolidada = 0 and Imp_AtaFinal = 1 "
                        "and PESO = 1")
                  .toInt(),
              2);
    EXPECT_EQ(
        db.scalar("select count(*) from ALUNOS where UsarPiscina = 1 and MARCADO = 0").toInt(), 2);
    EXPECT_EQ(text(db, "select STATUS2 from Ccorrent where ParcelaNum = 1"), "1");
    EXPECT_EQ(text(db, "select STATUS2 from Ccorrent where ParcelaNum = 2"), "0");
    EXPECT_EQ(db.scalar("select count(*) from Ccorrent where FORMAPGTO = '0'").toInt(), 2);
    EXPECT_TRUE(db.layout("GrupoConta").index("iGrupoDesc"));
    EXPECT_TRUE(db.layout("Conta").field("DATA_VENC"));
}

TEST_F(Upgrade, ASecondRunOnlyResetsEmptyFlagsAndUnpaidRows)
{
    const Database db = createOldSchoolYear(m_dataDir);
    fillOldData(db);
    logOn();

    // Changes made afterwards: the file is edited, a supervisor locked two rows, a subject was
    // added without its flag.
    m_dir.write("2008/Quorvel.ini", "[NOTAS]\r\nUni_Media=9\r\n");
    db.exec("update Ccorrent set STATUS2 = '2'");
    db.exec("insert into Discturm (SERIE, CODIGO, PESO) values ('1G1', 'HI', 2)");
    db.exec("update Usuario set UNI_MEDIA = 7");
    const QStringList before = differences(db);

    const AcademicStartupResult result = logOn();
    EXPECT_EQ(result.upgradeSteps, (QList<int>{3, 16}));
    EXPECT_EQ(differences(db), before);
    EXPECT_EQ(settings().Uni_Media, 7); // the file is read once per data directory
    EXPECT_EQ(db.scalar("select count(*) from Discturm where Consolidada = 0").toInt(), 3);
    EXPECT_EQ(db.scalar("select PESO from Discturm where CODIGO = 'HI'").toInt(), 2);
    EXPECT_TRUE(db.scalar("select Imp_AtaFinal from Discturm where CODIGO = 'HI'").isNull());
    EXPECT_EQ(text(db, "select STATUS2 from Ccorrent where ParcelaNum = 1"),
              "2"); // paid: stays locked
    EXPECT_EQ(text(db, "select STATUS2 from Ccorrent where ParcelaNum = 2"), "0");
}

TEST_F(Upgrade, WidensTheCertificateSheetAndBookKeepingWhatTheyHold)
{
    const Database db = createOldSchoolYear(m_dataDir, true);
    db.exec("insert into ALUNOS (MATRICULA, NOME, TURMA, CN_FOLHA, CN_LIVRO) values "
            "(1, 'ANA', '1G1A', '12AB', 'L-9'), (2, 'BETO', '1G1A', null, '77')");
    const QList<int> steps = upgradeLayout(db);
    EXPECT_TRUE(steps.contains(8));
    EXPECT_FALSE(steps.contains(7));
    EXPECT_EQ(db.layout("ALUNOS").field("CN_FOLHA")->size, 10);
    EXPECT_EQ(db.layout("ALUNOS").field("CN_LIVRO")->size, 10);
    EXPECT_EQ(text(db, "select CN_FOLHA || '/' || CN_LIVRO from ALUNOS where MATRICULA = 1"),
              "12AB/L-9");
    EXPECT_TRUE(db.scalar("select CN_FOLHA from ALUNOS where MATRICULA = 2").isNull());
    EXPECT_EQ(text(db, "select CN_LIVRO from ALUNOS where MATRICULA = 2"), "77");
    EXPECT_FALSE(upgradeLayout(db).contains(8));
}

TEST_F(Upgrade, ANewDataDirectoryIsCreatedAndNeedsNoUpgrade)
{
    ScriptedDialogs::Guard dialogs;
    QDir().mkpath(m_dataDir); // an empty folder listed for a new year
    const AcademicStartupResult result = logOn();
    EXPECT_EQ(result.createdTables.size(), schema::schoolYearTables().size());
    EXPECT_EQ(result.upgradeSteps, (QList<int>{3, 16}));
    EXPECT_TRUE(dialogs->shown().isEmpty());
    EXPECT_EQ(Database::directoryOfName("veradim"), m_dataDir);
    EXPECT_EQ(Database::directoryOfName("VERCAIXA"), m_dataDir);
    EXPECT_EQ(differences(Database::named("Quorvel")), QStringList());
    EXPECT_EQ(settings().Ano_Ref, "2008");
}

TEST(PhotosDir, IsTheDataDirectoryWithoutItsLastFiveCharactersThenFOTOS)
{
    EXPECT_EQ(photosDirFor("/srv/escola/2009"), "/srv/escola/FOTOS");
    EXPECT_EQ(photosDirFor("/srv/escola/2009/"), "/srv/escola/FOTOS");
}
