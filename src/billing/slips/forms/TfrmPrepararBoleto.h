#pragma once

#include "billing/slips/BoletoChoices.h"
#include "billing/slips/SlipReport.h"
#include "data/store/Database.h"

#include <QDialog>

class QLabel;
class QPushButton;

// "Imprimir o Boleto com Modelo Próprio": "&Imprimir" selects the charges of the choices, shows
// each slip's barcode in the picture as it is drawn, and prints the slips without a print
// dialog; "&Cancelar" closes. The output is the default printer unless a test gives another.
class TfrmPrepararBoleto : public QDialog
{
    Q_OBJECT

public:
    TfrmPrepararBoleto(const data::Database &db, const billing::BoletoChoices &choices, QWidget *parent = nullptr,
                       billing::SlipOutput output = {});

    billing::SlipRunResult result() const { return m_result; }

private slots:
    void cmdImprimirClick();

private:
    data::Database m_db;
    billing::BoletoChoices m_choices;
    billing::SlipOutput m_output;
    billing::SlipRunResult m_result = billing::SlipRunResult::NotPrinted;
    QLabel *m_picture = nullptr;
    QPushButton *m_print = nullptr;
};
