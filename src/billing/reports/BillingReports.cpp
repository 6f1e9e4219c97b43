#include "billing/reports/BillingReports.h"

#include "billing/reports/BillingExports.h"
#include "billing/reports/ClassGroupedReport.h"
#include "billing/reports/RevenueReport.h"
#include "billing/reports/StudentListReport.h"
#include "core/Clock.h"
#include "core/Formats.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "reports/cards/CardChoices.h"
#include "students/structure/ChargeTypeFilter.h"

namespace billing {

using namespace reports;

namespace {

const QString kClass = QStringLiteral("class");
const QString kKind = QStringLiteral("kind");
const QString kFrom = QStringLiteral("from");
const QString kTo = QStringLiteral("to");
const QString kMonth = QStringLiteral("month");
const QString kUntilMonth = QStringLiteral("until-month");
const QString kIncludeUnpaid = QStringLiteral("include-unpaid");
const QString kValues = QStringLiteral("values");
const QString kExport = QStringLiteral("export");

ReportParam classParam()
{
    ReportParam param{kClass, QStringLiteral("Defina a Turma "), ParamKind::Choice, QString(),
                      {{QString(), QStringLiteral("Todas as Turmas")}}};
    param.choicesFrom = classEntries;
    return param;
}

ReportParam kindParam()
{
    ReportParam param{kKind, QStringLiteral("Tipo Cobrança:"), ParamKind::Choice, QStringLiteral("Todos")};
    for (const QString &entry : students::chargeTypeEntries())
        param.choices.append({entry, entry});
    return param;
}

ReportParam flag(const QString &name, const char *label)
{
    return {name, QString::fromUtf8(label), ParamKind::Flag, QStringLiteral("N")};
}

QList<ReportParam> params(QStringList names)
{
    QList<ReportParam> list{classParam(), kindParam()};
    for (const QString &name : names) {
        if (name == kFrom)
            list << ReportParam{kFrom, QStringLiteral("No Período:"), ParamKind::Date};
        else if (name == kTo)
            list << ReportParam{kTo, QStringLiteral("A"), ParamKind::Date};
        else if (name == kMonth)
            list << ReportParam{kMonth, QStringLiteral("MÊS"), ParamKind::Month};
        else if (name == kUntilMonth)
            list << flag(kUntilMonth, "Até o MÊS");
        else if (name == kIncludeUnpaid)
            list << flag(kIncludeUnpaid, "Incluir Mensalidades não Pagas");
        else if (name == kValues)
            list << flag(kValues, "Imprima Valores Devidos");
    }
    list << flag(kExport, "Exportar para MS Excel");
    return list;
}

bool hasParam(const ReportValues &values, const QString &name)
{
    for (const ReportParam &param : values.params()) {
        if (param.name == name)
            return true;
    }
    return false;
}

double dailyInterest(const data::Database &db)
{
    data::Settings settings = data::Settings::defaults(QString());
    data::loadSettings(db, settings);
    return settings.Juros;
}

ReportEntry entry(const char *name, const char *menu, QList<ReportParam> list,
                  std::function<Document(const ReportInput &, const BillingChoice &)> build)
{
    ReportEntry e;
    e.name = QString::fromLatin1(name);
    e.menuEntry = QString::fromLatin1(menu);
    e.params = std::move(list);
    e.dialogCaption = QStringLiteral("Defina a Turma ");
    e.askAgain = true;
    e.build = [build = std::move(build)](const ReportInput &input) { return build(input, billingChoice(input.values)); };
    return e;
}

core::Money defaulterAmount(const ChargeLine &l)
{
    return l.cValorFinal;
}

core::Money paidAmount(const ChargeLine &l)
{
    return l.pago;
}

LineColumn column(const char *caption, Tenths x, Tenths width, std::function<QString(const ChargeLine &)> text,
                  std::function<core::Money(const ChargeLine &)> amount = {})
{
    return {{QString::fromUtf8(caption), x, width, amount ? Align::Right : Align::Left}, std::move(text), std::move(amount)};
}

// A money column: its text and its sum read the same amount.
LineColumn moneyColumn(const char *caption, Tenths x, Tenths width, core::Money ChargeLine::*member, bool blankZero = false)
{
    return column(caption, x, width,
                  [member, blankZero](const ChargeLine &l) { return blankZero ? moneyOrBlank(l.*member) : moneyText(l.*member); },
                  [member](const ChargeLine &l) { return l.*member; });
}

QList<LineColumn> leadingColumns(const char *parcelCaption)
{
    return {column("Matrícula", 0, 150, [](const ChargeLine &l) { return QString::number(l.matricula); }),
            column("Nome do Aluno", 160, 600, [](const ChargeLine &l) { return l.nome; }),
            column(parcelCaption, 770, 120, [](const ChargeLine &l) { return QString::number(l.parcela); }),
            column("Vencimento", 900, 180, [](const ChargeLine &l) { return core::formatDate(l.vencimento); }),
            column("Nº do Documento", 1090, 220,
                   [](const ChargeLine &l) { return l.nossoNum ? QString::number(l.nossoNum) : QString(); })};
}

Document defaultersByClass(const ReportInput &input, const BillingChoice &choice)
{
    const QList<ChargeLine> lines = defaulterLines(input.db, choice, core::today(), dailyInterest(input.db), false);
    if (choice.exportToExcel)
        exportToWorkingDirectory(QStringLiteral("Inadimplentes_Turma.csv"),
                                 defaulterTable(lines, QStringLiteral("Mensalidades/Taxas Atrasadas por Turma")));
    ClassGroupedLayout layout;
    layout.title = QStringLiteral("ALUNOS COM MENSALIDADES/TAXAS ATRASADAS");
    layout.subtitle = defaultersSubtitle(choice.kind);
    layout.columns = leadingColumns("Parc.");
    layout.columns << moneyColumn("Mensalidade", 1320, 200, &ChargeLine::valor)
                   << moneyColumn("Desc. Fixo*", 1530, 190, &ChargeLine::descontoFixo, true)
                   << moneyColumn("Desc. Eventual*", 1730, 210, &ChargeLine::descontoEventual, true)
                   << moneyColumn("Acréscimos*", 1950, 190, &ChargeLine::cAcrescimos)
                   << moneyColumn("Valor a pagar", 2150, 200, &ChargeLine::cValorFinal)
                   << column("Observação", 2370, 400, [](const ChargeLine &l) { return l.observacao; });
    layout.classTotalCaption = QStringLiteral("Valor Total Devido (nesta turma) :");
    layout.total = defaulterAmount;
    layout.footnote = kDefaultersFootnote;
    return classGroupedReport(lines, layout, input.school);
}

Document defaultersAlphabetical(const ReportInput &input, const BillingChoice &choice)
{
    const QList<ChargeLine> lines = defaulterLines(input.db, choice, core::today(), dailyInterest(input.db), true);
    if (choice.exportToExcel)
        exportToWorkingDirectory(QStringLiteral("Inadimplentes_Todos.csv"),
                                 defaulterTable(lines, QStringLiteral("Alunos com Mensalidades/Taxas atrasadas")));
    return studentListReport(lines,
                             {QStringLiteral("ALUNOS COM MENSALIDADES ATRASADAS"), defaultersSubtitle(choice.kind),
                              QStringLiteral("Valor Atualizado"), defaulterAmount, choice.amountsDue},
                             input.school);
}

Document paymentsByClass(const ReportInput &input, const BillingChoice &choice)
{
    const QList<ChargeLine> lines = paymentLines(input.db, choice);
    if (choice.exportToExcel)
        exportToWorkingDirectory(QStringLiteral("Pagamentos_Turma.csv"), paymentTable(lines, QString()));
    ClassGroupedLayout layout;
    layout.title = QStringLiteral("ALUNOS COM MENSALIDADES/TAXAS PAGAS");
    layout.subtitle = paymentsSubtitle(choice);
    layout.columns = leadingColumns("Parcela");
    layout.columns << moneyColumn("Mensalidade", 1320, 190, &ChargeLine::valor)
                   << moneyColumn("Desc. Fixo", 1520, 170, &ChargeLine::descontoFixo)
                   << moneyColumn("Desc. Eventual", 1700, 200, &ChargeLine::descontoEventual)
                   << moneyColumn("Acréscimos", 1910, 180, &ChargeLine::acrescimos)
                   << moneyColumn("Valor Devido", 2100, 200, &ChargeLine::valorDevido)
                   << column("Valor Pago", 2310, 200,
                             [](const ChargeLine &l) { return l.pagoEm.isValid() ? moneyText(l.pago) : QString(); }, paidAmount)
                   << column("Pago em", 2530, 200, [](const ChargeLine &l) { return core::formatDate(l.pagoEm); });
    layout.classTotalCaption = QStringLiteral("Valor Total Recebido (nesta turma) :");
    layout.total = paidAmount;
    layout.grandTotalCaption = QStringLiteral("Valor Total Recebido :");
    return classGroupedReport(lines, layout, input.school);
}

Document paymentsPerStudent(const ReportInput &input, const BillingChoice &choice)
{
    const QList<ChargeLine> lines = paidLines(input.db, choice);
    const QString period = core::formatDate(choice.from) + QStringLiteral(" a ") + core::formatDate(choice.to);
    if (choice.exportToExcel)
        exportToWorkingDirectory(QStringLiteral("Pagamentos_Todos.csv"),
                                 paymentTable(lines, QStringLiteral("Pagamentos por Aluno no Período: ") + period));
    return studentListReport(lines,
                             {QStringLiteral("ALUNOS COM MENSALIDADES PAGAS"), QStringLiteral("PERÍODO: ") + period,
                              QStringLiteral("Valor Pago"), paidAmount, choice.amountsDue},
                             input.school);
}

Document revenue(const ReportInput &input, const BillingChoice &choice, bool perClass)
{
    const QList<RevenueLine> lines = revenueLines(input.db, choice, perClass);
    if (choice.exportToExcel)
        exportToWorkingDirectory(perClass ? QStringLiteral("Receita_Turma.csv") : QStringLiteral("Receita_Aluno_Turma.csv"),
                                 revenueTable(lines, perClass));
    return revenueReport(lines, choice, perClass, input.school);
}

} // namespace

QString defaultersSubtitle(const QString &kind)
{
    if (kind.isEmpty() || kind == u"Todos" || kind == u"Mensalidade")
        return QStringLiteral("ALUNOS COM MENSALIDADES EM ABERTO");
    return QStringLiteral("ALUNOS COM \"") + kind + QStringLiteral("\" EM ABERTO");
}

QString paymentsSubtitle(const BillingChoice &choice)
{
    QString title;
    if (choice.kind.isEmpty() || choice.kind == u"Todos")
        title = QStringLiteral("PAGAMENTOS GERAIS NO PERÍODO ");
    else if (choice.kind == u"Mensalidade")
        title = QStringLiteral("PAGAMENTOS DE MENSALIDADES NO PERÍODO ");
    else
        title = QStringLiteral("PAGAMENTOS DE \"") + choice.kind + QStringLiteral("\" NO PERÍODO ");
    return title + QStringLiteral(" (") + core::formatDate(choice.from) + QStringLiteral(" - ") +
           core::formatDate(choice.to) + u')';
}

BillingChoice billingChoice(const ReportValues &values)
{
    BillingChoice c;
    c.classCode = values.text(kClass);
    c.kind = values.text(kKind);
    if (hasParam(values, kFrom)) {
        c.from = values.date(kFrom);
        c.to = values.date(kTo);
        if (c.to < c.from)
            throw ReportParamError(QStringLiteral("A data final do período é anterior à inicial."));
    }
    if (hasParam(values, kMonth)) {
        c.month = values.month(kMonth);
        c.upToMonth = values.flag(kUntilMonth);
    }
    c.includeUnpaid = hasParam(values, kIncludeUnpaid) && values.flag(kIncludeUnpaid);
    c.amountsDue = hasParam(values, kValues) && values.flag(kValues);
    c.exportToExcel = values.flag(kExport);
    return c;
}

void setBillingValues(ReportValues &values, const BillingChoice &choice, const data::Database &db)
{
    const auto yesNo = [](bool on) { return on ? QStringLiteral("S") : QStringLiteral("N"); };
    values.set(kClass, choice.classCode, db);
    values.set(kKind, choice.kind, db);
    if (hasParam(values, kFrom)) {
        values.set(kFrom, core::formatDate(choice.from), db);
        values.set(kTo, core::formatDate(choice.to), db);
    }
    if (hasParam(values, kMonth)) {
        values.set(kMonth, QString::number(choice.month), db);
        values.set(kUntilMonth, yesNo(choice.upToMonth), db);
    }
    if (hasParam(values, kIncludeUnpaid))
        values.set(kIncludeUnpaid, yesNo(choice.includeUnpaid), db);
    if (hasParam(values, kValues))
        values.set(kValues, yesNo(choice.amountsDue), db);
    values.set(kExport, yesNo(choice.exportToExcel), db);
}

QList<ReportEntry> billingReports()
{
    return {
        entry("inadimplentes-turma", "mnuInadTurma", params({}), defaultersByClass),
        entry("inadimplentes-geral", "mnuInadAlfabetica", params({kValues}), defaultersAlphabetical),
        entry("pagamentos-turma", "mnuPagtoTurmaPeriodo", params({kFrom, kTo, kIncludeUnpaid}), paymentsByClass),
        entry("pagamentos-geral", "mnuPagtoAluno", params({kFrom, kTo, kValues}), paymentsPerStudent),
        entry("receita-aluno", "mnuReceitaAlunoTurma", params({kMonth, kUntilMonth}),
              [](const ReportInput &input, const BillingChoice &choice) { return revenue(input, choice, false); }),
        entry("receita-turma", "mnuReceitaTurma", params({kMonth, kUntilMonth}),
              [](const ReportInput &input, const BillingChoice &choice) { return revenue(input, choice, true); }),
    };
}

} // namespace billing
