#include "LetterSchool.h"

#include "reports/letters/DefaultNotice.h"

#include "core/Clock.h"
#include "core/TextFile.h"
#include "support/QStringPrinting.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

using namespace reports;

namespace {

class DefaultNoticeTest : public LetterSchool
{
protected:
    void SetUp() override
    {
        LetterSchool::SetUp();
        core::pinClock(QDateTime(QDate(2026, 4, 20), QTime(10, 0)));
        addPerson(1, QStringLiteral("ANA D'ÁVILA"), QStringLiteral("1G5A"), QDate(2015, 1, 1));
        addPerson(2, QStringLiteral("BRUNO"), QStringLiteral("1G4A"), QDate(2016, 1, 1), QStringLiteral("T"));
        addPerson(3, QStringLiteral("CLARA"), QStringLiteral("1G4A"), QDate(2016, 1, 1));
        addCharge(1, 1, QDate(2026, 1, 10), 300, QDate(2026, 1, 10), 300); // paid
        addCharge(1, 2, QDate(2026, 2, 10), 300);
        addCharge(1, 3, QDate(2026, 3, 10), 300);
        addCharge(1, 4, QDate(2026, 4, 10), 300); // not before the date
        addCharge(1, 1, QDate(2026, 2, 1), 80, QDate(), 0, QStringLiteral("1")); // not a monthly fee
        addCharge(2, 2, QDate(2026, 2, 10), 250);
        m_db.exec(QStringLiteral("update Ccorrent set DescontoFixo = 30, Acrescimos = 6.15 where Matricula = 1 and ParcelaNum = 3"));
    }

    void TearDown() override
    {
        core::pinClock(QDateTime());
        LetterSchool::TearDown();
    }

    NoticeChoice choice() const
    {
        NoticeChoice c;
        c.before = QDate(2026, 4, 10);
        c.text = {QStringLiteral("TEXTO DO AVISO")};
        return c;
    }
};

TEST_F(DefaultNoticeTest, OnlyOverdueMonthlyFeesBeforeTheDateCount)
{
    RecordList rows = openInstalments(m_db, choice());
    QStringList found;
    for (rows.first(); !rows.eof(); rows.next())
        found << rows.value(QStringLiteral("MATRICULA")).toString() + u'/' + rows.value(QStringLiteral("PARCELA")).toString() +
                     u'/' + QString::number(rows.value(QStringLiteral("VALOR")).toDouble(), 'f', 2);
    // Class 1G4A first; the discount and the additions give the final value 276,15.
    EXPECT_EQ(found, (QStringList{"2/2/250.00", "1/2/300.00", "1/3/276.15"}));

    NoticeChoice oneClass = choice();
    oneClass.classCode = QStringLiteral("1G5A");
    EXPECT_EQ(openInstalments(m_db, oneClass).size(), 2);
    NoticeChoice oneStudent = choice();
    oneStudent.matricula = 2;
    oneStudent.classCode = QStringLiteral("1G5A"); // a student's notice ignores the class
    EXPECT_EQ(openInstalments(m_db, oneStudent).size(), 1);
    // A class typed with a quote is a value like any other.
    NoticeChoice odd = choice();
    odd.classCode = QStringLiteral("1G5A' or '1'='1");
    EXPECT_EQ(openInstalments(m_db, odd).size(), 0);
}

TEST_F(DefaultNoticeTest, OneLetterPerStudentWithTheStampForLeavers)
{
    const Document document = noticeLetters(m_db, m_school, choice());
    ASSERT_EQ(document.pageCount(), 2);
    // The transferred student of 1G4A comes first.
    EXPECT_TRUE(findText(document, 0, QStringLiteral("Prezado(a) Senhor(a),  RESP BRUNO")));
    EXPECT_TRUE(findText(document, 0, QStringLiteral("Aluno Transferido")));
    EXPECT_TRUE(findText(document, 1, QStringLiteral("Prezado(a) Senhor(a),  RESP ANA D'ÁVILA")));
    EXPECT_FALSE(findText(document, 1, QStringLiteral("Aluno Transferido")));
    EXPECT_FALSE(findText(document, 1, QStringLiteral("Aluno Desistente")));
    const QStringList page = document.texts(1);
    for (const char *expected : {"COMUNICADO", "TEXTO DO AVISO", "Turma: 1G5A - 5º ANO A", "Nome do Aluno:",
                                 "ANA D'ÁVILA", "Matrícula:", "Parcela", "Vencimento", "Nº do Documento", "Valor ",
                                 "10/02/2026", "10/03/2026", "276,15", "576,15", "SALVADOR, 20 de abril de 2026"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(page.contains(QStringLiteral("10/04/2026")));
}

TEST_F(DefaultNoticeTest, BoxesHideTheValuesAndTheLetterhead)
{
    NoticeChoice plain = choice();
    plain.hideValues = true;
    plain.noLetterhead = true;
    plain.text = QStringList(10, QStringLiteral("LINHA"));
    const Document document = noticeLetters(m_db, m_school, plain);
    const QStringList page = document.texts(1);
    EXPECT_FALSE(page.contains(QStringLiteral("COMUNICADO")));
    EXPECT_FALSE(page.contains(QStringLiteral("Valor ")));
    EXPECT_FALSE(page.contains(QStringLiteral("300,00")));
    EXPECT_TRUE(page.contains(QStringLiteral("Vencimento")));
    EXPECT_EQ(page.count(QStringLiteral("LINHA")), kPrintedNoticeLines);
    for (const Item &item : document.pages.at(1).items)
        EXPECT_NE(item.kind, Item::Kind::Image); // neither logo nor signature
}

TEST_F(DefaultNoticeTest, NoticeTextIsWrittenWhenMissingAndNeverOverwritten)
{
    ASSERT_FALSE(QFile::exists(kNoticeFile));
    EXPECT_EQ(noticeText(), defaultNoticeText());
    ASSERT_TRUE(QFile::exists(kNoticeFile));
    ASSERT_TRUE(saveNoticeText({QStringLiteral("NOSSO TEXTO")}));
    EXPECT_EQ(noticeText(), QStringList{"NOSSO TEXTO"});

    const ReportEntry entry = noticeEntry();
    ReportValues values(entry.params);
    values.set(QStringLiteral("date"), QStringLiteral("10/04/2026"), m_db);
    values.set(QStringLiteral("student"), QStringLiteral("1"), m_db);
    const Document document = entry.build({m_db, m_school, values});
    ASSERT_EQ(document.pageCount(), 1);
    EXPECT_TRUE(findText(document, 0, QStringLiteral("NOSSO TEXTO")));
    values.set(QStringLiteral("student"), QStringLiteral("abc"), m_db);
    EXPECT_THROW(entry.build({m_db, m_school, values}), ReportParamError);
}

TEST_F(DefaultNoticeTest, KeptSignaturePrintsOnTheNextNotices)
{
    const ReportEntry entry = noticeEntry();
    ReportValues values(entry.params);
    values.set(QStringLiteral("student"), QStringLiteral("1"), m_db);
    const auto images = [&] {
        QStringList files;
        // The document is kept: a loop over a temporary's page would read freed items.
        const Document document = entry.build({m_db, m_school, values});
        for (const Item &item : document.pages.at(0).items)
            if (item.kind == Item::Kind::Image && !item.text.isEmpty() && item.text != kLogoFile)
                files << QFileInfo(item.text).fileName();
        return files;
    };
    EXPECT_TRUE(keptSignature().isEmpty());
    EXPECT_TRUE(images().isEmpty());
    QImage signature(400, 100, QImage::Format_RGB32);
    signature.fill(Qt::white);
    ASSERT_TRUE(keepSignature(signature));
    EXPECT_EQ(images(), QStringList{kSignatureFile});
}

} // namespace
