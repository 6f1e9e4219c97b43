// classes: "&Salvar" of the classes tab from a script: subjects join the grade of a class (and so
// every class of that grade), stopping at the first one that cannot be saved.

#include "cli/DataPlace.h"
#include "cli/RowScript.h"
#include "cli/verbs/MessageLines.h"
#include "data/modules/TDataModule1.h"
#include "data/store/Table.h"
#include "students/structure/ClassSubjects.h"
#include "students/structure/StructureLists.h"

#include <QDir>

namespace {

int addSubjects(const cli::Args &args, cli::Context &context)
{
    const QString dataDir = cli::dataPlace(args.positional(1, QStringLiteral("PASTA_DADOS")));
    const QString schoolClass = args.positional(2, QStringLiteral("TURMA"));
    const QStringList codes = args.positionals().mid(3);
    if (codes.isEmpty())
        throw cli::Failure(QStringLiteral("informe ao menos uma DISCIPLINA"), 2);
    cli::RowScript script(args, context, dataDir, false);
    const cli::MessageLines messages(context.out, false);
    try {
        data::ScriptSession &session = script.open();
        const QStringList catalogue = students::subjectLines(session.database());
        QStringList lines;
        for (const QString &code : codes) {
            const QString line = students::lineOfCode(catalogue, code);
            if (line.isEmpty())
                throw cli::Failure(QStringLiteral("Disciplina %1 não existe no cadastro de disciplinas.").arg(code));
            lines += line;
        }
        data::Table &classes = session.academic().tblTabTurma();
        classes.open();
        if (!classes.locate(QStringLiteral("TURMA"), {schoolClass}))
            throw cli::Failure(QStringLiteral("Turma %1 não existe.").arg(schoolClass));
        data::Table &gradeSubjects = session.academic().tblDiscTurma();
        gradeSubjects.open();
        const students::GradeSubjectsSaved saved = students::appendGradeSubjects(gradeSubjects, lines);
        if (saved.stopped()) {
            core::showError(saved.message);
            return 1;
        }
    } catch (const data::StoreError &e) {
        throw cli::Failure(QString(e.message()).replace(u'\r', u' '));
    }
    return messages.errorCount() > 0 ? 1 : 0;
}

const cli::Verb verb{
    "classes", "classes subjects PASTA_DADOS TURMA DISCIPLINA... [--user U --password P]",
    "acrescenta as disciplinas (códigos) à série da turma, como \"&Salvar\" em Tabelas > Turmas",
    [](const QStringList &arguments, cli::Context &context) {
        const cli::Args args(arguments, {});
        args.allowOnly({QStringLiteral("user"), QStringLiteral("password")});
        if (args.positional(0, QStringLiteral("subjects")) != u"subjects")
            throw cli::Failure(QStringLiteral("uso: classes subjects PASTA_DADOS TURMA DISCIPLINA..."), 2);
        return addSubjects(args, context);
    }};

} // namespace
