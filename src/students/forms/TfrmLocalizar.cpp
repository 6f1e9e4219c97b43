#include "students/forms/TfrmLocalizar.h"

#include "core/Dialogs.h"
#include "data/store/Dataset.h"
#include "students/StudentSearch.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmLocalizar::TfrmLocalizar(const data::Dataset &students, bool filtered, QWidget *parent)
    : QDialog(parent), m_students(students), m_filtered(filtered)
{
    setObjectName(QStringLiteral("frmLocalizar"));
    setWindowTitle(QStringLiteral("Localizar"));
    auto *layout = new QVBoxLayout(this);
    auto *prompt = new QLabel(QStringLiteral("Nome ou nº de matrícula (basta uma parte):"), this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("txtLocalizar"));
    m_text->setMinimumWidth(320);
    prompt->setBuddy(m_text);
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("lblResultado"));
    layout->addWidget(prompt);
    layout->addWidget(m_text);
    layout->addWidget(m_result);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *find = buttons->addButton(QStringLiteral("&Localizar"), QDialogButtonBox::ActionRole);
    find->setObjectName(QStringLiteral("cmdLocalizar"));
    find->setDefault(true);
    QPushButton *close = buttons->addButton(QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdFechar"));
    connect(find, &QPushButton::clicked, this, &TfrmLocalizar::cmdLocalizarClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TfrmLocalizar::cmdLocalizarClick()
{
    const QString typed = m_text->text();
    if (typed.trimmed().isEmpty()) {
        m_text->setFocus();
        return;
    }
    const int position = students::findStudent(m_students, typed, m_students.recNo());
    if (position < 0) {
        QString message = QStringLiteral("Nenhum aluno encontrado com \"%1\".").arg(typed.trimmed());
        if (m_filtered)
            message += QStringLiteral("\rA busca considera apenas os alunos de \"Visualizar Apenas\".");
        core::inform(message, QStringLiteral("Localizar"));
        m_result->clear();
        return;
    }
    emit found(position);
    m_result->setText(QStringLiteral("%1 - %2").arg(m_students.displayText("MATRICULA"), m_students.asText("NOME")));
    m_text->selectAll();
}
