#include "data/maintenance/LayoutUpgrade.h"

#include "data/schema/AcademicSchema.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/store/Query.h"
#include "data/store/SqlDialect.h"
#include "data/store/Transaction.h"

#include <QStringList>
#include <functional>

namespace data {

namespace {

// Runs `work` as one all-or-nothing step; false (nothing changed) when any part of it fails.
bool guarded(const Database &db, const std::function<void()> &work)
{
    try {
        Transaction transaction(db);
        work();
        transaction.commit();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool guardedStatements(const Database &db, const QStringList &statements)
{
    return guarded(db, [&] {
        for (const QString &statement : statements)
            db.exec(statement);
    });
}

// Runs `alter`, which drops and re-creates `columns` of `table`, putting each row's values back.
void alterKeepingColumns(const Database &db, const QString &table, const QStringList &columns,
                         const QString &alter)
{
    Query saved(db);
    saved.setSql(QStringLiteral("select rowid as row_id, %1 from %2")
                     .arg(columns.join(QStringLiteral(", ")), table));
    saved.open();
    QList<SqlParams> rows;
    for (saved.first(); !saved.eof(); saved.next()) {
        SqlParams values{{QStringLiteral("row_id"), saved.value("row_id")}};
        for (const QString &column : columns)
            values.insert(column, saved.value(column));
        rows += values;
    }
    saved.close();

    db.exec(alter);

    QStringList assignments;
    for (const QString &column : columns)
        assignments += column + QStringLiteral(" = :") + column;
    const QString restore = QStringLiteral("update %1 set %2 where rowid = :row_id")
                                .arg(table, assignments.join(QStringLiteral(", ")));
    for (const SqlParams &values : rows)
        db.exec(restore, values);
}

// True when ALUNOS holds every field of the current layout with the current type and width,
// as opening it with its full field list requires.
bool alunosOpensWithFullFieldList(const Database &db)
{
    try {
        const TableDef stored = db.layout(QStringLiteral("ALUNOS"));
        for (const FieldDef &wanted : schema::alunos().fields) {
            const FieldDef *have = stored.field(wanted.name);
            if (!have || have->type != wanted.type ||
                (wanted.type == FieldType::Text && have->size != wanted.size))
                return false;
        }
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

// The PIX key of the school's own slips; fails silently where the columns already exist.
bool addPixColumns(const Database &db)
{
    return guardedStatements(db, {"alter table usuario add PIX_CHAVE CHAR(77), add PIX_NOME CHAR(25), "
                                  "add PIX_CIDADE CHAR(15)"});
}

bool upgradeSettingsTable(const Database &db)
{
    // Whatever the old table holds is the starting point; the new items start at their defaults.
    Settings record;
    try {
        loadSettings(db, record);
    } catch (const std::exception &) {
        return false;
    }
    const bool altered = guarded(db, [&] {
        alterKeepingColumns(
            db, QStringLiteral("usuario"),
            {QStringLiteral("Estabel"), QStringLiteral("Endereco"), QStringLiteral("Municipio")},
            QStringLiteral(
                "alter table usuario Drop Estabel, Drop Endereco, Drop Municipio, Add Estabel "
                "Char(60), Add Endereco Char(60), Add Municipio Char(60), add Recup_Media Boolean, "
                "add PesoUND1 INTEGER, add PesoUND2 INTEGER, add PesoUND3 INTEGER, add PesoUND4 "
                "INTEGER, add Arredondamento INTEGER, add Usa_Rede Boolean, add Termo_Func "
                "CHAR(12), add Termo_Unidade Char(10), add Termo_Recup Char (5), add Turma_Disc  "
                "boolean, add Version_Info char(60)"));
    });
    if (!altered)
        return false;
    // The record is saved whole, so the columns added since must be there too.
    addPixColumns(db);
    saveSettings(db, record, IniFileUse::Read);
    try {
        loadSettings(db, settings());
    } catch (const std::exception &) {
        // The load at the end of the log-on reports an unreadable settings table.
    }
    return true;
}

} // namespace

QList<int> upgradeLayout(const Database &db)
{
    const SqlDialect &d = db.dialect();
    const QString falseValue = d.boolean(false);
    const QString trueValue = d.boolean(true);
    QList<int> applied;
    auto step = [&](int number, bool tookEffect) {
        if (tookEffect)
            applied += number;
    };

    step(1, upgradeSettingsTable(db));
    step(2, guardedStatements(db, {"alter table discturm  add Consolidada Boolean"}));
    step(3, guardedStatements(db, {"update discturm  set Consolidada = " + falseValue +
                                   " where Consolidada is null"}));
    step(4, guardedStatements(db, {"alter table discturm add Imp_AtaFinal Boolean",
                                   "update discturm set Imp_AtaFinal = " + trueValue}));
    step(5, guardedStatements(
                db, {"alter table alunos add email_resp CHAR(50), add UsarPiscina Boolean",
                     "update alunos set UsarPiscina = " + trueValue}));
    step(6, guardedStatements(db, {"alter table alunos add celular_resp CHAR(16), add celular_pai "
                                   "CHAR(16), add celular_mae CHAR(16)"}));
    step(7,
         guardedStatements(
             db, {"alter table alunos add TIPO_SANG CHAR(3), add COR_PELE CHAR(16), add CN_NUM "
                  "CHAR(20), ADD CN_FOLHA CHAR(4), ADD CN_LIVRO CHAR(4), add CN_MUNNASC "
                  "CHAR(20), ADD CN_DTEMISS DATE, ADD CN_UFCART CHAR(2), ADD CN_CART CHAR(30)"}));
    // The certificate's sheet and book grew from 4 to 10 characters; what they hold stays.
    if (!alunosOpensWithFullFieldList(db)) {
        step(8, guarded(db, [&] {
                 alterKeepingColumns(
                     db, QStringLiteral("alunos"),
                     {QStringLiteral("CN_FOLHA"), QStringLiteral("CN_LIVRO")},
                     QStringLiteral("alter table alunos DROP CN_FOLHA , DROP CN_LIVRO , "
                                    "ADD CN_FOLHA CHAR(10), ADD CN_LIVRO CHAR (10)"));
             }));
    }
    const QStringList gradeTables = {"NOTAS", "NOTASUNI1", "NOTASUNI2", "NOTASUNI3", "NOTASUNI4"};
    for (const QString &table : gradeTables)
        step(9, guardedStatements(db, {"alter table " + table + " add SIT CHAR(2)"}));
    step(10, guardedStatements(db, {"alter table alunos add MARCADO Boolean",
                                    "update alunos set MARCADO = " + falseValue}));
    for (const QString &table : gradeTables)
        step(11, guardedStatements(db, {"alter table " + table + " add RESULTADO CHAR(20)"}));
    step(12, guardedStatements(db, {"alter table discturm add PESO INTEGER",
                                    "update discturm set PESO = 1 where PESO is null"}));
    step(13, guardedStatements(db, {"alter table CCorrent add USUARIO char(10)"}));
    step(14,
         guardedStatements(db, {"alter table CCorrent add STATUS2 char(1)",
                                "update CCorrent set STATUS2 = '0' where (PgtoData is null)",
                                "update CCorrent set STATUS2 = '1' where not(PgtoData is null)"}));
    step(15,
         guardedStatements(db, {"alter table CCorrent add FORMAPGTO char(1)",
                                "Update CCorrent set FORMAPGTO = '0' where FORMAPGTO IS NULL"}));
    // Unpaid rows go back to the lowest level at every log-on, so only paid rows stay locked.
    step(16, guardedStatements(db, {"update CCorrent set STATUS2 = '0' where (PgtoData is null)"}));
    step(17, addPixColumns(db));
    return applied;
}

} // namespace data
