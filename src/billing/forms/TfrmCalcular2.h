#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class StudentChoiceBox;

namespace data {
class Table;
}

// "Calcular Outros Valores": one charge of another kind (enrolment, books, a trip...) for every
// student, a class or listed students.
class TfrmCalcular2 : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmCalcular2(data::Table &charges, QWidget *parent = nullptr);

public slots:
    void cmdCalcularClick();

private:
    data::Table &m_charges;
    QDateEdit *m_due;
    QComboBox *m_kind;
    QLineEdit *m_value;
    QLineEdit *m_description;
    StudentChoiceBox *m_students;
    QLineEdit *m_fine;
    QLineEdit *m_discount;
    QCheckBox *m_percent;
    QLabel *m_studentLabel;
    QProgressBar *m_studentBar;
    QPushButton *m_calculate;
    QPushButton *m_close;
};
