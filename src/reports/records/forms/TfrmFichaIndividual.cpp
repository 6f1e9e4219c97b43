#include "reports/records/forms/TfrmFichaIndividual.h"

#include "reports/cards/CardChoices.h"
#include "reports/records/forms/RecordScopeBox.h"

#include "core/Dialogs.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace reports {

namespace {

QCheckBox *checkBox(const QString &caption, const char *name, bool checked, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

void addButtons(QDialog *dialog, QVBoxLayout *layout)
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("&OK"), dialog);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto *close = new QPushButton(QStringLiteral("&Fechar"), dialog);
    close->setObjectName(QStringLiteral("cmdFechar"));
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

// False, with the warning shown, when the student's option names nobody.
bool studentExists(const data::Database &db, const RecordScopeBox &scope)
{
    if (!scope.studentChosen())
        return true;
    const std::optional<qint64> number = scope.student();
    if (number && studentEntry(db, *number))
        return true;
    core::dialogs().show({QStringLiteral("Matrícula inválida!"), QStringLiteral("Atenção"), core::Icon::Warning});
    scope.numberEdit()->setFocus();
    return false;
}

} // namespace

TfrmFichaIndividual::TfrmFichaIndividual(const data::Database &db, const RecordChoice &choice, QWidget *parent)
    : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfrmFichaIndividual"));
    setWindowTitle(QStringLiteral("Defina "));
    auto *layout = new QVBoxLayout(this);
    m_scope = new RecordScopeBox(recordClassEntries(m_db), this);
    m_scope->setScope(choice.classCode, choice.student);
    layout->addWidget(m_scope);
    m_skipEmpty = checkBox(QStringLiteral("NÃO IMPRIMA Disciplinas sem Notas informadas  "), "chkSemNotas",
                           choice.skipEmptySubjects, this);
    m_consolidated =
        checkBox(QStringLiteral("Imprima Disciplina Consolidada"), "chkConsolidada", choice.consolidated, this);
    layout->addWidget(m_skipEmpty);
    layout->addWidget(m_consolidated);
    addButtons(this, layout);
}

RecordChoice TfrmFichaIndividual::choice() const
{
    RecordChoice choice;
    choice.classCode = m_scope->classCode();
    choice.student = m_scope->student();
    choice.skipEmptySubjects = m_skipEmpty->isChecked();
    choice.consolidated = m_consolidated->isChecked();
    return choice;
}

void TfrmFichaIndividual::accept()
{
    if (studentExists(m_db, *m_scope))
        QDialog::accept();
}

TfrmFichaAluno::TfrmFichaAluno(const data::Database &db, const StudentFormChoice &choice, QWidget *parent)
    : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfrmFichaAluno"));
    setWindowTitle(QStringLiteral("Ficha de Aluno"));
    auto *layout = new QVBoxLayout(this);
    m_scope = new RecordScopeBox(classEntries(m_db), this);
    m_scope->setScope(choice.classCode, choice.student);
    layout->addWidget(m_scope);
    m_skipLeavers = checkBox(QStringLiteral("Não imprimir alunos Desistente ou Transferido"), "chkDesistentes",
                             choice.skipLeavers, this);
    m_photo = checkBox(QStringLiteral("Imprima com a Fotografia do Aluno"), "chkFoto", choice.photo, this);
    m_blankPage = checkBox(QStringLiteral("Imprima uma página em branco"), "chkEmBranco", choice.blankPage, this);
    for (QCheckBox *box : {m_skipLeavers, m_photo, m_blankPage})
        layout->addWidget(box);
    addButtons(this, layout);
}

StudentFormChoice TfrmFichaAluno::choice() const
{
    StudentFormChoice choice;
    choice.classCode = m_scope->classCode();
    choice.student = m_scope->student();
    choice.skipLeavers = m_skipLeavers->isChecked();
    choice.photo = m_photo->isChecked();
    choice.blankPage = m_blankPage->isChecked();
    return choice;
}

void TfrmFichaAluno::accept()
{
    // The blank form needs nobody.
    if (m_blankPage->isChecked() || studentExists(m_db, *m_scope))
        QDialog::accept();
}

} // namespace reports
