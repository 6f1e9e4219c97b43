#pragma once

#include <QElapsedTimer>

// Lets something happen at most once every few milliseconds: a long run reports every row,
// and its faces redraw a few times a second, so reporting costs a run almost nothing.
namespace core {

class Throttle
{
public:
    explicit Throttle(int intervalMs) : m_intervalMs(intervalMs) {}

    // True when it never happened, or happened at least the interval ago.
    bool due() const { return !m_last.isValid() || m_last.elapsed() >= m_intervalMs; }
    // It happens now.
    void restart() { m_last.start(); }
    void setInterval(int intervalMs) { m_intervalMs = intervalMs; }
    // The next time is due at once.
    void reset() { m_last.invalidate(); }

private:
    int m_intervalMs;
    QElapsedTimer m_last;
};

} // namespace core
