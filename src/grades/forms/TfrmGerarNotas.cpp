#include "grades/forms/TfrmGerarNotas.h"

#include "core/Dialogs.h"
#include "core/forms/RunProgressDialog.h"
#include "data/store/StoreError.h"
#include "grades/GradeRows.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmGerarNotas::TfrmGerarNotas(const data::Database &db, QWidget *parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfrmGerarNotas"));
    setWindowTitle(QStringLiteral("Gerar tabela de Notas"));
    m_keep = new QCheckBox(
        QStringLiteral("Não desejo apagar os registros já existentes, mas, apenas acrescentar novas disciplinas."), this);
    m_keep->setObjectName(QStringLiteral("chkManter"));
    m_keep->setChecked(true);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblTotal"));
    try {
        m_count->setText(QStringLiteral("Registros de notas por aluno e disciplina: %1").arg(grades::gradeRowsToCreate(m_db)));
    } catch (const data::StoreError &e) {
        m_count->setText(e.message());
    }

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *iniciar = buttons->addButton(QStringLiteral("&Iniciar"), QDialogButtonBox::AcceptRole);
    iniciar->setObjectName(QStringLiteral("cmdIniciar"));
    QPushButton *fechar = buttons->addButton(QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    connect(iniciar, &QPushButton::clicked, this, &TfrmGerarNotas::cmdIniciarClick);
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_keep);
    layout->addWidget(m_count);
    layout->addWidget(buttons);
}

void TfrmGerarNotas::cmdIniciarClick()
{
    const bool replace = !m_keep->isChecked();
    if (replace &&
        core::dialogs().show({QString::fromUtf8(grades::kReplaceGradeRowsQuestion), QStringLiteral("Confirmação"),
                              core::Icon::Question, core::Button::Yes | core::Button::No, core::Button::No}) != core::Button::Yes)
        return;
    core::RunProgressDialog progress(this);
    grades::generateGradeRows(m_db, replace, progress);
    accept();
}
