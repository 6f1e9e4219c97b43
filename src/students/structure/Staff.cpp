#include "students/structure/Staff.h"

#include "core/ProgramDirs.h"


namespace students {

bool isTeacher(const QString &function)
{
    return function.startsWith(QStringLiteral("PROF"), Qt::CaseInsensitive);
}

QString staffPhotoPath(const QString &photosDir, const QVariant &staffNumber)
{
    if (staffNumber.isNull())
        return QString();
    return core::joinPath(photosDir, QString::number(qint64(staffNumber.toDouble())) + QStringLiteral(".bmp"));
}

} // namespace students
