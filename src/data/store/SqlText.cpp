#include "data/store/SqlText.h"

#include "data/store/Collation.h"
#include "data/store/StoreError.h"

#include <QRegularExpression>

namespace data::sqltext {

QString quoteName(const QString &name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

void SelectStatement::where(const QString &condition, const QVariantList &conditionValues)
{
    conditions.append(condition);
    values.append(conditionValues);
}

QString SelectStatement::toSql() const
{
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QStringLiteral(", ")), from);
    if (conditions.size() == 1)
        sql += QStringLiteral(" WHERE ") + conditions.first();
    else if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE (") + conditions.join(QStringLiteral(") AND (")) + u')';
    if (!orderBy.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + orderBy.join(QStringLiteral(", "));
    if (limit >= 0)
        sql += QStringLiteral(" LIMIT %1").arg(limit);
    return sql;
}

bool Token::is(const char *word) const
{
    return kind == TokenKind::Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

QList<Token> tokenize(const QString &sql)
{
    QList<Token> tokens;
    const int n = int(sql.size());
    int i = 0;
    auto push = [&](TokenKind kind, int from) { tokens.append({kind, sql.mid(from, i - from)}); };
    while (i < n) {
        const int start = i;
        const QChar c = sql.at(i);
        if (c.isSpace()) {
            while (i < n && sql.at(i).isSpace())
                ++i;
            push(TokenKind::Space, start);
        } else if (c == u'-' && i + 1 < n && sql.at(i + 1) == u'-') {
            while (i < n && sql.at(i) != u'\n')
                ++i;
            push(TokenKind::Space, start);
        } else if (c == u'/' && i + 1 < n && sql.at(i + 1) == u'*') {
            const int end = int(sql.indexOf(QLatin1String("*/"), i + 2));
            i = end < 0 ? n : end + 2;
            push(TokenKind::Space, start);
        } else if (c == u'\'' || c == u'"' || c == u'`' || c == u'[') {
            const QChar close = c == u'[' ? u']' : c;
            ++i;
            while (i < n) {
                if (sql.at(i) == close) {
                    if (close != u']' && i + 1 < n && sql.at(i + 1) == close) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            push(c == u'\'' ? TokenKind::Text : TokenKind::QuotedName, start);
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && sql.at(i + 1).isDigit())) {
            while (i < n && (sql.at(i).isDigit() || sql.at(i) == u'.'))
                ++i;
            if (i < n && (sql.at(i) == u'e' || sql.at(i) == u'E')) {
                ++i;
                if (i < n && (sql.at(i) == u'+' || sql.at(i) == u'-'))
                    ++i;
                while (i < n && sql.at(i).isDigit())
                    ++i;
            }
            push(TokenKind::Number, start);
        } else if ((c == u':' || c == u'@' || c == u'$') && i + 1 < n
                   && (sql.at(i + 1).isLetterOrNumber() || sql.at(i + 1) == u'_')) {
            ++i;
            while (i < n && (sql.at(i).isLetterOrNumber() || sql.at(i) == u'_'))
                ++i;
            push(TokenKind::Parameter, start);
        } else if (c.isLetter() || c == u'_') {
            while (i < n && (sql.at(i).isLetterOrNumber() || sql.at(i) == u'_' || sql.at(i) == u'$'))
                ++i;
            push(TokenKind::Word, start);
        } else {
            ++i;
            // Two-character operators stay together.
            if (i < n) {
                const QString two = sql.mid(start, 2);
                if (two == u"<>" || two == u"<=" || two == u">=" || two == u"!=" || two == u"||"
                    || two == u"==")
                    ++i;
            }
            push(TokenKind::Symbol, start);
        }
    }
    return tokens;
}

QString join(const QList<Token> &tokens)
{
    QString out;
    for (const Token &t : tokens)
        out += t.text;
    return out;
}

namespace {

// Positions of the tokens that are not blanks.
QList<int> significant(const QList<Token> &tokens)
{
    QList<int> out;
    for (int i = 0; i < tokens.size(); ++i)
        if (tokens[i].kind != TokenKind::Space)
            out.append(i);
    return out;
}

bool isSymbol(const Token &t, const char *symbol)
{
    return t.kind == TokenKind::Symbol && t.text == QLatin1String(symbol);
}

// Index of the ")" closing the "(" at `open`, or -1.
int matchingParen(const QList<Token> &tokens, int open)
{
    int depth = 0;
    for (int i = open; i < tokens.size(); ++i) {
        if (isSymbol(tokens[i], "("))
            ++depth;
        else if (isSymbol(tokens[i], ")") && --depth == 0)
            return i;
    }
    return -1;
}

int nextSignificant(const QList<Token> &tokens, int from)
{
    for (int i = from; i < tokens.size(); ++i)
        if (tokens[i].kind != TokenKind::Space)
            return i;
    return -1;
}

// Top-level positions (depth 1 inside the parentheses open..close) of a keyword.
int findTopLevel(const QList<Token> &tokens, int open, int close, const char *word, int from = -1)
{
    int depth = 0;
    for (int i = open; i < close; ++i) {
        if (isSymbol(tokens[i], "("))
            ++depth;
        else if (isSymbol(tokens[i], ")"))
            --depth;
        else if (depth == 1 && i > from && tokens[i].is(word))
            return i;
    }
    return -1;
}

QString textBetween(const QList<Token> &tokens, int from, int to)
{
    QString out;
    for (int i = from; i < to; ++i)
        out += tokens[i].text;
    return out.trimmed();
}

// substring(x from a [for b]) -> substr(x, a[, b]); extract(part from x) -> integer part.
void rewriteFunctions(QList<Token> &tokens)
{
    for (int i = 0; i < tokens.size(); ++i) {
        const bool substring = tokens[i].is("substring");
        const bool extract = tokens[i].is("extract");
        if (!substring && !extract)
            continue;
        const int open = nextSignificant(tokens, i + 1);
        if (open < 0 || !isSymbol(tokens[open], "("))
            continue;
        const int close = matchingParen(tokens, open);
        if (close < 0)
            continue;
        const int from = findTopLevel(tokens, open, close, "from");
        if (from < 0)
            continue;
        QString replacement;
        if (substring) {
            const int forAt = findTopLevel(tokens, open, close, "for", from);
            const QString subject = textBetween(tokens, open + 1, from);
            const QString start = textBetween(tokens, from + 1, forAt < 0 ? close : forAt);
            replacement = QStringLiteral("substr(%1, %2").arg(subject, start);
            if (forAt >= 0)
                replacement += QStringLiteral(", %1").arg(textBetween(tokens, forAt + 1, close));
            replacement += u')';
        } else {
            const QString part = textBetween(tokens, open + 1, from).toLower();
            const QString subject = textBetween(tokens, from + 1, close);
            const char *format = part == u"year" ? "%Y" : part == u"month" ? "%m" : part == u"day" ? "%d" : nullptr;
            if (!format)
                continue;
            replacement = QStringLiteral("CAST(strftime('%1', %2) AS INTEGER)").arg(QLatin1String(format), subject);
        }
        tokens.erase(tokens.begin() + i, tokens.begin() + close + 1);
        QList<Token> again = tokenize(replacement);
        rewriteFunctions(again); // calls nested in the arguments
        for (int k = 0; k < again.size(); ++k)
            tokens.insert(i + k, again[k]);
        i += int(again.size()) - 1;
    }
}

// "CONTA.DB" (a file name in double quotes) -> CONTA.
void rewriteFileNames(QList<Token> &tokens)
{
    static const QRegularExpression fileName(QStringLiteral("^\"([A-Za-z0-9_]+)\\.(db|dbf)\"$"),
                                             QRegularExpression::CaseInsensitiveOption);
    for (Token &t : tokens) {
        if (t.kind != TokenKind::QuotedName)
            continue;
        const auto m = fileName.match(t.text);
        if (m.hasMatch()) {
            t.kind = TokenKind::Word;
            t.text = m.captured(1);
        }
    }
}

bool isClauseWord(const Token &t)
{
    static const char *words[] = {"where", "set", "order", "group", "limit", "returning", "indexed", "not"};
    for (const char *w : words)
        if (t.is(w))
            return true;
    return false;
}

// "delete from notas c where ..." -> "delete from notas AS c where ...", and the same for UPDATE.
void rewriteAliases(QList<Token> &tokens)
{
    const QList<int> sig = significant(tokens);
    int tableAt = -1;
    if (sig.size() >= 4 && tokens[sig[0]].is("delete") && tokens[sig[1]].is("from"))
        tableAt = 2;
    else if (sig.size() >= 3 && tokens[sig[0]].is("update"))
        tableAt = 1;
    if (tableAt < 0 || tableAt + 1 >= sig.size())
        return;
    const Token &alias = tokens[sig[tableAt + 1]];
    if (alias.kind == TokenKind::Word && !isClauseWord(alias) && !alias.is("as"))
        tokens.insert(sig[tableAt + 1], Token{TokenKind::Word, QStringLiteral("AS ")});
}

QStringList splitTopLevel(const QList<Token> &tokens, int from)
{
    QStringList parts;
    QString current;
    int depth = 0;
    for (int i = from; i < tokens.size(); ++i) {
        const Token &t = tokens[i];
        if (isSymbol(t, "("))
            ++depth;
        else if (isSymbol(t, ")"))
            --depth;
        if (depth == 0 && isSymbol(t, ",")) {
            parts.append(current.trimmed());
            current.clear();
            continue;
        }
        current += t.text;
    }
    if (!current.trimmed().isEmpty())
        parts.append(current.trimmed());
    return parts;
}

// ALTER TABLE t ADD a CHAR(10), DROP b, ... -> one statement per clause, types made the engine's.
QStringList rewriteAlter(const QList<Token> &tokens,
                         const std::function<QString(const FieldDef &)> &columnType)
{
    const QList<int> sig = significant(tokens);
    if (sig.size() < 4 || !tokens[sig[0]].is("alter") || !tokens[sig[1]].is("table"))
        return {};
    const QString table = tokens[sig[2]].text;
    const QStringList clauses = splitTopLevel(tokens, sig[3]);
    QStringList out;
    for (const QString &clause : clauses) {
        QList<Token> ct = tokenize(clause);
        const QList<int> cs = significant(ct);
        if (cs.isEmpty())
            continue;
        int at = 1;
        if (cs.size() > 1 && ct[cs[1]].is("column"))
            at = 2;
        if (ct[cs[0]].is("add") && cs.size() > at) {
            const QString name = ct[cs[at]].text;
            const QString rest = textBetween(ct, cs[at] + 1, int(ct.size()));
            // Keep what follows the type (NOT NULL, DEFAULT ...) as written.
            static const QRegularExpression typeThenRest(
                QStringLiteral("^([A-Za-z_]+(?:\\s+[A-Za-z_]+)?\\s*(?:\\([^)]*\\))?)(.*)$"),
                QRegularExpression::DotMatchesEverythingOption);
            const auto m = typeThenRest.match(rest);
            QString type = rest;
            QString tail;
            if (m.hasMatch()) {
                type = m.captured(1);
                tail = m.captured(2);
                // A second word only belongs to the type when it is one ("DOUBLE PRECISION").
                const QStringList words = type.split(QRegularExpression(QStringLiteral("\\s+")));
                if (words.size() > 1 && !words[1].startsWith(u'(')
                    && words[1].compare(u"PRECISION", Qt::CaseInsensitive) != 0) {
                    type = words[0];
                    tail = rest.mid(words[0].size());
                }
            }
            const FieldDef field = fieldFromType(name, type);
            out.append(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3%4")
                           .arg(table, name, columnType(field), tail.trimmed().isEmpty() ? QString() : u' ' + tail.trimmed()));
        } else if (ct[cs[0]].is("drop") && cs.size() > at) {
            out.append(QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(table, ct[cs[at]].text));
        } else {
            out.append(QStringLiteral("ALTER TABLE %1 %2").arg(table, clause));
        }
    }
    return out;
}

} // namespace

QStringList rewrite(const QString &sql, const std::function<QString(const FieldDef &)> &columnType,
                    bool engineKnowsStandardFunctions)
{
    QList<Token> tokens = tokenize(sql);
    rewriteFileNames(tokens);
    const QStringList altered = rewriteAlter(tokens, columnType);
    if (!altered.isEmpty())
        return altered;
    if (!engineKnowsStandardFunctions)
        rewriteFunctions(tokens);
    rewriteAliases(tokens);
    return {join(tokens)};
}

FieldDef fieldFromType(const QString &name, const QString &type)
{
    FieldDef f;
    f.name = name;
    static const QRegularExpression sized(QStringLiteral("^\\s*([A-Za-z_ ]*?)\\s*(?:\\(\\s*(\\d+)[^)]*\\))?\\s*$"));
    const auto m = sized.match(type);
    const QString word = (m.hasMatch() ? m.captured(1) : type).trimmed().toUpper();
    const int size = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (word == u"CHAR" || word == u"VARCHAR" || word == u"CHARACTER" || word == u"CHARACTER VARYING"
        || word == u"ALPHA" || word == u"NCHAR" || word == u"NVARCHAR") {
        f.type = size > 0 ? FieldType::Text : FieldType::Memo;
        f.size = size;
    } else if (word == u"TEXT" || word == u"CLOB" || word == u"MEMO" || word == u"BLOB") {
        f.type = FieldType::Memo;
    } else if (word == u"BOOLEAN" || word == u"BOOL" || word == u"LOGICAL") {
        f.type = FieldType::Logical;
    } else if (word == u"SMALLINT" || word == u"SHORT") {
        f.type = FieldType::Short;
    } else if (word == u"INTEGER" || word == u"INT" || word == u"LONG" || word == u"BIGINT") {
        f.type = FieldType::Long;
    } else if (word == u"AUTOINC INTEGER" || word == u"AUTOINC" || word == u"AUTOINCREMENT") {
        f.type = FieldType::AutoIncrement;
    } else if (word == u"MONEY REAL" || word == u"MONEY" || word == u"CURRENCY") {
        f.type = FieldType::Money;
    } else if (word == u"DATE") {
        f.type = FieldType::Date;
    } else {
        // FLOAT, DOUBLE, REAL, NUMERIC, DECIMAL and anything unknown hold numbers.
        f.type = word.isEmpty() ? FieldType::Memo : FieldType::Float;
    }
    return f;
}

QString singleTableSelectAll(const QString &sql, QString *alias)
{
    const QList<Token> tokens = tokenize(sql);
    const QList<int> sig = significant(tokens);
    if (sig.size() < 4 || !tokens[sig[0]].is("select") || !isSymbol(tokens[sig[1]], "*")
        || !tokens[sig[2]].is("from"))
        return {};
    const Token &table = tokens[sig[3]];
    if (table.kind != TokenKind::Word && table.kind != TokenKind::QuotedName)
        return {};
    QString name = table.text;
    if (table.kind == TokenKind::QuotedName)
        name = name.mid(1, name.size() - 2);
    name = name.section(u'.', 0, 0);
    QString aliasName = name;
    int next = 4;
    if (next < sig.size() && tokens[sig[next]].is("as"))
        ++next;
    if (next < sig.size() && tokens[sig[next]].kind == TokenKind::Word && !tokens[sig[next]].is("where")
        && !tokens[sig[next]].is("order")) {
        aliasName = tokens[sig[next]].text;
        ++next;
    }
    if (next < sig.size() && !tokens[sig[next]].is("where") && !tokens[sig[next]].is("order")
        && !isSymbol(tokens[sig[next]], ";"))
        return {};
    // Nothing that changes the rows' identity (joins, grouping) may follow.
    for (int k = next; k < sig.size(); ++k) {
        const Token &t = tokens[sig[k]];
        if (t.is("join") || t.is("group") || t.is("union") || t.is("distinct") || t.is("having"))
            return {};
    }
    if (alias)
        *alias = aliasName;
    return name;
}

QStringList splitStatements(const QString &sql)
{
    QStringList out;
    QString current;
    for (const Token &t : tokenize(sql)) {
        if (isSymbol(t, ";")) {
            if (!current.trimmed().isEmpty())
                out.append(current);
            current.clear();
        } else {
            current += t.text;
        }
    }
    if (!current.trimmed().isEmpty())
        out.append(current);
    return out;
}

} // namespace data::sqltext

namespace data::sqltext {

QStringList createTable(const TableDef &def, const std::function<QString(const FieldDef &)> &columnType,
                        const QStringList &extraColumns, bool placeEmptyValues)
{
    QStringList columns;
    for (const FieldDef &f : def.fields)
        columns.append(quoteName(f.name) + u' ' + columnType(f) + (f.required ? QStringLiteral(" NOT NULL") : QString()));
    columns.append(extraColumns);
    if (!def.primaryKey.isEmpty()) {
        QStringList keys;
        for (const QString &k : def.primaryKey)
            keys.append(quoteName(k));
        columns.append(QStringLiteral("PRIMARY KEY (%1)").arg(keys.join(QStringLiteral(", "))));
    }
    QStringList statements;
    statements.append(QStringLiteral("CREATE TABLE %1 (\n  %2\n)").arg(quoteName(def.name), columns.join(QStringLiteral(",\n  "))));
    for (const IndexDef &index : def.indexes) {
        QStringList parts;
        for (const QString &fieldName : index.fields) {
            const FieldDef *f = def.field(fieldName);
            if (!f)
                throw StoreError(QStringLiteral("O índice %1 da tabela %2 usa o campo inexistente %3.")
                                     .arg(index.name, def.name, fieldName));
            QString part = quoteName(f->name);
            if (index.caseInsensitive && (f->type == FieldType::Text || f->type == FieldType::Memo))
                part += QStringLiteral(" COLLATE %1").arg(QLatin1String(collation::kNameCaseInsensitive));
            if (index.descending)
                part += QStringLiteral(" DESC");
            if (placeEmptyValues)
                part += index.descending ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST");
            parts.append(part);
        }
        statements.append(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                              .arg(quoteName(def.name + u'.' + index.name), quoteName(def.name), parts.join(QStringLiteral(", "))));
    }
    return statements;
}

} // namespace data::sqltext

namespace data::sqltext {

QString typeText(const FieldDef &f)
{
    switch (f.type) {
    case FieldType::Text:
        return QStringLiteral("CHAR(%1)").arg(f.size);
    case FieldType::Float:
        return QStringLiteral("FLOAT");
    case FieldType::Short:
        return QStringLiteral("SMALLINT");
    case FieldType::Long:
        return QStringLiteral("INTEGER");
    case FieldType::Money:
        return QStringLiteral("MONEY REAL");
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::Logical:
        return QStringLiteral("BOOLEAN");
    case FieldType::AutoIncrement:
        return QStringLiteral("AUTOINC INTEGER");
    case FieldType::Memo:
        return QStringLiteral("TEXT");
    }
    return QStringLiteral("TEXT");
}

} // namespace data::sqltext
