// The contract model as a word processor may leave it: checked, every line filled with values
// that carry RTF's special characters, and shown through the small RTF reader.
#include "billing/contracts/ContractModel.h"
#include "billing/contracts/RtfPreview.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QStringList lines = fuzz::lines(data, size);
    (void)billing::isUsableContractModel(lines);
    QList<billing::Placeholder> values;
    for (const QString &name : billing::placeholderNames())
        values.append({name, QStringLiteral("JOÃO D'ÁVILA {\\par} ç")});
    for (const QString &line : lines)
        (void)billing::fillContractLine(line, values);
    (void)billing::rtfToHtml(fuzz::text(data, size));
    return 0;
}
