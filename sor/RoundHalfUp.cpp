#include "sor/RoundHalfUp.h"

#include <cmath>
#include <limits>

namespace bc {

int RoundHalfUp(float x)
{
    // A float has 24 significant bits, so x + 0.5 is exact in double
    // wherever the sum can change the result: floor gives the true floor.
    if (std::isnan(x))
        return 0;
    const double result = std::floor(double(x) + 0.5);
    if (result >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (result <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(result);
}

} // namespace bc
