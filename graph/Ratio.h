#pragma once

#include "core/Assert.h"

// a / b in single precision. Every division of the view transform goes
// through it so that a zero size is logged instead of silently painting
// nothing or everything.
class CRatio
{
public:
    CRatio() = default;
    CRatio(float a, float b);

    // Inline: the trace maps every visible sample through these.
    float Multiply(float x) const
    {
        QV_ASSERT(adivb);
        return x * adivb;
    }
    float Divide(float x) const
    {
        QV_ASSERT(adivb);
        return x / adivb;
    }
    float Value() const { return adivb; }

private:
    float adivb = 1.0f;
};
