#pragma once

#include "data/store/Database.h"
#include "students/IsolatedSubjects.h"

#include <QDialog>

class QComboBox;
class QListWidget;

// "Acrescentar Disciplinas Isoladas para o Aluno abaixo": grade rows of subjects of another
// class (dependency, extra subjects) for one student.
class TfrmDisc_isolada : public QDialog
{
    Q_OBJECT

public:
    TfrmDisc_isolada(const data::Database &db, const students::IsolatedStudent &student, QWidget *parent = nullptr);

private:
    void cbTurmasChange(int index);
    void cmdIncluirClick();
    void cmdLimparClick();
    void cmdSalvarClick();

    data::Database m_db;
    students::IsolatedStudent m_student;
    QComboBox *m_classes = nullptr;
    QListWidget *m_subjects = nullptr;
    QListWidget *m_selected = nullptr;
};
