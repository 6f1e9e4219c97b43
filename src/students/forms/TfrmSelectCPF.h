#pragma once

#include "reports/letters/ParentCpf.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <memory>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace data {
class Table;
}

// "Informe o CPF": who the income-tax declaration is made out to, found by the parent's CPF,
// with the students the parent paid for and the declaration's text ("declara.txt").
class TfrmSelectCPF : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSelectCPF(QWidget *parent = nullptr);
    ~TfrmSelectCPF() override;

    // After "&OK".
    reports::Declarant declarant() const;
    QString cpf() const;
    QString declarantName() const { return m_name; }
    QList<double> dependents() const; // enrolment numbers, by name
    QStringList declarationLines() const; // the first lines of the memo that print

private:
    void txtCPFExit();
    void cmdSalvarClick();
    void cmdLerClick();

    std::unique_ptr<data::Table> m_students;
    QButtonGroup *m_declarant = nullptr;
    QLineEdit *m_cpf = nullptr;
    QLabel *m_nameLabel = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QPushButton *m_ok = nullptr;
    QString m_name;
    QString m_searched;
};
