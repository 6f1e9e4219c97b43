#pragma once

#include "backup/zip/ZipEngine.h"

#include <exception>

// The engine's callback as libzip's C callbacks may call it: an exception thrown by the
// program's side is kept (it must not cross libzip) and stops the run; it is thrown again
// once libzip has returned. Once the callback asked to stop, the answer stays "stop".
namespace backup {

class ZipCallbackGuard
{
public:
    explicit ZipCallbackGuard(const ZipCallback &callback) : m_callback(callback) {}

    void call(const ZipCallbackRecord &record);
    void message(const QString &text, int errorCode = 0);
    void batchDone();
    bool stopRequested() const { return m_stop; }
    // Throws what the callback threw, if anything.
    void rethrow() const;

private:
    const ZipCallback &m_callback;
    bool m_stop = false;
    std::exception_ptr m_exception;
};

} // namespace backup
