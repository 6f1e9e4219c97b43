#pragma once

#include "data/store/Dataset.h"

#include <memory>

namespace data {

class Database;

// A table file from outside the current school year, opened read-only for the imports:
// a dBase file (".dbf", its text decoded by the code page it names, Windows-1252 when it names
// none), or a table of this program in another directory: "<dir>/Alunos.DB" names table
// ALUNOS of the database in <dir>, and "<dir>/Lumesco.db" names `defaultTable` there; the
// address of a school year on a server names `defaultTable` of that year.
// Throws StoreError when the file cannot be read as a table. The dataset comes back open.
std::unique_ptr<Dataset> openExternalTable(const QString &path, const QString &defaultTable = QString());

// Asks for the table file an import reads (dBase or one of this program's tables); empty when the
// person gave up.
QString askExternalTableFile();

// For a school year on a server, the address of the year before it on the same server; empty
// for a folder.
QString previousServerYear(const Database &current);
// Asks for the address of another school year on the server of `current`, proposing the year
// before it; empty when the person gave up.
QString askServerYearAddress(const Database &current);

// A dBase table, read-only.
class DbfTable : public Dataset
{
    Q_OBJECT

public:
    explicit DbfTable(const QString &path, QObject *parent = nullptr);
    ~DbfTable() override;

    QString displayName() const override;
    // The code page the text was decoded with ("windows-1252", "IBM850" ...).
    QString codePage() const { return m_codePage; }

protected:
    void openSource(QList<DatasetField> &storedFields) override;
    void loadRows(std::vector<RowPtr> &rows) override;

private:
    QString m_path;
    QString m_codePage;
    std::vector<RowPtr> m_rows;
};

} // namespace data
