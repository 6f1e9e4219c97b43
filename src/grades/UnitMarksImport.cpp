#include "grades/UnitMarksImport.h"

#include "data/bulk/BulkRun.h"
#include "data/store/Table.h"
#include "grades/UnitRowSave.h"

namespace grades {

namespace {

const QStringList kKeyFields{QStringLiteral("matricula"), QStringLiteral("disc"), QStringLiteral("turma")};

QVariant sourceValue(const data::Dataset &source, const QString &field)
{
    return source.hasField(field) ? source.value(field) : QVariant();
}

} // namespace

QStringList importedFields()
{
    return {QStringLiteral("nota1"), QStringLiteral("nota2"), QStringLiteral("nota3"), QStringLiteral("nota4"),
            QStringLiteral("nota5"), QStringLiteral("pontos1"), QStringLiteral("recup")};
}

QStringList missingKeyFields(const data::Dataset &source)
{
    QStringList missing;
    for (const QString &field : kKeyFields)
        if (!source.hasField(field))
            missing << field;
    return missing;
}

core::RunOutcome importUnitMarks(const data::Database &db, data::Dataset &source, int unit, core::RunReporter &reporter)
{
    return data::BulkRun(db, reporter).run([&](data::BulkRun &run) {
        data::Table rows(db, QStringLiteral("NotasUni%1.DB").arg(unit));
        rows.setExclusive(true);
        try {
            rows.open();
        } catch (const data::StoreError &) {
            throw data::StoreError(QString::fromUtf8(kImportLockError));
        }
        const int total = source.recordCount();
        run.begin(QStringLiteral("Importando notas da %1ª unidade").arg(unit), total);
        const QString unitText = QString::number(unit);
        int done = 0;
        for (source.first(); !source.eof(); source.next()) {
            const QVariantList key{sourceValue(source, kKeyFields[0]).toDouble(),
                                   sourceValue(source, kKeyFields[1]).toString().trimmed(),
                                   sourceValue(source, kKeyFields[2]).toString().trimmed(), unitText};
            if (rows.findKey(key)) {
                QString field;
                try {
                    rows.edit();
                    // A field the source does not have keeps what the row holds.
                    for (const QString &copied : importedFields()) {
                        field = copied.toUpper();
                        if (source.hasField(copied))
                            rows.setValue(field, source.value(copied));
                    }
                    field = QStringLiteral("MEDIA");
                    storeUnitAverages(rows);
                    rows.post();
                    carryToYearRow(rows, unit, db);
                } catch (const data::StoreError &e) {
                    rows.cancel();
                    throw data::StoreError(QStringLiteral("Erro ao fazer post em tblAlunos no campo %1\n%2").arg(field, e.message()));
                }
            }
            ++done;
            run.step(done, QStringLiteral("Lendo: %1 de %2").arg(done).arg(total));
        }
        rows.close();
    });
}

} // namespace grades
