// The family part of a record: the program-wide "Copiar"/"Colar" and the copy of a parent into
// the responsible person.

#include "RegisterFixture.h"

#include "students/RecordClipboard.h"
#include "students/ResponsibleCopy.h"

namespace {

class Family : public RegisterFixture
{
protected:
    void SetUp() override
    {
        RegisterFixture::SetUp();
        set(100, QStringLiteral("DATANASC = '2002-03-17', SEXO = 'F', NACIONAL = 'SALVADOR', "
                                "NOME_PAI = 'PEDRO SILVA', CPF_PAI = '111.222.333-44', PROF_PAI = 'PEDREIRO', "
                                "LOCTRABPAI = 'OBRA', ID_PAI = '123', RELIGPAI = 'CATÓLICA', FONE_COM1 = '3333-1111', "
                                "celular_pai = '9999-1111', NOME_MAE = 'MARIA SILVA', FONE_COM2 = '3333-2222', "
                                "PROF_MAE = 'PROFESSORA', NOME_RESP = 'PEDRO SILVA', EstadoCivil = 'CASADOS', "
                                "ENDERECO = 'RUA A, 10', BAIRRO = 'CENTRO', CIDADE = 'SALVADOR', CEP = '40000-000', "
                                "FONE_REC = '3333-0000', email_resp = 'pedro@exemplo.com.br'"));
        students::recordClipboard().clear();
        m_register->open();
    }
};

} // namespace

TEST_F(Family, PastingIntoANewRecordFillsTheFamilyAndLeavesTheStudentEmpty)
{
    ASSERT_TRUE(go(100));
    students::recordClipboard().copy(alunos());
    EXPECT_EQ(students::recordClipboard().value(QStringLiteral("NOME")).toString(), QStringLiteral("ANA SILVA"));

    ASSERT_TRUE(m_register->insert());
    ASSERT_TRUE(students::recordClipboard().paste(alunos()));
    for (const char *field : {"MATRICULA", "NOME", "TURMA", "DATANASC", "SEXO", "ESP"})
        EXPECT_TRUE(alunos().isBlank(field)) << field;
    EXPECT_EQ(alunos().asText("NACIONAL"), QStringLiteral("SALVADOR"));
    EXPECT_EQ(alunos().asText("NOME_PAI"), QStringLiteral("PEDRO SILVA"));
    EXPECT_EQ(alunos().asText("celular_pai"), QStringLiteral("9999-1111"));
    EXPECT_EQ(alunos().asText("FONE_COM2"), QStringLiteral("3333-2222"));
    EXPECT_EQ(alunos().asText("EstadoCivil"), QStringLiteral("CASADOS"));
    EXPECT_EQ(alunos().asText("CEP"), QStringLiteral("40000-000"));
    EXPECT_EQ(alunos().asText("FONE_REC"), QStringLiteral("3333-0000"));
    EXPECT_EQ(alunos().asText("email_resp"), QStringLiteral("pedro@exemplo.com.br"));
    EXPECT_EQ(alunos().asText("Vencimento"), QStringLiteral("10")) << "the new record's own due day stays";

    alunos().setText("MATRICULA", QStringLiteral("300"));
    alunos().setText("NOME", QStringLiteral("LUCAS SILVA"));
    alunos().setText("TURMA", QStringLiteral("MAT01"));
    ASSERT_TRUE(m_register->post());
    EXPECT_EQ(scalar(QStringLiteral("select BAIRRO from ALUNOS where MATRICULA = 300")).toString(), QStringLiteral("CENTRO"));
    EXPECT_EQ(scalar(QStringLiteral("select NOME from ALUNOS where MATRICULA = 100")).toString(), QStringLiteral("ANA SILVA"));
}

TEST_F(Family, PastingOutsideAnEditIsRefusedAndNothingChanges)
{
    ASSERT_TRUE(go(100));
    students::recordClipboard().copy(alunos());
    ASSERT_TRUE(go(101));
    EXPECT_FALSE(students::recordClipboard().paste(alunos()));
    EXPECT_EQ(m_dialogs->last().text, QStringLiteral("O registro deve estar em modo de edição!"));
    EXPECT_TRUE(alunos().isBlank("NOME_PAI"));

    students::recordClipboard().clear();
    ASSERT_TRUE(m_register->edit());
    EXPECT_FALSE(students::recordClipboard().paste(alunos())) << "an empty clipboard writes nothing";
    EXPECT_FALSE(alunos().isModified());
}

TEST_F(Family, AParentBecomesTheResponsiblePerson)
{
    ASSERT_TRUE(go(100));
    ASSERT_TRUE(m_register->edit());
    students::copyIntoResponsible(alunos(), students::ResponsibleSource::Mae);
    EXPECT_EQ(alunos().asText("NOME_RESP"), QStringLiteral("MARIA SILVA"));
    EXPECT_EQ(alunos().asText("PROF_RESP"), QStringLiteral("PROFESSORA"));
    EXPECT_EQ(alunos().asText("FONE_RES"), QStringLiteral("3333-2222"));
    EXPECT_TRUE(alunos().isBlank("CPF_RESP")) << "the mother's empty CPF empties the responsible's";

    students::copyIntoResponsible(alunos(), students::ResponsibleSource::Pai);
    EXPECT_EQ(alunos().asText("NOME_RESP"), QStringLiteral("PEDRO SILVA"));
    EXPECT_EQ(alunos().asText("CPF_RESP"), QStringLiteral("111.222.333-44"));
    EXPECT_EQ(alunos().asText("LOCTRBRESP"), QStringLiteral("OBRA"));
    EXPECT_EQ(alunos().asText("ID_RESP"), QStringLiteral("123"));
    EXPECT_EQ(alunos().asText("RELIGRESP"), QStringLiteral("CATÓLICA"));
    EXPECT_EQ(alunos().asText("FONE_RES"), QStringLiteral("3333-1111"));

    students::copyIntoResponsible(alunos(), students::ResponsibleSource::Nenhum);
    EXPECT_EQ(alunos().asText("NOME_RESP"), QStringLiteral("PEDRO SILVA"));
}
