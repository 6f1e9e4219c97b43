#pragma once

#include "reports/records/IndividualRecord.h"
#include "reports/records/RecordForms.h"

#include "data/store/Database.h"

#include <QDialog>

class QCheckBox;

namespace reports {

class RecordScopeBox;

// "Defina " for "Ficha Individual": every class, one class (those with marks) or one
// enrolment number, and the two row choices. "&OK" refuses an enrolment number that is not one
// of a student and keeps the dialog open; "&Fechar" cancels.
class TfrmFichaIndividual : public QDialog
{
    Q_OBJECT

public:
    TfrmFichaIndividual(const data::Database &db, const RecordChoice &choice, QWidget *parent = nullptr);

    RecordChoice choice() const;
    void accept() override;

private:
    data::Database m_db;
    RecordScopeBox *m_scope = nullptr;
    QCheckBox *m_skipEmpty = nullptr;
    QCheckBox *m_consolidated = nullptr;
};

// "Ficha de Aluno": the same scope over every class, "Não imprimir alunos Desistente ou
// Transferido", "Imprima com a Fotografia do Aluno" and "Imprima uma página em branco".
class TfrmFichaAluno : public QDialog
{
    Q_OBJECT

public:
    TfrmFichaAluno(const data::Database &db, const StudentFormChoice &choice, QWidget *parent = nullptr);

    StudentFormChoice choice() const;
    void accept() override;

private:
    data::Database m_db;
    RecordScopeBox *m_scope = nullptr;
    QCheckBox *m_skipLeavers = nullptr;
    QCheckBox *m_photo = nullptr;
    QCheckBox *m_blankPage = nullptr;
};

} // namespace reports
