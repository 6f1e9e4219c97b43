#include "grades/forms/TfrmImportarNotas.h"

#include "core/Dialogs.h"
#include "core/forms/RunProgressDialog.h"
#include "data/store/DatasetModel.h"
#include "data/store/ExternalTable.h"
#include "grades/UnitMarksImport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TfrmImportarNotas::TfrmImportarNotas(const data::Database &db, QWidget *parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfrmImportarNotas"));
    setWindowTitle(QStringLiteral("Importar Valores para tabela de Notas"));
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("lblAviso"));
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->verticalHeader()->hide();
    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("cboUnidade"));
    for (int unit = 1; unit <= 4; ++unit)
        m_unit->addItem(QStringLiteral("%1ª Unidade").arg(unit));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Defina a Unidade "), m_unit);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *procurar = buttons->addButton(QStringLiteral("&Procurar"), QDialogButtonBox::ActionRole);
    procurar->setObjectName(QStringLiteral("cmdProcurar"));
    m_start = buttons->addButton(QStringLiteral("&Iniciar"), QDialogButtonBox::ActionRole);
    m_start->setObjectName(QStringLiteral("cmdIniciar"));
    m_start->setEnabled(false);
    QPushButton *fechar = buttons->addButton(QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    connect(procurar, &QPushButton::clicked, this, &TfrmImportarNotas::cmdProcurarClick);
    connect(m_start, &QPushButton::clicked, this, &TfrmImportarNotas::cmdIniciarClick);
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_hint);
    layout->addWidget(m_grid, 1);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(760, 480);
}

TfrmImportarNotas::~TfrmImportarNotas()
{
    m_grid->setModel(nullptr);
}

bool TfrmImportarNotas::showSource(const QString &path)
{
    m_grid->setModel(nullptr);
    delete m_model;
    m_model = nullptr;
    m_source.reset();
    m_start->setEnabled(false);
    m_hint->clear();
    try {
        m_source = data::openExternalTable(path, QStringLiteral("NotasUni%1").arg(m_unit->currentIndex() + 1));
    } catch (const data::StoreError &) {
        core::showError(QString::fromUtf8(grades::kImportOpenError), QStringLiteral("Erro na Importação"));
        return false;
    }
    if (const QStringList missing = grades::missingKeyFields(*m_source); !missing.isEmpty()) {
        core::showError(QString::fromUtf8(grades::kImportOpenError) + QStringLiteral("\n\nCampos ausentes: ") +
                            missing.join(QStringLiteral(", ")),
                        QStringLiteral("Erro na Importação"));
        m_source.reset();
        return false;
    }
    m_model = new data::DatasetModel(m_source.get(), this);
    m_grid->setModel(m_model);
    m_hint->setText(QStringLiteral(" Certifique-se se os dados abaixo pertecem a Tabela de Notas, e clique Iniciar  "));
    m_start->setEnabled(true);
    return true;
}

void TfrmImportarNotas::cmdProcurarClick()
{
    const QString path = data::askExternalTableFile();
    if (!path.isEmpty())
        showSource(path);
}

void TfrmImportarNotas::cmdIniciarClick()
{
    if (!m_source)
        return;
    core::RunProgressDialog progress(this);
    grades::importUnitMarks(m_db, *m_source, m_unit->currentIndex() + 1, progress);
    accept();
}
