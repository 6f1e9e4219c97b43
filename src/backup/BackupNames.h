#pragma once

#include <QDate>
#include <QString>

// How archives and their logs are named.
namespace backup {

// Today's date, the school year and the user: 20260305_2026_MARIA.Zip.
QString defaultArchiveName(const QDate &today, const QString &schoolYear, const QString &user);

// A name typed in "&Novo": ".zip" is appended unless the name holds ".zip" in any case
// anywhere.
QString withZipExtension(const QString &name);

// The log beside an archive: its last four characters replaced by ".log".
QString logPathFor(const QString &archivePath);

} // namespace backup
