#include "uniform_random.h"

#include <gtest/gtest.h>

TEST(UniformRandom, SeedingMatchesReferenceValues)
{
    UniformRandom random;
    random.seed();
    // seed() ran the warm-up; rebuild the table alone to see the seeding values.
    UniformRandom fresh;
    fresh.table[1] = 3783;
    for (int i = 2; i <= 55; ++i) fresh.table[i] = (2 * fresh.table[i - 1] + i) % 16384;
    const int firstEight[] = {3783, 7568, 15139, 13898, 11417, 6456, 12919, 9462};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(fresh.table[i + 1], firstEight[i]);
    EXPECT_EQ(fresh.table[55], 16327);

    EXPECT_EQ(random.indexShort, 14);
    EXPECT_EQ(random.indexLong, 45);

    UniformRandom copy = random;
    const int values[] = {11314, 1077, 7144, 4623, 8326};
    for (int v : values) EXPECT_EQ(random.nextValue(), v);
    const float uniforms[] = {0.6905476f, 0.06573446f, 0.4360325f, 0.2821638f, 0.5081756f};
    for (float u : uniforms) EXPECT_FLOAT_EQ(copy.nextUniform(), u);
}

TEST(UniformRandom, StaysBelowOneAndIndicesCycle)
{
    EXPECT_EQ(UniformRandom::divisor, 16384.099609375f);
    UniformRandom random;
    random.seed();
    const int shortStart = random.indexShort;
    const int longStart = random.indexLong;
    for (int i = 0; i < 55; ++i) random.nextValue();
    EXPECT_EQ(random.indexShort, shortStart);
    EXPECT_EQ(random.indexLong, longStart);

    float largest = 0.0f;
    bool sawZero = false;
    for (int i = 0; i < 2000000; ++i) {
        float u = random.nextUniform();
        largest = std::max(largest, u);
        sawZero = sawZero || u == 0.0f;
    }
    EXPECT_LT(largest, 1.0f);
    EXPECT_EQ(largest, static_cast<float>(16383.0 / 16384.099609375));
    EXPECT_TRUE(sawZero);
}
