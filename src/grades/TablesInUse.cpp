#include "grades/TablesInUse.h"

#include "data/modules/LiveQuery.h"
#include "data/modules/TDataModule1.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"
#include "data/store/Table.h"

#include <QStringList>

namespace grades {

bool gradeTablesInUse(data::TDataModule1 &module, bool withRanking)
{
    data::TDataModule1 &m = module;
    QList<data::Dataset *> datasets{&m.tblAlunos(),   &m.tblAlunos2(),  &m.tblNotas(),   &m.qryNotas(),
                                    &m.tblTabTurma(), &m.tblDiscpl(),   &m.tblDiscTurma()};
    for (int unit = 1; unit <= 4; ++unit)
        datasets << &m.tblNotasUni(unit);
    if (withRanking)
        datasets << &m.tblPosicao();
    for (const data::Dataset *dataset : std::as_const(datasets))
        if (dataset->isOpen())
            return true;

    QStringList tables{QStringLiteral("Alunos.DB"), QStringLiteral("NOTAS.DB"), QStringLiteral("Tabturma.DB"),
                       QStringLiteral("DISCPL.DB"), QStringLiteral("Discturm.DB")};
    for (int unit = 1; unit <= 4; ++unit)
        tables << QStringLiteral("NotasUni%1.DB").arg(unit);
    if (withRanking)
        tables << QStringLiteral("posicao.db");
    try {
        const data::Database db = data::Database::named(QString::fromLatin1(data::kMainDatabaseName));
        for (const QString &table : std::as_const(tables))
            if (db.isTableOpenElsewhere(table))
                return true;
    } catch (const data::StoreError &) {
        return true; // no school year open
    }
    return false;
}

} // namespace grades
