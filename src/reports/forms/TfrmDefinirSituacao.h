#pragma once

#include "reports/sheets/SituationFilter.h"

#include "data/store/Database.h"

#include <QDialog>

class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace reports {

// "Defina a Turma  e a Situação": picks the students of a list by class and situation. "&OK" is
// enabled once "Todas as Turmas" is chosen or a class is picked; filter() is the choice.
class TfrmDefinirSituacao : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmDefinirSituacao(const data::Database &db, QWidget *parent = nullptr);

    QString classCode() const; // empty for "Todas as Turmas"
    SituationChoice situation() const;
    StudentFilter filter() const;
    // What the dialog was left with, so that it comes back with the same choice.
    void setChoice(const QString &classCode, SituationChoice situation, const QString &typedCode);
    // A further command at the left of "&OK" (the labels' "Configurar Etiquetas").
    void addCommand(QPushButton *button);
    QString typedCode() const;

private:
    void updateState();

    QRadioButton *m_allClasses = nullptr;
    QRadioButton *m_oneClass = nullptr;
    QListWidget *m_classes = nullptr;
    QComboBox *m_situation = nullptr;
    QLineEdit *m_code = nullptr;
    QPushButton *m_ok = nullptr;
    QHBoxLayout *m_buttons = nullptr;
};

} // namespace reports
