#include "data/store/Filter.h"

#include "core/Formats.h"
#include "data/store/Collation.h"
#include "data/store/FieldValue.h"
#include "data/store/SqlText.h"

#include <cmath>

namespace data {

namespace {

enum class Op { Eq, Ne, Lt, Gt, Le, Ge };

enum class TokenKind { Name, Text, Number, Symbol, End };

struct Token
{
    TokenKind kind;
    QString text;
    int position; // 1-based, for messages
};

using fieldvalue::isNumberType;
using fieldvalue::isTextType;
using sqltext::quoteName;

Op mirrored(Op op)
{
    switch (op) {
    case Op::Lt:
        return Op::Gt;
    case Op::Gt:
        return Op::Lt;
    case Op::Le:
        return Op::Ge;
    case Op::Ge:
        return Op::Le;
    default:
        return op;
    }
}

bool holds(Op op, int comparison)
{
    switch (op) {
    case Op::Eq:
        return comparison == 0;
    case Op::Ne:
        return comparison != 0;
    case Op::Lt:
        return comparison < 0;
    case Op::Gt:
        return comparison > 0;
    case Op::Le:
        return comparison <= 0;
    case Op::Ge:
        return comparison >= 0;
    }
    return false;
}

const char *sqlOp(Op op)
{
    switch (op) {
    case Op::Eq:
        return "=";
    case Op::Ne:
        return "<>";
    case Op::Lt:
        return "<";
    case Op::Gt:
        return ">";
    case Op::Le:
        return "<=";
    case Op::Ge:
        return ">=";
    }
    return "=";
}

} // namespace

// An operand is a field, a literal or nothing (NULL); a node is a test.
struct FilterExpression::Node
{
    enum class Kind { And, Or, Not, Compare, Truth, Constant };
    enum class OperandKind { Field, Text, Number, Null, Boolean };

    struct Operand
    {
        OperandKind kind = OperandKind::Null;
        QString text;      // field name or literal text as written
        double number = 0;
        bool boolean = false;
        int position = 0;
        // After prepare():
        int field = -1;
        FieldType type = FieldType::Text;
        QString column;
    };

    Kind kind = Kind::Constant;
    std::vector<std::unique_ptr<Node>> children;
    Op op = Op::Eq;
    Operand left;
    Operand right;
    bool constant = false;
    // After prepare(): the literal in the field's type (null when the literal is NULL or '').
    QVariant literal;
};

using Node = FilterExpression::Node;

namespace {

class Parser
{
public:
    explicit Parser(const QString &text) : m_text(text) { tokenize(); }

    std::unique_ptr<Node> parseAll()
    {
        if (peek().kind == TokenKind::End)
            fail(peek(), QStringLiteral("expressão vazia"));
        auto node = parseOr();
        if (peek().kind != TokenKind::End)
            fail(peek(), QStringLiteral("\"%1\" inesperado").arg(peek().text));
        return node;
    }

private:
    [[noreturn]] void fail(const Token &at, const QString &what) const
    {
        throw StoreError(QStringLiteral("Filtro inválido (posição %1: %2):\n%3").arg(at.position).arg(what, m_text));
    }

    void tokenize()
    {
        const int n = int(m_text.size());
        int i = 0;
        while (i < n) {
            const QChar c = m_text.at(i);
            const int start = i;
            if (c.isSpace()) {
                ++i;
            } else if (c == u'\'') {
                QString value;
                ++i;
                bool closed = false;
                while (i < n) {
                    if (m_text.at(i) == u'\'') {
                        if (i + 1 < n && m_text.at(i + 1) == u'\'') {
                            value += u'\'';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    value += m_text.at(i++);
                }
                if (!closed)
                    fail({TokenKind::Text, value, start + 1}, QStringLiteral("texto sem aspas de fechamento"));
                m_tokens.append({TokenKind::Text, value, start + 1});
            } else if (c == u'"') {
                const int end = int(m_text.indexOf(u'"', i + 1));
                if (end < 0)
                    fail({TokenKind::Name, QString(), start + 1}, QStringLiteral("nome sem aspas de fechamento"));
                m_tokens.append({TokenKind::Name, m_text.mid(i + 1, end - i - 1), start + 1});
                i = end + 1;
            } else if (c.isDigit() || ((c == u'-' || c == u'+' || c == u'.') && i + 1 < n && m_text.at(i + 1).isDigit()
                                       && lastAllowsSign())) {
                ++i;
                while (i < n && (m_text.at(i).isDigit() || m_text.at(i) == u'.' || m_text.at(i) == u','))
                    ++i;
                m_tokens.append({TokenKind::Number, m_text.mid(start, i - start), start + 1});
            } else if (c.isLetter() || c == u'_') {
                while (i < n && (m_text.at(i).isLetterOrNumber() || m_text.at(i) == u'_' || m_text.at(i) == u'.'))
                    ++i;
                m_tokens.append({TokenKind::Name, m_text.mid(start, i - start), start + 1});
            } else {
                QString symbol(c);
                ++i;
                if (i < n && ((c == u'<' && (m_text.at(i) == u'>' || m_text.at(i) == u'='))
                              || (c == u'>' && m_text.at(i) == u'=') || (c == u'!' && m_text.at(i) == u'='))) {
                    symbol += m_text.at(i);
                    ++i;
                }
                if (!QStringList{QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("!="), QStringLiteral("("), QStringLiteral(")")}.contains(symbol))
                    fail({TokenKind::Symbol, symbol, start + 1}, QStringLiteral("caractere \"%1\" inesperado").arg(symbol));
                m_tokens.append({TokenKind::Symbol, symbol, start + 1});
            }
        }
        m_tokens.append({TokenKind::End, QStringLiteral("fim"), n + 1});
    }

    // A sign belongs to a number only where an operand may start.
    bool lastAllowsSign() const
    {
        if (m_tokens.isEmpty())
            return true;
        const Token &t = m_tokens.last();
        return t.kind == TokenKind::Symbol && t.text != u")";
    }

    const Token &peek() const { return m_tokens[m_pos]; }
    Token take() { return m_tokens[m_pos++]; }
    bool isWord(const Token &t, const char *word) const
    {
        return t.kind == TokenKind::Name && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(const Token &t, const char *s) const { return t.kind == TokenKind::Symbol && t.text == QLatin1String(s); }

    std::unique_ptr<Node> parseOr()
    {
        auto left = parseAnd();
        if (!isWord(peek(), "or"))
            return left;
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Or;
        node->children.push_back(std::move(left));
        while (isWord(peek(), "or")) {
            take();
            node->children.push_back(parseAnd());
        }
        return node;
    }

    std::unique_ptr<Node> parseAnd()
    {
        auto left = parseNot();
        if (!isWord(peek(), "and"))
            return left;
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::And;
        node->children.push_back(std::move(left));
        while (isWord(peek(), "and")) {
            take();
            node->children.push_back(parseNot());
        }
        return node;
    }

    std::unique_ptr<Node> parseNot()
    {
        if (isWord(peek(), "not")) {
            take();
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::Not;
            node->children.push_back(parseNot());
            return node;
        }
        return parseComparison();
    }

    std::unique_ptr<Node> parseComparison()
    {
        if (isSymbol(peek(), "(")) {
            const Token open = take();
            auto inner = parseOr();
            if (!isSymbol(peek(), ")"))
                fail(peek(), QStringLiteral("falta \")\" para o \"(\" da posição %1").arg(open.position));
            take();
            return inner;
        }
        auto node = std::make_unique<Node>();
        node->left = parseOperand();
        const Token &t = peek();
        if (t.kind == TokenKind::Symbol && t.text != u"(" && t.text != u")") {
            const QString s = take().text;
            node->op = s == u"=" ? Op::Eq : (s == u"<>" || s == u"!=") ? Op::Ne : s == u"<" ? Op::Lt
                     : s == u">" ? Op::Gt : s == u"<=" ? Op::Le : Op::Ge;
            node->kind = Node::Kind::Compare;
            node->right = parseOperand();
        } else {
            node->kind = Node::Kind::Truth;
        }
        return node;
    }

    Node::Operand parseOperand()
    {
        const Token t = take();
        Node::Operand o;
        o.position = t.position;
        switch (t.kind) {
        case TokenKind::Text:
            o.kind = Node::OperandKind::Text;
            o.text = t.text;
            break;
        case TokenKind::Number: {
            const auto number = core::parseNumber(t.text);
            if (!number)
                fail(t, core::invalidNumberMessage(t.text));
            o.kind = Node::OperandKind::Number;
            o.number = *number;
            o.text = t.text;
            break;
        }
        case TokenKind::Name:
            if (isWord(t, "null")) {
                o.kind = Node::OperandKind::Null;
            } else if (isWord(t, "true") || isWord(t, "false")) {
                o.kind = Node::OperandKind::Boolean;
                o.boolean = isWord(t, "true");
            } else if (isWord(t, "and") || isWord(t, "or") || isWord(t, "not")) {
                fail(t, QStringLiteral("falta um campo ou valor antes de \"%1\"").arg(t.text));
            } else {
                o.kind = Node::OperandKind::Field;
                o.text = t.text;
            }
            break;
        default:
            fail(t, QStringLiteral("falta um campo ou valor"));
        }
        return o;
    }

    QString m_text;
    QList<Token> m_tokens;
    int m_pos = 0;
};

[[noreturn]] void failValue(const QString &filter, const Node::Operand &o, const QString &what)
{
    throw StoreError(QStringLiteral("Filtro inválido (posição %1: %2):\n%3").arg(o.position).arg(what, filter));
}

// The literal in the type of the field it is compared with; null for NULL and ''.
QVariant literalFor(const QString &filter, const Node::Operand &literal, FieldType type)
{
    using K = Node::OperandKind;
    if (literal.kind == K::Null || (literal.kind == K::Text && literal.text.isEmpty()))
        return {};
    if (isTextType(type))
        return literal.kind == K::Number ? QVariant(literal.text)
             : literal.kind == K::Boolean ? QVariant(literal.boolean ? QStringLiteral("True") : QStringLiteral("False"))
                                          : QVariant(literal.text);
    if (isNumberType(type)) {
        if (literal.kind == K::Number)
            return literal.number;
        if (literal.kind == K::Boolean)
            return literal.boolean ? 1.0 : 0.0;
        const auto number = core::parseNumber(literal.text);
        if (!number)
            failValue(filter, literal, core::invalidNumberMessage(literal.text));
        return *number;
    }
    if (type == FieldType::Date) {
        if (literal.kind != K::Text)
            failValue(filter, literal, QStringLiteral("data inválida \"%1\"").arg(literal.text));
        const auto date = fieldvalue::parseDate(literal.text);
        if (!date)
            failValue(filter, literal, QStringLiteral("data inválida '%1'").arg(literal.text));
        return *date;
    }
    // Logical.
    if (literal.kind == K::Boolean)
        return literal.boolean;
    if (literal.kind == K::Number)
        return literal.number != 0;
    if (const auto truth = fieldvalue::parseLogical(literal.text))
        return *truth;
    failValue(filter, literal, QStringLiteral("valor lógico inválido '%1'").arg(literal.text));
}

QVariant constantOf(const Node::Operand &o)
{
    using K = Node::OperandKind;
    switch (o.kind) {
    case K::Text:
        return o.text.isEmpty() ? QVariant() : QVariant(o.text);
    case K::Number:
        return o.number;
    case K::Boolean:
        return o.boolean;
    default:
        return {};
    }
}

// Compares two values of one kind; nullopt when either is null (outside texts).
std::optional<int> compareValues(const QVariant &a, const QVariant &b, FieldType type)
{
    if (isTextType(type))
        return collation::compare(a.toString(), b.toString());
    if (a.isNull() || b.isNull())
        return std::nullopt;
    if (type == FieldType::Date) {
        const QDate x = a.toDate(), y = b.toDate();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    const double x = a.toDouble(), y = b.toDouble();
    return x < y ? -1 : x > y ? 1 : 0;
}

bool truthOf(const QVariant &v, FieldType type)
{
    if (v.isNull())
        return false;
    if (isTextType(type))
        return !v.toString().isEmpty();
    if (type == FieldType::Date)
        return v.toDate().isValid();
    if (type == FieldType::Logical)
        return v.toBool();
    return v.toDouble() != 0;
}

// Semantics of "value op literal" shared by the SQL and the in-memory evaluation.
bool evaluate(const QVariant &value, Op op, const QVariant &literal, FieldType type)
{
    if (type == FieldType::Logical) {
        const bool v = !value.isNull() && value.toBool(); // an empty logical is false
        if (literal.isNull())
            return op == Op::Eq ? value.isNull() : op == Op::Ne ? !value.isNull() : false;
        return holds(op, int(v) - int(literal.toBool()));
    }
    if (isTextType(type))
        return holds(op, collation::compare(value.toString(), literal.toString())); // empty == ''
    if (literal.isNull())
        return op == Op::Eq ? value.isNull() : op == Op::Ne ? !value.isNull() : false;
    if (value.isNull())
        return op == Op::Ne; // an empty number or date differs from every value
    return holds(op, *compareValues(value, literal, type));
}

} // namespace

FilterExpression::~FilterExpression() = default;

std::unique_ptr<FilterExpression> FilterExpression::parse(const QString &text)
{
    std::unique_ptr<FilterExpression> f(new FilterExpression);
    f->m_text = text;
    f->m_root = Parser(text).parseAll();
    return f;
}

namespace {

void prepareOperand(const QString &filter, Node::Operand &o, const QList<DatasetField> &fields)
{
    if (o.kind != Node::OperandKind::Field)
        return;
    auto find = [&](const QString &name) {
        for (int i = 0; i < fields.size(); ++i)
            if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };
    int index = find(o.text);
    if (index < 0 && o.text.contains(u'.'))
        index = find(o.text.section(u'.', -1));
    if (index < 0)
        failValue(filter, o, QStringLiteral("campo desconhecido \"%1\"").arg(o.text));
    o.field = index;
    o.type = fields[index].type;
    o.column = fields[index].name;
}

void prepareNode(const QString &filter, Node &node, const QList<DatasetField> &fields)
{
    using K = Node::OperandKind;
    for (auto &child : node.children)
        prepareNode(filter, *child, fields);
    if (node.kind == Node::Kind::Truth) {
        prepareOperand(filter, node.left, fields);
        if (node.left.kind != K::Field) {
            node.kind = Node::Kind::Constant;
            node.constant = truthOf(constantOf(node.left), node.left.kind == K::Text ? FieldType::Text : FieldType::Float);
        }
        return;
    }
    if (node.kind != Node::Kind::Compare)
        return;
    prepareOperand(filter, node.left, fields);
    prepareOperand(filter, node.right, fields);
    if (node.left.kind != K::Field && node.right.kind == K::Field) {
        std::swap(node.left, node.right);
        node.op = mirrored(node.op);
    }
    if (node.left.kind != K::Field) {
        // Two literals: decide now.
        const QVariant a = constantOf(node.left), b = constantOf(node.right);
        const FieldType type = node.left.kind == K::Text || node.right.kind == K::Text ? FieldType::Text : FieldType::Float;
        node.kind = Node::Kind::Constant;
        node.constant = evaluate(a, node.op, b, type);
        return;
    }
    if (node.right.kind != K::Field)
        node.literal = literalFor(filter, node.right, node.left.type);
}

QString fieldPairSql(const Node &node)
{
    const QString a = quoteName(node.left.column), b = quoteName(node.right.column);
    const char *op = sqlOp(node.op);
    if (isTextType(node.left.type) || isTextType(node.right.type))
        return QStringLiteral("(COALESCE(%1, '') %2 COALESCE(%3, ''))").arg(a, QLatin1String(op), b);
    if (node.op == Op::Eq)
        return QStringLiteral("(%1 IS %2)").arg(a, b);
    if (node.op == Op::Ne)
        return QStringLiteral("(%1 IS NOT %2)").arg(a, b);
    return QStringLiteral("(%1 IS NOT NULL AND %3 IS NOT NULL AND %1 %2 %3)").arg(a, QLatin1String(op), b);
}

QString compareSql(const Node &node, QVariantList &values)
{
    if (node.right.kind == Node::OperandKind::Field)
        return fieldPairSql(node);
    const QString c = quoteName(node.left.column);
    const FieldType type = node.left.type;
    const QVariant &v = node.literal;
    const Op op = node.op;
    auto bound = [&](const QString &pattern) {
        values.append(v);
        return pattern.arg(c);
    };
    if (isTextType(type)) {
        if (v.isNull()) { // against '' (or NULL): empty texts are ''
            switch (op) {
            case Op::Eq:
            case Op::Le:
                return QStringLiteral("(%1 IS NULL OR %1 = '')").arg(c);
            case Op::Ne:
            case Op::Gt:
                return QStringLiteral("(%1 IS NOT NULL AND %1 <> '')").arg(c);
            case Op::Lt:
                return QStringLiteral("0");
            case Op::Ge:
                return QStringLiteral("1");
            }
        }
        // Every test yields true or false, never NULL, so that NOT works on empty fields too.
        switch (op) {
        case Op::Eq:
            return bound(QStringLiteral("(%1 IS NOT NULL AND %1 = ?)"));
        case Op::Ne:
            return bound(QStringLiteral("(%1 IS NULL OR %1 <> ?)"));
        case Op::Lt:
            return bound(QStringLiteral("(%1 IS NULL OR %1 < ?)"));
        case Op::Le:
            return bound(QStringLiteral("(%1 IS NULL OR %1 <= ?)"));
        case Op::Gt:
            return bound(QStringLiteral("(%1 IS NOT NULL AND %1 > ?)"));
        case Op::Ge:
            return bound(QStringLiteral("(%1 IS NOT NULL AND %1 >= ?)"));
        }
    }
    if (v.isNull()) {
        if (op == Op::Eq)
            return QStringLiteral("(%1 IS NULL)").arg(c);
        if (op == Op::Ne)
            return QStringLiteral("(%1 IS NOT NULL)").arg(c);
        return QStringLiteral("0");
    }
    if (type == FieldType::Logical) {
        const QString truth = QStringLiteral("(COALESCE(%1, 0) <> 0)").arg(c);
        const int literal = v.toBool() ? 1 : 0;
        return QStringLiteral("(CASE WHEN %1 THEN 1 ELSE 0 END %2 %3)").arg(truth, QLatin1String(sqlOp(op))).arg(literal);
    }
    if (op == Op::Ne)
        return bound(QStringLiteral("(%1 IS NULL OR %1 <> ?)"));
    return bound(QStringLiteral("(%1 IS NOT NULL AND %1 ") + QLatin1String(sqlOp(op)) + QStringLiteral(" ?)"));
}

QString nodeSql(const Node &node, QVariantList &values)
{
    switch (node.kind) {
    case Node::Kind::And:
    case Node::Kind::Or: {
        QStringList parts;
        for (const auto &child : node.children)
            parts.append(nodeSql(*child, values));
        return u'(' + parts.join(node.kind == Node::Kind::And ? QStringLiteral(" AND ") : QStringLiteral(" OR ")) + u')';
    }
    case Node::Kind::Not:
        return QStringLiteral("(NOT %1)").arg(nodeSql(*node.children.front(), values));
    case Node::Kind::Compare:
        return compareSql(node, values);
    case Node::Kind::Truth: {
        const QString c = quoteName(node.left.column);
        if (isTextType(node.left.type))
            return QStringLiteral("(%1 IS NOT NULL AND %1 <> '')").arg(c);
        if (node.left.type == FieldType::Date)
            return QStringLiteral("(%1 IS NOT NULL)").arg(c);
        return QStringLiteral("(COALESCE(%1, 0) <> 0)").arg(c);
    }
    case Node::Kind::Constant:
        return node.constant ? QStringLiteral("1") : QStringLiteral("0");
    }
    return QStringLiteral("1");
}

bool nodeMatches(const Node &node, const QVariantList &values)
{
    switch (node.kind) {
    case Node::Kind::And:
        for (const auto &child : node.children)
            if (!nodeMatches(*child, values))
                return false;
        return true;
    case Node::Kind::Or:
        for (const auto &child : node.children)
            if (nodeMatches(*child, values))
                return true;
        return false;
    case Node::Kind::Not:
        return !nodeMatches(*node.children.front(), values);
    case Node::Kind::Truth:
        return truthOf(values.value(node.left.field), node.left.type);
    case Node::Kind::Constant:
        return node.constant;
    case Node::Kind::Compare:
        break;
    }
    const QVariant value = values.value(node.left.field);
    if (node.right.kind != Node::OperandKind::Field)
        return evaluate(value, node.op, node.literal, node.left.type);
    const QVariant other = values.value(node.right.field);
    if (isTextType(node.left.type) || isTextType(node.right.type))
        return holds(node.op, collation::compare(value.toString(), other.toString()));
    if (value.isNull() || other.isNull()) {
        if (node.op == Op::Eq)
            return value.isNull() && other.isNull();
        if (node.op == Op::Ne)
            return value.isNull() != other.isNull();
        return false;
    }
    return holds(node.op, *compareValues(value, other, node.left.type == FieldType::Date ? FieldType::Date : FieldType::Float));
}

} // namespace

void FilterExpression::prepare(const QList<DatasetField> &fields)
{
    prepareNode(m_text, *m_root, fields);
}

QString FilterExpression::toSql(QVariantList &values) const
{
    return nodeSql(*m_root, values);
}

bool FilterExpression::matches(const QVariantList &values) const
{
    return nodeMatches(*m_root, values);
}

} // namespace data
