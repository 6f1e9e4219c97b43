#include "reports/cards/CardRules.h"

#include "core/Formats.h"
#include "data/settings/Settings.h"

#include <cmath>

namespace reports {

namespace {

// Joins the situation text to a result; either may be empty.
QString withLeaver(const QString &result, const CardStudent &student)
{
    const QString leaver = leaverText(student);
    if (leaver.isEmpty())
        return result;
    return result.isEmpty() ? leaver : result + u' ' + leaver;
}

std::optional<double> number(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    bool ok = false;
    const double n = value.toDouble(&ok);
    return ok ? std::optional<double>(n) : std::nullopt;
}

} // namespace

CardRules CardRules::fromSettings(const data::Settings &settings)
{
    CardRules rules;
    rules.passMarks = {settings.unitPassMark, settings.finalPassMark};
    rules.dependencyLimit = settings.Limite_Dep;
    rules.assessedUnits = settings.Unid_Aval;
    rules.termUnit = settings.Termo_Unidade;
    rules.termRecovery = settings.Termo_Recup;
    return rules;
}

QString unitCaption(const QString &termUnit, int unit)
{
    return termUnit.left(4) + u' ' + QString::number(unit);
}

QString subjectText(const QString &description, const QString &rowClass, const QString &ownClass,
                    bool consolidated)
{
    QString text = description;
    if (rowClass != ownClass)
        text += QStringLiteral("(Dep.)");
    if (consolidated)
        text += QStringLiteral(" **");
    return text;
}

QString positionText(const QVariant &position, int unit, bool hasMark, const CardOptions &options,
                     bool needsOption)
{
    const std::optional<double> place = number(position);
    if (!place || *place > options.positionLimit)
        return {};
    if (needsOption && !options.positions)
        return {};
    if (unit == kAnnualUnit) {
        if (options.currentUnit != kAnnualUnit || options.result == CardResult::None)
            return {};
    } else if (!hasMark || options.currentUnit < unit) {
        return {};
    }
    return QString::number(qRound(*place)) + QStringLiteral("º Lugar");
}

QString generalAverageText(const QVariant &points, const CardOptions &options)
{
    const std::optional<double> value = number(points);
    if (!options.positions || !value || *value == 0)
        return {};
    return core::formatNumber(std::abs(*value), QStringLiteral("#,##0.0"));
}

QString finalResultText(int failedSubjects, const CardStudent &student, int dependencyLimit)
{
    QString text;
    if (failedSubjects == 0)
        text = QStringLiteral("Resultado Final: APROVAD");
    else if (student.classCode.left(3) != u"1G9" && failedSubjects <= dependencyLimit)
        text = QStringLiteral("Resultado Final: (PROGRESSÃO PARCIAL) APROVAD");
    else
        text = QStringLiteral("Resultado Final: REPROVAD");
    return text + (student.sex == u"F" ? u'A' : u'O');
}

QString leaverText(const CardStudent &student)
{
    QString text;
    if (student.situation == u"T")
        text = QStringLiteral("TRANSFERÊNCIA EM: ");
    else if (student.situation == u"D")
        text = QStringLiteral("DESISTÊNCIA EM: ");
    else
        return {};
    return text + core::formatDate(student.situationDate) + QStringLiteral(" - ") + student.situationNote;
}

QString fourUnitResultLine(const CardOptions &options, const CardState &state,
                           const CardStudent &student, int dependencyLimit)
{
    QString text;
    switch (options.result) {
    case CardResult::None:
        // "Não imprimir": no result, only the student's situation.
        break;
    case CardResult::Partial:
        text = QStringLiteral("Resultado Parcial: NA MÉDIA");
        if (options.currentUnit != kAnnualUnit) {
            if (state.unitBelowPass.at(std::size_t(options.currentUnit - 1)))
                text = QStringLiteral("Resultado Parcial: RECUPERAÇÃO*");
        } else if (state.failedSubjects > 0) {
            if (options.recoveryLimit > dependencyLimit && options.recoveryLimit < state.failedSubjects) {
                text = QStringLiteral("Resultado Parcial: INSUFICIENTE EM MAIS DE ") +
                       QString::number(options.recoveryLimit) + QStringLiteral(" disciplinas - REPROVAÇÃO");
            } else {
                text = QStringLiteral("Resultado Parcial: RECUPERAÇÃO");
            }
        }
        break;
    case CardResult::Final:
        text = finalResultText(state.failedSubjects, student, dependencyLimit);
        break;
    }
    return withLeaver(text, student);
}

QString otherResultLine(const CardOptions &options, const CardState &state,
                        const CardStudent &student, int dependencyLimit)
{
    switch (options.result) {
    case CardResult::Partial:
        return {};
    case CardResult::None:
        return withLeaver(QString(), student);
    case CardResult::Final:
        break;
    }
    return withLeaver(finalResultText(state.failedSubjects, student, dependencyLimit), student);
}

QString lawText(const QString &classCode, const CardOptions &options)
{
    const QString grade = classCode.left(3);
    if (!grade.startsWith(QStringLiteral("1G")) || grade.size() < 3)
        return {};
    const int digit = grade.at(2).digitValue();
    if (digit < 1 || digit > 9)
        return {};
    if (options.lawAdapted) {
        const QString before = digit == 1 ? QStringLiteral("Alfabetização do Ensino Infantil")
                                          : QStringLiteral("%1ª Série do Ensino Fundamental").arg(digit - 1);
        return QStringLiteral("* Turma equivalente à ") + before + QStringLiteral(", anterior à Lei 11.274/06");
    }
    if (options.lawNotAdapted && digit <= 8) {
        return QStringLiteral("* Turma equivalente ao %1º Ano do Ensino Fundamental de acordo com a Lei 11.274/2006")
            .arg(digit + 1);
    }
    return {};
}

} // namespace reports
