#pragma once

#include <QByteArray>
#include <QString>

// Passwords are kept as salted PBKDF2-HMAC-SHA256 digests, so reading the users table does not
// reveal them. The stored text names its method and cost, so the cost can grow later:
//   $pbkdf2-sha256$<iterations>$<salt, base64>$<digest, base64>
namespace data {

inline constexpr int kPasswordHashIterations = 120000;

// The cost of new hashes for this process (tests lower it; hashes already stored keep theirs).
void setPasswordHashIterations(int iterations);
int passwordHashIterations();

// A new stored form of `password` with a fresh random salt.
QString hashPassword(const QString &password);
QString hashPassword(const QString &password, int iterations);

// True when `stored` has the form above.
bool isPasswordHash(const QString &stored);

// True when `password` gives `stored`; false for anything that is not a well-formed hash.
bool verifyPasswordHash(const QString &stored, const QString &password);

// PBKDF2 with HMAC-SHA256 (RFC 8018), `length` bytes of key.
QByteArray pbkdf2Sha256(const QByteArray &password, const QByteArray &salt, int iterations,
                        int length);

} // namespace data
