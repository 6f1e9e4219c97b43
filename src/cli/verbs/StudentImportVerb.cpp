#include "cli/verbs/StudentImportVerb.h"

#include "cli/ConsoleReporter.h"
#include "cli/DataPlace.h"
#include "cli/RowScript.h"
#include "cli/verbs/MessageLines.h"
#include "students/import/StudentImport.h"

#include <QDir>

namespace cli {

namespace {

students::ImportChoices choicesOf(const Args &args)
{
    students::ImportChoices choices;
    choices.promote = !args.has(QStringLiteral("keep-classes"));
    choices.rules.migration = args.has(QStringLiteral("migrate"));
    choices.rules.alreadyAdapted = args.has(QStringLiteral("adapted"));
    if (choices.rules.migration && choices.rules.alreadyAdapted)
        throw Failure(QStringLiteral("--migrate e --adapted não podem ser usadas juntas"), 2);
    if (!choices.promote && (choices.rules.migration || choices.rules.alreadyAdapted))
        throw Failure(QStringLiteral("--migrate e --adapted valem só com a atualização das turmas"), 2);
    return choices;
}

} // namespace

int runStudentImport(Args &args, Context &context)
{
    args.allowOnly(kStudentImportFlags + QStringList{QStringLiteral("user"), QStringLiteral("password")});
    const int first = args.positionals().value(0) == u"import" ? 1 : 0;
    const QString dataDir = cli::dataPlace(args.positional(first, QStringLiteral("PASTA_DADOS")));
    const QString sourcePath = cli::dataPlace(args.positional(first + 1, QStringLiteral("ORIGEM")));
    const students::ImportChoices choices = choicesOf(args);

    RowScript script(args, context, dataDir, true);
    const MessageLines messages(context.out, true);
    try {
        const data::Database db = script.open().database();
        if (students::structureInUse(db)) {
            core::dialogs().show(students::importRefusal());
            return 1;
        }
        core::dialogs().show(students::importQuestion());
        std::unique_ptr<data::Dataset> source;
        try {
            source = students::openImportSource(db, sourcePath);
        } catch (const data::StoreError &) {
            core::dialogs().show(students::sourceRefusal());
            return 1;
        }
        ConsoleReporter reporter(context);
        students::importStudents(db, *source, choices, reporter);
        return reporter.exitStatus();
    } catch (const data::StoreError &e) {
        throw Failure(QString(e.message()).replace(u'\r', u' '));
    }
}

} // namespace cli
