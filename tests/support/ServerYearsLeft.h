#pragma once

#include <QStringList>

namespace testengine {

// The server years the last dropServerYears() could not drop, each as "anoN: the server's
// message" (also written as a warning); the next call tries them again. Empty on files.
QStringList undroppedServerYears();

} // namespace testengine
