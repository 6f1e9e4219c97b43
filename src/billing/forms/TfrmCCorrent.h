#pragma once

#include "billing/account/ChargeView.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;

namespace cashbook {
class DataGrid;
}

namespace data {
class TDataModule1;
class Table;
} // namespace data

// "Pagamentos": the charge table of every student, with its kind and view filters, the six
// totals of the rows in view, receiving a payment, the generators, the export, the verification
// stamp and, for the supervisor, the deletion of every charge.
class TfrmCCorrent : public QDialog
{
    Q_OBJECT

public:
    // `statusText` writes the main window's first status panel ("Qtde de registros: 12").
    TfrmCCorrent(data::TDataModule1 &module, std::function<void(const QString &)> statusText,
                 QWidget *parent = nullptr);
    ~TfrmCCorrent() override;

    // Rights of the session: without Carnes, no generating, printing or receiving; "&Apagra
    // Tudo" for the supervisor only.
    void applySession();
    data::Table &charges() const { return *m_charges; }

public slots:
    void cbTipoChange();
    void cbVisualizarChange();
    void cbOrdenarChange();
    void cmdCobrancaClick();
    void cmdImprimirClick();
    void cmdReceberClick();
    void cmdApagarClick();
    void cmdConferirClick();
    void cmdExportarClick();
    void cmdAjudaClick();

protected:
    void done(int result) override;

private:
    // The "Pago em" cell's button: the row's payment date is cleared (saved with the row).
    void clearPaymentDate();
    void showCount();
    void showTotals();
    void backToFirstRow();
    void closeTables();

    data::TDataModule1 &m_module;
    data::Table *m_charges;
    std::function<void(const QString &)> m_statusText;
    cashbook::DataGrid *m_grid = nullptr;
    QComboBox *m_order = nullptr;
    QComboBox *m_kind = nullptr;
    QComboBox *m_view = nullptr;
    QDateEdit *m_date = nullptr;
    QPushButton *m_generate = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_receive = nullptr;
    QPushButton *m_deleteAll = nullptr;
    QList<QLabel *> m_totals;
    bool m_closed = false;
};
