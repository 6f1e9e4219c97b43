#include "data/store/ServerAddress.h"

#include "data/store/StoreError.h"

#include <QUrl>
#include <QUrlQuery>

namespace data {

namespace {

QString yearKey()
{
    return QStringLiteral("ano");
}

} // namespace

bool ServerAddress::isServerAddress(const QString &location)
{
    const QString t = location.trimmed();
    return t.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
        || t.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

ServerAddress ServerAddress::parse(const QString &location)
{
    ServerAddress a;
    a.text = location.trimmed();
    const QUrl url(a.text, QUrl::StrictMode);
    auto refuse = [&](const QString &why) {
        return StoreError(QStringLiteral("Endereço de servidor inválido: %1\n%2").arg(a.text, why));
    };
    if (!isServerAddress(a.text) || !url.isValid())
        throw refuse(QStringLiteral("Use a forma postgresql://servidor/banco?ano=2026."));
    if (!url.password().isEmpty())
        throw refuse(QStringLiteral("A senha não pode ficar no endereço; use o arquivo .pgpass do usuário."));
    const QString database = url.path().mid(1);
    if (database.isEmpty() || database.contains(u'/'))
        throw refuse(QStringLiteral("Falta o nome do banco de dados da escola."));
    QUrlQuery query(url);
    if (query.hasQueryItem(yearKey())) {
        bool ok = false;
        a.year = query.queryItemValue(yearKey()).toInt(&ok);
        if (!ok || a.year <= 0)
            throw refuse(QStringLiteral("O ano letivo (ano=) deve ser um número."));
        query.removeAllQueryItems(yearKey());
    }
    if (query.hasQueryItem(QStringLiteral("password")))
        throw refuse(QStringLiteral("A senha não pode ficar no endereço; use o arquivo .pgpass do usuário."));
    a.schema = a.year > 0 ? QStringLiteral("ano%1").arg(a.year) : QStringLiteral("usuarios");
    QUrl server(url);
    server.setScheme(QStringLiteral("postgresql"));
    server.setQuery(query);
    a.conninfo = server.toString(QUrl::FullyEncoded).toUtf8();
    return a;
}

QString ServerAddress::withYear(int newYear) const
{
    QUrl url(text);
    QUrlQuery query(url);
    query.removeAllQueryItems(yearKey());
    if (newYear > 0)
        query.addQueryItem(yearKey(), QString::number(newYear));
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded);
}

} // namespace data
