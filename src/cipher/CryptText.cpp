#include "cipher/CryptText.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <utility>

namespace {

constexpr int blockSize = 6;

using KeyDigits = std::array<int, blockSize>;
// order[k] is the block position whose unit ends up at position k (0-based).
using BlockOrder = std::array<int, blockSize>;

KeyDigits keyDigits(const QString& key)
{
    KeyDigits digits{};
    for (int j = 0; j < blockSize && j < key.size(); ++j) {
        const char16_t c = key.at(j).unicode();
        digits[j] = (c >= u'0' && c <= u'9') ? c - u'0' : 0;
    }
    return digits;
}

// Runs the key steps of one block of `length` units on the positions themselves rather than on the text, so
// that every block of that length is then a plain gather; returns whether the steps leave the block as it is.
bool blockOrder(CryptMode mode, const KeyDigits& digits, int length, BlockOrder& order)
{
    std::iota(order.begin(), order.end(), 0);
    const auto step = [&](int j) {
        if (digits[j] == 0)
            return;
        const int p = std::min(digits[j], length) - 1;
        std::swap(order[j], order[p]);
    };
    if (mode == CryptMode::Enc) {
        for (int j = 0; j < length; ++j)
            step(j);
    } else {
        for (int j = length - 1; j >= 0; --j)
            step(j);
    }
    for (int k = 0; k < length; ++k) {
        if (order[k] != k)
            return false;
    }
    return true;
}

} // namespace

QString CryptText(CryptMode mode, const QString& key, const QString& text)
{
    const qsizetype n = text.size();
    const qsizetype wholeBlocks = n / blockSize;
    const int rest = static_cast<int>(n % blockSize);

    const KeyDigits digits = keyDigits(key);
    BlockOrder whole{};
    BlockOrder last{};
    const bool wholeUnchanged = blockOrder(mode, digits, blockSize, whole);
    const bool lastUnchanged = blockOrder(mode, digits, rest, last);
    if ((wholeBlocks == 0 || wholeUnchanged) && lastUnchanged)
        return text; // shares the input's data: no copy for an empty key, a key of zeros or a one-unit text

    QString result(n, Qt::Uninitialized);
    const QChar* in = text.constData();
    QChar* out = result.data();
    for (qsizetype b = 0; b < wholeBlocks; ++b, in += blockSize, out += blockSize) {
        for (int k = 0; k < blockSize; ++k)
            out[k] = in[whole[k]];
    }
    for (int k = 0; k < rest; ++k)
        out[k] = in[last[k]];
    return result;
}
