#pragma once

#include "data/store/Database.h"
#include "data/store/StoreError.h"

#include <QString>

// The statements of the row rules: run against the database a rule is given, and reported, when
// the store refuses one, with the statement as a person reads it in the error box.
namespace data {

// The statement as a person reads it in an error box: every ":name" replaced by its value,
// texts between single quotes.
QString statementText(const QString &sql, const SqlParams &params);

// A rule's statement that failed. message() is the store's text; statement() the statement as
// the error boxes show it after "Erro ao executar: ".
class RuleStatementError : public StoreError
{
public:
    RuleStatementError(const QString &statement, const QString &cause)
        : StoreError(cause), m_statement(statement)
    {
    }
    const QString &statement() const { return m_statement; }

private:
    QString m_statement;
};

// Runs one statement of a rule; the number of rows changed. Throws RuleStatementError.
int runRuleStatement(const Database &db, const QString &sql, const SqlParams &params = {});

// 1 + the number that `maxSql` ("select max(...) from ... where ...") reads, or 1 when it reads
// none. Take it inside the transaction that writes the row, so that two workstations never get
// the same number. Throws RuleStatementError.
int nextNumber(const Database &db, const QString &maxSql, const SqlParams &params = {});

} // namespace data
