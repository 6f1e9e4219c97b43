#include "data/maintenance/YearMigration.h"

#include "data/store/AppendBatch.h"
#include "data/store/Query.h"
#include "data/store/SqlText.h"
#include "data/store/StoreError.h"
#include "data/store/Table.h"
#include "data/store/Transaction.h"

#include <QCryptographicHash>
#include <QDate>

#include <algorithm>

namespace data {

namespace {

// A value as text that reads the same from either engine.
QString canonical(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("\\N");
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 17);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return value.toString();
    }
}

} // namespace

MigratedTable tableChecksum(const Database &db, const QString &tableName)
{
    Table table(db, tableName);
    table.setReadOnly(true);
    table.open();
    QStringList rows;
    rows.reserve(table.recordCount());
    for (table.first(); !table.eof(); table.next()) {
        QStringList values;
        for (int f = 0; f < table.fieldCount(); ++f)
            values.append(canonical(table.value(f)));
        rows.append(values.join(QChar(0x1F)));
    }
    std::sort(rows.begin(), rows.end());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &row : std::as_const(rows)) {
        hash.addData(row.toUtf8());
        hash.addData("\n");
    }
    return {table.tableName(), qint64(rows.size()), QString::fromLatin1(hash.result().toHex())};
}

QList<MigratedTable> migrateSchoolYear(const Database &from, const Database &to, MigrationMode mode, const QStringList &only)
{
    QStringList names;
    for (const QString &name : from.tableNames())
        if (only.isEmpty() || only.contains(name, Qt::CaseInsensitive))
            names.append(name);
    for (const QString &wanted : only)
        if (!names.contains(wanted, Qt::CaseInsensitive))
            throw StoreError(QStringLiteral("A tabela %1 não existe na origem.").arg(wanted));
    if (mode == MigrationMode::IntoEmpty)
        for (const QString &name : names)
            if (to.hasTable(name) && to.scalar(QStringLiteral("select count(*) from %1").arg(sqltext::quoteName(name))).toLongLong() > 0)
                throw StoreError(QStringLiteral("O destino já tem registros na tabela %1; a cópia só é feita para um lugar vazio.").arg(name));

    QList<MigratedTable> copied;
    Transaction transaction(to);
    // The copy stands or falls as a whole: its rows may go to a server in bulk.
    AppendBatch batch(to);
    if (mode == MigrationMode::Replace)
        for (const QString &name : to.tableNames())
            to.dropTable(name);
    for (const QString &name : names) {
        TableDef layout = from.layout(name);
        // An upgrade statement may have made an index of a name the store's own already has
        // ("iGrupoDesc" beside "GrupoConta.iGrupoDesc"): one of each name is made.
        QStringList indexNames;
        layout.indexes.removeIf([&](const IndexDef &index) {
            if (indexNames.contains(index.name, Qt::CaseInsensitive))
                return true;
            indexNames.append(index.name);
            return false;
        });
        if (to.hasTable(name))
            to.dropTable(name);
        to.createTable(layout);
        QStringList columns, marks;
        for (int f = 0; f < layout.fields.size(); ++f) {
            columns.append(sqltext::quoteName(layout.fields[f].name));
            marks.append(QStringLiteral(":p%1").arg(f));
        }
        const QString insert = QStringLiteral("insert into %1 (%2) values (%3)")
                                   .arg(sqltext::quoteName(layout.name), columns.join(u','), marks.join(u','));
        Table source(from, name);
        source.setReadOnly(true);
        source.open();
        SqlParams params;
        for (source.first(); !source.eof(); source.next()) {
            for (int f = 0; f < layout.fields.size(); ++f)
                params.insert(QStringLiteral("p%1").arg(f), source.value(f));
            to.exec(insert, params);
        }
        source.close();
        const MigratedTable before = tableChecksum(from, name);
        const MigratedTable after = tableChecksum(to, name);
        if (before.rows != after.rows || before.checksum != after.checksum)
            throw StoreError(QStringLiteral("A cópia da tabela %1 não confere: %2 registros na origem, %3 no destino.")
                                 .arg(name)
                                 .arg(before.rows)
                                 .arg(after.rows));
        copied.append(after);
    }
    transaction.commit();
    return copied;
}

} // namespace data
