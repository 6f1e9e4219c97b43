#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// The system shell's "open" action on files, folders and help pages.
namespace core {

class Shell
{
public:
    virtual ~Shell() = default;
    // Returns false when nothing could open the target; callers that ignore failures may.
    virtual bool open(const QString &path) = 0;
};

// Remembers what it was asked to open instead of opening it (tests, the command line,
// and LUMESCO_NO_SHELL=1).
class RecordingShell : public Shell
{
public:
    bool open(const QString &path) override;
    const QStringList &opened() const { return m_opened; }
    void clear() { m_opened.clear(); }

private:
    QStringList m_opened;
};

// The process-wide shell: the desktop's, or a RecordingShell when LUMESCO_NO_SHELL=1.
Shell &shell();
// Replaces it (tests); returns the previous one.
std::unique_ptr<Shell> setShell(std::unique_ptr<Shell> shell);

} // namespace core
