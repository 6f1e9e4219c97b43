#pragma once

#include "data/modules/SessionControl.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/settings/Settings.h"
#include "data/store/Database.h"
#include "data/store/Table.h"
#include "data/users/UserRecord.h"
#include "grades/GradeRows.h"
#include "grades/UnitRowSave.h"

#include "support/RecordingReporter.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <memory>

// A school year for the grade windows: grade 1G1 (class 1G1A) takes 01 and 02, and 02 is
// consolidated; ANA, BIA and CAIO have their grade rows. The user holds the rights given.
struct GradeUiSchool
{
    explicit GradeUiSchool(const QStringList &rights = {QStringLiteral("Supervisor"), QStringLiteral("Notas"),
                                                        QStringLiteral("Tabelas"), QStringLiteral("Alunos")})
    {
        m_academic = std::make_unique<data::TDataModule1>();
        m_cashBook = std::make_unique<data::TdmTarnel>();
        grades::installAverages(*m_academic);
        data::UserRecord user;
        user.userId = QStringLiteral("SECRETARIA");
        for (const QString &right : rights)
            data::grantRight(user, right);
        data::openSession(*m_academic, *m_cashBook, user, QStringLiteral("2009"), m_year);
        data::Settings &s = data::settings();
        s.Uni_Media = 7;
        s.Ger_Media = 6;
        s.Arredondamento = 0;
        s.Recup_Media = false;
        s.computeDerived();
        for (const char *sql :
             {"insert into Tabturma (TURMA, DESCRICAO) values ('1G1A', '1º ANO A')",
              "insert into DISCPL (CODIGO, DESCRICAO) values ('01', 'PORTUGUÊS')",
              "insert into DISCPL (CODIGO, DESCRICAO) values ('02', 'CIÊNCIAS')",
              "insert into Discturm (SERIE, CODIGO, Consolidada) values ('1G1', '01', 0)",
              "insert into Discturm (SERIE, CODIGO, Consolidada) values ('1G1', '02', 1)",
              "insert into ALUNOS (MATRICULA, NOME, TURMA, ESP) values (1, 'CAIO', '1G1A', 1)",
              "insert into ALUNOS (MATRICULA, NOME, TURMA, ESP) values (2, 'ANA', '1G1A', 3)",
              "insert into ALUNOS (MATRICULA, NOME, TURMA, ESP) values (3, 'BIA', '1G1A', 2)"})
            db().exec(QString::fromUtf8(sql));
        RecordingReporter reporter;
        grades::generateGradeRows(db(), false, reporter);
    }
    ~GradeUiSchool()
    {
        data::closeSession(*m_academic, *m_cashBook);
        m_cashBook.reset();
        m_academic.reset();
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    data::Database db() const { return data::Database::named(QStringLiteral("Quorvel")); }
    QVariant scalar(const QString &sql) const { return db().scalar(sql); }

    TempDir m_dir;
    // The year's folder, or its address on the test server.
    const QString m_year = testengine::yearLocation(m_dir.path());
    ScriptedDialogs::Guard m_dialogs;
    std::unique_ptr<data::TDataModule1> m_academic;
    std::unique_ptr<data::TdmTarnel> m_cashBook;
};
