#pragma once
// The engine evaluates every formula in double, in the order written, and rounds the result to
// a 32-bit float where a quantity is stored. Calling stored() marks each such rounding point.

inline float stored(double value) { return static_cast<float>(value); }
