#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

namespace data {

class TDataModule1;

// Re-reads the academic module's open tables every 10 seconds while "Ambiente de Rede" is on,
// so changes made on other workstations show. A table being edited is left alone, and so are
// tables whose re-reading would move a detail being edited.
class NetworkRefresh : public QObject
{
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 10000;

    explicit NetworkRefresh(TDataModule1 &module);

    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }
    void pause();
    void resume();
    bool isPaused() const { return m_pauses > 0; }
    const QTimer &timer() const { return m_timer; }

    // One tick; the names of the datasets re-read. Throws the first error of a table other
    // than the Ccorrent views.
    QStringList refreshOnce();

    // The timer's handler: a tick whose errors are shown.
    void onTimeout();

private:
    void updateTimer();

    TDataModule1 &m_module;
    QTimer m_timer;
    bool m_enabled = false;
    int m_pauses = 0;
};

} // namespace data
