#pragma once

#include "data/modules/TDataModule1.h"
#include "data/modules/TableRights.h"

#include <QList>
#include <QObject>

namespace data {

class Dataset;
class Query;
class Table;

// The cash-book data module: account groups, accounts, entries and banks, the view of the
// accounts with their groups on which entries are made, the numbering of new groups, accounts
// and entries (CashBookNumbering, taken by the transaction that writes the row), and one
// message for every failed save or deletion.
class TdmTarnel : public QObject
{
    Q_OBJECT

public:
    explicit TdmTarnel(QObject *parent = nullptr);
    ~TdmTarnel() override;

    Table &taGrupoConta();
    Table &taConta();   // the accounts of the current group
    Table &taMovFin();  // the entries of the account chosen in qryContas
    Table &taBancos();
    Query &qryContas(); // every account with its group

    // The kind chosen on the cash-book screen: 0 "Receita", 1 "Despesa"; a new group takes it.
    void setGroupKind(int kind) { m_groupKind = kind; }
    int groupKind() const { return m_groupKind; }

    QList<Dataset *> datasets() const;
    Dataset *datasetForTable(const QString &tableOrFileName) const;
    QList<DatasetLink> links() const;

    void closeTables();
    // Log-on: every table closed and read-only unless the session holds Caixa.
    void applyRights(const core::Session &session);
    const QList<GuardedDataset> &guardedDatasets() const { return m_guarded; }

private:
    Table *makeTable(const char *objectName, const char *fileName);
    void attachRules();

    Table *m_grupoConta = nullptr;
    Table *m_conta = nullptr;
    Table *m_movFin = nullptr;
    Table *m_bancos = nullptr;
    Query *m_contas = nullptr;
    QList<GuardedDataset> m_guarded;
    int m_groupKind = 0;
};

} // namespace data
