#include "reports/ReportRegistry.h"

#include <stdexcept>

namespace reports {

void ReportRegistry::add(const ReportEntry &entry)
{
    // Reports printed from a module's own window (the cash book's) have no main-menu entry.
    if (find(entry.name) || (!entry.menuEntry.isEmpty() && forMenuEntry(entry.menuEntry)))
        throw std::logic_error("report registered twice: " + entry.name.toStdString());
    m_entries.append(entry);
}

void ReportRegistry::add(const QList<ReportEntry> &entries)
{
    for (const ReportEntry &entry : entries)
        add(entry);
}

const ReportEntry *ReportRegistry::find(const QString &name) const
{
    for (const ReportEntry &entry : m_entries)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

const ReportEntry *ReportRegistry::forMenuEntry(const QString &objectName) const
{
    for (const ReportEntry &entry : m_entries)
        if (entry.menuEntry == objectName)
            return &entry;
    return nullptr;
}

QStringList ReportRegistry::names() const
{
    QStringList names;
    for (const ReportEntry &entry : m_entries)
        names += entry.name;
    return names;
}

} // namespace reports
