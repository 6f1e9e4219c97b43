#include "data/forms/TfrmVerificarBD.h"

#include "core/Dialogs.h"
#include "core/forms/RunProgressDialog.h"
#include "data/settings/SettingsStore.h"
#include "data/store/DatasetModel.h"
#include "data/store/Query.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

data::Database databaseOrMain(const data::Database &db)
{
    return db.isValid() ? db : data::Database::named(QString::fromLatin1(data::kMainDatabaseName));
}

} // namespace

TfrmVerificarBD::TfrmVerificarBD(QWidget *parent, const data::Database &db)
    : QDialog(parent), m_checker(databaseOrMain(db))
{
    setObjectName("TfrmVerificarBD");
    setWindowTitle(QStringLiteral("Verificar Integridade do Banco de Dados"));

    m_check = new QComboBox(this);
    m_check->setObjectName("cbVerificar");
    for (const data::IntegrityCheck &check : data::integrityChecks())
        m_check->addItem(check.caption);

    auto *verificar = new QPushButton(QStringLiteral("&Verificar"), this);
    verificar->setObjectName("cmdVerificar");
    auto *corrigir = new QPushButton(QStringLiteral("&Corrigir"), this);
    corrigir->setObjectName("cmdCorrigir");
    auto *exportar = new QPushButton(QStringLiteral("&Exportar"), this);
    exportar->setObjectName("cmdExportar");
    connect(verificar, &QPushButton::clicked, this, &TfrmVerificarBD::cmdVerificarClick);
    connect(corrigir, &QPushButton::clicked, this, &TfrmVerificarBD::cmdCorrigirClick);
    connect(exportar, &QPushButton::clicked, this, &TfrmVerificarBD::cmdExportarClick);

    m_grid = new QTableView(this);
    m_grid->setObjectName("DBGrid1");
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto *status = new QStatusBar(this);
    status->setObjectName("StatusBar1");
    status->setSizeGripEnabled(false);
    m_count = new QLabel(QStringLiteral("Registros: "), status);
    m_count->setObjectName("lblRegistros");
    m_advice = new QLabel(status);
    m_advice->setObjectName("lblObs");
    status->addWidget(m_count);
    status->addWidget(m_advice, 1);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Verificar:"), this));
    top->addWidget(m_check, 1);
    top->addWidget(verificar);
    top->addWidget(corrigir);
    top->addWidget(exportar);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addWidget(status);
    resize(760, 480);
}

TfrmVerificarBD::~TfrmVerificarBD()
{
    // The grid lets go of the model before the model lets go of the rows.
    m_grid->setModel(nullptr);
}

void TfrmVerificarBD::showRows(std::unique_ptr<data::Query> rows, int check)
{
    m_grid->setModel(nullptr);
    m_model.reset();
    m_rows = std::move(rows);
    m_shownCheck = check;
    m_model = std::make_unique<data::DatasetModel>(m_rows.get());
    m_grid->setModel(m_model.get());
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_count->setText(QStringLiteral("Registros: ") + QString::number(m_rows->recordCount()));
    m_advice->setText(data::integrityChecks().at(check).advice);
}

void TfrmVerificarBD::cmdVerificarClick()
{
    const int check = m_check->currentIndex();
    try {
        showRows(m_checker.run(check), check);
    } catch (const data::StoreError &error) {
        core::showError(error.message());
    }
}

void TfrmVerificarBD::cmdCorrigirClick()
{
    core::RunProgressDialog progress(this);
    m_checker.fix(m_check->currentIndex(), progress);
    cmdVerificarClick();
}

void TfrmVerificarBD::cmdExportarClick()
{
    if (m_shownCheck != m_check->currentIndex())
        cmdVerificarClick();
    if (!m_rows || m_shownCheck != m_check->currentIndex())
        return;
    QString error;
    if (!data::IntegrityChecker::exportRows(*m_rows, m_shownCheck, QDir::currentPath(), &error))
        core::showError(error);
}
