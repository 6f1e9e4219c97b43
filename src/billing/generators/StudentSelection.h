#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace data {
class Database;
}

// Which students a charge generator charges: everyone, one class, or numbers typed one by one
// ("Defina abaixo:"). Students who left, transferred or hold a full scholarship never are.
namespace billing {

struct StudentSelection
{
    enum class Kind { All, Class, List };
    Kind kind = Kind::All;
    QString classCode;      // for Class
    QList<qint64> numbers;  // for List
};

struct SelectedStudent
{
    qint64 matricula = 0;
    QString nome;
    QString turma;
    QString sit;
    int vencimento = 0; // the student's due day; 0 when none
    double abat = 0;    // scholarship: an amount, or a percentage when `percent`
    bool percent = false;
};

// The chosen students who are charged (SIT not "D", "T" or "B"), in register order.
QList<SelectedStudent> selectStudents(const data::Database &db, const StudentSelection &selection);

// The line the number list shows for a student: number, blank, first 15 characters of the name.
// Empty when there is no such student ("Matrícula inválida!").
QString studentListLine(const data::Database &db, qint64 matricula);
inline const QString kInvalidStudentMessage = QStringLiteral("Matrícula inválida!");

// The class lines of the generators' list ("1G1AM 1ª SÉRIE A"), by code.
QStringList generatorClassLines(const data::Database &db);

} // namespace billing
