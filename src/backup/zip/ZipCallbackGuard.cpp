#include "backup/zip/ZipCallbackGuard.h"

namespace backup {

void ZipCallbackGuard::call(const ZipCallbackRecord &record)
{
    if (m_exception)
        return;
    try {
        if (m_callback && m_callback(record))
            m_stop = true;
    } catch (...) {
        m_exception = std::current_exception();
        m_stop = true;
    }
}

void ZipCallbackGuard::message(const QString &text, int errorCode)
{
    call({ZipAction::Message, errorCode, 0, text});
}

void ZipCallbackGuard::batchDone()
{
    call({ZipAction::BatchDone, 0, 0, QString()});
}

void ZipCallbackGuard::rethrow() const
{
    if (m_exception)
        std::rethrow_exception(m_exception);
}

} // namespace backup
