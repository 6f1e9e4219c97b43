#include "data/modules/NetworkRefresh.h"

#include "core/Dialogs.h"
#include "data/modules/LiveQuery.h"
#include "data/modules/TDataModule1.h"
#include "data/store/Table.h"

namespace data {

namespace {

bool idle(const Dataset &d)
{
    return !d.isEditing();
}

bool openAndIdle(const Dataset &d)
{
    return d.isOpen() && idle(d);
}

} // namespace

NetworkRefresh::NetworkRefresh(TDataModule1 &module) : m_module(module)
{
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &NetworkRefresh::onTimeout);
}

void NetworkRefresh::setEnabled(bool on)
{
    m_enabled = on;
    updateTimer();
}

void NetworkRefresh::pause()
{
    ++m_pauses;
    updateTimer();
}

void NetworkRefresh::resume()
{
    if (m_pauses > 0)
        --m_pauses;
    updateTimer();
}

void NetworkRefresh::updateTimer()
{
    if (m_enabled && m_pauses == 0)
        m_timer.start();
    else
        m_timer.stop();
}

QStringList NetworkRefresh::refreshOnce()
{
    QStringList done;
    if (!m_enabled || m_pauses > 0)
        return done;
    TDataModule1 &m = m_module;
    // Other workstations may have renamed classes or subjects too.
    m.invalidateLookups();
    auto reread = [&done](Dataset &d, bool ignoreErrors = false) {
        if (!openAndIdle(d))
            return;
        try {
            d.refresh();
            done += d.objectName();
        } catch (const std::exception &) {
            if (!ignoreErrors)
                throw;
        }
    };

    reread(m.tblPosicao());
    if (openAndIdle(m.tblCCorrent2()) && openAndIdle(m.tblDiscpl()))
        reread(m.tblAlunos());
    reread(m.tblNotas());
    for (int unit = 1; unit <= 4; ++unit)
        reread(m.tblNotasUni(unit));
    if (idle(m.tblCCorrent2()))
        reread(m.tblAlunos2(), true);
    if (idle(m.tblCCorrent2()))
        reread(m.tblCCorrent(), true);
    reread(m.tblCCorrent2(), true);
    if (idle(m.tblDiscTurma()) && idle(m.tblDiscpl()))
        reread(m.tblTabTurma());
    reread(m.tblHistoric());
    if (idle(m.tblDiscpl()))
        reread(m.qryNotas());
    reread(m.tblDiscpl());
    if (idle(m.tblDiscpl())) {
        reread(m.tblDiscTurma());
        reread(m.tblDiscProf());
    }
    reread(m.tblFuncionarios());
    return done;
}

void NetworkRefresh::onTimeout()
{
    try {
        refreshOnce();
    } catch (const std::exception &e) {
        core::showError(QString::fromUtf8(e.what()));
    }
}

} // namespace data
