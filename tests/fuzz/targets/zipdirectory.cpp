// A backup archive from a pen drive: its table of contents, and the restore into a scratch
// folder (which must refuse, not crash, on a damaged archive).
#include "backup/zip/ZipDirectory.h"
#include "backup/zip/ZipEngine.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString archive = fuzz::writeScratch(QStringLiteral("copia.zip"), data, size);
    try {
        (void)backup::readZipDirectory(archive);
    } catch (const backup::ZipReadError &) {
        return 0;
    }
    backup::ExtractRequest request;
    request.archive = archive;
    request.destination = fuzz::scratchFolder(QStringLiteral("restaurado"));
    request.directoryNames = true;
    request.verbose = false;
    try {
        (void)backup::zipExtract(request, [](const backup::ZipCallbackRecord &) { return false; });
    } catch (const backup::ZipEngineError &) {
    }
    return 0;
}
