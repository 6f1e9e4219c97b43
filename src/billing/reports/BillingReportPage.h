#pragma once

#include "core/Money.h"
#include "reports/SchoolHeader.h"
#include "reports/engine/Report.h"

#include <QList>
#include <QString>
#include <functional>

// The page the treasury's reports share: landscape, logo, title, a line under it, date and page
// number, the column captions and the footer line crediting the maker.
namespace billing {

struct ReportColumn
{
    QString caption;
    reports::Tenths x = 0;
    reports::Tenths width = 0;
    reports::Align align = reports::Align::Left;

    QRect rect(reports::Tenths top, reports::Tenths height = 40) const { return {x, top, width, height}; }
};

inline constexpr reports::Tenths kRowHeight = 42;
inline constexpr double kTextSize = 8;

reports::Report billingReportPage(const QString &title, const QString &subtitle, const reports::SchoolInfo &school,
                                  const QList<ReportColumn> &columns);

// A label whose text a handler fills from the row, or from totals kept aside.
reports::Element &textFrom(reports::Band &band, const QRect &rect,
                           std::function<QString(const reports::PrintContext &)> text);

// "1.234,56"; blank for zero where a column shows only what is there.
QString moneyText(core::Money amount);
QString moneyOrBlank(core::Money amount);

} // namespace billing
