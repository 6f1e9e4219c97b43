#include "support/ChildProcess.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace childprocess {

namespace {

const char kVariable[] = "LUMESCO_TEST_CHILD";
const QChar kSeparator = u'\x1F';

} // namespace

pid_t start(const char *childTest, const QStringList &task)
{
    const QByteArray exe = QFile::encodeName(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget());
    const QByteArray value = task.join(kSeparator).toUtf8();
    const QByteArray filter = QByteArray("--gtest_filter=") + childTest;
    const pid_t pid = fork();
    if (pid == 0) {
        setenv(kVariable, value.constData(), 1);
        std::freopen("/dev/null", "w", stdout); // the second run's own test report is noise here
        execl(exe.constData(), exe.constData(), filter.constData(), static_cast<char *>(nullptr));
        _exit(99);
    }
    return pid;
}

int wait(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QStringList task()
{
    const QString value = qEnvironmentVariable(kVariable);
    return value.isEmpty() ? QStringList() : value.split(kSeparator);
}

} // namespace childprocess
