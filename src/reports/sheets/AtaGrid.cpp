#include "reports/sheets/AtaGrid.h"

#include "reports/sheets/AtaSheet.h"

#include <algorithm>

namespace reports {

qsizetype subjectColumn(const QList<AtaSubject> &subjects, const QString &code)
{
    const auto column = std::find_if(subjects.cbegin(), subjects.cend(),
                                     [&code](const AtaSubject &subject) { return subject.code == code; });
    return column == subjects.cend() ? -1 : column - subjects.cbegin();
}

Tenths drawStudentName(Canvas &canvas, int index, const QString &name)
{
    const Tenths y = canvas.cursorY() - AtaGeometry::rowPitch;
    canvas.setFont(font(8));
    canvas.setColor(Qt::black);
    canvas.setAlign(Align::Right);
    canvas.text(AtaGeometry::numberRight, y, QString::number(index + 1) + QLatin1Char('.'));
    canvas.setAlign(Align::Left);
    canvas.text(AtaGeometry::nameX, y, name);
    return y;
}

} // namespace reports
