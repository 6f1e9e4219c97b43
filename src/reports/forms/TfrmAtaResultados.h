#pragma once

#include "reports/forms/AtaFileExport.h"
#include "reports/sheets/AtaOptions.h"

#include "data/store/Database.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace reports {

// "Defina a Turma  e a Disciplina": the options of the minutes of final results. "&Imprimir"
// keeps the choices (options()) and closes, enabled for all classes or once a class is chosen;
// "&Gerar Arquivo" asks, then hands the choices and the class list's text to the text export
// and closes the dialog (disabled when no export is given or no class is picked); "&Fechar" cancels.
class TfrmAtaResultados : public QDialog
{
    Q_OBJECT

public:
    TfrmAtaResultados(const data::Database &db, const AtaOptions &options, AtaFileExport exportFile = {},
                      QWidget *parent = nullptr);

    AtaOptions options() const;
    QString classListText() const;

private:
    void updateButtons();
    void cmdGerarArquivoClick();

    AtaFileExport m_export;
    QRadioButton *m_allClasses = nullptr;
    QRadioButton *m_oneClass = nullptr;
    QComboBox *m_class = nullptr;
    QCheckBox *m_skipLeavers = nullptr;
    QDateEdit *m_lastDay = nullptr;
    QLineEdit *m_secretary = nullptr;
    QLineEdit *m_director = nullptr;
    QLineEdit *m_approved = nullptr;
    QLineEdit *m_progression = nullptr;
    QLineEdit *m_failed = nullptr;
    QComboBox *m_unit = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_generate = nullptr;
};

} // namespace reports
