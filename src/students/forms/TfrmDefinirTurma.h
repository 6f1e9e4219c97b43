#pragma once

#include "students/structure/ClassPicker.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace students {

// "Defina a Turma ": all classes or one, picked from the class list ("code description" lines,
// see classLines()), with the optional parts a report or billing run asks for:
//
//   TfrmDefinirTurma picker(classLines(db), {.period = true, .chargeType = true}, this);
//   if (picker.exec() == QDialog::Accepted) { const ClassChoice c = picker.choice(); ... }
class TfrmDefinirTurma : public QDialog
{
    Q_OBJECT

public:
    TfrmDefinirTurma(const QStringList &classLines, const ClassPickerParts &parts = {}, QWidget *parent = nullptr);

    // Starting values of the optional parts (period dates, month, boxes, charge type, class).
    void setChoice(const ClassChoice &choice);
    ClassChoice choice() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QGroupBox *buildScope(const QStringList &classLines);
    QWidget *buildOptions(const ClassPickerParts &parts);
    void scopeChosen();
    void updateOk();
    void chargeTypeChosen();

    QRadioButton *m_all = nullptr;
    QRadioButton *m_one = nullptr;
    QListWidget *m_classes = nullptr;
    QPushButton *m_ok = nullptr;
    QCheckBox *m_amountsDue = nullptr;
    QDateEdit *m_from = nullptr;
    QDateEdit *m_to = nullptr;
    QRadioButton *m_onlyMonth = nullptr;
    QRadioButton *m_upToMonth = nullptr;
    QComboBox *m_month = nullptr;
    QCheckBox *m_excel = nullptr;
    QCheckBox *m_unpaid = nullptr;
    QComboBox *m_chargeType = nullptr;
    QString m_chargeFilter;
};

} // namespace students
