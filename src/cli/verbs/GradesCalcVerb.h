#pragma once

#include "cli/Verb.h"

namespace cli {

// The calculations of the `grades` verb, which hands its arguments over (subcommand, then the
// data directory; `--year` is a flag):
//   grades recalc DATA_DIR --unit N        the unit's rows saved again, then the year
//   grades recalc DATA_DIR --year          the year recalculation alone
//   grades consolidate DATA_DIR --units 1,2,...   the consolidated subjects, then the year
//   grades rank DATA_DIR                   the ranking table rebuilt
// The user needs the Notas right; the run's messages go to standard output one per line.
int runGradesCalc(Args &args, Context &context);

} // namespace cli
