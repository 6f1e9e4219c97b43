#include "data/users/PasswordScrambler.h"

namespace data {

namespace {

constexpr char kKey[] = "4kv739tn#lep!wud";

} // namespace

QString scramblePassword(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        char16_t code = c.unicode();
        for (const char *k = kKey; *k; ++k)
            code ^= char16_t(static_cast<unsigned char>(*k));
        c = QChar(code);
    }
    return result;
}

} // namespace data
