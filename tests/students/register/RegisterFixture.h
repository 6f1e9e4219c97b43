#pragma once

#include "data/modules/ModuleFixture.h"

#include "data/store/Transaction.h"
#include "students/StudentRegister.h"

#include <QDir>

// A small school in a scratch folder, logged on with every right, and the register's data
// steps over the data module.
class RegisterFixture : public ModuleFixture
{
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        {
            data::Transaction fill(db());
            for (const auto &[code, name] : {std::pair{"MAT01", "MATERNAL I"}, std::pair{"1G1AM", "1º ANO A MANHÃ"},
                                             std::pair{"1G1BM", "1º ANO B MANHÃ"}, std::pair{"2G3N", "3ª SÉRIE NOITE"}})
                exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO) values (:t, :d)"),
                     {{QStringLiteral("t"), QString::fromUtf8(code)}, {QStringLiteral("d"), QString::fromUtf8(name)}});
            for (const auto &[code, name] : {std::pair{"01", "PORTUGUÊS"}, std::pair{"02", "MATEMÁTICA"},
                                             std::pair{"03", "CIÊNCIAS"}})
                exec(QStringLiteral("insert into DISCPL (CODIGO, DESCRICAO) values (:c, :d)"),
                     {{QStringLiteral("c"), QString::fromUtf8(code)}, {QStringLiteral("d"), QString::fromUtf8(name)}});
            for (const char *code : {"01", "02", "03"})
                exec(QStringLiteral("insert into Discturm (SERIE, CODIGO) values ('1G1', :c)"),
                     {{QStringLiteral("c"), QString::fromLatin1(code)}});
            exec(QStringLiteral("insert into Discturm (SERIE, CODIGO) values ('2G3', '01')"));
            addStudent(100, QStringLiteral("ANA SILVA"), QStringLiteral("1G1AM"), 3);
            addDependents(100, QStringLiteral("ANA SILVA"), QStringLiteral("1G1AM"), 3);
            addStudent(101, QStringLiteral("BRUNO LIMA"), QStringLiteral("1G1BM"), 31);
            addDependents(101, QStringLiteral("BRUNO LIMA"), QStringLiteral("1G1BM"), 31);
            addStudent(102, QStringLiteral("CARLA REIS"), QStringLiteral("1G1BM"), 5);
            addStudent(103, QStringLiteral("JOÃO D'ÁVILA"), QStringLiteral("MAT01"), 1);
            fill.commit();
        }
        m_register = std::make_unique<students::StudentRegister>(*m_academic);
        m_previousDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    void TearDown() override
    {
        QDir::setCurrent(m_previousDir);
        m_register->close();
        m_register.reset();
        ModuleFixture::TearDown();
    }

    void set(int matricula, const QString &assignments)
    {
        exec(QStringLiteral("update ALUNOS set %1 where MATRICULA = %2").arg(assignments).arg(matricula));
    }
    data::Table &alunos() { return m_register->alunos(); }
    bool go(int matricula) { return alunos().locate(QStringLiteral("MATRICULA"), {matricula}); }
    QList<int> numbersInView()
    {
        QList<int> numbers;
        for (int row = 0; row < alunos().recordCount(); ++row)
            numbers += alunos().valueAt(row, alunos().fieldIndex("MATRICULA")).toInt();
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }

    std::unique_ptr<students::StudentRegister> m_register;
    QString m_previousDir;
};
