#include "LetterSchool.h"

#include "reports/letters/TaxDeclaration.h"

#include "core/Clock.h"
#include "core/TextFile.h"
#include "data/settings/Settings.h"
#include "support/QStringPrinting.h"

#include <QFile>

using namespace reports;

namespace {

const QString kCpf = QStringLiteral("111.222.333-44");

class TaxDeclarationTest : public LetterSchool
{
protected:
    void SetUp() override
    {
        LetterSchool::SetUp();
        core::pinClock(QDateTime(QDate(2026, 3, 5), QTime(10, 0)));
        addPerson(1, QStringLiteral("BETO SOUZA"), QStringLiteral("1G5A"), QDate(2015, 1, 1));
        addPerson(2, QStringLiteral("ANA SOUZA"), QStringLiteral("1G4A"), QDate(2016, 1, 1));
        addPerson(3, QStringLiteral("OUTRO"), QStringLiteral("1G4A"), QDate(2016, 1, 1));
        for (qint64 m : {1, 2}) {
            setColumn(m, QStringLiteral("CPF_MAE"), kCpf);
            setColumn(m, QStringLiteral("NOME_MAE"), QStringLiteral("MARIA SOUZA"));
        }
        setColumn(3, QStringLiteral("CPF_PAI"), kCpf);
        // Three payments of 100,10 add up to 300,30 exactly; the open and the other student's
        // rows add nothing.
        for (int p = 1; p <= 3; ++p)
            addCharge(1, p, QDate(2026, p, 10), 100.10, QDate(2026, p, 9), 100.10);
        addCharge(1, 4, QDate(2026, 4, 10), 100.10);
        addCharge(3, 1, QDate(2026, 1, 10), 500, QDate(2026, 1, 10), 500);
    }

    void TearDown() override
    {
        core::pinClock(QDateTime());
        LetterSchool::TearDown();
    }
};

TEST_F(TaxDeclarationTest, SumsEachDependantsPaymentsExactly)
{
    const std::optional<TaxStatement> statement = taxStatement(m_db, Declarant::Mae, QStringLiteral(" ") + kCpf);
    ASSERT_TRUE(statement);
    EXPECT_EQ(statement->declarantName, QStringLiteral("MARIA SOUZA"));
    ASSERT_EQ(statement->dependants.size(), 2);
    EXPECT_EQ(statement->dependants.at(0).nome, QStringLiteral("ANA SOUZA"));
    EXPECT_TRUE(statement->dependants.at(0).paid.isZero()); // no current-account rows
    EXPECT_EQ(statement->dependants.at(1).paid.centavos(), 30030);
    EXPECT_EQ(statement->total.centavos(), 30030);
    // The same CPF as the father's declares the other student only.
    EXPECT_EQ(taxStatement(m_db, Declarant::Pai, kCpf)->total.centavos(), 50000);
    EXPECT_FALSE(taxStatement(m_db, Declarant::Responsavel, kCpf));
    EXPECT_FALSE(taxStatement(m_db, Declarant::Mae, QString()));
}

TEST_F(TaxDeclarationTest, GuardedAmountsFillWithAsterisks)
{
    EXPECT_EQ(guardedAmount({}), QStringLiteral("R$***0,00"));
    EXPECT_EQ(guardedAmount(core::Money::fromCentavos(45000)), QStringLiteral("R$*450,00"));
    EXPECT_EQ(guardedAmount(core::Money::fromCentavos(360000)), QStringLiteral("R$3.600,00"));
}

TEST_F(TaxDeclarationTest, LetterPrintsTheDependantsTheTotalAndTheDateInWords)
{
    const ReportEntry entry = taxStatementEntry();
    ReportValues values(entry.params);
    values.set(QStringLiteral("cpf"), kCpf, m_db);
    values.set(QStringLiteral("as"), QStringLiteral("mae"), m_db);
    QStringList text;
    for (int i = 1; i <= 10; ++i)
        text << QStringLiteral("LINHA %1").arg(i);
    values.set(QStringLiteral("text"), text.join(u'\n'), m_db);
    const Document document = entry.build({m_db, m_school, values});
    ASSERT_EQ(document.pageCount(), 1);
    const QStringList texts = document.texts(0);
    for (const char *expected : {"DECLARAÇÃO ", "Prezado(a) Senhor(a),", "MARIA SOUZA", "CPF: 111.222.333-44",
                                 "Nome do Aluno", "Valor em Real", "Total Pago no Ano", "Cordialmente,",
                                 "SALVADOR, 05 de março de 2026"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_EQ(textsStarting(document, 0, QStringLiteral("LINHA ")).size(), 8);
    // Each dependant's amount on the dependant's line.
    const Item *ana = findText(document, 0, QStringLiteral("ANA SOUZA"));
    const Item *none = findText(document, 0, QStringLiteral("R$***0,00"));
    ASSERT_TRUE(ana && none);
    EXPECT_EQ(ana->rect.y(), none->rect.y());
    EXPECT_EQ(textsStarting(document, 0, QStringLiteral("R$*300,30")).size(), 2); // the line and the total

    values.set(QStringLiteral("cpf"), QStringLiteral("999.999.999-99"), m_db);
    try {
        entry.build({m_db, m_school, values});
        FAIL() << "no declaration without a student";
    } catch (const ReportParamError &refusal) {
        EXPECT_EQ(refusal.message(), QStringLiteral("Não há registro para este CPF."));
    }
}

TEST_F(TaxDeclarationTest, DeclarationFileIsWrittenOnceAndTheSchoolsTextKept)
{
    data::Settings settings = data::Settings::defaults(QStringLiteral("2026"));
    settings.Fone = QStringLiteral("(71) 3333-4444");
    const QString file = QString::fromLatin1(kDeclarationFile);
    ASSERT_FALSE(QFile::exists(file));
    const QStringList first = declarationText(settings);
    EXPECT_EQ(first, defaultDeclaration(settings));
    EXPECT_TRUE(first.at(1).contains(QStringLiteral("ano-base de 2026")));
    ASSERT_TRUE(QFile::exists(file));

    ASSERT_TRUE(core::writeTextLines(file, {QStringLiteral("TEXTO DA ESCOLA")}));
    EXPECT_EQ(declarationText(settings), QStringList{"TEXTO DA ESCOLA"});
    EXPECT_EQ(*core::readTextLines(file), QStringList{"TEXTO DA ESCOLA"});
}

} // namespace
