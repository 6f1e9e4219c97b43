#include "data/users/PasswordHash.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

namespace data {

namespace {

const QString kPrefix = QStringLiteral("$pbkdf2-sha256$");
constexpr int kSaltBytes = 16;
constexpr int kDigestBytes = 32;
constexpr auto kBase64 = QByteArray::Base64Encoding | QByteArray::OmitTrailingEquals;
int g_iterations = kPasswordHashIterations;

struct Parsed
{
    int iterations = 0;
    QByteArray salt;
    QByteArray digest;
};

bool parse(const QString &stored, Parsed &out)
{
    if (!stored.startsWith(kPrefix))
        return false;
    const QStringList parts = stored.mid(kPrefix.size()).split(u'$');
    if (parts.size() != 3)
        return false;
    bool ok = false;
    out.iterations = parts.at(0).toInt(&ok);
    if (!ok || out.iterations < 1)
        return false;
    const auto salt = QByteArray::fromBase64Encoding(parts.at(1).toLatin1(), kBase64 | QByteArray::AbortOnBase64DecodingErrors);
    const auto digest = QByteArray::fromBase64Encoding(parts.at(2).toLatin1(), kBase64 | QByteArray::AbortOnBase64DecodingErrors);
    if (!salt || !digest || salt.decoded.isEmpty() || digest.decoded.size() != kDigestBytes)
        return false;
    out.salt = salt.decoded;
    out.digest = digest.decoded;
    return true;
}

QString encode(int iterations, const QByteArray &salt, const QByteArray &digest)
{
    return kPrefix + QString::number(iterations) + u'$' + QString::fromLatin1(salt.toBase64(kBase64))
        + u'$' + QString::fromLatin1(digest.toBase64(kBase64));
}

// Compares without stopping at the first difference, so timing tells nothing.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    return diff == 0;
}

} // namespace

QByteArray pbkdf2Sha256(const QByteArray &password, const QByteArray &salt, int iterations,
                        int length)
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password);
    QByteArray key;
    for (quint32 block = 1; key.size() < length; ++block) {
        QByteArray first = salt;
        first.append(char(block >> 24)).append(char(block >> 16)).append(char(block >> 8)).append(char(block));
        mac.reset();
        mac.addData(first);
        QByteArray u = mac.result();
        QByteArray t = u;
        for (int i = 1; i < iterations; ++i) {
            mac.reset();
            mac.addData(u);
            u = mac.result();
            for (qsizetype j = 0; j < t.size(); ++j)
                t[j] = char(t.at(j) ^ u.at(j));
        }
        key.append(t);
    }
    return key.left(length);
}

void setPasswordHashIterations(int iterations)
{
    g_iterations = qMax(1, iterations);
}

int passwordHashIterations()
{
    return g_iterations;
}

QString hashPassword(const QString &password)
{
    return hashPassword(password, g_iterations);
}

QString hashPassword(const QString &password, int iterations)
{
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()), kSaltBytes / 4);
    return encode(iterations, salt, pbkdf2Sha256(password.toUtf8(), salt, iterations, kDigestBytes));
}

bool isPasswordHash(const QString &stored)
{
    Parsed parsed;
    return parse(stored, parsed);
}

bool verifyPasswordHash(const QString &stored, const QString &password)
{
    Parsed parsed;
    if (!parse(stored, parsed))
        return false;
    return sameBytes(parsed.digest, pbkdf2Sha256(password.toUtf8(), parsed.salt, parsed.iterations, kDigestBytes));
}

} // namespace data
