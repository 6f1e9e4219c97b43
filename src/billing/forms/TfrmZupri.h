#pragma once

#include "billing/receipt/ReceiptText.h"
#include "billing/receipt/TicketPrintFlows.h"

#include <QDialog>
#include <QStringList>
#include <memory>

// "Autenticação Zupri": shows the receipt and the authentication line of a paid charge and
// prints them on the ticket printer as often as the user asks.
class TfrmZupri : public QDialog
{
    Q_OBJECT

public:
    // `printer`: the library by default; tests pass a recorder.
    TfrmZupri(const QStringList &receipt, const QString &authentication,
              std::unique_ptr<billing::TicketPrinter> printer = nullptr, QWidget *parent = nullptr);
    ~TfrmZupri() override;

    // The student register's "&Autenticar" on a charge: the warning for an unpaid charge,
    // otherwise this window with the charge's receipt, modally.
    static void run(const billing::ReceiptSource &source, QWidget *parent = nullptr);

private slots:
    void rgPortaClick(int item);
    void cmdReciboClick();
    void cmdAutenticarClick();

private:
    std::unique_ptr<billing::TicketPrinter> m_printer;
    billing::TicketPrintFlows m_flows;
    QStringList m_receipt;
    QString m_authentication;
};
