#include "students/forms/TfrmTabAuxClassesPage.h"

#include "app/forms/DBNavigator.h"
#include "core/Dialogs.h"
#include "data/modules/TDataModule1.h"
#include "data/store/Table.h"
#include "students/forms/DatasetGrid.h"
#include "students/forms/RefreshPause.h"
#include "students/structure/ClassSubjects.h"
#include "students/structure/StructureLists.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace students {

namespace {

QWidget *gridWithNavigator(DatasetGrid *grid, app::DBNavigator *navigator, QWidget *parent, const QString &caption = QString())
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!caption.isEmpty())
        layout->addWidget(new QLabel(caption, box));
    layout->addWidget(grid, 1);
    layout->addWidget(navigator);
    return box;
}

} // namespace

TfrmTabAuxClassesPage::TfrmTabAuxClassesPage(data::TDataModule1 &academic, QWidget *parent)
    : QWidget(parent), m_academic(academic)
{
    setObjectName(QStringLiteral("tsTurmas"));
    auto *top = new QSplitter(Qt::Horizontal, this);
    top->setChildrenCollapsible(false);
    top->addWidget(buildClasses());
    top->addWidget(buildGradeSubjects());
    top->setStretchFactor(0, 4);
    top->setStretchFactor(1, 5);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(top, 3);
    layout->addWidget(buildCatalogue(), 2);
}

QWidget *TfrmTabAuxClassesPage::buildClasses()
{
    data::Table &classes = m_academic.tblTabTurma();
    m_classes = new DatasetGrid(&classes,
                                {{QStringLiteral("TURMA"), QStringLiteral("Turma")},
                                 {QStringLiteral("DESCRICAO"), QStringLiteral("Descrição")},
                                 {QStringLiteral("Valor_Mensalidade"), QStringLiteral("Mensalidade")}},
                                this);
    m_classes->setObjectName(QStringLiteral("grdTurmas"));
    auto *navigator = new app::DBNavigator(&classes, this);
    navigator->setObjectName(QStringLiteral("navTurmas"));
    navigator->setInsertAction([this] {
        m_classes->appendAskingKey(QStringLiteral("Nova Turma"), QStringLiteral("Código da turma (até 5 caracteres):"),
                                   QStringLiteral("TURMA"));
    });
    return gridWithNavigator(m_classes, navigator, this);
}

QWidget *TfrmTabAuxClassesPage::buildGradeSubjects()
{
    data::Table &gradeSubjects = m_academic.tblDiscTurma();
    m_gradeSubjects = new DatasetGrid(&gradeSubjects,
                                      {{QStringLiteral("CODIGO"), QStringLiteral("Código"), true},
                                       {QStringLiteral("Disciplina"), QStringLiteral("Disciplina"), true},
                                       {QStringLiteral("CHORA"), QStringLiteral("C.Hora")},
                                       {QStringLiteral("Consolidada"), QStringLiteral("Consolidada")},
                                       {QStringLiteral("Imp_AtaFinal"), QStringLiteral("Imp. Ata Final")},
                                       {QStringLiteral("PESO"), QStringLiteral("Peso")}},
                                      this);
    m_gradeSubjects->setObjectName(QStringLiteral("grdDiscTurma"));
    auto *navigator = new app::DBNavigator(&gradeSubjects, this);
    navigator->setObjectName(QStringLiteral("navDiscTurma"));
    navigator->setInsertAction([this] { insertGradeSubject(); });
    return gridWithNavigator(m_gradeSubjects, navigator, this,
                             QStringLiteral("A turma selecionada possui as seguintes disciplinas:"));
}

QWidget *TfrmTabAuxClassesPage::buildCatalogue()
{
    auto *box = new QWidget(this);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("Selecione as disciplinas para compor na Turma:"), box));
    auto *row = new QHBoxLayout;
    m_catalogue = new QListWidget(box);
    m_catalogue->setObjectName(QStringLiteral("lstDisciplinas"));
    m_catalogue->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_catalogue->setToolTip(QStringLiteral("Use <CTRL> + clique do mouse para seleção múltipla"));
    row->addWidget(m_catalogue, 1);
    m_save = new QPushButton(QStringLiteral("&Salvar"), box);
    m_save->setObjectName(QStringLiteral("cmdSalvar"));
    m_save->setAutoDefault(false);
    m_save->setEnabled(!m_academic.tblDiscTurma().isReadOnly());
    connect(m_save, &QPushButton::clicked, this, &TfrmTabAuxClassesPage::saveSubjects);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_save);
    buttons->addStretch();
    row->addLayout(buttons);
    layout->addLayout(row, 1);
    return box;
}

void TfrmTabAuxClassesPage::enter()
{
    data::Table &classes = m_academic.tblTabTurma();
    const qint64 current = classes.bookmark();
    classes.refresh();
    classes.gotoBookmark(current);

    const RefreshPause pause(m_academic);
    m_catalogue->clear();
    try {
        m_catalogue->addItems(subjectLines(classes.database()));
    } catch (const data::StoreError &) {
        core::inform(QStringLiteral("terminei"));
    }
}

// The subjects navigator's insert: one subject of the catalogue, by its code.
void TfrmTabAuxClassesPage::insertGradeSubject()
{
    const std::optional<QString> code =
        core::dialogs().askText(QStringLiteral("Nova Disciplina"), QStringLiteral("Código da disciplina:"), QString());
    if (!code || code->trimmed().isEmpty())
        return;
    const QString line = lineOfCode(subjectLines(m_academic.tblDiscpl().database()), code->trimmed());
    // Only subjects of the catalogue: a grade row of an unknown code would have no name anywhere.
    if (line.isEmpty())
        showOutcome(gradeSubjectFailureMessage(code->trimmed()));
    else
        showOutcome(appendGradeSubjects(m_academic.tblDiscTurma(), {line}).message);
}

void TfrmTabAuxClassesPage::saveSubjects()
{
    QStringList lines;
    for (int i = 0; i < m_catalogue->count(); ++i)
        if (m_catalogue->item(i)->isSelected())
            lines += m_catalogue->item(i)->text();
    if (lines.isEmpty())
        return;
    showOutcome(appendGradeSubjects(m_academic.tblDiscTurma(), lines).message);
}

void TfrmTabAuxClassesPage::showOutcome(const QString &message)
{
    if (!message.isEmpty())
        core::showError(message);
}

} // namespace students
