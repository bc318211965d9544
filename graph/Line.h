#pragma once

// A straight line over the trace: slope in level units per metre,
// intercept in level units.
struct tLine
{
    float Slope = 0.0f;
    float Intercept = 0.0f;

    float At(float metres) const { return Slope * metres + Intercept; }
};
