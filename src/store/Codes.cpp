#include "store/Codes.h"

namespace codes {

qint64 nextCode(const QVariant& maxInUse)
{
    if (maxInUse.isNull() || !maxInUse.isValid())
        return 1;
    return maxInUse.toLongLong() + 1;
}

} // namespace codes
