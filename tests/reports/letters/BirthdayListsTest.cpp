#include "LetterSchool.h"

#include "reports/letters/BirthdayLists.h"

#include "core/Clock.h"
#include "core/Shell.h"
#include "core/TextFile.h"
#include "support/QStringPrinting.h"

#include <QFile>

using namespace reports;

namespace {

class BirthdayListsTest : public LetterSchool
{
protected:
    void SetUp() override
    {
        LetterSchool::SetUp();
        addPerson(1, QStringLiteral("BRUNA"), QStringLiteral("1G5A"), QDate(2015, 3, 20));
        addPerson(2, QStringLiteral("ALICE"), QStringLiteral("1G5A"), QDate(2015, 3, 4));
        addPerson(3, QStringLiteral("CAIO"), QStringLiteral("1G4A"), QDate(2016, 3, 20));
        addPerson(4, QStringLiteral("DORA"), QStringLiteral("1G4A"), QDate(2016, 3, 9), QStringLiteral("D"));
        addPerson(5, QStringLiteral("EDU"), QStringLiteral("1G4A"), QDate(2016, 3, 9), QStringLiteral("T"));
        addPerson(6, QStringLiteral("FABIO"), QStringLiteral("1G4A"), QDate(2016, 4, 20), QStringLiteral("B"));
        m_previousShell = core::setShell(std::make_unique<core::RecordingShell>());
    }

    void TearDown() override
    {
        core::setShell(std::move(m_previousShell));
        LetterSchool::TearDown();
    }

    std::unique_ptr<core::Shell> m_previousShell;
};

TEST_F(BirthdayListsTest, MonthListTakesActiveStudentsByClassAndDay)
{
    const core::SemicolonTable all = studentBirthdays(m_db, {QString(), 3, 0});
    ASSERT_EQ(all.rows.size(), 3); // the dropped-out and the transferred are left out
    EXPECT_EQ(all.rows.at(0), (QStringList{"", "3", "CAIO", "20", "1G4A"}));
    EXPECT_EQ(all.rows.at(1), (QStringList{"", "2", "ALICE", "4", "1G5A"}));
    EXPECT_EQ(all.rows.at(2), (QStringList{"", "1", "BRUNA", "20", "1G5A"}));

    EXPECT_EQ(studentBirthdays(m_db, {QStringLiteral("1G5A"), 3, 0}).rows.size(), 2);
    const core::SemicolonTable day = studentBirthdays(m_db, {QString(), 3, 20});
    ASSERT_EQ(day.rows.size(), 2);
    EXPECT_EQ(day.rows.at(1).at(2), QStringLiteral("BRUNA"));
    // A scholarship holder is an active student.
    EXPECT_EQ(studentBirthdays(m_db, {QString(), 4, 0}).rows.at(0).at(0), QStringLiteral("B"));
}

// Namesakes born on one day: in the order of their numbers on every engine.
TEST_F(BirthdayListsTest, NamesakesOfOneDayComeInTheOrderOfTheirNumbers)
{
    for (qint64 m : {9, 7, 8})
        addPerson(m, QStringLiteral("GIL"), QStringLiteral("1G5A"), QDate(2015, 3, 20));
    const core::SemicolonTable day = studentBirthdays(m_db, {QStringLiteral("1G5A"), 3, 20});
    QStringList numbers;
    for (const QStringList &row : day.rows)
        numbers << row.at(2) + u'/' + row.at(1);
    EXPECT_EQ(numbers, (QStringList{"BRUNA/1", "GIL/7", "GIL/8", "GIL/9"}));
}

TEST_F(BirthdayListsTest, ReportHasTheMonthTitleAndAHeadingPerClass)
{
    const Document document = birthdayList(m_db, m_school, {QString(), 3, 0});
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("ANIVERSARIANTES DO MÊS DE MARÇO")));
    EXPECT_EQ(textsStarting(document, 0, QStringLiteral("TURMA: ")),
              (QStringList{"TURMA: 1G4A - 4º ANO A", "TURMA: 1G5A - 5º ANO A"}));
    const Item *alice = findText(document, 0, QStringLiteral("ALICE"));
    const Item *bruna = findText(document, 0, QStringLiteral("BRUNA"));
    ASSERT_TRUE(alice && bruna);
    EXPECT_LT(alice->rect.y(), bruna->rect.y());
    EXPECT_FALSE(findText(document, 0, QStringLiteral("DORA")));
}

TEST_F(BirthdayListsTest, ExportWritesTheSpreadsheetLinesAndOpensTheFile)
{
    const QList<ReportEntry> entries = birthdayEntries();
    ReportValues values(entries.at(0).params);
    values.set(QStringLiteral("month"), QStringLiteral("3"), m_db);
    values.set(QStringLiteral("class"), QStringLiteral("1G5A"), m_db);
    values.set(QStringLiteral("export"), QStringLiteral("S"), m_db);
    entries.at(0).build({m_db, m_school, values});

    const QString file = QStringLiteral("Alunos Aniversariantes em Março.csv");
    EXPECT_EQ(birthdayFileName(3), file);
    const std::optional<QStringList> lines = core::readTextLines(file);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (QStringList{"ANIVERSARIANTES DO MÊS DE MARÇO", "SIT;MATRICULA;NOME;DIA;TURMA",
                                   ";2;ALICE;4;1G5A", ";1;BRUNA;20;1G5A"}));
    const auto &shell = static_cast<const core::RecordingShell &>(core::shell());
    ASSERT_EQ(shell.opened().size(), 1);
    EXPECT_TRUE(shell.opened().at(0).endsWith(file));

    // Without the box nothing is written.
    QFile::remove(file);
    values.set(QStringLiteral("export"), QStringLiteral("N"), m_db);
    entries.at(0).build({m_db, m_school, values});
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(BirthdayListsTest, DayListDefaultsToToday)
{
    core::pinClock(QDateTime(QDate(2026, 3, 20), QTime(9, 0)));
    const QList<ReportEntry> entries = birthdayEntries();
    ASSERT_EQ(entries.at(1).name, QStringLiteral("aniversariantes-dia"));
    ReportValues values(entries.at(1).params);
    values.set(QStringLiteral("month"), QStringLiteral("3"), m_db);
    const Document document = entries.at(1).build({m_db, m_school, values});
    core::pinClock(QDateTime());
    EXPECT_TRUE(findText(document, 0, QStringLiteral("BRUNA")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("CAIO")));
    EXPECT_FALSE(findText(document, 0, QStringLiteral("ALICE")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("Apenas para o dia 20")));
}

TEST_F(BirthdayListsTest, StaffListPrintsTheDayUnderTheStaffTerm)
{
    setting(QStringLiteral("Termo_Func"), QStringLiteral("Servidores"));
    addStaff(10, QStringLiteral("ZULEIDE"), QDate(1980, 3, 2), QStringLiteral("SECRETÁRIA"));
    addStaff(11, QStringLiteral("MARCOS"), QDate(1975, 3, 28), QStringLiteral("PROFESSOR"));
    addStaff(12, QStringLiteral("NINA"), QDate(1990, 7, 1), QStringLiteral("PROFESSORA"));
    const Document document = staffBirthdayList(m_db, m_school, 3);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("SERVIDORES ANIVERSARIANTES DO MÊS DE MARÇO")));
    const Item *zuleide = findText(document, 0, QStringLiteral("ZULEIDE"));
    const Item *marcos = findText(document, 0, QStringLiteral("MARCOS"));
    ASSERT_TRUE(zuleide && marcos);
    EXPECT_LT(zuleide->rect.y(), marcos->rect.y());
    EXPECT_TRUE(findText(document, 0, QStringLiteral("02")));
    EXPECT_FALSE(findText(document, 0, QStringLiteral("NINA")));
}

} // namespace
