#include "cipher/KeyFile.h"

#include <cstdint>
#include <cstdlib>

// Any bytes as key.chk: the reader returns a field trimmed of spaces, never crashes or hangs.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString field = keyFileField(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!field.isEmpty() && (field.front() == u' ' || field.back() == u' '))
        std::abort();
    return 0;
}
