// The primary dose at the phantom centre for a monoenergetic beam, simulated by the whole loop
// with the committed physics tables, against a calculation of its own: the fluence of the fan
// and half-cone at each point, the attenuation along each stage's ray into the phantom, and the
// energy the first interaction leaves there (photoelectric absorption takes E, incoherent
// scattering the mean electron energy of the Klein-Nishina distribution weighted by the
// incoherent scattering function), all integrated numerically from the tables as loaded.

#include "engine_state.h"
#include "interaction_data.h"
#include "photon_source.h"
#include "run_conditions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

namespace {

const std::string dataDirectory = std::string(ORVELL_SOURCE_DIR) + "/data/";
constexpr double pi = 3.141592653589793;

struct Coefficients {
    double coherent, incoherent, photoelectric;
    double total() const { return coherent + incoherent + photoelectric; }
};

Coefficients tissueAt(const InteractionData& d, double e)
{
    int k = 2;
    while (k < d.tissueRowCount && d.energyKeV[k] <= e) ++k;
    const double f = std::log(e / d.energyKeV[k - 1]) / std::log(double(d.energyKeV[k]) / d.energyKeV[k - 1]);
    auto at = [&](const auto& c) { return c[k - 1] * std::pow(double(c[k]) / c[k - 1], f); };
    return {at(d.coherent), at(d.incoherent), at(d.photoelectric)};
}

double incoherentFunctionAt(const InteractionData& d, double q)
{
    if (q >= 10.0) return d.incoherentFunctionMax;
    int k = 2;
    while (d.momentumTransferGrid[k] <= q) ++k;
    const double x0 = d.momentumTransferGrid[k - 1], x1 = d.momentumTransferGrid[k];
    return d.incoherentFunction[k - 1] + (d.incoherentFunction[k] - d.incoherentFunction[k - 1]) * (q - x0) / (x1 - x0);
}

// First and second moments of the recoil-electron energy of incoherent scattering at E.
void electronEnergyMoments(const InteractionData& d, double e, double& mean, double& meanSquare)
{
    const int steps = 20000;
    double weightSum = 0, first = 0, second = 0;
    for (int i = 0; i < steps; ++i) {
        const double theta = (i + 0.5) * pi / steps;
        const double ratio = 1.0 / (1.0 + (e / 511.0) * (1.0 - std::cos(theta))); // E'/E
        const double kleinNishina = ratio * ratio * (ratio + 1.0 / ratio - std::sin(theta) * std::sin(theta));
        const double q = std::sin(theta / 2) * e / 12.4;
        const double w = kleinNishina * incoherentFunctionAt(d, q) * std::sin(theta);
        const double t = e * (1.0 - ratio);
        weightSum += w;
        first += w * t;
        second += w * t * t;
    }
    mean = first / weightSum;
    meanSquare = second / weightSum;
}

struct Geometry {
    double sad, halfFlat, radius;
    double fullFan, halfCone;
};

bool inside(const Geometry& g, double x, double z)
{
    const double ax = std::fabs(x);
    return std::fabs(z) <= g.radius && (ax <= g.halfFlat || std::hypot(ax - g.halfFlat, z) <= g.radius);
}

// Expected primary deposit (keV) in |x| < 0.5, |z| < 0.5, 0 <= y < 0.5 and its variance, for
// `perStage` photons from each of the nine tube angles.
void expectedPrimaryDeposit(const InteractionData& d, const Geometry& g, double e, double perStage,
                            double& deposit, double& variance)
{
    const Coefficients mu = tissueAt(d, e);
    double meanT, meanT2;
    electronEnergyMoments(d, e, meanT, meanT2);
    const double energyPerInteraction = mu.photoelectric * e + mu.incoherent * meanT;
    const double squarePerInteraction = mu.photoelectric * e * e + mu.incoherent * meanT2;

    const int n = 24, nCone = 8;
    const double cell = 1.0 / n;
    deposit = variance = 0;
    for (int s = 1; s <= 9; ++s) {
        const double theta = (10.0 * s - 5.0) * pi / 180.0;
        const double sx = g.sad * std::sin(theta), sz = -g.sad * std::cos(theta);
        const double cx = -sx / g.sad, cz = -sz / g.sad; // central ray direction
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                const double x = -0.5 + (i + 0.5) * cell, z = -0.5 + (j + 0.5) * cell;
                const double dx = x - sx, dz = z - sz;
                const double u = dx * cx + dz * cz;        // along the central ray
                const double v = dx * (-cz) + dz * cx;     // across it, in the axial plane
                const double fan = std::atan(v / u);
                if (std::fabs(fan) >= g.fullFan / 2) continue;
                // Where the ray from the source enters the phantom: bisection on the segment.
                double outside = 0, in = 1;
                for (int b = 0; b < 60; ++b) {
                    const double m = 0.5 * (outside + in);
                    (inside(g, sx + m * dx, sz + m * dz) ? in : outside) = m;
                }
                const double axialLength = (1.0 - in) * std::hypot(dx, dz);
                // The body-axis integral, over the cone angle: at angle psi the ray reaches
                // y = tan(psi) * u, with the fluence's Jacobian and the slant path.
                double alongCone = 0;
                for (int c = 0; c < nCone; ++c) {
                    const double psi = (c + 0.5) * g.halfCone / nCone;
                    const double y = std::tan(psi) * u;
                    if (y >= 0.5) continue;
                    const double rho = std::sqrt(dx * dx + dz * dz + y * y);
                    const double slant = rho / std::hypot(dx, dz);
                    const double fluencePerPsi = rho * std::cos(fan) * std::cos(fan) / (u * u);
                    alongCone += fluencePerPsi * std::exp(-mu.total() * axialLength * slant) * g.halfCone / nCone;
                }
                const double weight = perStage / (g.fullFan * g.halfCone) * alongCone * cell * cell;
                deposit += weight * energyPerInteraction;
                variance += weight * squarePerInteraction;
            }
        }
    }
}

struct MonoenergeticCase {
    int bin;
};

class PhysicsPrimaryDose : public ::testing::TestWithParam<MonoenergeticCase> {};

TEST_P(PhysicsPrimaryDose, CentreAgreesWithTheAttenuatedFirstInteractionWithinThreeSigma)
{
    if (!std::filesystem::exists(dataDirectory + "ICRUSoft.dat"))
        GTEST_SKIP() << "the physics data files are not in " << dataDirectory;
    auto state = std::make_unique<EngineState>();
    state->random.seed();
    loadSoftTissueTable(state->data, dataDirectory + "ICRUSoft.dat");
    loadAirEnergyTransfer(state->data, dataDirectory + "AirMUtr.dat");
    loadFilterAttenuation(state->data, dataDirectory + "Mus.dat");

    // A narrow beam (2 cm by 0.8 cm at the centre) into a small phantom (2 x 4 cm), one energy
    // bin, and no bowtie (a flat profile gives every photon the weight 1).
    RunConditions& c = state->conditions;
    c.sourceAxisDistance = 60;
    c.beamSizeRotation = 2.0f;
    c.beamSizeBodyAxis = 0.8f;
    c.phantomFlatLength = 2.0f;
    c.phantomThickness = 4.0f;
    c.historyCount = 900000;
    c.filterPointCount = 0;
    c.filterDistance[1] = 0;
    c.filterThickness[1] = 0.3f;
    c.filterDistance[2] = 5;
    c.filterThickness[2] = 0.3f;
    c.spectrumFluence[GetParam().bin] = 1.0f;
    deriveQuantities(c, "test");
    std::ostringstream progress;
    runStages(*state, progress);

    double simulated = 0;
    for (int iz = 1; iz <= 5; ++iz)
        for (int ix = 1; ix <= 5; ++ix) simulated += state->dose.at(1, ix, 1, iz);

    const double e = 0.5 * GetParam().bin;
    const Geometry g{60.0, 1.0, 2.0, 2 * std::atan(1.0 / 60.0), std::atan(0.4 / 60.0)};
    double expected, variance;
    expectedPrimaryDeposit(state->data, g, e, photonsPerBin(1.0f, c.historyCount), expected, variance);
    const double sigma = std::sqrt(variance);
    RecordProperty("expected_keV", std::to_string(expected));
    RecordProperty("simulated_keV", std::to_string(simulated));
    RecordProperty("sigma_keV", std::to_string(sigma));
    std::printf("    %.1f keV: expected %.1f keV, simulated %.1f keV, sigma %.1f keV (%.2f %%), %+.2f sigma\n",
                e, expected, simulated, sigma, 100 * sigma / expected, (simulated - expected) / sigma);
    EXPECT_LT(sigma, 0.01 * expected); // the check is sharp enough to mean something
    EXPECT_NEAR(simulated, expected, 3 * sigma);
}

INSTANTIATE_TEST_SUITE_P(Energies, PhysicsPrimaryDose,
                         ::testing::Values(MonoenergeticCase{60}, MonoenergeticCase{120}),
                         [](const auto& info) { return std::to_string(info.param.bin / 2) + "keV"; });

} // namespace
