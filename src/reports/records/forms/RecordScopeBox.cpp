#include "reports/records/forms/RecordScopeBox.h"

#include "core/Formats.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace reports {

namespace {

enum Scope { AllClasses, OneClass, OneStudent };

} // namespace

RecordScopeBox::RecordScopeBox(const QList<ParamChoice> &classes, QWidget *parent)
    : QGroupBox(QStringLiteral("Defina:"), parent)
{
    setObjectName(QStringLiteral("rgDefina"));
    auto *column = new QVBoxLayout(this);
    m_scope = new QButtonGroup(this);
    const char *names[] = {"rbTodas", "rbTurma", "rbAluno"};
    const QStringList captions{QStringLiteral("Todas as Turmas"), QStringLiteral("Apenas a Turma"),
                               QStringLiteral("Apenas o Aluno (Matrícula)")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *radio = new QRadioButton(captions.at(i), this);
        radio->setObjectName(QString::fromLatin1(names[i]));
        m_scope->addButton(radio, i);
        column->addWidget(radio);
        if (i == OneClass) {
            m_class = new QComboBox(this);
            m_class->setObjectName(QStringLiteral("cbTurma"));
            for (const ParamChoice &entry : classes)
                m_class->addItem(entry.caption, entry.value);
            column->addWidget(m_class);
            connect(m_class, &QComboBox::activated, this, [this] { m_scope->button(OneClass)->setChecked(true); });
        }
    }
    m_matricula = new QLineEdit(this);
    m_matricula->setObjectName(QStringLiteral("txtMatricula"));
    column->addWidget(m_matricula);
    connect(m_matricula, &QLineEdit::textEdited, this, [this] { m_scope->button(OneStudent)->setChecked(true); });
    m_scope->button(AllClasses)->setChecked(true);
}

void RecordScopeBox::setScope(const QString &classCode, std::optional<qint64> student)
{
    m_class->setCurrentIndex(qMax(0, m_class->findData(classCode)));
    if (student) {
        m_scope->button(OneStudent)->setChecked(true);
        m_matricula->setText(QString::number(*student));
    } else {
        m_scope->button(classCode.isEmpty() ? AllClasses : OneClass)->setChecked(true);
    }
}

QString RecordScopeBox::classCode() const
{
    return m_scope->checkedId() == OneClass ? m_class->currentData().toString() : QString();
}

std::optional<qint64> RecordScopeBox::student() const
{
    if (!studentChosen())
        return std::nullopt;
    return core::parseInteger(m_matricula->text());
}

bool RecordScopeBox::studentChosen() const
{
    return m_scope->checkedId() == OneStudent;
}

} // namespace reports
