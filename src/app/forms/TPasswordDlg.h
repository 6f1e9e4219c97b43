#pragma once

#include "app/ConfigFiles.h"
#include "app/logon/LogOnFlow.h"
#include "app/logon/LogOnToggle.h"

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace data {
class UsersTable;
}

namespace app {

// "Identifique-se": the user's name and password, the school year to work on, and a new
// password when the user has none yet or asks to change it. The decisions are LogOnFlow's.
class TPasswordDlg : public QDialog
{
    Q_OBJECT

public:
    TPasswordDlg(const data::UsersTable &users, const QList<SchoolYear> &years,
                 QWidget *parent = nullptr);

    // Who logged on and the year chosen; set once the dialog is accepted.
    const std::optional<LogOnChoice> &choice() const { return m_choice; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void OKBtnClick();
    void cmdAlterarSenhaClick();
    void txtConfirmaSenhaExit();

private:
    QLineEdit *addPasswordEdit(const char *objectName);
    void fillYears(const QList<SchoolYear> &years);
    std::optional<SchoolYear> selectedYear() const;
    void carryOut(const DialogStep &step);
    void moveFocus(QWidget *widget);

    LogOnFlow m_flow;
    QList<SchoolYear> m_years;
    std::optional<LogOnChoice> m_choice;
    bool m_movingFocus = false;

    QLineEdit *m_usuario = nullptr;
    QLineEdit *m_senha = nullptr;
    QLabel *m_lblNovaSenha = nullptr;
    QLineEdit *m_novaSenha = nullptr;
    QLabel *m_lblConfirmaSenha = nullptr;
    QLineEdit *m_confirmaSenha = nullptr;
    QTableWidget *m_grid = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_alterarSenha = nullptr;
};

} // namespace app
