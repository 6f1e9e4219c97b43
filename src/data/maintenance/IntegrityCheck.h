#pragma once

#include "core/RunReporter.h"
#include "data/store/Database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace data {

class Dataset;
class Query;

// The six checks of "Verificar Integridade do Banco de Dados": each lists rows that do not fit
// together; the last two can also delete them.
struct IntegrityCheck
{
    QString caption; // as offered in the "Verificar:" choice
    QString advice;  // shown beside the row count
    QString query;
    QStringList fixStatements; // run by "&Corrigir"; empty: it only lists again
};

const QList<IntegrityCheck> &integrityChecks();

class IntegrityChecker
{
public:
    explicit IntegrityChecker(const Database &db);

    // The rows found by check `index` (0..5), as an open query. Throws StoreError.
    std::unique_ptr<Query> run(int index) const;
    // Runs the check's deletions in one run and returns the rows deleted. A deletion that fails
    // is skipped and written to the diagnostic log; the others stay. A failure of the run itself
    // undoes every deletion and is noted (0 deleted then).
    int fix(int index, core::RunReporter &reporter) const;

    // "<caption>.csv", made safe for the file system (no path characters, no trailing blanks).
    static QString exportFileName(int index);
    // Writes the rows to exportFileName() in `directory` and asks the shell to open the file.
    // False, with `error`, when the file cannot be written.
    static bool exportRows(Dataset &rows, int index, const QString &directory,
                           QString *error = nullptr);

private:
    Database m_db;
};

} // namespace data
