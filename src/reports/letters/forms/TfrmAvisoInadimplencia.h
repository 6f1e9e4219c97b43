#pragma once

#include "reports/ReportValues.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace data {
class Database;
}

namespace reports {

// "Texto padrão para Aviso de Inadimplência": the notice text of "aviso.txt", which students,
// the date before which instalments count, the two boxes and the signature picture.
class TfrmAvisoInadimplencia : public QDialog
{
    Q_OBJECT

public:
    // Starts from the answers of the previous round; the text is read from "aviso.txt" again.
    TfrmAvisoInadimplencia(const data::Database &db, const ReportValues &values, QWidget *parent = nullptr);

    // The answers for the report; call after "&OK".
    void store(ReportValues &values, const data::Database &db) const;

private:
    void cmdSalvarTextoClick();
    void cmdLerTextoClick();
    void cmdAssinaturaClick();
    void cmdCalendarioClick();
    void showSignature();
    void updateState();

    QPlainTextEdit *m_text = nullptr;
    QRadioButton *m_all = nullptr;
    QRadioButton *m_oneClass = nullptr;
    QRadioButton *m_oneStudent = nullptr;
    QComboBox *m_class = nullptr;
    QLineEdit *m_student = nullptr;
    QDateEdit *m_date = nullptr;
    QCheckBox *m_noLetterhead = nullptr;
    QCheckBox *m_noValues = nullptr;
    QLabel *m_signature = nullptr;
    QString m_signatureFile;
    QPushButton *m_ok = nullptr;
};

} // namespace reports
