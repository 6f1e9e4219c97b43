#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class StudentChoiceBox;

namespace data {
class Table;
}

// "Gerar Mensalidades": the monthly fees of one month or of the whole year, for every student,
// a class or listed students, written through the billing window's charge table.
class TfrmCalcular : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmCalcular(data::Table &charges, QWidget *parent = nullptr);

public slots:
    void cmdGerarClick();

private:
    data::Table &m_charges;
    StudentChoiceBox *m_students;
    QComboBox *m_month;
    QLineEdit *m_dueDay;
    QLineEdit *m_fine;
    QLineEdit *m_discount;
    QCheckBox *m_percent;
    QCheckBox *m_otherDueDates;
    QCheckBox *m_overdue;
    QCheckBox *m_ignoreRegister;
    QLabel *m_studentLabel;
    QLabel *m_monthLabel;
    QProgressBar *m_monthBar;
    QProgressBar *m_studentBar;
    QPushButton *m_generate;
    QPushButton *m_close;
};

