#include "billing/forms/TfrmTipoCobranca.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

TfrmTipoCobranca::TfrmTipoCobranca(QWidget *parent) : QDialog(parent)
{
    setObjectName("TfrmTipoCobranca");
    setWindowTitle(QStringLiteral("Gerar Cobrança"));
    m_kind = new QComboBox(this);
    m_kind->setObjectName("cbTipoCobranca");
    m_kind->addItems({QStringLiteral("Mensalidades"), QStringLiteral("Outras Taxas")});
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("bbOkCancel");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Tipo de Cobrança:"), this));
    layout->addWidget(m_kind);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TfrmTipoCobranca::Choice TfrmTipoCobranca::choice() const
{
    return m_kind->currentIndex() == 0 ? Choice::Mensalidades : Choice::OutrasTaxas;
}

std::optional<TfrmTipoCobranca::Choice> TfrmTipoCobranca::ask(QWidget *parent)
{
    TfrmTipoCobranca dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}
