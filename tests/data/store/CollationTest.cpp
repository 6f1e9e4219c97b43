#include "data/store/Collation.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace data::collation;

namespace {

int sign(int v)
{
    return (v > 0) - (v < 0);
}

const QStringList kTexts = {"", "A", "a", "Á", "á", "AB", "ÁB", "ab", "ALVARO", "ÁLVARO", "álvaro", "ALVARÓ",
                            "ANA", "ANA D'ÁVILA", "ANA DÁVILA", "ÇA", "CA", "CB", "JOSÉ", "JOSE", "JOSÉ SILVA",
                            "JOSÉ SILVA 12", "JOSÉ SILVA 132", "ZÉLIA", "1G1A", "1G1a", "ÿ", "Ÿ", "日本"};

} // namespace

TEST(Collation, PortugueseOrderPutsAccentedLettersWithTheirBase)
{
    QStringList names = {"ZÉLIA", "ÁLVARO", "alberto", "ÉRICO", "EDUARDO", "ÇAIO", "CARLA", "Ângela"};
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return compare(a, b) < 0; });
    EXPECT_EQ(names, QStringList({"alberto", "ÁLVARO", "Ângela", "ÇAIO", "CARLA", "EDUARDO", "ÉRICO", "ZÉLIA"}));
    EXPECT_EQ(compare(u"silva", u"SILVA", true), 0);
    EXPECT_NE(compare(u"silva", u"SILVA", false), 0);
    EXPECT_NE(compare(u"JOSE", u"JOSÉ", true), 0); // accents still tell names apart
    EXPECT_LT(compare(u"JOSE", u"JOSÉ"), 0);
}

TEST(Collation, TheDatabaseComparisonAgreesWithTheOneInMemory)
{
    for (const QString &a : kTexts) {
        for (const QString &b : kTexts) {
            const QByteArray x = a.toUtf8(), y = b.toUtf8();
            for (bool ci : {false, true}) {
                EXPECT_EQ(sign(compareUtf8(x.constData(), int(x.size()), y.constData(), int(y.size()), ci)),
                          sign(compare(a, b, ci)))
                    << a.toStdString() << " / " << b.toStdString() << (ci ? " (ci)" : "");
            }
            EXPECT_EQ(compare(a, b) == 0, a == b) << a.toStdString() << " / " << b.toStdString();
        }
    }
}
