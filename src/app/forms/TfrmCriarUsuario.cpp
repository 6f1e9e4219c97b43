#include "app/forms/TfrmCriarUsuario.h"

#include "app/forms/DBNavigator.h"
#include "app/users/CheckColumnsModel.h"
#include "core/Dialogs.h"
#include "data/store/DatasetModel.h"
#include "data/store/Table.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace app {

namespace {

struct Column
{
    const char *field;
    QString title;
};

// The grid's columns; Password is shown only as filled or not, and never typed here.
const QList<Column> &columns()
{
    static const QList<Column> list{
        {"UserID", QStringLiteral("UserID")},     {"Password", QStringLiteral("Password")},
        {"Supervisor", QStringLiteral("Supervisor")}, {"Alunos", QStringLiteral("Alunos")},
        {"Carnes", QStringLiteral("Cobrança")},   {"Notas", QStringLiteral("Notas")},
        {"Tabelas", QStringLiteral("Tabelas")},   {"Caixa", QStringLiteral("Caixa")},
        {"Backup", QStringLiteral("Backup")},
    };
    return list;
}

constexpr int kPasswordColumn = 1;

QLabel *noteLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TfrmCriarUsuario::TfrmCriarUsuario(const QString &usersDir, QWidget *parent)
    : QDialog(parent), m_users(usersDir)
{
    setObjectName(QStringLiteral("frmCriarUsuario"));
    setWindowTitle(QStringLiteral("Cadatro de Usuários"));

    m_table = new data::Table(m_users.database(), QStringLiteral("Usuarios.DB"), this);
    m_table->open();

    m_model = new data::DatasetModel(m_table, this);
    QStringList fields;
    QSet<int> checkColumns;
    for (int i = 0; i < columns().size(); ++i) {
        fields += QString::fromLatin1(columns()[i].field);
        if (i > kPasswordColumn)
            checkColumns.insert(i);
    }
    m_model->setColumns(fields);
    for (int i = 0; i < columns().size(); ++i)
        m_model->setColumnTitle(i, columns()[i].title);
    m_model->setColumnReadOnly(kPasswordColumn, true);
    connect(m_model, &data::DatasetModel::editFailed, this,
            [](const QString &message) { core::showError(message); });

    m_gridModel = new CheckColumnsModel(this);
    m_gridModel->setSourceModel(m_model);
    m_gridModel->setCheckColumns(checkColumns);
    m_gridModel->setMaskedColumn(kPasswordColumn);

    auto *location = new QLabel(QStringLiteral("Usuários em: ") + usersDir, this);
    location->setObjectName(QStringLiteral("lblUsuariosEm"));

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setModel(m_gridModel);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->horizontalHeader()->setStretchLastSection(true);

    m_navigator = new DBNavigator(m_table, this);
    m_navigator->setInsertAction([this] { addUser(); });

    // The grid's row and the table's cursor move together, so the navigator acts on the row
    // the supervisor sees selected.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && current.row() != m_table->recNo())
                    m_table->moveTo(current.row());
            });
    connect(m_table, &data::Dataset::currentChanged, this, &TfrmCriarUsuario::followDataset);
    connect(m_model, &QAbstractItemModel::modelReset, this,
            [this] { followDataset(m_table->recNo()); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(location);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_navigator);
    layout->addWidget(buildNotes());
    resize(760, 460);
    followDataset(m_table->recNo());
}

TfrmCriarUsuario::~TfrmCriarUsuario()
{
    // Closed while the window and the users' database still stand: left to the widget's
    // children, the table would close after both were gone and its reset would reach this
    // window's grid through a half-destroyed object.
    m_table->close();
}

QWidget *TfrmCriarUsuario::buildNotes()
{
    auto *notes = new QWidget(this);
    auto *layout = new QVBoxLayout(notes);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(noteLabel(
        QStringLiteral("1.Campo SENHA em BRANCO força a criação pelo próprio usuário;"), notes));
    layout->addWidget(noteLabel(
        QStringLiteral("2.Marque as colunas que devem dar acesso completo ao usuário"), notes));
    layout->addWidget(noteLabel(QStringLiteral("3.Somente SUPERVISOR pode imprimir Relatórios "
                                               "Financeiros e usar o opção UTILITÁRIOS"),
                                notes));
    auto *examples = new QGroupBox(QStringLiteral("Exemplos:"), notes);
    examples->setObjectName(QStringLiteral("GroupBox1"));
    auto *lines = new QVBoxLayout(examples);
    for (const QString &text :
         {QStringLiteral("Secretaria: Marque -> Alunos + Notas + Tabelas"),
          QStringLiteral("Tesouraria: Marque -> Cobrança + Tabelas + Caixa"),
          QStringLiteral("Diretoria: Marque -> TODOS."),
          QStringLiteral("Obs: Backup pode ser comum a todos.")})
        lines->addWidget(noteLabel(text, examples));
    layout->addWidget(examples);
    return notes;
}

void TfrmCriarUsuario::addUser()
{
    const std::optional<QString> name =
        core::dialogs().askText(QStringLiteral("Novo Usuário"), QStringLiteral("Usuário:"), QString());
    if (!name)
        return;
    data::UserRecord user;
    user.userId = name->trimmed();
    m_users.add(user); // a blank, long or repeated name throws with its message
    m_table->refresh();
    m_table->locate(QStringLiteral("UserID"), {user.userId});
}

void TfrmCriarUsuario::followDataset(int position)
{
    if (position < 0 || position >= m_gridModel->rowCount())
        return;
    if (m_grid->currentIndex().row() != position)
        m_grid->setCurrentIndex(m_gridModel->index(position, 0));
}

} // namespace app
