#include "reports/sheets/AnalysisCells.h"

#include "core/Formats.h"

namespace reports {

namespace {

QString number(double value)
{
    return core::formatNumber(value, QStringLiteral("0.0"));
}

} // namespace

AtaCell pointsCell(double points, const QString &kind, const AnalysisMarks &marks)
{
    const double s = oneDecimal(points);
    const int k = marks.units;
    const double needed = marks.marks.unit * k;
    AtaCell cell;
    cell.red = s < needed;
    if (s > 10.0 * k && s < 90.0 * k)
        cell.text = QStringLiteral("F");
    else if (s == 90.0 * k)
        cell.text = QStringLiteral("D");
    else if (kind == QLatin1String("C"))
        cell.text = s >= 9.0 * k ? QStringLiteral("A") : s >= needed ? QStringLiteral("B") : QStringLiteral("C");
    else
        cell.text = oneDecimal(s) == 0 ? QStringLiteral("--") : number(s);
    return cell;
}

AtaCell minimumMarkCell(double points, const AnalysisMarks &marks)
{
    const double average = oneDecimal(points) / marks.units;
    AtaCell cell;
    if (average >= marks.marks.unit)
        return cell;
    const int weights = marks.examWeight1 + marks.examWeight2;
    // Without a weight for the examination no mark of it changes the final average.
    if (marks.examWeight2 <= 0 || weights <= 0) {
        cell.text = QStringLiteral("---");
        return cell;
    }
    const double needed = (weights * marks.marks.final - marks.examWeight1 * average) / marks.examWeight2;
    if (needed == 0)
        return cell;
    if (marks.marks.final > needed * marks.examWeight2 / weights) {
        cell.text = number(needed);
        cell.red = needed > 0;
    } else {
        cell.text = QStringLiteral("---");
    }
    return cell;
}

} // namespace reports
