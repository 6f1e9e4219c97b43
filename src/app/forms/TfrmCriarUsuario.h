#pragma once

#include "data/users/UsersTable.h"

#include <QDialog>

class QTableView;

namespace data {
class DatasetModel;
class Table;
}

namespace app {

class CheckColumnsModel;
class DBNavigator;

// "Cadatro de Usuários": the supervisor's list of users and their rights. A new user starts
// without a password and creates it at the first log-on.
class TfrmCriarUsuario : public QDialog
{
    Q_OBJECT

public:
    // Opens the users table of `usersDir`; throws data::StoreError when it can't.
    explicit TfrmCriarUsuario(const QString &usersDir, QWidget *parent = nullptr);
    ~TfrmCriarUsuario() override;

private:
    QWidget *buildNotes();
    void addUser();
    void followDataset(int position);

    data::UsersTable m_users;
    data::Table *m_table = nullptr;
    data::DatasetModel *m_model = nullptr;
    CheckColumnsModel *m_gridModel = nullptr;
    QTableView *m_grid = nullptr;
    DBNavigator *m_navigator = nullptr;
};

} // namespace app
