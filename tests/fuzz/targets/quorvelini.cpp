// Quorvel.ini, the settings file a school may edit by hand, applied over the default settings.
#include "data/settings/IniFile.h"
#include "data/settings/QuorvelIni.h"
#include "data/settings/Settings.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    data::Settings record = data::Settings::defaults(QStringLiteral("2026"));
    (void)data::applyQuorvelIni(data::IniFile::fromLines(fuzz::lines(data, size)), record);
    return 0;
}
