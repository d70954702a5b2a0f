#include "fixtures/simulation/forced_draws.h"
#include "fixtures/simulation/synthetic_tables.h"
#include "photon_source.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float pi = 3.141592f;

RunConditions derived(RunConditions c)
{
    c.spectrumFluence.fill(0.0f);
    c.spectrumFluence[120] = 1.0f;
    deriveQuantities(c, "test");
    return c;
}

TEST(PhotonSource, StagesRunFromFiveToEightyFiveDegreesWithTheEnginesPi)
{
    for (int s = 1; s <= 9; ++s) {
        const ScanStage stage = makeStage(s, 60.0f);
        EXPECT_EQ(stage.tubeAngleDegrees, 10.0f * s - 5.0f);
        EXPECT_EQ(stage.tubeAngle, static_cast<float>(stage.tubeAngleDegrees * double(pi) / 180.0));
        EXPECT_EQ(stage.sourceX, static_cast<float>(std::sin(double(stage.tubeAngle)) * 60.0));
        EXPECT_EQ(stage.sourceZ, static_cast<float>(-std::cos(double(stage.tubeAngle)) * 60.0));
    }
}

TEST(PhotonSource, PhotonsPerBinAreTruncated)
{
    EXPECT_EQ(photonsPerBin(0.99f, 9.0f), 0);
    EXPECT_EQ(photonsPerBin(0.199f, 90.0f), 1);
    EXPECT_EQ(photonsPerBin(1.0f, 1.0e9f), 111111111);
    EXPECT_EQ(photonsPerBin(0.0f, 1.0e9f), 0);
    EXPECT_EQ(photonsPerBin(0.5f, -90.0f), 0);
}

TEST(PhotonSource, BowtiePathInterpolatesTheProfile)
{
    RunConditions c = defaultConditions(1);
    c.filterPointCount = 2; // points 0, 5, 10 cm, then the appended one at 15 cm
    const float distance[] = {0, 0.0f, 5.0f, 10.0f, 15.0f};
    const float thickness[] = {0, 0.25f, 0.30f, 0.50f, 0.50f};
    for (int k = 1; k <= 4; ++k) {
        c.filterDistance[k] = distance[k];
        c.filterThickness[k] = thickness[k];
    }
    EXPECT_EQ(bowtiePath(c, 0.0f), 0.25f);
    EXPECT_FLOAT_EQ(bowtiePath(c, 2.5f), 0.275f);
    EXPECT_FLOAT_EQ(bowtiePath(c, 7.5f), 0.40f);
    EXPECT_EQ(bowtiePath(c, 12.0f), 0.50f);
    EXPECT_EQ(bowtiePath(c, 15.0f), 0.50f);
    EXPECT_EQ(bowtiePath(c, 19.0f), 0.50f); // beyond the last point: its thickness

    // A profile whose first point is off the central ray starts from (0, 0).
    c.filterDistance[1] = 2.0f;
    EXPECT_FLOAT_EQ(bowtiePath(c, 1.0f), 0.125f);

    // Beyond a rising last stretch the thickness stays at the last point, not extrapolated.
    c.filterThickness[4] = 0.8f;
    EXPECT_EQ(bowtiePath(c, 20.0f), 0.8f);
}

struct EntryCase {
    const char* what;
    float sourceX, sourceZ, alpha;
    bool hits;
    float x0, z0; // NaN: check on the surface only
};

TEST(PhotonSource, EntryPointCases)
{
    const PhantomSection phantom{10.0f, 10.0f, 20.0f};
    const float nan = std::nanf("");
    const EntryCase cases[] = {
        // Below the bottom face, aimed at the corner x = +A or -A: the flat face, exactly.
        {"case B corner +A", 0.0f, -60.0f, std::atan(0.2f), true, 10.0f, -10.0f},
        {"case B corner -A", 0.0f, -60.0f, -std::atan(0.2f), true, -10.0f, -10.0f},
        {"case B flat face", 5.0f, -60.0f, 0.05f, true, nan, -10.0f},
        {"case B beyond -pi/2", 5.0f, -60.0f, -pi * 0.5f, false, 0, 0},
        {"case B missing right", 30.0f, -50.0f, 0.3f, false, 0, 0},
        {"slope 0", 0.0f, -60.0f, 0.0f, false, 0, 0},
        // Level with the bottom face is case A: the right end, even where the source is above
        // the flat face (case B would give the source point itself).
        {"case A at S_z = -B", 5.0f, -10.0f, std::atan(-0.5f), true, nan, nan},
        {"case A", 59.0f, -8.0f, -1.45f, true, nan, nan},
    };
    for (const EntryCase& c : cases) {
        float x0 = 0, z0 = 0;
        const float slope = static_cast<float>(std::tan(static_cast<double>(c.alpha)));
        const bool hits = findEntryPoint(c.sourceX, c.sourceZ, c.alpha, slope, phantom, x0, z0);
        ASSERT_EQ(hits, c.hits) << c.what;
        if (!hits) continue;
        if (!std::isnan(c.x0)) {
            EXPECT_EQ(x0, c.x0) << c.what;
        }
        if (!std::isnan(c.z0)) {
            EXPECT_EQ(z0, c.z0) << c.what;
        } else {
            // On the right end's circle (not the bottom face) and on the ray.
            EXPECT_NEAR(std::hypot(x0 - 10.0, double(z0)), 10.0, 1e-4) << c.what;
            EXPECT_GT(z0, -10.0f) << c.what;
        }
        EXPECT_NEAR(x0, c.sourceX + (z0 - c.sourceZ) * slope, 1e-4) << c.what;
    }
}

class PhotonEmission : public ::testing::Test {
protected:
    InteractionData data = syntheticInteractionData();
    RunConditions conditions = derived(defaultConditions(1000));
    UniformRandom random;
    void SetUp() override { random.seed(); }
};

TEST_F(PhotonEmission, EveryRayEntersAtItsFirstSurfacePointAndMeetsTheCentrePlaneAtTheConeOffset)
{
    const double d = conditions.sourceAxisDistance;
    const double a = conditions.phantomHalfFlatLength, b = conditions.phantomRadius;
    auto inside = [&](double x, double z) {
        const double ax = std::fabs(x);
        return std::fabs(z) <= b && (ax <= a || std::hypot(ax - a, z) <= b);
    };
    float kerma = 0;
    int entered = 0;
    for (int s = 1; s <= 9; ++s) {
        const ScanStage stage = makeStage(s, conditions.sourceAxisDistance);
        for (int i = 0; i < 2000; ++i) {
            UniformRandom replay = random;
            const float r2 = (replay.nextUniform(), replay.nextUniform());
            const double cone = static_cast<float>(r2 * double(conditions.halfConeAngle));
            PhotonState p;
            if (!emitPhoton(stage, 120, conditions, data, random, kerma, p)) continue;
            ++entered;
            const double dx = p.x - stage.sourceX, dy = p.y, dz = p.z - stage.sourceZ;
            const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
            // The stored direction points from the source through the entry point.
            ASSERT_NEAR(p.sinTheta * p.cosPhi, dx / length, 1e-6);
            ASSERT_NEAR(p.sinTheta * p.sinPhi, dy / length, 1e-6);
            ASSERT_NEAR(p.cosTheta, dz / length, 1e-6);
            // The entry is the first point of the ray inside the phantom. (Near-vertical rays
            // into a rounded end lose this accuracy in the single-precision quadratic, whose
            // coefficients grow as 1/slope^2: about 0.02 cm off at slope 0.03, 1 cm at 0.003.)
            if (std::fabs(dx / dz) > 0.2) {
                ASSERT_FALSE(inside(p.x - 1e-3 * dx / length, p.z - 1e-3 * dz / length)) << s;
                ASSERT_TRUE(inside(p.x + 1e-3 * dx / length, p.z + 1e-3 * dz / length)) << s;
            }
            // Continued to the rotation-centre plane, the ray is tan(cone) * D off the axial
            // plane, for every entry point: the beam has the entered size there.
            const double along = (dx * -stage.sourceX + dz * -stage.sourceZ) / d;
            ASSERT_NEAR(dy * d / along, std::tan(cone) * d, 2e-5 * d) << s;
            EXPECT_EQ(p.photonEnergy, 60.0f);
            EXPECT_EQ(p.doseComponent, 1);
        }
    }
    EXPECT_GT(entered, 9 * 2000 * 8 / 10); // the oblique stages miss beside the phantom
}

TEST_F(PhotonEmission, ACentralRayStartsInTheAxialPlaneAndScoresTheAirKerma)
{
    // R1 next to 0.5 (fan angle almost 0), R2 = 0: inside the reference window.
    forceNextValues(random, {8192, 0});
    float kerma = 1.0f;
    PhotonState p;
    ASSERT_TRUE(emitPhoton(makeStage(3, 60.0f), 120, conditions, data, random, kerma, p));
    EXPECT_EQ(p.y, 0.0f);
    EXPECT_EQ(p.sinPhi, 0.0f);
    EXPECT_EQ(p.photonWeight, 1.0f); // on the central ray the bowtie adds no path
    EXPECT_EQ(kerma, static_cast<float>(double(data.airEnergyTransfer[120]) * 60.0 + 1.0));

    // R1 = 0: the edge of the fan, outside the window.
    forceNextValues(random, {0, 0});
    const float before = kerma;
    ASSERT_TRUE(emitPhoton(makeStage(1, 60.0f), 120, conditions, data, random, kerma, p));
    EXPECT_EQ(kerma, before);
}

TEST_F(PhotonEmission, BowtieWeightAttenuatesOnlyTheExcessPath)
{
    conditions.filterPointCount = 1;
    conditions.filterDistance[2] = 20.0f;
    conditions.filterThickness[2] = 1.25f; // 1 cm more than on the central ray at 20 cm
    conditions.filterDistance[3] = 25.0f;
    conditions.filterThickness[3] = 1.25f;
    forceNextValues(random, {0, 0}); // the fan's edge: d = 20 cm
    float kerma = 0;
    PhotonState p;
    ASSERT_TRUE(emitPhoton(makeStage(1, 60.0f), 120, conditions, data, random, kerma, p));
    EXPECT_NEAR(p.photonWeight, std::exp(-1.0 * data.filterAttenuation[120]), 1e-6);
}

TEST_F(PhotonEmission, AMissUsesItsTwoDrawsAndScoresNothing)
{
    conditions.phantomHalfFlatLength = 0.0f;
    conditions.phantomRadius = 0.0f;
    conditions.phantomFlatLength = 0.0f;
    float kerma = 0;
    for (int s = 1; s <= 9; ++s) {
        for (int i = 0; i < 200; ++i) {
            UniformRandom expected = advanced(random, 2);
            PhotonState p;
            ASSERT_FALSE(emitPhoton(makeStage(s, 60.0f), 120, conditions, data, random, kerma, p));
            ASSERT_TRUE(sameState(random, expected));
        }
    }
    EXPECT_EQ(kerma, 0.0f);
}

} // namespace
