#pragma once

#include <QByteArray>
#include <QString>

// Passwords are kept as salted Argon2id digests (libsodium), so reading the users table does not
// reveal them. The stored text names its method and cost:
//   $argon2id$v=19$m=<KiB>,t=<passes>,p=1$<salt>$<digest>
// Hashes of an older installation, salted PBKDF2-HMAC-SHA256, are still read and are replaced at
// the user's next log-on:
//   $pbkdf2-sha256$<iterations>$<salt, base64>$<digest, base64>
namespace data {

// The cost of new hashes for this process: Standard (64 MiB, two passes: about a tenth of a
// second here) or, for tests only, the smallest libsodium accepts. Hashes already stored keep
// theirs until the next log-on.
enum class PasswordCost { Standard, Minimal };
void setPasswordCost(PasswordCost cost);
PasswordCost passwordCost();

// A new stored form of `password` with a fresh random salt, at the process's cost.
QString hashPassword(const QString &password);
// The older stored form (still written by tests, to check it is read and replaced).
QString hashPasswordPbkdf2(const QString &password, int iterations);

// True when the stored hash is of an older method or another cost than the process's, so the
// next successful log-on should store the password again.
bool passwordHashNeedsRefresh(const QString &stored);

// True when `stored` has one of the forms above.
bool isPasswordHash(const QString &stored);

// True when `password` gives `stored`; false for anything that is not a well-formed hash.
bool verifyPasswordHash(const QString &stored, const QString &password);

// PBKDF2 with HMAC-SHA256 (RFC 8018), `length` bytes of key.
QByteArray pbkdf2Sha256(const QByteArray &password, const QByteArray &salt, int iterations,
                        int length);

} // namespace data
