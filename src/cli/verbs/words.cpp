// words: an amount in words, as the contracts write the fees.

#include "cli/Verb.h"
#include "core/AmountInWords.h"

namespace {

const cli::Verb verb{"words", "words VALOR",
                     "valor por extenso em reais e centavos (vírgula decimal, até 999.999.999,99)",
                     [](const QStringList &arguments, cli::Context &context) {
                         cli::Args args(arguments, {});
                         args.allowOnly({});
                         const QString words = core::amountInWords(args.positional(0, "VALOR"));
                         context.out << words << '\n';
                         return words == QString::fromUtf16(core::kInvalidAmountWords) ? 1 : 0;
                     }};

} // namespace
