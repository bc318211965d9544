#pragma once

namespace bc {

// Float to integer as floor(x + 0.5): an exact half goes towards plus
// infinity (2.5 -> 3, -2.5 -> -2). Results beyond the int range saturate;
// NaN gives 0.
int RoundHalfUp(float x);

} // namespace bc
