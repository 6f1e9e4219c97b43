#pragma once

#include "reports/records/IndividualRecord.h"

#include "data/store/Database.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace reports {

// "Defina " for "Ficha Individual": every class, one class (those with marks) or one
// enrolment number, and the two row choices. "&OK" refuses an enrolment number that is not one
// of a student and keeps the dialog open; "&Fechar" cancels.
class TfrmFichaIndividual : public QDialog
{
    Q_OBJECT

public:
    TfrmFichaIndividual(const data::Database &db, const RecordChoice &choice, QWidget *parent = nullptr);

    RecordChoice choice() const;
    void accept() override;

private:
    data::Database m_db;
    QButtonGroup *m_scope = nullptr;
    QComboBox *m_class = nullptr;
    QLineEdit *m_matricula = nullptr;
    QCheckBox *m_skipEmpty = nullptr;
    QCheckBox *m_consolidated = nullptr;
};

} // namespace reports
