#pragma once

#include "reports/ReportValues.h"

#include <QGroupBox>
#include <optional>

class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace reports {

// "Defina:": "Todas as Turmas", "Apenas a Turma" with its list, "Apenas o Aluno (Matrícula)"
// with the number. Picking a class or typing a number chooses its option.
class RecordScopeBox : public QGroupBox
{
public:
    RecordScopeBox(const QList<ParamChoice> &classes, QWidget *parent);

    // A student's number wins over a class; the first class is selected unless `classCode` is one.
    void setScope(const QString &classCode, std::optional<qint64> student);
    QString classCode() const; // empty unless "Apenas a Turma"
    std::optional<qint64> student() const; // set with "Apenas o Aluno" and a number typed
    bool studentChosen() const;
    QLineEdit *numberEdit() const { return m_matricula; }

private:
    QButtonGroup *m_scope = nullptr;
    QComboBox *m_class = nullptr;
    QLineEdit *m_matricula = nullptr;
};

} // namespace reports
