#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Tables written for spreadsheets: an optional title line, the field names in upper case joined
// by ";", then one line per row of display texts joined by ";" (no quoting).
namespace core {

struct SemicolonTable
{
    QString title; // empty: no title line
    QStringList fieldNames;
    QList<QStringList> rows;
};

QStringList semicolonLines(const SemicolonTable &table);

// Writes the table as a Windows-1252 text file, then asks the shell to open it.
// Returns false (with `error`) when the file can't be written; the shell is not called then.
bool exportSemicolon(const QString &path, const SemicolonTable &table, QString *error = nullptr);

} // namespace core
