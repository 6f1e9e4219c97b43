// grades: the grade tables without the windows — generation, repair of one student, roll
// numbers, import of unit marks, the grade-entry board, and the calculations (recalc,
// consolidate, rank). Messages go to standard output one per line; a stop exits non-zero.
// Changes need the Notas right.

#include "cli/DataPlace.h"
#include "cli/ConsoleReporter.h"
#include "cli/RowScript.h"
#include "cli/verbs/GradesCalcVerb.h"
#include "core/Session.h"
#include "data/settings/Settings.h"
#include "data/store/ExternalTable.h"
#include "grades/GradeBoard.h"
#include "grades/GradeRepair.h"
#include "grades/GradeRows.h"
#include "grades/RollNumbers.h"
#include "grades/TablesInUse.h"
#include "grades/UnitMarksImport.h"
#include "grades/UnitRowSave.h"

#include <QDir>

namespace {

const QStringList kCredentials{QStringLiteral("user"), QStringLiteral("password")};

void requireGradesRight()
{
    if (!core::session().rights.notas)
        throw cli::Failure(QStringLiteral("O usuário %1 não tem o direito de alterar Notas.").arg(core::session().userName));
}

int unitOption(const cli::Args &args, bool required)
{
    if (!required && !args.has(QStringLiteral("unit")))
        return 0;
    bool ok = false;
    const int unit = args.value(QStringLiteral("unit")).trimmed().toInt(&ok);
    if (!ok || unit < 1 || unit > 4)
        throw cli::Failure(QStringLiteral("--unit: informe uma unidade de 1 a 4"), 2);
    return unit;
}

// A verb that changes the grade tables: the user's right, and no other workstation using them.
template<typename Work>
int changeRun(const cli::Args &args, cli::Context &context, const char *refusal, Work work)
{
    const QString dataDir = cli::dataPlace(args.positional(1, QStringLiteral("PASTA_DADOS")));
    cli::RowScript script(args, context, dataDir, true);
    try {
        data::ScriptSession &session = script.open();
        requireGradesRight();
        if (grades::gradeTablesInUse(session.academic(), false)) {
            context.out << cli::oneLine(QString::fromUtf8(refusal)) << '\n';
            return cli::ConsoleReporter::kStopped;
        }
        return work(session);
    } catch (const data::StoreError &e) {
        throw cli::Failure(cli::oneLine(e.message()));
    }
}

int generate(cli::Args &args, cli::Context &context)
{
    args.allowOnly(QStringList{QStringLiteral("replace")} + kCredentials);
    return changeRun(args, context, grades::kTablesInUseMessage, [&](data::ScriptSession &session) {
        cli::ConsoleReporter reporter(context);
        grades::generateGradeRows(session.database(), args.has(QStringLiteral("replace")), reporter);
        return reporter.exitStatus();
    });
}

int repair(cli::Args &args, cli::Context &context)
{
    args.allowOnly(QStringList{QStringLiteral("redo")} + kCredentials);
    const double matricula = args.positional(2, QStringLiteral("MATRICULA")).toDouble();
    return changeRun(args, context, grades::kTablesInUseMessage, [&](data::ScriptSession &session) {
        const grades::RepairResult result = grades::repairGradeRows(
            session.database(), matricula,
            args.has(QStringLiteral("redo")) ? grades::RepairMode::Redo : grades::RepairMode::AddMissing);
        for (const QString &line : result.log + result.errors)
            context.out << cli::oneLine(line) << '\n';
        return result.stopped ? cli::ConsoleReporter::kStopped : cli::ConsoleReporter::kCompleted;
    });
}

int order(cli::Args &args, cli::Context &context)
{
    args.allowOnly(kCredentials);
    return changeRun(args, context, grades::kTablesInUseMessage, [&](data::ScriptSession &session) {
        cli::ConsoleReporter reporter(context);
        grades::createRollNumbers(session.database(), reporter);
        return reporter.exitStatus();
    });
}

int importMarks(cli::Args &args, cli::Context &context)
{
    args.allowOnly(QStringList{QStringLiteral("unit")} + kCredentials);
    const QString file = QDir().absoluteFilePath(args.positional(2, QStringLiteral("ARQUIVO")));
    const int unit = unitOption(args, true);
    return changeRun(args, context, grades::kImportRefusal, [&](data::ScriptSession &session) {
        std::unique_ptr<data::Dataset> source;
        try {
            source = data::openExternalTable(file, QStringLiteral("NotasUni%1").arg(unit));
        } catch (const data::StoreError &) {
            context.out << cli::oneLine(QString::fromUtf8(grades::kImportOpenError)) << '\n';
            return cli::ConsoleReporter::kStopped;
        }
        if (const QStringList missing = grades::missingKeyFields(*source); !missing.isEmpty()) {
            context.out << cli::oneLine(QString::fromUtf8(grades::kImportOpenError)) << '\n'
                        << QStringLiteral("Campos ausentes: ") << missing.join(QStringLiteral(", ")) << '\n';
            return cli::ConsoleReporter::kStopped;
        }
        cli::ConsoleReporter reporter(context);
        grades::importUnitMarks(session.database(), *source, unit, reporter);
        return reporter.exitStatus();
    });
}

int board(cli::Args &args, cli::Context &context)
{
    args.allowOnly(QStringList{QStringLiteral("class"), QStringLiteral("subject"), QStringLiteral("unit"),
                               QStringLiteral("recovery")} +
                   kCredentials);
    const QString dataDir = cli::dataPlace(args.positional(1, QStringLiteral("PASTA_DADOS")));
    grades::BoardChoice choice;
    choice.turma = args.value(QStringLiteral("class")).trimmed().toUpper();
    choice.disc = args.value(QStringLiteral("subject")).trimmed().toUpper();
    choice.unit = unitOption(args, false);
    choice.recovery = args.has(QStringLiteral("recovery"));
    if (choice.turma.isEmpty() || choice.disc.isEmpty())
        throw cli::Failure(QStringLiteral("informe --class TURMA e --subject DISCIPLINA"), 2);
    cli::RowScript script(args, context, dataDir, false);
    try {
        data::ScriptSession &session = script.open();
        grades::installAverages(session.academic());
        data::Dataset &rows = grades::openBoard(session.academic(), choice, false);
        // As on screen: only an empty board of every student is worth a message.
        if (rows.isEmpty() && !choice.recovery) {
            context.out << cli::oneLine(QString::fromUtf8(grades::kNoBoardRowsMessage)) << '\n';
            return cli::ConsoleReporter::kStopped;
        }
        for (const QString &line : grades::boardLines(rows, choice.unit, data::settings()))
            context.out << line << '\n';
    } catch (const data::StoreError &e) {
        throw cli::Failure(cli::oneLine(e.message()));
    }
    return cli::ConsoleReporter::kCompleted;
}

const cli::Verb verb{
    "grades",
    "grades generate PASTA_DADOS [--replace] | grades repair PASTA_DADOS MATRICULA [--redo] | "
    "grades order PASTA_DADOS | grades import PASTA_DADOS ARQUIVO --unit N | "
    "grades board PASTA_DADOS --class TURMA --subject DISCIPLINA [--unit N] [--recovery] | "
    "grades recalc PASTA_DADOS --unit N|--year | grades consolidate PASTA_DADOS --units 1,2,... | "
    "grades rank PASTA_DADOS  [--user U --password P]",
    "tabelas de notas: gera os registros, corrige os de um aluno, cria o nº de ordem, importa notas de uma "
    "unidade, mostra o quadro de notas de turma e disciplina, recalcula médias, consolidadas e colocação",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {QStringLiteral("year"), QStringLiteral("replace"), QStringLiteral("redo"),
                                   QStringLiteral("recovery")});
        const QString what = args.positional(0, QStringLiteral("generate|repair|order|import|board|recalc|consolidate|rank"));
        if (what == u"generate")
            return generate(args, context);
        if (what == u"repair")
            return repair(args, context);
        if (what == u"order")
            return order(args, context);
        if (what == u"import")
            return importMarks(args, context);
        if (what == u"board")
            return board(args, context);
        if (what == u"recalc" || what == u"consolidate" || what == u"rank")
            return cli::runGradesCalc(args, context);
        throw cli::Failure(QStringLiteral("use generate, repair, order, import, board, recalc, consolidate ou rank"), 2);
    }};

} // namespace
