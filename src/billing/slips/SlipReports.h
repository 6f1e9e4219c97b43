#pragma once

#include "billing/slips/BoletoChoices.h"
#include "reports/ReportRegistry.h"

// The own-model slips as a report of the registry ("boletos"), so the command line prints them
// as the program does, writing each slip number into its charge row.
namespace billing {

reports::ReportEntry slipReportEntry();

// The choices the report's answers stand for; the interest text defaults to the settings'
// daily interest. Throws ReportParamError on a student list that is not numbers or a class and
// a list given together.
BoletoChoices slipChoices(const reports::ReportValues &values, double dailyInterest);

} // namespace billing
