#include "reports/forms/ReportOptionsDialog.h"

#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/Formats.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace reports {

ReportOptionsDialog::ReportOptionsDialog(const QString &caption, const ReportValues &values,
                                         const data::Database &db, QWidget *parent)
    : QDialog(parent), m_values(values), m_db(db)
{
    setObjectName(QStringLiteral("ReportOptionsDialog"));
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    for (const ReportParam &param : m_values.params()) {
        QWidget *field = fieldFor(param);
        field->setObjectName(param.name);
        m_fields.insert(param.name, field);
        if (param.kind == ParamKind::Flag)
            form->addRow(field);
        else
            form->addRow(param.label, field);
    }
    layout->addLayout(form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Cancelar"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QWidget *ReportOptionsDialog::fieldFor(const ReportParam &param)
{
    const QString current = m_values.text(param.name);
    switch (param.kind) {
    case ParamKind::Date: {
        auto *edit = new QDateEdit(core::parseDate(current).value_or(core::today()), this);
        edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        edit->setCalendarPopup(true);
        return edit;
    }
    case ParamKind::Month: {
        auto *list = new QComboBox(this);
        for (int month = 1; month <= 12; ++month)
            list->addItem(core::monthName(month, core::LetterCase::Capitalised),
                          QString::number(month));
        list->setCurrentIndex(qMax(0, list->findData(current)));
        return list;
    }
    case ParamKind::Flag: {
        auto *box = new QCheckBox(param.label, this);
        box->setChecked(m_values.flag(param.name));
        return box;
    }
    case ParamKind::Choice: {
        auto *list = new QComboBox(this);
        for (const ParamChoice &choice : param.choicesIn(m_db))
            list->addItem(choice.caption.isEmpty() ? choice.value : choice.caption, choice.value);
        list->setCurrentIndex(qMax(0, list->findData(current)));
        return list;
    }
    case ParamKind::Text:
    case ParamKind::Integer:
        break;
    }
    return new QLineEdit(current, this);
}

QString ReportOptionsDialog::textOf(const ReportParam &param) const
{
    QWidget *field = m_fields.value(param.name);
    if (auto *date = qobject_cast<QDateEdit *>(field))
        return core::formatDate(date->date());
    if (auto *list = qobject_cast<QComboBox *>(field))
        return list->currentData().toString();
    if (auto *box = qobject_cast<QCheckBox *>(field))
        return box->isChecked() ? QStringLiteral("S") : QStringLiteral("N");
    return qobject_cast<QLineEdit *>(field)->text();
}

void ReportOptionsDialog::accept()
{
    ReportValues answers = m_values;
    for (const ReportParam &param : m_values.params()) {
        try {
            answers.set(param.name, textOf(param), m_db);
        } catch (const ReportParamError &e) {
            core::showError(e.message());
            m_fields.value(param.name)->setFocus();
            return;
        }
    }
    m_values = answers;
    QDialog::accept();
}

} // namespace reports
