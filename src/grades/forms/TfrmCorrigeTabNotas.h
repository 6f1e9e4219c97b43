#pragma once

#include "data/store/Database.h"

#include <QDialog>

class QPlainTextEdit;
class QRadioButton;

// "Corrigir Tabelas de Notas" for one student: the missing subjects added, or every grade row
// deleted and made again; the memo "Status da Verificação" shows each step.
class TfrmCorrigeTabNotas : public QDialog
{
    Q_OBJECT

public:
    TfrmCorrigeTabNotas(const data::Database &db, double matricula, QWidget *parent = nullptr);

private slots:
    void cmdIniciarClick();

private:
    data::Database m_db;
    double m_matricula;
    QRadioButton *m_addMissing = nullptr;
    QRadioButton *m_redo = nullptr;
    QPlainTextEdit *m_status = nullptr;
};
