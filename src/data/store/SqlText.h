#pragma once

#include "data/store/Schema.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Reading SQL text as the store receives it: tokens, and the rewrites that let statements
// written in the program's usual SQL run on the engine.
namespace data::sqltext {

enum class TokenKind { Word, QuotedName, Text, Number, Parameter, Symbol, Space };

struct Token
{
    TokenKind kind;
    QString text;
    bool is(const char *word) const; // a Word equal, ignoring case, to `word`
};

// Every token, blanks and comments included, so that joining the texts gives the input back.
QList<Token> tokenize(const QString &sql);
QString join(const QList<Token> &tokens);

// Rewrites one statement for the engine: "substring(x from a for b)", "extract(month from x)",
// file names as table names ("CONTA.DB"), an alias after DELETE FROM / UPDATE without AS, and
// an ALTER TABLE of several clauses split into one statement per clause. Usually one statement
// comes back. `columnType` turns a field (from "CHAR(60)", "Boolean", "DATE" ...) into the
// engine's column type.
QStringList rewrite(const QString &sql, const std::function<QString(const FieldDef &)> &columnType);

// The field a column type of the program's SQL describes ("CHAR(60)", "Boolean", "INTEGER",
// "SMALLINT", "FLOAT", "MONEY", "DATE", "BLOB(1,1)"...); also reads the types the store writes.
FieldDef fieldFromType(const QString &name, const QString &type);

// For "select * from <table> [alias] [where ...] [order by ...]": the table name, else empty.
// `alias` receives the alias (or the table name).
QString singleTableSelectAll(const QString &sql, QString *alias = nullptr);

// The statement splits at ";" outside texts; empty pieces are dropped.
QStringList splitStatements(const QString &sql);

} // namespace data::sqltext
