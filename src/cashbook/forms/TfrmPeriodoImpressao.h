#pragma once

#include "cashbook/CashPeriod.h"

#include <QDialog>

class QDateEdit;

namespace cashbook {

// "Informe o período para Impressão": the from and to dates of a cash report or of the export
// of the movements. For the reports, a period that ends before it starts is refused with the
// message and the dialog stays open.
class TfrmPeriodoImpressao : public QDialog
{
    Q_OBJECT

public:
    TfrmPeriodoImpressao(PeriodMode mode, const Period &start, QWidget *parent = nullptr);

    PeriodMode mode() const { return m_mode; }
    Period period() const;

    void accept() override;

private:
    PeriodMode m_mode;
    QDateEdit *m_from;
    QDateEdit *m_to;
};

} // namespace cashbook
