#pragma once

#include <QString>

// Generated portraits for the demo school, so the student register has pictures to show.
namespace data::demo {

// Writes "<enrolment>.bmp" into photosDir for the students first..first+count-1 (enrolment
// numbers), each a small head-and-shoulders drawing chosen by the seed. A file already there is
// kept: the folder may hold real photos. Returns how many files were written; a folder that
// cannot be made or a file that cannot be written simply gets none.
int writeDemoPhotos(const QString &photosDir, qint64 first, int count, quint32 seed);

} // namespace data::demo
