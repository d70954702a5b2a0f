#pragma once
// The engine's single random generator: additive lagged Fibonacci on 14-bit integers with
// lags 24 and 55, X(n) = (X(n-24) + X(n-55)) mod 16384, from a fixed seed. Every run draws
// the same sequence. The step is inline so that each place that draws compiles it in place.

#include <cstdint>

struct UniformRandom {
    static constexpr std::int32_t modulus = 16384;
    static constexpr float divisor = 16384.1f; // 16384.099609375; keeps every draw below 1

    std::int32_t table[56] = {}; // entries 1..55; entry 0 unused
    std::int32_t indexShort = 24;
    std::int32_t indexLong = 55;

    // Fills the table from the fixed constant, sets the indices and runs the 1000-step warm-up.
    void seed()
    {
        table[1] = 3783;
        for (std::int32_t i = 2; i <= 55; ++i) table[i] = (2 * table[i - 1] + i) % modulus;
        indexShort = 24;
        indexLong = 55;
        for (int i = 0; i < 1000; ++i) nextValue();
    }

    // One step: overwrites and returns table[indexLong], then moves both indices down.
    std::int32_t nextValue()
    {
        std::int32_t value = (table[indexShort] + table[indexLong]) & (modulus - 1);
        table[indexLong] = value;
        indexShort = indexShort == 1 ? 55 : indexShort - 1;
        indexLong = indexLong == 1 ? 55 : indexLong - 1;
        return value;
    }

    // One uniform number u, 0 <= u <= 16383 / 16384.1: the new entry over the divisor.
    float nextUniform()
    {
        return static_cast<float>(static_cast<double>(nextValue()) / static_cast<double>(divisor));
    }
};
