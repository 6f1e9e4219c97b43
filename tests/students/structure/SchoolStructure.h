#pragma once

#include "data/modules/ModuleFixture.h"

#include "data/store/Transaction.h"

// A school year with two grades of classes, a subject catalogue, grade rows for two classes and
// a few staff members, two of them teachers.
class SchoolStructure : public ModuleFixture
{
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        data::Transaction fill(db());
        exec(QStringLiteral("insert into Tabturma (TURMA, DESCRICAO, Valor_Mensalidade) values "
                            "('1G1A', '1ª SÉRIE A', 350), ('1G1B', '1ª SÉRIE B', 350), ('1G2A', '2ª SÉRIE A', 380)"));
        exec(QStringLiteral("insert into DISCPL (CODIGO, DESCRICAO, TIPO) values "
                            "('01', 'PORTUGUÊS', 'N'), ('02', 'MATEMÁTICA', 'N'), ('03', 'ARTES', 'C')"));
        exec(QStringLiteral("insert into Discturm (SERIE, CODIGO, PESO) values ('1G1', '01', 1), ('1G2', '01', 1)"));
        addDependents(100, QStringLiteral("ANA"), QStringLiteral("1G1A"), 1, {QStringLiteral("01")});
        addDependents(101, QStringLiteral("BIA"), QStringLiteral("1G1B"), 1, {QStringLiteral("01")});
        exec(QStringLiteral("insert into Funcionarios (MATRICULA, NOME, FUNCAO) values "
                            "(7, 'CARLA MENDES', 'PROFESSORA'), (8, 'JOÃO DO PORTÃO', 'PORTEIRO'), "
                            "(9, 'BRUNO LIMA', 'Prof. substituto')"));
        fill.commit();
    }

    data::Table &classes() { return m_academic->tblTabTurma(); }
    data::Table &gradeSubjects() { return m_academic->tblDiscTurma(); }
    data::Table &assignments() { return m_academic->tblDiscProf(); }
    void chooseClass(const QString &schoolClass)
    {
        ASSERT_TRUE(classes().locate(QStringLiteral("TURMA"), {schoolClass}));
    }
    QStringList codesShown(data::Dataset &dataset, const char *field)
    {
        QStringList codes;
        for (dataset.first(); !dataset.eof(); dataset.next())
            codes += dataset.asText(field);
        return codes;
    }
};
