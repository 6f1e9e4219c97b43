#include "data/maintenance/BlankGradeRows.h"

#include "core/Dialogs.h"
#include "data/store/Database.h"

#include <QStringList>

namespace data {

int removeBlankGradeRows(const Database &db)
{
    const QStringList tables = {"Notas", "NotasUni1", "NotasUni2", "NotasUni3", "NotasUni4"};
    int deleted = 0;
    for (const QString &table : tables) {
        try {
            deleted +=
                db.exec(QStringLiteral("delete from %1 where (matricula is null) or (disc is null)")
                            .arg(table));
        } catch (const std::exception &) {
            core::showError(
                QStringLiteral("Erro ao deletar registros em branco da tabela %1.db").arg(table));
        }
    }
    return deleted;
}

} // namespace data
