#pragma once

#include "core/Money.h"
#include "core/SemicolonExport.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace data {
class Database;
class Dataset;
class Table;
} // namespace data

// What the billing window shows of the charge table: the kind and view filters, the six
// totals of the rows in view, the export file, the verification stamp and the deletion of
// every row. The window and `lumesco-cli charges` share it.
namespace billing {

// "Visualizar:", in the order of the list.
enum class ChargeView
{
    Todos,
    VencimentoEm,
    NaoPagos,
    ComDesconto,
    PagosDesde,
    VencimentoNoMes,
    AlunoSelecionado,
};
QStringList chargeViewEntries();
QString chargeViewText(ChargeView view);
// The entry with this text ("Apenas os NÃO Pagos"); nullopt when there is none.
std::optional<ChargeView> chargeViewOf(const QString &text);
// Views that read the "Data Referência:" box.
bool viewUsesDate(ChargeView view);

// The grid's columns: field and title, in order; the editable ones are the occasional discount,
// additions, payment date, amount paid, means of payment, situation and remark.
struct ChargeColumn
{
    QString field;
    QString title;
    bool editable = false;
};
const QList<ChargeColumn> &chargeGridColumns();

// "Ordenar por:": "Turma", "Matrícula", "Nosso Nº"; the index each stands for (empty: primary).
QStringList chargeOrderEntries();
std::optional<QString> chargeOrderIndex(const QString &entry);


// "Tipo Cobrança:" of the billing window: "Todos", "Mensalidade", "0-Matrícula" .. "9-Outras Taxas".
QStringList chargeKindEntries();

// A filter of the charge table: its expression in the table store's filter language and
// whether it is switched on ("Todos" keeps the expression but filters nothing).
struct ChargeFilter
{
    QString expression;
    bool filtered = true;
};

// The kind part alone, as a change of "Tipo Cobrança:" applies it.
ChargeFilter kindFilter(const QString &kindEntry);
// The kind part followed by the view part. `date` is the "Data Referência:" date, `today` the
// clock's, `student` the Matricula of the current row (for "Apenas o Aluno Selecionado").
ChargeFilter viewFilter(const QString &kindEntry, ChargeView view, const QDate &date,
                        const QDate &today, const QVariant &student);

// Sets the filter on an open charge table and re-reads its rows.
void applyChargeFilter(data::Table &charges, const ChargeFilter &filter);

// "Qtde de registros: 12", for the main window's status bar.
QString recordCountText(int count);

struct ChargeTotals
{
    core::Money parcelaValor;
    core::Money descontoFixo;
    core::Money descontoEventual;
    core::Money acrescimos;
    core::Money valorFinal;
    core::Money pgtoValor;
};

// The six sums of the rows in view, walked with the grids detached; the cursor ends on the
// first row.
ChargeTotals totalsInView(data::Dataset &charges);
// The six panels of the window's status bar ("Mensalidades: 1.234,00", ...).
QStringList totalsPanelTexts(const ChargeTotals &totals);

// "Tipo de Cobrança_Todos_Filtro_Apenas os NÃO Pagos.csv"
QString exportFileName(const QString &kindEntry, const QString &viewEntry);
// The rows in view as the export file holds them: a title line ";;" + the program's title,
// the names of every field of the view in upper case, then each field's display text.
core::SemicolonTable exportTable(const data::Dataset &charges);

// "Conferir": every row in view saved again in view order, so the ownership rule stamps it with
// the current user. A Carnes user who is not the supervisor stamps only the rows a supervisor
// did not save last. The filter is restored and the cursor goes to the first row. Returns the
// number of rows stamped; a failure undoes them all (StoreError).
int verifyCharges(data::Table &charges);
inline const QString kVerifyQuestion =
    QStringLiteral("Confirmar a conferência dos pagamentos relacionados aqui?");

// "&Apagra Tudo": every charge row deleted.
void deleteAllCharges(const data::Database &db);
inline const QString kDeleteAllQuestion =
    QStringLiteral("Confirma a exclusão de TODOS os registros de cobranças?");
inline const QString kDeleteAllLastChance = QStringLiteral(
    "Última chance para retornar.Confirma a exclusão de TODOS os registros de cobranças?");

} // namespace billing
