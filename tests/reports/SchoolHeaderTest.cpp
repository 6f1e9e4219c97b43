#include "reports/SchoolHeader.h"

#include "reports/engine/Layout.h"

#include "core/Clock.h"
#include "data/settings/Settings.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace reports;

namespace {

// Runs with the working directory in a scratch folder, where "logo.bmp" is looked for.
class InFolder
{
public:
    explicit InFolder(const QString &path) : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~InFolder() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

Document listing()
{
    Report report;
    report.title = QStringLiteral("TABELA DE DISCIPLINAS");
    report.page.paper = Paper::A4;
    addListingHeader(report, report.title);
    addFooterLine(report, data::Settings::defaults(QStringLiteral("2010")).reportFooter);
    RecordList rows({QStringLiteral("X")});
    rows.append({1});
    return layout(report, rows);
}

} // namespace

TEST(SchoolHeader, ListingHeaderAndFooterLine)
{
    core::pinClock(QDateTime(QDate(2010, 1, 21), QTime(9, 30, 0)));
    TempDir dir;
    InFolder folder(dir.path());
    const Document document = listing();
    core::pinClock(QDateTime());

    EXPECT_EQ(document.texts(0),
              (QStringList{QStringLiteral("TABELA DE DISCIPLINAS"),
                           QStringLiteral("21/01/2010 09:30:00"), QStringLiteral("Página  1"),
                           QStringLiteral("Lumesco v 2010.01.21"),
                           QStringLiteral("Sistema de Administração Escolar Lumesco - "
                                          "desenvolvido pela equipe Lumesco")}));
    // The footer band sits on the bottom margin (2970 - 100 - 80); its text 25 below its top.
    const QStringList lines = document.dumpLines();
    EXPECT_TRUE(lines.contains(QStringLiteral("1\t100\t2815\ttext 633x35 Arial 7 left\tLumesco v 2010.01.21")))
        << lines.join(u'\n').toStdString();
}

TEST(SchoolHeader, LogoComesFromLogoBmpInTheWorkingDirectoryElseTheFallback)
{
    TempDir dir;
    InFolder folder(dir.path());
    const auto logoItem = [](const Document &document) {
        for (const Item &item : document.pages.first().items) {
            if (item.kind == Item::Kind::Image)
                return item;
        }
        return Item();
    };

    const Item fallback = logoItem(listing());
    EXPECT_EQ(fallback.kind, Item::Kind::Image);
    EXPECT_EQ(fallback.text, QString());
    EXPECT_EQ(fallback.image, fallbackLogo());

    QImage custom(100, 100, QImage::Format_RGB32);
    custom.fill(Qt::red);
    setFallbackLogo(custom);
    EXPECT_EQ(logoItem(listing()).image.pixelColor(5, 5), QColor(Qt::red));

    QImage school(300, 150, QImage::Format_RGB32);
    school.fill(Qt::blue);
    ASSERT_TRUE(school.save(dir.file(QStringLiteral("logo.bmp")), "BMP"));
    const Item loaded = logoItem(listing());
    EXPECT_EQ(loaded.text, QStringLiteral("logo.bmp"));
    EXPECT_EQ(loaded.image.pixelColor(5, 5), QColor(Qt::blue));
    setFallbackLogo(QImage());
}

TEST(SchoolHeader, SchoolHeadingLinesFromTheSettings)
{
    data::Settings settings = data::Settings::defaults(QStringLiteral("2010"));
    settings.Estabel = QStringLiteral("COLÉGIO MODELO");
    settings.Endereco = QStringLiteral("Rua das Flores, 10");
    settings.Municipio = QStringLiteral("Salvador");
    settings.UF = QStringLiteral("BA");
    settings.Fone = QStringLiteral("(71) 3333-4444");
    const SchoolInfo school = SchoolInfo::fromSettings(settings);
    Report report;
    report.titleBand.height = addSchoolHeading(report.titleBand, school);
    RecordList rows({QStringLiteral("X")});
    EXPECT_EQ(layout(report, rows).texts(0),
              (QStringList{QStringLiteral("COLÉGIO MODELO"), QStringLiteral("Rua das Flores, 10"),
                           QStringLiteral("Salvador - BA"), QStringLiteral("Telefone: (71) 3333-4444")}));
}
