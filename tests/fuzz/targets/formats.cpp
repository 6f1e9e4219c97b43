// The pt-BR number, integer, money and date parsers on whatever a user may type.
#include "core/Formats.h"
#include "core/Money.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString typed = fuzz::text(data, size);
    if (const auto number = core::parseNumber(typed))
        (void)core::formatNumber(*number, QStringLiteral("###,##0.00"));
    (void)core::parseInteger(typed);
    if (const auto date = core::parseDate(typed))
        (void)core::formatDate(*date);
    if (const auto money = core::Money::parse(typed))
        (void)money->percent(12.5);
    return 0;
}
