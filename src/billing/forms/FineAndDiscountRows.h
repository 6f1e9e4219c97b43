#pragma once

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QWidget;

// The fine for late payment and the occasional discount that both generator windows ask for.
// Leaving the discount box shows the number with thousands separators and two decimals, or
// "0,00" when it is not one.
struct FineAndDiscountRows
{
    explicit FineAndDiscountRows(QWidget *parent);
    // The two rows: "Valor da Multa por Atraso % " and the discount with its "%" box.
    void addTo(QFormLayout *form) const;

    QLineEdit *fine;
    QLineEdit *discount;
    QCheckBox *percent;
};
