#include "store/NoCase.h"

#include <algorithm>
#include <sqlite3.h>

namespace {

// Byte by byte: SQLite does not promise aligned texts.
unsigned unitAt(const unsigned char* text, int index)
{
    return text[2 * index] | unsigned(text[2 * index + 1]) << 8;
}

// As the built-in: ASCII letters only.
unsigned folded(unsigned unit)
{
    return unit - 'A' < 26u ? unit + 32 : unit;
}

// Units in code point order: surrogates (whose pairs lie above U+FFFF) after U+E000..U+FFFF.
unsigned codePointRank(unsigned unit)
{
    if (unit < 0xD800)
        return unit;
    return unit >= 0xE000 ? unit - 0x800 : unit + 0x2000;
}

// The length of units in UTF-8, which is what the built-in compares once it meets a Nul in both texts.
int utf8Bytes(const unsigned char* text, int from, int units)
{
    int bytes = 0;
    for (int i = from; i < units; ++i) {
        const unsigned unit = unitAt(text, i);
        bytes += unit < 0x80 ? 1 : unit < 0x800 ? 2 : unit - 0xD800 < 0x800 ? 2 : 3;
    }
    return bytes;
}

int compareNoCase(void*, int bytes1, const void* text1, int bytes2, const void* text2)
{
    const auto* a = static_cast<const unsigned char*>(text1);
    const auto* b = static_cast<const unsigned char*>(text2);
    const int units1 = bytes1 / 2;
    const int units2 = bytes2 / 2;
    const int common = std::min(units1, units2);
    for (int i = 0; i < common; ++i) {
        const unsigned x = folded(unitAt(a, i));
        const unsigned y = folded(unitAt(b, i));
        if (x != y)
            return int(codePointRank(x)) - int(codePointRank(y));
        // The built-in stops at a Nul and then orders by the whole lengths.
        if (x == 0)
            return utf8Bytes(a, i, units1) - utf8Bytes(b, i, units2);
    }
    return units1 - units2;
}

} // namespace

int registerNoCase(sqlite3* db)
{
    return sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF16LE, nullptr, &compareNoCase, nullptr);
}
