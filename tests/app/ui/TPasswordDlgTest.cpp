#include "app/forms/TPasswordDlg.h"
#include "data/users/PasswordScrambler.h"
#include "data/store/Database.h"
#include "data/users/UsersTable.h"

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestEngine.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using app::TPasswordDlg;

class TPasswordDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void theScreenAndTheSchoolYears();
    void aNewcomerCreatesAPasswordAndLogsOn();
    void theNewPasswordChecks();
    void anUnprotectedPasswordMustBeReplaced();
    void unknownUserOrWrongPasswordCloseWithoutChoice();
    void changingThePassword();
    void anotherYearCanBeChosen();

private:
    QLineEdit *edit(TPasswordDlg &dlg, const char *name)
    {
        return dlg.findChild<QLineEdit *>(QString::fromLatin1(name));
    }
    QPushButton *button(TPasswordDlg &dlg, const char *name)
    {
        return dlg.findChild<QPushButton *>(QString::fromLatin1(name));
    }
    void storePassword(const QString &stored)
    {
        m_users->database().exec(
            QStringLiteral("update Usuarios set Password = :p where UserID = 'SUPERVISOR'"),
            {{QStringLiteral("p"), stored}});
    }
    // Types the two new-password fields and leaves the second with Return.
    void typeNewPassword(TPasswordDlg &dlg, const QString &first, const QString &second)
    {
        edit(dlg, "txtNovaSenha")->setText(first);
        edit(dlg, "txtConfirmaSenha")->setText(second);
        QTest::keyClick(edit(dlg, "txtConfirmaSenha"), Qt::Key_Return);
    }

    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<testengine::UsersHeld> m_held;
    std::unique_ptr<data::UsersTable> m_users;
    const QList<app::SchoolYear> m_years{{2025, QStringLiteral("/escola/2025")},
                                          {2026, QStringLiteral("/escola/2026")}};
};

void TPasswordDlgTest::init()
{
    m_dir = std::make_unique<TempDir>();
    m_held = std::make_unique<testengine::UsersHeld>(m_dir->path());
    m_users = std::make_unique<data::UsersTable>(m_held->location());
}

void TPasswordDlgTest::cleanup()
{
    m_users.reset();
    data::Database::closeAll();
    m_held.reset();
    m_dir.reset();
}

void TPasswordDlgTest::theScreenAndTheSchoolYears()
{
    TPasswordDlg dlg(*m_users, m_years);
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Identifique-se"));
    QCOMPARE(button(dlg, "OKBtn")->text(), QStringLiteral("Log ON"));
    QVERIFY(button(dlg, "OKBtn")->isDefault());
    QCOMPARE(button(dlg, "OKBtn")->toolTip(), QStringLiteral("Ativar direitos do Usuário"));
    QCOMPARE(button(dlg, "CancelBtn")->text(), QStringLiteral("Cancela&r"));
    QCOMPARE(button(dlg, "CancelBtn")->toolTip(), QStringLiteral("Tabelas apenas para Leitura"));
    QCOMPARE(button(dlg, "cmdAlterarSenha")->text(), QStringLiteral("Alterar Senha"));
    for (const char *unused : {"cmdSalvar", "cmdCaminhoPadrao"}) {
        QVERIFY(!button(dlg, unused)->isVisible());
        QVERIFY(!button(dlg, unused)->isEnabled());
    }
    QCOMPARE(button(dlg, "cmdSalvar")->text(), QStringLiteral("&Salvar"));
    QCOMPARE(button(dlg, "cmdCaminhoPadrao")->text(), QStringLiteral("&Caminho Padrão"));
    QCOMPARE(edit(dlg, "txtSenha")->echoMode(), QLineEdit::Password);
    for (const char *hidden : {"txtNovaSenha", "txtConfirmaSenha"}) {
        QVERIFY(!edit(dlg, hidden)->isVisible());
        QCOMPARE(edit(dlg, hidden)->echoMode(), QLineEdit::Password);
    }
    // The first start: the only user is typed already.
    QCOMPARE(edit(dlg, "txtUsuario")->text(), QStringLiteral("SUPERVISOR"));

    auto *grid = dlg.findChild<QTableWidget *>(QStringLiteral("grdAnoLetivo"));
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Ano Letivo"));
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Caminho da Base de Dados"));
    QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("/escola/2026"));
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(grid->selectedItems().first()->row(), 1); // the last year
}

void TPasswordDlgTest::aNewcomerCreatesAPasswordAndLogsOn()
{
    ScriptedDialogs::Guard dialogs;
    TPasswordDlg dlg(*m_users, m_years);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QTest::mouseClick(button(dlg, "OKBtn"), Qt::LeftButton);
    QCOMPARE(dialogs->texts(), QStringList{QStringLiteral("Informe a senha para iniciar")});
    QCOMPARE(dialogs->last().icon, core::Icon::Warning);
    QCOMPARE(dialogs->last().buttons, core::Button::Ok | core::Button::Cancel);
    QVERIFY(dlg.isVisible());
    QVERIFY(edit(dlg, "txtNovaSenha")->isVisible());
    QVERIFY(edit(dlg, "txtConfirmaSenha")->isVisible());
    QVERIFY(edit(dlg, "txtNovaSenha")->hasFocus());

    typeNewPassword(dlg, QStringLiteral("segredo"), QStringLiteral("segredo"));
    QCOMPARE(dialogs->shown().size(), 1);
    QCOMPARE(edit(dlg, "txtSenha")->text(), QStringLiteral("segredo"));
    QVERIFY(button(dlg, "OKBtn")->hasFocus());

    QTest::keyClick(button(dlg, "OKBtn"), Qt::Key_Return);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(dlg.choice());
    QCOMPARE(dlg.choice()->user.userId, QStringLiteral("SUPERVISOR"));
    QVERIFY(dlg.choice()->user.supervisor);
    QCOMPARE(dlg.choice()->year.year, 2026);
    QCOMPARE(dialogs->shown().size(), 1);
}

void TPasswordDlgTest::theNewPasswordChecks()
{
    ScriptedDialogs::Guard dialogs;
    TPasswordDlg dlg(*m_users, m_years);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QTest::mouseClick(button(dlg, "OKBtn"), Qt::LeftButton);
    dialogs->clear();

    typeNewPassword(dlg, QStringLiteral(" "), QStringLiteral("a"));
    QCOMPARE(dialogs->texts(),
             QStringList{QStringLiteral("Campos não podem estar vazios! Tente novamente.")});
    QCOMPARE(dialogs->last().icon, core::Icon::Information);

    typeNewPassword(dlg, QStringLiteral("abc"), QStringLiteral("abd"));
    QCOMPARE(dialogs->last().text, QStringLiteral("Campos não conferem! Tente novamente."));
    QCOMPARE(dialogs->last().icon, core::Icon::Error);
    QVERIFY(edit(dlg, "txtNovaSenha")->hasFocus());
    QVERIFY(m_users->find(QStringLiteral("SUPERVISOR"))->password.isEmpty());

    // Tabbing out of the confirmation saves too, once.
    dialogs->clear();
    edit(dlg, "txtNovaSenha")->setText(QStringLiteral("abc"));
    edit(dlg, "txtConfirmaSenha")->setText(QStringLiteral("abc"));
    edit(dlg, "txtConfirmaSenha")->setFocus();
    QTest::keyClick(edit(dlg, "txtConfirmaSenha"), Qt::Key_Tab);
    QTRY_COMPARE(edit(dlg, "txtSenha")->text(), QStringLiteral("abc"));
    QVERIFY(dialogs->shown().isEmpty());
    QVERIFY(!m_users->find(QStringLiteral("SUPERVISOR"))->password.isEmpty());

    // Going to "Cancelar" from an empty confirmation does not nag.
    edit(dlg, "txtConfirmaSenha")->clear();
    edit(dlg, "txtConfirmaSenha")->setFocus();
    QTest::mouseClick(button(dlg, "CancelBtn"), Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(dialogs->shown().isEmpty());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void TPasswordDlgTest::anUnprotectedPasswordMustBeReplaced()
{
    storePassword(QStringLiteral("clara"));
    ScriptedDialogs::Guard dialogs;
    TPasswordDlg dlg(*m_users, m_years);
    dlg.show();
    edit(dlg, "txtUsuario")->setText(QStringLiteral("SUPERVISOR"));
    edit(dlg, "txtSenha")->setText(QStringLiteral("clara"));
    QTest::mouseClick(button(dlg, "OKBtn"), Qt::LeftButton);
    QCOMPARE(dialogs->texts(),
             QStringList{QStringLiteral("Sua senha está sem proteção.\rInforme uma nova senha!")});
    QCOMPARE(dialogs->last().icon, core::Icon::Warning);
    QVERIFY(dlg.isVisible());
    QVERIFY(edit(dlg, "txtNovaSenha")->isVisible());
}

void TPasswordDlgTest::unknownUserOrWrongPasswordCloseWithoutChoice()
{
    storePassword(data::scramblePassword(QStringLiteral("velha")));
    ScriptedDialogs::Guard dialogs;
    {
        TPasswordDlg dlg(*m_users, m_years);
        dlg.show();
        edit(dlg, "txtUsuario")->setText(QStringLiteral("NINGUEM"));
        QTest::mouseClick(button(dlg, "OKBtn"), Qt::LeftButton);
        QCOMPARE(dialogs->last().text, QStringLiteral("Usuário Inválido!"));
        QCOMPARE(dialogs->last().icon, core::Icon::Error);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(!dlg.isVisible());
        QVERIFY(!dlg.choice());
    }
    {
        TPasswordDlg dlg(*m_users, m_years);
        dlg.show();
        QVERIFY(edit(dlg, "txtUsuario")->text().isEmpty()); // the supervisor has a password now
        edit(dlg, "txtUsuario")->setText(QStringLiteral("SUPERVISOR"));
        edit(dlg, "txtSenha")->setText(QStringLiteral("nova"));
        QTest::mouseClick(button(dlg, "OKBtn"), Qt::LeftButton);
        QCOMPARE(dialogs->last().text, QStringLiteral("Senha não Confere!"));
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(!dlg.choice());
    }
}

void TPasswordDlgTest::changingThePassword()
{
    storePassword(data::scramblePassword(QStringLiteral("velha")));
    ScriptedDialogs::Guard dialogs;
    TPasswordDlg dlg(*m_users, m_years);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    edit(dlg, "txtUsuario")->setText(QStringLiteral("SUPERVISOR"));
    edit(dlg, "txtSenha")->setText(QStringLiteral("errada"));
    edit(dlg, "txtSenha")->setFocus();
    QTest::mouseClick(button(dlg, "cmdAlterarSenha"), Qt::LeftButton);
    QCOMPARE(dialogs->last().text, QStringLiteral("Senha não Confere!"));
    QVERIFY(edit(dlg, "txtUsuario")->hasFocus());
    QVERIFY(dlg.isVisible());
    QVERIFY(!edit(dlg, "txtNovaSenha")->isVisible());

    dialogs->clear();
    edit(dlg, "txtSenha")->setText(QStringLiteral("velha"));
    QTest::mouseClick(button(dlg, "cmdAlterarSenha"), Qt::LeftButton);
    QVERIFY(dialogs->shown().isEmpty());
    QVERIFY(edit(dlg, "txtNovaSenha")->isVisible());
    QVERIFY(edit(dlg, "txtNovaSenha")->hasFocus());
    typeNewPassword(dlg, QStringLiteral("outra"), QStringLiteral("outra"));
    QTest::mouseClick(button(dlg, "OKBtn"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void TPasswordDlgTest::anotherYearCanBeChosen()
{
    storePassword(data::scramblePassword(QStringLiteral("x")));
    TPasswordDlg dlg(*m_users, m_years);
    dlg.show();
    edit(dlg, "txtUsuario")->setText(QStringLiteral("SUPERVISOR"));
    edit(dlg, "txtSenha")->setText(QStringLiteral("x"));
    dlg.findChild<QTableWidget *>(QStringLiteral("grdAnoLetivo"))->selectRow(0);
    QTest::mouseClick(button(dlg, "OKBtn"), Qt::LeftButton);
    QVERIFY(dlg.choice());
    QCOMPARE(dlg.choice()->year.path, QStringLiteral("/escola/2025"));
}

QTEST_MAIN(TPasswordDlgTest)
#include "TPasswordDlgTest.moc"
