#include "data/modules/NetworkRefresh.h"

#include "core/Diagnostics.h"
#include "core/Dialogs.h"
#include "data/modules/LiveQuery.h"
#include "data/modules/TDataModule1.h"
#include "data/store/Table.h"

#include <algorithm>

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

    QList<const AcademicTable *> order;
    for (const AcademicTable &t : academicTables())
        if (t.refreshOrder > 0)
            order.append(&t);
    std::sort(order.begin(), order.end(),
              [](const AcademicTable *a, const AcademicTable *b) { return a->refreshOrder < b->refreshOrder; });

    for (const AcademicTable *t : std::as_const(order)) {
        Dataset &d = m.dataset(t->objectName);
        const bool othersAllow = std::all_of(t->waitsFor.cbegin(), t->waitsFor.cend(), [&](const QString &name) {
            const Dataset &other = m.dataset(name);
            return idle(other) && (!t->waitsForOpen || other.isOpen());
        });
        if (!othersAllow || !openAndIdle(d))
            continue;
        try {
            d.refresh();
            done += d.objectName();
        } catch (const StoreError &e) {
            if (!t->refreshErrorsIgnored)
                throw;
            qCWarning(core::lcRules) << d.objectName() << "não foi relida:" << e.message();
        }
    }
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
