#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

// A second workstation played by another run of this test program: it runs only the test
// `childTest` ("Suite.Name"), which reads its task with childTask() and ends the process with
// its answer as the exit code. The task's parts travel in one environment variable.
namespace childprocess {

pid_t start(const char *childTest, const QStringList &task);
int wait(pid_t pid); // the exit code; -1 when the child was killed
// The task of this run, empty in the ordinary run (where the child test skips itself).
QStringList task();

} // namespace childprocess
