#pragma once

#include <QDialog>

namespace app {

// The cash book's small "Alterar Senha" box. It is bound to no table: what is typed is not
// kept, and "Sa&ir" closes it. Passwords are changed in the log-on dialog.
class TfrmAlterarSenha : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmAlterarSenha(QWidget *parent = nullptr);
};

} // namespace app
