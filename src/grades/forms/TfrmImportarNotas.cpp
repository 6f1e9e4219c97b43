#include "grades/forms/TfrmImportarNotas.h"

#include "core/Dialogs.h"
#include "core/forms/RunProgressDialog.h"
#include "data/forms/ExternalTablePreview.h"
#include "data/store/Dataset.h"
#include "data/store/ExternalTable.h"
#include "grades/UnitMarksImport.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

TfrmImportarNotas::TfrmImportarNotas(const data::Database &db, QWidget *parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfrmImportarNotas"));
    setWindowTitle(QStringLiteral("Importar Valores para tabela de Notas"));
    m_preview = new ExternalTablePreview(this);
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
    layout->addWidget(m_preview, 1);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(760, 480);
}

bool TfrmImportarNotas::showSource(const QString &path)
{
    m_preview->clear();
    m_start->setEnabled(false);
    std::unique_ptr<data::Dataset> source;
    try {
        source = data::openExternalTable(path, QStringLiteral("NotasUni%1").arg(m_unit->currentIndex() + 1));
    } catch (const data::StoreError &) {
        core::showError(QString::fromUtf8(grades::kImportOpenError), QStringLiteral("Erro na Importação"));
        return false;
    }
    if (const QStringList missing = grades::missingKeyFields(*source); !missing.isEmpty()) {
        core::showError(QString::fromUtf8(grades::kImportOpenError) + QStringLiteral("\n\nCampos ausentes: ") +
                            missing.join(QStringLiteral(", ")),
                        QStringLiteral("Erro na Importação"));
        return false;
    }
    m_preview->showTable(std::move(source),
                         QStringLiteral(" Certifique-se se os dados abaixo pertecem a Tabela de Notas, e clique Iniciar  "));
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
    if (!m_preview->source())
        return;
    core::RunProgressDialog progress(this);
    grades::importUnitMarks(m_db, *m_preview->source(), m_unit->currentIndex() + 1, progress);
    accept();
}
