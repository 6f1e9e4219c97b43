#pragma once

#include "reports/engine/Canvas.h"
#include "reports/engine/DataSource.h"
#include "reports/sheets/AtaRows.h"

#include <QList>

// Pieces every sheet drawn on the minutes' grid shares (the minutes, the general sheet, the
// outcome lists, the year analyses): which class the page is drawing, where a subject's column
// is, the column headings, and the start and end of a student's row.
namespace reports {

// A class of a sheet on the grid with the columns of its grade, `pitch` apart.
struct GridClass
{
    AtaClass schoolClass;
    QList<AtaSubject> subjects;
    Tenths pitch = 0;
};

// `schoolClass` under the columns of `subjects`, narrowed where they would pass `pageRight`.
GridClass gridClass(AtaClass schoolClass, QList<AtaSubject> subjects, Tenths pageRight);

// The layout's records: one per student, with TURMA and TURMA_DESC for the page heading and the
// indexes CLASS and STUDENT the hooks draw from. A class per page group.
RecordList gridRecords(const QList<GridClass> &classes);

// The page group the canvas is drawing: the sheets keep its index in the "CLASS" value; null
// when there is none.
template <typename Group>
const Group *drawnGroup(const QList<Group> &groups, const Canvas &canvas)
{
    const QVariant index = canvas.value(QStringLiteral("CLASS"));
    if (!index.isValid() || index.toInt() >= groups.size())
        return nullptr;
    return &groups.at(index.toInt());
}

// The grid column of a subject, so that each mark goes under its own heading; -1 when the
// class's grade has no such subject.
qsizetype subjectColumn(const QList<AtaSubject> &subjects, const QString &code);

// Where "RESULTADO" and the result texts start after `subjects` columns `pitch` apart.
Tenths resultColumnX(qsizetype subjects, Tenths pitch);

// The lines of a sheet's column headings.
struct GridHeadingLines
{
    Tenths headings = 0;
    Tenths workloads = 0;
    Tenths firstRow = 0;
};

// "Nome do Aluno", each subject's short name (as many characters as its column holds) with its
// workload under it, "RESULTADO" after the last column, and the rule over the first row.
void drawGridHeadings(Canvas &canvas, const QList<AtaSubject> &subjects, Tenths pitch, const GridHeadingLines &lines);

// Draws the running number and the name that open the row of student `index`; returns the
// row's y.
Tenths drawStudentName(Canvas &canvas, int index, const QString &name);

// The result text that closes the row at `y`, and the light rule under the row.
void drawRowResult(Canvas &canvas, qsizetype subjects, Tenths pitch, Tenths y, const QString &result);

// "TURMA: " + the class code and description of the page, at `y` of the page heading.
void addClassLine(Band &band, Tenths y);

} // namespace reports
