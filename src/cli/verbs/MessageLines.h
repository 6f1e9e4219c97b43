#pragma once

#include "core/Dialogs.h"

#include <QTextStream>
#include <memory>

// The verbs that run a window's command print, one per line on standard output, the texts the
// window would show in message boxes, in order; a line break inside a message becomes a blank.
namespace cli {

// Installs such a dialog service for its lifetime and puts the previous one back after:
// questions are answered Yes (OK) with `yes`, else No (Cancel); error boxes are counted.
class MessageLines
{
public:
    MessageLines(QTextStream &out, bool yes);
    ~MessageLines();
    MessageLines(const MessageLines &) = delete;
    MessageLines &operator=(const MessageLines &) = delete;

    int errorCount() const;

    struct State;

private:
    std::shared_ptr<State> m_state;
    std::unique_ptr<core::Dialogs> m_previous;
};

} // namespace cli
