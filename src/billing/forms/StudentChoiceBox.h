#pragma once

#include "billing/generators/StudentSelection.h"
#include "data/store/Database.h"

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

// "Defina abaixo:" of both generators: every student, one class, or numbers added one by one
// with "+" (each checked in the register).
class StudentChoiceBox : public QGroupBox
{
    Q_OBJECT

public:
    // `classCaption`: "Apenas para a Turma" or "Apenas a Turma".
    StudentChoiceBox(const data::Database &db, const QString &classCaption, QWidget *parent = nullptr);

    bool hasChoice() const;
    billing::StudentSelection selection() const;

signals:
    void choiceMade();

private slots:
    void cmdMaisClick();

private:
    data::Database m_db;
    QRadioButton *m_all;
    QRadioButton *m_class;
    QRadioButton *m_list;
    QComboBox *m_classes;
    QLineEdit *m_number;
    QListWidget *m_numbers;
};
