#pragma once

// a / b in single precision. Every division of the view transform goes
// through it so that a zero size is logged instead of silently painting
// nothing or everything.
class CRatio
{
public:
    CRatio() = default;
    CRatio(float a, float b);

    float Multiply(float x) const;
    float Divide(float x) const;
    float Value() const { return adivb; }

private:
    float adivb = 1.0f;
};
