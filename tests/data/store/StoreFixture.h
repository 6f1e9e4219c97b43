#pragma once

#include "data/store/Database.h"
#include "data/store/Table.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

// A fresh directory with two small tables shaped like the student register and the grades.
class StoreFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    static data::TableDef alunosDef();
    static data::TableDef notasDef();
    // Adds a student through the store.
    void addAluno(double matricula, const QString &nome, const QString &turma, const QString &sit = QString(),
                  const QDate &nascimento = QDate(), double abat = 0);
    // The values of one field, row by row in the dataset's current order.
    static QStringList column(data::Dataset &ds, const QString &field);

    TempDir m_dir;
    data::Database m_db;
};
