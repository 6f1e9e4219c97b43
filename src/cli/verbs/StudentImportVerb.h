#pragma once

#include "cli/Verb.h"

// "students import PASTA_DADOS ORIGEM [--keep-classes] [--migrate | --adapted]": the register
// import from a script, dispatched to by the `students` verb. Every question is answered Yes;
// --keep-classes is "Não atualizar as turmas", --migrate and --adapted the two boxes. The user
// of --user/--password (or LUMESCO_USER/LUMESCO_PASSWORD) needs the Alunos right.
namespace cli {

// The flags of the import: the `students` verb builds its Args with these among its flag names.
inline const QStringList kStudentImportFlags{QStringLiteral("keep-classes"), QStringLiteral("migrate"),
                                             QStringLiteral("adapted")};

// `args` holds the positionals "import", PASTA_DADOS, ORIGEM (the leading "import" may be left
// out). Prints the messages one per line; the exit status is the run's (ConsoleReporter): 0
// complete, 1 stopped (nothing changed), 3 complete with rows or fields that failed.
int runStudentImport(Args &args, Context &context);

} // namespace cli
