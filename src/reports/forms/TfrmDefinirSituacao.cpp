#include "reports/forms/TfrmDefinirSituacao.h"

#include "reports/cards/CardChoices.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace reports {

TfrmDefinirSituacao::TfrmDefinirSituacao(const data::Database &db, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDefinirSituacao"));
    setWindowTitle(QStringLiteral("Defina a Turma  e a Situação"));
    auto *layout = new QVBoxLayout(this);

    auto *classBox = new QGroupBox(QStringLiteral("Defina a Turma"), this);
    auto *classLayout = new QVBoxLayout(classBox);
    m_allClasses = new QRadioButton(QStringLiteral("Todas as Turmas"), classBox);
    m_allClasses->setObjectName(QStringLiteral("rbTodasTurmas"));
    m_oneClass = new QRadioButton(QStringLiteral("Apenas a Turma"), classBox);
    m_oneClass->setObjectName(QStringLiteral("rbApenasTurma"));
    m_classes = new QListWidget(classBox);
    m_classes->setObjectName(QStringLiteral("lstTurmas"));
    for (const ParamChoice &entry : classEntries(db)) {
        auto *item = new QListWidgetItem(entry.caption, m_classes);
        item->setData(Qt::UserRole, entry.value);
    }
    m_allClasses->setChecked(true);
    classLayout->addWidget(m_allClasses);
    classLayout->addWidget(m_oneClass);
    classLayout->addWidget(m_classes);
    layout->addWidget(classBox);

    auto *situationBox = new QGroupBox(QStringLiteral("Defina a Situação"), this);
    auto *situationLayout = new QHBoxLayout(situationBox);
    m_situation = new QComboBox(situationBox);
    m_situation->setObjectName(QStringLiteral("cboSituacao"));
    m_situation->addItems(situationCaptions());
    m_code = new QLineEdit(situationBox);
    m_code->setObjectName(QStringLiteral("edtSituacao"));
    m_code->setMaxLength(2); // the width of ALUNOS.SIT
    situationLayout->addWidget(m_situation, 1);
    situationLayout->addWidget(m_code);
    layout->addWidget(situationBox);

    auto *buttons = new QHBoxLayout;
    m_buttons = buttons;
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    cancel->setObjectName(QStringLiteral("cmdCancelar"));
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_allClasses, &QRadioButton::toggled, this, &TfrmDefinirSituacao::updateState);
    connect(m_classes, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_classes->selectedItems().isEmpty())
            m_oneClass->setChecked(true);
        updateState();
    });
    connect(m_situation, &QComboBox::currentIndexChanged, this, &TfrmDefinirSituacao::updateState);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    updateState();
}

QString TfrmDefinirSituacao::classCode() const
{
    if (m_allClasses->isChecked() || m_classes->selectedItems().isEmpty())
        return QString();
    return m_classes->selectedItems().first()->data(Qt::UserRole).toString();
}

SituationChoice TfrmDefinirSituacao::situation() const
{
    return SituationChoice(m_situation->currentIndex());
}

StudentFilter TfrmDefinirSituacao::filter() const
{
    return studentFilter(situation(), m_code->text(), classCode());
}

void TfrmDefinirSituacao::setChoice(const QString &classCode, SituationChoice situation, const QString &typedCode)
{
    m_classes->clearSelection();
    for (int row = 0; row < m_classes->count(); ++row) {
        if (!classCode.isEmpty() && m_classes->item(row)->data(Qt::UserRole).toString() == classCode)
            m_classes->setCurrentRow(row);
    }
    (classCode.isEmpty() || m_classes->selectedItems().isEmpty() ? m_allClasses : m_oneClass)->setChecked(true);
    m_situation->setCurrentIndex(int(situation));
    m_code->setText(typedCode);
    updateState();
}

void TfrmDefinirSituacao::addCommand(QPushButton *button)
{
    button->setParent(this);
    m_buttons->insertWidget(0, button);
}

QString TfrmDefinirSituacao::typedCode() const
{
    return m_code->text().trimmed();
}

void TfrmDefinirSituacao::updateState()
{
    m_ok->setEnabled(m_allClasses->isChecked() || !m_classes->selectedItems().isEmpty());
    m_code->setEnabled(situation() == SituationChoice::Equal);
}

} // namespace reports
