#include "reports/sheets/AtaGrid.h"

#include "reports/sheets/AtaSheet.h"

#include <algorithm>

namespace reports {

GridClass gridClass(AtaClass schoolClass, QList<AtaSubject> subjects, Tenths pageRight)
{
    const Tenths pitch = AtaGeometry::pitchFor(subjects.size(), pageRight);
    return {std::move(schoolClass), std::move(subjects), pitch};
}

RecordList gridRecords(const QList<GridClass> &classes)
{
    RecordList records({QStringLiteral("TURMA"), QStringLiteral("TURMA_DESC"), QStringLiteral("CLASS"),
                        QStringLiteral("STUDENT")});
    for (int c = 0; c < classes.size(); ++c) {
        const AtaClass &schoolClass = classes.at(c).schoolClass;
        for (int i = 0; i < schoolClass.students.size(); ++i)
            records.append({schoolClass.code, schoolClass.description, c, i});
    }
    return records;
}

qsizetype subjectColumn(const QList<AtaSubject> &subjects, const QString &code)
{
    const auto column = std::find_if(subjects.cbegin(), subjects.cend(),
                                     [&code](const AtaSubject &subject) { return subject.code == code; });
    return column == subjects.cend() ? -1 : column - subjects.cbegin();
}

Tenths resultColumnX(qsizetype subjects, Tenths pitch)
{
    return AtaGeometry::resultX + pitch * Tenths(subjects);
}

void drawGridHeadings(Canvas &canvas, const QList<AtaSubject> &subjects, Tenths pitch, const GridHeadingLines &lines)
{
    canvas.setFont(font(7, true));
    canvas.setColor(Qt::black);
    canvas.setAlign(Align::Left);
    canvas.text(AtaGeometry::nameX, lines.headings, QStringLiteral("Nome do Aluno"));
    // Narrowed columns keep as many characters as their width holds.
    const qsizetype headingLength = 10 * pitch / AtaGeometry::pitch;
    for (qsizetype k = 0; k < subjects.size(); ++k) {
        const AtaSubject &subject = subjects.at(k);
        const Tenths x = AtaGeometry::headingX + pitch * Tenths(k);
        canvas.text(x, lines.headings, subject.shortName.left(headingLength));
        if (subject.workload)
            canvas.text(x, lines.workloads, QString::number(*subject.workload));
    }
    const Tenths resultX = resultColumnX(subjects.size(), pitch);
    canvas.text(resultX, lines.headings, QStringLiteral("RESULTADO"));
    canvas.setPen(Qt::black, 3);
    canvas.line(AtaGeometry::numberRight - 60, lines.firstRow - 15, resultX + AtaGeometry::resultWidth,
                lines.firstRow - 15);
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

void drawRowResult(Canvas &canvas, qsizetype subjects, Tenths pitch, Tenths y, const QString &result)
{
    const Tenths resultX = resultColumnX(subjects, pitch);
    canvas.setFont(font(8));
    canvas.setColor(Qt::black);
    canvas.setAlign(Align::Left);
    canvas.text(resultX, y, result);
    canvas.setPen(QColor(0xb0, 0xb0, 0xb0), 1);
    canvas.line(AtaGeometry::numberRight - 60, y + AtaGeometry::rowPitch - 12, resultX + AtaGeometry::resultWidth,
                y + AtaGeometry::rowPitch - 12);
}

void addClassLine(Band &band, Tenths y)
{
    band.field(QStringLiteral("TURMA"), {0, y, 1800, 50})
        .withFont(font(10, true))
        .onPrint([](ElementLook &look, const PrintContext &context) {
            look.text = QStringLiteral("TURMA: ") + context.value(QStringLiteral("TURMA")).toString() +
                        QLatin1Char(' ') + context.value(QStringLiteral("TURMA_DESC")).toString();
        });
}

} // namespace reports
