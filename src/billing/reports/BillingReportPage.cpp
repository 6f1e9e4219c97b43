#include "billing/reports/BillingReportPage.h"

namespace billing {

using namespace reports;

namespace {

constexpr Tenths kSubtitleTop = 232;
constexpr Tenths kCaptionTop = 290;

} // namespace

Report billingReportPage(const QString &title, const QString &subtitle, const SchoolInfo &school,
                         const QList<ReportColumn> &columns)
{
    Report report;
    report.title = title;
    report.page.orientation = QPageLayout::Landscape;
    addListingHeader(report, title);
    Band &header = report.pageHeader;
    const Tenths width = report.page.contentWidth();
    if (!subtitle.isEmpty()) {
        header.label(subtitle, {0, kSubtitleTop, width, 45})
            .named(QStringLiteral("qrlSubtitulo"))
            .aligned(Align::Center)
            .withFont(font(10, true));
    }
    for (const ReportColumn &column : columns)
        header.label(column.caption, column.rect(kCaptionTop, 45)).aligned(column.align).withFont(font(kTextSize, true));
    header.line({0, kCaptionTop + 55, width, 0});
    header.height = kCaptionTop + 70;
    addFooterLine(report, school.footer);
    return report;
}

Element &textFrom(Band &band, const QRect &rect, std::function<QString(const PrintContext &)> text)
{
    return band.label(QString(), rect).sized(kTextSize).onPrint(
        [text = std::move(text)](ElementLook &look, const PrintContext &context) { look.text = text(context); });
}

QString moneyText(core::Money amount)
{
    return amount.format();
}

QString moneyOrBlank(core::Money amount)
{
    return amount.isZero() ? QString() : amount.format();
}

} // namespace billing
