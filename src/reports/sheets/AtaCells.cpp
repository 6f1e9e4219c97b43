#include "reports/sheets/AtaCells.h"

#include "core/Formats.h"

#include <cmath>

namespace reports {

namespace {

QString number(double value)
{
    return core::formatNumber(value, QStringLiteral("0.0"));
}

QString conceptLetter(double value, double unitPassMark)
{
    if (value >= 9)
        return QStringLiteral("A");
    return value >= unitPassMark ? QStringLiteral("B") : QStringLiteral("C");
}

} // namespace

double oneDecimal(double value)
{
    return std::round(value * 10) / 10;
}

AtaCell printedCell(double value, const QString &kind, double passMark, const AtaMarks &marks)
{
    const double v = oneDecimal(value);
    AtaCell cell;
    if (v < passMark && v > 0) {
        cell.red = true;
        cell.failed = kind == QLatin1String("N");
    }
    if (v > 10 && v < 90)
        cell.text = QStringLiteral("F");
    else if (v == 90)
        cell.text = QStringLiteral("D");
    else if (v == 0)
        cell.text = QStringLiteral("--");
    else if (kind == QLatin1String("C"))
        cell.text = conceptLetter(v, marks.unit);
    else
        cell.text = number(v);
    return cell;
}

AtaCell exportedCell(double value, const QString &kind, const AtaMarks &marks)
{
    const double v = oneDecimal(value);
    AtaCell cell{number(v)};
    if (!(v > 0 && v < marks.final))
        return cell;
    // The codes (above 10) never fall below a pass mark, so only the kind decides here.
    if (kind == QLatin1String("N"))
        cell.failed = true;
    else if (kind == QLatin1String("C"))
        cell.text = conceptLetter(v, marks.unit);
    return cell;
}

QString resultText(int failedSubjects, int dependencyLimit, const AtaResultTexts &texts)
{
    if (failedSubjects == 0)
        return texts.approved;
    return failedSubjects > dependencyLimit ? texts.failed : texts.progression;
}

QString leaverResult(const QString &situation, const QDate &situationDate)
{
    if (situation == QLatin1String("T"))
        return QStringLiteral("TRANSF - ") + core::formatDate(situationDate);
    if (situation == QLatin1String("D"))
        return QStringLiteral("DESISTENTE - ") + core::formatDate(situationDate);
    return {};
}

} // namespace reports
