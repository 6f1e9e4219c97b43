#include "reports/MarkCell.h"

#include "core/Formats.h"

namespace reports {

namespace {

constexpr double kExemption = 90;

QString conceptLetter(double value, double unitPassMark)
{
    if (value >= 9)
        return QStringLiteral("A");
    return value >= unitPassMark ? QStringLiteral("B") : QStringLiteral("C");
}

bool isCode(double value)
{
    return value > 10;
}

} // namespace

double passMarkFor(MarkColumn column, const PassMarks &passMarks)
{
    switch (column) {
    case MarkColumn::FinalAverage:
    case MarkColumn::RecoveryAverage:
        return passMarks.final;
    default:
        return passMarks.unit;
    }
}

MarkCell markCell(const MarkCellInput &input)
{
    MarkCell cell;
    if (!input.value)
        return cell;
    // The rule reads the printed text back, so a stored 6,96 prints "7,0" and passes at 7.
    const QString shown = core::formatNumber(*input.value, QStringLiteral("0.0"));
    const double value = core::parseNumber(shown).value_or(*input.value);
    const double passMark = passMarkFor(input.column, input.passMarks);

    cell.belowPass = value < passMark;
    if (cell.belowPass) {
        cell.italic = true;
        cell.color = Qt::red;
        cell.text = QStringLiteral("* ") + shown + QStringLiteral(" *");
    } else {
        cell.bold = true;
        cell.text = shown;
    }
    if (value == kExemption)
        cell.text = QStringLiteral("D");
    else if (isCode(value))
        cell.text = QStringLiteral("F");
    else if (input.subjectType == u"C")
        cell.text = conceptLetter(value, input.passMarks.unit);

    const bool zero = value == 0;
    switch (input.column) {
    case MarkColumn::Unit:
        if (zero)
            cell.text = QStringLiteral("0,0");
        cell.setsUnitFlag = cell.belowPass;
        break;
    case MarkColumn::FinalExam:
        if (zero)
            cell.text = QStringLiteral("--");
        break;
    case MarkColumn::FinalAverage:
        if (cell.belowPass && input.finalExam.value_or(0) == 0)
            cell.text = QStringLiteral("--");
        break;
    case MarkColumn::RecoveryAverage:
        if (cell.belowPass && input.recovery.value_or(0) == 0)
            cell.text = QStringLiteral("--");
        break;
    case MarkColumn::AnnualAverage:
    case MarkColumn::Recovery:
    case MarkColumn::Plain:
        break;
    }
    const bool averageColumn = input.column == MarkColumn::FinalAverage ||
                               input.column == MarkColumn::RecoveryAverage;
    cell.countsFailed = averageColumn && cell.belowPass && input.subjectType == u"N";
    return cell;
}

} // namespace reports
