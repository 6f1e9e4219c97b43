#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The list "Arquivos para Back-Up" of the file chooser.
namespace backup {

// The files a folder shows in the chooser, by name (hidden files left out).
QStringList directoryFiles(const QString &directory);

class ChosenFiles
{
public:
    // Full paths; one already chosen is not added twice.
    void add(const QStringList &paths);
    // Rows of the list, in any order.
    void remove(QList<int> rows);
    // "&Ordenar" sorts the list once.
    void sortOnce();
    bool canSort() const { return !m_sorted; }
    const QStringList &files() const { return m_files; }

private:
    QStringList m_files;
    bool m_sorted = false;
};

} // namespace backup
