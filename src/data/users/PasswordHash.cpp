#include "data/users/PasswordHash.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

#include <sodium.h>

#include <stdexcept>

namespace data {

namespace {

const QString kPrefix = QStringLiteral("$pbkdf2-sha256$");
const QString kArgonPrefix = QStringLiteral("$argon2id$");
constexpr int kSaltBytes = 16;
constexpr int kDigestBytes = 32;
constexpr auto kBase64 = QByteArray::Base64Encoding | QByteArray::OmitTrailingEquals;
// Test runs that start the programs as processes ask for cheap hashes through the environment,
// so that hundreds of log-ons stay quick; nothing else sets it.
PasswordCost initialCost()
{
    return qEnvironmentVariableIntValue("LUMESCO_TEST_CHEAP_PASSWORDS") == 1 ? PasswordCost::Minimal
                                                                              : PasswordCost::Standard;
}

PasswordCost g_cost = initialCost();

struct ArgonCost
{
    unsigned long long passes;
    size_t memory;
};

ArgonCost argonCost()
{
    if (g_cost == PasswordCost::Minimal)
        return {crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN};
    return {crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE};
}

void initSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw std::runtime_error("libsodium could not be initialised");
}

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

void setPasswordCost(PasswordCost cost)
{
    g_cost = cost;
}

PasswordCost passwordCost()
{
    return g_cost;
}

QString hashPassword(const QString &password)
{
    initSodium();
    const QByteArray utf8 = password.toUtf8();
    const ArgonCost cost = argonCost();
    char stored[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(stored, utf8.constData(), quint64(utf8.size()), cost.passes, cost.memory) != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return QString::fromLatin1(stored);
}

QString hashPasswordPbkdf2(const QString &password, int iterations)
{
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()), kSaltBytes / 4);
    return encode(iterations, salt, pbkdf2Sha256(password.toUtf8(), salt, iterations, kDigestBytes));
}

bool passwordHashNeedsRefresh(const QString &stored)
{
    if (!stored.startsWith(kArgonPrefix))
        return true;
    initSodium();
    const ArgonCost cost = argonCost();
    return crypto_pwhash_str_needs_rehash(stored.toLatin1().constData(), cost.passes, cost.memory) != 0;
}

bool isPasswordHash(const QString &stored)
{
    if (stored.startsWith(kArgonPrefix))
        return stored.size() < crypto_pwhash_STRBYTES && stored.count(u'$') == 5;
    Parsed parsed;
    return parse(stored, parsed);
}

bool verifyPasswordHash(const QString &stored, const QString &password)
{
    if (stored.startsWith(kArgonPrefix)) {
        if (!isPasswordHash(stored))
            return false;
        initSodium();
        const QByteArray utf8 = password.toUtf8();
        return crypto_pwhash_str_verify(stored.toLatin1().constData(), utf8.constData(),
                                        quint64(utf8.size())) == 0;
    }
    Parsed parsed;
    if (!parse(stored, parsed))
        return false;
    return sameBytes(parsed.digest, pbkdf2Sha256(password.toUtf8(), parsed.salt, parsed.iterations, kDigestBytes));
}

} // namespace data
