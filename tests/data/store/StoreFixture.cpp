#include "StoreFixture.h"

#include "support/TestEngine.h"

using namespace data;

void StoreFixture::SetUp()
{
    m_db = Database::open(testengine::yearLocation(m_dir.path()));
    m_db.createTable(alunosDef());
    m_db.createTable(notasDef());
}

void StoreFixture::TearDown()
{
    m_db = Database();
    Database::closeAll();
    testengine::dropServerYears();
}

TableDef StoreFixture::alunosDef()
{
    TableDef t;
    t.name = QStringLiteral("ALUNOS");
    t.fileName = QStringLiteral("Alunos.DB");
    t.fields = {{QStringLiteral("MATRICULA"), FieldType::Float, 0, true},
                {QStringLiteral("NOME"), FieldType::Text, 42, true},
                {QStringLiteral("TURMA"), FieldType::Text, 5, true},
                {QStringLiteral("SIT"), FieldType::Text, 2},
                {QStringLiteral("DATANASC"), FieldType::Date},
                {QStringLiteral("ABAT"), FieldType::Float},
                {QStringLiteral("IMP"), FieldType::Text, 1},
                {QStringLiteral("ORD"), FieldType::Short},
                {QStringLiteral("MARCADO"), FieldType::Logical}};
    t.primaryKey = {QStringLiteral("MATRICULA")};
    t.indexes = {{QStringLiteral("kTurma"), {QStringLiteral("TURMA"), QStringLiteral("NOME")}},
                 {QStringLiteral("kNome"), {QStringLiteral("NOME")}, false, true},
                 {QStringLiteral("kMatDesc"), {QStringLiteral("MATRICULA")}, true}};
    return t;
}

TableDef StoreFixture::notasDef()
{
    TableDef t;
    t.name = QStringLiteral("NOTAS");
    t.fileName = QStringLiteral("NOTAS.DB");
    t.fields = {{QStringLiteral("MATRICULA"), FieldType::Float},
                {QStringLiteral("DISC"), FieldType::Text, 2},
                {QStringLiteral("Turma"), FieldType::Text, 5},
                {QStringLiteral("UND1"), FieldType::Float},
                {QStringLiteral("MD_ANUAL"), FieldType::Float},
                {QStringLiteral("Nome"), FieldType::Text, 42}};
    t.primaryKey = {QStringLiteral("MATRICULA"), QStringLiteral("DISC"), QStringLiteral("Turma")};
    t.indexes = {{QStringLiteral("kTurma"), {QStringLiteral("Turma")}}};
    return t;
}

void StoreFixture::addAluno(double matricula, const QString &nome, const QString &turma, const QString &sit,
                            const QDate &nascimento, double abat)
{
    m_db.exec(QStringLiteral("insert into alunos (matricula, nome, turma, sit, datanasc, abat) "
                             "values (:m, :n, :t, :s, :d, :a)"),
              {{QStringLiteral("m"), matricula},
               {QStringLiteral("n"), nome},
               {QStringLiteral("t"), turma},
               {QStringLiteral("s"), sit.isEmpty() ? QVariant() : QVariant(sit)},
               {QStringLiteral("d"), nascimento},
               {QStringLiteral("a"), abat}});
}

QStringList StoreFixture::column(Dataset &ds, const QString &field)
{
    QStringList values;
    for (ds.first(); !ds.eof(); ds.next())
        values.append(ds.asText(field));
    return values;
}
