#include "data/store/PgSqlText.h"

#include "data/store/SqlText.h"
#include "data/store/StoreError.h"

namespace data::pgsql {

namespace {

bool isSchemaChange(const QList<sqltext::Token> &tokens)
{
    for (const sqltext::Token &t : tokens) {
        if (t.kind == sqltext::TokenKind::Space)
            continue;
        return t.is("create") || t.is("alter") || t.is("drop") || t.is("comment");
    }
    return false;
}

// SQLite puts empty values first in an ascending order and last in a descending one; the
// server does the opposite unless told, so each ORDER BY term says it.
void orderNullsAsBefore(QList<sqltext::Token> &tokens)
{
    int depth = 0;
    int orderDepth = -1;
    qsizetype lastSignificant = -1;
    bool descending = false;
    bool saysNulls = false;
    auto endTerm = [&] {
        if (lastSignificant >= 0 && !saysNulls)
            tokens[lastSignificant].text += descending ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST");
        descending = false;
        saysNulls = false;
    };
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const sqltext::Token &t = tokens[i];
        if (t.kind == sqltext::TokenKind::Space)
            continue;
        const bool open = t.kind == sqltext::TokenKind::Symbol && t.text == u"(";
        const bool close = t.kind == sqltext::TokenKind::Symbol && t.text == u")";
        if (orderDepth >= 0) {
            if (close && depth == orderDepth) {
                endTerm();
                orderDepth = -1;
            } else if (depth == orderDepth) {
                if ((t.kind == sqltext::TokenKind::Symbol && (t.text == u"," || t.text == u";")) || t.is("limit")
                    || t.is("offset") || t.is("for") || t.is("fetch")) {
                    endTerm();
                    if (t.text != u",")
                        orderDepth = -1;
                } else if (t.is("desc")) {
                    descending = true;
                } else if (t.is("asc")) {
                    descending = false;
                } else if (t.is("nulls")) {
                    saysNulls = true;
                }
            }
        } else if (t.is("by") && lastSignificant >= 0 && tokens[lastSignificant].is("order")) {
            orderDepth = depth;
            lastSignificant = i;
            continue;
        }
        if (open)
            ++depth;
        if (close)
            --depth;
        lastSignificant = i;
    }
    if (orderDepth >= 0)
        endTerm();
}

// A subquery in FROM needs a name on the server ("from (select ...) as x"); SQLite does without.
void nameDerivedTables(QList<sqltext::Token> &tokens)
{
    static const QStringList follows = {u"where"_qs, u"order"_qs,  u"group"_qs, u"limit"_qs,  u"having"_qs,
                                        u"union"_qs, u"inner"_qs,  u"left"_qs,  u"right"_qs,  u"join"_qs,
                                        u"on"_qs,    u"cross"_qs,  u"full"_qs,  u"offset"_qs, u"except"_qs,
                                        u"intersect"_qs, u"natural"_qs, u"window"_qs};
    auto next = [&](qsizetype i) {
        while (++i < tokens.size())
            if (tokens[i].kind != sqltext::TokenKind::Space)
                return i;
        return qsizetype(-1);
    };
    qsizetype previous = -1;
    int named = 0;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == sqltext::TokenKind::Space)
            continue;
        const bool opens = tokens[i].kind == sqltext::TokenKind::Symbol && tokens[i].text == u"(";
        const qsizetype first = opens ? next(i) : -1;
        if (opens && previous >= 0 && (tokens[previous].is("from") || tokens[previous].is("join")) && first >= 0
            && tokens[first].is("select")) {
            int depth = 0;
            qsizetype close = -1;
            for (qsizetype j = i; j < tokens.size() && close < 0; ++j) {
                if (tokens[j].kind != sqltext::TokenKind::Symbol)
                    continue;
                if (tokens[j].text == u"(")
                    ++depth;
                else if (tokens[j].text == u")" && --depth == 0)
                    close = j;
            }
            const qsizetype after = close >= 0 ? next(close) : -1;
            if (close >= 0
                && (after < 0 || (tokens[after].kind == sqltext::TokenKind::Symbol && tokens[after].text != u"(")
                    || (tokens[after].kind == sqltext::TokenKind::Word && follows.contains(tokens[after].text.toLower()))))
                tokens[close].text += QStringLiteral(" AS lumesco_from%1").arg(++named);
        }
        previous = i;
    }
}

} // namespace

ServerStatement toServer(const QString &sql)
{
    ServerStatement out;
    QList<sqltext::Token> tokens = sqltext::tokenize(sql);
    int positional = 0;
    int depth = 0;
    bool inSelectList = false;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        sqltext::Token &t = tokens[i];
        if (t.kind == sqltext::TokenKind::Symbol && (t.text == u"(" || t.text == u")"))
            depth += t.text == u"(" ? 1 : -1;
        if (depth == 0 && t.is("select"))
            inSelectList = true;
        else if (depth == 0 && t.is("from"))
            inSelectList = false;
        if (t.kind == sqltext::TokenKind::QuotedName && t.text.size() >= 2) {
            const QString inner = unquoted(t.text);
            t = inner.compare(u"rowid", Qt::CaseInsensitive) == 0 ? sqltext::Token{sqltext::TokenKind::Word, QStringLiteral("rowid")}
                                                                 : sqltext::Token{sqltext::TokenKind::QuotedName, folded(inner)};
        }
        // Logical fields hold 0/1; the program's statements also write them TRUE and FALSE.
        if (t.is("true") || t.is("false"))
            t.text = t.is("true") ? QStringLiteral("1") : QStringLiteral("0");
        if (inSelectList && t.is("rowid")) {
            // A row id named in the select list stays; those a "*" brings are the table's own.
            qsizetype next = i + 1;
            while (next < tokens.size() && tokens[next].kind == sqltext::TokenKind::Space)
                ++next;
            if (next >= tokens.size() || tokens[next].text == u"," || tokens[next].is("from"))
                ++out.explicitRowIds;
        }
        if (t.kind == sqltext::TokenKind::Parameter && t.text.startsWith(u':')) {
            if (i > 0 && tokens[i - 1].text == u":")
                continue; // a cast ("x::integer")
            const QString name = t.text.mid(1);
            qsizetype at = -1;
            for (qsizetype n = 0; n < out.names.size(); ++n)
                if (out.names[n].compare(name, Qt::CaseInsensitive) == 0)
                    at = n;
            if (at < 0) {
                out.names.append(name);
                at = out.names.size() - 1;
            }
            t.text = u'$' + QString::number(at + 1);
        } else if (t.kind == sqltext::TokenKind::Symbol && t.text == u"?") {
            if (i + 1 < tokens.size() && tokens[i + 1].kind == sqltext::TokenKind::Number) {
                const int n = tokens[i + 1].text.toInt();
                t.text = u'$' + tokens[i + 1].text;
                tokens[i + 1].text.clear();
                positional = qMax(positional, n);
            } else {
                t.text = u'$' + QString::number(++positional);
            }
        }
    }
    if (!out.names.isEmpty() && positional > 0)
        throw StoreError(QStringLiteral("Marcas de parâmetro misturadas na instrução SQL.\nInstrução: ") + sql.trimmed());
    out.parameters = out.names.isEmpty() ? positional : int(out.names.size());
    orderNullsAsBefore(tokens);
    nameDerivedTables(tokens);
    out.text = sqltext::join(tokens).toUtf8();
    for (const sqltext::Token &t : std::as_const(tokens))
        if (t.kind != sqltext::TokenKind::Space && !t.text.isEmpty())
            out.words.append(t.text.toLower());
    out.schemaChange = isSchemaChange(tokens);
    return out;
}

QString literal(const QString &text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString folded(const QString &name)
{
    return sqltext::quoteName(name.toLower());
}

QString unquoted(const QString &name)
{
    if (name.size() >= 2 && (name.startsWith(u'"') || name.startsWith(u'[') || name.startsWith(u'`')))
        return name.mid(1, name.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return name;
}

QStringList createTableAsStore(const QString &statement, const SqlDialect &dialect)
{
    const QList<sqltext::Token> tokens = sqltext::tokenize(statement);
    QList<qsizetype> sig;
    for (qsizetype i = 0; i < tokens.size(); ++i)
        if (tokens[i].kind != sqltext::TokenKind::Space)
            sig.append(i);
    if (sig.size() < 5 || !tokens[sig[0]].is("create") || !tokens[sig[1]].is("table"))
        return {};
    qsizetype at = 2;
    if (tokens[sig[2]].is("if"))
        at = 5; // IF NOT EXISTS
    if (sig.size() <= at + 1 || tokens[sig[at + 1]].text != u"(")
        return {};
    const QString table = unquoted(tokens[sig[at]].text);
    QStringList definitions;
    QString current;
    int depth = 0;
    qsizetype end = -1;
    for (qsizetype i = sig[at + 1] + 1; i < tokens.size(); ++i) {
        const sqltext::Token &t = tokens[i];
        if (t.kind == sqltext::TokenKind::Symbol && t.text == u"(")
            ++depth;
        if (t.kind == sqltext::TokenKind::Symbol && t.text == u")" && depth-- == 0) {
            end = i;
            break;
        }
        if (depth == 0 && t.kind == sqltext::TokenKind::Symbol && t.text == u",") {
            definitions.append(current.trimmed());
            current.clear();
            continue;
        }
        current += t.text;
    }
    if (end < 0)
        return {};
    definitions.append(current.trimmed());
    QStringList columns, comments;
    static const QStringList constraints = {u"primary"_qs, u"unique"_qs, u"constraint"_qs, u"foreign"_qs, u"check"_qs};
    static const QStringList typeEnds = {u"not"_qs,    u"null"_qs,       u"primary"_qs, u"default"_qs,   u"unique"_qs,
                                         u"check"_qs,  u"references"_qs, u"collate"_qs, u"constraint"_qs};
    for (const QString &definition : std::as_const(definitions)) {
        const QList<sqltext::Token> parts = sqltext::tokenize(definition);
        QList<qsizetype> words;
        for (qsizetype i = 0; i < parts.size(); ++i)
            if (parts[i].kind != sqltext::TokenKind::Space)
                words.append(i);
        if (words.isEmpty() || constraints.contains(parts[words[0]].text.toLower())) {
            columns.append(definition);
            continue;
        }
        QString type, rest;
        bool inType = true;
        for (qsizetype i = words[0] + 1; i < parts.size(); ++i) {
            if (inType && parts[i].kind == sqltext::TokenKind::Word && typeEnds.contains(parts[i].text.toLower()))
                inType = false;
            (inType ? type : rest) += parts[i].text;
        }
        FieldDef f = sqltext::fieldFromType(unquoted(parts[words[0]].text), type.trimmed());
        columns.append(parts[words[0]].text + u' ' + dialect.columnType(f) + (rest.trimmed().isEmpty() ? QString() : u' ' + rest.trimmed()));
        comments.append(QStringLiteral("COMMENT ON COLUMN %1.%2 IS %3")
                            .arg(folded(table), folded(f.name), literal(f.name + u'|' + sqltext::typeText(f))));
    }
    columns.append(QLatin1String(kRowIdColumn));
    QString head;
    for (qsizetype i = 0; i < sig[at + 1]; ++i)
        head += tokens[i].text;
    QString tail;
    for (qsizetype i = end + 1; i < tokens.size(); ++i)
        tail += tokens[i].text;
    QStringList out{head.trimmed() + QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + u')' + tail};
    out.append(QStringLiteral("COMMENT ON TABLE %1 IS %2").arg(folded(table), literal(table)));
    out.append(comments);
    return out;
}

} // namespace data::pgsql
