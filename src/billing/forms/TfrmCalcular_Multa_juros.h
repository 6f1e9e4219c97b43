#pragma once

#include "billing/account/PaymentCalculation.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

namespace data {
class Dataset;
}

// "Calcular Multa e Juros ": the fine and the interest of a late payment, the amount to receive,
// and the write of the payment into the charge row on "&Salvar na Tabela".
class TfrmCalcular_Multa_juros : public QDialog
{
    Q_OBJECT

public:
    // Filled from the current row of `charge`; `juros` is the school's daily interest.
    TfrmCalcular_Multa_juros(const data::Dataset &charge, double juros, const QDate &today, QWidget *parent = nullptr);

    // "&Receber Boleto" on the current row: the rights, the dialog, and the write. True when the
    // payment was written.
    static bool receive(data::Dataset &charge, QWidget *parent = nullptr);

    // What "&Salvar na Tabela" writes: the texts of the boxes as shown. False when one is not a
    // number.
    bool shownPayment(billing::PaymentResult &payment) const;
    QDate paymentDate() const;
    int paymentMeans() const;

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void dtpPagamentoChange();
    void cmdCalcularClick();

private:
    QDateEdit *m_due;
    QDateEdit *m_paid;
    QLineEdit *m_fine;
    QLineEdit *m_interest;
    QLineEdit *m_value;
    QLineEdit *m_discount;
    QLabel *m_additionsLabel;
    QLineEdit *m_additions;
    QLineEdit *m_amount;
    QComboBox *m_means;
    QCheckBox *m_includeDay;
    QCheckBox *m_grantDiscount;
    QPushButton *m_calculate;
    QPushButton *m_save;
    QPushButton *m_close;
    bool m_shown = false;
};
