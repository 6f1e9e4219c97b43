// students: the student register's commands without the window. Each prints, one per line,
// the texts the window would show in message boxes (questions are answered yes) and exits
// non-zero when an error was among them. Changes need the user's right to the register.

#include "cli/DataPlace.h"
#include "cli/RowScript.h"
#include "cli/verbs/MessageLines.h"
#include "cli/verbs/StudentImportVerb.h"
#include "core/Dialogs.h"
#include "core/Session.h"
#include "data/modules/TableRights.h"
#include "data/store/Query.h"
#include "students/Birthdays.h"
#include "students/IsolatedSubjects.h"
#include "students/SpecialList.h"

#include <QDir>

namespace {

void requireRegisterRight()
{
    if (!data::holdsRight(core::session(), data::TableRight::Alunos))
        throw cli::Failure(QStringLiteral("O usuário %1 não tem direito de alterar o cadastro de alunos.")
                               .arg(core::session().userName));
}

int isolated(const cli::Args &args, const data::Database &db)
{
    const QString number = args.positional(2, QStringLiteral("MATRICULA"));
    const QString schoolClass = args.value(QStringLiteral("class")).trimmed().toUpper();
    const QStringList subjects = args.positionals().mid(3);
    if (schoolClass.isEmpty())
        throw cli::Failure(QStringLiteral("informe a turma das disciplinas com --class TURMA"), 2);
    if (subjects.isEmpty())
        throw cli::Failure(QStringLiteral("informe ao menos uma disciplina"), 2);

    data::Query student(db);
    student.setSql(QStringLiteral("select MATRICULA, NOME, TURMA, ESP from ALUNOS where MATRICULA = :matricula"));
    student.bind(QStringLiteral("matricula"), number.toDouble());
    student.open();
    if (student.isEmpty())
        throw cli::Failure(QStringLiteral("Aluno não encontrado: %1").arg(number));
    const students::IsolatedStudent who{student.value("MATRICULA"), student.asText("NOME"), student.asText("TURMA"),
                                        student.value("ESP")};

    QString classLine;
    for (const QString &line : students::otherClassLines(db, who.turma))
        if (students::classOfLine(line) == schoolClass)
            classLine = line;
    if (classLine.isEmpty())
        throw cli::Failure(QStringLiteral("Turma %1 não encontrada entre as outras turmas do aluno.").arg(schoolClass));
    const QStringList grade = students::subjectLines(db, classLine);
    QStringList chosen;
    for (const QString &code : subjects) {
        QString found;
        for (const QString &line : grade)
            if (students::subjectOfLine(line) == code.trimmed())
                found = line;
        if (found.isEmpty())
            throw cli::Failure(QStringLiteral("A disciplina %1 não faz parte da série da turma %2.").arg(code, schoolClass));
        chosen += found;
    }
    students::addIsolatedSubjects(db, who, classLine, chosen);
    return 0;
}

const cli::Verb verb{
    "students",
    "students birthdays PASTA_DADOS | students marked PASTA_DADOS --export|--clear | "
    "students isolated PASTA_DADOS MATRICULA --class TURMA DISCIPLINA... | "
    "students import PASTA_DADOS ORIGEM [--keep-classes] [--migrate | --adapted] [--user U --password P]",
    "cadastro de alunos: atualiza dia e mês de aniversário, exporta ou limpa a relação especial "
    "(Relacao_Especial.csv na pasta atual), acrescenta disciplinas isoladas, importa o cadastro de "
    "outro ano (ORIGEM: a pasta do ano, seu Lumesco.db, um .dbf ou o endereço do ano no servidor)",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, QStringList{QStringLiteral("export"), QStringLiteral("clear")} + cli::kStudentImportFlags);
        if (args.positionals().value(0) == u"import")
            return cli::runStudentImport(args, context);
        args.allowOnly({QStringLiteral("export"), QStringLiteral("clear"), QStringLiteral("class"),
                        QStringLiteral("user"), QStringLiteral("password")});
        const QString action = args.positional(0, QStringLiteral("birthdays, marked, isolated ou import"));
        const QString dataDir = cli::dataPlace(args.positional(1, QStringLiteral("PASTA_DADOS")));
        const bool marked = action == u"marked";
        if (marked && args.has(QStringLiteral("export")) == args.has(QStringLiteral("clear")))
            throw cli::Failure(QStringLiteral("informe --export ou --clear"), 2);
        if (action != u"birthdays" && !marked && action != u"isolated")
            throw cli::Failure(QStringLiteral("ação desconhecida: %1").arg(action), 2);
        if (action != u"isolated" && args.positionals().size() > 2)
            throw cli::Failure(QStringLiteral("argumento a mais: %1").arg(args.positionals().at(2)), 2);

        cli::RowScript script(args, context, dataDir, true);
        const cli::MessageLines messages(context.out, true);
        try {
            data::ScriptSession &session = script.open();
            const data::Database db = session.database();
            if (action == u"birthdays") {
                requireRegisterRight();
                students::runBirthdayCommand(db);
            } else if (marked && args.has(QStringLiteral("export"))) {
                students::exportMarked(db, QDir::currentPath());
            } else if (marked) {
                requireRegisterRight();
                students::clearMarks(db);
            } else {
                requireRegisterRight();
                isolated(args, db);
            }
        } catch (const data::StoreError &e) {
            throw cli::Failure(QString(e.message()).replace(u'\r', u' '));
        }
        return messages.errorCount() > 0 ? 1 : 0;
    }};

} // namespace
