// How long the cipher takes where it runs most: deciphering a passwords list of 255 entries of 25 units, and
// one long text of 100,000 units.
#include "cipher/CryptText.h"

#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

template <typename Work> double medianMicroseconds(int runs, Work work)
{
    std::vector<double> samples;
    samples.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

QString text(qsizetype length, int seed)
{
    QString result(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        result[i] = QChar(char16_t(33 + (i * 31 + seed * 17) % 94));
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 201;
    const QString key = QStringLiteral("739182");

    std::vector<QString> passwords;
    for (int i = 0; i < 255; ++i)
        passwords.push_back(CryptText(CryptMode::Enc, key, text(25, i)));
    const QString longText = CryptText(CryptMode::Enc, key, text(100000, 1));

    // The checksum keeps the compiler from dropping the work and proves every result round-tripped.
    std::size_t checksum = 0;
    const double list = medianMicroseconds(runs, [&] {
        checksum =
            std::accumulate(passwords.begin(), passwords.end(), checksum, [&](std::size_t sum, const QString& pw) {
                return sum + CryptText(CryptMode::Dec, key, pw).at(0).unicode();
            });
    });
    const double single =
        medianMicroseconds(runs, [&] { checksum += CryptText(CryptMode::Dec, key, longText).at(99999).unicode(); });
    if (CryptText(CryptMode::Dec, key, longText) != text(100000, 1)) {
        std::fprintf(stderr, "bench_cipher: the long text did not round-trip\n");
        return 1;
    }

    std::printf("bench_cipher: median of %d runs (checksum %zu)\n", runs, checksum);
    std::printf("  decipher 255 passwords of 25 units : %9.1f us  (%.3f us a password)\n", list, list / 255);
    std::printf("  decipher one text of 100,000 units : %9.1f us  (%.2f ns a unit)\n", single, single * 1000 / 100000);
    return 0;
}
