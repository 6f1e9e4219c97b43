// The booklet run on a stored school: which rows are numbered and in what order, the two slips a
// sheet, cancel after the current student, the numbers without printing, the failures that leave
// nothing behind, and where each item lands on the form, in millimetres.
#include "billing/booklets/BookletRun.h"
#include "billing/BillingSchool.h"
#include "billing/booklets/RecordingSheets.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedDialogs.h"

#include <QFile>

using namespace billing;

namespace {

class Booklets : public BillingSchool
{
protected:
    void SetUp() override
    {
        BillingSchool::SetUp();
        m_db.exec(QStringLiteral("update ALUNOS set NOME_RESP = 'MARIA SOUZA', CPF_RESP = '123.456.789-09', "
                                 "CEP = '40000-000', CIDADE = 'SALVADOR' where MATRICULA = 1"));
        // Ana (1G1A): fees of February to April and a book charge in March.
        addCharge(1, QStringLiteral("N"), 2, QDate(2007, 2, 10), 300);
        addCharge(1, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300, QVariant(), QStringLiteral("0"), 30, 15);
        addCharge(1, QStringLiteral("N"), 4, QDate(2007, 4, 10), 1300, QVariant(), QStringLiteral("0"), 0, 0, 12.5);
        addCharge(1, QStringLiteral("2"), 5, QDate(2007, 3, 20), 80);
        // Bruno (1G1A) and Carla (2G1A): March.
        addCharge(2, QStringLiteral("N"), 3, QDate(2007, 3, 5), 300);
        addCharge(3, QStringLiteral("N"), 3, QDate(2007, 3, 30), 412.5);
        // Davi left: his row is never numbered.
        addCharge(4, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300);
        m_charges->refresh();
    }

    static BoletoChoices march()
    {
        BoletoChoices c;
        c.bankBooklet = true;
        c.fromMonth = 3;
        c.toMonth = 3;
        c.firstNumber = QStringLiteral("1000");
        c.message1 = QStringLiteral("Mensagem um");
        c.message2 = QStringLiteral("Mensagem dois");
        c.interestText = QStringLiteral("0,33");
        return c;
    }

    BookletRunResult run(const BoletoChoices &choices, BookletOutput *output)
    {
        return runBooklets(m_db, choices, {QDate(2007, 2, 1), QStringLiteral("BA")}, output, m_reporter);
    }

    // "matricula/parcela:NossoNum" of every numbered row, in number order.
    QStringList numbered() const
    {
        QStringList rows;
        data::Table t(m_db, QStringLiteral("Ccorrent.DB"));
        t.setIndexName(QStringLiteral("nnndx"));
        t.open();
        for (t.first(); !t.eof(); t.next())
            if (!t.isBlank("NossoNum"))
                rows << QStringLiteral("%1/%2:%3").arg(t.asInteger("Matricula")).arg(t.asInteger("ParcelaNum")).arg(
                            qint64(t.asFloat("NossoNum")));
        return rows;
    }

    ScriptedDialogs::Guard m_dialogs;
    RecordingReporter m_reporter;
};

} // namespace

TEST_F(Booklets, FirstNumberIsDigitsAboveZeroOfAtMostElevenDigits)
{
    EXPECT_FALSE(bookletFirstNumber(QStringLiteral("000000000000")));
    EXPECT_FALSE(bookletFirstNumber(QString()));
    EXPECT_FALSE(bookletFirstNumber(QStringLiteral("12a")));
    EXPECT_FALSE(bookletFirstNumber(QStringLiteral("-5")));
    EXPECT_FALSE(bookletFirstNumber(QStringLiteral("123456789012")));
    EXPECT_EQ(bookletFirstNumber(QStringLiteral("000000000001")), 1);
    EXPECT_EQ(bookletFirstNumber(QStringLiteral("99999999999")), 99999999999LL);
}

TEST_F(Booklets, MarchToMarchNumbersEveryKindDueInMarchInClassOrder)
{
    RecordingBooklet output;
    const BookletRunResult result = run(march(), &output);
    EXPECT_EQ(result.outcome, core::RunOutcome::Completed);
    // 1G1A: Ana (fee and books), Bruno; then 2G1A: Carla. Never Davi, never February or April.
    EXPECT_EQ(numbered(), (QStringList{QStringLiteral("1/3:1000"), QStringLiteral("1/5:1001"),
                                       QStringLiteral("2/3:1002"), QStringLiteral("3/3:1003")}));
    EXPECT_EQ(result.slips, 4);
    EXPECT_EQ(result.lastNumber, 1003);
    EXPECT_EQ(m_dialogs->texts(), QStringList{kPositionForm});
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kPrintDone});
    EXPECT_EQ(m_reporter.notes().last().caption, kPrintDoneCaption);
    // The numbers are stamped as the operator's, by the charge rules.
    EXPECT_EQ(count(QStringLiteral("NossoNum is not null and USUARIO = 'TESOURARIA'")), 4);
    // Two slips a sheet, and the job ended.
    EXPECT_EQ(output.sheets().sheetCount(), 2);
    EXPECT_EQ(output.ended, 1);
    EXPECT_EQ(output.aborted, 0);
    EXPECT_EQ(output.sheets().find(QStringLiteral("CARLA"), 1).text.isEmpty(), false);
}

TEST_F(Booklets, AnOddRunLeavesTheLastSheetWithTheUpperSlipAlone)
{
    BoletoChoices c = march();
    c.students.kind = StudentSelection::Kind::List;
    c.students.numbers = {1, 3};
    RecordingBooklet output;
    ASSERT_EQ(run(c, &output).slips, 3);
    EXPECT_EQ(output.sheets().sheetCount(), 2);
    EXPECT_EQ(output.ended, 1);
    const RecordingSheets::Text last = output.sheets().find(QStringLiteral("CARLA"), 1);
    ASSERT_FALSE(last.text.isEmpty());
    EXPECT_NEAR(last.topMm, 54, 0.05); // the upper slot
    EXPECT_TRUE(output.sheets().onSheet(2).isEmpty());
}

TEST_F(Booklets, CancelFinishesTheCurrentStudentThenStopsKeepingWhatWasPrinted)
{
    BoletoChoices c = march();
    RecordingBooklet output;
    m_reporter.cancelAtStep(1); // pressed while Ana's first slip prints
    const BookletRunResult result = run(c, &output);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.outcome, core::RunOutcome::Completed);
    EXPECT_EQ(numbered(), (QStringList{QStringLiteral("1/3:1000"), QStringLiteral("1/5:1001")}));
    EXPECT_EQ(output.drawn, 2);
    EXPECT_EQ(output.ended, 1);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kPrintDone});
}

TEST_F(Booklets, RecordOnlyNumbersExactlyTheRowsThatWouldHaveBeenPrinted)
{
    BoletoChoices c = march();
    c.fromMonth = 2;
    c.toMonth = 4;
    RecordingBooklet output;
    run(c, &output);
    const QStringList printed = numbered();
    m_db.exec(QStringLiteral("update CCORRENT set NossoNum = null"));

    c.recordOnly = true;
    m_reporter = RecordingReporter();
    const BookletRunResult result = run(c, nullptr);
    EXPECT_EQ(result.outcome, core::RunOutcome::Completed);
    EXPECT_EQ(numbered(), printed);
    EXPECT_EQ(printed.size(), 6);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kPrintDone});
    EXPECT_EQ(bookletPreview(m_db, c, {}).size(), 6);
}

TEST_F(Booklets, AFailedNumberStopsTheRunAndLeavesNothingNumberedNorPrinted)
{
    // Bruno's row belongs to the supervisor: the treasurer cannot save it.
    m_db.exec(QStringLiteral("update CCORRENT set STATUS2 = '2' where Matricula = 2"));
    RecordingBooklet output;
    const BookletRunResult result = run(march(), &output);
    EXPECT_EQ(result.outcome, core::RunOutcome::Failed);
    EXPECT_EQ(m_reporter.noteTexts(), (QStringList{kNumberNotStored, kPrintInterrupted}));
    EXPECT_EQ(m_reporter.notes().last().caption, QStringLiteral("Erro"));
    EXPECT_TRUE(numbered().isEmpty());
    EXPECT_EQ(output.aborted, 1);
    EXPECT_EQ(output.ended, 0);
}

TEST_F(Booklets, APrinterFailureDropsTheNumbersOfTheRun)
{
    RecordingBooklet output;
    output.failDrawAt = 2;
    EXPECT_EQ(run(march(), &output).outcome, core::RunOutcome::Failed);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kPrintInterrupted});
    EXPECT_TRUE(numbered().isEmpty());
    EXPECT_EQ(output.aborted, 1);

    RecordingBooklet refused;
    refused.failBegin = true;
    m_reporter = RecordingReporter();
    EXPECT_EQ(run(march(), &refused).outcome, core::RunOutcome::Failed);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kPrintInterrupted});
    EXPECT_TRUE(numbered().isEmpty());
}

TEST_F(Booklets, NumbersBeyondElevenDigitsAreRefusedNotTruncated)
{
    BoletoChoices c = march();
    c.firstNumber = QStringLiteral("99999999998");
    EXPECT_EQ(run(c, nullptr).outcome, core::RunOutcome::Failed);
    EXPECT_EQ(m_reporter.noteTexts(), (QStringList{kNumberNotStored, kPrintInterrupted}));
    EXPECT_TRUE(numbered().isEmpty());
}

TEST_F(Booklets, NothingToPrintAndTheFormNotPositionedEndTheCommand)
{
    BoletoChoices c = march();
    c.students.kind = StudentSelection::Kind::Class;
    c.students.classCode = QStringLiteral("3G1A");
    run(c, nullptr);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kNothingForClass});

    m_reporter = RecordingReporter();
    c.students.kind = StudentSelection::Kind::List;
    c.students.numbers.clear();
    run(c, nullptr);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kSelectionError});

    m_reporter = RecordingReporter();
    m_db.exec(QStringLiteral("update ALUNOS set SIT = 'D'"));
    run(march(), nullptr);
    EXPECT_EQ(m_reporter.noteTexts(), QStringList{kNothingToPrint});
    EXPECT_TRUE(m_dialogs->texts().isEmpty());

    m_db.exec(QStringLiteral("update ALUNOS set SIT = null"));
    m_reporter = RecordingReporter();
    m_dialogs->answer(core::Button::Cancel);
    RecordingBooklet output;
    EXPECT_EQ(run(march(), &output).outcome, core::RunOutcome::Cancelled);
    EXPECT_EQ(output.begun, 0);
    EXPECT_TRUE(numbered().isEmpty());
}

TEST_F(Booklets, UpperSlipItemsLandWhereTheFormHasTheirBlanks)
{
    BoletoChoices c = march();
    c.students.kind = StudentSelection::Kind::List;
    c.students.numbers = {1};
    c.fromMonth = 2;
    c.toMonth = 2;
    RecordingBooklet output;
    ASSERT_EQ(run(c, &output).slips, 1);
    const RecordingSheets &s = output.sheets();
    struct Expected
    {
        const char *start;
        double x;
        double y;
        bool right;
    };
    const Expected items[] = {
        {"10/02/2007", 132, 3, false},
        {"01/02/2007", 3, 17, false},
        {"1", 45, 17, false},
        {"DS", 80, 17, false},
        {"N", 96, 17, false},
        {"300,00", 160, 23, true},
        {"*** VALORES EXPRESSOS EM REAIS ***", 3, 29, false},
        {"APÓS O VENCIMENTO APLICAR MULTA DE 2,0%", 3, 35, false},
        {"E JUROS DE MORA DE 0,33% POR DIA DE ATRASO", 3, 39, false},
        {"Mensagem um", 3, 44, false},
        {"Mensagem dois", 3, 48, false},
        {"ANA   Matrícula: 1      Turma: 1G1A", 3, 54, false},
        {"MARIA SOUZA   CPF: 123.456.789-09", 3, 63, false},
        {"40000-000 SALVADOR - BA", 10, 68, false},
    };
    for (const Expected &e : items) {
        const QString start = QString::fromUtf8(e.start);
        RecordingSheets::Text t;
        for (const RecordingSheets::Text &candidate : s.texts())
            if (candidate.text == start)
                t = candidate;
        ASSERT_FALSE(t.text.isEmpty()) << e.start;
        EXPECT_NEAR(e.right ? t.rightMm : t.leftMm, e.x, 0.05) << e.start;
        EXPECT_NEAR(t.topMm, e.y, 0.05) << e.start;
        EXPECT_EQ(t.pointSize, 9) << e.start;
        EXPECT_EQ(t.italic, start.startsWith(u"Mensagem")) << e.start;
    }
    EXPECT_EQ(s.texts().size(), int(std::size(items))); // no discount, no additions
}

TEST_F(Booklets, LowerSlipHasItsOwnLinesAndShowsDiscountAndAdditions)
{
    BoletoChoices c = march();
    c.students.kind = StudentSelection::Kind::List;
    c.students.numbers = {1};
    c.fromMonth = 3; // March's fee with discount (upper), April's fee with additions (lower),
    c.toMonth = 4;   // then the book charge on the next sheet, in the order they were written
    RecordingBooklet output;
    ASSERT_EQ(run(c, &output).slips, 3);
    const RecordingSheets &s = output.sheets();

    // Upper: March's fee with 30 + 15 of discount, and so without the first message line.
    EXPECT_NEAR(s.find(QStringLiteral("45,00")).rightMm, 160, 0.05);
    EXPECT_NEAR(s.find(QStringLiteral("45,00")).topMm, 29, 0.05);
    EXPECT_NEAR(s.find(QStringLiteral("Mensagem dois")).topMm, 48, 0.05);

    // Lower: April's fee of 1.300,00 with 12,50 of additions and no discount, so message line 1.
    const auto lower = [&](const char *start) { return s.find(QString::fromUtf8(start), 0, 1); };
    EXPECT_NEAR(s.find(QStringLiteral("10/04/2007")).topMm, 104, 0.05);
    EXPECT_NEAR(s.find(QStringLiteral("10/04/2007")).leftMm, 132, 0.05);
    EXPECT_NEAR(lower("01/02/2007").topMm, 118, 0.05);
    EXPECT_NEAR(lower("01/02/2007").leftMm, 3, 0.05);
    EXPECT_NEAR(lower("DS").topMm, 118, 0.05);
    EXPECT_NEAR(lower("DS").leftMm, 80, 0.05);
    EXPECT_NEAR(s.find(QStringLiteral("1.300,00")).topMm, 123, 0.05);
    EXPECT_NEAR(s.find(QStringLiteral("1.300,00")).rightMm, 160, 0.05);
    EXPECT_NEAR(s.find(QStringLiteral("12,50")).topMm, 148, 0.05);
    EXPECT_NEAR(s.find(QStringLiteral("12,50")).rightMm, 160, 0.05);
    EXPECT_NEAR(lower("*** VALORES").topMm, 130, 0.05);
    EXPECT_NEAR(lower("APÓS O VENCIMENTO").topMm, 136, 0.05);
    EXPECT_NEAR(lower("E JUROS DE MORA").topMm, 141, 0.05);
    EXPECT_NEAR(s.find(QStringLiteral("Mensagem um")).topMm, 145, 0.05);
    EXPECT_TRUE(s.find(QStringLiteral("Mensagem um"), 0, 1).text.isEmpty()); // once on the sheet
    EXPECT_NEAR(lower("Mensagem dois").topMm, 149, 0.05);
    EXPECT_NEAR(lower("ANA   Matrícula").topMm, 154, 0.05);
    EXPECT_NEAR(lower("MARIA SOUZA").topMm, 164, 0.05);
    EXPECT_NEAR(lower("40000-000").topMm, 169, 0.05);
    EXPECT_NEAR(lower("40000-000").leftMm, 10, 0.05);

    // Next sheet, upper: the book charge.
    EXPECT_NEAR(s.find(QStringLiteral("20/03/2007"), 1).topMm, 3, 0.05);
    EXPECT_NEAR(s.find(QStringLiteral("80,00"), 1).topMm, 23, 0.05);
    EXPECT_NEAR(s.find(QStringLiteral("80,00"), 1).rightMm, 160, 0.05);
}

TEST_F(Booklets, HiddenDiscountsStillKeepTheFirstMessageLineOff)
{
    BoletoChoices c = march();
    c.students.kind = StudentSelection::Kind::List;
    c.students.numbers = {1};
    c.toMonth = 3;
    c.hideDiscounts = true;
    RecordingBooklet output;
    run(c, &output);
    EXPECT_TRUE(output.sheets().find(QStringLiteral("45,00")).text.isEmpty());
    // Only the book charge, without discount, carries message line 1.
    EXPECT_NEAR(output.sheets().find(QStringLiteral("Mensagem um")).topMm, 145, 0.05);
    EXPECT_TRUE(output.sheets().find(QStringLiteral("Mensagem um"), 0, 1).text.isEmpty());
}

TEST_F(Booklets, APdfOfTheFormsIsWrittenAndAFailedRunLeavesNoFile)
{
    const QString path = m_dir.file(QStringLiteral("carnes.pdf"));
    PdfBooklet pdf(path);
    ASSERT_EQ(run(march(), &pdf).outcome, core::RunOutcome::Completed);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 2);
    file.close();

    m_db.exec(QStringLiteral("update CCORRENT set NossoNum = null, STATUS2 = '2' where Matricula = 3"));
    const QString failed = m_dir.file(QStringLiteral("falhou.pdf"));
    PdfBooklet pdf2(failed);
    m_reporter = RecordingReporter();
    EXPECT_EQ(run(march(), &pdf2).outcome, core::RunOutcome::Failed);
    EXPECT_FALSE(QFile::exists(failed));
}

TEST_F(Booklets, StudentsComeByClassThenNameNotByNumber)
{
    m_db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (8, 'AARÃO', '2G1A'), (9, 'ABEL', '1G1A')"));
    addCharge(8, QStringLiteral("N"), 3, QDate(2007, 3, 10), 412.5);
    addCharge(9, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300);
    run(march(), nullptr);
    EXPECT_EQ(numbered(), (QStringList{QStringLiteral("9/3:1000"), QStringLiteral("1/3:1001"), QStringLiteral("1/5:1002"),
                                       QStringLiteral("2/3:1003"), QStringLiteral("8/3:1004"),
                                       QStringLiteral("3/3:1005")}));
}
