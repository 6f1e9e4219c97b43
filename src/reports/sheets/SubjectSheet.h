#pragma once

#include "reports/ReportRegistry.h"

// "Médias em cada Unidade (p/ Professor)": the teacher's sheet of one class and subject, one
// line per student with the absences and mark of each unit, the points, the averages and the
// final examination.
namespace reports {

struct SubjectSelection
{
    QString classCode;
    QString subject;
    bool skipLeavers = true;
};

// class, subject and keep-leavers.
QList<ReportParam> subjectParams();

// Throws ReportParamError when the class or the subject is missing.
SubjectSelection subjectSelection(const ReportValues &values);

// "---" when the four units add up to more than 100 (codes), else the sum with one decimal.
QString pointsText(const double (&units)[4]);

// Throws StoreError when the rows cannot be read.
Document subjectSheet(const data::Database &db, const SchoolInfo &school, const SubjectSelection &selection);

// "medias-unidade", menu "Médias em cada Unidade (p/ Professor)", asked again after each preview.
ReportEntry subjectEntry();

} // namespace reports
