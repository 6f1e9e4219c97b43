#include "billing/forms/TfrmCalcular_Multa_juros.h"

#include "billing/account/ChargeView.h"
#include "students/structure/ChargeTypeFilter.h"
#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/Formats.h"
#include "data/settings/Settings.h"
#include "data/store/Dataset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *amountBox(const char *name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(110);
    return box;
}

QDateEdit *dateBox(const char *name, QWidget *parent)
{
    auto *box = new QDateEdit(parent);
    box->setObjectName(name);
    box->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    box->setCalendarPopup(true);
    return box;
}

} // namespace

TfrmCalcular_Multa_juros::TfrmCalcular_Multa_juros(const data::Dataset &charge, double juros, const QDate &today,
                                                   QWidget *parent)
    : QDialog(parent)
{
    setObjectName("TfrmCalcular_Multa_juros");
    setWindowTitle(QStringLiteral("Calcular Multa e Juros "));

    m_due = dateBox("dtpVencimento", this);
    m_paid = dateBox("dtpPagamento", this);
    m_fine = amountBox("txtMulta", this);
    m_fine->setMaximumWidth(50);
    m_interest = amountBox("txtJuros", this);
    m_interest->setMaximumWidth(50);
    m_value = amountBox("txtValor", this);
    m_discount = amountBox("txtDesconto", this);
    m_additions = amountBox("txtAcrescimos", this);
    m_amount = amountBox("txtValorReceber", this);
    m_amount->setReadOnly(true);
    m_means = new QComboBox(this);
    m_means->setObjectName("cbFormaPgto");
    m_means->addItems(students::paymentMeansEntries());
    m_includeDay = new QCheckBox(QStringLiteral("Incluir o dia de pagamento no Cálculo"), this);
    m_includeDay->setObjectName("chkIncluirDia");
    m_grantDiscount = new QCheckBox(QStringLiteral("Conceder o Desconto mesmo em atraso"), this);
    m_grantDiscount->setObjectName("chkConcederDesconto");
    m_calculate = new QPushButton(QStringLiteral("&Calcular"), this);
    m_calculate->setObjectName("cmdCalcular");
    m_calculate->setDefault(true);
    m_save = new QPushButton(QStringLiteral("&Salvar na Tabela"), this);
    m_save->setObjectName("cmdSalvar");
    m_close = new QPushButton(QStringLiteral("&Fechar"), this);
    m_close->setObjectName("cmdFechar");

    auto *grid = new QGridLayout;
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Data Vencimento"), this), row, 0);
    grid->addWidget(m_due, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Data Pagamento"), this), row, 0);
    grid->addWidget(m_paid, row++, 1);
    auto *fineLine = new QHBoxLayout;
    fineLine->addWidget(new QLabel(QStringLiteral("Após o vencimento, aplicar Multa de "), this));
    fineLine->addWidget(m_fine);
    fineLine->addWidget(new QLabel(QStringLiteral("%."), this));
    fineLine->addStretch();
    grid->addLayout(fineLine, row++, 0, 1, 2);
    auto *interestLine = new QHBoxLayout;
    interestLine->addWidget(new QLabel(QStringLiteral("Por cada dia de atraso, aplicar juros de mora de "), this));
    interestLine->addWidget(m_interest);
    interestLine->addWidget(new QLabel(QStringLiteral("%."), this));
    interestLine->addStretch();
    grid->addLayout(interestLine, row++, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Valor da Mensalidade"), this), row, 0);
    grid->addWidget(m_value, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Desconto"), this), row, 0);
    grid->addWidget(m_discount, row++, 1);
    m_additionsLabel = new QLabel(QStringLiteral("Acréscimos"), this);
    m_additionsLabel->setObjectName("lblAcrescimos");
    grid->addWidget(m_additionsLabel, row, 0);
    grid->addWidget(m_additions, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("   Valor a Receber"), this), row, 0);
    grid->addWidget(m_amount, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Forma de Pagamento"), this), row, 0);
    grid->addWidget(m_means, row++, 1);
    grid->addWidget(m_includeDay, row++, 0, 1, 2);
    grid->addWidget(m_grantDiscount, row++, 0, 1, 2);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_calculate);
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    // Filling: the row's amounts, today as the payment date, the school's interest.
    m_fine->setText(QStringLiteral("2,0"));
    m_due->setDate(charge.asDate("ParcelaData"));
    m_value->setText(billing::plainAmount(charge.asMoney("ParcelaValor")));
    m_discount->setText(billing::plainAmount(charge.asMoney("DescontoFixo") + charge.asMoney("DescontoEventual")));
    m_interest->setText(core::formatNumber(juros, QStringLiteral("0.00")));
    connect(m_paid, &QDateEdit::dateChanged, this, &TfrmCalcular_Multa_juros::dtpPagamentoChange);
    m_paid->setDate(today);
    dtpPagamentoChange();

    connect(m_amount, &QLineEdit::textChanged, this, [this](const QString &text) {
        const std::optional<core::Money> amount = core::Money::parse(text);
        m_save->setEnabled(amount && !amount->isZero());
    });
    connect(m_calculate, &QPushButton::clicked, this, &TfrmCalcular_Multa_juros::cmdCalcularClick);
    connect(m_save, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmCalcular_Multa_juros::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    m_amount->setText(QStringLiteral("0,0"));
    cmdCalcularClick();
    m_save->setFocus();
    m_means->setCurrentIndex(0);
}

void TfrmCalcular_Multa_juros::dtpPagamentoChange()
{
    const billing::PaymentDateEffect effect = billing::paymentDateEffect(m_due->date(), m_paid->date());
    if (effect.resetFine)
        m_fine->setText(QStringLiteral("0,0"));
    if (effect.discountGranted)
        m_grantDiscount->setChecked(true);
    m_grantDiscount->setVisible(effect.discountBoxVisible);
}

void TfrmCalcular_Multa_juros::cmdCalcularClick()
{
    billing::PaymentInputs in;
    in.due = m_due->date();
    in.paid = m_paid->date();
    in.value = m_value->text();
    in.discount = m_discount->text();
    in.fine = m_fine->text();
    in.interest = m_interest->text();
    in.includePaymentDay = m_includeDay->isChecked();
    in.grantDiscount = m_grantDiscount->isChecked();
    try {
        const billing::PaymentResult result = billing::computePayment(in);
        m_additionsLabel->setText(QStringLiteral("Acréscimos (%1)").arg(result.days));
        m_additions->setText(billing::plainAmount(result.additions));
        m_amount->setText(billing::plainAmount(result.amount));
        m_save->setFocus();
    } catch (const billing::PaymentInputError &e) {
        // Nothing computed, so nothing can be saved until the boxes read again.
        m_amount->setText(QStringLiteral("0,0"));
        core::showError(QString::fromStdString(e.what()));
    }
}

bool TfrmCalcular_Multa_juros::shownPayment(billing::PaymentResult &payment) const
{
    const std::optional<core::Money> additions = core::Money::parse(m_additions->text());
    const std::optional<core::Money> amount = core::Money::parse(m_amount->text());
    if (!additions || !amount)
        return false;
    payment.days = 0;
    payment.additions = *additions;
    payment.amount = *amount;
    return true;
}

QDate TfrmCalcular_Multa_juros::paymentDate() const
{
    return m_paid->date();
}

int TfrmCalcular_Multa_juros::paymentMeans() const
{
    return m_means->currentIndex();
}

bool TfrmCalcular_Multa_juros::receive(data::Dataset &charge, QWidget *parent)
{
    if (!charge.isOpen() || charge.isEmpty())
        return false;
    if (!billing::mayReceive(charge.asText("STATUS2"))) {
        core::dialogs().show({billing::kSupervisorOnlyMessage, QStringLiteral("Atenção"), core::Icon::Error});
        return false;
    }
    TfrmCalcular_Multa_juros dialog(charge, data::settings().Juros, core::today(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    billing::PaymentResult payment;
    if (!dialog.shownPayment(payment)
        || !billing::postPayment(charge, payment, dialog.paymentDate(), dialog.paymentMeans())) {
        core::dialogs().show({billing::kSaveFailedMessage, QStringLiteral("Atenção"), core::Icon::Error});
        return false;
    }
    return true;
}
