#include "cli/Verb.h"

#include <algorithm>

namespace cli {

namespace {

QList<const Verb *> &registry()
{
    static QList<const Verb *> list;
    return list;
}

} // namespace

Args::Args(const QStringList &arguments, const QStringList &flagNames)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (!arg.startsWith(QStringLiteral("--")) || arg == u"--") {
            m_positionals.append(arg);
            continue;
        }
        QString name = arg.mid(2);
        QString value;
        const int eq = name.indexOf(u'=');
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
        } else if (!flagNames.contains(name)) {
            if (i + 1 >= arguments.size())
                throw Failure(QStringLiteral("a opção --%1 precisa de um valor").arg(name), 2);
            value = arguments.at(++i);
        }
        m_options[name].append(value);
    }
}

QString Args::positional(int index, const QString &what) const
{
    if (index >= m_positionals.size())
        throw Failure(QStringLiteral("falta o argumento %1").arg(what), 2);
    return m_positionals.at(index);
}

bool Args::has(const QString &option) const
{
    return m_options.contains(option);
}

QString Args::value(const QString &option, const QString &fallback) const
{
    const auto it = m_options.constFind(option);
    return it == m_options.constEnd() ? fallback : it->last();
}

QStringList Args::values(const QString &option) const
{
    return m_options.value(option);
}

void Args::allowOnly(const QStringList &known) const
{
    for (auto it = m_options.constBegin(); it != m_options.constEnd(); ++it) {
        if (!known.contains(it.key()))
            throw Failure(QStringLiteral("opção desconhecida: --%1").arg(it.key()), 2);
    }
}

Verb::Verb(const char *name, const char *usage, const char *summary, Run run)
    : name(QString::fromUtf8(name)), usage(QString::fromUtf8(usage)),
      summary(QString::fromUtf8(summary)), run(std::move(run))
{
    registry().append(this);
}

QList<const Verb *> verbs()
{
    QList<const Verb *> list = registry();
    std::sort(list.begin(), list.end(), [](const Verb *a, const Verb *b) { return a->name < b->name; });
    return list;
}

const Verb *findVerb(const QString &name)
{
    for (const Verb *verb : registry()) {
        if (verb->name == name)
            return verb;
    }
    return nullptr;
}

void printRows(QTextStream &out, const core::SemicolonTable &rows)
{
    for (const QString &line : core::semicolonLines(rows))
        out << line << '\n';
}

QString oneLine(const QString &text)
{
    QString line = text;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return line;
}

} // namespace cli
