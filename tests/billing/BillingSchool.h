#pragma once

// A small school year for the billing tests (in a scratch folder, or on the test server): three classes (one without a fee row in the class
// table), students of every situation and scholarship kind, and a charge table with the
// ownership rule attached, as the billing window holds it.

#include "core/Session.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/modules/ChargeRules.h"
#include "data/store/Database.h"
#include "data/store/Table.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QDate>
#include <gtest/gtest.h>
#include <memory>

class BillingSchool : public testing::Test
{
protected:
    void SetUp() override
    {
        m_db = data::createSchoolYear(testengine::yearLocation(m_dir.path()), QStringLiteral("2007"));
        m_db.exec(QStringLiteral("insert into TABTURMA (TURMA, DESCRICAO, Valor_Mensalidade) values "
                                 "('1G1A', '1ª SÉRIE A', 300), ('2G1A', '2ª SÉRIE A', 412.5)"));
        // VENCIMENTO is the student's due day; IMP '%' makes ABAT a percentage.
        m_db.exec(QStringLiteral(
            "insert into ALUNOS (MATRICULA, NOME, TURMA, SIT, VENCIMENTO, ABAT, IMP) values "
            "(1, 'ANA', '1G1A', null, '10', 0, null), "
            "(2, 'BRUNO D''ÁVILA', '1G1A', null, '05', 10, '%'), "
            "(3, 'CARLA', '2G1A', null, '30', 25.5, null), "
            "(4, 'DAVI', '1G1A', 'T', '10', 0, null), "
            "(5, 'ELIS', '1G1A', 'B', '10', 0, null), "
            "(6, 'FABIO', '9Z9Z', null, '10', 0, null), "
            "(7, 'GIL', '2G1A', 'I', null, 0, null)"));
        asUser(QStringLiteral("TESOURARIA"), false, true);
        m_charges = std::make_unique<data::Table>(m_db, QStringLiteral("Ccorrent.DB"));
        data::attachChargeRules(*m_charges);
        m_charges->open();
    }
    void TearDown() override
    {
        m_charges.reset();
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
        core::session() = {};
    }

    static void asUser(const QString &name, bool supervisor, bool carnes, bool alunos = false)
    {
        core::Session &s = core::session();
        s.userName = name;
        s.supervisor = supervisor;
        s.rights = {};
        s.rights.carnes = carnes;
        s.rights.alunos = alunos;
        s.schoolYear = QStringLiteral("2007");
    }

    // A charge row written straight into the table (no rules), for the views and the receiving.
    void addCharge(qint64 matricula, const QString &tipo, int parcela, const QDate &due, double value,
                   const QVariant &paid = QVariant(), const QString &status2 = QStringLiteral("0"),
                   double fixed = 0, double occasional = 0, double additions = 0, double paidValue = 0)
    {
        m_db.exec(QStringLiteral(
                      "insert into CCORRENT (TURMA, Matricula, NOME, Tipo, ParcelaNum, ParcelaData, ParcelaValor, "
                      "DescontoFixo, DescontoEventual, Acrescimos, PgtoData, PgtoValor, FORMAPGTO, STATUS2) values "
                      "('1G1A', :m, 'ALUNO', :t, :p, :d, :v, :f, :o, :a, :pd, :pv, '0', :s2)"),
                  {{"m", double(matricula)}, {"t", tipo}, {"p", parcela}, {"d", due}, {"v", value}, {"f", fixed},
                   {"o", occasional}, {"a", additions}, {"pd", paid}, {"pv", paid.isNull() ? QVariant() : QVariant(paidValue)},
                   {"s2", status2}});
    }

    int count(const QString &where = QStringLiteral("1 = 1")) const
    {
        return m_db.scalar(QStringLiteral("select count(*) from CCORRENT where ") + where).toInt();
    }

    TempDir m_dir;
    data::Database m_db;
    std::unique_ptr<data::Table> m_charges;
};
