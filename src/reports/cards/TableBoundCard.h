#pragma once

#include "reports/ReportRegistry.h"
#include "reports/SchoolHeader.h"
#include "reports/engine/Document.h"

#include <array>
#include <optional>

// "Boletim Geral ": the older card read straight from the year's marks, which works out its
// averages itself: one page per student, the four unit marks, the absences, the annual
// average, the final exam, the final average and the unit marks' total.
namespace reports {

struct TableCardRequest
{
    QString classCode;             // one class...
    std::optional<qint64> student; // ...or one student
};

// R1 of a quarter of the four unit marks (an empty mark counts 0).
double tableCardAnnualAverage(const std::array<double, 4> &units);
// The annual average, or the mean of it and the final exam when it is below the unit pass mark.
double tableCardFinalAverage(double annualAverage, double finalExam, double unitPassMark);
// The sum of the unit marks with one decimal; "---" above 100 (absence codes summed in).
QString tableCardTotalPoints(const std::array<double, 4> &units);

// Throws ReportParamError without a class or a student, StoreError when a table cannot be read.
Document tableBoundCard(const data::Database &db, const SchoolInfo &school, const TableCardRequest &request);

// "boletim-geral": class or student; its menu entry stays hidden.
ReportEntry tableBoundCardEntry();

} // namespace reports
