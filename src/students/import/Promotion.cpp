#include "students/import/Promotion.h"

namespace students {

namespace {

Promotion to(const QString &schoolClass)
{
    return {Promotion::Kind::NewClass, schoolClass};
}

// prefix + (grade + step) + suffix; a grade that is not a digit keeps the class.
Promotion advance(const QString &schoolClass, int step)
{
    const QChar grade = schoolClass.size() > 2 ? schoolClass.at(2) : QChar();
    if (grade < u'0' || grade > u'9')
        return {Promotion::Kind::Unchanged, schoolClass};
    return to(schoolClass.left(2) + QString::number(grade.digitValue() + step) + schoolClass.mid(3, 2));
}

} // namespace

Promotion promote(const QString &schoolClass, const PromotionRules &rules)
{
    const QString grade = schoolClass.left(3);
    const QString suffix = schoolClass.mid(3, 2);
    const QChar gradeChar = schoolClass.size() > 2 ? schoolClass.at(2) : QChar();

    if (grade == u"MAT")
        return to(QStringLiteral("JD1") + suffix);
    if (grade == u"ALF")
        return to((rules.migration ? QStringLiteral("1G2") : QStringLiteral("1G1")) + suffix);
    if (grade == u"JD2")
        return to((rules.migration || rules.alreadyAdapted ? QStringLiteral("1G1") : QStringLiteral("ALF")) + suffix);
    if (gradeChar == u'8' && rules.migration)
        return to(QStringLiteral("2G1") + suffix);
    if (gradeChar == u'9')
        return to(QStringLiteral("2G1") + suffix);
    if (grade == u"2G3")
        return {Promotion::Kind::Transferred, schoolClass};
    if (schoolClass.left(2) == u"1G" && rules.migration)
        return advance(schoolClass, 2);
    return advance(schoolClass, 1);
}

} // namespace students
