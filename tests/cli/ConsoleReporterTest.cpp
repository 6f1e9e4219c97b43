#include "cli/ConsoleReporter.h"

#include <gtest/gtest.h>

using cli::ConsoleReporter;

namespace {

struct Console
{
    QString out;
    QString err;
    QTextStream outStream{&out};
    QTextStream errStream{&err};
};

} // namespace

TEST(ConsoleReporter, MessagesAreLinesOfStandardOutputAndProgressStaysOffAPipe)
{
    Console console;
    ConsoleReporter reporter(console.outStream, console.errStream, false);
    reporter.begin(QStringLiteral("Importando alunos"), 3, true);
    reporter.step(1, QStringLiteral("Lendo: 1 de 3"));
    reporter.note(core::Severity::Error, QStringLiteral("tblAlunosAfterPost(1)\rErro ao executar: update"),
                  QStringLiteral("Erro"));
    reporter.note(core::Severity::Info, QStringLiteral("Processo concluído."), QString());
    reporter.finish(core::RunOutcome::Completed);
    EXPECT_EQ(console.out, QStringLiteral("tblAlunosAfterPost(1) Erro ao executar: update\nProcesso concluído.\n"));
    EXPECT_TRUE(console.err.isEmpty());
    EXPECT_FALSE(reporter.cancelled());
}

TEST(ConsoleReporter, OnATerminalTheProgressLineIsDrawnAndClearedAroundMessages)
{
    Console console;
    {
        ConsoleReporter reporter(console.outStream, console.errStream, true);
        reporter.begin(QStringLiteral("Gerando"), 4, false);
        EXPECT_TRUE(console.err.contains(QStringLiteral("\rGerando   0%"))) << console.err.toStdString();
        reporter.note(core::Severity::Warning, QStringLiteral("Aviso"), QString());
        reporter.step(2, QStringLiteral("Lendo: 2 de 4")); // drawn again at once after a message
        EXPECT_TRUE(console.err.endsWith(QStringLiteral("\rGerando  50%  Lendo: 2 de 4"))) << console.err.toStdString();
        reporter.finish(core::RunOutcome::Completed);
    }
    // The line is wiped before the message and at the end: nothing stays on the terminal.
    EXPECT_TRUE(console.err.endsWith(u'\r'));
    EXPECT_EQ(console.out, QStringLiteral("Aviso\n"));
}

TEST(ConsoleReporter, TheExitStatusFollowsTheOutcome)
{
    auto statusOf = [](core::RunOutcome outcome, bool errorNote) {
        Console console;
        ConsoleReporter reporter(console.outStream, console.errStream, false);
        if (errorNote)
            reporter.note(core::Severity::Error, QStringLiteral("x"), QString());
        reporter.note(core::Severity::Warning, QStringLiteral("y"), QString());
        reporter.finish(outcome);
        return reporter.exitStatus();
    };
    EXPECT_EQ(statusOf(core::RunOutcome::Completed, false), 0);
    EXPECT_EQ(statusOf(core::RunOutcome::Completed, true), ConsoleReporter::kRowsSkipped);
    EXPECT_EQ(statusOf(core::RunOutcome::Failed, true), ConsoleReporter::kStopped);
    EXPECT_EQ(statusOf(core::RunOutcome::Cancelled, false), ConsoleReporter::kStopped);
    Console idle; // the verb needed no run
    EXPECT_EQ(ConsoleReporter(idle.outStream, idle.errStream, false).exitStatus(), 0);
}
