#include "ModuleFixture.h"

#include "data/modules/ChargeRules.h"

using namespace data;

namespace {

class ChargeRows : public ModuleFixture
{
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        addCharge(100, QStringLiteral("ANA"), 1);
    }
    Table &charges() { return m_academic->tblCCorrent(); }
    // Opens the first view on the only row and posts a new remark; false when the edit is refused.
    bool postRemark(const QString &remark)
    {
        charges().open();
        if (!charges().edit())
            return false;
        charges().setText("Observacao", remark);
        return charges().post();
    }
    QString stored(const char *field) const
    {
        return scalar(QStringLiteral("select %1 from Ccorrent").arg(QLatin1String(field))).toString();
    }
};

const QStringList kCarnes{QStringLiteral("Carnes")};
const QStringList kSupervisor{QStringLiteral("Supervisor"), QStringLiteral("Carnes")};

} // namespace

TEST_F(ChargeRows, EachPostIsStampedWithTheUserAndTheLevel)
{
    logOnAs(user(QStringLiteral("CARLOS"), kCarnes));
    ASSERT_TRUE(postRemark(QStringLiteral("um")));
    EXPECT_EQ(stored("USUARIO"), QStringLiteral("CARLOS"));
    EXPECT_EQ(stored("STATUS2"), QStringLiteral("1"));

    logOnAs(user(QStringLiteral("SECRET"), {QStringLiteral("Alunos")}));
    addStudent(100, QStringLiteral("ANA"), QStringLiteral("MAT01"), 1);
    m_academic->tblAlunos().open();
    Table &ofStudent = m_academic->tblCCorrent2();
    ofStudent.open();
    ASSERT_EQ(ofStudent.recordCount(), 1);
    ASSERT_TRUE(ofStudent.edit());
    ofStudent.setText("Observacao", QStringLiteral("dois"));
    ASSERT_TRUE(ofStudent.post());
    EXPECT_EQ(stored("USUARIO"), QStringLiteral("SECRET"));
    EXPECT_EQ(stored("STATUS2"), QStringLiteral("0"));
}

TEST_F(ChargeRows, ASupervisorsPaidRowStaysTheSupervisorsUntilUnpaidAtALogOn)
{
    logOnAs(user(QStringLiteral("DIRETOR"), kSupervisor));
    charges().open();
    ASSERT_TRUE(charges().edit());
    charges().setText("PgtoData", QStringLiteral("15/01/2009"));
    ASSERT_TRUE(charges().post());
    EXPECT_EQ(stored("STATUS2"), QStringLiteral("2"));

    logOnAs(user(QStringLiteral("CARLOS"), kCarnes));
    EXPECT_FALSE(postRemark(QStringLiteral("tentativa")));
    EXPECT_TRUE(m_dialogs->shown().isEmpty()) << "refused without a message";
    EXPECT_TRUE(stored("Observacao").isEmpty());
    EXPECT_EQ(stored("USUARIO"), QStringLiteral("DIRETOR"));

    // Reopened by the supervisor: still the supervisor's until the next log-on releases it.
    logOnAs(user(QStringLiteral("DIRETOR"), kSupervisor));
    charges().open();
    ASSERT_TRUE(charges().edit());
    charges().setText("PgtoData", QString());
    ASSERT_TRUE(charges().post());
    EXPECT_EQ(stored("STATUS2"), QStringLiteral("2"));

    logOnAs(user(QStringLiteral("CARLOS"), kCarnes));
    EXPECT_EQ(stored("STATUS2"), QStringLiteral("0"));
    EXPECT_TRUE(postRemark(QStringLiteral("agora sim")));
    EXPECT_EQ(stored("STATUS2"), QStringLiteral("1"));
}

TEST_F(ChargeRows, FinalValueIsValuePlusAdditionsLessDiscounts)
{
    exec(QStringLiteral("update Ccorrent set ParcelaValor = 100, Acrescimos = 2, DescontoFixo = 10, DescontoEventual = 5"));
    charges().open();
    EXPECT_EQ(charges().asMoney("cValorFinal").centavos(), 8700);
    EXPECT_EQ(charges().displayText("cValorFinal"), QStringLiteral("87,00"));
}

TEST_F(ChargeRows, ReleasingFreesOnlyUnpaidRows)
{
    addCharge(100, QStringLiteral("ANA"), 2, QDate(2009, 2, 9));
    exec(QStringLiteral("update Ccorrent set STATUS2 = '2'"));
    releaseOpenCharges(db());
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(STATUS2, '') from (select STATUS2 from Ccorrent order by ParcelaNum)")).toString(),
              QStringLiteral("02"));
}

TEST_F(ChargeRows, TheNextInstalmentFollowsTheStudentsHighest)
{
    addCharge(100, QStringLiteral("ANA"), 11);
    addCharge(102, QStringLiteral("CAIO"), 12);
    EXPECT_EQ(nextInstalmentNumber(db(), 100), 12) << "another student's higher number does not count";
    EXPECT_EQ(nextInstalmentNumber(db(), 103), 1) << "a student without charges starts at 1";
}
