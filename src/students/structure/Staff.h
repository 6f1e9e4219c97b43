#pragma once

#include <QString>
#include <QVariant>

// The staff register's own rules: who counts as a teacher, and where a staff member's photo is.
namespace students {

// A function beginning with "PROF" marks a teacher ("PROFESSOR", "Professora").
bool isTeacher(const QString &function);

// The photo of a staff member: the staff number with ".bmp" in the photos folder the students'
// photos share. Empty without a number.
QString staffPhotoPath(const QString &photosDir, const QVariant &staffNumber);

} // namespace students
