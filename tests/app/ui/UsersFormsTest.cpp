#include "app/forms/TfrmAlterarSenha.h"
#include "app/forms/TfrmCriarUsuario.h"
#include "data/store/Database.h"
#include "data/users/UsersTable.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using app::TfrmCriarUsuario;

class UsersFormsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { data::Database::closeAll(); }
    void theRegisterShowsTheUsersAndTheirRights();
    void insertAddsAUserWithoutPasswordAndBoxesGrantRights();
    void deletingAsksFirst();
    void theCashBookPasswordBox();

private:
    static QToolButton *navButton(TfrmCriarUsuario &form, const char *name)
    {
        return form.findChild<QToolButton *>(QString::fromLatin1(name));
    }
    static QTableView *grid(TfrmCriarUsuario &form)
    {
        return form.findChild<QTableView *>(QStringLiteral("DBGrid1"));
    }
};

void UsersFormsTest::theRegisterShowsTheUsersAndTheirRights()
{
    TempDir dir;
    const testengine::UsersHeld users(dir.path());
    data::UsersTable(users.location()).setPassword(QStringLiteral("SUPERVISOR"), QStringLiteral("x"));
    TfrmCriarUsuario form(users.location());
    QCOMPARE(form.windowTitle(), QStringLiteral("Cadatro de Usuários"));
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("lblUsuariosEm"))->text(),
             QStringLiteral("Usuários em: ") + users.location());

    QAbstractItemModel *model = grid(form)->model();
    QStringList titles;
    for (int c = 0; c < model->columnCount(); ++c)
        titles += model->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, (QStringList{QStringLiteral("UserID"), QStringLiteral("Password"),
                                  QStringLiteral("Supervisor"), QStringLiteral("Alunos"),
                                  QStringLiteral("Cobrança"), QStringLiteral("Notas"),
                                  QStringLiteral("Tabelas"), QStringLiteral("Caixa"),
                                  QStringLiteral("Backup")}));
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("SUPERVISOR"));
    // The stored password is neither shown nor typed here.
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("******"));
    QVERIFY(!(model->flags(model->index(0, 1)) & Qt::ItemIsEditable));
    QCOMPARE(model->index(0, 4).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QVERIFY(model->flags(model->index(0, 4)) & Qt::ItemIsUserCheckable);

    QStringList notes;
    for (QLabel *label : form.findChildren<QLabel *>())
        notes += label->text();
    for (const QString &text :
         {QStringLiteral("1.Campo SENHA em BRANCO força a criação pelo próprio usuário;"),
          QStringLiteral("2.Marque as colunas que devem dar acesso completo ao usuário"),
          QStringLiteral("3.Somente SUPERVISOR pode imprimir Relatórios Financeiros e usar o "
                         "opção UTILITÁRIOS"),
          QStringLiteral("Secretaria: Marque -> Alunos + Notas + Tabelas"),
          QStringLiteral("Tesouraria: Marque -> Cobrança + Tabelas + Caixa"),
          QStringLiteral("Diretoria: Marque -> TODOS."),
          QStringLiteral("Obs: Backup pode ser comum a todos.")})
        QVERIFY2(notes.contains(text), qPrintable(text));
    QCOMPARE(form.findChild<QGroupBox *>()->title(), QStringLiteral("Exemplos:"));
}

void UsersFormsTest::insertAddsAUserWithoutPasswordAndBoxesGrantRights()
{
    TempDir dir;
    const testengine::UsersHeld users(dir.path());
    ScriptedDialogs::Guard dialogs;
    TfrmCriarUsuario form(users.location());
    dialogs->answerText(QStringLiteral("TESOURA"));
    QTest::mouseClick(navButton(form, "nbInsert"), Qt::LeftButton);
    QCOMPARE(dialogs->shown().size(), 1);

    QAbstractItemModel *model = grid(form)->model();
    QCOMPARE(model->rowCount(), 2);
    const int row = grid(form)->currentIndex().row();
    QCOMPARE(model->index(row, 0).data().toString(), QStringLiteral("TESOURA"));
    QVERIFY(model->index(row, 1).data().toString().isEmpty());
    QCOMPARE(model->index(row, 4).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));

    QVERIFY(model->setData(model->index(row, 4), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(model->setData(model->index(row, 7), Qt::Checked, Qt::CheckStateRole));
    const data::UserRecord user = *data::UsersTable(users.location()).find(QStringLiteral("TESOURA"));
    QVERIFY(user.password.isEmpty());
    QVERIFY(user.rights.carnes);
    QVERIFY(user.rights.caixa);
    QVERIFY(!user.rights.alunos);
    QVERIFY(!user.supervisor);

    // A cancelled prompt adds nothing.
    QTest::mouseClick(navButton(form, "nbInsert"), Qt::LeftButton);
    QCOMPARE(model->rowCount(), 2);
}

void UsersFormsTest::deletingAsksFirst()
{
    TempDir dir;
    const testengine::UsersHeld users(dir.path());
    data::UserRecord ana;
    ana.userId = QStringLiteral("ANA");
    data::UsersTable(users.location()).add(ana);
    ScriptedDialogs::Guard dialogs;
    TfrmCriarUsuario form(users.location());
    grid(form)->setCurrentIndex(grid(form)->model()->index(0, 0)); // ANA, by name

    dialogs->answer(core::Button::No);
    QTest::mouseClick(navButton(form, "nbDelete"), Qt::LeftButton);
    QCOMPARE(dialogs->last().icon, core::Icon::Question);
    QCOMPARE(grid(form)->model()->rowCount(), 2);

    dialogs->answer(core::Button::Yes);
    QTest::mouseClick(navButton(form, "nbDelete"), Qt::LeftButton);
    QCOMPARE(grid(form)->model()->rowCount(), 1);
    QVERIFY(!data::UsersTable(users.location()).find(QStringLiteral("ANA")));
    QVERIFY(data::UsersTable(users.location()).find(QStringLiteral("SUPERVISOR")));
}

void UsersFormsTest::theCashBookPasswordBox()
{
    app::TfrmAlterarSenha box;
    box.show();
    QCOMPARE(box.windowTitle(), QStringLiteral("Alterar Senha"));
    QCOMPARE(box.findChild<QLabel *>(QStringLiteral("lblIdentificacao"))->text(),
             QStringLiteral("Identificação do Usuário"));
    QCOMPARE(box.findChild<QLabel *>(QStringLiteral("lblSenha"))->text(), QStringLiteral("Senha"));
    auto *password = box.findChild<QLineEdit *>(QStringLiteral("txtSenha"));
    QCOMPARE(password->maxLength(), 10);
    QTest::keyClicks(password, QStringLiteral("abcdef12345"));
    QCOMPARE(password->text(), QStringLiteral("ABCDEF1234"));
    auto *sair = box.findChild<QPushButton *>(QStringLiteral("cmdSair"));
    QCOMPARE(sair->text(), QStringLiteral("Sa&ir"));
    QTest::mouseClick(sair, Qt::LeftButton);
    QVERIFY(!box.isVisible());
}

QTEST_MAIN(UsersFormsTest)
#include "UsersFormsTest.moc"
