#pragma once

#include "data/store/Database.h"

#include <QDialog>

class QCheckBox;
class QLabel;

// "Gerar tabela de Notas": the grade rows of every active student, adding only what is
// missing, or (after a question) emptying the grade tables and generating them again.
class TfrmGerarNotas : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmGerarNotas(const data::Database &db, QWidget *parent = nullptr);

private slots:
    void cmdIniciarClick();

private:
    data::Database m_db;
    QCheckBox *m_keep = nullptr;
    QLabel *m_count = nullptr;
};
