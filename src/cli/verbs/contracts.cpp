// contracts: the students' contracts in one RTF file, as "Emissão de Contratos" writes them.

#include "billing/contracts/ContractGeneration.h"
#include "cli/Verb.h"
#include "core/Clock.h"
#include "core/Formats.h"
#include "data/maintenance/SchoolYearSetup.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Database.h"

#include <QDir>
#include <QFileInfo>

namespace {

using cli::Failure;

billing::ContractSelection selection(const cli::Args &args)
{
    billing::ContractSelection chosen;
    const bool byClass = args.has(QStringLiteral("class"));
    const bool byStudent = args.has(QStringLiteral("student"));
    if (byClass && byStudent)
        throw Failure(QStringLiteral("use --class ou --student, não os dois"), 2);
    if (byClass) {
        chosen.kind = billing::ContractSelection::Kind::Class;
        chosen.classCode = args.value(QStringLiteral("class")).trimmed().toUpper();
    } else if (byStudent) {
        chosen.kind = billing::ContractSelection::Kind::Students;
        for (const QString &text : args.values(QStringLiteral("student"))) {
            const std::optional<qint64> number = core::parseInteger(text);
            if (!number)
                throw Failure(QStringLiteral("--student espera um número de matrícula: %1").arg(text), 2);
            chosen.numbers << *number;
        }
    }
    return chosen;
}

const cli::Verb verb{
    "contracts", "contracts PASTA_DADOS [--class TURMA | --student N...] [--model ARQUIVO.rtf]",
    "gera os contratos dos alunos (todos, de uma turma ou por matrícula) num arquivo RTF e mostra o "
    "caminho; o modelo padrão é Contrato.rtf na pasta do programa",
    [](const QStringList &arguments, cli::Context &context) {
        const cli::Args args(arguments, {});
        args.allowOnly({QStringLiteral("class"), QStringLiteral("student"), QStringLiteral("model")});
        const billing::ContractSelection chosen = selection(args);
        const data::Database db = data::openSchoolYear(args.positional(0, QStringLiteral("PASTA_DADOS")));
        data::Settings settings;
        data::loadSettings(db, settings);

        billing::ContractRun run;
        run.modelPath = args.has(QStringLiteral("model"))
                            ? QFileInfo(args.value(QStringLiteral("model"))).absoluteFilePath()
                            : billing::defaultContractModel(context.programDir);
        run.students = billing::selectContractStudents(db, chosen);
        if (run.students.isEmpty())
            throw Failure(billing::kNoContractStudentsMessage);
        run.outputPath = billing::contractOutputPath(run.modelPath, run.students.first().classDescription);
        run.today = core::today();
        switch (billing::generateContracts(run, settings)) {
        case billing::ContractOutcome::UnreadableModel:
            throw Failure(cli::oneLine(billing::unreadableModelMessage(run.modelPath)));
        case billing::ContractOutcome::CannotCreate:
            throw Failure(cli::oneLine(billing::kContractFileErrorMessage));
        case billing::ContractOutcome::Written:
            break;
        }
        context.out << QDir::toNativeSeparators(run.outputPath) << '\n';
        context.err << run.students.size() << (run.students.size() == 1 ? " contrato" : " contratos") << '\n';
        return 0;
    }};

} // namespace
