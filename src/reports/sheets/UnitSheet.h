#pragma once

#include "reports/ReportRegistry.h"

// "Todas as Notas da Unidade (p/ Professor)": every partial mark of one unit of a class, subject
// by subject (a page each), one line per active student.
namespace reports {

// "Esta operação só pode ser realizada\rpara uma das 4 unidades do período.\rTente novamente."
QString unitSheetRefusal();

// class and unit (1..4; the year's choices are refused).
QList<ReportParam> unitSheetParams();

// Throws StoreError when the rows cannot be read.
Document unitSheet(const data::Database &db, const SchoolInfo &school, const QString &classCode, int unit);

// "notas-unidade", menu "Todas as Notas da Unidade (p/ Professor)", asked again after each preview.
// Throws ReportParamError without a class or with a unit other than the four.
ReportEntry unitSheetEntry();

} // namespace reports
