#pragma once

#include "core/Session.h"
#include "data/modules/SessionControl.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/store/Table.h"
#include "data/users/UserRecord.h"

#include "support/QStringPrinting.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QDate>
#include <gtest/gtest.h>

// A school year in a scratch folder (or on the test server), both data modules, and a log-on
// with chosen rights.
class ModuleFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_location = testengine::yearLocation(m_dir.path());
        m_academic = std::make_unique<data::TDataModule1>();
        m_cashBook = std::make_unique<data::TdmTarnel>();
        logOnAs(user(QStringLiteral("SUPER"), {QStringLiteral("Supervisor"), QStringLiteral("Alunos"),
                                               QStringLiteral("Notas"), QStringLiteral("Carnes"),
                                               QStringLiteral("Tabelas"), QStringLiteral("Caixa")}));
    }
    void TearDown() override
    {
        data::closeSession(*m_academic, *m_cashBook);
        m_cashBook.reset();
        m_academic.reset();
        testengine::dropServerYears();
    }

    static data::UserRecord user(const QString &name, const QStringList &rights)
    {
        data::UserRecord u;
        u.userId = name;
        for (const QString &right : rights)
            data::grantRight(u, right);
        return u;
    }
    void logOnAs(const data::UserRecord &u, const QString &dataDir = QString())
    {
        if (core::session().isOpen())
            data::closeSession(*m_academic, *m_cashBook);
        data::openSession(*m_academic, *m_cashBook, u, QStringLiteral("2009"),
                          dataDir.isEmpty() ? m_location : dataDir);
    }

    data::Database db() const { return data::Database::named(QStringLiteral("Quorvel")); }
    void exec(const QString &sql, const data::SqlParams &params = {}) const { db().exec(sql, params); }
    QVariant scalar(const QString &sql, const data::SqlParams &params = {}) const { return db().scalar(sql, params); }
    int count(const QString &sql) const { return scalar(sql).toInt(); }

    void addStudent(int matricula, const QString &name, const QString &schoolClass, int esp) const
    {
        exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, ESP) values (:m, :n, :t, :e)"),
             {{QStringLiteral("m"), matricula}, {QStringLiteral("n"), name},
              {QStringLiteral("t"), schoolClass}, {QStringLiteral("e"), esp}});
    }
    // One year row and four unit rows per subject, and two charge rows.
    void addDependents(int matricula, const QString &name, const QString &schoolClass, int esp,
                       const QStringList &subjects = {QStringLiteral("01"), QStringLiteral("02")}) const
    {
        for (const QString &disc : subjects) {
            exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma, Nome, Esp) values (:m, :d, :t, :n, :e)"),
                 {{QStringLiteral("m"), matricula}, {QStringLiteral("d"), disc}, {QStringLiteral("t"), schoolClass},
                  {QStringLiteral("n"), name}, {QStringLiteral("e"), esp}});
            for (int unit = 1; unit <= 4; ++unit)
                exec(QStringLiteral("insert into NotasUni%1 (MATRICULA, DISC, TURMA, UNIDADE, NOME, Esp) "
                                    "values (:m, :d, :t, :u, :n, :e)").arg(unit),
                     {{QStringLiteral("m"), matricula}, {QStringLiteral("d"), disc}, {QStringLiteral("t"), schoolClass},
                      {QStringLiteral("u"), QString::number(unit)}, {QStringLiteral("n"), name}, {QStringLiteral("e"), esp}});
        }
        for (int month = 1; month <= 2; ++month)
            addCharge(matricula, name, month);
    }
    void addCharge(int matricula, const QString &name, int month, const QDate &paid = QDate()) const
    {
        exec(QStringLiteral("insert into Ccorrent (Matricula, NOME, Tipo, ParcelaNum, ParcelaData, ParcelaValor, "
                            "PgtoData, STATUS2) values (:m, :n, 'N', :p, :d, 100, :paid, '0')"),
             {{QStringLiteral("m"), matricula}, {QStringLiteral("n"), name}, {QStringLiteral("p"), month},
              {QStringLiteral("d"), QDate(2009, month, 10)}, {QStringLiteral("paid"), paid}});
    }

    TempDir m_dir;
    QString m_location; // the school year: the folder, or a server year on the server run
    ScriptedDialogs::Guard m_dialogs;
    std::unique_ptr<data::TDataModule1> m_academic;
    std::unique_ptr<data::TdmTarnel> m_cashBook;
};
