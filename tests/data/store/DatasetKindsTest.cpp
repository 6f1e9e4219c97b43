#include "StoreFixture.h"

#include "core/TextFile.h"
#include "data/store/DatasetModel.h"
#include "data/store/ExternalTable.h"
#include "data/store/MemTable.h"

#include <shapefil.h>

using namespace data;

namespace {

class Kinds : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        addAluno(1, QStringLiteral("ANA"), QStringLiteral("1G1A"), QString(), QDate(2000, 3, 5), 12.5);
        addAluno(2, QStringLiteral("BIA"), QStringLiteral("1G1A"));
        m_db.exec(QStringLiteral("insert into notas (matricula, disc, turma, und1) values "
                                 "(1, '01', '1G1A', 7.5), (1, '02', '1G1A', 8), (2, '01', '1G1A', 5)"));
    }
};

TEST_F(Kinds, DetailFollowsItsMasterAndNewRowsTakeTheLink)
{
    Table alunos(m_db, QStringLiteral("Alunos.DB"));
    Table notas(m_db, QStringLiteral("NOTAS.DB"));
    notas.setMaster(&alunos, QStringLiteral("MATRICULA"), QStringLiteral("MATRICULA"));
    alunos.open();
    notas.open();
    EXPECT_EQ(column(notas, QStringLiteral("DISC")), QStringList({"01", "02"}));
    alunos.next();
    EXPECT_EQ(column(notas, QStringLiteral("DISC")), QStringList({"01"}));
    notas.append();
    EXPECT_EQ(notas.asInteger("MATRICULA"), 2);
    notas.setText("DISC", QStringLiteral("03"));
    notas.setText("Turma", QStringLiteral("1G1A"));
    notas.post();
    EXPECT_EQ(notas.recordCount(), 2);
    alunos.first();
    EXPECT_EQ(notas.recordCount(), 2);

    alunos.setFilter(QStringLiteral("MATRICULA = 99"));
    alunos.setFiltered(true);
    EXPECT_TRUE(notas.isEmpty()); // no master row, no detail rows
    notas.setMaster(nullptr, QString(), QString());
    EXPECT_EQ(notas.recordCount(), 4);
}

TEST_F(Kinds, InMemoryTableHasTheSameCursorFieldsOrderAndFilter)
{
    MemTable t(QStringLiteral("USUARIOS"));
    t.addField(QStringLiteral("NOME"), FieldType::Text, 10, true);
    t.addField(QStringLiteral("NIVEL"), FieldType::Short);
    t.setIndexFields(QStringLiteral("NIVEL DESC;NOME"));
    t.open();
    EXPECT_TRUE(t.isEmpty());
    const QList<QPair<QString, int>> rows = {{"carla", 1}, {"ÁUREA", 2}, {"bruno", 2}, {"UM NOME LONGO DEMAIS", 0}};
    for (const auto &[nome, nivel] : rows) {
        t.append();
        t.setText("NOME", nome);
        t.setInteger("NIVEL", nivel);
        t.post();
    }
    EXPECT_EQ(column(t, QStringLiteral("NOME")), QStringList({"ÁUREA", "bruno", "carla", "UM NOME LO"}));
    EXPECT_TRUE(t.locate(QStringLiteral("NOME"), {QStringLiteral("Carla")}, {true, false}));
    EXPECT_EQ(t.asInteger("NIVEL"), 1);
    t.edit();
    t.setInteger("NIVEL", 3);
    t.post();
    t.first();
    EXPECT_EQ(t.asText("NOME"), QStringLiteral("carla"));
    t.setFilter(QStringLiteral("NIVEL >= 2"));
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 3);
    t.setFiltered(false);
    t.first();
    t.remove();
    EXPECT_EQ(t.recordCount(), 3);
    t.append();
    EXPECT_THROW(t.post(), StoreError); // NOME is required
    t.cancel();
    t.emptyTable();
    EXPECT_TRUE(t.isEmpty());
}

// A dBase file with accented names in the code page its header names.
QString writeDbf(const TempDir &dir, const QString &name, const char *codePage, const QByteArray &encodedName)
{
    const QString path = dir.file(name);
    DBFHandle h = DBFCreateEx(QFile::encodeName(path).constData(), codePage);
    DBFAddField(h, "MATRICULA", FTDouble, 10, 0);
    DBFAddField(h, "NOME", FTString, 30, 0);
    DBFAddNativeFieldType(h, "DATANASC", 'D', 8, 0);
    DBFAddField(h, "ATIVO", FTLogical, 1, 0);
    DBFWriteDoubleAttribute(h, 0, 0, 1234);
    DBFWriteStringAttribute(h, 0, 1, encodedName.constData());
    char date[] = "20010315";
    DBFWriteAttributeDirectly(h, 0, 2, date); // this shapelib writes a date given as text as a number
    DBFWriteLogicalAttribute(h, 0, 3, 'T');
    DBFWriteDoubleAttribute(h, 1, 0, 1235);
    DBFWriteNULLAttribute(h, 1, 1);
    DBFWriteNULLAttribute(h, 1, 2);
    DBFWriteLogicalAttribute(h, 1, 3, 'F');
    DBFClose(h);
    return path;
}

TEST_F(Kinds, DbaseFilesAreReadInTheirCodePage)
{
    const QString name = QStringLiteral("JOÃO D'ÁVILA");
    const QString ansi = writeDbf(m_dir, QStringLiteral("ansi.dbf"), "LDID/87", core::toWindows1252(name));
    const QString none = writeDbf(m_dir, QStringLiteral("none.dbf"), "", core::toWindows1252(name));
    const QByteArray dos850("JO\xC7O D'\xB5VILA"); // Ã and Á in code page 850
    const QString dos = writeDbf(m_dir, QStringLiteral("dos.dbf"), "LDID/2", dos850);
    for (const QString &path : {ansi, none, dos}) {
        const auto t = openExternalTable(path);
        EXPECT_EQ(t->recordCount(), 2) << path.toStdString();
        EXPECT_EQ(t->asText("NOME"), name) << path.toStdString();
        EXPECT_EQ(t->asInteger("MATRICULA"), 1234);
        EXPECT_EQ(t->asDate("DATANASC"), QDate(2001, 3, 15));
        EXPECT_TRUE(t->asLogical("ATIVO"));
        t->next();
        EXPECT_TRUE(t->isBlank("NOME"));
        EXPECT_FALSE(t->asLogical("ATIVO"));
        EXPECT_THROW(t->edit(), StoreError);
    }
    EXPECT_THROW(openExternalTable(m_dir.write(QStringLiteral("lixo.dbf"), "not a table")), StoreError);
}

TEST_F(Kinds, AnotherSchoolYearIsOpenedReadOnly)
{
    if (m_db.isServerYear())
        GTEST_SKIP() << "another year's file is read from a folder";
    const auto t = openExternalTable(m_dir.file(QStringLiteral("Alunos.DB")));
    EXPECT_EQ(t->recordCount(), 2);
    EXPECT_THROW(t->append(), StoreError);
    const auto byDefault = openExternalTable(m_dir.file(QString::fromLatin1(kStoreFileName)), QStringLiteral("NOTAS"));
    EXPECT_EQ(byDefault->recordCount(), 3);
    EXPECT_THROW(openExternalTable(m_dir.file(QStringLiteral("Nada.DB"))), StoreError);
}

TEST_F(Kinds, GridModelShowsBrazilianTextsAndPostsEdits)
{
    Table t(m_db, QStringLiteral("Alunos.DB"));
    t.open();
    t.setDisplayFormat("ABAT", QStringLiteral("###,##0.00"));
    DatasetModel model(&t);
    model.setColumns({QStringLiteral("NOME"), QStringLiteral("DATANASC"), QStringLiteral("ABAT")});
    ASSERT_EQ(model.rowCount(), 2);
    ASSERT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("DATANASC"));
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("05/03/2000"));
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), QStringLiteral("12,50"));
    EXPECT_TRUE(model.setData(model.index(1, 2), QStringLiteral("1.234,5")));
    EXPECT_EQ(m_db.scalar(QStringLiteral("select abat from alunos where matricula = 2")).toDouble(), 1234.5);
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), QStringLiteral("1.234,50"));
    QString failure;
    QObject::connect(&model, &DatasetModel::editFailed, [&](const QString &m) { failure = m; });
    EXPECT_FALSE(model.setData(model.index(1, 1), QStringLiteral("32/13/2000")));
    EXPECT_FALSE(failure.isEmpty());
    EXPECT_EQ(t.state(), DatasetState::Browse);
}

TEST_F(Kinds, LayoutIsReadBackAndCompared)
{
    const TableDef def = alunosDef();
    EXPECT_TRUE(m_db.compareLayout(def).isEmpty()) << m_db.compareLayout(def).join(u'\n').toStdString();
    const TableDef stored = m_db.layout(QStringLiteral("alunos.db"));
    EXPECT_EQ(stored.primaryKey, QStringList({"MATRICULA"}));
    ASSERT_NE(stored.index(QStringLiteral("kNome")), nullptr);
    EXPECT_TRUE(stored.index(QStringLiteral("kNome"))->caseInsensitive);
    EXPECT_TRUE(stored.index(QStringLiteral("kMatDesc"))->descending);

    TableDef changed = def;
    changed.fields[1].size = 50;
    changed.fields.append({QStringLiteral("EMAIL"), FieldType::Text, 50});
    changed.indexes.append({QStringLiteral("kEmail"), {QStringLiteral("EMAIL")}});
    EXPECT_EQ(m_db.compareLayout(changed),
              QStringList({"Campo NOME: texto(42), esperado texto(50)", "Campo ausente: EMAIL", "Índice ausente: kEmail"}));
    EXPECT_THROW(m_db.createTable(def), StoreError);
    Table open(m_db, QStringLiteral("Alunos.DB"));
    open.open();
    EXPECT_THROW(m_db.dropTable(QStringLiteral("Alunos.DB")), StoreError);
}

TEST_F(Kinds, NamesAreBoundPerProcessAndPasswordsChangeNothing)
{
    Database::defineName(QStringLiteral("Quorvel"), m_db.directory());
    Database::defineName(QStringLiteral("verCaixa"), m_db.directory());
    Database::addPassword(QStringLiteral("segredo"));
    EXPECT_TRUE(Database::nameExists(QStringLiteral("QUORVEL")));
    EXPECT_EQ(Database::named(QStringLiteral("quorvel")), Database::named(QStringLiteral("VERCAIXA")));
    Table t(QStringLiteral("Quorvel"), QStringLiteral("Alunos.DB"));
    t.open();
    EXPECT_EQ(t.recordCount(), 2);
    Database::dropName(QStringLiteral("Quorvel"));
    EXPECT_FALSE(Database::nameExists(QStringLiteral("Quorvel")));
    EXPECT_THROW(Database::named(QStringLiteral("Quorvel")), StoreError);
    EXPECT_THROW(Database::open(m_dir.file(QStringLiteral("nao-existe"))), StoreError);
}

} // namespace
