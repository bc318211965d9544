#include "graph/Ratio.h"

#include "core/Assert.h"

CRatio::CRatio(float a, float b) : adivb(a / b)
{
    const float asize = a;
    const float bsize = b;
    QV_ASSERT(asize);
    QV_ASSERT(bsize);
}
