#include "reports/records/forms/TfrmFichaIndividual.h"

#include "reports/cards/CardChoices.h"

#include "core/Dialogs.h"
#include "core/Formats.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace reports {

namespace {

enum Scope { AllClasses, OneClass, OneStudent };

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TfrmFichaIndividual::TfrmFichaIndividual(const data::Database &db, const RecordChoice &choice, QWidget *parent)
    : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfrmFichaIndividual"));
    setWindowTitle(QStringLiteral("Defina "));
    auto *layout = new QVBoxLayout(this);
    auto *box = named(new QGroupBox(QStringLiteral("Defina:"), this), "rgDefina");
    auto *column = new QVBoxLayout(box);
    m_scope = new QButtonGroup(this);
    const char *names[] = {"rbTodas", "rbTurma", "rbAluno"};
    const QStringList captions{QStringLiteral("Todas as Turmas"), QStringLiteral("Apenas a Turma"),
                               QStringLiteral("Apenas o Aluno (Matrícula)")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *radio = named(new QRadioButton(captions.at(i), box), names[i]);
        m_scope->addButton(radio, i);
        column->addWidget(radio);
        if (i == OneClass) {
            m_class = named(new QComboBox(box), "cbTurma");
            for (const ParamChoice &entry : recordClassEntries(m_db))
                m_class->addItem(entry.caption, entry.value);
            column->addWidget(m_class);
            connect(m_class, &QComboBox::activated, this, [this] { m_scope->button(OneClass)->setChecked(true); });
        }
    }
    m_matricula = named(new QLineEdit(box), "txtMatricula");
    column->addWidget(m_matricula);
    connect(m_matricula, &QLineEdit::textEdited, this, [this] { m_scope->button(OneStudent)->setChecked(true); });
    layout->addWidget(box);

    m_skipEmpty = named(new QCheckBox(QStringLiteral("NÃO IMPRIMA Disciplinas sem Notas informadas  "), this),
                        "chkSemNotas");
    m_consolidated = named(new QCheckBox(QStringLiteral("Imprima Disciplina Consolidada"), this), "chkConsolidada");
    layout->addWidget(m_skipEmpty);
    layout->addWidget(m_consolidated);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = named(new QPushButton(QStringLiteral("&OK"), this), "OKBtn");
    ok->setDefault(true);
    auto *close = named(new QPushButton(QStringLiteral("&Fechar"), this), "cmdFechar");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    // The first class is selected unless another was chosen before.
    m_class->setCurrentIndex(qMax(0, m_class->findData(choice.classCode)));
    if (choice.student) {
        m_scope->button(OneStudent)->setChecked(true);
        m_matricula->setText(QString::number(*choice.student));
    } else {
        m_scope->button(choice.classCode.isEmpty() ? AllClasses : OneClass)->setChecked(true);
    }
    m_skipEmpty->setChecked(choice.skipEmptySubjects);
    m_consolidated->setChecked(choice.consolidated);
}

RecordChoice TfrmFichaIndividual::choice() const
{
    RecordChoice choice;
    switch (m_scope->checkedId()) {
    case OneClass:
        choice.classCode = m_class->currentData().toString();
        break;
    case OneStudent:
        if (const std::optional<qint64> number = core::parseInteger(m_matricula->text()))
            choice.student = *number;
        break;
    default:
        break;
    }
    choice.skipEmptySubjects = m_skipEmpty->isChecked();
    choice.consolidated = m_consolidated->isChecked();
    return choice;
}

void TfrmFichaIndividual::accept()
{
    if (m_scope->checkedId() == OneStudent) {
        const std::optional<qint64> number = core::parseInteger(m_matricula->text());
        if (!number || !studentEntry(m_db, *number)) {
            core::dialogs().show({QStringLiteral("Matrícula inválida!"), QStringLiteral("Atenção"), core::Icon::Warning});
            m_matricula->setFocus();
            return;
        }
    }
    QDialog::accept();
}

} // namespace reports
