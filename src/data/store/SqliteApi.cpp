#include "data/store/SqliteApi.h"

#include "data/store/StoreError.h"

#include <QLibrary>
#include <QStringList>

namespace data::sqlite {

namespace {

struct Loaded
{
    Api api;
    QString error;
};

Loaded load()
{
    Loaded loaded;
    // "libsqlite3.so.0" on Linux, "sqlite3.dll" on Windows.
    QLibrary library;
    const QList<QPair<QString, int>> candidates = {{QStringLiteral("sqlite3"), 0},
                                                   {QStringLiteral("sqlite3"), -1}};
    bool found = false;
    for (const auto &[name, version] : candidates) {
        if (version >= 0)
            library.setFileNameAndVersion(name, version);
        else
            library.setFileName(name);
        if (library.load()) {
            found = true;
            break;
        }
    }
    if (!found) {
        loaded.error = QStringLiteral("Biblioteca SQLite não encontrada: %1").arg(library.errorString());
        return loaded;
    }
#define LUMESCO_SQLITE_RESOLVE(name)                                                        \
    loaded.api.name = reinterpret_cast<decltype(&::sqlite3_##name)>(                       \
        library.resolve("sqlite3_" #name));                                                \
    if (!loaded.api.name && loaded.error.isEmpty())                                         \
        loaded.error = QStringLiteral("Função da biblioteca SQLite ausente: sqlite3_" #name);
    LUMESCO_SQLITE_FUNCTIONS(LUMESCO_SQLITE_RESOLVE)
#undef LUMESCO_SQLITE_RESOLVE
    return loaded;
}

} // namespace

const Api &api()
{
    static const Loaded loaded = load();
    if (!loaded.error.isEmpty())
        throw StoreError(loaded.error);
    return loaded.api;
}

} // namespace data::sqlite
