#include "app/ProgramReports.h"

#include "reports/TableListings.h"

namespace app {

const reports::ReportRegistry &programReports()
{
    static const reports::ReportRegistry registry = [] {
        reports::ReportRegistry r;
        r.add(reports::tableListingReports());
        return r;
    }();
    return registry;
}

} // namespace app
