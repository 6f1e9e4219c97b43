#pragma once

#include "data/store/Database.h"

#include <QDialog>

// "Criar nº de Ordem": the roll numbers of every class, by name.
class TfrmCriarOrdem : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmCriarOrdem(const data::Database &db, QWidget *parent = nullptr);

private slots:
    void cmdIniciarClick();

private:
    data::Database m_db;
};
