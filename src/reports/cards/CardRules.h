#pragma once

#include "reports/MarkCell.h"
#include "reports/cards/CardOptions.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <array>

namespace data {
struct Settings;
}

// The texts a report card derives from a student's rows: captions, the subject cell, positions,
// general averages, the result line and the law text.
namespace reports {

// The school's rules of assessment as the cards read them.
struct CardRules
{
    PassMarks passMarks;     // Uni_Media, Ger_Media as reals
    int dependencyLimit = 2; // Limite_Dep
    int assessedUnits = 4;   // Unid_Aval
    QString termUnit = QStringLiteral("Unid");   // Termo_Unid
    QString termRecovery = QStringLiteral("Recup"); // Termo_Recup

    static CardRules fromSettings(const data::Settings &settings);
};

// What one student's card counts while its rows print; cleared after the student's result line.
struct CardState
{
    int failedSubjects = 0;
    std::array<bool, 4> unitBelowPass{}; // four-unit card: a unit mark below the unit pass mark

    void clear() { *this = CardState(); }
};

// A student's own values the result line speaks of.
struct CardStudent
{
    QString classCode; // the class of the card's rows
    QString sex;       // "F" or "M"
    QString situation; // "T" transferred, "D" dropped out
    QDate situationDate;
    QString situationNote;
};

// "Unid 1": the first four characters of the school's word for a unit, a blank, the number.
QString unitCaption(const QString &termUnit, int unit);

// The description, "(Dep.)" when the row belongs to another class than the student's own, and
// " **" for a consolidated subject of the grade.
QString subjectText(const QString &description, const QString &rowClass, const QString &ownClass,
                    bool consolidated);

// A unit's place (unit 1..4) or the year's (kAnnualUnit), "3º Lugar", or empty: a place prints
// within the position limit when the current unit has reached it and the positions option is
// ticked (`needsOption` false spares that), a unit's only beside a mark of that unit, the year's
// only when a result is printed.
QString positionText(const QVariant &position, int unit, bool hasMark, const CardOptions &options,
                     bool needsOption = true);

// A general average of the ranking (stored negated) as printed: its absolute value with one
// decimal, empty for 0, a value that is not a number, or without the positions option.
QString generalAverageText(const QVariant &points, const CardOptions &options);

// "Resultado Final: APROVADO", "(PROGRESSÃO PARCIAL) APROVADA" or "REPROVADO" by the failed
// subjects, the dependency limit and the grade ("1G9" has no partial progression).
QString finalResultText(int failedSubjects, const CardStudent &student, int dependencyLimit);

// "TRANSFERÊNCIA EM: dd/mm/aaaa - note", "DESISTÊNCIA EM: ..." or empty.
QString leaverText(const CardStudent &student);

// The result line of the four-unit card.
QString fourUnitResultLine(const CardOptions &options, const CardState &state,
                           const CardStudent &student, int dependencyLimit);

// The result line of the other members: empty while the partial result is chosen.
QString otherResultLine(const CardOptions &options, const CardState &state,
                        const CardStudent &student, int dependencyLimit);

// The Lei 11.274/2006 line of the four-unit card for the class, or empty.
QString lawText(const QString &classCode, const CardOptions &options);

} // namespace reports
