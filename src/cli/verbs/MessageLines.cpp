#include "cli/verbs/MessageLines.h"

namespace cli {

struct MessageLines::State
{
    QTextStream &out;
    bool yes;
    int errors = 0;
};

namespace {

class LineDialogs : public core::ConsoleDialogs
{
public:
    explicit LineDialogs(std::shared_ptr<MessageLines::State> state) : m_state(std::move(state)) {}

    core::Button show(const core::Message &message) override
    {
        m_state->out << QString(message.text).replace(u'\r', u' ').replace(u'\n', u' ') << '\n';
        m_state->out.flush();
        if (message.icon == core::Icon::Error)
            ++m_state->errors;
        if (message.buttons.testFlag(core::Button::Yes))
            return m_state->yes ? core::Button::Yes : core::Button::No;
        if (message.buttons.testFlag(core::Button::Cancel))
            return m_state->yes ? core::Button::Ok : core::Button::Cancel;
        return core::defaultAnswer(message);
    }

private:
    std::shared_ptr<MessageLines::State> m_state;
};

} // namespace

MessageLines::MessageLines(QTextStream &out, bool yes)
    : m_state(std::make_shared<State>(State{out, yes})),
      m_previous(core::setDialogs(std::make_unique<LineDialogs>(m_state)))
{
}

MessageLines::~MessageLines()
{
    core::setDialogs(std::move(m_previous));
}

int MessageLines::errorCount() const
{
    return m_state->errors;
}

} // namespace cli
