#pragma once

#include "reports/cards/CardOptions.h"

#include "data/store/Database.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QVBoxLayout;

namespace reports {

// "Defina ": the options of the report cards. "&OK" keeps the choices (options()) and closes;
// "&Fechar" cancels. The "+" button adds a typed enrolment number to the list, which chooses
// the students' scope; the message lines are saved to and read from "mensagem.txt".
class TfrmOpcoesBoletim : public QDialog
{
    Q_OBJECT

public:
    TfrmOpcoesBoletim(const data::Database &db, const CardOptions &options, QWidget *parent = nullptr);

    CardOptions options() const;

private:
    void buildScope(QVBoxLayout *layout);
    void buildChoices(QVBoxLayout *layout);
    void buildResult(QVBoxLayout *layout);
    void buildMessages(QVBoxLayout *layout);
    void buildUnits(QVBoxLayout *layout);
    void showOptions(const CardOptions &options);

    void cmdAdicionarClick();
    void resultChanged(int index);
    void chkLeiClicked(bool checked);
    void cmdSalvarMensagemClick();
    void cmdLerMensagemClick();

    data::Database m_db;
    QButtonGroup *m_scope = nullptr;
    QComboBox *m_class = nullptr;
    QLineEdit *m_matricula = nullptr;
    QListWidget *m_students = nullptr;
    QCheckBox *m_skipLeavers = nullptr;
    QCheckBox *m_photo = nullptr;
    QCheckBox *m_consolidated = nullptr;
    QCheckBox *m_skipRecovery = nullptr;
    QCheckBox *m_hideAbsences = nullptr;
    QComboBox *m_result = nullptr;
    QSpinBox *m_recoveryLimit = nullptr;
    QLineEdit *m_message1 = nullptr;
    QLineEdit *m_message2 = nullptr;
    QComboBox *m_unit = nullptr;
    QCheckBox *m_positions = nullptr;
    QSpinBox *m_positionLimit = nullptr;
    QCheckBox *m_lawNotAdapted = nullptr;
    QCheckBox *m_lawAdapted = nullptr;
    QCheckBox *m_noGrid = nullptr;
};

} // namespace reports
