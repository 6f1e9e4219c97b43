#include "reports/SchoolHeader.h"

#include "data/settings/Settings.h"

#include <QPainter>
#include <QPainterPath>

namespace reports {

namespace {

// An open book under a roof, in the school's blue; drawn once.
QImage builtInLogo()
{
    QImage image(240, 240, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor blue(0x1f, 0x4e, 0x9a);
    painter.setPen(QPen(blue, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath roof;
    roof.moveTo(30, 100);
    roof.lineTo(120, 25);
    roof.lineTo(210, 100);
    painter.drawPath(roof);
    painter.setBrush(blue);
    QPainterPath book;
    book.moveTo(120, 140);
    book.cubicTo(90, 115, 55, 115, 35, 125);
    book.lineTo(35, 210);
    book.cubicTo(55, 200, 90, 200, 120, 220);
    book.cubicTo(150, 200, 185, 200, 205, 210);
    book.lineTo(205, 125);
    book.cubicTo(185, 115, 150, 115, 120, 140);
    painter.drawPath(book);
    painter.setPen(QPen(Qt::white, 6));
    painter.drawLine(QPointF(120, 145), QPointF(120, 210));
    return image;
}

QImage &logoSetting()
{
    static QImage logo;
    return logo;
}

} // namespace

QImage fallbackLogo()
{
    if (logoSetting().isNull())
        logoSetting() = builtInLogo();
    return logoSetting();
}

void setFallbackLogo(const QImage &logo)
{
    logoSetting() = logo;
}

Element &addLogo(Band &band, const QRect &rect)
{
    return band.image(kLogoFile, rect).named(QStringLiteral("qrImageLogo")).fallback(fallbackLogo());
}

Tenths addSchoolHeading(Band &band, const SchoolInfo &school, Tenths top)
{
    addLogo(band, {0, top, 250, 200});
    band.label(school.name, {280, top + 10, 1600, 60}).withFont(font(12, true));
    const Font small = font(8);
    band.label(school.address, {280, top + 80, 1600, 35}).withFont(small);
    QString place = school.city;
    if (!school.state.isEmpty())
        place += QStringLiteral(" - ") + school.state;
    band.label(place, {280, top + 120, 1600, 35}).withFont(small);
    band.label(QStringLiteral("Telefone: ") + school.telephone, {280, top + 160, 1600, 35})
        .withFont(small);
    return 210;
}

void addListingHeader(Report &report, const QString &title)
{
    const Tenths width = report.page.contentWidth();
    Band &header = report.pageHeader;
    header.height = 240;
    addLogo(header, {0, 0, 250, 200});
    header.label(title, {280, 70, width - 560, 70})
        .named(QStringLiteral("qrlTitulo"))
        .aligned(Align::Center)
        .withFont(font(14, true));
    header.system(SystemData::DateTime, {width - 450, 0, 450, 40})
        .aligned(Align::Right)
        .sized(8);
    header.system(SystemData::PageNumber, {width - 450, 45, 450, 40}, QStringLiteral("Página  "))
        .aligned(Align::Right)
        .sized(8);
    header.line({0, 220, width, 0}).pen(Qt::black, 4);
}

SchoolInfo SchoolInfo::fromSettings(const data::Settings &settings)
{
    return {settings.Estabel,  settings.Endereco, settings.Municipio,
            settings.UF,       settings.Fone,     settings.reportFooter};
}

void addFooterLine(Report &report, const QString &footer)
{
    const qsizetype lineBreak = footer.indexOf(u'\n');
    const Tenths width = report.page.contentWidth();
    Band &band = report.pageFooter;
    band.height = std::max(band.height, 80);
    band.line({0, 10, width, 0}).pen(Qt::black, 2);
    band.label(footer.left(lineBreak), {0, 25, width / 3, 35}).sized(7);
    if (lineBreak >= 0) {
        band.label(footer.mid(lineBreak + 1), {width / 3, 25, width - width / 3, 35})
            .aligned(Align::Right)
            .sized(7);
    }
}

} // namespace reports
