#include "students/StudentRegister.h"

#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "core/Session.h"
#include "data/modules/TDataModule1.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"
#include "data/store/Table.h"
#include "students/NewStudentGrades.h"
#include "students/SpecialList.h"

#include <QDir>
#include <QFileInfo>

namespace students {

namespace {

const char *const kGradeMasks[] = {"UND1", "UND2", "UND3", "UND4", "MD_ANUAL", "PFINAL",
                                   "MD_FINAL", "RECUP", "MD_RECUP"};

} // namespace

StudentRegister::StudentRegister(data::TDataModule1 &academic, QObject *parent)
    : QObject(parent), m_academic(academic),
      m_grades(std::make_unique<data::Query>(QString::fromLatin1(data::kMainDatabaseName))),
      m_specialList(std::make_unique<data::Query>(QString::fromLatin1(data::kMainDatabaseName)))
{
    m_grades->setObjectName(QStringLiteral("qryNotasAluno"));
    m_grades->setSql(QStringLiteral(
        "select notas.*, discpl.DESCRICAO as DISCIPLINA from notas left join discpl on discpl.CODIGO = notas.DISC "
        "where notas.MATRICULA = :matricula order by notas.Turma, notas.DISC"));
    m_specialList->setObjectName(QStringLiteral("qryMarcados"));
    m_specialList->setSql(specialListSql());
    connect(&academic, &data::TDataModule1::studentCountChanged, this, [this] { emit countChanged(recordCount()); });
}

StudentRegister::~StudentRegister() = default;

data::Table &StudentRegister::alunos()
{
    return m_academic.tblAlunos();
}

data::Table &StudentRegister::historic()
{
    return m_academic.tblHistoric();
}

data::Table &StudentRegister::charges()
{
    return m_academic.tblCCorrent2();
}

data::Query &StudentRegister::grades()
{
    return *m_grades;
}

data::Query &StudentRegister::specialList()
{
    return *m_specialList;
}

data::Database StudentRegister::database() const
{
    return data::Database::named(QString::fromLatin1(data::kMainDatabaseName));
}

bool StudentRegister::isWritable() const
{
    return !m_academic.tblAlunos().isReadOnly();
}

QStringList StudentRegister::classCodes() const
{
    data::Query classes(database());
    classes.setSql(QStringLiteral("select turma from tabturma order by turma"));
    classes.open();
    QStringList codes;
    for (classes.first(); !classes.eof(); classes.next())
        codes += classes.asText(0);
    return codes;
}

void StudentRegister::open()
{
    data::Table &students = alunos();
    students.close();
    // The order and the filter the window starts with are set before the rows are read once.
    m_sort = SortChoice::TurmaNome;
    m_view = ViewChoice::Ativos;
    students.setIndexName(sortEntry(m_sort).indexName);
    students.setFilter(filterExpression(m_view, {}));
    students.setFiltered(true);
    students.open();
    m_academic.tblDiscpl().open();
    historic().open();
    charges().open();
    m_academic.tblTabTurma().open();
    students.first();
    studentChanged();
    emit countChanged(recordCount());
}

void StudentRegister::close()
{
    data::Table &students = alunos();
    if (historic().isOpen())
        historic().cancel();
    if (students.isOpen())
        students.cancel();
    students.setFiltered(false);
    students.setFilter(QString());
    students.setIndexName(QString());
    m_grades->close();
    m_specialList->close();
    for (data::Dataset *table : std::initializer_list<data::Dataset *>{
             &students, &m_academic.tblNotas(), &historic(), &charges(), &m_academic.tblCCorrent(),
             &m_academic.tblDiscpl(), &m_academic.tblTabTurma(), &m_academic.tblDiscTurma()})
        table->close();
}

void StudentRegister::setSort(SortChoice choice)
{
    m_sort = choice;
    alunos().setIndexName(sortEntry(choice).indexName);
}

void StudentRegister::setView(ViewChoice choice, const ViewParameters &parameters)
{
    data::Table &students = alunos();
    students.checkBrowseMode();
    m_view = choice;
    const QString filter = filterExpression(choice, parameters);
    students.setFilter(filter);
    students.setFiltered(!filter.isEmpty());
    const bool special = choice == ViewChoice::Marcados;
    if (special) {
        m_specialList->close();
        m_specialList->open();
    } else {
        m_specialList->close();
    }
    emit specialListShown(special);
    studentChanged();
    emit countChanged(recordCount());
    if (choice == ViewChoice::Turma)
        core::warn(classOnlyWarning(parameters.schoolClass));
}

int StudentRegister::recordCount() const
{
    if (m_view == ViewChoice::Marcados && m_specialList->isOpen())
        return m_specialList->recordCount();
    return m_academic.tblAlunos().isOpen() ? m_academic.tblAlunos().recordCount() : 0;
}

void StudentRegister::studentChanged()
{
    if (alunos().isEditing())
        return;
    reloadGrades();
    ensureHistoryRow();
}

void StudentRegister::reloadGrades()
{
    m_grades->close();
    if (alunos().isOpen() && !alunos().isEmpty()) {
        m_grades->bind(QStringLiteral("matricula"), alunos().value("MATRICULA"));
        m_grades->open();
        for (const char *field : kGradeMasks)
            if (m_grades->hasField(QString::fromLatin1(field)))
                m_grades->setDisplayFormat(field, QStringLiteral("0.0"));
    }
    emit gradesReloaded();
}

void StudentRegister::ensureHistoryRow()
{
    // Every student ever shown gets exactly one history row, so the health boxes have a row to
    // write into.
    data::Table &history = historic();
    if (!history.isOpen() || history.isReadOnly() || alunos().isEmpty() || alunos().isBlank("MATRICULA") ||
        !history.isEmpty())
        return;
    try {
        if (history.append() && !history.post())
            history.cancel();
    } catch (const std::exception &) {
        history.cancel();
    }
}

QString StudentRegister::photoPath() const
{
    const data::Table &students = m_academic.tblAlunos();
    if (!students.isOpen() || students.isEmpty() || students.isBlank("MATRICULA"))
        return QString();
    const QString number = QString::number(students.asInteger("MATRICULA"));
    const QString folder = core::session().photosDir;
    const QString lower = core::joinPath(folder, number + QStringLiteral(".bmp"));
    const QString upper = core::joinPath(folder, number + QStringLiteral(".BMP"));
    // Photos copied from Windows often keep an upper-case extension.
    return QFileInfo::exists(lower) || !QFileInfo::exists(upper) ? lower : upper;
}

bool StudentRegister::insert()
{
    data::Table &students = alunos();
    if (!isWritable())
        return false;
    students.checkBrowseMode();
    if (students.isEditing())
        return false;
    m_newRecord = true;
    m_classChanged = false;
    m_classAtEdit.clear();
    if (!students.append()) {
        m_newRecord = false;
        return false;
    }
    return true;
}

bool StudentRegister::edit()
{
    data::Table &students = alunos();
    if (students.isEditing())
        return true;
    if (!isWritable() || students.isEmpty() || !students.edit())
        return false;
    m_classAtEdit = students.asText("TURMA");
    return true;
}

bool StudentRegister::editHistory()
{
    data::Table &history = historic();
    if (history.isEditing())
        return true;
    if (alunos().state() == data::DatasetState::Insert || history.isReadOnly() || !edit())
        return false;
    return history.isEmpty() ? history.append() : history.edit();
}

void StudentRegister::classEntered()
{
    m_rememberedClass = alunos().asText("TURMA");
}

void StudentRegister::classLeft()
{
    if (alunos().isEditing() && alunos().asText("TURMA") != m_rememberedClass)
        m_classChanged = true;
}

bool StudentRegister::post()
{
    data::Table &students = alunos();
    if (!students.isEditing())
        return true;
    const bool wasNew = m_newRecord || students.state() == data::DatasetState::Insert;
    const bool moved = !wasNew && (m_classChanged || students.asText("TURMA") != m_classAtEdit);
    // The history row goes first: saving the student re-reads its detail rows.
    if (historic().isEditing() && !historic().post())
        return false;
    if (!students.post())
        return false;
    m_newRecord = false;
    m_classChanged = false;
    if (wasNew) {
        const QString schoolClass = students.asText("TURMA");
        const GradeRowsOutcome outcome = addMissingGradeRows(database(), students.value("MATRICULA"));
        reloadGrades();
        reportGradeRows(outcome, gradeHasSubjects(schoolClass));
        ensureHistoryRow();
    } else if (moved) {
        core::inform(QStringLiteral("A Turma deste aluno foi alterada.\rO sistema irá compatibilizar a tabela de notas..."),
                     QStringLiteral("Aguarde"));
        reloadGrades();
        charges().refresh();
        students.refresh();
    }
    emit countChanged(recordCount());
    return true;
}

void StudentRegister::cancel()
{
    m_newRecord = false;
    m_classChanged = false;
    historic().cancel();
    alunos().cancel();
    studentChanged();
}

bool StudentRegister::remove()
{
    data::Table &students = alunos();
    if (students.state() == data::DatasetState::Insert) {
        cancel();
        return true;
    }
    if (students.isEmpty())
        return false;
    historic().cancel();
    const bool removed = students.remove();
    if (removed)
        studentChanged();
    emit countChanged(recordCount());
    return removed;
}

bool StudentRegister::move(Move move)
{
    data::Table &students = alunos();
    if (students.isEditing() && !post())
        return false;
    switch (move) {
    case Move::First:
        students.first();
        break;
    case Move::Prior:
        students.prior();
        break;
    case Move::Next:
        students.next();
        break;
    case Move::Last:
        students.last();
        break;
    }
    return true;
}

bool StudentRegister::moveTo(int position)
{
    data::Table &students = alunos();
    if (students.isEditing() && students.recNo() != position && !post())
        return false;
    students.moveTo(position);
    return true;
}

bool StudentRegister::gradeHasSubjects(const QString &schoolClass) const
{
    return database()
               .scalar(QStringLiteral("select count(*) from discturm where serie = :serie"),
                       {{QStringLiteral("serie"), schoolClass.left(3)}})
               .toInt() > 0;
}

bool StudentRegister::clearMarks()
{
    if (!students::clearMarks(database()))
        return false;
    alunos().refresh();
    if (m_view == ViewChoice::Marcados)
        setView(ViewChoice::Marcados);
    return true;
}

int StudentRegister::exportMarked()
{
    alunos().checkBrowseMode();
    return students::exportMarked(database(), QDir::currentPath());
}

} // namespace students
