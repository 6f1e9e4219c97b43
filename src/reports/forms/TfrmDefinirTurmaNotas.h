#pragma once

#include "reports/ReportValues.h"
#include "reports/forms/AtaFileExport.h"

#include "data/store/Database.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace reports {

// "Defina a Turma  e a Disciplina" of "Resultados após Avaliação" and of the two general grade
// sheets. It shows what the report asks (its parameters): the classes; the subjects of the
// chosen class's grade ("subject"); the unit; the kind of list ("type"); the consolidated
// subjects; the leavers box, fixed on (leavers left out) unless the report lets it change
// ("keep-leavers"); the flagged students' text. "&Imprimir" is enabled for all classes or a
// picked class, and for all subjects or a picked subject; "&Gerar Arquivo", shown when an export
// is given and enabled with a class choice, asks, writes the minutes' text file for the chosen
// classes and closes; "&Cancelar" ends.
class TfrmDefinirTurmaNotas : public QDialog
{
    Q_OBJECT

public:
    TfrmDefinirTurmaNotas(const data::Database &db, const ReportValues &values, AtaFileExport exportFile = {},
                          QWidget *parent = nullptr);

    // The answers as chosen. Throws ReportParamError (never for what the dialog offers).
    ReportValues values() const;
    QString classListText() const;

private:
    bool asks(const QString &param) const;
    QString classCode() const;
    QString subjectCode() const;
    void fillSubjects();
    void updateButtons();
    void cmdGerarArquivoClick();

    data::Database m_db;
    ReportValues m_values;
    AtaFileExport m_export;
    QRadioButton *m_allClasses = nullptr;
    QRadioButton *m_oneClass = nullptr;
    QComboBox *m_class = nullptr;
    QRadioButton *m_allSubjects = nullptr;
    QRadioButton *m_oneSubject = nullptr;
    QComboBox *m_subject = nullptr;
    QButtonGroup *m_unit = nullptr;
    QButtonGroup *m_type = nullptr;
    QCheckBox *m_onlyConsolidated = nullptr;
    QCheckBox *m_skipLeavers = nullptr;
    QLineEdit *m_flaggedText = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_generate = nullptr;
};

} // namespace reports
