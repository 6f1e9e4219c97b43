#include "billing/BillingSchool.h"
#include "support/QStringPrinting.h"
#include "billing/slips/Decoding.h"
#include "billing/slips/PixCode.h"
#include "billing/slips/SlipReport.h"
#include "billing/slips/SlipReports.h"
#include "core/Clock.h"
#include "data/store/Query.h"
#include "support/RecordingReporter.h"
#include "support/RefusingTrigger.h"

#include <QDir>

using namespace billing;

namespace {

// Today is 09/03/2007.
class SlipRun : public BillingSchool
{
protected:
    void SetUp() override
    {
        BillingSchool::SetUp();
        core::pinClock(QDateTime(QDate(2007, 3, 9), QTime(9, 0)));
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path()); // no logo.bmp here: the built-in picture prints
        m_db.exec(QStringLiteral("update Usuario set Estabel = 'COLÉGIO MODELO', Endereco = 'RUA A, 1', "
                                 "Municipio = 'RECIFE', UF = 'PE', FONE = '3333-4444', CGC = '12.345.678/0001-90'"));
        addCharge(1, QStringLiteral("N"), 3, QDate(2007, 3, 10), 300);
        addCharge(1, QStringLiteral("4"), 1, QDate(2007, 3, 10), 80);
        addCharge(3, QStringLiteral("N"), 3, QDate(2007, 3, 30), 412.5, QVariant(), QStringLiteral("0"), 12.5);
        addCharge(3, QStringLiteral("N"), 4, QDate(2007, 4, 30), 412.5);
    }
    void TearDown() override
    {
        QDir::setCurrent(m_previousDir);
        core::pinClock({});
        BillingSchool::TearDown();
    }

    BoletoChoices march(const QString &kind = QStringLiteral("Todos")) const
    {
        BoletoChoices c;
        c.fromMonth = 3;
        c.toMonth = 3;
        c.kind = kind;
        return c;
    }

    SlipRunResult print(const BoletoChoices &choices, bool printed = true)
    {
        return printSlips(m_db, choices, m_reporter, [this, printed](const reports::Document &d) {
            m_document = d;
            return printed;
        });
    }

    QStringList storedNumbers() const
    {
        QStringList numbers;
        data::Query q(m_db);
        q.setSql(QStringLiteral("select Matricula, Tipo, NossoNum from CCORRENT order by Matricula, ParcelaData, Tipo"));
        q.open();
        for (q.first(); !q.eof(); q.next())
            numbers << QStringLiteral("%1%2:%3").arg(q.asInteger("Matricula")).arg(q.asText("Tipo")).arg(qint64(q.asFloat("NossoNum")));
        return numbers;
    }

    QString m_previousDir;
    RecordingReporter m_reporter;
    reports::Document m_document;
};

} // namespace

TEST_F(SlipRun, PrintingStoresEachSlipNumberInItsRow)
{
    EXPECT_EQ(print(march()), SlipRunResult::Printed);
    EXPECT_EQ(storedNumbers(), (QStringList{"14:120070310", "1N:120070310", "3N:320070330", "3N:0"}));
    EXPECT_TRUE(m_reporter.notes().isEmpty());
    // Printing again writes the same numbers again.
    EXPECT_EQ(print(march()), SlipRunResult::Printed);
    EXPECT_EQ(storedNumbers(), (QStringList{"14:120070310", "1N:120070310", "3N:320070330", "3N:0"}));
}

TEST_F(SlipRun, NothingIsKeptWhenTheSlipsWereNotPrinted)
{
    EXPECT_EQ(print(march(), false), SlipRunResult::NotPrinted);
    EXPECT_EQ(count(QStringLiteral("NossoNum is not null")), 0);
}

TEST_F(SlipRun, NoRowsTellsAndWritesNothing)
{
    bool called = false;
    const SlipRunResult result = printSlips(m_db, march(QStringLiteral("9-Outras Taxas")), m_reporter,
                                            [&called](const reports::Document &) { return called = true; });
    EXPECT_EQ(result, SlipRunResult::NoRows);
    EXPECT_FALSE(called);
    ASSERT_EQ(m_reporter.notes().size(), 1);
    EXPECT_EQ(m_reporter.notes()[0].text, QStringLiteral("Não há registros para o mês informado."));
    EXPECT_EQ(m_reporter.notes()[0].caption, QStringLiteral("Atenção"));
    EXPECT_EQ(m_reporter.notes()[0].severity, core::Severity::Info);
}

TEST_F(SlipRun, ASlipNumberThatCannotBeStoredWarnsAndTheSlipStillPrints)
{
    refuseWrites(m_db, QStringLiteral("refuse_three"), QStringLiteral("update of NossoNum"), QStringLiteral("Ccorrent"),
                 QStringLiteral("new.Matricula = 3"), QStringLiteral("recusado"));
    EXPECT_EQ(print(march(QStringLiteral("Mensalidade"))), SlipRunResult::Printed);
    ASSERT_EQ(m_reporter.notes().size(), 1);
    EXPECT_EQ(m_reporter.notes()[0].text, QStringLiteral("Erro ao gravar campo nosso_número em CCorrent.db"));
    EXPECT_EQ(m_reporter.notes()[0].severity, core::Severity::Warning);
    EXPECT_EQ(m_reporter.notes()[0].caption, QStringLiteral("Atenção"));
    EXPECT_EQ(storedNumbers(), (QStringList{"14:0", "1N:120070310", "3N:0", "3N:0"}));
    EXPECT_EQ(m_document.texts(0).count(QStringLiteral("VIA DA TESOURARIA")), 2);
}

TEST_F(SlipRun, EachSlipHasBothStubsWithTheirLabels)
{
    BoletoChoices c = march(QStringLiteral("Mensalidade"));
    c.message1 = QStringLiteral("Boas férias!");
    ASSERT_EQ(print(c), SlipRunResult::Printed);
    const QStringList texts = m_document.texts(0);
    EXPECT_EQ(texts.count(QStringLiteral("VIA DO ALUNO")), 2);
    EXPECT_EQ(texts.count(QStringLiteral("VIA DA TESOURARIA")), 2);
    for (const char *label : {"NOME DO ALUNO", "MATRÍCULA", "RESPONSÁVEL", "TURMA", "DATA EMISSÃO", "TIPO COBRANÇA",
                              "MENSALIDADE", "DESCONTO", "ACRÉSCIMO", "VALOR A PAGAR", "MORA/MULTA", "VALOR RECEBIDO",
                              "VALORES EM REAIS"})
        EXPECT_EQ(texts.count(QString::fromUtf8(label)), 4) << label;
    EXPECT_EQ(texts.count(QStringLiteral("VENCIMENTO")), 2); // the treasury's stub only
    EXPECT_TRUE(texts.contains(QStringLiteral("2G1A - 2ª SÉRIE A")));
    EXPECT_TRUE(texts.contains(QStringLiteral("09/03/2007")));
    EXPECT_TRUE(texts.contains(QStringLiteral("30/03/2007")));
    EXPECT_TRUE(texts.contains(QStringLiteral("MENSALIDADE - 3")));
    EXPECT_TRUE(texts.contains(QStringLiteral("400,00")));
    EXPECT_TRUE(texts.contains(QStringLiteral("APÓS VENCIMENTO APLICAR MULTA DE  2,0%")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Boas férias!")));
    EXPECT_TRUE(texts.contains(QStringLiteral("CNPJ: 12.345.678/0001-90")));
    EXPECT_TRUE(texts.contains(QStringLiteral("RECIFE - PE - Fone: 3333-4444")));
    // CARLA has a discount: the treasury is told not to grant it after the due date.
    EXPECT_EQ(texts.count(QStringLiteral("NÃO CONCEDER DESCONTO APÓS O VENCIMENTO")), 1);
    // Without a PIX key there is no PIX on the slip.
    EXPECT_FALSE(texts.contains(QStringLiteral("PAGUE COM PIX")));
}

TEST_F(SlipRun, TheBarcodesOfThePrintedPageReadBackAsTheSlipNumbers)
{
    ASSERT_EQ(print(march()), SlipRunResult::Printed);
    QStringList symbols = decodeSymbols(renderPage(m_document, 0, 300));
    symbols.sort();
    // The reader reports a code once however often it appears (ANA's fee and trip share one).
    EXPECT_EQ(symbols, (QStringList{"Codabar:A120070310B", "Codabar:A320070330B"}))
        << symbols.join(u' ').toStdString();
}

TEST_F(SlipRun, WithAPixKeyTheTreasuryStubCarriesAQrCodeOfTheAmountToPay)
{
    m_db.exec(QStringLiteral("update Usuario set PIX_CHAVE = '12345678000190', PIX_NOME = 'Colégio Modelo', "
                             "PIX_CIDADE = 'Recife'"));
    ASSERT_EQ(print(march(QStringLiteral("Mensalidade"))), SlipRunResult::Printed);
    const QString carla = pixPayload({QStringLiteral("12345678000190"), QStringLiteral("Colégio Modelo"),
                                      QStringLiteral("Recife"), core::Money::fromCentavos(40000),
                                      QStringLiteral("320070330")});
    // The "copia e cola" text, over as many lines as it takes.
    EXPECT_TRUE(m_document.texts(0).join(QString()).contains(carla)) << m_document.dump().toStdString();
    EXPECT_EQ(m_document.texts(0).count(QStringLiteral("PAGUE COM PIX")), 2);
    QStringList symbols = decodeSymbols(renderPage(m_document, 0, 300));
    EXPECT_TRUE(symbols.contains(QStringLiteral("QR-Code:") + carla)) << symbols.join(u'\n').toStdString();
    EXPECT_TRUE(symbols.contains(QStringLiteral("Codabar:A320070330B")));
}

TEST_F(SlipRun, TheReprintOfAPaidChargeNeedsItsPayment)
{
    EXPECT_EQ(reprintPaidSlip(m_db, 1, QDate(2007, 3, 10), QDate(), m_reporter,
                              [](const reports::Document &) { return true; }),
              SlipRunResult::NoRows);
    ASSERT_EQ(m_reporter.notes().size(), 1);
    EXPECT_EQ(m_reporter.notes()[0].text, QStringLiteral("É necessário fazer a baixa do pagamento primeiro!"));
    EXPECT_EQ(m_reporter.notes()[0].severity, core::Severity::Warning);
    EXPECT_EQ(count(QStringLiteral("NossoNum is not null")), 0);

    m_db.exec(QStringLiteral("update CCORRENT set PgtoData = '2007-03-12', PgtoValor = 300 where Matricula = 3 "
                             "and ParcelaNum = 3"));
    reports::Document shown;
    EXPECT_EQ(reprintPaidSlip(m_db, 3, QDate(2007, 3, 30), QDate(2007, 3, 12), m_reporter,
                              [&shown](const reports::Document &d) {
                                  shown = d;
                                  return true;
                              }),
              SlipRunResult::Printed);
    const QStringList texts = shown.texts(0);
    EXPECT_EQ(texts.count(QStringLiteral("VIA DA TESOURARIA")), 1);
    EXPECT_TRUE(texts.contains(QStringLiteral("Encargos calculados para receber até 12/03/2007")));
    EXPECT_TRUE(texts.contains(QStringLiteral("PARA CADA DIA DE ATRASO APLICAR JUROS DE MORA DE ")));
    EXPECT_EQ(storedNumbers(), (QStringList{"14:0", "1N:0", "3N:320070330", "3N:0"}));
}

TEST_F(SlipRun, TheReportOfTheCommandLineTakesTheDialogsChoices)
{
    const reports::ReportEntry entry = slipReportEntry();
    reports::ReportValues values(entry.params);
    values.set(QStringLiteral("from-month"), QStringLiteral("3"), m_db);
    values.set(QStringLiteral("to-month"), QStringLiteral("4"), m_db);
    values.set(QStringLiteral("student"), QStringLiteral("3, 1"), m_db);
    values.set(QStringLiteral("no-fine-text"), QStringLiteral("S"), m_db);
    BoletoChoices c = slipChoices(values, 0.05);
    EXPECT_EQ(c.fromMonth, 3);
    EXPECT_EQ(c.toMonth, 4);
    EXPECT_EQ(c.kind, "Mensalidade");
    EXPECT_EQ(c.students.kind, StudentSelection::Kind::List);
    EXPECT_EQ(c.students.numbers, (QList<qint64>{3, 1}));
    EXPECT_EQ(c.fineText, "2,0");
    EXPECT_EQ(c.interestText, "0,05"); // the settings' daily interest
    EXPECT_TRUE(c.hideFineText);

    const reports::Document document = entry.build({m_db, {}, values});
    EXPECT_EQ(document.texts(0).count(QStringLiteral("VIA DO ALUNO")), 3);
    EXPECT_FALSE(document.texts(0).contains(QStringLiteral("APÓS VENCIMENTO APLICAR MULTA DE  2,0%")));
    EXPECT_EQ(count(QStringLiteral("NossoNum > 0")), 3);

    values.set(QStringLiteral("class"), QStringLiteral("1G1A"), m_db);
    EXPECT_THROW(slipChoices(values, 0.05), reports::ReportParamError);
    values.set(QStringLiteral("class"), QString(), m_db);
    values.set(QStringLiteral("student"), QStringLiteral("3 x"), m_db);
    EXPECT_THROW(slipChoices(values, 0.05), reports::ReportParamError);
    values.set(QStringLiteral("student"), QStringLiteral("55"), m_db);
    EXPECT_THROW(entry.build({m_db, {}, values}), data::StoreError);
}
