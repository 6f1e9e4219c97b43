#include "students/forms/TfrmTabAuxTeachersPage.h"

#include "core/Dialogs.h"
#include "data/modules/TDataModule1.h"
#include "data/store/Table.h"
#include "students/forms/DatasetGrid.h"
#include "students/forms/RefreshPause.h"
#include "students/structure/StructureLists.h"
#include "students/structure/TeacherAssignments.h"

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace students {

namespace {

// The last line picked in a single-choice list; empty when none is.
QString pickedLine(const QListWidget *list)
{
    const QList<QListWidgetItem *> picked = list->selectedItems();
    return picked.isEmpty() ? QString() : picked.last()->text();
}

} // namespace

TfrmTabAuxTeachersPage::TfrmTabAuxTeachersPage(data::TDataModule1 &academic, QWidget *parent)
    : QWidget(parent), m_academic(academic)
{
    setObjectName(QStringLiteral("tsProfessores"));
    auto *lists = new QHBoxLayout;
    lists->addWidget(listColumn(m_teachers, "lstProfessores", QStringLiteral("Selecione o Professor")), 1);
    lists->addWidget(listColumn(m_classes, "lstTurmas", QStringLiteral("Selecione a(s) Turma(s)")), 1);
    lists->addWidget(listColumn(m_subjects, "lstDisciplinasProf", QStringLiteral("Selecione a Disciplina")), 1);
    m_classes->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_classes->setToolTip(QStringLiteral("Use <CTRL> + clique do mouse para seleção múltipla"));

    m_record = new QPushButton(QStringLiteral("&Gravar"), this);
    m_record->setObjectName(QStringLiteral("cmdGravar"));
    m_remove = new QPushButton(QStringLiteral("&Apagar"), this);
    m_remove->setObjectName(QStringLiteral("cmdApagar"));
    auto *exportButton = new QPushButton(QStringLiteral("&Exportar p/ Planilha"), this);
    exportButton->setObjectName(QStringLiteral("cmdExportar"));
    for (QPushButton *button : {m_record, m_remove, exportButton})
        button->setAutoDefault(false);
    connect(m_record, &QPushButton::clicked, this, &TfrmTabAuxTeachersPage::record);
    connect(m_remove, &QPushButton::clicked, this, &TfrmTabAuxTeachersPage::removeCurrent);
    connect(exportButton, &QPushButton::clicked, this, &TfrmTabAuxTeachersPage::exportAll);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_record);
    buttons->addWidget(m_remove);
    buttons->addWidget(exportButton);
    buttons->addStretch();
    lists->addLayout(buttons);

    data::Table &assignments = m_academic.tblDiscProf();
    m_grid = new DatasetGrid(&assignments,
                             {{QStringLiteral("MATRICULA"), QStringLiteral("Matrícula"), true},
                              {QStringLiteral("NOME"), QStringLiteral("Nome do Professor"), true},
                              {QStringLiteral("TURMA"), QStringLiteral("Turma"), true},
                              {QStringLiteral("cDisciplina"), QStringLiteral("Disciplina"), true}},
                             this);
    m_grid->setObjectName(QStringLiteral("grdProfessores"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setColumnWidth(1, 320);
    auto *table = new QGroupBox(QStringLiteral("Tabela de Professores x Disciplinas x Turmas"), this);
    auto *tableLayout = new QVBoxLayout(table);
    tableLayout->addWidget(m_grid);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 2);
    layout->addWidget(table, 3);
    connect(&assignments, &data::Dataset::reset, this, &TfrmTabAuxTeachersPage::updateButtons);
    connect(&assignments, &data::Dataset::rowRemoved, this, &TfrmTabAuxTeachersPage::updateButtons);
    connect(&assignments, &data::Dataset::rowInserted, this, &TfrmTabAuxTeachersPage::updateButtons);
    updateButtons();
}

QWidget *TfrmTabAuxTeachersPage::listColumn(QListWidget *&list, const char *objectName, const QString &caption)
{
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    list = new QListWidget(column);
    list->setObjectName(QString::fromLatin1(objectName));
    auto *label = new QLabel(caption, column);
    label->setBuddy(list);
    layout->addWidget(label);
    layout->addWidget(list, 1);
    connect(list, &QListWidget::itemSelectionChanged, this, &TfrmTabAuxTeachersPage::updateButtons);
    return column;
}

void TfrmTabAuxTeachersPage::enter()
{
    const RefreshPause pause(m_academic);
    const data::Database db = m_academic.tblDiscProf().database();
    try {
        for (const auto &[list, lines] : {std::pair{m_teachers, teacherLines(db)}, std::pair{m_classes, classesWithGradesLines(db)},
                                          std::pair{m_subjects, subjectLines(db)}}) {
            list->clear();
            list->addItems(lines);
        }
    } catch (const data::StoreError &error) {
        core::showError(error.message());
    }
    updateButtons();
}

void TfrmTabAuxTeachersPage::record()
{
    const QString teacher = pickedLine(m_teachers);
    const QString subject = pickedLine(m_subjects);
    QStringList classes;
    for (int i = 0; i < m_classes->count(); ++i)
        if (m_classes->item(i)->isSelected())
            classes += m_classes->item(i)->text();
    if (teacher.isEmpty() || subject.isEmpty() || classes.isEmpty())
        return;
    assignTeacher(m_academic.tblDiscProf(), teacher, subject, classes, core::dialogs());
    m_teachers->clearSelection();
    m_subjects->clearSelection();
}

void TfrmTabAuxTeachersPage::removeCurrent()
{
    deleteAssignment(m_academic.tblDiscProf(), core::dialogs());
}

void TfrmTabAuxTeachersPage::exportAll()
{
    QString error;
    if (!core::exportSemicolon(QDir::current().filePath(QString::fromLatin1(kAssignmentsExportFile)),
                               assignmentsForExport(m_academic.tblDiscProf()), &error))
        core::showError(error);
}

void TfrmTabAuxTeachersPage::updateButtons()
{
    const data::Table &assignments = m_academic.tblDiscProf();
    const bool writable = assignments.isOpen() && !assignments.isReadOnly();
    m_record->setEnabled(writable && !m_teachers->selectedItems().isEmpty() && !m_subjects->selectedItems().isEmpty()
                         && !m_classes->selectedItems().isEmpty());
    m_remove->setEnabled(writable && !assignments.isEmpty());
}

} // namespace students
