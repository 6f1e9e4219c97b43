// teachers: the "&Professores" tab from a script: "&Gravar" for one teacher, one subject and
// some classes (each question answered by --yes, otherwise No), and the spreadsheet export.

#include "cli/DataPlace.h"
#include "cli/RowScript.h"
#include "cli/verbs/MessageLines.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/modules/TDataModule1.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Table.h"
#include "students/structure/StructureLists.h"
#include "students/structure/TeacherAssignments.h"

#include <QDir>

namespace {

QString requiredLine(const QStringList &lines, const QString &code, const QString &missing)
{
    const QString line = students::lineOfCode(lines, code);
    if (line.isEmpty())
        throw cli::Failure(missing.arg(code));
    return line;
}

int assign(const cli::Args &args, cli::Context &context)
{
    const QString dataDir = cli::dataPlace(args.positional(1, QStringLiteral("PASTA_DADOS")));
    const QString teacher = args.positional(2, QStringLiteral("MATRICULA"));
    const QString subject = args.positional(3, QStringLiteral("DISCIPLINA"));
    const QStringList classes = args.positionals().mid(4);
    if (classes.isEmpty())
        throw cli::Failure(QStringLiteral("informe ao menos uma TURMA"), 2);
    const bool yes = args.has(QStringLiteral("yes"));
    cli::RowScript script(args, context, dataDir, yes);
    const cli::MessageLines messages(context.out, yes);
    try {
        data::ScriptSession &session = script.open();
        const data::Database db = session.database();
        // The window offers only these lines: teachers, the catalogue, classes with grade rows.
        const QString teacherLine = requiredLine(students::teacherLines(db), teacher,
                                                 QStringLiteral("Não há professor com a matrícula %1."));
        const QString subjectLine = requiredLine(students::subjectLines(db), subject,
                                                 QStringLiteral("Disciplina %1 não existe no cadastro de disciplinas."));
        const QStringList withGrades = students::classesWithGradesLines(db);
        QStringList classLines;
        for (const QString &schoolClass : classes)
            classLines += requiredLine(withGrades, schoolClass, QStringLiteral("A turma %1 não existe ou ainda não tem notas."));
        data::Table &assignments = session.academic().tblDiscProf();
        assignments.open();
        students::assignTeacher(assignments, teacherLine, subjectLine, classLines, core::dialogs());
    } catch (const data::StoreError &e) {
        throw cli::Failure(QString(e.message()).replace(u'\r', u' '));
    }
    return messages.errorCount() > 0 ? 1 : 0;
}

// Reading needs no log-on, as the other listing verbs.
int exportAssignments(const cli::Args &args, cli::Context &context)
{
    const data::Database db = data::openSchoolYear(args.positional(1, QStringLiteral("PASTA_DADOS")));
    data::Database::defineName(QString::fromLatin1(data::kMainDatabaseName), db.directory());
    data::TDataModule1 academic;
    data::Table &assignments = academic.tblDiscProf();
    assignments.setReadOnly(true);
    assignments.open();
    const core::SemicolonTable table = students::assignmentsForExport(assignments);
    const QString path = QDir::current().filePath(QString::fromLatin1(students::kAssignmentsExportFile));
    QString error;
    if (!core::exportSemicolon(path, table, &error))
        throw cli::Failure(error);
    for (const QString &line : core::semicolonLines(table))
        context.out << line << '\n';
    context.err << "Exportado: " << QDir::toNativeSeparators(path) << '\n';
    return 0;
}

const cli::Verb verb{
    "teachers",
    "teachers assign PASTA_DADOS MATRICULA DISCIPLINA TURMA... [--yes] [--user U --password P] | "
    "teachers export PASTA_DADOS",
    "assign: professor x disciplina x turmas, como \"&Gravar\" em Tabelas > Professores (pergunta por turma; "
    "--yes responde Sim); export: grava Professores_Turma_Disciplinas.csv na pasta atual",
    [](const QStringList &arguments, cli::Context &context) {
        const cli::Args args(arguments, {QStringLiteral("yes")});
        const QString action = args.positional(0, QStringLiteral("assign|export"));
        if (action == u"assign") {
            args.allowOnly({QStringLiteral("yes"), QStringLiteral("user"), QStringLiteral("password")});
            return assign(args, context);
        }
        if (action == u"export") {
            args.allowOnly({});
            return exportAssignments(args, context);
        }
        throw cli::Failure(QStringLiteral("uso: teachers assign ... | teachers export PASTA_DADOS"), 2);
    }};

} // namespace
