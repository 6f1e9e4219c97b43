#include "billing/account/ChargeView.h"

#include "core/ApplicationTitle.h"
#include "core/Formats.h"
#include "core/Session.h"
#include "data/store/Database.h"
#include "data/store/Table.h"
#include "data/store/Transaction.h"
#include "students/structure/ChargeTypeFilter.h"

#include <cmath>

namespace billing {

namespace {

const QString kAllKinds = QStringLiteral("Todos");

struct ViewEntry
{
    ChargeView view;
    QString text;
};

const QList<ViewEntry> &viewEntries()
{
    static const QList<ViewEntry> entries{
        {ChargeView::Todos, QStringLiteral("Todos")},
        {ChargeView::VencimentoEm, QStringLiteral("Apenas Vencimento em")},
        {ChargeView::NaoPagos, QStringLiteral("Apenas os NÃO Pagos")},
        {ChargeView::ComDesconto, QStringLiteral("Apenas os Alunos com Desconto")},
        {ChargeView::PagosDesde, QStringLiteral("Apenas os pagos desde a Data")},
        {ChargeView::VencimentoNoMes, QStringLiteral("Apenas Vencimento no Mês")},
        {ChargeView::AlunoSelecionado, QStringLiteral("Apenas o Aluno Selecionado")},
    };
    return entries;
}

QString quotedDate(const QDate &date)
{
    return u'\'' + core::formatDate(date) + u'\'';
}

// A stored amount in centavos. Amounts saved by the program are whole centavos, read back at
// once; anything else goes through the one rounding of core::Money.
core::Money storedMoney(const QVariant &value)
{
    const double hundredths = value.toDouble() * 100.0;
    const double whole = std::round(hundredths);
    if (std::fabs(hundredths - whole) < 1e-6)
        return core::Money::fromCentavos(qint64(whole));
    return core::Money::fromDouble(value.toDouble());
}

QString studentNumberText(const QVariant &student)
{
    const double number = student.toDouble();
    return number == double(qint64(number)) ? QString::number(qint64(number)) : core::formatPlain(number);
}

} // namespace

QStringList chargeViewEntries()
{
    QStringList texts;
    for (const ViewEntry &e : viewEntries())
        texts << e.text;
    return texts;
}

QString chargeViewText(ChargeView view)
{
    for (const ViewEntry &e : viewEntries()) {
        if (e.view == view)
            return e.text;
    }
    return QString();
}

std::optional<ChargeView> chargeViewOf(const QString &text)
{
    for (const ViewEntry &e : viewEntries()) {
        if (e.text == text)
            return e.view;
    }
    return std::nullopt;
}

bool viewUsesDate(ChargeView view)
{
    return view == ChargeView::VencimentoEm || view == ChargeView::PagosDesde
        || view == ChargeView::VencimentoNoMes;
}

const QList<ChargeColumn> &chargeGridColumns()
{
    static const QList<ChargeColumn> columns{
        {QStringLiteral("TURMA"), QStringLiteral("Turma")},
        {QStringLiteral("Matricula"), QStringLiteral("Matrícula")},
        {QStringLiteral("NOME"), QStringLiteral("Nome")},
        {QStringLiteral("Tipo"), QStringLiteral("Tipo")},
        {QStringLiteral("ParcelaNum"), QStringLiteral("Parc.")},
        {QStringLiteral("ParcelaData"), QStringLiteral("Vencimento")},
        {QStringLiteral("ParcelaValor"), QStringLiteral("Mensalidade")},
        {QStringLiteral("DescontoFixo"), QStringLiteral("Desc. Fixo")},
        {QStringLiteral("DescontoEventual"), QStringLiteral("Desc.Eventual"), true},
        {QStringLiteral("Acrescimos"), QStringLiteral("Acréscimos"), true},
        {QStringLiteral("cValorFinal"), QStringLiteral("Vlr a pagar")},
        {QStringLiteral("NossoNum"), QStringLiteral("Nosso Nº")},
        {QStringLiteral("PgtoData"), QStringLiteral("Pago em"), true},
        {QStringLiteral("PgtoValor"), QStringLiteral("Valor Pago"), true},
        {QStringLiteral("FORMAPGTO"), QStringLiteral("Forma Pgto"), true},
        {QStringLiteral("STATUS"), QStringLiteral("Sit."), true},
        {QStringLiteral("Observacao"), QStringLiteral("Observação"), true},
        {QStringLiteral("USUARIO"), QStringLiteral("Usuário")},
        {QStringLiteral("STATUS2"), QStringLiteral("ST")},
    };
    return columns;
}

QStringList chargeOrderEntries()
{
    return {QStringLiteral("Turma"), QStringLiteral("Matrícula"), QStringLiteral("Nosso Nº")};
}

std::optional<QString> chargeOrderIndex(const QString &entry)
{
    if (entry == u"Turma")
        return QStringLiteral("kTurma");
    if (entry == u"Matrícula")
        return QString();
    if (entry == u"Nosso Nº")
        return QStringLiteral("nnndx");
    return std::nullopt;
}

QStringList chargeKindEntries()
{
    return students::chargeTypeEntries();
}

ChargeFilter kindFilter(const QString &kindEntry)
{
    // The register's reports leave out kind "1" under "Todos"; the billing window shows all.
    if (kindEntry == kAllKinds)
        return {QStringLiteral("(TIPO <> 'Z')"), false};
    return {students::chargeTypeFilter(kindEntry), true};
}

ChargeFilter viewFilter(const QString &kindEntry, ChargeView view, const QDate &date,
                        const QDate &today, const QVariant &student)
{
    ChargeFilter filter = kindFilter(kindEntry);
    QString part;
    switch (view) {
    case ChargeView::Todos:
        return filter;
    case ChargeView::VencimentoEm:
        part = QStringLiteral(" and ParcelaData = ") + quotedDate(date);
        break;
    case ChargeView::NaoPagos:
        part = QStringLiteral(" and PgtoData = null");
        break;
    case ChargeView::ComDesconto:
        part = QStringLiteral(" and (DescontoFixo > 0)");
        break;
    case ChargeView::PagosDesde:
        part = QStringLiteral(" and ((PgtoData >= %1) and (PgtoData <= %2))")
                   .arg(quotedDate(date), quotedDate(today));
        break;
    case ChargeView::VencimentoNoMes: {
        const QDate first(date.year(), date.month(), 1);
        part = QStringLiteral(" and ((ParcelaData >= %1) and (ParcelaData < %2))")
                   .arg(quotedDate(first), quotedDate(first.addMonths(1)));
        break;
    }
    case ChargeView::AlunoSelecionado:
        part = QStringLiteral(" and (MATRICULA = %1)").arg(studentNumberText(student));
        break;
    }
    return {filter.expression + part, true};
}

void applyChargeFilter(data::Table &charges, const ChargeFilter &filter)
{
    // One reading of the rows per change: a filtered view takes the new filter in place (never
    // passing through the whole table unfiltered), an unfiltered one drops it first.
    if (filter.filtered) {
        charges.setFilter(filter.expression);
        charges.setFiltered(true);
    } else {
        charges.setFiltered(false);
        charges.setFilter(filter.expression);
    }
    charges.first();
}

QString recordCountText(int count)
{
    return QStringLiteral("Qtde de registros: ") + QString::number(count);
}

ChargeTotals totalsInView(data::Dataset &charges)
{
    ChargeTotals totals;
    const int parcela = charges.fieldIndex("ParcelaValor");
    const int fixo = charges.fieldIndex("DescontoFixo");
    const int eventual = charges.fieldIndex("DescontoEventual");
    const int acrescimos = charges.fieldIndex("Acrescimos");
    const int pago = charges.fieldIndex("PgtoValor");
    charges.disableControls();
    for (int row = 0; row < charges.recordCount(); ++row) {
        const auto money = [&](int field) { return storedMoney(charges.valueAt(row, field)); };
        const core::Money value = money(parcela), fixed = money(fixo), occasional = money(eventual),
                          additions = money(acrescimos);
        totals.parcelaValor += value;
        totals.descontoFixo += fixed;
        totals.descontoEventual += occasional;
        totals.acrescimos += additions;
        totals.valorFinal += value + additions - (fixed + occasional);
        totals.pgtoValor += money(pago);
    }
    charges.enableControls();
    if (charges.isOpen())
        charges.first();
    return totals;
}

QStringList totalsPanelTexts(const ChargeTotals &totals)
{
    return {QStringLiteral("Mensalidades: ") + totals.parcelaValor.format(),
            QStringLiteral("Desc.Fixo: ") + totals.descontoFixo.format(),
            QStringLiteral("Desc.Eventual ") + totals.descontoEventual.format(),
            QStringLiteral("Acréscimos: ") + totals.acrescimos.format(),
            QStringLiteral("Vlr a Pagar ") + totals.valorFinal.format(),
            QStringLiteral("Valor Pago ") + totals.pgtoValor.format()};
}

QString exportFileName(const QString &kindEntry, const QString &viewEntry)
{
    return QStringLiteral("Tipo de Cobrança_") + kindEntry + QStringLiteral("_Filtro_") + viewEntry
         + QStringLiteral(".csv");
}

core::SemicolonTable exportTable(const data::Dataset &charges)
{
    core::SemicolonTable table;
    table.title = QStringLiteral(";;") + QString::fromUtf8(core::kApplicationTitle);
    for (const data::DatasetField &field : charges.fields())
        table.fieldNames << field.name.toUpper();
    for (int row = 0; row < charges.recordCount(); ++row) {
        QStringList line;
        for (int field = 0; field < charges.fieldCount(); ++field)
            line << charges.displayTextAt(row, field);
        table.rows << line;
    }
    return table;
}

int verifyCharges(data::Table &charges)
{
    const core::Session &session = core::session();
    const QString previous = charges.filter();
    const bool wasFiltered = charges.isFiltered();
    if (session.rights.carnes && !session.supervisor) {
        const QString own = wasFiltered && !previous.isEmpty() ? previous : QStringLiteral("(TIPO <> 'Z')");
        charges.setFilter(own + QStringLiteral(" and (status2 <> '2')"));
        charges.setFiltered(true);
    }
    int stamped = 0;
    charges.disableControls();
    try {
        data::Transaction transaction(charges.database());
        for (charges.first(); !charges.eof(); charges.next()) {
            if (charges.edit() && charges.post())
                ++stamped;
        }
        transaction.commit();
    } catch (...) {
        charges.enableControls();
        charges.setFilter(previous);
        charges.setFiltered(wasFiltered);
        throw;
    }
    charges.enableControls();
    charges.setFilter(previous);
    charges.setFiltered(wasFiltered);
    charges.first();
    return stamped;
}

void deleteAllCharges(const data::Database &db)
{
    db.exec(QStringLiteral("delete from ccorrent"));
}

} // namespace billing
