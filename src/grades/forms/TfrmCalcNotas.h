#pragma once

#include "data/store/Database.h"

#include <QDialog>

class QComboBox;

// "Recalcular tabela de Notas": the chosen unit's rows saved again, then the year recalculated.
class TfrmCalcNotas : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmCalcNotas(const data::Database &db, QWidget *parent = nullptr);

private slots:
    void cmdCalcularClick();

private:
    data::Database m_db;
    QComboBox *m_unit = nullptr;
};
