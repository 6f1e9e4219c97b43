#include "data/demo/DemoPhotos.h"

#include "core/ProgramDirs.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <cmath>
#include <random>

namespace data::demo {

namespace {

constexpr int kWidth = 90;
constexpr int kHeight = 120;

struct Portrait
{
    QColor background, skin, hair, shirt;
    bool longHair;
};

Portrait portraitFor(std::mt19937 &engine)
{
    static const QColor skins[] = {{241, 204, 170}, {224, 172, 125}, {198, 134, 86},
                                   {160, 102, 62},  {120, 74, 44},   {92, 56, 36}};
    static const QColor hairs[] = {{30, 22, 18}, {60, 40, 25}, {110, 72, 40}, {190, 150, 90}};
    static const QColor backgrounds[] = {
        {200, 215, 235}, {215, 225, 210}, {235, 225, 205}, {225, 215, 230}};
    auto pick = [&engine](const auto &list) { return list[engine() % std::size(list)]; };
    // Every student wears the school's uniform.
    return {pick(backgrounds), pick(skins), pick(hairs), QColor(250, 250, 250), engine() % 2 == 0};
}

bool inEllipse(int x, int y, double cx, double cy, double rx, double ry)
{
    const double dx = (x - cx) / rx;
    const double dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

// Pixel by pixel, so no painter (and no windowing system) is needed to draw it.
QImage draw(const Portrait &p)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const QRgb navy = qRgb(30, 45, 95);
    for (int y = 0; y < kHeight; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            QRgb colour = p.background.rgb();
            if (inEllipse(x, y, 45, 128, 44, 36)) // shoulders, with the collar's stripe
                colour = std::abs(x - 45) < 4 + (y - 92) / 3 && y < 110 ? navy : p.shirt.rgb();
            else if (p.longHair && inEllipse(x, y, 45, 62, 27, 36) && y > 40)
                colour = p.hair.rgb();
            if (inEllipse(x, y, 45, 86, 9, 12) && y > 78) // neck
                colour = p.skin.rgb();
            if (inEllipse(x, y, 45, 52, 21, 27)) // face, the hair over its top
                colour = y < 38 || (y < 44 && std::abs(x - 45) > 14) ? p.hair.rgb() : p.skin.rgb();
            if (inEllipse(x, y, 45, 40, 23, 17) && y < 36)
                colour = p.hair.rgb();
            if (inEllipse(x, y, 37, 52, 2.5, 2.5) || inEllipse(x, y, 53, 52, 2.5, 2.5))
                colour = qRgb(40, 30, 25);
            if (inEllipse(x, y, 45, 65, 7, 2) && y >= 65)
                colour = qRgb(170, 70, 70);
            line[x] = colour;
        }
    }
    return image;
}

} // namespace

int writeDemoPhotos(const QString &photosDir, qint64 first, int count, quint32 seed)
{
    if (count <= 0 || !QDir().mkpath(photosDir))
        return 0;
    std::mt19937 engine(seed);
    int written = 0;
    for (int i = 0; i < count; ++i) {
        const Portrait portrait = portraitFor(engine);
        const QString name = QString::number(first + i);
        const QString file = core::joinPath(photosDir, name + QStringLiteral(".bmp"));
        const bool taken =
            QFileInfo::exists(file) ||
            QFileInfo::exists(core::joinPath(photosDir, name + QStringLiteral(".BMP")));
        if (!taken && draw(portrait).save(file, "BMP"))
            ++written;
    }
    return written;
}

} // namespace data::demo
