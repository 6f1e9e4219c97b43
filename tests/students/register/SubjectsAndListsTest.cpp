// Isolated subjects, the special list, the search and the parent-CPF text.

#include "RegisterFixture.h"

#include "core/Shell.h"
#include "core/TextFile.h"
#include "data/settings/Settings.h"
#include "students/IsolatedSubjects.h"
#include "reports/letters/ParentCpf.h"
#include "students/SpecialList.h"
#include "students/StudentSearch.h"

namespace {

class Lists : public RegisterFixture
{
};

} // namespace

TEST_F(Lists, IsolatedSubjectsOfferTheOtherClassesAndTheirGradesSubjects)
{
    EXPECT_EQ(students::normalClassText(db(), QStringLiteral("MAT01")), QStringLiteral("Turma Normal: MAT01 - MATERNAL I"));
    const QStringList classes = students::otherClassLines(db(), QStringLiteral("MAT01"));
    EXPECT_EQ(classes, QStringList({"1G1AM 1º ANO A MANHÃ", "1G1BM 1º ANO B MANHÃ", "2G3N 3ª SÉRIE NOITE"}));
    EXPECT_EQ(students::subjectLines(db(), classes.at(1)), QStringList({"01 PORTUGUÊS", "02 MATEMÁTICA", "03 CIÊNCIAS"}));
    EXPECT_EQ(students::classOfLine(classes.at(2)), QStringLiteral("2G3N"));
}

TEST_F(Lists, AnIsolatedSubjectAlreadyThereIsReportedAndTheOthersStillGoIn)
{
    // ANA (1G1AM) takes subjects of 1G1BM; she has 01 there already.
    exec(QStringLiteral("insert into NOTAS (MATRICULA, DISC, Turma, Nome, Esp) values (100, '01', '1G1BM', 'ANA SILVA', 3)"));
    const students::IsolatedStudent ana{100, QStringLiteral("ANA SILVA"), QStringLiteral("1G1AM"), 3};
    EXPECT_FALSE(students::addIsolatedSubjects(db(), ana, QStringLiteral("1G1BM 1º ANO B MANHÃ"),
                                               {QStringLiteral("01 PORTUGUÊS"), QStringLiteral("03 CIÊNCIAS")}));

    const QStringList texts = m_dialogs->texts();
    ASSERT_EQ(texts.size(), 2) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.at(0).startsWith(QStringLiteral("Erro SQL:\rDisciplina pode já estar cadastrada.\r")));
    EXPECT_GT(texts.at(0).size(), QStringLiteral("Erro SQL:\rDisciplina pode já estar cadastrada.\r").size())
        << "the store's reason follows";
    EXPECT_EQ(texts.at(1), QStringLiteral("Operação concluída . Verifique se as Disciplinas já não estão cadastradas!"));
    EXPECT_EQ(m_dialogs->last().caption, QStringLiteral("Conclusão"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from NOTAS where MATRICULA = 100 and TURMA = '1G1BM'")), 2);
    for (int unit = 1; unit <= 4; ++unit)
        EXPECT_EQ(scalar(QStringLiteral("select group_concat(DISC || UNIDADE || Esp || NOME) from NotasUni%1 "
                                        "where MATRICULA = 100 and TURMA = '1G1BM'").arg(unit)).toString(),
                  QStringLiteral("01%1ANA SILVA,03%1ANA SILVA").arg(unit * 10 + 3))
            << "the unit rows of the refused subject still go in";

    m_dialogs->clear();
    EXPECT_TRUE(students::addIsolatedSubjects(db(), ana, QStringLiteral("2G3N 3ª SÉRIE NOITE"), {QStringLiteral("01 PORTUGUÊS")}));
    EXPECT_EQ(m_dialogs->texts(), QStringList{QStringLiteral("Operação concluída com Sucesso!")});
}

TEST_F(Lists, TheSpecialListIsClearedOnlyWhenConfirmed)
{
    set(100, QStringLiteral("MARCADO = 1"));
    set(103, QStringLiteral("MARCADO = 1"));
    m_dialogs->answer(core::Button::No);
    EXPECT_FALSE(students::clearMarks(db()));
    EXPECT_EQ(m_dialogs->last().text, QStringLiteral("Apagar todas as marcas já feitas. Confirma?"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from ALUNOS where MARCADO = 1")), 2);
    m_dialogs->answer(core::Button::Yes);
    EXPECT_TRUE(students::clearMarks(db()));
    EXPECT_EQ(count(QStringLiteral("select count(*) from ALUNOS where MARCADO = 1")), 0);
}

TEST_F(Lists, TheSpecialListExportsToASpreadsheetFileAndOpensIt)
{
    set(100, QStringLiteral("MARCADO = 1"));
    set(103, QStringLiteral("MARCADO = 1"));
    auto shell = std::make_unique<core::RecordingShell>();
    core::RecordingShell *opened = shell.get();
    auto previous = core::setShell(std::move(shell));
    EXPECT_EQ(students::exportMarked(db(), m_dir.path()), 2);
    const QString path = m_dir.file(QStringLiteral("Relacao_Especial.csv"));
    EXPECT_EQ(opened->opened(), QStringList{path});
    EXPECT_EQ(m_dir.read(QStringLiteral("Relacao_Especial.csv")),
              core::toWindows1252(QStringLiteral("Relação Especial de Alunos\r\nTURMA;MATRICULA;NOME;MARCADO\r\n"
                                                 "1G1AM;100;ANA SILVA;1\r\nMAT01;103;JOÃO D'ÁVILA;1\r\n")));
    core::setShell(std::move(previous));
}

TEST_F(Lists, SearchFindsPartsOfNamesAndNumbersWhateverTheAccents)
{
    m_register->open();
    m_register->setView(students::ViewChoice::Todos);
    m_register->setSort(students::SortChoice::Matricula);
    EXPECT_EQ(students::findStudent(alunos(), QStringLiteral("joao d'avila")), 3);
    EXPECT_EQ(students::findStudent(alunos(), QStringLiteral("  Lima ")), 1);
    EXPECT_EQ(students::findStudent(alunos(), QStringLiteral("SILVA")), 0);
    EXPECT_EQ(students::findStudent(alunos(), QStringLiteral("a"), 0), 1) << "the next one after the current";
    EXPECT_EQ(students::findStudent(alunos(), QStringLiteral("ANA"), 0), 0) << "wraps round";
    EXPECT_EQ(students::findStudent(alunos(), QStringLiteral("02")), 2);
    EXPECT_EQ(students::findStudent(alunos(), QStringLiteral("XAVIER")), -1);
    EXPECT_EQ(students::findStudent(alunos(), QStringLiteral("   ")), -1);
    EXPECT_EQ(students::searchKey(QStringLiteral("ÇÃO Éme")), QStringLiteral("cao eme"));
}

TEST_F(Lists, TheDeclarationTextStartsFilledInAndIsKeptInDeclaraTxt)
{
    data::Settings settings;
    settings.Ano_Ref = QStringLiteral("2009");
    settings.Fone = QStringLiteral("(71) 3333-4444");
    const QStringList text = reports::defaultDeclaration(settings);
    ASSERT_EQ(text.size(), 6);
    EXPECT_EQ(text.at(1), QStringLiteral("valor pago pelo(a) Senhor(a) durante o ano-base de 2009, relativo ao somatório das mensalidades"));
    EXPECT_EQ(text.at(3), QStringLiteral(" "));
    EXPECT_EQ(text.at(5), QStringLiteral("pelo telefone (71) 3333-4444"));

    QStringList read{QStringLiteral("kept")};
    EXPECT_FALSE(reports::loadDeclaration(m_dir.path(), read));
    EXPECT_EQ(read, QStringList{QStringLiteral("kept")});
    ASSERT_TRUE(reports::saveDeclaration(m_dir.path(), text));
    EXPECT_TRUE(m_dir.read(QStringLiteral("declara.txt")).contains("Declara\xe7\xe3o  de  Imposto"));
    ASSERT_TRUE(reports::loadDeclaration(m_dir.path(), read));
    EXPECT_EQ(read, text);

    EXPECT_EQ(reports::cpfFilter(reports::Declarant::Mae, QStringLiteral("123'4")), QStringLiteral("cpf_mae = '123''4'"));
    EXPECT_EQ(reports::declarantNameField(reports::Declarant::Responsavel), QStringLiteral("NOME_RESP"));
}
