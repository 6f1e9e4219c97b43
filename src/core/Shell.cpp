#include "core/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>

namespace core {

namespace {

class DesktopShell : public Shell
{
public:
    bool open(const QString &path) override
    {
        const QUrl url = path.contains(QStringLiteral("://")) ? QUrl(path) : QUrl::fromLocalFile(path);
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return QDesktopServices::openUrl(url);
        // Without a window system connection (the command line) hand it to the desktop's opener.
        return QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString()});
    }
};

std::unique_ptr<Shell> &current()
{
    static std::unique_ptr<Shell> shell;
    if (!shell) {
        if (qEnvironmentVariable("LUMESCO_NO_SHELL") == u"1")
            shell = std::make_unique<RecordingShell>();
        else
            shell = std::make_unique<DesktopShell>();
    }
    return shell;
}

} // namespace

bool RecordingShell::open(const QString &path)
{
    m_opened.append(path);
    return true;
}

Shell &shell()
{
    return *current();
}

std::unique_ptr<Shell> setShell(std::unique_ptr<Shell> shell)
{
    std::unique_ptr<Shell> previous = std::move(current());
    current() = std::move(shell);
    return previous;
}

} // namespace core
