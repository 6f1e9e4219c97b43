#pragma once

#include <QString>

// The class a student moves to when last year's register is brought into a new school year.
// A class code reads as a level prefix (characters 1-2), a grade digit or letter (character 3)
// and a suffix (characters 4-5, the shift): "1G1AM" is "1G", "1", "AM".
namespace students {

struct PromotionRules
{
    // "Migrar para novas regras da Lei 11.274/06": nine-year primary school, one grade skipped.
    bool migration = false;
    // "Os dados da importação já estão adaptados à Lei 11.274/06."
    bool alreadyAdapted = false;
};

struct Promotion
{
    enum class Kind
    {
        NewClass,    // `schoolClass` is the new class
        Unchanged,   // the class stays (a grade that is not a digit)
        Transferred, // the last grade: class kept, situation "T" as of today
    };
    Kind kind = Kind::Unchanged;
    QString schoolClass;
};

// The first matching rule of the promotion table decides.
Promotion promote(const QString &schoolClass, const PromotionRules &rules);

} // namespace students
