#pragma once

#include "reports/ReportValues.h"

#include <QString>
#include <optional>
#include <utility>

namespace data {
class Database;
}

// What the report-card dialogs list and keep: the classes, an enrolment number looked up, and
// the two message lines of "mensagem.txt".
namespace reports {

// The classes of Tabturma in code order: the code as value, "code description" as caption.
QList<ParamChoice> classEntries(const data::Database &db);

// "1234 ANA LIMA DE SOU": the enrolment number, a blank and the first 15 characters of the
// name; nullopt when no student has the number.
std::optional<QString> studentEntry(const data::Database &db, qint64 matricula);

// "mensagem.txt" in the working directory: the two lines printed under the marks.
inline const QString kCardMessageFile = QStringLiteral("mensagem.txt");
bool saveCardMessages(const QString &line1, const QString &line2);
// nullopt when the file cannot be read; a missing second line reads empty.
std::optional<std::pair<QString, QString>> readCardMessages();

} // namespace reports
