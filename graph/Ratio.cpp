#include "graph/Ratio.h"

#include "core/Assert.h"

CRatio::CRatio(float a, float b) : adivb(a / b)
{
    const float asize = a;
    const float bsize = b;
    QV_ASSERT(asize);
    QV_ASSERT(bsize);
}

float CRatio::Multiply(float x) const
{
    QV_ASSERT(adivb);
    return x * adivb;
}

float CRatio::Divide(float x) const
{
    QV_ASSERT(adivb);
    return x / adivb;
}
