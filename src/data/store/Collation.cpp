#include "data/store/Collation.h"

#include "data/store/SqliteApi.h"
#include "data/store/StoreError.h"

#include <algorithm>
#include <array>

namespace data::collation {

namespace {

struct FoldTables
{
    std::array<char32_t, 256> base{};   // upper case, accents removed
    std::array<char32_t, 256> accent{}; // upper case, accents kept
};

const FoldTables &tables()
{
    static const FoldTables t = [] {
        FoldTables f;
        for (char32_t c = 0; c < 256; ++c) {
            f.base[c] = c;
            f.accent[c] = c;
        }
        for (char32_t c = 'a'; c <= 'z'; ++c) {
            f.base[c] = c - 32;
            f.accent[c] = c - 32;
        }
        // Latin-1 letters: upper case is 0xC0..0xDE, lower case 0xE0..0xFE (except the signs).
        const char *baseOfUpper = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYT"; // 0xC0..0xDE
        for (char32_t c = 0xC0; c <= 0xDE; ++c) {
            if (c == 0xD7)
                continue;
            f.base[c] = char32_t(baseOfUpper[c - 0xC0]);
            f.accent[c] = c;
        }
        for (char32_t c = 0xE0; c <= 0xFE; ++c) {
            if (c == 0xF7)
                continue;
            f.base[c] = char32_t(baseOfUpper[c - 0xE0]);
            f.accent[c] = c - 0x20;
        }
        f.base[0xFF] = 'Y';
        f.accent[0xFF] = 0x178;
        return f;
    }();
    return t;
}

class Utf16Reader
{
public:
    explicit Utf16Reader(QStringView s) : m_p(s.utf16()), m_end(s.utf16() + s.size()) {}
    bool atEnd() const { return m_p == m_end; }
    char32_t next()
    {
        char32_t c = *m_p++;
        if (c >= 0xD800 && c < 0xDC00 && m_p != m_end && *m_p >= 0xDC00 && *m_p < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (*m_p++ - 0xDC00);
        return c;
    }

private:
    const char16_t *m_p;
    const char16_t *m_end;
};

class Utf8Reader
{
public:
    Utf8Reader(const char *s, int n)
        : m_p(reinterpret_cast<const unsigned char *>(s)), m_end(m_p + (n > 0 ? n : 0))
    {
    }
    bool atEnd() const { return m_p == m_end; }
    char32_t next()
    {
        const unsigned char lead = *m_p++;
        if (lead < 0x80)
            return lead;
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t c = lead & (0x3F >> extra);
        while (extra-- > 0 && m_p != m_end && (*m_p & 0xC0) == 0x80)
            c = (c << 6) | (*m_p++ & 0x3F);
        return c;
    }

private:
    const unsigned char *m_p;
    const unsigned char *m_end;
};

enum class Level { Base, Accent, Exact };

char32_t fold(char32_t c, Level level)
{
    if (c >= 256 || level == Level::Exact)
        return c;
    return level == Level::Base ? tables().base[c] : tables().accent[c];
}

template<typename Reader>
int compareAt(Reader a, Reader b, Level level)
{
    while (!a.atEnd() && !b.atEnd()) {
        const char32_t x = fold(a.next(), level);
        const char32_t y = fold(b.next(), level);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.atEnd() && b.atEnd())
        return 0;
    return a.atEnd() ? -1 : 1;
}

template<typename Reader>
int compareReaders(const Reader &a, const Reader &b, bool caseInsensitive)
{
    if (int c = compareAt(a, b, Level::Base))
        return c;
    if (int c = compareAt(a, b, Level::Accent))
        return c;
    return caseInsensitive ? 0 : compareAt(a, b, Level::Exact);
}

int sqliteCompare(void *caseInsensitive, int aLength, const void *a, int bLength, const void *b)
{
    return compareUtf8(static_cast<const char *>(a), aLength, static_cast<const char *>(b), bLength,
                       caseInsensitive != nullptr);
}

} // namespace

int compare(QStringView a, QStringView b, bool caseInsensitive)
{
    return compareReaders(Utf16Reader(a), Utf16Reader(b), caseInsensitive);
}

int compareUtf8(const char *a, int aLength, const char *b, int bLength, bool caseInsensitive)
{
    const auto *x = reinterpret_cast<const unsigned char *>(a);
    const auto *y = reinterpret_cast<const unsigned char *>(b);
    // An identical beginning is equal at every level: start where the texts part, at the
    // beginning of that character (names in an index share long beginnings).
    int start = 0;
    const int shorter = std::min(aLength, bLength);
    while (start < shorter && x[start] == y[start])
        ++start;
    if (start == aLength && start == bLength)
        return 0;
    while (start > 0 && ((start < aLength && (x[start] & 0xC0) == 0x80) || (start < bLength && (y[start] & 0xC0) == 0x80)))
        --start;
    a += start;
    b += start;
    x += start;
    y += start;
    aLength -= start;
    bLength -= start;

    // Codes, classes and most names are plain ASCII: settle those without decoding.
    const int common = std::min(aLength, bLength);
    int exact = 0;
    for (int i = 0; i < common; ++i) {
        const unsigned char p = x[i], q = y[i];
        if ((p | q) & 0x80)
            return compareReaders(Utf8Reader(a, aLength), Utf8Reader(b, bLength), caseInsensitive);
        if (p == q)
            continue;
        const unsigned char up = p >= 'a' && p <= 'z' ? p - 32 : p;
        const unsigned char uq = q >= 'a' && q <= 'z' ? q - 32 : q;
        if (up != uq)
            return up < uq ? -1 : 1;
        if (exact == 0)
            exact = p < q ? -1 : 1;
    }
    for (int i = common; i < aLength; ++i)
        if (x[i] & 0x80)
            return compareReaders(Utf8Reader(a, aLength), Utf8Reader(b, bLength), caseInsensitive);
    for (int i = common; i < bLength; ++i)
        if (y[i] & 0x80)
            return compareReaders(Utf8Reader(a, aLength), Utf8Reader(b, bLength), caseInsensitive);
    if (aLength != bLength)
        return aLength < bLength ? -1 : 1;
    return caseInsensitive ? 0 : exact;
}

void registerOn(void *connection)
{
    const sqlite::Api &api = sqlite::api();
    auto *db = static_cast<sqlite3 *>(connection);
    static int marker = 0;
    if (api.create_collation_v2(db, kName, SQLITE_UTF8, nullptr, sqliteCompare, nullptr) != SQLITE_OK
        || api.create_collation_v2(db, kNameCaseInsensitive, SQLITE_UTF8, &marker, sqliteCompare, nullptr)
               != SQLITE_OK)
        throw StoreError(QStringLiteral("Não foi possível preparar a ordem alfabética do banco de dados: %1")
                             .arg(QString::fromUtf8(api.errmsg(db))));
}

} // namespace data::collation
