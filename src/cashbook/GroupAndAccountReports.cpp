// The two lists of the cash book: groups, and accounts by group.

#include "cashbook/CashReportPage.h"
#include "cashbook/CashReports.h"
#include "cashbook/CashTotals.h"

#include "data/store/Query.h"
#include "reports/engine/Layout.h"

namespace cashbook {

using namespace reports;

namespace {

const CashColumn kNumber{QStringLiteral("Nº"), 100, 150, Align::Right};
const CashColumn kName{QStringLiteral("Descrição"), 320, 1400};

RecordList readRows(const data::Database &db, const QString &sql, const QStringList &fields)
{
    data::Query query(db);
    query.setSql(sql);
    query.open();
    RecordList rows(fields);
    for (int row = 0; row < query.recordCount(); ++row) {
        QVariantList values;
        for (int field = 0; field < query.fieldCount(); ++field)
            values.append(query.valueAt(row, field));
        rows.append(values);
    }
    return rows;
}

void addKindHeader(Report &report, const QString &kindField, bool capitals)
{
    Group &kind = report.addGroup(kindField);
    kind.header.height = 70;
    computedLabel(kind.header, {0, 15, 800, 50}, [kindField, capitals](const PrintContext &context) {
        const bool revenue = context.value(kindField).toString() == kRevenueKind;
        if (capitals)
            return revenue ? QStringLiteral("RECEITA") : QStringLiteral("DESPESA");
        return revenue ? QStringLiteral("Receita") : QStringLiteral("Despesa");
    }).withFont(font(10, true));
}

void addNumberAndName(Report &report, const QString &numberField, const QString &nameField)
{
    report.detail.height = kCashRowHeight;
    report.detail.field(numberField, kNumber.rect(0, 38)).aligned(Align::Right).sized(kCashTextSize);
    report.detail.field(nameField, kName.rect(0, 38)).sized(kCashTextSize);
}

} // namespace

Document groupsReport(const data::Database &db, const SchoolInfo &school)
{
    Report report = cashReportPage(cashReportTitle(CashReport::Grupos), school, {kNumber, kName});
    addKindHeader(report, QStringLiteral("Tipo_Grupo"), true);
    addNumberAndName(report, QStringLiteral("CodGrupo_Grupo"), QStringLiteral("Descricao_Grupo"));
    RecordList rows = readRows(
        db,
        QStringLiteral("select Tipo_Grupo, CodGrupo_Grupo, Descricao_Grupo from GrupoConta "
                       "order by Tipo_Grupo, CodGrupo_Grupo"),
        {QStringLiteral("Tipo_Grupo"), QStringLiteral("CodGrupo_Grupo"), QStringLiteral("Descricao_Grupo")});
    return layout(report, rows);
}

Document accountsReport(const data::Database &db, const SchoolInfo &school)
{
    Report report = cashReportPage(cashReportTitle(CashReport::Contas), school, {kNumber, kName});
    addKindHeader(report, QStringLiteral("CodGrupo_Conta"), false);
    Group &group = report.addGroup(QStringLiteral("Grupo"));
    group.header.height = 60;
    group.header.label(QStringLiteral("Grupo:"), {40, 10, 160, 45}).withFont(font(9, true));
    group.header.field(QStringLiteral("Descricao_Grupo"), {210, 10, 1500, 45}).withFont(font(9, true));
    addNumberAndName(report, QStringLiteral("CodConta_Conta"), QStringLiteral("Descricao_Conta"));
    // A group is known by its kind and its number together: each kind numbers its groups from 1.
    RecordList rows = readRows(
        db,
        QStringLiteral("select a.CodGrupo_Conta, a.CodGrupo_Conta || '/' || a.CodGrupo_Grupo as Grupo, "
                       "a.CodConta_Conta, a.Descricao_Conta, b.Descricao_Grupo "
                       "from Conta a inner join GrupoConta b on (a.CodGrupo_Conta = b.Tipo_Grupo) "
                       "and (a.CodGrupo_Grupo = b.CodGrupo_Grupo) "
                       "where (a.Descricao_Conta is not null) and (a.Descricao_Conta <> '') "
                       "order by a.CodGrupo_Conta, a.CodGrupo_Grupo, a.CodConta_Conta"),
        {QStringLiteral("CodGrupo_Conta"), QStringLiteral("Grupo"), QStringLiteral("CodConta_Conta"),
         QStringLiteral("Descricao_Conta"), QStringLiteral("Descricao_Grupo")});
    return layout(report, rows);
}

} // namespace cashbook
