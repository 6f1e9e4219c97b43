// lumesco-cli: the program's work without windows, for scripts, tests and support.

#include "cli/Verb.h"
#include "core/ApplicationTitle.h"
#include "core/Diagnostics.h"
#include "core/ProgramFolder.h"

#include <QGuiApplication>
#include <QDir>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Outside a desktop session (cron, ssh, a service) Qt warns on every run that it has no runtime
// folder; give it a private one so scripts read only what the verb prints.
void providePrivateRuntimeDir()
{
#ifdef Q_OS_UNIX
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray dir = QDir::tempPath().toLocal8Bit() + "/runtime-lumesco-" + QByteArray::number(getuid());
    if (mkdir(dir.constData(), 0700) == 0 || errno == EEXIST) {
        struct stat info;
        if (stat(dir.constData(), &info) == 0 && info.st_uid == getuid() && (info.st_mode & 077) == 0)
            qputenv("XDG_RUNTIME_DIR", dir);
    }
#endif
}

void printHelp(QTextStream &out)
{
    out << "Uso: lumesco-cli [--program-dir DIR] VERBO [argumentos]\n"
           "     lumesco-cli --help | --version\n\n"
           "Verbos:\n";
    for (const cli::Verb *verb : cli::verbs())
        out << "  " << verb->usage << "\n      " << verb->summary << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts (reports written as PDF) need a GUI application; no window is ever shown, so the
    // offscreen platform serves when nobody chose one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    providePrivateRuntimeDir();
    QGuiApplication app(argc, argv);
    core::installDiagnosticLog();
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList args = app.arguments().mid(1);
    QString programDir;
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        if (option == u"--help" || option == u"-h") {
            printHelp(out);
            return 0;
        }
        if (option == u"--version") {
            out << core::kApplicationTitle << '\n';
            return 0;
        }
        if (option == u"--program-dir" && !args.isEmpty()) {
            programDir = args.takeFirst();
            continue;
        }
        if (option.startsWith(QStringLiteral("--program-dir="))) {
            programDir = option.mid(14);
            continue;
        }
        err << "opção desconhecida: " << option << '\n';
        return 2;
    }
    // Installed by a package, the program directory is the user's folder (or the school's shared
    // one), filled from the package's defaults; from a build tree it is the working directory.
    QString folderError;
    programDir = core::resolveProgramDirectory(QCoreApplication::applicationDirPath(), programDir,
                                               &folderError);
    if (!folderError.isEmpty()) {
        err << folderError << '\n';
        return 1;
    }
    if (args.isEmpty()) {
        printHelp(err);
        return 2;
    }
    const QString name = args.takeFirst();
    const cli::Verb *verb = cli::findVerb(name);
    if (!verb) {
        err << "verbo desconhecido: " << name << " (veja lumesco-cli --help)\n";
        return 2;
    }
    cli::Context context{programDir, out, err};
    try {
        const int status = verb->run(args, context);
        out.flush();
        return status;
    } catch (const cli::Failure &failure) {
        out.flush();
        err << failure.message() << '\n';
        return failure.exitCode();
    } catch (const std::exception &e) {
        out.flush();
        err << "erro: " << QString::fromUtf8(e.what()) << '\n';
        return 1;
    }
}
