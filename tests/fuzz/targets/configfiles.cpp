// ConfigRede.txt and Usuarios.Config.txt as a hand-edited file may hold them.
#include "app/ConfigFiles.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QStringList lines = fuzz::lines(data, size);
    for (const app::SchoolYear &year : app::parseSchoolYears(lines))
        (void)year;
    (void)app::usersDirectoryFrom(lines);
    const QString path = fuzz::writeScratch(QStringLiteral("ConfigRede.txt"), data, size);
    (void)app::readSchoolYears(path);
    return 0;
}
