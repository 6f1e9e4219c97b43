#include "billing/forms/StudentChoiceBox.h"

#include "core/Dialogs.h"
#include "core/Formats.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

StudentChoiceBox::StudentChoiceBox(const data::Database &db, const QString &classCaption, QWidget *parent)
    : QGroupBox(QStringLiteral("Defina abaixo:"), parent), m_db(db)
{
    setObjectName("rgAlunos");
    m_all = new QRadioButton(QStringLiteral("Todos os Alunos"), this);
    m_all->setObjectName("rbTodos");
    m_class = new QRadioButton(classCaption, this);
    m_class->setObjectName("rbTurma");
    m_list = new QRadioButton(QStringLiteral("Apenas para a matrícula Nº"), this);
    m_list->setObjectName("rbMatricula");
    m_classes = new QComboBox(this);
    m_classes->setObjectName("cbTurma");
    m_classes->addItems(billing::generatorClassLines(db));
    m_number = new QLineEdit(this);
    m_number->setObjectName("txtMatricula");
    m_number->setMaximumWidth(90);
    auto *add = new QPushButton(QStringLiteral("+"), this);
    add->setObjectName("cmdMais");
    add->setMaximumWidth(28);
    m_numbers = new QListWidget(this);
    m_numbers->setObjectName("lstMatriculas");
    m_numbers->setMaximumHeight(70);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_all, 0, 0, 1, 3);
    grid->addWidget(m_class, 1, 0);
    grid->addWidget(m_classes, 1, 1, 1, 2);
    grid->addWidget(m_list, 2, 0);
    grid->addWidget(m_number, 2, 1);
    grid->addWidget(add, 2, 2);
    grid->addWidget(m_numbers, 3, 1, 1, 2);

    for (QRadioButton *b : {m_all, m_class, m_list})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                emit choiceMade();
        });
    connect(m_classes, &QComboBox::activated, this, [this] { m_class->setChecked(true); });
    connect(add, &QPushButton::clicked, this, &StudentChoiceBox::cmdMaisClick);
    connect(m_number, &QLineEdit::returnPressed, this, &StudentChoiceBox::cmdMaisClick);
}

bool StudentChoiceBox::hasChoice() const
{
    return m_all->isChecked() || m_class->isChecked() || m_list->isChecked();
}

billing::StudentSelection StudentChoiceBox::selection() const
{
    billing::StudentSelection chosen;
    if (m_class->isChecked()) {
        chosen.kind = billing::StudentSelection::Kind::Class;
        chosen.classCode = m_classes->currentText().section(u' ', 0, 0);
    } else if (m_list->isChecked()) {
        chosen.kind = billing::StudentSelection::Kind::List;
        for (int i = 0; i < m_numbers->count(); ++i)
            chosen.numbers << m_numbers->item(i)->text().section(u' ', 0, 0).toLongLong();
    }
    return chosen;
}

void StudentChoiceBox::cmdMaisClick()
{
    const std::optional<qint64> number = core::parseInteger(m_number->text());
    const QString line = number ? billing::studentListLine(m_db, *number) : QString();
    if (line.isEmpty()) {
        core::warn(billing::kInvalidStudentMessage);
        return;
    }
    m_numbers->addItem(line);
    m_list->setChecked(true);
    m_number->clear();
}
