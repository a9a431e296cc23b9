#include "cipher/CryptText.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The input's 16-bit units as they come, so lone and split surrogates occur as often as anything else.
QString units(const uint8_t* data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    return text;
}

bool sameUnitsPerBlock(QString a, QString b)
{
    for (qsizetype start = 0; start < a.size(); start += 6) {
        const qsizetype end = std::min<qsizetype>(start + 6, a.size());
        std::sort(a.begin() + start, a.begin() + end);
        std::sort(b.begin() + start, b.begin() + end);
    }
    return a == b;
}

} // namespace

// The first byte tells the key's length (0 to 7 units); the key's units come next, the text after them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t keyBytes = std::min<size_t>(data[0] % 8 * 2, size - 1);
    const QString key = units(data + 1, keyBytes);
    const QString text = units(data + 1 + keyBytes, size - 1 - keyBytes);

    const QString enc = CryptText(CryptMode::Enc, key, text);
    const QString dec = CryptText(CryptMode::Dec, key, text);
    if (enc.size() != text.size() || !sameUnitsPerBlock(enc, text) || !sameUnitsPerBlock(dec, text))
        std::abort();
    if (CryptText(CryptMode::Dec, key, enc) != text || CryptText(CryptMode::Enc, key, dec) != text)
        std::abort();
    return 0;
}
