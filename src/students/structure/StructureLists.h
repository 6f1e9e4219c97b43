#pragma once

#include <QString>
#include <QStringList>

namespace data {
class Database;
}

// The pick lists of the structure windows: each line is a code, a blank and a description
// ("01 PORTUGUÊS", "1G1AM 1ª SÉRIE A MATUTINO"), and what a line stands for is read back from
// the line itself, as the windows always did.
namespace students {

// Every subject of the catalogue, by code.
QStringList subjectLines(const data::Database &db);
// Every class, by code.
QStringList classLines(const data::Database &db);
// The classes that already have grade rows, by code.
QStringList classesWithGradesLines(const data::Database &db);
// The staff members whose function begins with "PROF", by name: staff number, blank, name.
QStringList teacherLines(const data::Database &db);

// The short name of a subject for narrow column heads: the first eight characters of its name.
QString shortSubjectName(const QString &description);

// The text up to the first blank: the code of a line.
QString codeOfLine(const QString &line);
// The text after the first blank: the description of a line.
QString descriptionOfLine(const QString &line);
// A class code from a class line: up to the first blank, at most five characters.
QString classCodeOfLine(const QString &line);
// The line of `code` in `lines`; empty when absent.
QString lineOfCode(const QStringList &lines, const QString &code);

} // namespace students
