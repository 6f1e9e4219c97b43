#pragma once

#include <QString>
#include <stdexcept>

namespace data {

// Every failure of the table store: a Portuguese text the caller may show as it stands.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// Thrown by an event handler (before-insert, before-edit, before-post, before-delete) to stop
// the operation silently; the operation then returns false and nothing is shown.
class Abort : public std::exception
{
public:
    const char *what() const noexcept override { return "operation aborted"; }
};

} // namespace data
