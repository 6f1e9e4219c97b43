#include "billing/forms/FineAndDiscountRows.h"

#include "core/Formats.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

FineAndDiscountRows::FineAndDiscountRows(QWidget *parent)
    : fine(new QLineEdit(QStringLiteral("2,0"), parent)), discount(new QLineEdit(QStringLiteral("0,0"), parent)),
      percent(new QCheckBox(QStringLiteral("%"), parent))
{
    fine->setObjectName("txtMulta");
    fine->setMaximumWidth(60);
    discount->setObjectName("txtDesconto");
    discount->setMaximumWidth(90);
    percent->setObjectName("chkPercentual");
    QObject::connect(discount, &QLineEdit::editingFinished, discount, [box = discount] {
        const std::optional<double> value = core::parseNumber(box->text());
        box->setText(value ? core::formatNumber(*value, QStringLiteral("#,##0.00")) : QStringLiteral("0,00"));
    });
}

void FineAndDiscountRows::addTo(QFormLayout *form) const
{
    form->addRow(QStringLiteral("Valor da Multa por Atraso % "), fine);
    auto *discountLine = new QHBoxLayout;
    discountLine->addWidget(discount);
    discountLine->addWidget(percent);
    discountLine->addStretch();
    form->addRow(QStringLiteral("Conceder um Desconto Eventual para todos os alunos:"), discountLine);
}
