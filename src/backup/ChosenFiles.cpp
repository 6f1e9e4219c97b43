#include "backup/ChosenFiles.h"

#include <QDir>
#include <algorithm>

namespace backup {

QStringList directoryFiles(const QString &directory)
{
    QStringList files;
    const QFileInfoList entries =
        QDir(directory).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries)
        files.append(entry.absoluteFilePath());
    return files;
}

void ChosenFiles::add(const QStringList &paths)
{
    for (const QString &path : paths)
        if (!m_files.contains(path))
            m_files.append(path);
}

void ChosenFiles::remove(QList<int> rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows)
        if (row >= 0 && row < m_files.size())
            m_files.removeAt(row);
}

void ChosenFiles::sortOnce()
{
    if (m_sorted)
        return;
    m_files.sort(Qt::CaseInsensitive);
    m_sorted = true;
}

} // namespace backup
