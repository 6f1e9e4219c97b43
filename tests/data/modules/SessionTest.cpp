#include "ModuleFixture.h"

#include "data/settings/Settings.h"

#include <QDir>

using namespace data;

TEST_F(ModuleFixture, LogOnCreatesAMissingSchoolYearAndLogOffForgetsTheUser)
{
    const QString otherYear = m_dir.file(QStringLiteral("2010"));
    logOnAs(user(QStringLiteral("ANA"), {QStringLiteral("Notas")}), otherYear);
    EXPECT_TRUE(QFileInfo::exists(QDir(otherYear).filePath(QString::fromLatin1(kStoreFileName))));
    EXPECT_EQ(core::session().userName, QStringLiteral("ANA"));
    EXPECT_EQ(core::session().schoolYear, QStringLiteral("2009"));
    EXPECT_EQ(core::session().dataDir, otherYear);
    EXPECT_TRUE(core::session().rights.notas);
    EXPECT_FALSE(core::session().rights.alunos);
    EXPECT_EQ(settings().Ano_Ref, QStringLiteral("2009"));
    m_academic->tblAlunos().open();
    EXPECT_EQ(QDir(m_academic->tblAlunos().database().directory()), QDir(otherYear));

    closeSession(*m_academic, *m_cashBook);
    EXPECT_FALSE(core::session().isOpen());
    EXPECT_FALSE(core::session().rights.notas);
    EXPECT_FALSE(Database::nameExists(QStringLiteral("Quorvel")));
    EXPECT_FALSE(m_academic->tblAlunos().isOpen());

    logOnAs(user(QStringLiteral("ANA"), {QStringLiteral("Notas")}));
    m_academic->tblAlunos().open();
    EXPECT_EQ(QDir(m_academic->tblAlunos().database().directory()), QDir(m_location));
}

TEST_F(ModuleFixture, AStartUpThatCannotReachTheDataThrows)
{
    const QString notADirectory = m_dir.write(QStringLiteral("arquivo"), "x");
    EXPECT_ANY_THROW(logOnAs(user(QStringLiteral("ANA"), {QStringLiteral("Notas")}), notADirectory));
}
