#include "grades/UnitRowSave.h"

#include "data/modules/LiveQuery.h"
#include "data/modules/TDataModule1.h"
#include "data/settings/Rounding.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"
#include "data/store/Table.h"

namespace grades {

namespace {

const QString kMedia = QStringLiteral("cMedia");
const QString kMediaFinal = QStringLiteral("cMediaFinal");

void addAverageFields(data::Dataset &dataset)
{
    dataset.addCalculatedField(kMedia, data::FieldType::Float);
    dataset.addCalculatedField(kMediaFinal, data::FieldType::Float);
}

// The year table shows its stored averages through the school rounding.
void addYearAverages(data::Dataset &notas)
{
    addAverageFields(notas);
    const auto previous = notas.events.onCalcFields;
    notas.events.onCalcFields = [previous](data::Dataset &row) {
        if (previous)
            previous(row);
        for (const auto &[calculated, stored] : {std::pair{kMedia, QStringLiteral("MD_ANUAL")},
                                                 std::pair{kMediaFinal, QStringLiteral("MD_FINAL")}}) {
            row.setValue(calculated, row.isBlank(stored) ? QVariant()
                                                         : QVariant(data::schoolRound(row.asFloat(stored))));
        }
    };
}

} // namespace

UnitRowValues unitRowValues(const std::optional<UnitAverage> &average, double unitPassMark)
{
    UnitRowValues values;
    if (!average)
        return values;
    values.media = average->average;
    values.mdFinal = average->afterRecovery;
    const bool recovery = average->afterRecovery < unitPassMark;
    values.resultado = recovery ? QStringLiteral("Recuperação*") : QStringLiteral("Na Média*");
    values.yearResultado = recovery ? QStringLiteral("Recuperação") : QStringLiteral("Aprovado");
    return values;
}

void writeYearRow(const data::Database &db, const GradeKey &key, int unit, const UnitRowValues &values,
                  const QVariant &faltas)
{
    const bool present = values.media.has_value();
    db.exec(QStringLiteral("update NOTAS set UND%1 = :und, FLT%1 = :flt, RESULTADO = :res "
                           "where MATRICULA = :m and DISC = :d and Turma = :t")
                .arg(unit),
            {{QStringLiteral("und"), fieldValue(values.mdFinal)},
             {QStringLiteral("flt"), present ? faltas : QVariant()},
             {QStringLiteral("res"), present ? QVariant(values.yearResultado) : QVariant()},
             {QStringLiteral("m"), key.matricula},
             {QStringLiteral("d"), key.disc},
             {QStringLiteral("t"), key.turma}});
}

void storeUnitAverages(data::Dataset &unitRow)
{
    const UnitRowValues values =
        unitRowValues(unitAverage(unitMarksOf(unitRow), AverageRules::fromSettings()), data::settings().unitPassMark);
    unitRow.setValue("MEDIA", fieldValue(values.media));
    unitRow.setValue("MD_FINAL", fieldValue(values.mdFinal));
    unitRow.setValue("RESULTADO", values.media ? QVariant(values.resultado) : QVariant());
}

void carryToYearRow(const data::Dataset &unitRow, int unit, const data::Database &db)
{
    std::optional<UnitAverage> stored;
    if (!unitRow.isBlank("MEDIA"))
        stored = UnitAverage{unitRow.asFloat("MEDIA"), unitRow.asFloat("MD_FINAL")};
    try {
        writeYearRow(db, {unitRow.asFloat("MATRICULA"), unitRow.asText("DISC"), unitRow.asText("TURMA")}, unit,
                     unitRowValues(stored, data::settings().unitPassMark), unitRow.value("FALTAS"));
    } catch (const data::StoreError &) {
        // The unit row is saved all the same; the next recalculation carries it over.
    }
}

void installAverages(data::TDataModule1 &module)
{
    for (int unit = 1; unit <= 4; ++unit) {
        data::Table &table = module.tblNotasUni(unit);
        addAverageFields(table);
        table.events.onCalcFields = [](data::Dataset &row) {
            const std::optional<UnitAverage> average = unitAverage(unitMarksOf(row), AverageRules::fromSettings());
            row.setValue(kMedia, average ? QVariant(average->average) : QVariant());
            row.setValue(kMediaFinal, average ? QVariant(average->afterRecovery) : QVariant());
        };
        table.events.afterPost = [&module, unit](data::Dataset &row) {
            carryToYearRow(row, unit, data::Database::named(QString::fromLatin1(data::kMainDatabaseName)));
            // A year grid open beside the unit grid shows the carried average at once.
            for (data::Dataset *year : {static_cast<data::Dataset *>(&module.tblNotas()),
                                        static_cast<data::Dataset *>(&module.qryNotas())}) {
                if (year->isOpen() && !year->isEditing())
                    year->refresh();
            }
        };
    }
    addYearAverages(module.tblNotas());
    addYearAverages(module.qryNotas());
    module.setUnitRowSave([](data::Dataset &row, int) { storeUnitAverages(row); });
}

} // namespace grades
