#pragma once

#include "reports/ReportRegistry.h"

#include "core/Money.h"
#include "data/store/Database.h"

// "ALUNOS COM DESCONTO NA MENSALIDADE": the students with a discount, the class fee, the
// discount (a percentage of the fee or an amount) and what is left to pay, with the totals.
namespace reports {

struct DiscountRow
{
    QString classCode;
    QString classDescription;
    qint64 matricula = 0;
    QString name;
    core::Money fee;
    QString percent; // "10%" for a percentage discount, else empty
    core::Money discount;
    core::Money finalValue; // fee minus discount
};

struct DiscountTotals
{
    int students = 0;
    core::Money fees;
    core::Money discounts;
    core::Money toReceive; // fees minus discounts
};

// The discount of a fee: `abat` per cent of it when `imp` is "%", else `abat` reais; rounded
// once to the centavo.
core::Money discountOf(core::Money fee, double abat, const QString &imp);

// Students with ABAT > 0 of every class (empty code) or of one, by class and name.
// Throws StoreError.
QList<DiscountRow> discountRows(const data::Database &db, const QString &classCode);
DiscountTotals discountTotals(const QList<DiscountRow> &rows);

Document discountList(const data::Database &db, const SchoolInfo &school, const QString &classCode);

// "descontos".
ReportEntry discountListEntry();

} // namespace reports
