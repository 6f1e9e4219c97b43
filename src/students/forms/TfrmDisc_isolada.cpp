#include "students/forms/TfrmDisc_isolada.h"

#include "core/Dialogs.h"
#include "data/store/StoreError.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfrmDisc_isolada::TfrmDisc_isolada(const data::Database &db, const students::IsolatedStudent &student, QWidget *parent)
    : QDialog(parent), m_db(db), m_student(student)
{
    setObjectName(QStringLiteral("frmDisc_isolada"));
    setWindowTitle(QStringLiteral("Acrescentar Disciplinas Isoladas para o Aluno abaixo"));
    auto *layout = new QVBoxLayout(this);

    auto *name = new QLabel(student.nome, this);
    name->setObjectName(QStringLiteral("lblAluno"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto *ownClass = new QLabel(students::normalClassText(db, student.turma), this);
    ownClass->setObjectName(QStringLiteral("lblTurmaNormal"));
    layout->addWidget(name);
    layout->addWidget(ownClass);

    layout->addWidget(new QLabel(QStringLiteral("Turma das disciplinas:"), this));
    m_classes = new QComboBox(this);
    m_classes->setObjectName(QStringLiteral("cbTurmas"));
    m_classes->addItems(students::otherClassLines(db, student.turma));
    m_classes->setCurrentIndex(-1);
    connect(m_classes, &QComboBox::currentIndexChanged, this, &TfrmDisc_isolada::cbTurmasChange);
    layout->addWidget(m_classes);

    auto *lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Disciplinas da turma:"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Disciplinas escolhidas:"), this), 0, 2);
    m_subjects = new QListWidget(this);
    m_subjects->setObjectName(QStringLiteral("lstDisciplinas"));
    m_subjects->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_selected = new QListWidget(this);
    m_selected->setObjectName(QStringLiteral("lstSelecionadas"));
    auto *moveButtons = new QVBoxLayout;
    auto *include = new QPushButton(QStringLiteral(">"), this);
    include->setObjectName(QStringLiteral("cmdIncluir"));
    include->setToolTip(QStringLiteral("Passar as disciplinas marcadas para a seleção"));
    auto *clear = new QPushButton(QStringLiteral("X"), this);
    clear->setObjectName(QStringLiteral("cmdLimpar"));
    clear->setToolTip(QStringLiteral("Limpar a seleção"));
    for (QPushButton *b : {include, clear}) {
        b->setAutoDefault(false);
        b->setMaximumWidth(40);
        moveButtons->addWidget(b);
    }
    moveButtons->addStretch();
    lists->addWidget(m_subjects, 1, 0);
    lists->addLayout(moveButtons, 1, 1);
    lists->addWidget(m_selected, 1, 2);
    layout->addLayout(lists, 1);
    connect(include, &QPushButton::clicked, this, &TfrmDisc_isolada::cmdIncluirClick);
    connect(clear, &QPushButton::clicked, this, &TfrmDisc_isolada::cmdLimparClick);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *save = new QPushButton(QStringLiteral("&Salvar"), this);
    save->setObjectName(QStringLiteral("cmdSalvar"));
    save->setAutoDefault(false);
    auto *cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    cancel->setObjectName(QStringLiteral("cmdCancelar"));
    cancel->setAutoDefault(false);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &TfrmDisc_isolada::cmdSalvarClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 420);
}

void TfrmDisc_isolada::cbTurmasChange(int index)
{
    m_subjects->clear();
    if (index >= 0)
        m_subjects->addItems(students::subjectLines(m_db, m_classes->itemText(index)));
}

void TfrmDisc_isolada::cmdIncluirClick()
{
    for (const QListWidgetItem *item : m_subjects->selectedItems())
        if (m_selected->findItems(item->text(), Qt::MatchExactly).isEmpty())
            m_selected->addItem(item->text());
}

void TfrmDisc_isolada::cmdLimparClick()
{
    m_selected->clear();
}

void TfrmDisc_isolada::cmdSalvarClick()
{
    if (m_classes->currentIndex() < 0 || m_selected->count() == 0) {
        core::warn(QStringLiteral("Escolha a turma e passe ao menos uma disciplina para a seleção com \">\"."));
        return;
    }
    QStringList lines;
    for (int row = 0; row < m_selected->count(); ++row)
        lines += m_selected->item(row)->text();
    try {
        students::addIsolatedSubjects(m_db, m_student, m_classes->currentText(), lines);
    } catch (const data::StoreError &e) {
        core::showError(e.message());
        return;
    }
    m_selected->clear();
    accept();
}
