#pragma once

#include <QDate>
#include <QString>
#include <optional>

// The dates a total, a report or an export covers, both days included.
namespace cashbook {

struct Period
{
    QDate from;
    QDate to;

    bool operator==(const Period &other) const = default;
};

// Who asks for a period: the three period reports of the cash book, and the export window's
// movements (which takes any period).
enum class PeriodMode { Movimento = 0, ReceitaDespesa = 1, Fluxo = 2, Exportacao = 11 };

// What the totals cover while "Lançados entre" is not ticked.
Period wholeBook();

// The reports refuse a period that ends before it starts, with this message.
QString periodOrderMessage();
bool endsBeforeItStarts(const Period &period);
// True when the mode prints, so the period must not end before it starts.
bool checksOrder(PeriodMode mode);

// A period typed as two dd/mm/yyyy texts (the command line's --from and --to); nullopt, with
// the reason in `error`, when either is not a date.
std::optional<Period> periodFromTexts(const QString &from, const QString &to, QString *error);

// The movement grid's filter for a period, in the store's filter language.
QString movementFilter(const Period &period);

} // namespace cashbook
