// A dBase file from a bank or an old program, opened as the imports open it and read to the end.
#include "data/store/Dataset.h"
#include "data/store/ExternalTable.h"
#include "data/store/StoreError.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = fuzz::writeScratch(QStringLiteral("CCORRENT.DBF"), data, size);
    try {
        std::unique_ptr<data::Dataset> table = data::openExternalTable(path);
        if (!table)
            return 0;
        const int fields = table->fieldCount();
        for (table->first(); !table->eof(); table->next())
            for (int i = 0; i < fields; ++i)
                (void)table->value(i);
    } catch (const data::StoreError &) {
    }
    return 0;
}
