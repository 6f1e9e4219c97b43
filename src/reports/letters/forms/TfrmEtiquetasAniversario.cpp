#include "reports/letters/forms/TfrmEtiquetasAniversario.h"

#include "reports/letters/LetterParams.h"
#include "reports/letters/forms/TfrmConfigEtiquetas.h"

#include "core/Formats.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace reports {

TfrmEtiquetasAniversario::TfrmEtiquetasAniversario(const data::Database &db, int month, const QString &classCode,
                                                   const LabelSettings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("frmEtiquetasAniversario"));
    setWindowTitle(QStringLiteral("Etiquetas de Aniversariantes do Mês"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    m_month = new QComboBox(this);
    m_month->setObjectName(QStringLiteral("cbMes"));
    for (int m = 1; m <= 12; ++m)
        m_month->addItem(core::monthName(m, core::LetterCase::Capitalised), m);
    m_month->setCurrentIndex(std::clamp(month, 1, 12) - 1);
    form->addRow(QStringLiteral("Com Aniversário no Mês de "), m_month);
    m_class = new QComboBox(this);
    m_class->setObjectName(QStringLiteral("cbTurma"));
    for (const ParamChoice &choice : classParam().choicesIn(db)) {
        m_class->addItem(choice.caption, choice.value);
        if (choice.value == classCode)
            m_class->setCurrentIndex(m_class->count() - 1);
    }
    form->addRow(QStringLiteral("Defina a Turma "), m_class);
    layout->addLayout(form);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(labelSettingsButton(m_settings, this));
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    cancel->setObjectName(QStringLiteral("cmdCancelar"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int TfrmEtiquetasAniversario::month() const
{
    return m_month->currentData().toInt();
}

QString TfrmEtiquetasAniversario::classCode() const
{
    return m_class->currentData().toString();
}

} // namespace reports
