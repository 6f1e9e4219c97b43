#pragma once

#include "cashbook/CashPeriod.h"
#include "cashbook/CashReports.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;

namespace core {
struct Session;
}

namespace data {
class Dataset;
class FieldBinder;
class TdmTarnel;
} // namespace data

namespace app {
class DBNavigator;
}

namespace cashbook {

// "Fluxo de Caixa": the cash book's window. Four pages on the cash-book data module's tables:
// the account groups of a kind, the accounts of a group, the movements of an account with the
// period filter and the four totals, and the banks. "&Imprimir" prints the page's report.
class TfrmMenuPrincipal : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmMenuPrincipal(data::TdmTarnel &cashBook, QWidget *parent = nullptr);
    ~TfrmMenuPrincipal() override;

    // A user who is not a supervisor sees neither "&Imprimir" nor the three general totals.
    void applySession(const core::Session &session);

    // "Lançados entre" and its dates.
    bool periodTicked() const;
    Period typedPeriod() const;
    // The period the totals and the grid cover: the typed one when ticked, else the whole book.
    Period totalsPeriod() const;

    // Recomputes the four totals from the tables.
    void refreshTotals();

    // "&Imprimir" on the current page; on "&Fluxo de Caixa" the pop-up menu of its reports.
    void printCurrentPage();
    // Asks for the period (mode of the report) and shows the report in the preview.
    void printWithPeriod(CashReport report);

    void done(int result) override;

private:
    QWidget *buildGroupsPage();
    QWidget *buildAccountsPage();
    QWidget *buildMovementsPage();
    QWidget *buildBanksPage();
    QWidget *buildTotals();
    QButtonGroup *kindChoice(QWidget *page, const char *objectName, QWidget **box);
    app::DBNavigator *navigator(QWidget *page, data::Dataset &dataset, bool insertFresh);

    void openTables();
    void closeTables();
    void pageChanged(int page);
    void groupKindChosen(int kind);
    void accountKindChosen(int kind);
    void applyPeriod();
    // Hands what was typed in the entry boxes to the movement; false (with the message shown)
    // when a box holds what its field can't take.
    bool commitTypedValues();
    void pickDate();
    void showReport(CashReport report, const Period &period);

    data::TdmTarnel &m_cashBook;
    QTabWidget *m_pages = nullptr;
    QButtonGroup *m_groupKind = nullptr;
    QButtonGroup *m_accountKind = nullptr;
    QCheckBox *m_periodBox = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    data::FieldBinder *m_entryBoxes = nullptr;
    QLineEdit *m_dateBox = nullptr;
    QLabel *m_accountTotal = nullptr;
    QLabel *m_expenseTotal = nullptr;
    QLabel *m_revenueTotal = nullptr;
    QLabel *m_balance = nullptr;
    QList<QWidget *> m_supervisorOnly;
    QPushButton *m_print = nullptr;
    QMenu *m_printMenu = nullptr;
    int m_lastPage = -1;
    bool m_closed = false;
};

} // namespace cashbook
