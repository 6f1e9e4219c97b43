#include "core/Clock.h"

#include <QtGlobal>

namespace core {

namespace {

QDateTime &pinned()
{
    static QDateTime moment;
    return moment;
}

// The environment's pin, read once.
const QDateTime &environmentPin()
{
    static const QDateTime moment = [] {
        const QString now = qEnvironmentVariable("LUMESCO_NOW");
        if (!now.isEmpty()) {
            QDateTime parsed = QDateTime::fromString(now, Qt::ISODate);
            if (parsed.isValid())
                return parsed;
        }
        const QString today = qEnvironmentVariable("LUMESCO_TODAY");
        if (!today.isEmpty()) {
            const QDate date = QDate::fromString(today, Qt::ISODate);
            if (date.isValid())
                return QDateTime(date, QTime(12, 0));
        }
        return QDateTime();
    }();
    return moment;
}

} // namespace

QDateTime now()
{
    if (pinned().isValid())
        return pinned();
    if (environmentPin().isValid())
        return environmentPin();
    return QDateTime::currentDateTime();
}

QDate today()
{
    return now().date();
}

void pinClock(const QDateTime &moment)
{
    pinned() = moment;
}

} // namespace core
