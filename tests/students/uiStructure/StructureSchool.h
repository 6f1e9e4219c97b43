#pragma once

#include "core/Session.h"
#include "core/Shell.h"
#include "data/modules/SessionControl.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/store/Database.h"
#include "data/store/Transaction.h"
#include "data/users/UserRecord.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QTest>
#include <memory>

// A logged-on school year for the structure windows: two grades of classes, a catalogue, grade
// rows in two classes, three staff members (two teachers), scripted dialogs and a recording shell.
class StructureSchool
{
public:
    StructureSchool()
        : m_year(testengine::yearLocation(m_dir.file(QStringLiteral("2009"))))
        , m_previousShell(core::setShell(std::make_unique<core::RecordingShell>()))
    {
        logOn({QStringLiteral("Supervisor"), QStringLiteral("Alunos"), QStringLiteral("Notas"),
               QStringLiteral("Tabelas")});
        data::Transaction fill(db());
        for (const char *sql :
             {"insert into Tabturma (TURMA, DESCRICAO, Valor_Mensalidade) values ('1G1A', '1ª SÉRIE A', 350), "
              "('1G1B', '1ª SÉRIE B', 350), ('1G2A', '2ª SÉRIE A', 380)",
              "insert into DISCPL (CODIGO, DESCRICAO, TIPO) values ('01', 'PORTUGUÊS', 'N'), ('02', 'MATEMÁTICA', 'N'), "
              "('03', 'EDUCAÇÃO ARTÍSTICA', 'C')",
              "insert into Discturm (SERIE, CODIGO, PESO) values ('1G1', '01', 1), ('1G1', '02', 1), ('1G2', '01', 1)",
              "insert into Funcionarios (MATRICULA, NOME, FUNCAO, DATANASC) values (7, 'CARLA MENDES', 'PROFESSORA', "
              "'1970-05-04'), (8, 'JOÃO DO PORTÃO', 'PORTEIRO', NULL), (9, 'BRUNO LIMA', 'PROFESSOR', NULL)"})
            db().exec(QString::fromUtf8(sql));
        for (const auto &[number, schoolClass] : {std::pair{1, "1G1A"}, std::pair{2, "1G1B"}, std::pair{3, "1G2A"}}) {
            for (const char *subject : {"01", "02"}) {
                const data::SqlParams row{{QStringLiteral("m"), number},
                                          {QStringLiteral("d"), QString::fromLatin1(subject)},
                                          {QStringLiteral("t"), QString::fromLatin1(schoolClass)}};
                db().exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma) values (:m, :d, :t)"), row);
                db().exec(QStringLiteral("insert into NotasUni1 (MATRICULA, DISC, TURMA, UNIDADE) values (:m, :d, :t, '1')"),
                          row);
            }
        }
        fill.commit();
    }
    ~StructureSchool()
    {
        data::closeSession(*m_academic, *m_cashBook);
        core::setShell(std::move(m_previousShell));
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    void logOn(const QStringList &rights)
    {
        if (core::session().isOpen())
            data::closeSession(*m_academic, *m_cashBook);
        data::UserRecord user;
        user.userId = QStringLiteral("SECRETARIA");
        for (const QString &right : rights)
            data::grantRight(user, right);
        data::openSession(*m_academic, *m_cashBook, user, QStringLiteral("2009"), m_year);
    }

    data::Database db() const { return data::Database::named(QStringLiteral("Quorvel")); }
    int count(const QString &sql) const { return db().scalar(sql).toInt(); }
    core::RecordingShell &shell() const { return static_cast<core::RecordingShell &>(core::shell()); }

    TempDir m_dir;
    // This year's folder, or its address on the test server.
    const QString m_year;
    ScriptedDialogs::Guard m_dialogs;
    std::unique_ptr<data::TDataModule1> m_academic = std::make_unique<data::TDataModule1>();
    std::unique_ptr<data::TdmTarnel> m_cashBook = std::make_unique<data::TdmTarnel>();

private:
    std::unique_ptr<core::Shell> m_previousShell;
};

// The row of a grid whose column `column` shows `text`; -1 when none does.
inline int rowShowing(const QAbstractItemView *grid, int column, const QString &text)
{
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        if (grid->model()->index(row, column).data().toString() == text)
            return row;
    return -1;
}

inline void selectRow(QAbstractItemView *grid, int row)
{
    grid->setCurrentIndex(grid->model()->index(row, 0));
}
