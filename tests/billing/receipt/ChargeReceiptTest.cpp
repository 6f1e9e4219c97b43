// From the stored charge row to the receipt: finding the row by its fields, the student and
// the school, and the refusal of an unpaid charge.
#include "billing/receipt/ChargeLookup.h"
#include "billing/receipt/SchoolWithCharges.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

using namespace billing;

namespace {

class StoredCharges : public testing::Test
{
protected:
    void SetUp() override { m_db = createSchoolWithCharges(testengine::yearLocation(m_dir.path())); }
    void TearDown() override
    {
        m_db = {};
        data::Database::closeAll();
        testengine::dropServerYears();
    }

    QString lookupError(const QList<KeyValue> &key)
    {
        try {
            findCharge(m_db, key);
        } catch (const ChargeLookupError &e) {
            return e.message();
        }
        return QString();
    }

    TempDir m_dir;
    data::Database m_db;
};

} // namespace

TEST_F(StoredCharges, KeyFieldsNameOneRowWhateverTheirCaseAndTextForm)
{
    const ChargeRecord march =
        findCharge(m_db, {{"matricula", "1234"}, {"TIPO", "N"}, {"ParcelaData", "10/03/2007"}});
    EXPECT_EQ(march.matricula, 1234);
    EXPECT_EQ(march.nome, "JOSE DAVILA");
    EXPECT_EQ(march.charge.turma, "1G1A");
    EXPECT_EQ(march.charge.nossoNum, 20070305.0);
    EXPECT_EQ(march.charge.parcelaNum, 3);
    EXPECT_EQ(march.charge.parcelaData, QDate(2007, 3, 10));
    EXPECT_EQ(march.charge.parcelaValor.centavos(), 45000);
    EXPECT_EQ(march.charge.descontoFixo.centavos(), 10000);
    EXPECT_EQ(march.charge.acrescimos.centavos(), 207);
    EXPECT_EQ(march.charge.pgtoValor.centavos(), 35207);
    EXPECT_EQ(march.charge.pgtoData, QDate(2007, 3, 5));

    EXPECT_EQ(findCharge(m_db, {{"NossoNum", "20070410"}}).charge.parcelaNum, 4);
    EXPECT_EQ(findCharge(m_db, {{"ParcelaValor", "200,00"}}).charge.tipo, "0");
    EXPECT_EQ(findCharge(m_db, {{"ParcelaData", "2007-01-15"}}).charge.tipo, "0");
    // An empty value asks for an empty field.
    EXPECT_FALSE(findCharge(m_db, {{"NossoNum", ""}}).charge.nossoNum.has_value());
    EXPECT_FALSE(findCharge(m_db, {{"PgtoData", ""}}).charge.isPaid());
}

TEST_F(StoredCharges, KeyThatNamesNoneOrSeveralRowsOrAnUnknownFieldIsRefused)
{
    EXPECT_EQ(lookupError({{"ParcelaNum", "3"}}),
              "2 cobranças encontradas com ParcelaNum=3; informe mais campos "
              "(Tipo, ParcelaNum, NossoNum...).");
    EXPECT_EQ(lookupError({{"Matricula", "77"}}), "Nenhuma cobrança encontrada com Matricula=77.");
    EXPECT_EQ(lookupError({{"Valor", "1"}}), "O campo Valor não existe na tabela de cobranças.");
    EXPECT_EQ(lookupError({{"ParcelaData", "31/02/2007"}}),
              "Valor inválido para o campo ParcelaData: 31/02/2007");
    EXPECT_EQ(lookupError({}), "Informe os campos que identificam a cobrança.");
}

TEST_F(StoredCharges, ValuesAreBoundSoQuotesInThemAreJustText)
{
    EXPECT_EQ(lookupError({{"NOME", "X' or '1'='1"}}),
              "Nenhuma cobrança encontrada com NOME=X' or '1'='1.");
    EXPECT_EQ(findCharge(m_db, {{"NOME", "JOSE DAVILA"}, {"Tipo", "0"}}).charge.parcelaNum, 3);
}

TEST_F(StoredCharges, StudentComesFromTheRegisterOrElseFromTheChargeRow)
{
    ChargeRecord record = findCharge(m_db, {{"NossoNum", "20070305"}});
    const StudentOnReceipt student = findStudent(m_db, record);
    EXPECT_EQ(student.matricula, 1234);
    EXPECT_EQ(student.nome, "JOSÉ D'ÁVILA");
    EXPECT_EQ(student.nomeResp, "Maria Antônia");

    m_db.exec("delete from ALUNOS where MATRICULA = 1234");
    const StudentOnReceipt gone = findStudent(m_db, record);
    EXPECT_EQ(gone.nome, "JOSE DAVILA");
    EXPECT_EQ(gone.nomeResp, "");
}
