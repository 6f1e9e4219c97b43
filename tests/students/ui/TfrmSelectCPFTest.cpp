// "Informe o CPF" of the income-tax declaration: the parent found by CPF with the children, a
// CPF nobody has, and the declaration text kept in declara.txt.

#include "core/ProgramDirs.h"
#include "data/modules/SessionControl.h"
#include "data/modules/TDataModule1.h"
#include "data/modules/TdmTarnel.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"
#include "data/users/UserRecord.h"
#include "students/forms/TfrmSelectCPF.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class TfrmSelectCPFTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aParentsCpfListsTheChildren();
    void aCpfNobodyHasKeepsOkDisabled();
    void theTextIsSavedAndReadBack();

private:
    template <class T = QLineEdit> T *find(TfrmSelectCPF &form, const char *name)
    {
        T *widget = form.findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("missing %s", name);
        return widget;
    }
    void typeCpf(TfrmSelectCPF &form, const QString &cpf)
    {
        QLineEdit *box = find(form, "txtCPF");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, cpf);
        emit box->editingFinished();
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<ScriptedDialogs::Guard> m_dialogs;
    std::unique_ptr<data::TDataModule1> m_academic;
    std::unique_ptr<data::TdmTarnel> m_cashBook;
    QString m_previousProgram;
};

void TfrmSelectCPFTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_dialogs = std::make_unique<ScriptedDialogs::Guard>();
    m_academic = std::make_unique<data::TDataModule1>();
    m_cashBook = std::make_unique<data::TdmTarnel>();
    data::UserRecord user;
    user.userId = QStringLiteral("ANA");
    data::grantRight(user, QStringLiteral("Carnes"));
    data::openSession(*m_academic, *m_cashBook, user, QStringLiteral("2009"), testengine::yearLocation(m_dir->path()));
    data::settings().Ano_Ref = QStringLiteral("2009");
    data::settings().Fone = QStringLiteral("(71) 3333-4444");
    m_previousProgram = core::programDirs().program;
    core::programDirs().program = m_dir->path();
    const data::Database db = data::Database::named(QStringLiteral("Quorvel"));
    db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, CPF_PAI, NOME_PAI) values "
                           "(100, 'BIA COSTA', '1G1AM', '111.222.333-44', 'PEDRO COSTA')"));
    db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA, CPF_PAI, NOME_PAI) values "
                           "(101, 'ALICE COSTA', 'MAT01', '111.222.333-44', 'PEDRO COSTA')"));
    db.exec(QStringLiteral("insert into ALUNOS (MATRICULA, NOME, TURMA) values (102, 'CAIO SEM CPF', 'MAT01')"));
}

void TfrmSelectCPFTest::cleanup()
{
    core::programDirs().program = m_previousProgram;
    data::closeSession(*m_academic, *m_cashBook);
    m_cashBook.reset();
    m_academic.reset();
    m_dialogs.reset();
    m_dir.reset();
    testengine::dropServerYears();
}

void TfrmSelectCPFTest::aParentsCpfListsTheChildren()
{
    TfrmSelectCPF form;
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Informe o CPF"));
    QVERIFY(!find<QPushButton>(form, "OKBtn")->isEnabled());
    QVERIFY(form.dependents().isEmpty());
    find<QAbstractButton>(form, "rbDeclarante0")->click();
    typeCpf(form, QStringLiteral("111.222.333-44"));
    QCOMPARE(find<QLabel>(form, "lblNome")->text(), QStringLiteral("Nome: PEDRO COSTA"));
    QVERIFY(find<QPushButton>(form, "OKBtn")->isEnabled());
    QCOMPARE(form.dependents(), (QList<double>{101, 100})); // by name
    QCOMPARE(form.declarant(), reports::Declarant::Pai);
    QCOMPARE(form.declarantName(), QStringLiteral("PEDRO COSTA"));
    QVERIFY((*m_dialogs)->shown().isEmpty());

    // The same CPF as a mother's: nobody.
    find<QAbstractButton>(form, "rbDeclarante1")->click();
    QCOMPARE((*m_dialogs)->texts(), QStringList{QStringLiteral("Não há registro para este CPF.")});
    QVERIFY(!find<QPushButton>(form, "OKBtn")->isEnabled());
}

void TfrmSelectCPFTest::aCpfNobodyHasKeepsOkDisabled()
{
    TfrmSelectCPF form;
    form.show();
    typeCpf(form, QStringLiteral("999.999.999-99"));
    QCOMPARE((*m_dialogs)->last().text, QStringLiteral("Não há registro para este CPF."));
    QCOMPARE((*m_dialogs)->last().caption, QStringLiteral("Erro"));
    QCOMPARE((*m_dialogs)->last().icon, core::Icon::Error);
    QVERIFY(!find<QPushButton>(form, "OKBtn")->isEnabled());
    QVERIFY2(form.dependents().isEmpty(), "a student without a CPF is nobody's dependant");
}

void TfrmSelectCPFTest::theTextIsSavedAndReadBack()
{
    TfrmSelectCPF form;
    auto *memo = find<QPlainTextEdit>(form, "memTexto");
    const QStringList lines = memo->toPlainText().split(u'\n');
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines.at(1), QStringLiteral("valor pago pelo(a) Senhor(a) durante o ano-base de 2009, relativo ao somatório das mensalidades"));
    QCOMPARE(lines.at(5), QStringLiteral("pelo telefone (71) 3333-4444"));

    memo->setPlainText(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8\n9\n10"));
    QCOMPARE(form.declarationLines().size(), 8);
    QTest::mouseClick(find<QPushButton>(form, "cmdSalvar"), Qt::LeftButton);
    QCOMPARE(m_dir->read(QStringLiteral("declara.txt")), QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n"));
    memo->clear();
    QTest::mouseClick(find<QPushButton>(form, "cmdLer"), Qt::LeftButton);
    QCOMPARE(memo->toPlainText(), QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8\n9\n10"));
}

QTEST_MAIN(TfrmSelectCPFTest)
#include "TfrmSelectCPFTest.moc"
