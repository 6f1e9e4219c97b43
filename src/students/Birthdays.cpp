#include "students/Birthdays.h"

#include "core/Dialogs.h"
#include "data/store/Database.h"
#include "data/store/SqlDialect.h"
#include "data/store/StoreError.h"

namespace students {

int updateBirthdayColumns(const data::Database &db)
{
    const data::SqlDialect &d = db.dialect();
    return db.exec(QStringLiteral("update alunos set ORD = %1, TM = %2")
                       .arg(d.month(QStringLiteral("DATANASC")), d.day(QStringLiteral("DATANASC"))));
}

int runBirthdayCommand(const data::Database &db)
{
    const QString caption = QStringLiteral("Recalcular Aniversário");
    if (!core::confirm(QStringLiteral("Esta operação levará alguns segundos... Continua?"), caption))
        return -1;
    try {
        const int count = updateBirthdayColumns(db);
        core::inform(QStringLiteral("Dia e mês de aniversário atualizados: %1 aluno(s).").arg(count), caption);
        return count;
    } catch (const data::StoreError &e) {
        core::showError(e.message());
        return -1;
    }
}

} // namespace students
