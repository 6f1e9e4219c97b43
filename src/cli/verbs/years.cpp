// years: runs the start-up's file steps on the program directory (writing missing
// configuration files exactly as the program does) and lists the school years.

#include "app/ConfigFiles.h"
#include "app/Startup.h"
#include "cli/Verb.h"
#include "core/Clock.h"

namespace {

const cli::Verb verb{
    "years", "years",
    "grava os arquivos de configuração que faltam e lista os anos letivos (ano;caminho)",
    [](const QStringList &arguments, cli::Context &context) {
        cli::Args args(arguments, {});
        args.allowOnly({});
        core::ProgramDirs dirs;
        try {
            dirs = app::runStartupFileSteps(context.programDir, core::today());
        } catch (const app::StartupError &e) {
            throw cli::Failure(e.message());
        }
        for (const app::SchoolYear &year : app::readSchoolYears(app::configRedePath(dirs.program)))
            context.out << year.year << ';' << year.path << '\n';
        return 0;
    }};

} // namespace
