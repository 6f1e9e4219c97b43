#pragma once

#include "reports/engine/Canvas.h"
#include "reports/sheets/AtaRows.h"

#include <QList>

// Pieces every sheet drawn on the minutes' grid shares (the minutes, the general sheet, the
// year analyses): which class the page is drawing, where a subject's column is, and the start
// of a student's row.
namespace reports {

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

// Draws the running number and the name that open the row of student `index`; returns the
// row's y.
Tenths drawStudentName(Canvas &canvas, int index, const QString &name);

} // namespace reports
