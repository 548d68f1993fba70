#pragma once
// Conversion of a double to a 32-bit int by discarding the fraction, defined
// for every input: values beyond the int range saturate to INT_MIN / INT_MAX
// and NaN gives 0 (a plain cast would be undefined behaviour for all three).

#include <climits>
#include <cmath>

namespace tovarin {

constexpr int TruncToInt(double value)
{
    if (!(value == value)) // NaN
        return 0;
    if (value >= 2147483647.0)
        return INT_MAX;
    if (value <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace tovarin
