// truncate.h - the one conversion of numbers at the boundary: double to int32.
#pragma once

#include <cstdint>

// Truncation toward zero: 3.9 gives 3, -3.9 gives -3. NaN, the infinities and every value
// whose truncation falls outside the int32 range give -2147483648.
inline std::int32_t to_int32(double v) {
    if (v > -2147483649.0 && v < 2147483648.0) return static_cast<std::int32_t>(v);
    return INT32_MIN;
}
