#include "billing/slips/SlipReports.h"

#include "billing/slips/SlipReport.h"
#include "core/Formats.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "reports/cards/CardChoices.h"
#include "students/structure/ChargeTypeFilter.h"

#include <QRegularExpression>
#include <QTextStream>

namespace billing {

using namespace reports;

namespace {

const QString kFromMonth = QStringLiteral("from-month");
const QString kToMonth = QStringLiteral("to-month");
const QString kKind = QStringLiteral("kind");
const QString kClass = QStringLiteral("class");
const QString kStudent = QStringLiteral("student");
const QString kFine = QStringLiteral("fine");
const QString kInterest = QStringLiteral("interest");
const QString kMessage1 = QStringLiteral("message1");
const QString kMessage2 = QStringLiteral("message2");
const QString kNoDiscounts = QStringLiteral("no-discounts");
const QString kNoFineText = QStringLiteral("no-fine-text");

QList<ReportParam> slipParams()
{
    ReportParam kind{kKind, QStringLiteral("Imprimir Boleto do Tipo"), ParamKind::Choice, QStringLiteral("Mensalidade")};
    for (const QString &entry : students::chargeTypeEntries())
        kind.choices.append({entry, entry});
    ReportParam turma{kClass, QStringLiteral("Todos da Turma"), ParamKind::Choice, QString(),
                      {{QString(), QStringLiteral("Todos os Alunos")}}};
    turma.choicesFrom = classEntries;
    return {{kFromMonth, QStringLiteral("Imprimir com Vencimento nos meses abaixo:"), ParamKind::Month, QStringLiteral("1")},
            {kToMonth, QStringLiteral("A"), ParamKind::Month, QStringLiteral("12")},
            kind,
            turma,
            {kStudent, QStringLiteral("Apenas a Matrícula nº"), ParamKind::Text},
            {kFine, QStringLiteral("Após o vencimento, aplicar Multa de "), ParamKind::Text, QStringLiteral("2,0")},
            {kInterest, QStringLiteral("Por cada dia de atraso, aplicar juros de mora de "), ParamKind::Text},
            {kMessage1, QStringLiteral("Mensagem (1ª linha)"), ParamKind::Text},
            {kMessage2, QStringLiteral("Mensagem (2ª linha)"), ParamKind::Text},
            {kNoDiscounts, QStringLiteral("NÃO imprima Descontos no Boleto"), ParamKind::Flag, QStringLiteral("N")},
            {kNoFineText, QStringLiteral("NÃO imprima Texto de Multa e Juros"), ParamKind::Flag, QStringLiteral("N")}};
}

// The command line's face of a run: its notes on standard error.
class ErrorStreamReporter : public core::RunReporter
{
public:
    void begin(const QString &, int, bool) override {}
    void step(int, const QString &) override {}
    void note(core::Severity severity, const QString &text, const QString &) override
    {
        // "No rows" ends the command with its own failure text.
        if (severity != core::Severity::Info)
            QTextStream(stderr) << text << '\n';
    }
    bool cancelled() const override { return false; }
    void finish(core::RunOutcome) override {}
};

} // namespace

BoletoChoices slipChoices(const ReportValues &values, double dailyInterest)
{
    BoletoChoices choices;
    choices.fromMonth = values.month(kFromMonth);
    choices.toMonth = values.month(kToMonth);
    if (choices.toMonth < choices.fromMonth)
        throw ReportParamError(QStringLiteral("o mês final (%1) vem antes do inicial (%2)")
                                   .arg(choices.toMonth)
                                   .arg(choices.fromMonth));
    choices.kind = values.text(kKind);
    const QString classCode = values.text(kClass);
    const QString list = values.text(kStudent).trimmed();
    if (!classCode.isEmpty() && !list.isEmpty())
        throw ReportParamError(QStringLiteral("informe --class ou --student, não os dois"));
    if (!classCode.isEmpty()) {
        choices.students.kind = StudentSelection::Kind::Class;
        choices.students.classCode = classCode;
    } else if (!list.isEmpty()) {
        choices.students.kind = StudentSelection::Kind::List;
        for (const QString &part : list.split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts)) {
            const std::optional<qint64> number = core::parseInteger(part);
            if (!number || *number <= 0)
                throw ReportParamError(QStringLiteral("matrícula inválida: %1").arg(part));
            choices.students.numbers << *number;
        }
    }
    choices.fineText = values.text(kFine);
    choices.interestText = values.text(kInterest).trimmed();
    if (choices.interestText.isEmpty())
        choices.interestText = core::formatNumber(dailyInterest, QStringLiteral("0.00"));
    choices.message1 = values.text(kMessage1).left(65);
    choices.message2 = values.text(kMessage2).left(65);
    choices.hideDiscounts = values.flag(kNoDiscounts);
    choices.hideFineText = values.flag(kNoFineText);
    return choices;
}

ReportEntry slipReportEntry()
{
    ReportEntry entry;
    entry.name = QStringLiteral("boletos");
    entry.dialogCaption = QStringLiteral("Imprimir o Boleto com Modelo Próprio");
    entry.params = slipParams();
    entry.build = [](const ReportInput &input) {
        data::Settings settings = data::Settings::defaults(QString());
        data::loadSettings(input.db, settings);
        ErrorStreamReporter reporter;
        Document printed;
        const SlipRunResult result = printSlips(input.db, slipChoices(input.values, settings.Juros), reporter,
                                                [&printed](const Document &document) {
                                                    printed = document;
                                                    return true;
                                                });
        if (result == SlipRunResult::NoRows)
            throw data::StoreError(kNoSlipRows);
        return printed;
    };
    return entry;
}

} // namespace billing
