#include "core/SemicolonExport.h"

#include "core/Shell.h"
#include "core/TextFile.h"

namespace core {

QStringList semicolonLines(const SemicolonTable &table)
{
    QStringList lines;
    if (!table.title.isEmpty())
        lines.append(table.title);
    QStringList names;
    for (const QString &name : table.fieldNames)
        names.append(name.toUpper());
    lines.append(names.join(u';'));
    for (const QStringList &row : table.rows)
        lines.append(row.join(u';'));
    return lines;
}

bool exportSemicolon(const QString &path, const SemicolonTable &table, QString *error)
{
    if (!writeTextLines(path, semicolonLines(table), error))
        return false;
    shell().open(path);
    return true;
}

} // namespace core
