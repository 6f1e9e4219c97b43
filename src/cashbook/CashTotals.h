#pragma once

#include "cashbook/CashPeriod.h"
#include "core/Money.h"

#include <QColor>
#include <QString>
#include <optional>

namespace data {
class Database;
class Dataset;
} // namespace data

// The four totals of the cash-book window: the selected account's total, the revenue and the
// expense of every account, and their balance, over the period of "Lançados entre" (or the
// whole book). Every amount is added in exact centavos, each movement as it is shown.
namespace cashbook {

// "0" revenue ("Receita"), "1" expense ("Despesa").
inline const QString kRevenueKind = QStringLiteral("0");
inline const QString kExpenseKind = QStringLiteral("1");

// An account as the movements name it: kind, group number and account number.
struct AccountKey
{
    QString kind;
    qint64 group = 0;
    qint64 account = 0;
};

// The account on the current row of the view of accounts with their groups; nullopt when the
// view is closed or empty.
std::optional<AccountKey> currentAccount(const data::Dataset &accountView);

// The first account of the view of accounts with their groups (kind, group, account order):
// the one the window selects when it opens. Nullopt when there is no account.
std::optional<AccountKey> firstAccount(const data::Database &db);
bool accountExists(const data::Database &db, const AccountKey &account);
// "KIND/GROUP/ACCOUNT", as "1/2/3"; nullopt when it is not three whole numbers.
std::optional<AccountKey> parseAccountKey(const QString &text);

struct GeneralTotals
{
    core::Money revenue; // movements of kind "0"
    core::Money expense; // every other movement
    core::Money balance() const { return revenue - expense; }
};

struct WindowTotals
{
    std::optional<AccountKey> account;
    core::Money accountTotal;
    GeneralTotals general;
};

core::Money accountTotal(const data::Database &db, const AccountKey &account, const Period &period);
GeneralTotals generalTotals(const data::Database &db, const Period &period);
WindowTotals windowTotals(const data::Database &db, const std::optional<AccountKey> &account,
                          const Period &period);

// Amounts shown as currency: "R$ 1.234,56", "-R$ 12,00".
QString currencyText(const core::Money &amount);

// "Total da Conta" is blue for a revenue account and red for an expense account; "Saldo no
// Período" blue-violet above zero and red-violet at zero or below.
QColor accountTotalColor(const QString &kind);
QColor balanceColor(const core::Money &balance);

} // namespace cashbook
