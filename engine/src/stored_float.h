#pragma once
// The engine evaluates every formula in double, in the order written, and rounds the result to
// a 32-bit float where a quantity is stored. Calling stored() marks each such rounding point.

inline float stored(double value) { return static_cast<float>(value); }

// For a quotient formed more cheaply (a product with a tabled reciprocal): `approx` lies within
// `margin` of the written evaluation. When the whole interval rounds to one float, that float
// is the written evaluation's stored value (rounding is monotonic): returns true and sets
// `value`. Otherwise the caller evaluates the formula as written.
inline bool storedWithin(double approx, double margin, float& value)
{
    const float low = stored(approx - margin);
    const float high = stored(approx + margin);
    value = low;
    return low == high;
}
