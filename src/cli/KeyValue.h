#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// "NAME=VALUE" arguments, as the verbs take them: --key CAMPO=VALOR, CAMPO=VALOR,
// --param NOME=VALOR, --set ITEM=VALOR.
namespace cli {

struct KeyValue
{
    QString key;   // without surrounding blanks
    QString value; // as typed, blanks and further "=" included; empty when nothing follows "="
};

// In the order given. One without "=" or without a name is a usage error (exit status 2)
// naming what was `expected` ("--set ITEM=VALOR").
QList<KeyValue> keyValues(const QStringList &arguments, const QString &expected);

} // namespace cli
