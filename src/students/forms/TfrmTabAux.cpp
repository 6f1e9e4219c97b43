#include "students/forms/TfrmTabAux.h"

#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "core/Shell.h"
#include "data/modules/TDataModule1.h"
#include "data/store/Table.h"
#include "grades/forms/NotasTab.h"
#include "students/forms/TfrmTabAuxClassesPage.h"
#include "students/forms/TfrmTabAuxStaffPage.h"
#include "students/forms/TfrmTabAuxSubjectsPage.h"
#include "students/forms/TfrmTabAuxTeachersPage.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace students {

namespace {

enum Page { Turmas, Disciplinas, Notas, Funcionarios, Professores };

} // namespace

TfrmTabAux::TfrmTabAux(data::TDataModule1 &academic, const QString &staffTerm, const QString &photosDir,
                       QWidget *parent)
    : QDialog(parent), m_academic(academic)
{
    setObjectName(QStringLiteral("frmTabAux"));
    setWindowTitle(QStringLiteral("Tabelas Auxiliares"));
    openTables();

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_classes = new TfrmTabAuxClassesPage(academic, m_pages);
    m_subjects = new TfrmTabAuxSubjectsPage(academic, m_pages);
    auto *marks = new grades::NotasTab(academic, m_pages);
    m_staff = new TfrmTabAuxStaffPage(academic, photosDir, m_pages);
    m_teachers = new TfrmTabAuxTeachersPage(academic, m_pages);
    m_pages->addTab(m_classes, QStringLiteral("&Turmas"));
    m_pages->addTab(m_subjects, QStringLiteral("&Disciplinas"));
    m_pages->addTab(marks, QStringLiteral("&Notas"));
    m_pages->addTab(m_staff, u'&' + staffTerm);
    m_pages->addTab(m_teachers, QStringLiteral("&Professores"));
    connect(m_pages, &QTabWidget::currentChanged, this, &TfrmTabAux::pageEntered);

    auto *help = new QPushButton(QStringLiteral("&Ajuda"), this);
    help->setObjectName(QStringLiteral("cmdAjuda"));
    help->setAutoDefault(false);
    // The marks have a help page of their own.
    connect(help, &QPushButton::clicked, this, [this, marks] {
        const QString page = m_pages->currentWidget() == marks ? QStringLiteral("notas01.htm") : QStringLiteral("tabelas01.htm");
        core::shell().open(core::joinPath(core::programDirs().help, page));
    });
    auto *close = new QPushButton(QStringLiteral("&Fechar"), this);
    close->setObjectName(QStringLiteral("cmdFechar"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(help);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);

    // The size of the student register: the screen less a margin, at the same place.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    setGeometry(screen.x() + 70, screen.y() + 48, screen.width() - 80, screen.height() - 100);
}

TfrmTabAux::~TfrmTabAux()
{
    m_academic.closeTables();
}

void TfrmTabAux::openTables()
{
    m_academic.tblDiscpl().open();
    m_academic.tblTabTurma().open();
    m_academic.tblDiscTurma().open();
    m_academic.tblFuncionarios().open();
    m_academic.tblDiscProf().open();
}

void TfrmTabAux::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // The catalogue is read once before the classes tab lists it.
    m_pages->setCurrentIndex(Disciplinas);
    m_pages->setCurrentIndex(Turmas);
}

void TfrmTabAux::pageEntered(int index)
{
    switch (index) {
    case Turmas:
        m_classes->enter();
        break;
    case Disciplinas:
        m_subjects->enter();
        break;
    case Professores:
        m_teachers->enter();
        break;
    default:
        break;
    }
}

void TfrmTabAux::done(int result)
{
    for (data::Dataset *dataset : m_academic.academicDatasets()) {
        try {
            dataset->checkBrowseMode();
        } catch (const data::StoreError &error) {
            core::showError(error.message());
            return;
        } catch (const data::Abort &) {
            return;
        }
    }
    m_academic.closeTables();
    QDialog::done(result);
}

} // namespace students
