// round: the school's rounding of one average.

#include "cli/Verb.h"
#include "core/Formats.h"
#include "data/settings/Rounding.h"

namespace {

const cli::Verb verb{"round", "round MODO VALOR",
                     "arredondamento das médias (modo 0, 1 ou 2) de um valor com vírgula decimal",
                     [](const QStringList &arguments, cli::Context &context) {
                         cli::Args args(arguments, {});
                         args.allowOnly({});
                         bool ok = false;
                         const int mode = args.positional(0, "MODO").toInt(&ok);
                         if (!ok || mode < 0 || mode > 2)
                             throw cli::Failure(QStringLiteral("MODO deve ser 0, 1 ou 2"), 2);
                         const QString text = args.positional(1, "VALOR");
                         const std::optional<double> value = core::parseNumber(text);
                         if (!value)
                             throw cli::Failure(QStringLiteral("valor inválido: %1").arg(text), 2);
                         context.out << core::formatPlain(data::schoolRound(*value, mode)) << '\n';
                         return 0;
                     }};

} // namespace
