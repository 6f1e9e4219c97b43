// The import of issued booklets: whole charge rows by (student, instalment) with the skip rule
// and the column copy, the bank's slip numbers by student and month, the questions, the
// counters, and the refusals.
#include "billing/import/ChargeImport.h"
#include "billing/BillingSchool.h"
#include "data/store/ExternalTable.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedDialogs.h"

#include "support/TestEngine.h"

#include <QDir>
#include <QFile>
#include <shapefil.h>

using namespace billing;

namespace {

struct SourceCharge
{
    const char *turma;
    double matricula;
    const char *nome;
    const char *tipo;
    int parcela;
    const char *due; // yyyymmdd
    double valor;
    double nossoNum;
};

class Import : public BillingSchool
{
protected:
    void SetUp() override
    {
        BillingSchool::SetUp();
        // The import opens the charge table alone.
        m_charges.reset();
    }

    // A dBase file in the charge table's column order (names cut to dBase's ten characters),
    // with `extra` more columns at the end.
    QString chargesDbf(const QList<SourceCharge> &rows, bool extraColumn = false)
    {
        const QString path = m_dir.file(QStringLiteral("carnes.dbf"));
        DBFHandle h = DBFCreate(QFile::encodeName(path).constData());
        DBFAddField(h, "TURMA", FTString, 5, 0);
        DBFAddField(h, "MATRICULA", FTDouble, 10, 0);
        DBFAddField(h, "NOME", FTString, 42, 0);
        DBFAddField(h, "TIPO", FTString, 1, 0);
        DBFAddField(h, "PARCELANUM", FTInteger, 4, 0);
        DBFAddNativeFieldType(h, "PARCELADAT", 'D', 8, 0);
        DBFAddField(h, "PARCELAVAL", FTDouble, 12, 2);
        DBFAddField(h, "DESCONTOFI", FTDouble, 12, 2);
        DBFAddField(h, "DESCONTOEV", FTDouble, 12, 2);
        DBFAddField(h, "ACRESCIMOS", FTDouble, 12, 2);
        DBFAddField(h, "NOSSONUM", FTDouble, 12, 0);
        DBFAddNativeFieldType(h, "PGTODATA", 'D', 8, 0);
        DBFAddField(h, "PGTOVALOR", FTDouble, 12, 2);
        DBFAddField(h, "FORMAPGTO", FTString, 1, 0);
        DBFAddField(h, "STATUS", FTString, 1, 0);
        DBFAddField(h, "OBSERVACAO", FTString, 42, 0);
        DBFAddField(h, "USUARIO", FTString, 10, 0);
        DBFAddField(h, "STATUS2", FTString, 1, 0);
        if (extraColumn)
            DBFAddField(h, "EXTRA", FTString, 5, 0);
        for (int r = 0; r < rows.size(); ++r) {
            const SourceCharge &c = rows.at(r);
            DBFWriteStringAttribute(h, r, 0, c.turma);
            DBFWriteDoubleAttribute(h, r, 1, c.matricula);
            DBFWriteStringAttribute(h, r, 2, c.nome);
            DBFWriteStringAttribute(h, r, 3, c.tipo);
            DBFWriteIntegerAttribute(h, r, 4, c.parcela);
            QByteArray due(c.due);
            DBFWriteAttributeDirectly(h, r, 5, due.data());
            DBFWriteDoubleAttribute(h, r, 6, c.valor);
            for (int f : {7, 8, 9})
                DBFWriteDoubleAttribute(h, r, f, 0);
            DBFWriteDoubleAttribute(h, r, 10, c.nossoNum);
            DBFWriteNULLAttribute(h, r, 11);
            DBFWriteNULLAttribute(h, r, 12);
            DBFWriteStringAttribute(h, r, 13, "0");
            for (int f : {14, 15, 16, 17})
                DBFWriteNULLAttribute(h, r, f);
            if (extraColumn)
                DBFWriteStringAttribute(h, r, 18, "X");
        }
        DBFClose(h);
        return path;
    }

    // The bank's file: matricula, vencimento (ddmmyy) and noss_nr_dv.
    QString bankDbf(const QList<std::tuple<double, const char *, const char *>> &rows, bool numericDue = false)
    {
        const QString path = m_dir.file(QStringLiteral("banco.dbf"));
        DBFHandle h = DBFCreate(QFile::encodeName(path).constData());
        DBFAddField(h, "matricula", FTDouble, 10, 0);
        if (numericDue)
            DBFAddField(h, "vencimento", FTInteger, 6, 0);
        else
            DBFAddField(h, "vencimento", FTString, 6, 0);
        DBFAddField(h, "noss_nr_dv", FTString, 12, 0);
        for (int r = 0; r < rows.size(); ++r) {
            DBFWriteDoubleAttribute(h, r, 0, std::get<0>(rows.at(r)));
            if (numericDue)
                DBFWriteIntegerAttribute(h, r, 1, QByteArray(std::get<1>(rows.at(r))).toInt());
            else
                DBFWriteStringAttribute(h, r, 1, std::get<1>(rows.at(r)));
            DBFWriteStringAttribute(h, r, 2, std::get<2>(rows.at(r)));
        }
        DBFClose(h);
        return path;
    }

    ChargeImportResult import(const QString &path, bool bank)
    {
        m_reporter = RecordingReporter();
        const std::unique_ptr<data::Dataset> source = data::openExternalTable(path, QStringLiteral("Ccorrent"));
        return importCharges(m_db, *source, bank, m_reporter);
    }

    // NossoNum of every charge row, in the table's order (by student, then as written); "-" for none.
    QString slipNumbers() const
    {
        QStringList numbers;
        data::Table t(m_db, QStringLiteral("Ccorrent.DB"));
        t.open();
        for (t.first(); !t.eof(); t.next())
            numbers << (t.isBlank("NossoNum") ? QStringLiteral("-") : QString::number(qint64(t.asFloat("NossoNum"))));
        return numbers.join(u',');
    }

    ScriptedDialogs::Guard m_dialogs;
    RecordingReporter m_reporter;
};

} // namespace

TEST_F(Import, FullImportCopiesEachColumnAndSkipsRowsAlreadyThere)
{
    addCharge(1, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300);
    const QString path = chargesDbf({{"1G1A", 1, "ANA", "N", 3, "20070310", 999, 5},
                                     {"1G1A", 1, "ANA", "N", 4, "20070410", 300, 12345678901.0},
                                     {"2G1A", 3, "CARLA", "2", 1, "20070520", 80.5, 0}});
    const ChargeImportResult result = import(path, false);
    EXPECT_EQ(m_dialogs->texts(), QStringList{kImportFullQuestion});
    EXPECT_EQ(result.outcome, core::RunOutcome::Completed);
    EXPECT_EQ(result.read, 3);
    EXPECT_EQ(result.written, 2);
    EXPECT_EQ(readCounterText(result.read, result.total), QStringLiteral("Lendo: 3 de 3"));
    EXPECT_EQ(writtenCounterText(result.written), QStringLiteral("Gravados: 2"));
    EXPECT_EQ(m_reporter.stepTexts().last(), QStringLiteral("Lendo: 3 de 3   Gravados: 2"));
    EXPECT_TRUE(m_reporter.noteTexts().isEmpty());

    EXPECT_EQ(count(), 3);
    EXPECT_EQ(count(QStringLiteral("Matricula = 1 and ParcelaNum = 3 and ParcelaValor = 300")), 1); // untouched
    data::Table t(m_db, QStringLiteral("Ccorrent.DB"));
    t.open();
    ASSERT_TRUE(t.locate(QStringLiteral("Matricula;ParcelaNum"), {1.0, 4}));
    EXPECT_EQ(t.asText("TURMA"), QStringLiteral("1G1A"));
    EXPECT_EQ(t.asText("NOME"), QStringLiteral("ANA"));
    EXPECT_EQ(t.asDate("ParcelaData"), QDate(2007, 4, 10));
    EXPECT_EQ(qint64(t.asFloat("NossoNum")), 12345678901LL);
    EXPECT_EQ(t.asText("USUARIO"), QStringLiteral("TESOURARIA")); // the rules stamp the importer
    ASSERT_TRUE(t.locate(QStringLiteral("Matricula;ParcelaNum"), {3.0, 1}));
    EXPECT_EQ(t.asText("Tipo"), QStringLiteral("2"));
    EXPECT_EQ(t.displayText("ParcelaValor"), QStringLiteral("80,50"));
}

TEST_F(Import, AFileWhoseRowsAllExistWritesNothingAndKeepsTheStartingCounter)
{
    addCharge(1, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300);
    const ChargeImportResult result = import(chargesDbf({{"1G1A", 1, "ANA", "N", 3, "20070310", 999, 5}}), false);
    EXPECT_EQ(result.written, 0);
    EXPECT_EQ(writtenCounterText(result.written), QStringLiteral("gravados: ..."));
    EXPECT_EQ(count(), 1);
}

TEST_F(Import, NoToTheQuestionImportsNothingAndAnEmptyTableIsNotAsked)
{
    addCharge(1, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300);
    const QString path = chargesDbf({{"1G1A", 1, "ANA", "N", 4, "20070410", 300, 0}});
    m_dialogs->answer(core::Button::No);
    EXPECT_EQ(import(path, false).outcome, core::RunOutcome::Cancelled);
    EXPECT_EQ(count(), 1);

    m_db.exec(QStringLiteral("delete from CCORRENT"));
    m_dialogs->clear();
    EXPECT_EQ(import(path, false).written, 1);
    EXPECT_TRUE(m_dialogs->texts().isEmpty());
}

TEST_F(Import, AColumnThatCannotBeCopiedIsNamedAndTheRowStillSaved)
{
    const ChargeImportResult result = import(chargesDbf({{"1G1A", 1, "ANA", "N", 4, "20070410", 300, 0}}, true), false);
    EXPECT_EQ(result.written, 1);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{QStringLiteral("Erro ao gravar em tblCCorrent no campo EXTRA")});
    EXPECT_EQ(count(QStringLiteral("Matricula = 1 and ParcelaNum = 4")), 1);
}

TEST_F(Import, ARowThatCannotBeSavedIsReportedAndTheOthersGoOn)
{
    // No due date: the charge table requires one.
    const ChargeImportResult result = import(chargesDbf({{"1G1A", 1, "ANA", "N", 4, "        ", 300, 0},
                                                         {"1G1A", 1, "ANA", "N", 5, "20070510", 300, 0}}),
                                             false);
    EXPECT_EQ(result.read, 2);
    EXPECT_EQ(result.written, 1);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kImportRowSaveError});
    EXPECT_EQ(count(), 1);
}

// Another year's charge table: its file in the year's folder, or the year's address on the server.
TEST_F(Import, AnotherSchoolYearsChargeTableIsASource)
{
    const QString folder = m_dir.file(QStringLiteral("2006"));
    QDir().mkpath(folder);
    const QString other = testengine::yearLocation(folder);
    {
        data::Database old = data::createSchoolYear(other, QStringLiteral("2006"));
        old.exec(QStringLiteral("insert into CCORRENT (TURMA, Matricula, NOME, Tipo, ParcelaNum, ParcelaData, "
                                "ParcelaValor, NossoNum) values ('1G1A', 2, 'BRUNO', 'N', 12, '2006-12-10', 250, 777)"));
    }
    const ChargeImportResult result =
        import(testengine::onServer() ? other : QDir(other).filePath(QStringLiteral("Ccorrent.DB")), false);
    EXPECT_EQ(result.written, 1);
    EXPECT_EQ(count(QStringLiteral("Matricula = 2 and ParcelaNum = 12 and NossoNum = 777 and "
                                   "ParcelaData = '2006-12-10'")),
              1);
}

TEST_F(Import, BankImportPutsTheSlipNumberIntoTheFirstFeeOfTheMonth)
{
    addCharge(1, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300);
    addCharge(1, QStringLiteral("N"), 4, QDate(2007, 4, 10), 300);
    // Bruno has two fees due in March: only the first found takes the number.
    addCharge(2, QStringLiteral("N"), 3, QDate(2007, 3, 5), 300);
    addCharge(2, QStringLiteral("N"), 13, QDate(2007, 3, 25), 300);
    // Carla has a book charge in May but no fee: nothing changes.
    addCharge(3, QStringLiteral("2"), 1, QDate(2007, 5, 20), 80);
    const QString path = bankDbf({{1, "100407", "123456789012"},
                                  {2, "050307", "98765432109"},
                                  {3, "200507", "555555555555"},
                                  {1, "100807", "444444444444"},
                                  {99, "100307", "333333333333"}});
    const ChargeImportResult result = import(path, true);
    EXPECT_EQ(m_dialogs->texts(), QStringList{kImportBankQuestion});
    EXPECT_EQ(result.outcome, core::RunOutcome::Completed);
    EXPECT_EQ(result.read, 5);
    EXPECT_EQ(result.written, 2);
    // The twelfth character, the check digit, is left off.
    EXPECT_EQ(slipNumbers(), QStringLiteral("-,12345678901,98765432109,-,-"));
}

TEST_F(Import, BankDueDatesReadAsNumbersKeepTheirMonth)
{
    addCharge(1, QStringLiteral("N"), 3, QDate(2007, 3, 5), 300);
    addCharge(1, QStringLiteral("N"), 5, QDate(2007, 5, 5), 300);
    // 050307 stored as the number 50307.
    EXPECT_EQ(import(bankDbf({{1, "050307", "111111111112"}}, true), true).written, 1);
    EXPECT_EQ(slipNumbers(), QStringLiteral("11111111111,-"));
}

TEST_F(Import, BankImportRefusedOrWithoutTheBankColumnsChangesNothing)
{
    addCharge(1, QStringLiteral("N"), 4, QDate(2007, 4, 10), 300);
    m_dialogs->answer(core::Button::No);
    EXPECT_EQ(import(bankDbf({{1, "100407", "123456789012"}}), true).outcome, core::RunOutcome::Cancelled);
    EXPECT_EQ(count(QStringLiteral("NossoNum is not null")), 0);

    EXPECT_EQ(import(chargesDbf({{"1G1A", 1, "ANA", "N", 4, "20070410", 300, 0}}), true).outcome,
              core::RunOutcome::Failed);
    EXPECT_EQ(count(QStringLiteral("NossoNum is not null")), 0);
}

TEST_F(Import, AChargeTableInUseStopsTheImportBeforeAnything)
{
    addCharge(1, QStringLiteral("N"), 4, QDate(2007, 4, 10), 300);
    data::Table held(m_db, QStringLiteral("Ccorrent.DB"));
    held.open();
    const ChargeImportResult result = import(bankDbf({{1, "100407", "123456789012"}}), true);
    EXPECT_EQ(result.outcome, core::RunOutcome::Failed);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kImportLockError});
    EXPECT_TRUE(m_dialogs->texts().isEmpty());
    EXPECT_EQ(count(QStringLiteral("NossoNum is not null")), 0);
}
