#pragma once

#include "billing/contracts/ContractStudents.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace billing {

// "Emissão de Contratos - Defina abaixo": every class, one class, or one student by number.
class TfrmContratosDefina : public QDialog
{
    Q_OBJECT

public:
    TfrmContratosDefina(const QStringList &classLines, QWidget *parent = nullptr);

    // The students asked for; a number that is not a number asks for nobody.
    ContractSelection selection() const;

private:
    void scopeChosen();

    QRadioButton *m_all = nullptr;
    QRadioButton *m_class = nullptr;
    QRadioButton *m_student = nullptr;
    QListWidget *m_classes = nullptr;
    QLineEdit *m_matricula = nullptr;
    QPushButton *m_ok = nullptr;
};

} // namespace billing
