#pragma once

#include <cmath>

inline double AbsDouble(double value)
{
    return std::fabs(value);
}
