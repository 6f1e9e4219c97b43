#pragma once

#include "reports/ReportValues.h"

#include "data/store/Database.h"

#include <QDialog>
#include <QHash>

class QWidget;

namespace reports {

// The options dialog of a report without one of its own, built from its parameters: a line
// per parameter with its label, and a field of the parameter's kind (text box, date picker,
// month list, check box, list of choices) named after the parameter. "&OK" checks every value
// and keeps the dialog open, with the reason shown, while one does not fit.
class ReportOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    ReportOptionsDialog(const QString &caption, const ReportValues &values,
                        const data::Database &db, QWidget *parent = nullptr);

    // The answers, as accepted.
    const ReportValues &values() const { return m_values; }

    void accept() override;

private:
    QWidget *fieldFor(const ReportParam &param);
    QString textOf(const ReportParam &param) const;

    ReportValues m_values;
    data::Database m_db;
    QHash<QString, QWidget *> m_fields;
};

} // namespace reports
