#pragma once

#include "data/store/Schema.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

// Reading SQL text as the store receives it (tokens, and the rewrites that let statements
// written in the program's usual SQL run on the engine), and building the store's own.
namespace data::sqltext {

// A table or column name as SQL text: "NOME", "Data_MovFin", "ALUNOS" (double quotes doubled
// inside), so names that are keywords or hold odd characters still work.
QString quoteName(const QString &name);

// A SELECT kept in parts until it runs, so a caller can add a condition or a limit without
// cutting text. Conditions are joined with AND; `values` bind to their "?" marks in order.
struct SelectStatement
{
    QStringList columns;
    QString from; // as SQL text (quoted)
    QStringList conditions;
    QVariantList values;
    QStringList orderBy;
    int limit = -1; // none

    // Adds a condition with the values of its "?" marks.
    void where(const QString &condition, const QVariantList &conditionValues = {});
    QString toSql() const;
};

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
// engine's column type. An engine that knows substring(... from ... for ...) and
// extract(... from ...) itself keeps them as written.
QStringList rewrite(const QString &sql, const std::function<QString(const FieldDef &)> &columnType,
                    bool engineKnowsStandardFunctions = false);

// The field a column type of the program's SQL describes ("CHAR(60)", "Boolean", "INTEGER",
// "SMALLINT", "FLOAT", "MONEY", "DATE", "BLOB(1,1)"...); also reads the types the store writes
// and those the PostgreSQL server names ("character varying(42)", "double precision").
FieldDef fieldFromType(const QString &name, const QString &type);

// For "select * from <table> [alias] [where ...] [order by ...]": the table name, else empty.
// `alias` receives the alias (or the table name).
QString singleTableSelectAll(const QString &sql, QString *alias = nullptr);

// The statement splits at ";" outside texts; empty pieces are dropped.
QStringList splitStatements(const QString &sql);

} // namespace data::sqltext

namespace data::sqltext {

// CREATE TABLE with the primary key, then one CREATE INDEX per named index ("<table>.<index>"),
// in the program's SQL with quoted names. `extraColumns` (an engine's row id) come after the
// fields, so that an INSERT without a column list still fills the fields in their order.
// `placeEmptyValues` writes in each index where empty values go (first when ascending, last when
// descending, as a file orders them), so that an engine that places them otherwise by itself
// still reads the index in the order the store asks for.
QStringList createTable(const TableDef &def, const std::function<QString(const FieldDef &)> &columnType,
                        const QStringList &extraColumns = {}, bool placeEmptyValues = false);

} // namespace data::sqltext

namespace data::sqltext {

// A field's type as the store writes it in the program's SQL ("CHAR(42)", "FLOAT", "MONEY REAL",
// "DATE", "BOOLEAN", "AUTOINC INTEGER", "TEXT"...): fieldFromType reads it back.
QString typeText(const FieldDef &field);

} // namespace data::sqltext
