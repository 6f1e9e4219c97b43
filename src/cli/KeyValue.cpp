#include "cli/KeyValue.h"

#include "cli/Verb.h"

namespace cli {

QList<KeyValue> keyValues(const QStringList &arguments, const QString &expected)
{
    QList<KeyValue> list;
    for (const QString &argument : arguments) {
        const qsizetype eq = argument.indexOf(u'=');
        const QString key = eq < 0 ? QString() : argument.left(eq).trimmed();
        if (key.isEmpty())
            throw Failure(QStringLiteral("esperado %1: %2").arg(expected, argument), 2);
        list += KeyValue{key, argument.mid(eq + 1)};
    }
    return list;
}

} // namespace cli
