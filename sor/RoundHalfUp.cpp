#include "sor/RoundHalfUp.h"

#include <cmath>
#include <limits>

namespace bc {

int RoundHalfUp(float x)
{
    // Extended precision keeps x + 0.5 exact for every float, so values
    // just below a half never round up by accident.
    const long double value = x;
    if (std::isnan(value))
        return 0;
    long double result;
    if (value >= 0) {
        result = std::trunc(value + 0.5L);
    } else {
        const long double k = std::trunc(value - 1.0L);
        result = std::trunc((value - k) + 0.5L) + k;
    }
    if (result >= static_cast<long double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (result <= static_cast<long double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(result);
}

} // namespace bc
