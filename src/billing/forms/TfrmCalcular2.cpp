#include "billing/forms/TfrmCalcular2.h"

#include "billing/forms/FineAndDiscountRows.h"
#include "billing/forms/GeneratorReporter.h"
#include "billing/forms/StudentChoiceBox.h"
#include "billing/generators/ChargeGenerators.h"
#include "core/Clock.h"
#include "data/store/Table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCalcular2::TfrmCalcular2(data::Table &charges, QWidget *parent) : QDialog(parent), m_charges(charges)
{
    setObjectName("TfrmCalcular2");
    setWindowTitle(QStringLiteral("Calcular Outros Valores"));
    m_due = new QDateEdit(core::today(), this);
    m_due->setObjectName("dtpVencimento");
    m_due->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_due->setCalendarPopup(true);
    m_kind = new QComboBox(this);
    m_kind->setObjectName("cbTipo");
    m_kind->addItems(billing::otherChargeKinds());
    m_value = new QLineEdit(QStringLiteral("0,00"), this);
    m_value->setObjectName("txtValor");
    m_value->setMaximumWidth(100);
    m_description = new QLineEdit(this);
    m_description->setObjectName("txtDescricao");
    m_description->setMaxLength(30);
    m_students = new StudentChoiceBox(charges.database(), QStringLiteral("Apenas a Turma"), this);
    const FineAndDiscountRows fineAndDiscount(this);
    m_fine = fineAndDiscount.fine;
    m_discount = fineAndDiscount.discount;
    m_percent = fineAndDiscount.percent;
    m_studentLabel = new QLabel(QStringLiteral("Matrícula Nº"), this);
    m_studentLabel->setObjectName("lblMatricula");
    m_studentBar = new QProgressBar(this);
    m_studentBar->setObjectName("pbAlunos");
    m_calculate = new QPushButton(QStringLiteral("&Calcular"), this);
    m_calculate->setObjectName("cmdCalcular");
    m_calculate->setEnabled(false);
    m_close = new QPushButton(QStringLiteral("&Fechar"), this);
    m_close->setObjectName("cmdFechar");

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Cobrança a vencer em"), m_due);
    form->addRow(QStringLiteral("Defina o Tipo de Cobrança"), m_kind);
    form->addRow(QStringLiteral("Valor da Cobrança"), m_value);
    form->addRow(QStringLiteral("Descrição Auxiliar "), m_description);
    auto *rest = new QFormLayout;
    fineAndDiscount.addTo(rest);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_calculate);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_students);
    layout->addLayout(rest);
    layout->addWidget(m_studentLabel);
    layout->addWidget(m_studentBar);
    layout->addLayout(buttons);

    connect(m_students, &StudentChoiceBox::choiceMade, this, [this] { m_calculate->setEnabled(true); });
    connect(m_calculate, &QPushButton::clicked, this, &TfrmCalcular2::cmdCalcularClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmCalcular2::cmdCalcularClick()
{
    billing::OtherChargeRequest request;
    request.students = m_students->selection();
    request.due = m_due->date();
    request.kindEntry = m_kind->currentText();
    request.value = m_value->text();
    request.description = m_description->text();
    request.fine = m_fine->text();
    request.discount = m_discount->text();
    request.discountPercent = m_percent->isChecked();

    m_calculate->setEnabled(false);
    m_close->setEnabled(false);
    GeneratorReporter reporter;
    const core::RunOutcome outcome =
        billing::generateOtherCharges(m_charges, request, reporter, [this](const billing::GeneratorProgress &p) {
            m_studentLabel->setText(QStringLiteral("Matrícula Nº %1").arg(p.matricula));
            m_studentBar->setRange(0, p.students);
            m_studentBar->setValue(p.studentIndex);
        });
    m_charges.refresh();
    m_calculate->setEnabled(true);
    m_close->setEnabled(true);
    if (outcome == core::RunOutcome::Completed)
        accept();
}
