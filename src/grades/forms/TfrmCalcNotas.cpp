#include "grades/forms/TfrmCalcNotas.h"

#include "core/forms/RunProgressDialog.h"
#include "grades/UnitRecalc.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCalcNotas::TfrmCalcNotas(const data::Database &db, QWidget *parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfrmCalcNotas"));
    setWindowTitle(QStringLiteral("Recalcular tabela de Notas"));
    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("cboUnidade"));
    for (int unit = 1; unit <= 4; ++unit)
        m_unit->addItem(QStringLiteral("%1ª Unidade").arg(unit));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Defina a Unidade "), m_unit);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *calcular = buttons->addButton(QStringLiteral("&Calcualr"), QDialogButtonBox::AcceptRole);
    calcular->setObjectName(QStringLiteral("cmdCalcular"));
    QPushButton *fechar = buttons->addButton(QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole);
    fechar->setObjectName(QStringLiteral("cmdFechar"));
    connect(calcular, &QPushButton::clicked, this, &TfrmCalcNotas::cmdCalcularClick);
    connect(fechar, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void TfrmCalcNotas::cmdCalcularClick()
{
    core::RunProgressDialog progress(this);
    grades::recalculateUnit(m_db, m_unit->currentIndex() + 1, progress);
    accept();
}
