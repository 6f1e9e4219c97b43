#pragma once

#include <QString>

// A school year on a server travels in backups as a school-year file, the same "Lumesco.db"
// that a folder's backup holds, so an archive restores into either kind.
namespace backup {

// Copies the server year at `address` into `folder` (empty) as a school-year file, checked
// table by table; returns the file's path. The file is closed on return, also when the copy
// fails, so the caller may zip and remove it at once. Throws data::StoreError.
QString stageServerYear(const QString &address, const QString &folder);

// Replaces every table of the server year at `address` with those of the school-year file in
// `folder`, in one transaction: on any failure the year stays as it was. Refused, with the
// year untouched, while another workstation has one of its tables open. The file is closed on
// return. Throws data::StoreError.
void loadIntoServerYear(const QString &folder, const QString &address);

// Where the data of a session are, in the office's words: "Ano letivo 2026 no servidor
// servidor (banco escola)" for a server year, "Pasta C:\ESCOLA\Dados2026" for a folder.
QString dataPlaceText(const QString &dataDir);

} // namespace backup
