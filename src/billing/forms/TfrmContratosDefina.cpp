#include "billing/forms/TfrmContratosDefina.h"

#include "core/Formats.h"
#include "students/structure/StructureLists.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace billing {

TfrmContratosDefina::TfrmContratosDefina(const QStringList &classLines, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmContratosDefina"));
    setWindowTitle(QStringLiteral("Emissão de Contratos - Defina abaixo"));

    auto *scope = new QGroupBox(QStringLiteral("Defina:"), this);
    scope->setObjectName(QStringLiteral("rgDefina"));
    m_all = new QRadioButton(QStringLiteral("Todas as Turmas"), scope);
    m_all->setObjectName(QStringLiteral("rbTodas"));
    m_all->setChecked(true);
    m_class = new QRadioButton(QStringLiteral("Apenas a Turma"), scope);
    m_class->setObjectName(QStringLiteral("rbTurma"));
    m_student = new QRadioButton(QStringLiteral("Apenas o Aluno (Matrícula)"), scope);
    m_student->setObjectName(QStringLiteral("rbAluno"));
    m_classes = new QListWidget(scope);
    m_classes->setObjectName(QStringLiteral("lstTurmas"));
    m_classes->addItems(classLines);
    m_classes->setMinimumHeight(160);
    m_matricula = new QLineEdit(scope);
    m_matricula->setObjectName(QStringLiteral("txtMatricula"));
    m_matricula->setMaxLength(10);

    auto *scopeLayout = new QVBoxLayout(scope);
    auto *choices = new QHBoxLayout;
    choices->addWidget(m_all);
    choices->addWidget(m_class);
    choices->addWidget(m_student);
    choices->addStretch();
    scopeLayout->addLayout(choices);
    scopeLayout->addWidget(m_classes, 1);
    auto *numberRow = new QHBoxLayout;
    auto *numberLabel = new QLabel(QStringLiteral("Matrícula:"), scope);
    numberLabel->setBuddy(m_matricula);
    numberRow->addWidget(numberLabel);
    numberRow->addWidget(m_matricula);
    numberRow->addStretch();
    scopeLayout->addLayout(numberRow);

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    buttons->addButton(QStringLiteral("&Cancelar"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scope, 1);
    layout->addWidget(buttons);

    for (QRadioButton *choice : {m_all, m_class, m_student})
        connect(choice, &QRadioButton::toggled, this, &TfrmContratosDefina::scopeChosen);
    connect(m_classes, &QListWidget::itemSelectionChanged, this, &TfrmContratosDefina::scopeChosen);
    connect(m_matricula, &QLineEdit::textChanged, this, &TfrmContratosDefina::scopeChosen);
    connect(m_classes, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_ok->isEnabled())
            accept();
    });
    scopeChosen();
}

// Each choice unlocks its own field; OK waits until the choice is complete.
void TfrmContratosDefina::scopeChosen()
{
    m_classes->setEnabled(m_class->isChecked());
    m_matricula->setEnabled(m_student->isChecked());
    m_ok->setEnabled(m_all->isChecked() || (m_class->isChecked() && !m_classes->selectedItems().isEmpty()) ||
                     (m_student->isChecked() && !m_matricula->text().trimmed().isEmpty()));
}

ContractSelection TfrmContratosDefina::selection() const
{
    ContractSelection chosen;
    if (m_class->isChecked() && !m_classes->selectedItems().isEmpty()) {
        chosen.kind = ContractSelection::Kind::Class;
        chosen.classCode = students::classCodeOfLine(m_classes->selectedItems().first()->text());
    } else if (m_student->isChecked()) {
        chosen.kind = ContractSelection::Kind::Students;
        if (const std::optional<qint64> number = core::parseInteger(m_matricula->text()))
            chosen.numbers << *number;
    }
    return chosen;
}

} // namespace billing
