#include "cashbook/CashReportPage.h"

#include "core/Formats.h"

namespace cashbook {

using namespace reports;

namespace {

constexpr Tenths kSubtitleTop = 232;
constexpr Tenths kCaptionTop = 290;

} // namespace

Report cashReportPage(const QString &title, const SchoolInfo &school, const QList<CashColumn> &columns,
                      const QString &subtitle)
{
    Report report;
    report.title = title;
    addListingHeader(report, title);
    Band &header = report.pageHeader;
    const Tenths width = report.page.contentWidth();
    if (!subtitle.isEmpty()) {
        header.label(subtitle, {0, kSubtitleTop, width, 45})
            .named(QStringLiteral("qrlPeriodo"))
            .aligned(Align::Center)
            .withFont(font(10, true));
    }
    for (const CashColumn &column : columns) {
        header.label(column.caption, column.rect(kCaptionTop, 45))
            .aligned(column.align)
            .withFont(font(9, true));
    }
    header.line({0, kCaptionTop + 55, width, 0});
    header.height = kCaptionTop + 70;
    addFooterLine(report, school.footer);
    return report;
}

Element &computedLabel(Band &band, const QRect &rect,
                       std::function<QString(const PrintContext &)> text)
{
    return band.label(QString(), rect).sized(kCashTextSize).onPrint(
        [text = std::move(text)](ElementLook &look, const PrintContext &context) {
            look.text = text(context);
        });
}

QString monthHeading(const QString &yearMonth)
{
    const int month = yearMonth.mid(5, 2).toInt();
    return QStringLiteral("        ANO: ") + yearMonth.left(4) + QStringLiteral("  MÊS: ")
           + core::monthName(month, core::LetterCase::Upper);
}

QString periodHeading(const QDate &from, const QDate &to)
{
    return QStringLiteral("PERÍODO: ") + core::formatDate(from) + QStringLiteral(" a ")
           + core::formatDate(to);
}

} // namespace cashbook
