#pragma once

#include "reports/SchoolHeader.h"
#include "reports/engine/Report.h"

#include <QList>
#include <QString>

// The page every cash report shares: logo, title, date and page number, an optional line under
// the title (the period), the column captions, and the footer line crediting the maker.
namespace cashbook {

struct CashColumn
{
    QString caption;
    reports::Tenths x = 0;
    reports::Tenths width = 0;
    reports::Align align = reports::Align::Left;

    QRect rect(reports::Tenths top, reports::Tenths height) const { return {x, top, width, height}; }
};

inline constexpr reports::Tenths kCashRowHeight = 42;
inline constexpr double kCashTextSize = 8;

reports::Report cashReportPage(const QString &title, const reports::SchoolInfo &school,
                               const QList<CashColumn> &columns, const QString &subtitle = QString());

// A label whose text a handler fills from the row (or from totals kept aside).
reports::Element &computedLabel(reports::Band &band, const QRect &rect,
                                std::function<QString(const reports::PrintContext &)> text);

// "        ANO: 2009  MÊS: MARÇO" for the month key "2009/03".
QString monthHeading(const QString &yearMonth);

// "PERÍODO: 01/03/2009 a 31/03/2009"
QString periodHeading(const QDate &from, const QDate &to);

} // namespace cashbook
