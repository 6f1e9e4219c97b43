#pragma once

#include "data/store/Database.h"

#include <QDialog>

// "Calcular Colocação do Aluno": the ranking table rebuilt.
class TfrmCalcPosicao : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmCalcPosicao(const data::Database &db, QWidget *parent = nullptr);

private slots:
    void cmdIniciarClick();

private:
    data::Database m_db;
};
