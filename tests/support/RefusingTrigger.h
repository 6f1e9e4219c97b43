#pragma once

#include "data/store/Database.h"

#include <QString>

// A trigger that refuses a write with `message`, for the tests of failing rows: SQLite's own on a
// school-year file, a trigger function of its own on a server year.
//   refuseWrites(db, "refuse_esp", "update of ESP", "ALUNOS", "new.MATRICULA = 1", "recusado");
inline void refuseWrites(const data::Database &db, const QString &name, const QString &event, const QString &table,
                         const QString &when, const QString &message)
{
    if (!db.isServerYear()) {
        db.exec(QStringLiteral("create trigger %1 before %2 on %3 %4 begin select raise(abort, '%5'); end")
                    .arg(name, event, table, when.isEmpty() ? QString() : QStringLiteral("when ") + when, message));
        return;
    }
    db.exec(QStringLiteral("create function %1() returns trigger language plpgsql as $$ begin raise exception '%2'; end $$")
                .arg(name, message));
    db.exec(QStringLiteral("create trigger %1 before %2 on %3 for each row %4 execute function %1()")
                .arg(name, event, table, when.isEmpty() ? QString() : QStringLiteral("when (%1)").arg(when)));
}
