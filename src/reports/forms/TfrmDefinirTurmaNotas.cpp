#include "reports/forms/TfrmDefinirTurmaNotas.h"

#include "reports/cards/CardChoices.h"
#include "reports/sheets/AtaRows.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace reports {

namespace {

const QString kClass = QStringLiteral("class");
const QString kSubject = QStringLiteral("subject");
const QString kUnit = QStringLiteral("unit");
const QString kType = QStringLiteral("type");
const QString kOnlyConsolidated = QStringLiteral("only-consolidated");
const QString kKeepLeavers = QStringLiteral("keep-leavers");
const QString kFlaggedText = QStringLiteral("flagged-text");

QString flagText(bool on)
{
    return on ? QStringLiteral("S") : QStringLiteral("N");
}

template <typename W>
W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

// A radio button per choice of `param` in a box captioned with its label, named `prefix` + 1, 2 ...;
// the button's id is the choice's index and the current answer is checked.
QButtonGroup *addChoiceBox(QWidget *parent, QLayout *layout, const ReportParam &param, const QString &boxName,
                           const QString &prefix, const QString &current)
{
    auto *box = named(new QGroupBox(param.label, parent), boxName);
    auto *boxLayout = new QVBoxLayout(box);
    auto *group = new QButtonGroup(box);
    for (qsizetype i = 0; i < param.choices.size(); ++i) {
        auto *button = named(new QRadioButton(param.choices.at(i).caption, box), prefix + QString::number(i + 1));
        group->addButton(button, int(i));
        boxLayout->addWidget(button);
        button->setChecked(param.choices.at(i).value == current);
    }
    if (!group->checkedButton() && !group->buttons().isEmpty())
        group->buttons().constFirst()->setChecked(true);
    layout->addWidget(box);
    return group;
}

QString choiceValue(const ReportValues &values, const QString &param, const QButtonGroup *group)
{
    const auto &params = values.params();
    const auto found = std::find_if(params.cbegin(), params.cend(),
                                    [&param](const ReportParam &candidate) { return candidate.name == param; });
    return found->choices.at(group->checkedId()).value;
}

} // namespace

TfrmDefinirTurmaNotas::TfrmDefinirTurmaNotas(const data::Database &db, const ReportValues &values,
                                             AtaFileExport exportFile, QWidget *parent)
    : QDialog(parent), m_db(db), m_values(values), m_export(std::move(exportFile))
{
    setObjectName(QStringLiteral("TfrmDefinirTurmaNotas"));
    setWindowTitle(QStringLiteral("Defina a Turma  e a Disciplina"));
    auto *layout = new QVBoxLayout(this);
    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    layout->addLayout(columns);

    auto *scope = named(new QGroupBox(QStringLiteral("Defina"), this), QStringLiteral("rgDefina"));
    auto *scopeLayout = new QGridLayout(scope);
    m_allClasses = named(new QRadioButton(QStringLiteral("Todas as Turmas"), scope), QStringLiteral("rbTodas"));
    m_oneClass = named(new QRadioButton(QStringLiteral("Apenas a Turma"), scope), QStringLiteral("rbTurma"));
    m_class = named(new QComboBox(scope), QStringLiteral("cbTurma"));
    m_class->addItem(QString(), QString());
    for (const ParamChoice &entry : classEntries(db))
        m_class->addItem(entry.caption, entry.value);
    scopeLayout->addWidget(m_allClasses, 0, 0);
    scopeLayout->addWidget(m_oneClass, 1, 0);
    scopeLayout->addWidget(m_class, 1, 1);
    left->addWidget(scope);

    auto *subjects = named(new QGroupBox(QStringLiteral("Defina:"), this), QStringLiteral("rgDisciplina"));
    auto *subjectLayout = new QGridLayout(subjects);
    m_allSubjects = named(new QRadioButton(QStringLiteral("Todas as Disciplinas"), subjects),
                          QStringLiteral("rbTodasDisciplinas"));
    m_oneSubject = named(new QRadioButton(QStringLiteral("Apenas a Disciplina"), subjects),
                         QStringLiteral("rbDisciplina"));
    m_subject = named(new QComboBox(subjects), QStringLiteral("cbDisciplina"));
    subjectLayout->addWidget(m_allSubjects, 0, 0);
    subjectLayout->addWidget(m_oneSubject, 1, 0);
    subjectLayout->addWidget(m_subject, 1, 1);
    left->addWidget(subjects);
    subjects->setVisible(asks(kSubject));

    for (const ReportParam &param : m_values.params()) {
        if (param.name == kUnit)
            m_unit = addChoiceBox(this, right, param, QStringLiteral("rgUnidade"), QStringLiteral("rbUnidade"),
                                  m_values.text(kUnit));
        else if (param.name == kType)
            m_type = addChoiceBox(this, left, param, QStringLiteral("rgTipo"), QStringLiteral("rbTipo"),
                                  m_values.text(kType));
    }

    left->addStretch();
    right->addStretch();

    m_onlyConsolidated = named(new QCheckBox(QStringLiteral("Imprimir apenas a Disciplina Consolidada (quando eistir)"),
                                             this),
                               QStringLiteral("chkConsolidada"));
    m_onlyConsolidated->setToolTip(
        QStringLiteral("Para as turmas com Disciplinas Consolidadas,  não exibe as componentes."));
    m_onlyConsolidated->setChecked(asks(kOnlyConsolidated) && m_values.flag(kOnlyConsolidated));
    m_onlyConsolidated->setVisible(asks(kOnlyConsolidated));
    layout->addWidget(m_onlyConsolidated);
    m_skipLeavers = named(new QCheckBox(QStringLiteral("Não Imprimir Desistentes / Transferidos"), this),
                          QStringLiteral("chkDesistentes"));
    // Where the report cannot print leavers the box stays on and fixed.
    m_skipLeavers->setChecked(!asks(kKeepLeavers) || !m_values.flag(kKeepLeavers));
    m_skipLeavers->setEnabled(asks(kKeepLeavers));
    layout->addWidget(m_skipLeavers);
    if (asks(kFlaggedText)) {
        layout->addWidget(new QLabel(QStringLiteral("Use o texto abaixo para os ALunos MARCADOS"), this));
        m_flaggedText = named(new QLineEdit(m_values.text(kFlaggedText), this), QStringLiteral("edtMarcados"));
        layout->addWidget(m_flaggedText);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_print = named(new QPushButton(QStringLiteral("&Imprimir"), this), QStringLiteral("cmdImprimir"));
    m_print->setDefault(true);
    buttons->addWidget(m_print);
    if (m_export) {
        m_generate = named(new QPushButton(QStringLiteral("&Gerar Arquivo"), this),
                           QStringLiteral("cmdGerarArquivo"));
        m_generate->setToolTip(QStringLiteral("Salva arquivo no formato TEXTO"));
        buttons->addWidget(m_generate);
        connect(m_generate, &QPushButton::clicked, this, &TfrmDefinirTurmaNotas::cmdGerarArquivoClick);
    }
    auto *cancel = named(new QPushButton(QStringLiteral("&Cancelar"), this), QStringLiteral("cmdCancelar"));
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_print, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_allClasses, &QRadioButton::toggled, this, &TfrmDefinirTurmaNotas::fillSubjects);
    connect(m_class, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_class->currentData().toString().isEmpty())
            m_oneClass->setChecked(true);
        fillSubjects();
    });
    connect(m_allSubjects, &QRadioButton::toggled, this, &TfrmDefinirTurmaNotas::updateButtons);
    connect(m_subject, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_subject->currentData().toString().isEmpty())
            m_oneSubject->setChecked(true);
        updateButtons();
    });

    const QString chosenClass = m_values.text(kClass);
    m_class->setCurrentIndex(std::max(m_class->findData(chosenClass), 0));
    (chosenClass.isEmpty() ? m_allClasses : m_oneClass)->setChecked(true);
    fillSubjects();
    if (asks(kSubject)) {
        const int subject = m_subject->findData(m_values.text(kSubject));
        if (subject > 0)
            m_subject->setCurrentIndex(subject);
    }
    updateButtons();
}

bool TfrmDefinirTurmaNotas::asks(const QString &param) const
{
    const auto &params = m_values.params();
    return std::any_of(params.cbegin(), params.cend(),
                       [&param](const ReportParam &candidate) { return candidate.name == param; });
}

QString TfrmDefinirTurmaNotas::classCode() const
{
    return m_oneClass->isChecked() ? m_class->currentData().toString() : QString();
}

QString TfrmDefinirTurmaNotas::subjectCode() const
{
    return m_oneSubject->isChecked() ? m_subject->currentData().toString() : QString();
}

// The subjects offered are those of the chosen class's grade; with every class there is no
// grade to take them from, so the list stays empty and every subject prints.
void TfrmDefinirTurmaNotas::fillSubjects()
{
    const QString previous = m_subject->currentData().toString();
    const QString schoolClass = classCode();
    const QSignalBlocker blocker(m_subject);
    m_subject->clear();
    m_subject->addItem(QString(), QString());
    if (!schoolClass.isEmpty()) {
        for (const AtaSubject &subject : gradeSubjects(m_db, schoolClass.left(3), false))
            m_subject->addItem(subject.code + QLatin1Char(' ') + subject.name, subject.code);
    }
    // A subject the new grade also has stays chosen.
    m_subject->setCurrentIndex(std::max(m_subject->findData(previous), 0));
    if (m_subject->currentIndex() == 0)
        m_allSubjects->setChecked(true);
    m_oneSubject->setEnabled(!schoolClass.isEmpty());
    m_subject->setEnabled(!schoolClass.isEmpty());
    updateButtons();
}

void TfrmDefinirTurmaNotas::updateButtons()
{
    const bool classChosen = m_allClasses->isChecked() || !m_class->currentData().toString().isEmpty();
    const bool subjectChosen = m_allSubjects->isChecked() || !m_subject->currentData().toString().isEmpty();
    m_print->setEnabled(classChosen && subjectChosen);
    // Without a picked class "Apenas a Turma" would write every class's file.
    if (m_generate)
        m_generate->setEnabled(classChosen);
}

ReportValues TfrmDefinirTurmaNotas::values() const
{
    ReportValues values = m_values;
    values.set(kClass, classCode(), m_db);
    if (asks(kSubject))
        values.set(kSubject, subjectCode(), m_db);
    if (m_unit)
        values.set(kUnit, choiceValue(values, kUnit, m_unit), m_db);
    if (m_type)
        values.set(kType, choiceValue(values, kType, m_type), m_db);
    if (asks(kOnlyConsolidated))
        values.set(kOnlyConsolidated, flagText(m_onlyConsolidated->isChecked()), m_db);
    if (asks(kKeepLeavers))
        values.set(kKeepLeavers, flagText(!m_skipLeavers->isChecked()), m_db);
    if (m_flaggedText)
        values.set(kFlaggedText, m_flaggedText->text(), m_db);
    return values;
}

QString TfrmDefinirTurmaNotas::classListText() const
{
    return m_oneClass->isChecked() ? m_class->currentText() : QStringLiteral("Todas as Turmas");
}

void TfrmDefinirTurmaNotas::cmdGerarArquivoClick()
{
    AtaOptions options;
    options.classCode = classCode();
    options.skipLeavers = m_skipLeavers->isChecked();
    askAndExport(m_export, options, classListText(), this);
    reject();
}

} // namespace reports
